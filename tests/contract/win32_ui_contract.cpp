// The Win32 user-interface host under Wine: what the product relies on from window states,
// the single-instance claim, menus whose owner goes away, teardown, and texts of every script
// kept whole by forms, controls, lists, menus, tips and the clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "controls/hosted_button.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_ui_shared.h"
#include "text/utf8.h"

namespace quellix::win32 {
namespace {

using platform::ControlKind;
using platform::WindowState;

struct NoEvents : platform::UiEvents {};

class Win32UiContract : public ::testing::Test {
 protected:
  Win32Ui ui{controls::DrawnProductButtons()};
  NoEvents events;
  HWND Hwnd(platform::UiId id) { return FromLow32<HWND>(ui.NativeWindow(id)); }
};

TEST_F(Win32UiContract, AWindowMinimisedThenHiddenComesBackNormalWhenSetNormalAndShown) {
  const auto form = ui.CreateForm({"Form1", "Quellix", 3000, 2000}, events);
  ui.SetVisible(form, true);
  ui.SetWindowState(form, WindowState::kMinimized);
  ASSERT_TRUE(IsIconic(Hwnd(form)));
  ui.SetVisible(form, false);  // as going to the tray does
  ui.SetWindowState(form, WindowState::kNormal);
  EXPECT_EQ(ui.GetWindowState(form), WindowState::kNormal);
  ui.SetVisible(form, true);
  EXPECT_TRUE(IsWindowVisible(Hwnd(form)));
  EXPECT_FALSE(IsIconic(Hwnd(form)));
  EXPECT_EQ(ui.GetWindowState(form), WindowState::kNormal);
  ui.DestroyForm(form);
}

TEST_F(Win32UiContract, AHiddenWindowSetMinimisedAndShownIsNotLeftIconicByShowingItAgain) {
  const auto form = ui.CreateForm({"Form1", "Quellix", 3000, 2000}, events);
  ui.SetWindowState(form, WindowState::kMinimized);  // the start-up sequence, hidden
  EXPECT_EQ(ui.GetWindowState(form), WindowState::kMinimized);
  ui.SetWindowState(form, WindowState::kNormal);
  ui.SetVisible(form, true);
  EXPECT_FALSE(IsIconic(Hwnd(form)));
  ui.DestroyForm(form);
}

TEST_F(Win32UiContract, AFormMovedToAMonitorOfAnotherScaleLaysItsControlsOutAgain) {
  const auto form = ui.CreateForm({"Form1", "Quellix", 6000, 4000}, events);
  const auto label =
      ui.CreateControl(form, {ControlKind::kLabel, "Label1", "PopUp Menu", {1440, 720, 2880, 360}});
  RECT before{};
  GetWindowRect(Hwnd(label), &before);
  RECT suggested{100, 100, 100 + 900, 100 + 700};
  SendMessageA(Hwnd(form), 0x02E0, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  RECT after{};
  GetWindowRect(Hwnd(label), &after);
  EXPECT_EQ(after.right - after.left, 2880 * 192 / 1440);  // two inches at 192 dots an inch
  EXPECT_EQ(after.bottom - after.top, 360 * 192 / 1440);
  POINT origin{after.left, after.top};
  ScreenToClient(Hwnd(form), &origin);
  EXPECT_EQ(origin.x, 1440 * 192 / 1440);
  RECT window{};
  GetWindowRect(Hwnd(form), &window);
  EXPECT_EQ(window.right - window.left, 900);
  ui.DestroyForm(form);
}

TEST_F(Win32UiContract, TabAndShiftTabMoveTheFocusBetweenAFormsControls) {
  const auto form = ui.CreateForm({"Form3", "Window title To Edit", 5400, 2100}, events);
  const auto text = ui.CreateControl(form, {ControlKind::kTextField, "Text1", "", {240, 600, 4920, 315}});
  const auto box =
      ui.CreateControl(form, {ControlKind::kCheckBox, "Check1", "Auto Refresh", {240, 1000, 2400, 255}});
  ui.CreateControl(form, {ControlKind::kLabel, "Label1", "not a stop", {240, 1400, 2400, 255}});
  ui.SetVisible(form, true);
  SetFocus(Hwnd(text));
  PostMessageA(Hwnd(text), WM_KEYDOWN, VK_TAB, 0);
  ui.DoEvents();
  EXPECT_EQ(GetFocus(), Hwnd(box));
  PostMessageA(Hwnd(box), WM_KEYDOWN, VK_TAB, 0);
  ui.DoEvents();
  EXPECT_EQ(GetFocus(), Hwnd(text));  // round again, past the label
  ui.DestroyForm(form);
}

TEST_F(Win32UiContract, ALabelsAccessKeyFocusesItsFieldAndABoxsKeyChoosesIt) {
  const auto form = ui.CreateForm({"Form5", "Window Rule", 5400, 2100}, events);
  ui.CreateControl(form, {ControlKind::kLabel, "lblProgram", "&Program:", {240, 200, 1800, 255}});
  const auto program = ui.CreateControl(form, {ControlKind::kTextField, "txtProgram", "", {2100, 160, 3000, 315}});
  ui.CreateControl(form, {ControlKind::kLabel, "lblTitle", "&Title contains:", {240, 600, 1800, 255}});
  const auto title = ui.CreateControl(form, {ControlKind::kTextField, "txtTitle", "Update", {2100, 560, 3000, 315}});
  const auto press = ui.CreateControl(form, {ControlKind::kOptionButton, "optPress", "Press the &button", {240, 1000, 2400, 255}});
  ui.SetVisible(form, true);
  SetFocus(Hwnd(program));
  PostMessageW(Hwnd(program), WM_SYSCHAR, L't', 1 << 29);  // Alt+T
  ui.DoEvents();
  EXPECT_EQ(GetFocus(), Hwnd(title));
  EXPECT_EQ(SendMessageW(Hwnd(title), EM_GETSEL, 0, 0), MAKELRESULT(0, 6));  // its text chosen, to type over
  PostMessageW(Hwnd(title), WM_SYSCHAR, L'P', 1 << 29);  // Alt+Shift+P: the same key
  ui.DoEvents();
  EXPECT_EQ(GetFocus(), Hwnd(program));
  PostMessageW(Hwnd(program), WM_SYSCHAR, L'b', 1 << 29);
  ui.DoEvents();
  EXPECT_EQ(ui.Value(press), 1);
  ui.DestroyForm(form);
}

struct KeyEvents : platform::UiEvents {
  std::vector<platform::DialogKey> keys;
  bool answers = true;
  bool OnDialogKey(platform::UiId, platform::DialogKey key) override {
    keys.push_back(key);
    return answers;
  }
};

TEST_F(Win32UiContract, EnterInAFieldAndEscapeAnywhereGoToTheFormButEnterOnAButtonStaysTheButtons) {
  KeyEvents keys;
  const auto form = ui.CreateForm({"Form5", "Window Rule", 5400, 2100}, keys);
  const auto field = ui.CreateControl(form, {ControlKind::kTextField, "txtProgram", "", {240, 160, 3000, 315}});
  const auto box = ui.CreateControl(form, {ControlKind::kCheckBox, "chkAny", "Any", {240, 600, 2400, 255}});
  ui.SetVisible(form, true);
  SetFocus(Hwnd(field));
  PostMessageW(Hwnd(field), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(Hwnd(box), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(Hwnd(box), WM_KEYDOWN, VK_ESCAPE, 0);
  ui.DoEvents();
  EXPECT_EQ(keys.keys, (std::vector<platform::DialogKey>{platform::DialogKey::kEnter, platform::DialogKey::kEscape}));
  ui.DestroyForm(form);
}

struct SessionEvents : platform::UiEvents {
  std::vector<platform::UiId> told;
  void OnSessionEnding(platform::UiId form) override { told.push_back(form); }
};

// A log-off that another program cancels must not end the product: only an end that happens
// (WM_ENDSESSION with TRUE) is told, and the query before it is agreed to.
TEST(Win32SessionContract, AFormIsToldOfTheSessionsEndOnlyWhenItEndsAndAgreesToTheQuery) {
  Win32Ui ui{controls::DrawnProductButtons()};
  SessionEvents events;
  const auto form = ui.CreateForm({"Form1", "Quellix", 3000, 2000}, events);
  const HWND hwnd = FromLow32<HWND>(ui.NativeWindow(form));
  EXPECT_NE(SendMessageA(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP), 0);
  SendMessageA(hwnd, WM_ENDSESSION, FALSE, 0);
  EXPECT_TRUE(events.told.empty());
  SendMessageA(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  EXPECT_EQ(events.told, std::vector<platform::UiId>{form});
  ui.DestroyForm(form);
}

struct PickEvents : platform::UiEvents {
  std::vector<std::uint64_t> picked;
  void OnWindowPicked(platform::UiId, std::uint64_t window) override { picked.push_back(window); }
};

TEST_F(Win32UiContract, TheCrosshairDraggedOntoAWindowPicksItsTopLevelWindow) {
  PickEvents picks;
  const auto dialog = ui.CreateForm({"Form5", "Window Rule", 3000, 2000}, picks);
  const auto finder = ui.CreateControl(dialog, {ControlKind::kWindowFinder, "picFinder", "", {120, 120, 420, 420}});
  const auto target = ui.CreateForm({"Form1", "Some program", 3000, 2000}, events);
  const auto label = ui.CreateControl(target, {ControlKind::kLabel, "Label1", "A notice", {600, 600, 1500, 255}});
  ui.SetVisible(dialog, true);
  ui.SetVisible(target, true);
  SetWindowPos(Hwnd(target), HWND_TOP, 400, 300, 0, 0, SWP_NOSIZE);
  ui.DoEvents();
  const HWND crosshair = Hwnd(finder);
  SendMessageW(crosshair, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCapture(), crosshair);  // the drag holds the mouse
  RECT over;
  GetWindowRect(Hwnd(label), &over);
  SetCursorPos((over.left + over.right) / 2, (over.top + over.bottom) / 2);
  SendMessageW(crosshair, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCapture(), nullptr);
  ui.DoEvents();
  // The label's top-level window, as walks name it.
  EXPECT_EQ(picks.picked, std::vector<std::uint64_t>{reinterpret_cast<std::uintptr_t>(Hwnd(target))});
  ui.DestroyForm(target);
  ui.DestroyForm(dialog);
}

TEST(Win32ShellContract, TheSingleInstanceNameIsClaimedWhenTheShellIsMade) {
  Win32Shell first;
  Win32Shell second;  // another copy starting while the first has not asked yet
  EXPECT_TRUE(second.AnotherCopyRunning());
  EXPECT_FALSE(first.AnotherCopyRunning());
}

TEST_F(Win32UiContract, DestroyingAFormDestroysTheTrayHostWindowAndListViewsShareTheirImages) {
  const auto form = ui.CreateForm({"Form1", "Quellix", 3000, 2000}, events);
  const auto host = ui.CreateControl(form, {ControlKind::kTrayHost, "TrayArea1", "", {}});
  platform::ControlSpec list{ControlKind::kListView, "view1", "", {0, 0, 2000, 1000}};
  list.columns = {"Window Title"};
  const auto view = ui.CreateControl(form, list);
  ui.ListAdd(view, {"offers"}, "a");
  const HWND host_window = Hwnd(host);
  ASSERT_TRUE(IsWindow(host_window));
  // The image list has one owner, the host; the list view only uses it.
  EXPECT_NE(GetWindowLongA(Hwnd(view), GWL_STYLE) & LVS_SHAREIMAGELISTS, 0);
  ui.DestroyForm(form);
  EXPECT_FALSE(IsWindow(host_window));
}

// The tooltip control a form owns, or none.
HWND OwnedTooltip(HWND form) {
  HWND tip = nullptr;
  while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr)
    if (GetWindow(tip, GW_OWNER) == form) return tip;
  return nullptr;
}

std::string TipText(HWND tip, HWND form, HWND control) {
  wchar_t text[256] = {};
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  return Narrow(text);
}

TEST_F(Win32UiContract, ACheckBoxTipIsKeptByOneTooltipOfTheFormAndGoesWithIt) {
  const auto form = ui.CreateForm({"Form1", "Quellix", 3000, 2000}, events);
  const std::string caption = "A caption long enough to need a second line";
  const auto box =
      ui.CreateControl(form, {ControlKind::kCheckBox, "chkChromium", caption, {0, 0, 1500, 390}});
  const auto other = ui.CreateControl(form, {ControlKind::kCheckBox, "Check1", "Other", {0, 600, 1500, 255}});
  EXPECT_NE(GetWindowLongA(Hwnd(box), GWL_STYLE) & BS_MULTILINE, 0);    // the caption wraps
  EXPECT_EQ(GetWindowLongA(Hwnd(other), GWL_STYLE) & BS_MULTILINE, 0);  // a one-line box does not
  EXPECT_EQ(OwnedTooltip(Hwnd(form)), nullptr);                         // made at the first tip
  ui.SetToolTip(box, "Closes the whole window");
  ui.SetToolTip(other, "Other tip");
  const HWND tip = OwnedTooltip(Hwnd(form));
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(TipText(tip, Hwnd(form), Hwnd(box)), "Closes the whole window");
  ui.SetToolTip(box, "A new text");
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
  EXPECT_EQ(TipText(tip, Hwnd(form), Hwnd(box)), "A new text");
  ui.SetToolTip(other, "");
  EXPECT_EQ(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
  ui.DestroyForm(form);
  EXPECT_FALSE(IsWindow(tip));
}

// What a list view shows in a cell, read as Unicode into a buffer of `capacity` units.
std::string ShownText(HWND list, int row, int column, int capacity = 256) {
  std::wstring text(static_cast<std::size_t>(capacity), L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = capacity;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return Narrow(text.c_str());
}

TEST_F(Win32UiContract, ListViewRowsAreKeptByTheHostAndShownWhenTheListIs) {
  const auto form = ui.CreateForm({"Form1", "Quellix", 6000, 4000}, events);
  platform::ControlSpec desc{ControlKind::kListView, "view3", "", {0, 0, 5000, 3000}};
  desc.columns = {"Date", "Time", "Explorere", "Window Title"};
  const auto list = ui.CreateControl(form, desc);
  for (int i = 1; i <= 1000; ++i)
    ui.ListAdd(list, {"d" + std::to_string(i), "t", "b", "title " + std::to_string(i)}, "a");
  EXPECT_EQ(ui.ListCount(list), 1000u);
  ui.SetVisible(form, true);  // the list view learns of the rows when it can be seen
  const HWND view = Hwnd(list);
  EXPECT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), 1000);
  EXPECT_EQ(ShownText(view, 999, 0), "d1000");
  EXPECT_EQ(ShownText(view, 0, 3), "title 1");
  ui.ListRemove(list, 1);
  ui.ListSetText(list, 1, "changed");
  ui.ListRemove(list, 5000);  // no such row: nothing happens
  EXPECT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), 999);
  EXPECT_EQ(ShownText(view, 0, 0), "changed");
  EXPECT_EQ(ui.ListText(list, 2), "d3");
  ui.ListAdd(list, {"late"}, "");
  ui.DoEvents();  // rows added to a shown list arrive with the next pending events
  EXPECT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), 1000);
  EXPECT_EQ(ShownText(view, 999, 0), "late");
  EXPECT_EQ(ShownText(view, 999, 2), "");  // a cell the row does not have is empty
  ui.ListClear(list);
  EXPECT_EQ(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0), 0);
  ui.DestroyForm(form);
}

