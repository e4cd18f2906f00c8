#pragma once
// The child window of an owner-drawn control, and what the control learns from the window
// that holds it (its container). Input reaches the control the other way: the window
// system's mouse, keyboard, focus, timer and size messages call the control's handlers.

#include <cstdint>
#include <string>

#include "platform/canvas.h"

namespace quellix::platform {

// A colour as controls store it: 0x00BBGGRR, or a system-colour reference 0x800000nn
// (nn a GetSysColor index).
using OleColor = std::uint32_t;

// GetSysColor indexes the controls use.
enum class SystemColor : int {
  kHighlight = 13,        // COLOR_HIGHLIGHT, the selection colour
  kButtonFace = 15,       // COLOR_BTNFACE
  kButtonShadow = 16,     // COLOR_BTNSHADOW
  kButtonText = 18,       // COLOR_BTNTEXT
  kButtonHighlight = 20,  // COLOR_BTNHIGHLIGHT
  kDarkShadow = 21,       // COLOR_3DDKSHADOW
  kLight = 22,            // COLOR_3DLIGHT
};

inline constexpr OleColor SystemColorRef(SystemColor c) {
  return 0x80000000u | static_cast<OleColor>(c);
}

// Mouse pointer codes: the window's default, the arrow, and the window's own icon.
inline constexpr int kPointerDefault = 0, kPointerArrow = 1, kPointerCustom = 99;

class ControlWindow {
 public:
  virtual ~ControlWindow() = default;

  // --- The control's own window.
  // The native handle as a 32-bit value.
  virtual std::uint32_t Handle() = 0;
  // GetClientRect's right and bottom.
  virtual Size ClientSize() = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // The characters that, pressed with the access-key modifier, reach the control; "" for none.
  virtual void SetAccessKeys(const std::string& keys) = 0;
  // SetWindowRgn with repainting.
  virtual void SetRegion(const Region& region) = 0;
  // Shows at once what was last drawn (the window's own repaint).
  virtual void Repaint() = 0;
  // SetCapture for the control window.
  virtual void CaptureMouse() = 0;
  // Moves the focus to the next (forward) or previous control of the window, as the Tab and
  // Shift+Tab keys do.
  virtual void MoveFocus(bool forward) = 0;
  // False when the window refuses the pointer code or the icon.
  virtual bool SetMousePointer(int code) = 0;
  virtual bool SetMouseIcon(const Picture& icon) = 0;
  // Changes the window's height, its width and position kept.
  virtual void SetHeight(int height) = 0;
  // The hover test: the window under the cursor position (GetCursorPos, WindowFromPoint) is
  // the control's own window.
  virtual bool CursorOverWindow() = 0;
  // Starts (or restarts) and stops the control's timer; each tick calls the control's timer
  // handler.
  virtual void StartTimer(unsigned interval_ms) = 0;
  virtual void StopTimer() = 0;

  // --- The container.
  // False while the form is being designed rather than run.
  virtual bool UserMode() = 0;
  // The instance's name, as "drawnButton4".
  virtual std::string InstanceName() = 0;
  virtual FontSpec Font() = 0;
  virtual OleColor BackColor() = 0;
  virtual OleColor ForeColor() = 0;
  // The container's default-button flag for this control.
  virtual bool DisplayAsDefault() = 0;
  // GetSysColor.
  virtual Rgb SystemRgb(SystemColor index) = 0;
  // Lets pending window events run (the parent repaints what the control uncovered).
  virtual void LetPendingEventsRun() = 0;
  // The parent window's pixels where the control's window lies, `size` pixels from its
  // top-left corner.
  virtual PixelBlock ParentPixels(Size size) = 0;
};

}  // namespace quellix::platform
