#pragma once
// The user-interface host: forms and controls created from declarative descriptions,
// timers, pop-up menus, the notification area, the shell, and the process itself.
//
// Every text crossing it is UTF-8: captions, field texts, list rows, menu items, tips.
//
// Events: user actions (clicks, typing, closing a window, tray mouse activity, timers)
// and window-state changes (which the window system reports for programmatic changes
// too) reach the form's UiEvents. Setting a text, caption or value from code raises no
// event; the core raises its own change handlers where the product wants them.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quellix::platform {

// A form, control, timer or icon; 0 is none.
using UiId = std::uint32_t;

enum class ControlKind {
  kLabel,
  kLink,  // a label the user can click
  kTextField,
  kCheckBox,
  kOptionButton,
  kFrame,
  kListBox,
  kListView,  // report style, one column per caption, small icons
  kButton,
  kPicture,  // shows an icon
  kTrayHost,  // an invisible window that receives the notification area's callbacks
  // A crosshair the user drags onto any window of the desktop; where the button is let go,
  // the top-level window there is picked.
  kWindowFinder,
};

struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
};

struct FormSpec {
  FormSpec(std::string name_, std::string caption_, int width, int height, bool hidden = false)
      : name(std::move(name_)), caption(std::move(caption_)), client_width(width), client_height(height),
        hidden_host(hidden) {}
  std::string name;
  std::string caption;
  int client_width = 0, client_height = 0;  // twips
  bool hidden_host = false;  // never shown: a window that only owns menus, timers and icons
};

struct ControlSpec {
  ControlSpec(ControlKind kind_, std::string name_, std::string caption_, TwipsRect rect_, bool visible_ = true)
      : kind(kind_), name(std::move(name_)), caption(std::move(caption_)), rect(rect_), visible(visible_) {}
  ControlKind kind = ControlKind::kLabel;
  std::string name;
  std::string caption;  // caption, initial text, or icon key of a picture
  TwipsRect rect;
  bool visible = true;
  bool enabled = true;
  UiId container = 0;                // a frame holding the control, 0 for the form
  std::vector<std::string> columns;  // list view column captions
  std::vector<int> column_widths;     // their widths in twips; missing ones share what is left
};

enum class WindowState { kNormal, kMinimized };

struct MenuItem {
  int id = 0;  // 0 for a separator
  std::string caption;
  std::string icon;  // icon key, empty for none
  std::vector<MenuItem> submenu;
  bool enabled = true;  // a disabled item is shown greyed and cannot be chosen
};

// The mouse messages the notification area sends for an icon, as its callback's code.
namespace tray_code {
inline constexpr std::uint32_t kMouseMove = 0x200;         // WM_MOUSEMOVE
inline constexpr std::uint32_t kLeftDown = 0x201;          // WM_LBUTTONDOWN
inline constexpr std::uint32_t kLeftUp = 0x202;            // WM_LBUTTONUP
inline constexpr std::uint32_t kLeftDoubleClick = 0x203;   // WM_LBUTTONDBLCLK
inline constexpr std::uint32_t kRightDown = 0x204;         // WM_RBUTTONDOWN
inline constexpr std::uint32_t kRightUp = 0x205;           // WM_RBUTTONUP
inline constexpr std::uint32_t kRightDoubleClick = 0x206;  // WM_RBUTTONDBLCLK
}  // namespace tray_code

// The notification area's record in its 88-byte layout; its 64-byte tip field holds UTF-8.
using NotifyIconRecord = std::array<unsigned char, 88>;
enum class NotifyAction : std::uint32_t { kAdd = 0, kModify = 1, kDelete = 2 };

// The keys a dialog answers with its default and cancel buttons.
enum class DialogKey { kEnter, kEscape };

class UiEvents {
 public:
  virtual ~UiEvents() = default;
  virtual void OnClick(UiId /*control*/) {}
  virtual void OnDoubleClick(UiId /*control*/) {}
  virtual void OnTextEdited(UiId /*control*/) {}
  // A click on a row of a list, also on the row that was highlighted already.
  virtual void OnItemClick(UiId /*control*/, std::size_t /*index1*/) {}
  // The user moved a list's highlight to another row, by mouse or keyboard; a click that
  // moves it raises this before its OnItemClick. ListSelect raises nothing.
  virtual void OnSelectionChanged(UiId /*control*/, std::size_t /*index1*/) {}
  virtual void OnWindowStateChanged(UiId /*form*/) {}
  virtual void OnCloseRequest(UiId /*form*/) {}
  // The user's session ends (log off, shut down), or an installer asks the program to end so
  // that it can replace its files; the form is told once.
  virtual void OnSessionEnding(UiId /*form*/) {}
  virtual void OnTimer(UiId /*timer*/) {}
  // A notification code (0x200 to 0x209) for the icon of a tray host.
  virtual void OnTrayNotify(UiId /*tray_host*/, std::uint32_t /*code*/) {}
  // The crosshair of a window finder was let go over `window` (a top-level window, as the
  // desktop's walks name it), or over no window (0).
  virtual void OnWindowPicked(UiId /*finder*/, std::uint64_t /*window*/) {}
  // Enter typed in a text field or list of the form, or Escape anywhere in it. True when the
  // form answered it (as a dialog's default or cancel button); otherwise the key goes on to
  // the control as usual.
  virtual bool OnDialogKey(UiId /*form*/, DialogKey /*key*/) { return false; }
};

