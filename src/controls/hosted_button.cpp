#include "controls/hosted_button.h"

#include <utility>

#include "controls/product_buttons.h"

namespace quellix::controls {

const PropertyBag* HostedButton::Described(std::string_view form, std::string_view name) {
  const StoredControl* stored = FindStored(ProductButtons(), form, name);
  return stored == nullptr ? nullptr : &stored->properties;
}

HostedButton::HostedButton(platform::ControlWindow& window, platform::Canvas& canvas,
                           const PropertyBag& stored, const std::string& caption, bool enabled,
                           std::function<void()> click)
    : click_(std::move(click)), button_(window, canvas, *this) {
  PropertyBag described = stored;
  described.WriteText("TX", caption);
  described.WriteBool("ENAB", enabled);
  button_.Load(described);
  button_.OnResize();
}

void HostedButton::OnShow(bool shown) {
  if (shown) {
    button_.Show();
  } else {
    button_.Hide();
  }
}

std::string HostedButton::ReadableCaption() const {
  return PlainCaption(button_.Caption());
}

PushButtonState HostedButton::State() const {
  PushButtonState state;
  state.checked = button_.CheckBoxBehaviour() && button_.Value();
  // A checked button is drawn down whatever happens to it: it reads as checked, not as held.
  state.pushed = !state.checked && button_.LastDrawnState() == kStateDown;
  state.focused = button_.HasFocus();
  state.hot = button_.Hovering();
  return state;
}

bool ProductDrawnButtons::Describes(std::string_view form, std::string_view name) const {
  return HostedButton::Described(form, name) != nullptr;
}

std::unique_ptr<platform::DrawnControl> ProductDrawnButtons::Make(
    std::string_view form, std::string_view name, platform::ControlWindow& window, platform::Canvas& canvas,
    const std::string& caption, bool enabled, std::function<void()> click) const {
  const PropertyBag* stored = HostedButton::Described(form, name);
  if (stored == nullptr) return nullptr;
  return std::make_unique<HostedButton>(window, canvas, *stored, caption, enabled, std::move(click));
}

const platform::DrawnControlMaker& DrawnProductButtons() {
  static const ProductDrawnButtons buttons;
  return buttons;
}

}  // namespace quellix::controls