// What the lists of a form tell, in order: "click N" and "highlight N".
struct ListEvents : platform::UiEvents {
  std::vector<std::string> told;
  void OnItemClick(platform::UiId /*control*/, std::size_t row) override {
    told.push_back("click " + std::to_string(row));
  }
  void OnSelectionChanged(platform::UiId /*control*/, std::size_t row) override {
    told.push_back("highlight " + std::to_string(row));
  }
};

void PostKey(HWND control, WPARAM key) {
  PostMessageA(control, WM_KEYDOWN, key, 1);
  PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}

TEST_F(Win32UiContract, AListViewTellsTheRowsItsUserHighlightsWithTheKeysButNotTheProgramsOwn) {
  ListEvents told;
  const auto form = ui.CreateForm({"Form1", "Quellix", 6000, 4000}, told);
  platform::ControlSpec desc{ControlKind::kListView, "view1", "", {0, 0, 5000, 3000}};
  desc.columns = {"Window Title", "Burned", "Last burned"};
  const auto list = ui.CreateControl(form, desc);
  for (const char* entry : {"offers", "casino", "poker"}) ui.ListAdd(list, {entry}, "a");
  ui.SetVisible(form, true);
  ui.ListSelect(list, 1);
  SetFocus(Hwnd(list));
  ui.DoEvents();
  EXPECT_TRUE(told.told.empty());  // the program's own highlight
  PostKey(Hwnd(list), VK_DOWN);
  ui.DoEvents();
  PostKey(Hwnd(list), VK_END);
  ui.DoEvents();
  PostKey(Hwnd(list), VK_DOWN);  // at the end already: nothing moves
  ui.DoEvents();
  PostKey(Hwnd(list), VK_HOME);
  ui.DoEvents();
  EXPECT_EQ(told.told, (std::vector<std::string>{"highlight 2", "highlight 3", "highlight 1"}));
  ui.DestroyForm(form);
}

