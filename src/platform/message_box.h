#pragma once

#include <string>

namespace quellix::platform {

enum class MessageIcon { kNone, kStop, kInformation };
enum class MessageButtons { kOk, kYesNo };
enum class MessageAnswer { kOk, kYes, kNo };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal message box; returns the button the user chose.
  virtual MessageAnswer Show(const std::string& text, const std::string& title, MessageIcon icon,
                             MessageButtons buttons) = 0;
};

}  // namespace quellix::platform
