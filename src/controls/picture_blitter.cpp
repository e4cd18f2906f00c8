#include "controls/picture_blitter.h"

#include <cmath>

#include "controls/button_palette.h"

namespace quellix::controls {

Rgb Greyscale(Rgb colour) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double red = std::nearbyint(Red(colour) * 0.3);
  const int grey = static_cast<int>(std::nearbyint(red + Green(colour) * 0.59 + Blue(colour) * 0.11));
  return MakeRgb(grey, grey, grey);
}

Rgb Fade(Rgb picture, Rgb destination) {
  return MakeRgb((2 * Red(picture) + Red(destination)) / 3, (2 * Green(picture) + Green(destination)) / 3,
                 (2 * Blue(picture) + Blue(destination)) / 3);
}

void BlitPicture(platform::Canvas& canvas, const PixelBlock& picture, Point at, const BlitStyle& style,
                 bool use_mask, Rgb mask) {
  if (picture.width <= 0 || picture.height <= 0) return;
  const platform::Rect area{at.x, at.y, at.x + picture.width, at.y + picture.height};
  PixelBlock destination = canvas.ReadPixels(area);
  if (destination.width != picture.width || destination.height != picture.height) return;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb pixel = picture.At(x, y) & 0xFFFFFF;
      if (use_mask && pixel == (mask & 0xFFFFFF)) continue;
      Rgb& out = destination.At(x, y);
      if (style.silhouette) {
        if (!style.threshold || Red(pixel) + Green(pixel) + Blue(pixel) <= 384) out = *style.silhouette;
        continue;
      }
      Rgb value = style.greyscale ? Greyscale(pixel) : pixel;
      out = style.faded ? Fade(value, out) : value;
    }
  }
  canvas.WritePixels(at, destination);
}

}  // namespace quellix::controls