TEST_F(Win32UiContract, AListBoxTellsEveryClickOnARowAlsoOnTheSelectedOneAndEachKeyMove) {
  ListEvents told;
  const auto form = ui.CreateForm({"Form2", "Add New Popup window Title.", 6360, 5340}, told);
  const auto list = ui.CreateControl(form, {ControlKind::kListBox, "lstOpen", "", {120, 1920, 6120, 2640}});
  ui.ListAdd(list, {"Cheap flights"}, "");
  ui.ListAdd(list, {"Lottery winners"}, "");
  ui.SetVisible(form, true);
  const HWND box = Hwnd(list);
  RECT row{};
  SendMessageA(box, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM(row.left + 10, (row.top + row.bottom) / 2);
  for (int i = 0; i < 2; ++i) {
    PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(box, WM_LBUTTONUP, 0, at);
    ui.DoEvents();
  }
  const LPARAM below = MAKELPARAM(row.left + 10, row.bottom + 40);  // under the last row
  PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, below);
  PostMessageA(box, WM_LBUTTONUP, 0, below);
  ui.DoEvents();
  const auto clicks = std::count(told.told.begin(), told.told.end(), "click 2");
  EXPECT_EQ(clicks, 2) << ::testing::PrintToString(told.told);
  EXPECT_EQ(std::count(told.told.begin(), told.told.end(), "click 1"), 0);
  told.told.clear();
  PostKey(box, VK_UP);
  ui.DoEvents();
  EXPECT_EQ(told.told, std::vector<std::string>{"highlight 1"});
  ui.DestroyForm(form);
}

