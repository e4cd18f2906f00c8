#pragma once
// Composites a picture into the canvas pixel by pixel: the destination area is read into a
// buffer, every picture pixel that is not the mask colour is written into it as the style
// asks, and the buffer is written back.

#include <optional>

#include "platform/canvas.h"

namespace quellix::controls {

using platform::PixelBlock;
using platform::Point;
using platform::Rgb;

struct BlitStyle {
  std::optional<Rgb> silhouette;  // every pixel painted in this colour
  bool threshold = false;         // silhouette only of pixels with R + G + B <= 384
  bool greyscale = false;
  bool faded = false;  // two thirds picture, one third background
};

inline BlitStyle Silhouette(Rgb colour, bool threshold = false) {
  return {colour, threshold, false, false};
}
inline BlitStyle Colours(bool greyscale = false, bool faded = false) {
  return {std::nullopt, false, greyscale, faded};
}

// All channels round(round(R * 0.3) + G * 0.59 + B * 0.11), halves rounded to even.
Rgb Greyscale(Rgb colour);
// Each channel (2 * picture + destination) / 3.
Rgb Fade(Rgb picture, Rgb destination);

// `use_mask` false paints every pixel, mask colour included.
void BlitPicture(platform::Canvas& canvas, const PixelBlock& picture, Point at, const BlitStyle& style,
                 bool use_mask, Rgb mask);

}  // namespace quellix::controls
