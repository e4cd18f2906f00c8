// A drawn button's properties in its container's description: new instances, loading and
// saving. The keys are read and written in one fixed order.

#include <limits>

#include "controls/drawn_button.h"

namespace quellix::controls {
namespace {

using platform::SystemColor;
using platform::SystemColorRef;

constexpr platform::OleColor kDefaultMask = 0xC0C0C0;

std::int16_t ReadInt16(const PropertyBag& stored, std::string_view key, std::int16_t fallback) {
  const std::int32_t value = stored.ReadInt(key, fallback);
  return value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max()
             ? fallback
             : static_cast<std::int16_t>(value);
}

OleColor ReadColour(const PropertyBag& stored, std::string_view key, OleColor fallback) {
  return static_cast<OleColor>(stored.ReadInt(key, static_cast<std::int32_t>(fallback)));
}

}  // namespace

void DrawnButton::InitNew() {
  enabled_ = show_focus_rect_ = use_mask_ = true;
  caption_ = window_.InstanceName();
  font_ = window_.Font();
  button_type_ = 2;
  color_scheme_ = kSchemeSystem;
  ComputePalette();
  back_color_ = back_over_ = palette_.face;
  mask_color_ = kDefaultMask;
  fore_color_ = fore_over_ = palette_.text;
  LayOut();
}

void DrawnButton::Load(const PropertyBag& stored) {
  button_type_ = stored.ReadInt("BTYPE", 2);
  caption_ = stored.ReadText("TX", "");
  enabled_ = stored.ReadBool("ENAB", true);
  font_ = stored.ReadFont("FONT", window_.Font());
  color_scheme_ = stored.ReadInt("COLTYPE", kSchemeSystem);
  show_focus_rect_ = stored.ReadBool("FOCUSR", true);
  back_color_ = ReadColour(stored, "BCOL", SystemColorRef(SystemColor::kButtonFace));
  back_over_ = ReadColour(stored, "BCOLO", back_color_);
  fore_color_ = ReadColour(stored, "FCOL", SystemColorRef(SystemColor::kButtonText));
  fore_over_ = ReadColour(stored, "FCOLO", fore_color_);
  mask_color_ = ReadColour(stored, "MCOL", kDefaultMask);
  mouse_pointer_ = ReadInt16(stored, "MPTR", platform::kPointerDefault);
  window_.SetMousePointer(mouse_pointer_);
  mouse_icon_ = stored.ReadPicture("MICON");
  window_.SetMouseIcon(mouse_icon_);
  picture_normal_ = stored.ReadPicture("PICN");
  picture_over_ = stored.ReadPicture("PICH");
  use_mask_ = stored.ReadBool("UMCOL", true);
  soft_bevel_ = stored.ReadBool("SOFT", false);
  picture_position_ = stored.ReadInt("PICPOS", kPictureLeft);
  use_greyscale_ = stored.ReadBool("NGREY", false);
  special_effect_ = stored.ReadInt("FX", 0);
  SetHandPointer(stored.ReadBool("HAND", false));  // replaces the pointer and icon just read
  check_box_ = stored.ReadBool("CHECK", false);
  value_ = stored.ReadBool("VALUE", false);
  window_.SetEnabled(enabled_);
  MeasurePicture();
  LayOut();
  UpdateAccessKey();
}

PropertyBag DrawnButton::Save() const {
  PropertyBag stored;
  stored.WriteInt("BTYPE", button_type_);
  stored.WriteText("TX", caption_);
  stored.WriteBool("ENAB", enabled_);
  stored.WriteFont("FONT", font_);
  stored.WriteInt("COLTYPE", color_scheme_);
  stored.WriteBool("FOCUSR", show_focus_rect_);
  stored.WriteColour("BCOL", back_color_);
  stored.WriteColour("BCOLO", back_over_);
  stored.WriteColour("FCOL", fore_color_);
  stored.WriteColour("FCOLO", fore_over_);
  stored.WriteColour("MCOL", mask_color_);
  stored.WriteInt("MPTR", mouse_pointer_);
  stored.WritePicture("MICON", mouse_icon_);
  stored.WritePicture("PICN", picture_normal_);
  stored.WritePicture("PICH", picture_over_);
  stored.WriteBool("UMCOL", use_mask_);
  stored.WriteBool("SOFT", soft_bevel_);
  stored.WriteInt("PICPOS", picture_position_);
  stored.WriteBool("NGREY", use_greyscale_);
  stored.WriteInt("FX", special_effect_);
  stored.WriteBool("HAND", hand_pointer_);
  stored.WriteBool("CHECK", check_box_);
  stored.WriteBool("VALUE", value_);
  return stored;
}

}  // namespace quellix::controls
