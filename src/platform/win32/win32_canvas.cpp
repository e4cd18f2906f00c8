#include "platform/win32/win32_canvas.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/wide_text.h"

namespace quellix::win32 {

using platform::PixelBlock;
using platform::Rect;
using platform::Rgb;

namespace {

RECT ToRect(const Rect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// A 32-bit DIB pixel is 0x00RRGGBB; a colour is 0x00BBGGRR.
Rgb FromDib(std::uint32_t pixel) {
  return (pixel & 0x00FF00) | (pixel >> 16 & 0xFF) | (pixel & 0xFF) << 16;
}
std::uint32_t ToDib(Rgb colour) {
  return FromDib(colour);
}

}  // namespace

Win32Canvas::Surface::Surface(HDC compatible, platform::Size s)
    : dc(CreateCompatibleDC(compatible)), size(s) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = s.width;
  info.bmiHeader.biHeight = -s.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  bitmap.reset(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!dc || !bitmap) return;
  bits = static_cast<std::uint32_t*>(pixels);
  selected.emplace(dc.get(), bitmap.get());
}

Win32Canvas::Win32Canvas(HWND window) : window_(window), measuring_(CreateCompatibleDC(nullptr)) {}

void Win32Canvas::BeginFrame(platform::Size size) {
  if (size.width <= 0 || size.height <= 0) {
    frame_.reset();
    return;
  }
  if (frame_ == nullptr || frame_->size.width != size.width || frame_->size.height != size.height) {
    frame_ = std::make_unique<Surface>(measuring_.get(), size);
    if (frame_->bits == nullptr) frame_.reset();
  }
}

void Win32Canvas::EndFrame() {
  if (frame_ == nullptr) return;
  const UniqueWindowDc window = WindowDcOf(window_);
  if (!window) return;
  BitBlt(window.get().dc, 0, 0, frame_->size.width, frame_->size.height, frame_->dc.get(), 0, 0, SRCCOPY);
}

void Win32Canvas::Paint(HDC dc, const RECT& area) {
  if (frame_ == nullptr) {
    ::FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));  // nothing drawn yet
    return;
  }
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, frame_->dc.get(), area.left,
         area.top, SRCCOPY);
}

void Win32Canvas::FillRect(const Rect& r, Rgb colour) {
  if (frame_ == nullptr) return;
  const UniqueBrush brush(CreateSolidBrush(colour));
  const RECT rc = ToRect(r);
  ::FillRect(frame_->dc.get(), &rc, brush.get());
}

void Win32Canvas::FrameRect(const Rect& r, Rgb colour) {
  if (frame_ == nullptr) return;
  const UniqueBrush brush(CreateSolidBrush(colour));
  const RECT rc = ToRect(r);
  ::FrameRect(frame_->dc.get(), &rc, brush.get());
}

void Win32Canvas::Line(platform::Point from, platform::Point to, Rgb colour) {
  if (frame_ == nullptr) return;
  HDC dc = frame_->dc.get();
  const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
  const SelectedObject selected(dc, pen.get());
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

void Win32Canvas::SetPixel(platform::Point p, Rgb colour) {
  if (frame_ != nullptr) SetPixelV(frame_->dc.get(), p.x, p.y, colour);
}

void Win32Canvas::Ellipse(const Rect& r, Rgb pen_colour, int pen_width, Rgb brush_colour) {
  if (frame_ == nullptr) return;
  HDC dc = frame_->dc.get();
  const UniquePen pen(CreatePen(PS_SOLID, pen_width, pen_colour));
  const UniqueBrush brush(CreateSolidBrush(brush_colour));
  const SelectedObject with_pen(dc, pen.get());
  const SelectedObject with_brush(dc, brush.get());
  ::Ellipse(dc, r.left, r.top, r.right, r.bottom);
}

HFONT Win32Canvas::Font(const platform::FontSpec& wanted) {
  if (font_ && wanted == font_spec_) return font_.get();
  const int dpi = GetDeviceCaps(measuring_.get(), LOGPIXELSY);
  LOGFONTW lf{};
  lf.lfHeight = -static_cast<LONG>(std::lround(wanted.size * dpi / 72.0));
  lf.lfWeight = wanted.weight;
  lf.lfItalic = wanted.italic;
  lf.lfUnderline = wanted.underline;
  lf.lfStrikeOut = wanted.strikethrough;
  lf.lfCharSet = static_cast<BYTE>(wanted.charset);
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  CopyUnits(Widen(wanted.name), lf.lfFaceName, LF_FACESIZE);
  font_.reset(CreateFontIndirectW(&lf));
  font_spec_ = wanted;
  return font_.get();
}

Rect Win32Canvas::MeasureText(const std::string& text, const Rect& box, const platform::FontSpec& font) {
  HDC dc = measuring_.get();
  const SelectedObject selected(dc, Font(font));
  RECT rc = ToRect(box);
  const std::wstring wide = Widen(text);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rc, DT_CALCRECT | DT_WORDBREAK);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

void Win32Canvas::DrawText(const std::string& text, const Rect& r, const platform::FontSpec& font,
                           Rgb colour) {
  if (frame_ == nullptr) return;
  HDC dc = frame_->dc.get();
  const SelectedObject selected(dc, Font(font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT rc = ToRect(r);
  // The rectangle is the measured one, which ends at the last glyph's advance; a glyph's ink
  // may reach a pixel or two further. The surface itself clips the drawing to the control.
  const std::wstring wide = Widen(text);
  ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_NOCLIP);
}

void Win32Canvas::FocusRect(const Rect& r, Rgb text) {
  if (frame_ == nullptr) return;
  HDC dc = frame_->dc.get();
  SetTextColor(dc, text);
  SetBkColor(dc, 0xFFFFFF);
  const RECT rc = ToRect(r);
  DrawFocusRect(dc, &rc);
}

PixelBlock Win32Canvas::ReadPixels(const Rect& r) {
  PixelBlock block(r.Width(), r.Height());
  if (frame_ == nullptr) return block;
  GdiFlush();  // the pixels as drawn so far
  const platform::Size size = frame_->size;
  for (int y = std::max(0, -r.top); y < block.height && r.top + y < size.height; ++y)
    for (int x = std::max(0, -r.left); x < block.width && r.left + x < size.width; ++x)
      block.At(x, y) = FromDib(frame_->bits[(r.top + y) * size.width + r.left + x]);
  return block;
}

void Win32Canvas::WritePixels(platform::Point at, const PixelBlock& block) {
  if (frame_ == nullptr) return;
  GdiFlush();
  const platform::Size size = frame_->size;
  for (int y = std::max(0, -at.y); y < block.height && at.y + y < size.height; ++y)
    for (int x = std::max(0, -at.x); x < block.width && at.x + x < size.width; ++x)
      frame_->bits[(at.y + y) * size.width + at.x + x] = ToDib(block.At(x, y));
}

HICON Win32Canvas::Icon(const std::string& key) {
  auto it = icons_.find(key);
  if (it == icons_.end()) {
    const std::wstring resource = Widen("ICON_" + key);
    it = icons_
             .emplace(key,
                      UniqueIcon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), resource.c_str(),
                                                               IMAGE_ICON, kPictureSize, kPictureSize, 0))))
             .first;
  }
  return it->second.get();
}

