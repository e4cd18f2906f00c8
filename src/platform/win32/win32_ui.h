#pragma once
// The user-interface host on Win32: real windows and standard controls.

#include <windows.h>
// after windows.h, whose types they use
#include <commctrl.h>
#include <shellapi.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/list_rows.h"
#include "platform/ui.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_drawn_button.h"
#include "platform/win32/win32_icons.h"
#include "platform/win32/win32_tray_host.h"

namespace quellix::win32 {

class Win32Ui final : public platform::Ui {
 public:
  // Push buttons that `drawn_controls` describes are drawn buttons; it outlives the host.
  explicit Win32Ui(const platform::DrawnControlMaker& drawn_controls);
  ~Win32Ui() override;

  // Runs the message loop until the process ends.
  int Run();

  platform::UiId CreateForm(const platform::FormSpec& desc, platform::UiEvents& events) override;
  void DestroyForm(platform::UiId form) override;
  platform::UiId CreateControl(platform::UiId form, const platform::ControlSpec& desc) override;
  void SetVisible(platform::UiId id, bool visible) override;
  bool Visible(platform::UiId id) override;
  void SetEnabled(platform::UiId id, bool enabled) override;
  void SetText(platform::UiId id, const std::string& text) override;
  std::string Text(platform::UiId id) override;
  void SetValue(platform::UiId id, int value) override;
  int Value(platform::UiId id) override;
  void Move(platform::UiId id, int left_twips, int top_twips) override;
  platform::TwipsRect Bounds(platform::UiId id) override;
  void SetToolTip(platform::UiId control, const std::string& text) override;
  void SetWindowState(platform::UiId form, platform::WindowState state) override;
  platform::WindowState GetWindowState(platform::UiId form) override;
  void CenterOnScreen(platform::UiId form) override;
  void SetTopmost(platform::UiId form) override;
  void ListClear(platform::UiId list) override;
  void ListAdd(platform::UiId list, const std::vector<std::string>& cells, const std::string& icon) override;
  std::size_t ListCount(platform::UiId list) override;
  std::string ListText(platform::UiId list, std::size_t row) override;
  void ListSetText(platform::UiId list, std::size_t row, const std::string& text) override;
  void ListRemove(platform::UiId list, std::size_t row) override;
  void ListSelect(platform::UiId list, std::size_t row) override;
  void SetTextColor(platform::UiId label, std::uint32_t rgb) override;
  platform::UiId CreateTimer(platform::UiId form, unsigned interval_ms) override;
  void DestroyTimer(platform::UiId timer) override;
  int TrackPopupMenu(platform::UiId owner_form, const std::vector<platform::MenuItem>& items) override;
  std::uint32_t NativeWindow(platform::UiId id) override;
  std::uint32_t LoadIcon(const std::string& key) override;
  void NotifyIcon(platform::NotifyAction action, const platform::NotifyIconRecord& record) override;
  void ShowBalloon(std::uint32_t window, std::uint32_t icon_id, const std::string& title,
                   const std::string& text) override;
  void DoEvents() override;

