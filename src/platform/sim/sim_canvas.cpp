#include "platform/sim/sim_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace quellix::sim {

void SimCanvas::BeginFrame(platform::Size size) {
  if (surface_.width != size.width || surface_.height != size.height)
    surface_ = PixelBlock(size.width, size.height);
  texts_.clear();
}

void SimCanvas::EndFrame() {
  shown_ = surface_;
  shown_texts_ = texts_;
  ++frames_;
}

void SimCanvas::Put(int x, int y, Rgb colour) {
  if (surface_.Contains(x, y)) surface_.At(x, y) = colour & 0xFFFFFF;
}

void SimCanvas::FillRect(const Rect& r, Rgb colour) {
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, surface_.height); ++y)
    for (int x = std::max(r.left, 0); x < std::min(r.right, surface_.width); ++x) Put(x, y, colour);
}

void SimCanvas::FrameRect(const Rect& r, Rgb colour) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  FillRect({r.left, r.top, r.right, r.top + 1}, colour);
  FillRect({r.left, r.bottom - 1, r.right, r.bottom}, colour);
  FillRect({r.left, r.top, r.left + 1, r.bottom}, colour);
  FillRect({r.right - 1, r.top, r.right, r.bottom}, colour);
}

void SimCanvas::Line(platform::Point from, platform::Point to, Rgb colour) {
  // Bresenham, the end point excluded.
  int x = from.x, y = from.y;
  const int dx = std::abs(to.x - x), dy = -std::abs(to.y - y);
  const int sx = x < to.x ? 1 : -1, sy = y < to.y ? 1 : -1;
  int error = dx + dy;
  while (x != to.x || y != to.y) {
    Put(x, y, colour);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x += sx;
    }
    if (twice <= dx) {
      error += dx;
      y += sy;
    }
  }
}

void SimCanvas::SetPixel(platform::Point p, Rgb colour) {
  Put(p.x, p.y, colour);
}

void SimCanvas::Ellipse(const Rect& r, Rgb pen, int pen_width, Rgb brush) {
  const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
  const double a = r.Width() / 2.0, b = r.Height() / 2.0;
  if (a <= 0 || b <= 0) return;
  const auto inside = [&](double px, double py, double ra, double rb) {
    if (ra <= 0 || rb <= 0) return false;
    const double u = (px - cx) / ra, v = (py - cy) / rb;
    return u * u + v * v <= 1.0;
  };
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      if (!inside(px, py, a, b)) continue;
      Put(x, y, inside(px, py, a - pen_width, b - pen_width) ? brush : pen);
    }
  }
}

std::vector<SimCanvas::TextLine> SimCanvas::WrapText(const std::string& text, int width) {
  const std::size_t fits = width > 0 ? static_cast<std::size_t>(width / kCharWidth) : 0;
  std::vector<TextLine> lines;
  TextLine line;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      continue;
    }
    char c = text[i];
    bool underline = false;
    if (c == '\r') continue;
    if (c == '&') {
      if (i + 1 >= text.size()) continue;  // a lone "&" at the end shows nothing
      c = text[++i];
      underline = c != '&';
    }
    line.push_back({c, underline});
    if (line.size() <= fits) continue;
    // Too long: break at the last blank, which goes; a single long word stays whole.
    const auto blank = std::find_if(line.rbegin(), line.rend(), [](const Glyph& g) { return g.c == ' '; });
    if (blank == line.rend()) continue;
    const auto at = blank.base() - 1;
    lines.emplace_back(line.begin(), at);
    line.erase(line.begin(), at + 1);
  }
  return lines;
}

Rect SimCanvas::MeasureText(const std::string& text, const Rect& box, const platform::FontSpec&) {
  const auto lines = WrapText(text, box.Width());
  std::size_t widest = 0;
  for (const auto& line : lines) widest = std::max(widest, line.size());
  return {box.left, box.top, box.left + static_cast<int>(widest) * kCharWidth,
          box.top + static_cast<int>(lines.size()) * kLineHeight};
}

void SimCanvas::DrawText(const std::string& text, const Rect& r, const platform::FontSpec&, Rgb colour) {
  texts_.push_back({text, r, colour});
  const auto lines = WrapText(text, r.Width());
  int top = r.top;
  for (const auto& line : lines) {
    int left = (r.left + r.right - static_cast<int>(line.size()) * kCharWidth) / 2;
    for (const Glyph& g : line) {
      if (g.c != ' ')
        FillRect({left + kGlyphLeft, top + kGlyphTop, left + kGlyphRight, top + kGlyphBottom}, colour);
      if (g.underline)
        FillRect({left, top + kUnderlineRow, left + kCharWidth, top + kUnderlineRow + 1}, colour);
      left += kCharWidth;
    }
    top += kLineHeight;
  }
}

void SimCanvas::FocusRect(const Rect& r, Rgb text) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  // A checkerboard brush XORed onto the outline: text colour on even pixels, the white
  // background colour on odd ones.
  const auto dot = [&](int x, int y) {
    if (surface_.Contains(x, y)) surface_.At(x, y) ^= ((x + y) % 2 == 0 ? text : 0xFFFFFF) & 0xFFFFFF;
  };
  for (int x = r.left; x < r.right; ++x) {
    dot(x, r.top);
    if (r.bottom - 1 != r.top) dot(x, r.bottom - 1);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    dot(r.left, y);
    if (r.right - 1 != r.left) dot(r.right - 1, y);
  }
}

PixelBlock SimCanvas::ReadPixels(const Rect& r) {
  PixelBlock block(r.Width(), r.Height());
  for (int y = 0; y < block.height; ++y)
    for (int x = 0; x < block.width; ++x)
      if (surface_.Contains(r.left + x, r.top + y)) block.At(x, y) = surface_.At(r.left + x, r.top + y);
  return block;
}

void SimCanvas::WritePixels(platform::Point at, const PixelBlock& block) {
  for (int y = 0; y < block.height; ++y)
    for (int x = 0; x < block.width; ++x) Put(at.x + x, at.y + y, block.At(x, y));
}

platform::Size SimCanvas::PictureSize(const platform::Picture& picture) {
  const auto it = pictures_.find(picture.key);
  if (it == pictures_.end()) return {};
  return {it->second.pixels.width, it->second.pixels.height};
}

PixelBlock SimCanvas::RenderPicture(const platform::Picture& picture, Rgb background) {
  const auto it = pictures_.find(picture.key);
  if (it == pictures_.end()) return {};
  const StoredPicture& stored = it->second;
  if (!stored.icon) return stored.pixels;
  PixelBlock out = stored.pixels;
  for (Rgb& pixel : out.pixels)
    if (pixel == stored.transparent) pixel = background & 0xFFFFFF;
  return out;
}

void SimCanvas::AddBitmap(const std::string& key, PixelBlock pixels) {
  pictures_[key] = {std::move(pixels), false, 0};
}

void SimCanvas::AddIcon(const std::string& key, PixelBlock pixels, Rgb transparent) {
  pictures_[key] = {std::move(pixels), true, transparent};
}

Rgb SimCanvas::Shown(int x, int y) const {
  return shown_.Contains(x, y) ? shown_.At(x, y) : 0;
}

}  // namespace quellix::sim
