#pragma once
// A canvas that is a pixel buffer, with a fixed-metric font: every character cell is 6
// pixels wide and 12 high, a visible character fills the block from (1, 2) to (4, 8) of its
// cell, and an underline fills row 10 of the cell. Pictures are registered by key.

#include <map>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace quellix::sim {

using platform::PixelBlock;
using platform::Rect;
using platform::Rgb;

class SimCanvas final : public platform::Canvas {
 public:
  static constexpr int kCharWidth = 6, kLineHeight = 12;
  // Glyph block and underline row inside a character cell.
  static constexpr int kGlyphLeft = 1, kGlyphRight = 5, kGlyphTop = 2, kGlyphBottom = 9, kUnderlineRow = 10;

  struct TextCall {
    std::string text;
    Rect rect;
    Rgb colour = 0;
  };

  void BeginFrame(platform::Size size) override;
  void EndFrame() override;
  void FillRect(const Rect& r, Rgb colour) override;
  void FrameRect(const Rect& r, Rgb colour) override;
  void Line(platform::Point from, platform::Point to, Rgb colour) override;
  void SetPixel(platform::Point p, Rgb colour) override;
  void Ellipse(const Rect& r, Rgb pen, int pen_width, Rgb brush) override;
  Rect MeasureText(const std::string& text, const Rect& box, const platform::FontSpec& font) override;
  void DrawText(const std::string& text, const Rect& r, const platform::FontSpec& font, Rgb colour) override;
  void FocusRect(const Rect& r, Rgb text) override;
  PixelBlock ReadPixels(const Rect& r) override;
  void WritePixels(platform::Point at, const PixelBlock& block) override;
  platform::Size PictureSize(const platform::Picture& picture) override;
  PixelBlock RenderPicture(const platform::Picture& picture, Rgb background) override;

  // A bitmap picture, drawn as it is.
  void AddBitmap(const std::string& key, PixelBlock pixels);
  // An icon: `transparent` marks the pixels that show the background.
  void AddIcon(const std::string& key, PixelBlock pixels, Rgb transparent);

  // The image as the last EndFrame showed it; 0 outside.
  Rgb Shown(int x, int y) const;
  const PixelBlock& ShownImage() const { return shown_; }
  int Frames() const { return frames_; }
  // The DrawText calls of the last frame, in order.
  const std::vector<TextCall>& Texts() const { return shown_texts_; }

 private:
  struct Glyph {
    char c;
    bool underline;
  };
  using TextLine = std::vector<Glyph>;
  static std::vector<TextLine> WrapText(const std::string& text, int width);
  void Put(int x, int y, Rgb colour);

  struct StoredPicture {
    PixelBlock pixels;
    bool icon = false;
    Rgb transparent = 0;
  };

  PixelBlock surface_, shown_;
  std::vector<TextCall> texts_, shown_texts_;
  int frames_ = 0;
  std::map<std::string, StoredPicture> pictures_;
};

}  // namespace quellix::sim
