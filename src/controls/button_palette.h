#pragma once
// The colour arithmetic of the drawn button and the twelve-colour palette each colour
// scheme gives.

#include <functional>

#include "platform/canvas.h"
#include "platform/control_window.h"

namespace quellix::controls {

using platform::Rgb;

inline constexpr int Red(Rgb c) {
  return static_cast<int>(c & 0xFF);
}
inline constexpr int Green(Rgb c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int Blue(Rgb c) {
  return static_cast<int>((c >> 16) & 0xFF);
}
inline constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>(r) | static_cast<Rgb>(g) << 8 | static_cast<Rgb>(b) << 16;
}

// Every channel moved by `amount`, halved (towards zero) under a soft bevel; with
// `proportional` the blue channel moves by amount * B / 192 instead. Positive amounts stop at
// 255, negative ones at 0.
Rgb Offset(Rgb colour, int amount, bool soft, bool proportional = false);
// Every channel becomes amount + (255 - amount) * channel / 255, at most 255.
Rgb Tint(Rgb colour, int amount);

using SystemColours = std::function<Rgb(platform::SystemColor)>;

// A stored colour as RGB: system-colour references looked up, anything else cut to 24 bits.
Rgb Translate(platform::OleColor colour, const SystemColours& system);

// Colour schemes: 1 system colours (also every unknown value), 2 the button's own colours,
// 3 fixed greys, 4 the parent's colours.
inline constexpr int kSchemeSystem = 1, kSchemeCustom = 2, kSchemeFixed = 3, kSchemeParent = 4;

struct Palette {
  Rgb face = 0, hover_face = 0, light = 0, highlight = 0, shadow = 0, dark_shadow = 0;
  Rgb text = 0, hover_text = 0, accent = 0, accent_tint = 0, mask = 0, soft_face = 0;
};

// What a palette is computed from; colours already translated.
struct PaletteSource {
  int scheme = kSchemeSystem;
  int button_type = 2;
  bool soft = false;
  Rgb back = 0, back_over = 0, fore = 0, fore_over = 0, mask = 0;
  Rgb parent_back = 0, parent_fore = 0;
};

Palette ComputePalette(const PaletteSource& source, const SystemColours& system);

}  // namespace quellix::controls
