#pragma once
// A deterministic desktop of top-level windows in z-order for tests and the engine demo.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace quellix::sim {

using platform::WindowId;

// Style bits of an ordinary resizable frame with caption, system menu, minimise and maximise boxes.
inline constexpr std::uint32_t kOverlappedWindowStyle = 0x00CF0000;

// A child control of a simulated window.
struct SimChild {
  std::string class_name;
  std::string text;
  std::uint32_t id = 0;
  bool visible = true;
};

struct SimWindowSpec {
  std::string class_name;
  std::string caption;
  std::uint32_t style = kOverlappedWindowStyle;
  bool ignores_close = false;
  std::uint32_t process_id = 0;  // 0: a process the desktop does not model
  std::vector<SimChild> children = {};
  bool hung = false;  // its program answers no message: its controls' texts cannot be asked
};

class SimDesktop final : public platform::Desktop {
 public:
  // Adds a window below all others and returns its id.
  WindowId AddWindow(SimWindowSpec desc);
  WindowId AddWindow(std::string class_name, std::string caption);
  void BringToTop(WindowId window);
  // The window disappears after `queries` more calls that name it.
  void VanishAfter(WindowId window, int queries);
  // Makes the bottom window's next window the top one, as a z-order changing under a walk can.
  void LinkBottomToTop() { circular_ = true; }
  // Delivers the queued close requests: windows that honour them are destroyed.
  void DeliverCloseRequests();
  // The program file a process runs; a process without one cannot be asked.
  void SetProcessImage(std::uint32_t process_id, std::string path);
  // Runs `step` each time a walk asks for the window after another, before it answers: a
  // test's way to change the world in the middle of a walk.
  void OnNextWindow(std::function<void(WindowId)> step) { on_next_ = std::move(step); }
  // Another program renames its window.
  void SetCaption(WindowId window, std::string caption);
  // Another program shows or hides its window; the watches are not told (as on a system that
  // sends no event for it).
  void SetStyle(WindowId window, std::uint32_t style);
  // Tells the live watches of each window made or renamed since the last delivery, in that
  // order, as the system's message loop would.
  void DeliverWindowEvents();
  // How many watches are live.
  std::size_t Watches() const;

  bool Exists(WindowId window) const;
  int CloseRequests(WindowId window) const;
  std::vector<WindowId> ZOrder() const;
  // How often the program file of a process has been asked for.
  int ImageLookups(std::uint32_t process_id) const;
  // How often a window's process has been asked for.
  int ProcessQueries(WindowId window) const;
  // How often a window's child controls have been asked for.
  int ChildQueries(WindowId window) const;
  // The control ids of the button clicks posted to a window, in order.
  std::vector<std::uint32_t> ButtonClicks(WindowId window) const;
  // A process that runs with higher rights: what is posted to its windows never arrives.
  void SetHigherRights(std::uint32_t process_id) { higher_rights_.insert(process_id); }

  WindowId FirstWindow(WindowId anchor) override;
  WindowId NextWindow(WindowId window) override;
  std::string ClassName(WindowId window, std::size_t capacity) override;
  std::string Text(WindowId window, std::size_t count) override;
  std::uint32_t Style(WindowId window) override;
  void PostClose(WindowId window) override;
  std::optional<std::vector<platform::ChildControl>> ChildControls(WindowId window, unsigned timeout_ms) override;
  void PostButtonClick(WindowId window, const platform::ChildControl& button) override;
  bool RunsWithHigherRights(std::uint32_t process_id) override { return higher_rights_.count(process_id) != 0; }
  std::uint32_t ProcessId(WindowId window) override;
  std::string ProcessImagePath(std::uint32_t process_id) override;
  std::unique_ptr<platform::WindowWatch> WatchWindows(std::function<void(WindowId)> seen) override;

 private:
  struct Window {
    WindowId id;
    SimWindowSpec desc;
    int close_requests = 0;
    int vanish_after = -1;
    int child_queries = 0;
    int process_queries = 0;
    std::vector<std::uint32_t> button_clicks = {};
  };
  Window* Find(WindowId window);
  const Window* Find(WindowId window) const;
  // Looks a window up for a query, counting down its remaining life.
  Window* Touch(WindowId window);
  std::string VisibleCaption(const Window& w) const;

  std::vector<Window> windows_;  // front is topmost
  std::vector<std::pair<WindowId, int>> closed_counts_;
  std::deque<WindowId> pending_closes_;
  std::map<std::uint32_t, std::string> process_images_;
  std::map<std::uint32_t, int> image_lookups_;
  std::set<std::uint32_t> higher_rights_;
  WindowId next_id_ = 0x10010;
  bool circular_ = false;
  std::function<void(WindowId)> on_next_;
  // The watches' callbacks; a watch that goes leaves an expired entry.
  std::vector<std::weak_ptr<std::function<void(WindowId)>>> watches_;
  std::deque<WindowId> pending_events_;
  mutable std::size_t hint_ = 0;  // where the last lookup found its window
};

}  // namespace quellix::sim