// Ends the menu from inside it after destroying the form that owns it.
struct DestroyOwnerWhileTracking : platform::UiEvents {
  Win32Ui* ui = nullptr;
  platform::UiId form = 0;
  int ticks = 0;
  void OnTimer(platform::UiId /*timer*/) override {
    if (++ticks == 1) ui->DestroyForm(form);
    EndMenu();
  }
};

TEST(Win32MenuContract, AMenuWhoseOwnerIsDestroyedWhileItTracksReturnsNothingChosen) {
  Win32Ui ui{controls::DrawnProductButtons()};
  DestroyOwnerWhileTracking events;
  events.ui = &ui;
  events.form = ui.CreateForm({"menuframe", "menuframe", 0, 0, true}, events);
  ui.CreateTimer(events.form, 200);
  const int chosen = ui.TrackPopupMenu(events.form, {{1, "Option", "", {}}, {2, "Exit", "", {}}});
  EXPECT_EQ(chosen, 0);
  EXPECT_GE(events.ticks, 1);
}

// "Выиграй iPhone", "免费抽奖" and "Gift ideas 🎄": Cyrillic, Chinese, and a character outside
// the Basic Multilingual Plane (two UTF-16 units); the Western code page holds none of them.
const std::vector<std::string> kTextsOfEveryScript = {
    "\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9 iPhone",
    "\xE5\x85\x8D\xE8\xB4\xB9\xE6\x8A\xBD\xE5\xA5\x96",
    "Gift ideas \xF0\x9F\x8E\x84",
};

