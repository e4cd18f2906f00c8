#pragma once
// Top-level windows of the desktop, as the burning engine sees them.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quellix::platform {

// Opaque identifier of a top-level window; 0 stands for no window. Windows of other
// programs may vanish at any time, so every query on them may fail and yield empty data.
using WindowId = std::uint64_t;

// A child control of another program's window: a dialog's message or one of its buttons.
struct ChildControl {
  WindowId window = 0;     // the control's own window
  std::uint32_t id = 0;    // its control id, as its parent's WM_COMMAND carries it
  std::string class_name;  // "Static", "Button", ...
  std::string text;        // UTF-8
  bool visible = false;
};

// Tells of windows as they appear while it lives.
class WindowWatch {
 public:
  virtual ~WindowWatch() = default;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // The first window in z-order at the level of `anchor` (GetWindow with GW_HWNDFIRST).
  virtual WindowId FirstWindow(WindowId anchor) = 0;
  // The next window in z-order (GW_HWNDNEXT); 0 after the last.
  virtual WindowId NextWindow(WindowId window) = 0;
  // The class name as copied into a buffer of `capacity` UTF-16 units including its NUL, as
  // UTF-8 (as every text is).
  virtual std::string ClassName(WindowId window, std::size_t capacity) = 0;
  // The caption as copied into a buffer of `count` UTF-16 units including its NUL, as UTF-8:
  // at most count - 1 units, ending at the caption's first NUL. A character the buffer has
  // room for only half of (a surrogate pair cut after its first unit) is left out.
  virtual std::string Text(WindowId window, std::size_t count) = 0;
  // The style bits (GWL_STYLE); 0 for a window that is gone.
  virtual std::uint32_t Style(WindowId window) = 0;
  // Queues a close request (WM_CLOSE) without waiting for the window.
  virtual void PostClose(WindowId window) = 0;
  // The window's child controls in their order, each text asked of its program with a wait
  // of at most `timeout_ms` in all: nothing when the window is gone or its program does not
  // answer in time (a hung program never holds the caller longer).
  virtual std::optional<std::vector<ChildControl>> ChildControls(WindowId window, unsigned timeout_ms) = 0;
  // Tells the window that its child button was clicked, as the button itself does
  // (WM_COMMAND with BN_CLICKED, posted): no window is activated, no focus moves.
  virtual void PostButtonClick(WindowId window, const ChildControl& button) = 0;
  // True when the process runs with higher rights than the program (elevated, or at a higher
  // integrity level): the system silently drops what the program posts to its windows.
  virtual bool RunsWithHigherRights(std::uint32_t process_id) = 0;
  // The id of the process that owns the window; 0 for a window that is gone.
  virtual std::uint32_t ProcessId(WindowId window) = 0;
  // The full path of the program file the process runs (UTF-8, as every path); empty when
  // the process is gone or may not be asked.
  virtual std::string ProcessImagePath(std::uint32_t process_id) = 0;
  // Calls `seen` on the user-interface thread, from its message loop, for each top-level
  // window of another program that is made, shown or renamed, until the watch goes. A
  // window may be told of more than once, and may be gone by the time it is.
  virtual std::unique_ptr<WindowWatch> WatchWindows(std::function<void(WindowId)> seen) = 0;
};

}  // namespace quellix::platform
