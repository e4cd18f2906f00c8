#pragma once
// A headless user-interface host that keeps forms and controls as data and that tests
// drive: click, type, close, minimise, fire timers in virtual time, answer menus.

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/control_window.h"
#include "platform/list_rows.h"
#include "platform/sim/sim_canvas.h"
#include "platform/sim/sim_control_window.h"
#include "platform/ui.h"

namespace quellix::sim {

using platform::UiId;

// A drawn button in the place of a push button the program describes: the model on a
// simulated window and canvas. The window's client size is the control's size at 15 twips
// a pixel (96 dots per inch).
struct SimDrawnButton {
  static constexpr int kTwipsPerPixel = 15;
  SimControlWindow window;
  SimCanvas canvas;
  std::unique_ptr<platform::DrawnControl> control;
};

class SimUi final : public platform::Ui {
 public:
  // Push buttons that `drawn_controls` describes are drawn buttons; it outlives the host.
  explicit SimUi(const platform::DrawnControlMaker& drawn_controls) : drawn_controls_(drawn_controls) {}

  struct Element {
    UiId id = 0;
    UiId form = 0;  // the form it belongs to; itself for a form
    bool is_form = false;
    platform::ControlKind kind = platform::ControlKind::kLabel;
    std::string name;
    std::string text;
    std::string tooltip;
    platform::TwipsRect rect;
    bool visible = false;
    bool enabled = true;
    int value = 0;
    bool hidden_host = false;
    bool shown_once = false;  // a form shown at least once
    platform::WindowState state = platform::WindowState::kNormal;
    bool topmost = false;
    bool centered = false;
    UiId container = 0;
    std::vector<std::string> columns;
    platform::ListRows rows;       // a list's rows: cells and icon key
    std::size_t selected_row = 0;  // a list's highlighted row, 0 for none
    std::uint32_t text_color = platform::Ui::kDefaultTextColor;
    platform::UiEvents* events = nullptr;
    std::shared_ptr<SimDrawnButton> drawn;  // for a drawn button
  };
  struct Timer {
    UiId form;
    unsigned interval;
    std::uint64_t due;
  };

  // Inspection.
  std::optional<UiId> FindForm(const std::string& name) const;
  // A control by name (and by creation order among controls of the same name).
  UiId Find(UiId form, const std::string& name, int nth = 0) const;
  UiId Find(const std::string& form, const std::string& name, int nth = 0) const;
  const Element& Get(UiId id) const { return elements_.at(id); }
  bool Exists(UiId id) const { return elements_.count(id) != 0; }
  // The drawn button of a button control; null for a standard push button or another control.
  SimDrawnButton* Drawn(UiId id) const;
  std::size_t LiveTimers() const { return timers_.size(); }
  std::uint64_t Now() const { return now_; }

  // Driving, as a user would. A drawn button is pressed and released with the left button.
  void Click(UiId control);
  void DoubleClick(UiId control);
  void Type(UiId control, const std::string& text);
  // A click on a row highlights it (raising the change first when it moves) and is reported
  // as a click whether or not the row was highlighted already.
  void ItemClick(UiId list, std::size_t row);
  // The arrow keys, Home, End or the page keys move the highlight to a row.
  void MoveHighlight(UiId list, std::size_t row);
  void CloseByUser(UiId form);
  // The session ends: every form still there is told, oldest first, as the system tells
  // every top-level window.
  void EndSession();
  void MinimizeByUser(UiId form);
  void TrayNotify(UiId tray_host, std::uint32_t code);
  // The user drags a window finder's crosshair onto `window` and lets go.
  void PickWindow(UiId finder, std::uint64_t window);
  // The user types Enter (in a field or list of the form) or Escape; true when the form
  // answered it.
  bool PressKey(UiId form, platform::DialogKey key);
  // Moves virtual time on, firing due timers in order.
  void AdvanceTime(std::uint64_t ms);
  // Events run by the next DoEvents, as messages waiting in a queue would.
  void QueueEvent(std::function<void()> event) { queued_.push_back(std::move(event)); }

