#pragma once
// A drawn button standing where a form describes a push button: the user-interface hosts make
// one for every button of the program's stored button properties (product_buttons.h), so that
// the forms create their buttons as they create any other control.

#include <functional>
#include <string>
#include <string_view>

#include "controls/drawn_button.h"
#include "controls/property_bag.h"

namespace quellix::controls {

// What a push button reports of itself to the window system and to accessibility clients.
struct PushButtonState {
  bool pushed = false;   // drawn down while held by the mouse or the Space key
  bool checked = false;  // a two-state button that is on
  bool focused = false;
  bool hot = false;  // the mouse is over it
  friend bool operator==(const PushButtonState&, const PushButtonState&) = default;
};

class HostedButton final : private DrawnButton::Events {
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
  PushButtonState State() const;

 private:
  void Click() override { click_(); }

  std::function<void()> click_;
  DrawnButton button_;
};

// A caption as it reads on the button: each "&" that marks an access key left out, "&&" read
// as one "&".
std::string PlainCaption(std::string_view caption);

}  // namespace quellix::controls
