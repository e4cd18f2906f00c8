#pragma once
// The drawing surface of an owner-drawn control: the handful of device-context operations
// the drawn button paints with, and the value types it hands across.
//
// Coordinates are pixels with the origin at the control's top-left corner. Rectangles are
// (left, top, right, bottom) with right and bottom excluded, as the window system keeps
// them. Everything drawn outside the surface is clipped.
//
// The surface keeps what was drawn: a Win32 implementation draws into a memory bitmap of
// the control's size and copies it to the window at EndFrame and on every paint message,
// so the window never shows a half-drawn button. MeasureText and PictureSize are also called
// outside a frame, when the control lays itself out.

#include <cstdint>
#include <string>
#include <vector>

// windows.h makes DrawText a macro for DrawTextA or DrawTextW; the canvas operation of that
// name is neither.
#ifdef DrawText
#undef DrawText
#endif

namespace quellix::platform {

// A 24-bit colour as 0x00BBGGRR (red in the low byte).
using Rgb = std::uint32_t;

struct Point {
  int x = 0, y = 0;
};

struct Size {
  int width = 0, height = 0;
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  Rect Moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A block of 24-bit pixels, row by row from the top, one 0x00BBGGRR value per pixel.
struct PixelBlock {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;

  PixelBlock() = default;
  PixelBlock(int w, int h, Rgb fill = 0)
      : width(w > 0 && h > 0 ? w : 0),
        height(w > 0 && h > 0 ? h : 0),
        pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x]; }
  Rgb At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x];
  }
};

// A font as the control stores it.
struct FontSpec {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  int weight = 400;    // 400 normal, 700 bold
  bool italic = false, underline = false, strikethrough = false;
  int charset = 0;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// A picture of the program's resources, named by its key ("add", "exit", ...); an empty key
// is no picture. The platform knows whether a key names an icon or a bitmap.
struct Picture {
  std::string key;
  bool Empty() const { return key.empty(); }
  friend bool operator==(const Picture&, const Picture&) = default;
};

// The shape of a window, as data: the union of `rectangles`, or, for an ellipse, the ellipse
// inscribed in `bounds` (CreateEllipticRgn).
struct Region {
  bool ellipse = false;
  Rect bounds;
  std::vector<Rect> rectangles;
  friend bool operator==(const Region&, const Region&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // A draw of the whole control starts and ends with these; EndFrame shows the result.
  virtual void BeginFrame(Size size) = 0;
  virtual void EndFrame() = 0;

  // FillRect with a solid brush.
  virtual void FillRect(const Rect& r, Rgb colour) = 0;
  // FrameRect with a solid brush: a 1-pixel outline just inside r.
  virtual void FrameRect(const Rect& r, Rgb colour) = 0;
  // A 1-pixel line from `from` to `to`, the end point excluded (MoveToEx, LineTo).
  virtual void Line(Point from, Point to, Rgb colour) = 0;
  // SetPixelV.
  virtual void SetPixel(Point p, Rgb colour) = 0;
  // Ellipse inscribed in r, outlined with a solid pen of `pen_width` pixels, filled with a
  // solid brush.
  virtual void Ellipse(const Rect& r, Rgb pen, int pen_width, Rgb brush) = 0;

  // Texts are UTF-8.
  // The rectangle `text` needs when word-wrapped into the width of `box`: left and top as in
  // box, right = left + widest line, bottom = top + the height of all lines (DrawTextW with
  // DT_CALCRECT | DT_WORDBREAK). "&" marks the next character and "&&" stands for "&".
  virtual Rect MeasureText(const std::string& text, const Rect& box, const FontSpec& font) = 0;
  // Draws `text` word-wrapped into r, each line centred, the lines from the top of r, with a
  // transparent background; the character after a single "&" is underlined
  // (DT_CENTER | DT_VCENTER | DT_WORDBREAK; DT_VCENTER has no effect on wrapped text).
  virtual void DrawText(const std::string& text, const Rect& r, const FontSpec& font, Rgb colour) = 0;
  // DrawFocusRect with `text` as the device context's text colour: a dotted XOR outline.
  virtual void FocusRect(const Rect& r, Rgb text) = 0;

  // The pixels of r (pixels outside the surface read as 0).
  virtual PixelBlock ReadPixels(const Rect& r) = 0;
  // Writes a block with its top-left corner at `at`.
  virtual void WritePixels(Point at, const PixelBlock& block) = 0;

  // A picture's size in pixels; 0 x 0 for an empty or unknown picture.
  virtual Size PictureSize(const Picture& picture) = 0;
  // The picture rendered into a block of its size: a bitmap as it is, an icon drawn over a
  // block filled with `background` (DrawIconEx). Empty for an empty or unknown picture.
  virtual PixelBlock RenderPicture(const Picture& picture, Rgb background) = 0;
};

}  // namespace quellix::platform