platform::Size Win32Canvas::PictureSize(const platform::Picture& picture) {
  if (picture.Empty() || Icon(picture.key) == nullptr) return {};
  return {kPictureSize, kPictureSize};
}

PixelBlock Win32Canvas::Capture(HDC dc, POINT at, platform::Size size) {
  PixelBlock block(size.width, size.height);
  if (block.pixels.empty()) return block;
  const Surface copy(dc, size);
  if (copy.bits == nullptr) return block;
  BitBlt(copy.dc.get(), 0, 0, size.width, size.height, dc, at.x, at.y, SRCCOPY);
  GdiFlush();
  for (std::size_t i = 0; i < block.pixels.size(); ++i) block.pixels[i] = FromDib(copy.bits[i]);
  return block;
}

// An icon's colour pixels with a 1-bit mask: the 32-bit colour image as the resource holds it,
// its alpha channel deciding, or its AND mask when no pixel has alpha. Every pixel at least
// half opaque is its own colour and every other one `background`; nothing is blended. Empty
// when the icon's images cannot be read at the picture size.
PixelBlock Win32Canvas::MaskedIcon(HICON icon, Rgb background) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  const UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  BITMAP shape{};
  if (!colour || GetObjectW(colour.get(), sizeof shape, &shape) != sizeof shape ||
      shape.bmWidth != kPictureSize || shape.bmHeight != kPictureSize)
    return {};
  BITMAPINFO wanted{};
  wanted.bmiHeader.biSize = sizeof wanted.bmiHeader;
  wanted.bmiHeader.biWidth = kPictureSize;
  wanted.bmiHeader.biHeight = -kPictureSize;  // top-down
  wanted.bmiHeader.biPlanes = 1;
  wanted.bmiHeader.biBitCount = 32;
  wanted.bmiHeader.biCompression = BI_RGB;
  constexpr int kPixels = kPictureSize * kPictureSize;
  std::uint32_t colours[kPixels] = {}, transparent[kPixels] = {};
  BITMAPINFO read = wanted;
  if (GetDIBits(measuring_.get(), colour.get(), 0, kPictureSize, colours, &read, DIB_RGB_COLORS) !=
      kPictureSize)
    return {};
  const bool has_alpha =
      std::any_of(colours, colours + kPixels, [](std::uint32_t p) { return p >> 24 != 0; });
  if (!has_alpha) {
    read = wanted;
    if (!mask || GetDIBits(measuring_.get(), mask.get(), 0, kPictureSize, transparent, &read,
                           DIB_RGB_COLORS) != kPictureSize)
      return {};
  }
  PixelBlock block(kPictureSize, kPictureSize);
  for (int i = 0; i < kPixels; ++i) {
    const bool opaque = has_alpha ? colours[i] >> 24 >= 128 : (transparent[i] & 0xFFFFFF) == 0;
    block.pixels[static_cast<std::size_t>(i)] = opaque ? FromDib(colours[i] & 0xFFFFFF) : background;
  }
  return block;
}

PixelBlock Win32Canvas::RenderPicture(const platform::Picture& picture, Rgb background) {
  HICON icon = picture.Empty() ? nullptr : Icon(picture.key);
  if (icon == nullptr) return {};
  // The blitter knows only opaque pixels and the mask colour: an icon's soft edges drawn over
  // the mask colour would come out as pale pixels that are not the mask, a fringe around it.
  PixelBlock masked = MaskedIcon(icon, background);
  if (!masked.pixels.empty()) return masked;
  const Surface scratch(measuring_.get(), {kPictureSize, kPictureSize});
  if (scratch.bits == nullptr) return {};
  PixelBlock block(kPictureSize, kPictureSize);
  std::fill_n(scratch.bits, kPictureSize * kPictureSize, ToDib(background));
  DrawIconEx(scratch.dc.get(), 0, 0, icon, kPictureSize, kPictureSize, 0, nullptr, DI_NORMAL);
  GdiFlush();
  for (int i = 0; i < kPictureSize * kPictureSize; ++i)
    block.pixels[static_cast<std::size_t>(i)] = FromDib(scratch.bits[i]);
  return block;
}

}  // namespace quellix::win32
