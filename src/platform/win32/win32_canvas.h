#pragma once
// The drawn button's canvas on GDI: every frame is drawn into a 32-bit bitmap of the
// control's size in a memory device context and then copied to the window in one BitBlt, and
// copied again on every paint message, so the window never shows a half-drawn button.

#include <windows.h>
// windows.h makes DrawText a macro for DrawTextA; here DrawText is the canvas operation, and
// the wide function is called by its own name.
#undef DrawText

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/canvas.h"
#include "platform/win32/handles.h"

namespace quellix::win32 {

class Win32Canvas final : public platform::Canvas {
 public:
  // Pictures are the program's icons, resource "ICON_<key>", drawn at this size.
  static constexpr int kPictureSize = 16;

  explicit Win32Canvas(HWND window);

  // Copies the last frame into a paint message's device context.
  void Paint(HDC dc, const RECT& area);
  // The pixels of a device context from `at`, `size` pixels (BitBlt into a bitmap of its own).
  static platform::PixelBlock Capture(HDC dc, POINT at, platform::Size size);

  void BeginFrame(platform::Size size) override;
  void EndFrame() override;
  void FillRect(const platform::Rect& r, platform::Rgb colour) override;
  void FrameRect(const platform::Rect& r, platform::Rgb colour) override;
  void Line(platform::Point from, platform::Point to, platform::Rgb colour) override;
  void SetPixel(platform::Point p, platform::Rgb colour) override;
  void Ellipse(const platform::Rect& r, platform::Rgb pen, int pen_width, platform::Rgb brush) override;
  platform::Rect MeasureText(const std::string& text, const platform::Rect& box,
                             const platform::FontSpec& font) override;
  void DrawText(const std::string& text, const platform::Rect& r, const platform::FontSpec& font,
                platform::Rgb colour) override;
  void FocusRect(const platform::Rect& r, platform::Rgb text) override;
  platform::PixelBlock ReadPixels(const platform::Rect& r) override;
  void WritePixels(platform::Point at, const platform::PixelBlock& block) override;
  platform::Size PictureSize(const platform::Picture& picture) override;
  platform::PixelBlock RenderPicture(const platform::Picture& picture, platform::Rgb background) override;

 private:
  // A 32-bit top-down bitmap selected into its own memory device context, its pixels at hand.
  struct Surface {
    Surface(HDC compatible, platform::Size size);
    UniqueMemoryDc dc;
    UniqueBitmap bitmap;
    std::optional<SelectedObject> selected;
    std::uint32_t* bits = nullptr;  // 0x00RRGGBB, row by row from the top
    platform::Size size;
  };
  HFONT Font(const platform::FontSpec& wanted);
  HICON Icon(const std::string& key);
  platform::PixelBlock MaskedIcon(HICON icon, platform::Rgb background);

  HWND window_;
  UniqueMemoryDc measuring_;  // for text measured outside a frame
  std::unique_ptr<Surface> frame_;
  UniqueFont font_;
  platform::FontSpec font_spec_;
  std::map<std::string, UniqueIcon> icons_;  // null for a key with no icon
};

}  // namespace quellix::win32