class Ui {
 public:
  virtual ~Ui() = default;

  virtual UiId CreateForm(const FormSpec& desc, UiEvents& events) = 0;
  // Destroys the form with its controls and timers.
  virtual void DestroyForm(UiId form) = 0;
  virtual UiId CreateControl(UiId form, const ControlSpec& desc) = 0;

  virtual void SetVisible(UiId id, bool visible) = 0;
  virtual bool Visible(UiId id) = 0;
  virtual void SetEnabled(UiId id, bool enabled) = 0;
  virtual void SetText(UiId id, const std::string& text) = 0;
  virtual std::string Text(UiId id) = 0;
  virtual void SetValue(UiId id, int value) = 0;  // check box 0/1, option button 0/1
  virtual int Value(UiId id) = 0;
  virtual void Move(UiId id, int left_twips, int top_twips) = 0;
  virtual TwipsRect Bounds(UiId id) = 0;
  // The text shown while the mouse rests on the control.
  virtual void SetToolTip(UiId control, const std::string& text) = 0;

  virtual void SetWindowState(UiId form, WindowState state) = 0;
  virtual WindowState GetWindowState(UiId form) = 0;
  virtual void CenterOnScreen(UiId form) = 0;
  virtual void SetTopmost(UiId form) = 0;

  // List boxes and list views, rows 1-based.
  virtual void ListClear(UiId list) = 0;
  virtual void ListAdd(UiId list, const std::vector<std::string>& cells, const std::string& icon) = 0;
  virtual std::size_t ListCount(UiId list) = 0;
  virtual std::string ListText(UiId list, std::size_t row) = 0;
  // The row's first cell; a row that does not exist is left alone.
  virtual void ListSetText(UiId list, std::size_t row, const std::string& text) = 0;
  // Removes the row; a row that does not exist is left alone.
  virtual void ListRemove(UiId list, std::size_t row) = 0;
  // Selects the row and scrolls it into view; the selection raises no event.
  virtual void ListSelect(UiId list, std::size_t row) = 0;
  // A label's text colour (0x00BBGGRR); the default colour again for kDefaultTextColor.
  static constexpr std::uint32_t kDefaultTextColor = 0xFFFFFFFF;
  virtual void SetTextColor(UiId label, std::uint32_t rgb) = 0;

  virtual UiId CreateTimer(UiId form, unsigned interval_ms) = 0;
  virtual void DestroyTimer(UiId timer) = 0;

  // Shows a pop-up menu at the mouse position and returns the chosen item's id, 0 for none.
  virtual int TrackPopupMenu(UiId owner_form, const std::vector<MenuItem>& items) = 0;

  // The native window handle of a tray host, and of an icon, as the notification record holds them.
  virtual std::uint32_t NativeWindow(UiId id) = 0;
  virtual std::uint32_t LoadIcon(const std::string& key) = 0;
  virtual void NotifyIcon(NotifyAction action, const NotifyIconRecord& record) = 0;
  // A warning balloon over the icon (native window, icon id) that the tray host shows now.
  virtual void ShowBalloon(std::uint32_t window, std::uint32_t icon_id, const std::string& title,
                           const std::string& text) = 0;

  // Lets pending events run.
  virtual void DoEvents() = 0;
};

// The shell and the process. Targets, folders and command lines are UTF-8, as paths are.
class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document or web address ("OPEN") from the working folder, on behalf of the owner
  // window (a native handle, 0 for none) with the given show command; false when the request
  // failed.
  virtual bool Open(const std::string& target, const std::string& folder, std::uint32_t owner,
                    int show_command) = 0;
  // Starts a program from a command line in a normal, focused window.
  virtual bool Start(const std::string& command_line) = 0;
  // The Windows folder ("C:\\WINDOWS"), where the system's own programs live.
  virtual std::string WindowsFolder() = 0;
  // True when another copy of the product was running when this one started: the shell
  // claims the product's single-instance name as it is created, at process start.
  virtual bool AnotherCopyRunning() = 0;
  // Ends the process at once: no window is closed, nothing is saved.
  virtual void EndProcess() = 0;
};

}  // namespace quellix::platform
