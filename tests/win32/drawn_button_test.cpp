// The drawn button in real windows under Wine: its caption as window text, the push button
// messages, the accessible object, the access key and Space, the hover look on screen, the
// mouse capture, icons without a fringe, system colour changes, and no GDI object left behind
// by thousands of hovers, presses and repaints.
#include <windows.h>
// after windows.h, whose types they use
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "controls/hosted_button.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_canvas.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {
namespace {

using platform::ControlKind;
using platform::UiId;

struct Clicks : platform::UiEvents {
  std::vector<UiId> seen;
  void OnClick(UiId control) override { seen.push_back(control); }
  int Count(UiId control) const { return static_cast<int>(std::count(seen.begin(), seen.end(), control)); }
};

// The window's text, read as Unicode, in UTF-8.
std::string TextOf(HWND hwnd) {
  wchar_t text[256] = {};
  SendMessageW(hwnd, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return name;
}

// The pixels a window shows, row by row, as COLORREF values.
std::vector<COLORREF> PixelsOf(HWND hwnd, int width, int height) {
  std::vector<COLORREF> pixels;
  HDC dc = GetDC(hwnd);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(hwnd, dc);
  return pixels;
}

// A 16 x 16 icon of the program's resources as the resource holds it: 0xAARRGGBB, top row first.
std::vector<std::uint32_t> IconPixels(const char* resource) {
  std::vector<std::uint32_t> pixels(16 * 16);
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_ICON, 16, 16, 0));
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = 16;
  header.bmiHeader.biHeight = -16;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  const int rows = GetDIBits(dc, info.hbmColor, 0, 16, pixels.data(), &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);
  return rows == 16 ? pixels : std::vector<std::uint32_t>{};
}

// A picture pixel drawn faded over `face`: two thirds picture, one third face, per channel.
COLORREF Faded(std::uint32_t argb, COLORREF face) {
  const int r = (2 * static_cast<int>(argb >> 16 & 0xFF) + GetRValue(face)) / 3;
  const int g = (2 * static_cast<int>(argb >> 8 & 0xFF) + GetGValue(face)) / 3;
  const int b = (2 * static_cast<int>(argb & 0xFF) + GetBValue(face)) / 3;
  return RGB(r, g, b);
}

std::wstring Take(BSTR text) {
  std::wstring out = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"<none>";
  SysFreeString(text);
  return out;
}

class DrawnButtonWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    form = ui.CreateForm({"Form1", "Quellix", 8130, 3000}, clicks);
    apply = ui.CreateControl(form, {ControlKind::kButton, "drawnButton9", "Apply", {300, 300, 1335, 420}});
    options = ui.CreateControl(
        form, {ControlKind::kButton, "drawnButton2", "Popup Options", {300, 900, 1800, 420}});
    save = ui.CreateControl(form, {ControlKind::kButton, "drawnButton8", "Save &As", {300, 1500, 1335, 420}});
    platform::ControlSpec edit{ControlKind::kButton, "drawnButton5", "Edit", {300, 2100, 1110, 380}};
    edit.enabled = false;
    disabled = ui.CreateControl(form, edit);
    standard =
        ui.CreateControl(form, {ControlKind::kButton, "Command1", "get IE URLS", {3000, 300, 1800, 420}});
    ui.SetVisible(form, true);
    SetForegroundWindow(Hwnd(form));
    Pump();
  }
  void TearDown() override { ui.DestroyForm(form); }

  HWND Hwnd(UiId id) { return FromLow32<HWND>(ui.NativeWindow(id)); }
  void Pump() {
    for (int i = 0; i < 5; ++i) {
      ui.DoEvents();
      Sleep(10);
    }
  }
  POINT Centre(UiId id) {
    RECT r;
    GetWindowRect(Hwnd(id), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  // The mouse comes to rest over a button, or away from every button.
  void MoveMouseTo(POINT at, HWND to) {
    SetCursorPos(at.x, at.y);
    POINT client = at;
    ScreenToClient(to, &client);
    SendMessageA(to, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  }
  COLORREF PixelOf(UiId id, int x, int y) {
    HWND hwnd = Hwnd(id);
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return colour;
  }
  IAccessible* Accessible(UiId id) {
    IAccessible* object = nullptr;
    EXPECT_EQ(AccessibleObjectFromWindow(Hwnd(id), OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object)),
              S_OK);
    return object;
  }

  Win32Ui ui{controls::DrawnProductButtons()};
  Clicks clicks;
  UiId form = 0, apply = 0, options = 0, save = 0, disabled = 0, standard = 0;
};

TEST_F(DrawnButtonWin32, EachButtonKeepsItsCaptionAsWindowTextAndOnlyDescribedOnesAreDrawn) {
  EXPECT_EQ(TextOf(Hwnd(apply)), "Apply");
  EXPECT_EQ(TextOf(Hwnd(options)), "Popup Options");
  EXPECT_EQ(TextOf(Hwnd(save)), "Save &As");
  EXPECT_EQ(TextOf(Hwnd(disabled)), "Edit");
  EXPECT_EQ(TextOf(Hwnd(standard)), "get IE URLS");
  for (UiId id : {apply, options, save, disabled}) EXPECT_EQ(ClassOf(Hwnd(id)), kDrawnButtonClass);
  EXPECT_EQ(lstrcmpiW(ClassOf(Hwnd(standard)).c_str(), L"Button"), 0);
  EXPECT_FALSE(IsWindowEnabled(Hwnd(disabled)));
  ui.SetText(apply, "Apply now");
  EXPECT_EQ(TextOf(Hwnd(apply)), "Apply now");
}

TEST_F(DrawnButtonWin32, BmClickPressesAnEnabledButtonOnceAndADisabledOneNotAtAll) {
  SendMessageA(Hwnd(apply), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks.Count(apply), 1);
  EXPECT_EQ(GetFocus(), Hwnd(apply));  // as a click with the mouse
  SendMessageA(Hwnd(disabled), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks.Count(disabled), 0);
  ui.SetEnabled(disabled, true);
  EXPECT_TRUE(IsWindowEnabled(Hwnd(disabled)));
  SendMessageA(Hwnd(disabled), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks.Count(disabled), 1);
}

TEST_F(DrawnButtonWin32, BmGetStateReadsPushedWhileHeldAndAReleaseOutsideIsNoClick) {
  HWND hwnd = Hwnd(apply);
  EXPECT_EQ(SendMessageA(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  const LRESULT held = SendMessageA(hwnd, BM_GETSTATE, 0, 0);
  EXPECT_NE(held & BST_PUSHED, 0);
  EXPECT_NE(held & BST_FOCUS, 0);
  EXPECT_EQ(GetCapture(), hwnd);
  SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(-30, 5));
  EXPECT_EQ(SendMessageA(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(clicks.Count(apply), 0);
  EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(DrawnButtonWin32, APageButtonReadsCheckedAfterAClickAndUncheckedAfterTheNext) {
  HWND hwnd = Hwnd(options);
  SendMessageA(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_NE(SendMessageA(hwnd, BM_GETSTATE, 0, 0) & BST_CHECKED, 0);
  EXPECT_EQ(ui.Value(options), 1);
  SendMessageA(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(hwnd, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(clicks.Count(options), 2);
}

TEST_F(DrawnButtonWin32, SpaceOnTheFocusedButtonAndAltWithItsAccessKeyEachPressIt) {
  HWND hwnd = Hwnd(apply);
  SetFocus(hwnd);
  SendMessageA(hwnd, WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_EQ(clicks.Count(apply), 0);  // on the release
  SendMessageA(hwnd, WM_KEYUP, VK_SPACE, 0xC0390001);
  EXPECT_EQ(clicks.Count(apply), 1);

  // Alt+A typed while another button has the focus: the message loop routes it.
  INPUT keys[4] = {};
  const WORD codes[4] = {VK_MENU, 'A', 'A', VK_MENU};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = codes[i];
    keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
  for (int i = 0; i < 50 && clicks.Count(save) == 0; ++i) Pump();
  EXPECT_EQ(clicks.Count(save), 1);
  EXPECT_EQ(clicks.Count(apply), 1);
}

TEST_F(DrawnButtonWin32, TheAccessibleObjectIsAPushButtonThatPressesOnItsDefaultAction) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);  // the host began COM already
  CoUninitialize();
  IAccessible* object = Accessible(save);
  ASSERT_NE(object, nullptr);
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  VARIANT role;
  ASSERT_EQ(object->get_accRole(self, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_PUSHBUTTON);
  BSTR text = nullptr;
  ASSERT_EQ(object->get_accName(self, &text), S_OK);
  EXPECT_EQ(Take(text), L"Save As");
  ASSERT_EQ(object->get_accKeyboardShortcut(self, &text), S_OK);
  EXPECT_EQ(Take(text), L"Alt+A");
  ASSERT_EQ(object->get_accDefaultAction(self, &text), S_OK);
  EXPECT_EQ(Take(text), L"Press");
  VARIANT state;
  ASSERT_EQ(object->get_accState(self, &state), S_OK);
  EXPECT_NE(state.lVal & STATE_SYSTEM_FOCUSABLE, 0);
  EXPECT_EQ(state.lVal & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_PRESSED | STATE_SYSTEM_INVISIBLE), 0);
  ASSERT_EQ(object->accDoDefaultAction(self), S_OK);
  EXPECT_EQ(clicks.Count(save), 0);  // posted, as the window system's own click
  Pump();
  EXPECT_EQ(clicks.Count(save), 1);
  object->Release();

  IAccessible* off = Accessible(disabled);
  ASSERT_NE(off, nullptr);
  ASSERT_EQ(off->get_accState(self, &state), S_OK);
  EXPECT_NE(state.lVal & STATE_SYSTEM_UNAVAILABLE, 0);
  EXPECT_NE(off->accDoDefaultAction(self), S_OK);
  off->Release();
}

// A caption of another script: "&Жми" ("press"), whose access key is "ж", and "&🎄 Gift",
// whose key lies outside the Basic Multilingual Plane and is typed as two units.
TEST_F(DrawnButtonWin32, ACaptionOfAnyScriptIsKeptShownAndPressedByItsAccessKey) {
  const std::string press = "&\xD0\x96\xD0\xBC\xD0\xB8";
  ui.SetText(save, press);
  EXPECT_EQ(TextOf(Hwnd(save)), press);
  EXPECT_EQ(ui.Text(save), press);
  IAccessible* object = Accessible(save);
  ASSERT_NE(object, nullptr);
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  ASSERT_EQ(object->get_accName(self, &text), S_OK);
  EXPECT_EQ(Take(text), L"\x0416\x043C\x0438");
  ASSERT_EQ(object->get_accKeyboardShortcut(self, &text), S_OK);
  EXPECT_EQ(Take(text), L"Alt+\x0416");  // in capitals, as the keyboard shows it
  object->Release();
  // Alt with "ж" or "Ж", typed while another button has the focus.
  SetFocus(Hwnd(apply));
  for (const wchar_t typed : {L'\x0436', L'\x0416', L'x'}) {
    PostMessageW(Hwnd(apply), WM_SYSCHAR, typed, 1 << 29);
    Pump();
  }
  EXPECT_EQ(clicks.Count(save), 2);
  EXPECT_EQ(clicks.Count(apply), 0);

  ui.SetText(save, "&\xF0\x9F\x8E\x84 Gift");
  PostMessageW(Hwnd(apply), WM_SYSCHAR, 0xD83C, 1 << 29);
  PostMessageW(Hwnd(apply), WM_SYSCHAR, 0xDF84, 1 << 29);
  Pump();
  EXPECT_EQ(clicks.Count(save), 3);
  PostMessageW(Hwnd(apply), WM_SYSCHAR, 0xDF84, 1 << 29);  // half a character presses nothing
  Pump();
  EXPECT_EQ(clicks.Count(save), 3);
}

TEST_F(DrawnButtonWin32, TheMouseOverACommandButtonShowsItsOutlineOnScreen) {
  // Face 0xE9E9E9 with a soft bevel: the hover outline is the face darkened by 64.
  MoveMouseTo({5, 5}, Hwnd(form));
  Pump();
  EXPECT_EQ(PixelOf(apply, 0, 0), 0xE9E9E9u);
  MoveMouseTo(Centre(apply), Hwnd(apply));
  Pump();
  EXPECT_EQ(PixelOf(apply, 0, 0), 0xA9A9A9u);
  EXPECT_EQ(PixelOf(apply, 88, 27), 0xA9A9A9u);
  EXPECT_EQ(PixelOf(apply, 2, 2), 0xE9E9E9u);
  EXPECT_NE(SendMessageA(Hwnd(apply), BM_GETSTATE, 0, 0) & BST_HOT, 0);
  MoveMouseTo({5, 5}, Hwnd(form));
  for (int i = 0; i < 20 && PixelOf(apply, 0, 0) != 0xE9E9E9u; ++i) Pump();  // the leave timer's tick
  EXPECT_EQ(PixelOf(apply, 0, 0), 0xE9E9E9u);
}

TEST_F(DrawnButtonWin32, ALeftPressOnTheFormDraggedAcrossAButtonNeverPushesIt) {
  // Without the capture, the window system sends the moves to the window under the mouse:
  // the button hears the drag across it and nothing once the mouse has gone on.
  HWND hwnd = Hwnd(apply);
  SendMessageA(Hwnd(form), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SetCursorPos(Centre(apply).x, Centre(apply).y);
  SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 10));
  SetCursorPos(Centre(apply).x + 200, Centre(apply).y);
  SendMessageA(Hwnd(form), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 30));
  Pump();
  EXPECT_EQ(SendMessageA(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  EXPECT_EQ(PixelOf(apply, 2, 2), 0xE9E9E9u);  // the face, not the pressed fill
  SendMessageA(Hwnd(form), WM_LBUTTONUP, 0, MAKELPARAM(300, 30));
  EXPECT_EQ(clicks.Count(apply), 0);
}

TEST_F(DrawnButtonWin32, ARightOrMiddlePressKeepsTheMouseSoItsReleaseOffTheButtonEndsIt) {
  HWND hwnd = Hwnd(apply);
  const struct {
    UINT down, up;
    WPARAM held;
  } presses[] = {{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON}, {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON}};
  for (const auto& press : presses) {
    SCOPED_TRACE(press.down);
    SendMessageA(hwnd, press.down, press.held, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), hwnd);
    // Released off the button: the release goes to the window with the capture, or else to
    // the form under the mouse.
    HWND to = GetCapture() != nullptr ? GetCapture() : Hwnd(form);
    SendMessageA(to, press.up, 0, to == hwnd ? MAKELPARAM(-30, 5) : MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(SendMessageA(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);  // the middle's down look ended
  }
  EXPECT_EQ(clicks.Count(apply), 0);
}

TEST_F(DrawnButtonWin32, APageButtonIconHasNoFringeWhereItsEdgesAreMostlyTransparent) {
  // "Popup Options", mouse elsewhere: its icon drawn faded over the face 0xE6BA9D. Pixels of
  // the icon under half opaque are the face; the others are the icon's own colours, faded.
  const std::vector<std::uint32_t> icon = IconPixels("ICON_option");
  ASSERT_EQ(icon.size(), 256u);
  const int soft = static_cast<int>(
      std::count_if(icon.begin(), icon.end(), [](std::uint32_t p) { return p >> 24 != 0 && p >> 24 < 128; }));
  ASSERT_GT(soft, 0);  // the edges this is about
  constexpr COLORREF kFace = 0xE6BA9D;
  MoveMouseTo({5, 5}, Hwnd(form));
  Pump();
  RECT client;
  GetClientRect(Hwnd(options), &client);
  const int w = client.right, h = client.bottom;
  const std::vector<COLORREF> shown = PixelsOf(Hwnd(options), w, h);
  // Where the icon lies: the place where most of its fully opaque pixels show.
  int best = -1, at_x = 0, at_y = 0;
  for (int oy = 0; oy + 16 <= h; ++oy) {
    for (int ox = 0; ox + 16 <= w; ++ox) {
      int matches = 0;
      for (int i = 0; i < 256; ++i)
        if (icon[i] >> 24 == 255 && shown[(oy + i / 16) * w + ox + i % 16] == Faded(icon[i], kFace))
          ++matches;
      if (matches > best) std::tie(best, at_x, at_y) = std::tuple(matches, ox, oy);
    }
  }
  const int opaque = static_cast<int>(
      std::count_if(icon.begin(), icon.end(), [](std::uint32_t p) { return p >> 24 == 255; }));
  ASSERT_GE(best, opaque * 9 / 10) << "the icon was not found on the button";
  int fringe = 0, off_colour = 0;
  for (int i = 0; i < 256; ++i) {
    const COLORREF pixel = shown[(at_y + i / 16) * w + at_x + i % 16];
    if (icon[i] >> 24 < 128) {
      fringe += pixel != kFace;
    } else {
      off_colour += pixel != Faded(icon[i], kFace);
    }
  }
  EXPECT_EQ(fringe, 0) << "pixels under half opaque that are not the face";
  EXPECT_EQ(off_colour, 0) << "pixels at least half opaque that are not the icon's own colour";
}

TEST_F(DrawnButtonWin32, ThousandsOfHoversPressesAndRepaintsLeaveTheGdiCountFlat) {
  const HWND a = Hwnd(apply), b = Hwnd(options);
  const auto cycle = [&] {
    MoveMouseTo(Centre(apply), a);
    MoveMouseTo(Centre(options), b);
    SendMessageA(a, WM_TIMER, 1, 0);  // the leave detection's tick
    SendMessageA(b, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageA(b, WM_LBUTTONUP, 0, MAKELPARAM(-40, 4));  // released outside: no click
    SendMessageA(b, WM_KILLFOCUS, 0, 0);
    InvalidateRect(a, nullptr, FALSE);
    UpdateWindow(a);
  };
  cycle();
  const long before = GdiObjectCount::Live();
  EXPECT_GE(before, 4 * 2);  // each drawn button holds its frame's device context and bitmap
  for (int i = 0; i < 3000; ++i) cycle();
  EXPECT_EQ(GdiObjectCount::Live(), before);
  EXPECT_EQ(clicks.seen.size(), 0u);
  std::printf("live GDI objects: %ld before and after 3000 hover, press and repaint cycles\n", before);
}

TEST(DrawnButtonWin32Teardown, DestroyingTheFormReleasesEveryGdiObjectOfItsButtons) {
  Win32Ui ui{controls::DrawnProductButtons()};
  Clicks clicks;
  const long start = GdiObjectCount::Live();
  const UiId form = ui.CreateForm({"Form3", "Window title To Edit", 5400, 1740}, clicks);
  const UiId ok =
      ui.CreateControl(form, {ControlKind::kButton, "drawnButton8", "OK", {2760, 1230, 1200, 380}});
  ui.CreateControl(form, {ControlKind::kButton, "drawnButton7", "Cancel", {4080, 1230, 1200, 380}});
  ui.SetVisible(form, true);
  EXPECT_GT(GdiObjectCount::Live(), start);
  const HWND hwnd = FromLow32<HWND>(ui.NativeWindow(ok));
  ui.DestroyForm(form);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(GdiObjectCount::Live(), start);
}

// The program's buttons, and one more on Form1 that follows the system's colours.
struct WithASystemColouredButton : platform::DrawnControlMaker {
  bool Describes(std::string_view form, std::string_view name) const override {
    return name == "sysButton" || controls::DrawnProductButtons().Describes(form, name);
  }
  std::unique_ptr<platform::DrawnControl> Make(std::string_view form, std::string_view name,
                                               platform::ControlWindow& window, platform::Canvas& canvas,
                                               const std::string& caption, bool enabled,
                                               std::function<void()> click) const override {
    if (name != "sysButton")
      return controls::DrawnProductButtons().Make(form, name, window, canvas, caption, enabled,
                                                  std::move(click));
    controls::PropertyBag system;
    system.WriteInt("BTYPE", 8);
    system.WriteInt("COLTYPE", 1);
    return std::make_unique<controls::HostedButton>(window, canvas, system, caption, enabled,
                                                    std::move(click));
  }
};

TEST(DrawnButtonWin32SystemColours, AChangeOfTheSystemColoursReachesTheButtonsOfEveryForm) {
  const WithASystemColouredButton drawn;
  Win32Ui ui{drawn};
  Clicks clicks;
  const UiId form = ui.CreateForm({"Form1", "Quellix", 4000, 2000}, clicks);
  const UiId button =
      ui.CreateControl(form, {ControlKind::kButton, "sysButton", "System", {300, 300, 1335, 420}});
  ui.SetVisible(form, true);
  for (int i = 0; i < 5; ++i) ui.DoEvents();
  HWND hwnd = FromLow32<HWND>(ui.NativeWindow(button));
  const auto face = [&] {
    HDC dc = GetDC(hwnd);
    const COLORREF colour = GetPixel(dc, 40, 2);
    ReleaseDC(hwnd, dc);
    return colour;
  };
  const COLORREF before = GetSysColor(COLOR_BTNFACE);
  ASSERT_EQ(face(), before);
  const INT element = COLOR_BTNFACE;
  const COLORREF changed = RGB(0x40, 0xC0, 0x20);
  ASSERT_TRUE(SetSysColors(1, &element, &changed));  // the window system tells the top-level windows
  for (int i = 0; i < 5; ++i) ui.DoEvents();
  const COLORREF after = face();
  SetSysColors(1, &element, &before);
  EXPECT_EQ(after, changed);
  ui.DestroyForm(form);
}

// A click whose handler destroys the form with the button in it, as a dialog's OK does.
struct CloseOnClick : platform::UiEvents {
  Win32Ui* ui = nullptr;
  UiId form = 0;
  int clicks = 0;
  void OnClick(UiId) override {
    ++clicks;
    ui->DestroyForm(form);
  }
};

TEST(DrawnButtonWin32Teardown, AButtonMayDestroyItsFormFromItsOwnClick) {
  Win32Ui ui{controls::DrawnProductButtons()};
  CloseOnClick events;
  events.ui = &ui;
  events.form = ui.CreateForm({"Form3", "Window title To Edit", 5400, 1740}, events);
  const UiId ok =
      ui.CreateControl(events.form, {ControlKind::kButton, "drawnButton8", "OK", {2760, 1230, 1200, 380}});
  ui.SetVisible(events.form, true);
  const HWND hwnd = FromLow32<HWND>(ui.NativeWindow(ok));
  SendMessageA(hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(events.clicks, 1);
  EXPECT_FALSE(IsWindow(hwnd));
}

// A caption is laid out in the rectangle its measure gives, but a glyph's ink may reach past
// its advance (the hook of an italic "f", the round of a final "e" by a pixel): that ink is
// drawn, not cut off at the measured edge. The face is clipped by the button's own surface.
TEST(DrawnButtonWin32Canvas, ACaptionsInkPastItsMeasuredWidthIsDrawn) {
  Win32Canvas canvas(nullptr);
  platform::FontSpec italic{"Arial", 8.25, 400, true, false, false, 178};
  const platform::Rect text = canvas.MeasureText("Stuff", {10, 4, 190, 36}, italic);
  ASSERT_GT(text.right, 10);
  canvas.BeginFrame({200, 40});
  canvas.FillRect({0, 0, 200, 40}, 0xFFFFFF);
  canvas.DrawText("Stuff", text, italic, 0x000000);
  const platform::PixelBlock beyond = canvas.ReadPixels({text.right, 0, text.right + 6, 40});
  const auto inked = std::count_if(beyond.pixels.begin(), beyond.pixels.end(),
                                   [](platform::Rgb p) { return p != 0xFFFFFF; });
  EXPECT_GT(inked, 0) << "the last glyph is cut at x " << text.right;
}

// Captions are drawn and measured as characters: in a font whose glyphs all take the same
// width, four Cyrillic letters take as much room as four Latin ones (as bytes they are eight).
TEST(DrawnButtonWin32Canvas, ACaptionOfAnotherScriptIsMeasuredAndDrawnByItsCharacters) {
  Win32Canvas canvas(nullptr);
  const platform::FontSpec mono{"Liberation Mono", 10, 400, false, false, false, 0};
  const platform::Rect box{0, 0, 400, 40};
  const std::string cyrillic = "\xD0\x96\xD0\xBC\xD0\xB8\xD0\x96";  // "ЖмиЖ"
  const platform::Rect latin = canvas.MeasureText("abcd", box, mono);
  const platform::Rect other = canvas.MeasureText(cyrillic, box, mono);
  ASSERT_GT(latin.Width(), 0);
  EXPECT_EQ(other.Width(), latin.Width());
  // Drawn, its ink ends within its measure, where eight glyphs would run on past it.
  canvas.BeginFrame({400, 40});
  canvas.FillRect(box, 0xFFFFFF);
  canvas.DrawText(cyrillic, {0, 0, other.right, other.bottom}, mono, 0x000000);
  const platform::PixelBlock inked = canvas.ReadPixels({0, 0, 400, 40});
  int last = -1;
  for (int y = 0; y < inked.height; ++y)
    for (int x = 0; x < inked.width; ++x)
      if (inked.At(x, y) != 0xFFFFFF) last = std::max(last, x);
  EXPECT_GT(last, other.Width() / 2);
  EXPECT_LT(last, other.Width() + 3);
}
}  // namespace
}  // namespace quellix::win32
