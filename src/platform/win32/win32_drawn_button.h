#pragma once
// The drawn button's window: a child window of its own class that hands mouse, keyboard,
// focus, timer, size and show messages to the button's model (a platform::DrawnControl) and
// paints from the GDI canvas. To the window system and to accessibility clients it is a push button: its
// window text is the caption, it answers BM_CLICK, BM_GETSTATE and BM_GETCHECK, and it serves
// a push button's accessible object (win32_button_accessible.h).

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/control_window.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_canvas.h"

namespace quellix::win32 {

inline constexpr wchar_t kDrawnButtonClass[] = L"QuellixButton";

class Win32DrawnButton final : public platform::ControlWindow,
                               public std::enable_shared_from_this<Win32DrawnButton> {
 public:
  struct Placement {
    HWND parent = nullptr;
    std::string form;  // the name of the parent's form, as "Form1"
    int id = 0;        // the child window identifier
    RECT bounds{};     // in the parent's client area, pixels
    bool visible = true;
    std::string name;     // the instance's name, as "drawnButton4"
    std::string caption;  // UTF-8, as every text the window holds
    bool enabled = true;
  };
  struct Host {
    std::function<void()> click;           // the button's Click
    std::function<void()> let_events_run;  // the host's DoEvents
  };

  // Registers the window class once per process.
  static void RegisterWindowClass();
  // Makes the window and the model `drawn_controls` makes for it; null when the window system
  // refuses the window or there is no model for it. The window is destroyed with its parent or
  // with this object.
  static std::shared_ptr<Win32DrawnButton> Create(const Placement& placement,
                                                  const platform::DrawnControlMaker& drawn_controls,
                                                  Host host);
  // The drawn button whose window `hwnd` is, held; null for any other window.
  static std::shared_ptr<Win32DrawnButton> Of(HWND hwnd);
  ~Win32DrawnButton() override;
  Win32DrawnButton(const Win32DrawnButton&) = delete;
  Win32DrawnButton& operator=(const Win32DrawnButton&) = delete;

  HWND Hwnd() const { return window_.get(); }
  platform::DrawnControl& Control() { return *control_; }
  // The character that, with Alt, presses the button, in UTF-8 ("" for none).
  const std::string& AccessKeys() const { return access_keys_; }

  // --- platform::ControlWindow.
  std::uint32_t Handle() override;
  platform::Size ClientSize() override;
  void SetEnabled(bool enabled) override;
  void SetAccessKeys(const std::string& keys) override { access_keys_ = keys; }
  void SetRegion(const platform::Region& region) override;
  void Repaint() override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  bool AltHeld() override;
  void MoveFocus(bool forward) override;
  bool SetMousePointer(int code) override;
  bool SetMouseIcon(const platform::Picture& icon) override;
  void SetHeight(int height) override;
  bool CursorOverWindow() override;
  void StartTimer(unsigned interval_ms) override;
  void StopTimer() override;
  bool UserMode() override { return true; }
  std::string InstanceName() override { return name_; }
  platform::FontSpec Font() override { return {}; }
  platform::OleColor BackColor() override;
  platform::OleColor ForeColor() override;
  bool DisplayAsDefault() override { return false; }
  platform::Rgb SystemRgb(platform::SystemColor index) override;
  void LetPendingEventsRun() override;
  platform::PixelBlock ParentPixels(platform::Size size) override;

 private:
  struct Token {};  // made only by Create

 public:
  Win32DrawnButton(Token, std::string name, Host host);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnPaint();
  void OnButtonDown(int button, WPARAM keys, LPARAM at);
  void OnButtonUp(int button, WPARAM keys, LPARAM at);
  LRESULT PushButtonState() const;

  std::string name_;
  Host host_;
  UniqueWindow window_;
  std::optional<Win32Canvas> canvas_;
  std::unique_ptr<platform::DrawnControl> control_;
  std::string access_keys_;
  // Shared system cursors: the one shown, and the pointer icon that code 99 shows.
  HCURSOR cursor_ = nullptr, icon_cursor_ = nullptr;
  int pointer_code_ = platform::kPointerDefault;
  bool pressed_ = false;  // the left button went down on the window and is still held
};

}  // namespace quellix::win32
