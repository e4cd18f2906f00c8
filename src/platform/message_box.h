#pragma once

#include <string>

#include "platform/desktop.h"

namespace quellix::platform {

enum class MessageIcon { kNone, kStop, kInformation };
enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal message box with a text and title in UTF-8; returns the button the user chose.
  virtual MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons) = 0;
  // The product window that the boxes shown from now on belong to and are modal to; 0 for none.
  virtual void SetOwner(WindowId owner) = 0;
};

}  // namespace quellix::platform
