#pragma once
// A control's child window as data: tests set the cursor, the container's ambient values and
// the parent's pixels, read what the control asked of its window, and run its timer in
// virtual time.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/control_window.h"

namespace quellix::sim {

class SimControlWindow final : public platform::ControlWindow {
 public:
  SimControlWindow();

  std::uint32_t Handle() override { return handle; }
  platform::Size ClientSize() override { return client; }
  void SetEnabled(bool on) override { enabled = on; }
  void SetAccessKeys(const std::string& keys) override { access_keys = keys; }
  void SetRegion(const platform::Region& r) override {
    region = r;
    ++region_changes;
  }
  void Repaint() override { ++repaints; }
  void CaptureMouse() override {
    ++captures;
    captured = true;
  }
  void ReleaseMouse() override { captured = false; }
  bool AltHeld() override { return alt_held; }
  void MoveFocus(bool forward) override { focus_moves.push_back(forward); }
  bool SetMousePointer(int code) override;
  bool SetMouseIcon(const platform::Picture& icon) override;
  void SetHeight(int height) override;
  bool CursorOverWindow() override { return cursor_over; }
  void StartTimer(unsigned interval_ms) override;
  void StopTimer() override { timer_running = false; }
  bool UserMode() override { return user_mode; }
  std::string InstanceName() override { return name; }
  platform::FontSpec Font() override { return font; }
  platform::OleColor BackColor() override { return back_colour; }
  platform::OleColor ForeColor() override { return fore_colour; }
  bool DisplayAsDefault() override { return default_button; }
  platform::Rgb SystemRgb(platform::SystemColor index) override;
  void LetPendingEventsRun() override;
  platform::PixelBlock ParentPixels(platform::Size size) override;

  // Virtual time: runs the timer's ticks that fall within `ms`.
  void Advance(unsigned ms);

  // The control's window.
  std::uint32_t handle = 0x1234;
  platform::Size client{80, 24};
  bool enabled = true;
  std::string access_keys;
  platform::Region region;
  int region_changes = 0, repaints = 0, captures = 0;
  bool captured = false;  // the window has the mouse capture
  bool alt_held = false;
  std::vector<bool> focus_moves;  // true forward
  int mouse_pointer = platform::kPointerDefault;
  platform::Picture mouse_icon;
  bool refuse_pointers = false;  // SetMousePointer and SetMouseIcon fail
  std::vector<int> heights_set;
  bool cursor_over = false;
  bool timer_running = false;
  unsigned timer_interval = 0;
  // Called on each timer tick, on a size change and for pending events.
  std::function<void()> on_timer, on_resize, on_pending_events;

  // The container.
  bool user_mode = true;
  std::string name = "drawnButton1";
  platform::FontSpec font;
  platform::OleColor back_colour = 0x8000000F, fore_colour = 0x80000012;
  bool default_button = false;
  std::map<platform::SystemColor, platform::Rgb> system_colours;
  platform::PixelBlock parent;  // the parent's pixels behind the control

 private:
  unsigned elapsed_ = 0;  // since the timer's last tick
};

}  // namespace quellix::sim
