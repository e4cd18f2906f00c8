#pragma once
// The product's message boxes as the windows see them: each box belongs to the product's
// active window, and while one is up the tray icon's events wait, so nothing behind a box
// (the tray menu, "Option", then "Apply") can act on a half-done step.

#include <string>

#include "platform/message_box.h"

namespace quellix::ui {

class ModalMessages final : public platform::MessageBoxes {
 public:
  explicit ModalMessages(platform::MessageBoxes& boxes) : boxes_(boxes) {}

  platform::MessageAnswer Show(const std::string& text, const std::string& title, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    ++open_;
    const platform::MessageAnswer answer = boxes_.Show(text, title, icon, buttons);
    --open_;
    return answer;
  }
  void SetOwner(platform::WindowId owner) override { boxes_.SetOwner(owner); }

  // True while a box is up.
  bool Open() const { return open_ > 0; }

 private:
  platform::MessageBoxes& boxes_;
  int open_ = 0;
};

}  // namespace quellix::ui