  // Menus: the shown menus, and the item the user picks in the next one (by caption path,
  // e.g. {"Add open Window", "Title"}); no scripted pick closes the menu with nothing chosen.
  std::vector<std::vector<platform::MenuItem>> menus_shown;
  std::deque<std::vector<std::string>> menu_picks;
  std::vector<std::pair<platform::NotifyAction, platform::NotifyIconRecord>> notify_calls;
  struct Balloon {
    std::uint32_t window, icon_id;
    std::string title, text;
  };
  std::vector<Balloon> balloons;

  UiId CreateForm(const platform::FormSpec& desc, platform::UiEvents& events) override;
  void DestroyForm(UiId form) override;
  UiId CreateControl(UiId form, const platform::ControlSpec& desc) override;
  void SetVisible(UiId id, bool visible) override;
  bool Visible(UiId id) override;
  void SetEnabled(UiId id, bool enabled) override;
  void SetText(UiId id, const std::string& text) override;
  std::string Text(UiId id) override;
  void SetValue(UiId id, int value) override;
  int Value(UiId id) override;
  void Move(UiId id, int left_twips, int top_twips) override;
  platform::TwipsRect Bounds(UiId id) override;
  void SetToolTip(UiId control, const std::string& text) override;
  void SetWindowState(UiId form, platform::WindowState state) override;
  platform::WindowState GetWindowState(UiId form) override;
  void CenterOnScreen(UiId form) override;
  void SetTopmost(UiId form) override;
  void ListClear(UiId list) override;
  void ListAdd(UiId list, const std::vector<std::string>& cells, const std::string& icon) override;
  std::size_t ListCount(UiId list) override;
  std::string ListText(UiId list, std::size_t row) override;
  void ListSetText(UiId list, std::size_t row, const std::string& text) override;
  void ListRemove(UiId list, std::size_t row) override;
  void ListSelect(UiId list, std::size_t row) override;
  void SetTextColor(UiId label, std::uint32_t rgb) override;
  UiId CreateTimer(UiId form, unsigned interval_ms) override;
  void DestroyTimer(UiId timer) override;
  int TrackPopupMenu(UiId owner_form, const std::vector<platform::MenuItem>& items) override;
  std::uint32_t NativeWindow(UiId id) override { return id; }
  std::uint32_t LoadIcon(const std::string& key) override;
  void NotifyIcon(platform::NotifyAction action, const platform::NotifyIconRecord& record) override;
  void ShowBalloon(std::uint32_t window, std::uint32_t icon_id, const std::string& title,
                   const std::string& text) override {
    balloons.push_back({window, icon_id, title, text});
  }
  void DoEvents() override;

 private:
  Element* Lookup(UiId id);
  platform::UiEvents* EventsOf(UiId id);

  const platform::DrawnControlMaker& drawn_controls_;
  std::map<UiId, Element> elements_;
  std::map<UiId, Timer> timers_;
  std::map<std::string, std::uint32_t> icons_;
  std::deque<std::function<void()>> queued_;
  UiId next_id_ = 1;
  std::uint64_t now_ = 0;
};

class SimShell final : public platform::Shell {
 public:
  struct OpenRequest {
    std::string target;
    std::string folder;
    std::uint32_t owner;
    int show_command;
  };
  std::vector<std::string> opened;
  std::vector<OpenRequest> open_requests;
  bool open_fails = false;
  std::vector<std::string> started;
  bool another_copy = false;
  bool ended = false;
  bool Open(const std::string& target, const std::string& folder, std::uint32_t owner, int show_command) override {
    opened.push_back(target);
    open_requests.push_back({target, folder, owner, show_command});
    return !open_fails;
  }
  bool Start(const std::string& command_line) override {
    started.push_back(command_line);
    return true;
  }
  std::string WindowsFolder() override { return windows_folder; }
  bool AnotherCopyRunning() override { return another_copy; }
  void EndProcess() override { ended = true; }
  std::string windows_folder = "C:\\WINDOWS";
};

}  // namespace quellix::sim