// What the window system holds as a window's text, read as Unicode.
std::string HeldText(HWND hwnd) {
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, static_cast<int>(std::size(text)));
  return Narrow(text);
}

TEST_F(Win32UiContract, FormsFieldsLabelsAndBoxesKeepTextsOfEveryScriptWhole) {
  for (const std::string& text : kTextsOfEveryScript) {
    const auto form = ui.CreateForm({"Form1", text, 6000, 4000}, events);
    const auto field =
        ui.CreateControl(form, {ControlKind::kTextField, "Text1", text, {120, 120, 4000, 315}});
    const auto label = ui.CreateControl(form, {ControlKind::kLabel, "Label1", text, {120, 600, 4000, 255}});
    const auto box = ui.CreateControl(form, {ControlKind::kCheckBox, "Check1", text, {120, 1000, 4000, 255}});
    const auto frame = ui.CreateControl(form, {ControlKind::kFrame, "Frame1", text, {120, 1400, 4000, 1000}});
    for (const auto id : {form, field, label, box, frame}) {
      EXPECT_TRUE(IsWindowUnicode(Hwnd(id))) << text;
      EXPECT_EQ(HeldText(Hwnd(id)), text);
      EXPECT_EQ(ui.Text(id), text);
    }
    ui.SetText(field, "");
    ui.SetText(field, text + " 2");
    ui.SetText(label, text + " 3");
    ui.SetText(form, text + " 4");
    EXPECT_EQ(HeldText(Hwnd(field)), text + " 2");
    EXPECT_EQ(ui.Text(field), text + " 2");
    EXPECT_EQ(HeldText(Hwnd(label)), text + " 3");
    EXPECT_EQ(ui.Text(form), text + " 4");
    ui.DestroyForm(form);
  }
}

