#pragma once
// A drawn button standing where a form describes a push button: the user-interface hosts ask
// the program's drawn buttons (DrawnProductButtons) for every push button a form creates, and
// show the model of each one the program's stored button properties describe (product_buttons.h),
// so that the forms create their buttons as they create any other control.

#include <functional>
#include <string>
#include <string_view>

#include "controls/drawn_button.h"
#include "controls/property_bag.h"
#include "platform/control_window.h"
#include "text/text.h"

namespace quellix::controls {

using platform::PushButtonState;

class HostedButton final : public platform::DrawnControl, private DrawnButton::Events {
 public:
  // The stored properties of the button `name` of `form`; null for a button the program does
  // not describe, which stays a standard push button.
  static const PropertyBag* Described(std::string_view form, std::string_view name);

  // Loads the stored properties with the caption and the enabled state the form gives, which
  // take the place of the stored ones, and lays the button out for its window's size; `click`
  // runs on every Click. The host shows the button when its window is shown.
  HostedButton(platform::ControlWindow& window, platform::Canvas& canvas, const PropertyBag& stored,
               const std::string& caption, bool enabled, std::function<void()> click);

  DrawnButton& Button() { return button_; }
  const DrawnButton& Button() const { return button_; }

  // --- platform::DrawnControl.
  void OnMouseDown(int button, int shift, float x, float y) override {
    button_.OnMouseDown(button, shift, x, y);
  }
  void OnMouseMove(int button, int shift, float x, float y) override {
    button_.OnMouseMove(button, shift, x, y);
  }
  void OnMouseUp(int button, int shift, float x, float y) override { button_.OnMouseUp(button, shift, x, y); }
  void OnClick() override { button_.OnClick(); }
  void OnDoubleClick() override { button_.OnDoubleClick(); }
  void OnCaptureLost() override { button_.OnCaptureLost(); }
  void OnKeyDown(int key_code, int shift) override { button_.OnKeyDown(key_code, shift); }
  void OnKeyUp(int key_code, int shift) override { button_.OnKeyUp(key_code, shift); }
  void OnKeyPress(int key_ascii) override { button_.OnKeyPress(key_ascii); }
  void OnFocus(bool gained) override { button_.OnFocus(gained); }
  void OnSystemColorsChanged() override { button_.OnSystemColorsChanged(); }
  void OnResize() override { button_.OnResize(); }
  void OnTimer() override { button_.OnTimer(); }
  void OnShow(bool shown) override;
  void SetCaption(const std::string& caption) override { button_.SetCaption(caption); }
  void SetEnabled(bool enabled) override { button_.SetEnabled(enabled); }
  std::string ReadableCaption() const override;
  PushButtonState State() const override;
  void Press() override { button_.OnAccessKey(); }

 private:
  void Click() override { click_(); }

  std::function<void()> click_;
  DrawnButton button_;
};

// The drawn buttons of the program's forms: every push button the stored button properties
// describe. It keeps nothing of its own, so one serves every host.
class ProductDrawnButtons final : public platform::DrawnControlMaker {
 public:
  bool Describes(std::string_view form, std::string_view name) const override;
  std::unique_ptr<platform::DrawnControl> Make(std::string_view form, std::string_view name,
                                               platform::ControlWindow& window, platform::Canvas& canvas,
                                               const std::string& caption, bool enabled,
                                               std::function<void()> click) const override;
};

// The one the composition root and the tests hand to a user-interface host.
const platform::DrawnControlMaker& DrawnProductButtons();

using text::PlainCaption;

}  // namespace quellix::controls
