#pragma once
// The child window of an owner-drawn control, and what the control learns from the window
// that holds it (its container). Input reaches the control the other way: the window
// system's mouse, keyboard, focus, timer and size messages call the control's handlers.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

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
// The pointer icon of the hand pointer, the only one a window offers besides none.
inline const Picture kHandPointerIcon{"hand"};

// The mouse buttons as the control's input counts them, alone or added together.
inline constexpr int kMouseLeft = 1, kMouseRight = 2, kMouseMiddle = 4;

// What a push button reports of itself to the window system and to accessibility clients.
struct PushButtonState {
  bool pushed = false;   // drawn down while held by the mouse or the Space key
  bool checked = false;  // a two-state button that is on
  bool focused = false;
  bool hot = false;  // the mouse is over it
  friend bool operator==(const PushButtonState&, const PushButtonState&) = default;
};

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
  // SetCapture for the control window, so that the release of a press on it comes to it
  // wherever the mouse is then; ReleaseMouse gives the capture up when the window has it.
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // The Alt key is held down (mouse messages carry Shift and Ctrl but not Alt).
  virtual bool AltHeld() = 0;
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

// An owner-drawn push button as its window sees it: the window hands it the window system's
// input and asks it what a push button reports of itself.
class DrawnControl {
 public:
  virtual ~DrawnControl() = default;

  // --- Input from the window system.
  // `button` is one of the kMouse... values for a press or release, the buttons held for a
  // move; `shift` adds Shift 1 and Ctrl 2, as the mouse message carries them (the control
  // reads Alt from its window).
  virtual void OnMouseDown(int button, int shift, float x, float y) = 0;
  virtual void OnMouseMove(int button, int shift, float x, float y) = 0;
  virtual void OnMouseUp(int button, int shift, float x, float y) = 0;
  // The window system's click: a left press and release, both on the control.
  virtual void OnClick() = 0;
  virtual void OnDoubleClick() = 0;
  // The mouse capture went to another window (or nowhere) before the buttons were released.
  virtual void OnCaptureLost() = 0;
  virtual void OnKeyDown(int key_code, int shift) = 0;
  virtual void OnKeyUp(int key_code, int shift) = 0;
  virtual void OnKeyPress(int key_ascii) = 0;
  virtual void OnFocus(bool gained) = 0;
  // The system colours or other settings changed (sent to top-level windows, which pass it on).
  virtual void OnSystemColorsChanged() = 0;
  // The window's size changed (its client size is read back from the window).
  virtual void OnResize() = 0;
  // A tick of the timer the control started on its window.
  virtual void OnTimer() = 0;
  virtual void OnShow(bool shown) = 0;

  // --- What the form changes.
  virtual void SetCaption(const std::string& caption) = 0;
  // Enables or disables the window too.
  virtual void SetEnabled(bool enabled) = 0;

  // --- What it reports.
  // The caption as it reads on the button, its access-key marks left out.
  virtual std::string ReadableCaption() const = 0;
  virtual PushButtonState State() const = 0;
  // The default action, as the access key gives it: a click, when the control is enabled.
  virtual void Press() = 0;
};

// The owner-drawn controls of the program's forms. The user-interface host asks it, for every
// control a form creates, whether the control is drawn, and makes its model on the window.
class DrawnControlMaker {
 public:
  virtual ~DrawnControlMaker() = default;
  // True when the control `name` of the form `form` is drawn.
  virtual bool Describes(std::string_view form, std::string_view name) const = 0;
  // The model of a control Describes names, shown in `window` and painted on `canvas`, with
  // the caption and enabled state the form gives and laid out for the window's size; `click`
  // runs on every Click. Null for a control it does not describe.
  virtual std::unique_ptr<DrawnControl> Make(std::string_view form, std::string_view name,
                                             ControlWindow& window, Canvas& canvas,
                                             const std::string& caption, bool enabled,
                                             std::function<void()> click) const = 0;
};

}  // namespace quellix::platform