 private:
  // A form: the top-level window it owns and what belongs to the whole form.
  struct Win32Form {
    std::string name;
    platform::UiEvents* events = nullptr;
    platform::WindowState state = platform::WindowState::kNormal;  // kept while hidden
    UniqueWindow window;  // destroys the controls' windows, its children, with it
    // Made at the first tip and shared by the form's controls; owned by the window, so it
    // goes first (members go in reverse order).
    UniqueWindow tooltip;
  };
  // A list view's rows and icons, which the host keeps and the list view asks for.
  struct ListData {
    // Its small icons: the list view shares them (LVS_SHAREIMAGELISTS), so this is their
    // one owner.
    UniqueImageList images;
    std::map<std::string, int, std::less<>> image_index;  // by icon key
    platform::ListRows rows;
    bool rows_pending = false;  // rows added that the list view has not been told of
  };
  // A form or a control: where it stands and what of it the host owns.
  struct Element {
    HWND hwnd = nullptr;  // the form's own window, a child of it, or the tray host's
    platform::UiId form = 0;
    platform::ControlKind kind = platform::ControlKind::kLabel;
    platform::TwipsRect rect;
    platform::UiId container = 0;
    COLORREF text_color = CLR_INVALID;  // a label's own text colour
    std::unique_ptr<Win32Form> as_form;  // a form's
    std::unique_ptr<ListData> list;      // a list view's
    // A push button the program describes is a drawn button; held by its window's messages
    // too while they run.
    std::shared_ptr<Win32DrawnButton> drawn;
    std::unique_ptr<Win32TrayHost> tray;  // the tray host, a top-level window outside the form
  };
  static LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  static LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) noexcept;
  LRESULT HandleFormMessage(platform::UiId form, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void HandleCommand(platform::UiId form, WPARAM wparam);
  void HandleNotify(platform::UiId form, NMHDR& header);
  void DrawMenuIcon(const DRAWITEMSTRUCT& item);
  // Alt and a drawn button's access key, typed anywhere in its form, presses the button.
  bool PressAccessKey(const MSG& msg);
  bool FollowLabelKey(HWND form, const std::wstring& typed);
  // One message of the message loop, and the keys the host answers itself.
  void Dispatch(const MSG& msg) noexcept;
  bool MoveFocusByTab(const MSG& msg);
  bool AnswerDialogKey(const MSG& msg);
  // The button that the form describes as `desc`, drawn; null when the window is refused.
  std::shared_ptr<Win32DrawnButton> CreateDrawnButton(platform::UiId form, platform::UiId id,
                                                      const Element& e, const platform::ControlSpec& desc);
  void FillListItem(ListData& list, NMLVDISPINFOW& info);
  // A row that a list view's user highlighted, by mouse or keyboard, raises OnSelectionChanged.
  void FollowListViewChange(platform::UiId list, const NMLISTVIEW& change);
  // A left click released on the row of a list box it was pressed on raises OnItemClick, also
  // when the row was selected already (the list box's own notice is meant for changes).
  void FollowListBoxClick(const MSG& msg);
  void MarkRowsAdded(Element& list, platform::UiId id);
  void SyncRowCount(platform::UiId list);
  // Brings the lists that `shown` (a form, a frame or a list) makes visible up to date.
  void SyncShownRowCounts(platform::UiId shown);
  Element* Lookup(platform::UiId id);
  platform::UiEvents* EventsOf(platform::UiId id);
  int Pixels(int twips) const { return MulDiv(twips, dpi_, 1440); }
  int Twips(int pixels) const { return MulDiv(pixels, 1440, dpi_); }
  // Where a control stands in its form's client area, in pixels.
  POINT Origin(const Element& e) const;
  // Places and sizes every control of the form from its twips at the current DPI.
  void LayOut(platform::UiId form);
  HICON Icon(const std::string& key, int size);
  // A picture shows the large icon, or the small one when its place is too low for that.
  int PictureIconSize(const Element& picture) const { return Pixels(picture.rect.height) >= 32 ? 32 : 16; }

  // The tray host that `window` is, or null.
  Win32TrayHost* TrayHostOf(std::uint32_t window);

  const platform::DrawnControlMaker& drawn_controls_;
  Win32Icons icons_;  // before the elements, whose tray hosts use it
  std::map<platform::UiId, Element> elements_;
  std::map<platform::UiId, std::pair<platform::UiId, UINT_PTR>> timers_;
  std::map<int, std::string> menu_icons_;  // while a menu is open: item id -> icon key
  platform::UiId next_id_ = 1000;
  int dpi_ = 96;
  HFONT font_ = nullptr;
  bool com_ready_ = false;
  bool setting_text_ = false;
  bool selecting_row_ = false;       // ListSelect runs: the change is the program's, not the user's
  HWND pressed_list_box_ = nullptr;  // the list box the left button went down on
  wchar_t typed_high_surrogate_ = 0;  // the first half of a character typed with Alt
};

class Win32Shell final : public platform::Shell {
 public:
  // Claims the product's single-instance name: made once, at process start.
  Win32Shell();
  bool Open(const std::string& target, const std::string& folder, std::uint32_t owner, int show_command) override;
  bool Start(const std::string& command_line) override;
  std::string WindowsFolder() override;
  bool AnotherCopyRunning() override;
  void EndProcess() override;

 private:
  UniqueKernelHandle instance_mutex_;
  bool another_copy_ = false;
};

}  // namespace quellix::win32