// The text of a list box's row as the list box holds it.
std::string HeldRow(HWND box, int row) {
  wchar_t text[512] = {};
  if (SendMessageW(box, LB_GETTEXTLEN, row, 0) >= static_cast<LRESULT>(std::size(text))) return "<too long>";
  SendMessageW(box, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

TEST_F(Win32UiContract, ListViewAndListBoxRowsKeepTextsOfEveryScriptWhole) {
  const auto form = ui.CreateForm({"Form1", "Quellix", 9000, 6000}, events);
  platform::ControlSpec desc{ControlKind::kListView, "view1", "", {0, 0, 8000, 2500}};
  desc.columns = {kTextsOfEveryScript[0], kTextsOfEveryScript[2]};
  const auto view = ui.CreateControl(form, desc);
  const auto box = ui.CreateControl(form, {ControlKind::kListBox, "lstOpen", "", {0, 2700, 8000, 2500}});
  for (const std::string& text : kTextsOfEveryScript) {
    ui.ListAdd(view, {text, text + " 2"}, "a");
    ui.ListAdd(box, {text}, "");
  }
  ui.SetVisible(form, true);
  const HWND list = Hwnd(view);
  for (int i = 0; i < 3; ++i) {
    const std::string& text = kTextsOfEveryScript[static_cast<std::size_t>(i)];
    EXPECT_EQ(ShownText(list, i, 0), text);  // what the list view asks its Unicode parent for
    EXPECT_EQ(ShownText(list, i, 1), text + " 2");
    EXPECT_EQ(HeldRow(Hwnd(box), i), text);
    EXPECT_EQ(ui.ListText(box, static_cast<std::size_t>(i) + 1), text);
    EXPECT_EQ(ui.ListText(view, static_cast<std::size_t>(i) + 1), text);
  }
  // A cell longer than the list view's buffer is cut between characters, never inside one:
  // "Gift ideas " takes 11 units and the emoji two more.
  EXPECT_EQ(ShownText(list, 2, 0, 13), "Gift ideas ");
  EXPECT_EQ(ShownText(list, 2, 0, 14), kTextsOfEveryScript[2]);
  ui.ListSetText(view, 1, kTextsOfEveryScript[1]);
  EXPECT_EQ(ShownText(list, 0, 0), kTextsOfEveryScript[1]);
  // The columns' captions.
  wchar_t header[64] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT;
  column.pszText = header;
  column.cchTextMax = static_cast<int>(std::size(header));
  ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column)));
  EXPECT_EQ(Narrow(header), kTextsOfEveryScript[2]);
  ui.DestroyForm(form);
}

