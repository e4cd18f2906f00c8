#include "controls/button_palette.h"

#include <algorithm>

namespace quellix::controls {

using platform::SystemColor;

Rgb Offset(Rgb colour, int amount, bool soft, bool proportional) {
  if (soft) amount /= 2;
  const auto limit = [amount](int channel) {
    return amount > 0 ? std::min(channel, 255) : std::max(channel, 0);
  };
  const int blue = Blue(colour);
  return MakeRgb(limit(Red(colour) + amount), limit(Green(colour) + amount),
                 limit(proportional ? blue + amount * blue / 192 : blue + amount));
}

Rgb Tint(Rgb colour, int amount) {
  const auto tint = [amount](int channel) { return std::min(amount + (255 - amount) * channel / 255, 255); };
  return MakeRgb(tint(Red(colour)), tint(Green(colour)), tint(Blue(colour)));
}

Rgb Translate(platform::OleColor colour, const SystemColours& system) {
  if (colour & 0x80000000u) return system(static_cast<SystemColor>(colour & 0xFF)) & 0xFFFFFF;
  return colour & 0xFFFFFF;
}

Palette ComputePalette(const PaletteSource& source, const SystemColours& system) {
  Palette p;
  const bool soft = source.soft;
  switch (source.scheme) {
    case kSchemeCustom:
      p.face = source.back;
      p.hover_face = source.back_over;
      p.text = source.fore;
      p.hover_text = source.fore_over;
      break;
    case kSchemeFixed:
      p.face = p.hover_face = 0xC0C0C0;
      p.text = p.hover_text = 0x000000;
      p.shadow = 0x808080;
      p.light = 0xDFDFDF;
      p.highlight = 0xFFFFFF;
      p.dark_shadow = 0x000000;
      p.accent = 0x800000;
      p.accent_tint = 0xD1ADAD;
      break;
    case kSchemeParent:
      p.face = p.hover_face = source.parent_back;
      p.text = p.hover_text = source.parent_fore;
      break;
    default:
      p.face = p.hover_face = system(SystemColor::kButtonFace);
      p.text = p.hover_text = system(SystemColor::kButtonText);
      p.shadow = system(SystemColor::kButtonShadow);
      p.light = system(SystemColor::kLight);
      p.highlight = system(SystemColor::kButtonHighlight);
      p.dark_shadow = system(SystemColor::kDarkShadow);
      p.accent = system(SystemColor::kHighlight);
      p.accent_tint = Tint(p.accent, 176);
      break;
  }
  const Rgb f = p.face;
  if (source.scheme == kSchemeCustom || source.scheme == kSchemeParent) {
    p.shadow = Offset(f, -64, soft);
    p.light = Offset(f, 31, soft);
    p.highlight = Offset(f, 47, soft);
    p.dark_shadow = Offset(f, -192, soft);
  }
  if (source.scheme == kSchemeCustom) {
    p.accent = Offset(f, -128, soft);
    p.accent_tint = f;
  } else if (source.scheme == kSchemeParent) {
    p.accent = system(SystemColor::kHighlight);
    p.accent_tint = Tint(p.accent, 176);
  }
  p.mask = source.mask;
  p.soft_face = Offset(f, 48, soft, source.button_type == 3);
  return p;
}

}  // namespace quellix::controls