TEST_F(Win32UiContract, CharactersTypedIntoATextFieldArriveWhole) {
  const auto form = ui.CreateForm({"Form3", "Window title To Edit", 5400, 2100}, events);
  const auto field = ui.CreateControl(form, {ControlKind::kTextField, "Text1", "", {240, 600, 4920, 315}});
  ui.SetVisible(form, true);
  SetFocus(Hwnd(field));
  // "Ж", "免" and "🎄" as the keyboard sends them: the emoji in two messages, one a unit.
  for (const wchar_t unit : {L'\x0416', L'\x514D', L'\xD83C', L'\xDF84'})
    PostMessageW(Hwnd(field), WM_CHAR, unit, 1);
  ui.DoEvents();
  EXPECT_EQ(ui.Text(field), "\xD0\x96\xE5\x85\x8D\xF0\x9F\x8E\x84");
  ui.DestroyForm(form);
}

TEST_F(Win32UiContract, ATipOfAnyScriptIsShownWhole) {
  const auto form = ui.CreateForm({"Form1", "Quellix", 3000, 2000}, events);
  const auto box = ui.CreateControl(form, {ControlKind::kCheckBox, "Check1", "Other", {0, 0, 1500, 255}});
  for (const std::string& text : kTextsOfEveryScript) {
    ui.SetToolTip(box, text);
    const HWND tip = OwnedTooltip(Hwnd(form));
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(TipText(tip, Hwnd(form), Hwnd(box)), text);
  }
  ui.DestroyForm(form);
}

// Reads the captions of the menu shown (and of its submenus) while it tracks, then ends it.
struct ReadMenuWhileTracking : platform::UiEvents {
  std::vector<std::string> captions;
  void Read(HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t caption[128] = {};
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_STRING | MIIM_SUBMENU;
      info.dwTypeData = caption;
      info.cch = static_cast<UINT>(std::size(caption));
      if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
      captions.push_back(Narrow(caption));
      if (info.hSubMenu != nullptr) Read(info.hSubMenu);
    }
  }
  void OnTimer(platform::UiId /*timer*/) override {
    const HWND shown = FindWindowW(L"#32768", nullptr);
    const auto menu =
        shown == nullptr ? nullptr : reinterpret_cast<HMENU>(SendMessageW(shown, MN_GETHMENU, 0, 0));
    if (menu != nullptr && captions.empty()) Read(menu);
    EndMenu();
  }
};

TEST(Win32MenuContract, MenuCaptionsOfEveryScriptAreShownWhole) {
  Win32Ui ui{controls::DrawnProductButtons()};
  ReadMenuWhileTracking events;
  const auto form = ui.CreateForm({"menuframe", "menuframe", 0, 0, true}, events);
  ui.CreateTimer(form, 300);
  const std::vector<std::string>& texts = kTextsOfEveryScript;
  platform::MenuItem recent{2, texts[1], "", {{3, texts[2], "", {}}}};
  ui.TrackPopupMenu(form, {{1, texts[0], "", {}}, recent});
  EXPECT_EQ(events.captions, texts);
  ui.DestroyForm(form);
}

// The date and time in formats that hold characters of other scripts: "HH'ч'mm" and
// "yyyy'年'MM'月'dd'日'", set for the user as Control Panel would, and put back after.
TEST(Win32ClockContract, DateAndTimeTextsComeInUtf8WhateverTheUsersFormats) {
  wchar_t time_format[80] = {}, date_format[80] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, time_format, 80), 0);
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, date_format, 80), 0);
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, L"HH'\x0447'mm"));
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"yyyy'\x5E74'MM'\x6708'dd'\x65E5'"));
  Win32Clock clock;
  const std::string time = clock.TimeText(), date = clock.DateText();
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, time_format);
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, date_format);
  EXPECT_TRUE(text::IsUtf8(time)) << time;
  EXPECT_TRUE(text::IsUtf8(date)) << date;
  EXPECT_EQ(time.size(), 6u) << time;  // two digits, "ч" in two bytes, two digits
  EXPECT_EQ(time.substr(2, 2), "\xD1\x87") << time;
  EXPECT_EQ(date.size(), 17u) << date;  // eight digits and three characters of three bytes
  EXPECT_EQ(date.substr(4, 3), "\xE5\xB9\xB4") << date;
  EXPECT_EQ(date.substr(14, 3), "\xE6\x97\xA5") << date;
  EXPECT_TRUE(text::IsUtf8(clock.DateText()));  // the user's own formats again
}

}  // namespace
}  // namespace quellix::win32
