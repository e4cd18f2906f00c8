#include "platform/win32/win32_ui.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cstring>

#include "platform/win32/handles.h"

namespace quellix::win32 {

using platform::ControlKind;
using platform::UiId;

namespace {

constexpr char kFormClass[] = "QuellixForm";
constexpr char kFrameClass[] = "QuellixFrame";
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr int kMenuIconSize = 16;

std::uint32_t Low32(const void* handle) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle)); }
// Window and icon handles are 32-bit values, sign-extended on 64-bit Windows.
template <typename H>
H FromLow32(std::uint32_t value) {
  return reinterpret_cast<H>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}
std::uint32_t Read32(const platform::NotifyIconRecord& r, std::size_t at) {
  return r[at] | r[at + 1] << 8 | r[at + 2] << 16 | static_cast<std::uint32_t>(r[at + 3]) << 24;
}

}  // namespace

Win32Ui::Win32Ui() {
  INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");

  WNDCLASSA wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = Icon("tray", 32);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kFormClass;
  RegisterClassA(&wc);
  wc.lpfnWndProc = FrameProc;
  wc.hIcon = nullptr;
  wc.lpszClassName = kFrameClass;
  RegisterClassA(&wc);
}

Win32Ui::~Win32Ui() {
  for (auto& [key, icon] : icons_) DestroyIcon(icon);
}

int Win32Ui::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

Win32Ui::Element* Win32Ui::Lookup(UiId id) {
  auto it = elements_.find(id);
  return it == elements_.end() ? nullptr : &it->second;
}

platform::UiEvents* Win32Ui::EventsOf(UiId id) {
  Element* e = Lookup(id);
  Element* form = e ? Lookup(e->form) : nullptr;
  return form ? form->events : nullptr;
}

HICON Win32Ui::Icon(const std::string& key, int size) {
  const std::string name = key + "@" + std::to_string(size);
  auto it = icons_.find(name);
  if (it != icons_.end()) return it->second;
  // Resource names are the keys behind "ICON_" (resource names compare without case).
  const std::string resource = "ICON_" + key;
  HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), resource.c_str(), IMAGE_ICON, size, size, 0));
  icons_[name] = icon;
  if (icon != nullptr) icons_by_handle_[Low32(icon)] = icon;
  return icon;
}

POINT Win32Ui::Origin(const Element& e) const {
  POINT p{Pixels(e.rect.left), Pixels(e.rect.top)};
  auto frame = elements_.find(e.container);
  if (frame != elements_.end()) {
    const POINT outer = Origin(frame->second);
    p.x += outer.x;
    p.y += outer.y;
  }
  return p;
}

UiId Win32Ui::CreateForm(const platform::FormSpec& desc, platform::UiEvents& events) {
  const UiId id = next_id_++;
  Element& e = elements_[id];
  e.form = id;
  e.is_form = true;
  e.events = &events;
  e.rect = {0, 0, desc.client_width, desc.client_height};
  RECT frame{0, 0, Pixels(desc.client_width), Pixels(desc.client_height)};
  const DWORD style = desc.hidden_host ? WS_POPUP : kFormStyle;
  AdjustWindowRect(&frame, style, FALSE);
  e.hwnd = CreateWindowExA(0, kFormClass, desc.caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), reinterpret_cast<LPVOID>(static_cast<std::uintptr_t>(id)));
  SetWindowLongPtrA(e.hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(id));
  SetPropA(e.hwnd, "QuellixUi", this);
  return id;
}

void Win32Ui::DestroyForm(UiId form) {
  Element* e = Lookup(form);
  if (e == nullptr) return;
  HWND hwnd = e->hwnd;
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->second.first == form) {
      KillTimer(hwnd, it->second.second);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& [id, el] : elements_)
    if (el.form == form && el.images != nullptr) ImageList_Destroy(el.images);
  std::erase_if(elements_, [&](const auto& kv) { return kv.second.form == form; });
  DestroyWindow(hwnd);
}

UiId Win32Ui::CreateControl(UiId form, const platform::ControlSpec& desc) {
  Element* f = Lookup(form);
  if (f == nullptr) return 0;
  const UiId id = next_id_++;
  Element e;
  e.form = form;
  e.kind = desc.kind;
  e.rect = desc.rect;
  e.container = desc.container;
  const char* cls = "STATIC";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (desc.visible ? WS_VISIBLE : 0) | (desc.enabled ? 0 : WS_DISABLED);
  DWORD ex_style = 0;
  std::string caption = desc.caption;
  switch (desc.kind) {
    case ControlKind::kLabel: style |= SS_LEFT; break;
    case ControlKind::kLink: style |= SS_LEFT | SS_NOTIFY; break;
    case ControlKind::kPicture: style |= SS_ICON; caption.clear(); break;
    case ControlKind::kTextField: cls = "EDIT"; style |= ES_AUTOHSCROLL | WS_TABSTOP; ex_style = WS_EX_CLIENTEDGE; break;
    case ControlKind::kCheckBox: cls = "BUTTON"; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
    case ControlKind::kOptionButton: cls = "BUTTON"; style |= BS_AUTORADIOBUTTON | WS_TABSTOP; break;
    case ControlKind::kButton: cls = "BUTTON"; style |= BS_PUSHBUTTON | WS_TABSTOP; break;
    case ControlKind::kFrame: cls = kFrameClass; break;
    case ControlKind::kListBox: cls = "LISTBOX"; style |= LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP; ex_style = WS_EX_CLIENTEDGE; break;
    case ControlKind::kListView:
      cls = WC_LISTVIEWA;
      style |= LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kTrayHost:
      // Its own invisible top-level window: it receives the icon's callbacks and the
      // shell's broadcast when the taskbar is created again.
      e.hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, kFormClass, "TrayArea1", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
      SetWindowLongPtrA(e.hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(id));
      SetPropA(e.hwnd, "QuellixUi", this);
      elements_[id] = e;
      return id;
  }
  // Controls inside a frame are the form's children too, placed over the frame.
  const POINT at = Origin(e);
  e.hwnd = CreateWindowExA(ex_style, cls, caption.c_str(), style, at.x, at.y, Pixels(desc.rect.width),
                           Pixels(desc.rect.height), f->hwnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  SendMessageA(e.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // Siblings clip each other, so the stacking decides what shows: a frame goes beneath
  // everything made so far, any other control above, so that each frame's controls, made
  // after it, lie on it.
  if (desc.kind == ControlKind::kFrame) SetWindowTextA(e.hwnd, desc.caption.c_str());
  SetWindowPos(e.hwnd, desc.kind == ControlKind::kFrame ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (desc.kind == ControlKind::kPicture)
    SendMessageA(e.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(Icon(desc.caption, 32)), 0);
  if (desc.kind == ControlKind::kListView) {
    SendMessageA(e.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    e.images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 4);
    SendMessageA(e.hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(e.images));
    for (std::size_t i = 0; i < desc.columns.size(); ++i) {
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = Pixels(desc.rect.width) - 24;
      column.pszText = const_cast<char*>(desc.columns[i].c_str());
      SendMessageA(e.hwnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
  }
  elements_[id] = std::move(e);
  return id;
}

void Win32Ui::SetVisible(UiId id, bool visible) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  ShowWindow(e->hwnd, visible ? (e->is_form ? SW_SHOW : SW_SHOWNA) : SW_HIDE);
  if (e->kind == ControlKind::kFrame) {
    // A frame's controls come and go with it. A frame that is shown comes to the top with
    // its controls above it, so that it covers what lies beneath, as a page does.
    if (visible) SetWindowPos(e->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (auto& [child, el] : elements_) {
      if (el.container != id) continue;
      ShowWindow(el.hwnd, visible ? SW_SHOWNA : SW_HIDE);
      if (visible) SetWindowPos(el.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

bool Win32Ui::Visible(UiId id) {
  Element* e = Lookup(id);
  return e != nullptr && (GetWindowLongA(e->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Ui::SetEnabled(UiId id, bool enabled) {
  if (Element* e = Lookup(id)) EnableWindow(e->hwnd, enabled);
}

void Win32Ui::SetText(UiId id, const std::string& text) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  setting_text_ = true;
  SetWindowTextA(e->hwnd, text.c_str());
  setting_text_ = false;
}

std::string Win32Ui::Text(UiId id) {
  Element* e = Lookup(id);
  if (e == nullptr) return {};
  const int length = GetWindowTextLengthA(e->hwnd);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  const int copied = GetWindowTextA(e->hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void Win32Ui::SetValue(UiId id, int value) {
  if (Element* e = Lookup(id)) SendMessageA(e->hwnd, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Win32Ui::Value(UiId id) {
  Element* e = Lookup(id);
  return e != nullptr && SendMessageA(e->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void Win32Ui::Move(UiId id, int left_twips, int top_twips) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  e->rect.left = left_twips;
  e->rect.top = top_twips;
  const POINT at = Origin(*e);
  SetWindowPos(e->hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (e->kind == ControlKind::kFrame) {
    for (auto& [child, el] : elements_) {
      if (el.container != id) continue;
      const POINT c = Origin(el);
      SetWindowPos(el.hwnd, nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

platform::TwipsRect Win32Ui::Bounds(UiId id) {
  Element* e = Lookup(id);
  return e == nullptr ? platform::TwipsRect{} : e->rect;
}

void Win32Ui::SetWindowState(UiId form, platform::WindowState state) {
  Element* e = Lookup(form);
  if (e == nullptr) return;
  e->state = state;
  if (Visible(form)) {
    // The window system reports the change through WM_SIZE.
    ShowWindow(e->hwnd, state == platform::WindowState::kMinimized ? SW_MINIMIZE : SW_RESTORE);
  } else {
    // A hidden window changes state without being shown; the change is still reported.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(e->hwnd, &placement);
    placement.showCmd = SW_HIDE;
    SetWindowPlacement(e->hwnd, &placement);
    if (e->events != nullptr) e->events->OnWindowStateChanged(form);
  }
}

platform::WindowState Win32Ui::GetWindowState(UiId form) {
  Element* e = Lookup(form);
  if (e == nullptr) return platform::WindowState::kNormal;
  if (Visible(form)) return IsIconic(e->hwnd) ? platform::WindowState::kMinimized : platform::WindowState::kNormal;
  return e->state;
}

void Win32Ui::CenterOnScreen(UiId form) {
  Element* e = Lookup(form);
  if (e == nullptr) return;
  RECT r;
  GetWindowRect(e->hwnd, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  SetWindowPos(e->hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::SetTopmost(UiId form) {
  if (Element* e = Lookup(form)) SetWindowPos(e->hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32Ui::ListClear(UiId list) {
  Element* e = Lookup(list);
  if (e == nullptr) return;
  SendMessageA(e->hwnd, e->kind == ControlKind::kListView ? LVM_DELETEALLITEMS : LB_RESETCONTENT, 0, 0);
}

void Win32Ui::ListAdd(UiId list, const std::vector<std::string>& cells, const std::string& icon) {
  Element* e = Lookup(list);
  if (e == nullptr || cells.empty()) return;
  if (e->kind != ControlKind::kListView) {
    SendMessageA(e->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cells[0].c_str()));
    return;
  }
  int image = -1;
  if (!icon.empty()) {
    auto found = e->image_index.find(icon);
    if (found == e->image_index.end()) {
      found = e->image_index.emplace(icon, ImageList_AddIcon(e->images, Icon(icon, 16))).first;
    }
    image = found->second;
  }
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = static_cast<int>(SendMessageA(e->hwnd, LVM_GETITEMCOUNT, 0, 0));
  item.iImage = image;
  item.pszText = const_cast<char*>(cells[0].c_str());
  const int row = static_cast<int>(SendMessageA(e->hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  for (std::size_t i = 1; i < cells.size(); ++i) {
    LVITEMA sub{};
    sub.iSubItem = static_cast<int>(i);
    sub.pszText = const_cast<char*>(cells[i].c_str());
    SendMessageA(e->hwnd, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
  }
}

std::size_t Win32Ui::ListCount(UiId list) {
  Element* e = Lookup(list);
  if (e == nullptr) return 0;
  const LRESULT n = SendMessageA(e->hwnd, e->kind == ControlKind::kListView ? LVM_GETITEMCOUNT : LB_GETCOUNT, 0, 0);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::string Win32Ui::ListText(UiId list, std::size_t row) {
  Element* e = Lookup(list);
  if (e == nullptr || row < 1 || row > ListCount(list)) return {};
  std::string text(1024, '\0');
  if (e->kind == ControlKind::kListView) {
    LVITEMA item{};
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageA(e->hwnd, LVM_GETITEMTEXTA, row - 1, reinterpret_cast<LPARAM>(&item));
  } else if (SendMessageA(e->hwnd, LB_GETTEXTLEN, row - 1, 0) < static_cast<LRESULT>(text.size())) {
    SendMessageA(e->hwnd, LB_GETTEXT, row - 1, reinterpret_cast<LPARAM>(text.data()));
  }
  text.resize(std::strlen(text.c_str()));
  return text;
}

UiId Win32Ui::CreateTimer(UiId form, unsigned interval_ms) {
  Element* e = Lookup(form);
  if (e == nullptr) return 0;
  const UiId id = next_id_++;
  timers_[id] = {form, SetTimer(e->hwnd, id, interval_ms, nullptr)};
  return id;
}

void Win32Ui::DestroyTimer(UiId timer) {
  auto it = timers_.find(timer);
  if (it == timers_.end()) return;
  if (Element* e = Lookup(it->second.first)) KillTimer(e->hwnd, it->second.second);
  timers_.erase(it);
}

int Win32Ui::TrackPopupMenu(UiId owner_form, const std::vector<platform::MenuItem>& items) {
  Element* owner = Lookup(owner_form);
  if (owner == nullptr) return 0;
  menu_icons_.clear();
  auto build = [&](auto& self, const std::vector<platform::MenuItem>& level) -> HMENU {
    HMENU menu = CreatePopupMenu();
    for (const platform::MenuItem& item : level) {
      if (item.id == 0) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      MENUITEMINFOA info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_STRING | MIIM_ID | MIIM_FTYPE;
      info.fType = MFT_STRING;
      info.wID = static_cast<UINT>(item.id);
      info.dwTypeData = const_cast<char*>(item.caption.c_str());
      if (!item.submenu.empty()) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = self(self, item.submenu);
      }
      if (!item.icon.empty()) {
        // The icon is drawn beside the item by the owner window (WM_DRAWITEM).
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = HBMMENU_CALLBACK;
        menu_icons_[item.id] = item.icon;
      }
      InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &info);
    }
    return menu;
  };
  const UniqueMenu menu(build(build, items));
  POINT at;
  GetCursorPos(&at);
  // The owner must be in the foreground, or the menu stays open when the user clicks elsewhere.
  SetForegroundWindow(owner->hwnd);
  const int chosen = ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                      owner->hwnd, nullptr);
  PostMessageA(owner->hwnd, WM_NULL, 0, 0);
  return chosen;
}

void Win32Ui::DrawMenuIcon(const DRAWITEMSTRUCT& item) {
  auto key = menu_icons_.find(static_cast<int>(item.itemID));
  if (key == menu_icons_.end()) return;
  DrawIconEx(item.hDC, item.rcItem.left + 1, item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kMenuIconSize) / 2,
             Icon(key->second, kMenuIconSize), kMenuIconSize, kMenuIconSize, 0, nullptr, DI_NORMAL);
}

std::uint32_t Win32Ui::NativeWindow(UiId id) {
  Element* e = Lookup(id);
  return e == nullptr ? 0 : Low32(e->hwnd);
}

std::uint32_t Win32Ui::LoadIcon(const std::string& key) { return Low32(Icon(key, 16)); }

void Win32Ui::NotifyIcon(platform::NotifyAction action, const platform::NotifyIconRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = FromLow32<HWND>(Read32(record, 4));
  data.uID = Read32(record, 8);
  data.uFlags = Read32(record, 12);
  data.uCallbackMessage = Read32(record, 16);
  data.hIcon = FromLow32<HICON>(Read32(record, 20));
  std::memcpy(data.szTip, record.data() + 24, 64);
  data.szTip[63] = '\0';  // the field holds 64 characters; the shell shows 63
  Shell_NotifyIconA(static_cast<DWORD>(action), &data);

  // Remember what is shown, so it can be added again after the shell restarts.
  UiId host = 0;
  for (auto& [id, e] : elements_)
    if (e.kind == ControlKind::kTrayHost && e.hwnd == data.hWnd) host = id;
  if (action == platform::NotifyAction::kAdd) {
    shown_icons_[host] = data;
  } else if (action == platform::NotifyAction::kDelete) {
    shown_icons_.erase(host);
  } else if (auto it = shown_icons_.find(host); it != shown_icons_.end()) {
    if (data.uFlags & NIF_ICON) it->second.hIcon = data.hIcon;
    if (data.uFlags & NIF_TIP) std::memcpy(it->second.szTip, data.szTip, sizeof data.szTip);
  }
}

void Win32Ui::DoEvents() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

LRESULT CALLBACK Win32Ui::FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = static_cast<Win32Ui*>(GetPropA(hwnd, "QuellixUi"));
  const auto id = static_cast<UiId>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr || id == 0) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) RemovePropA(hwnd, "QuellixUi");
  return self->HandleFormMessage(id, hwnd, message, wparam, lparam);
}

LRESULT CALLBACK Win32Ui::FrameProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT r;
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    char caption[128] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (caption[0] != '\0') {
      r.top += 7;
      DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
      HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      TextOutA(dc, 8, 0, caption, static_cast<int>(std::strlen(caption)));
      SelectObject(dc, old);
    }
    EndPaint(hwnd, &paint);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT Win32Ui::HandleFormMessage(UiId form, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Element* e = Lookup(form);
  platform::UiEvents* events = EventsOf(form);
  if (e != nullptr && e->kind == ControlKind::kTrayHost) {
    if (message == taskbar_created_) {
      auto it = shown_icons_.find(form);
      if (it != shown_icons_.end()) Shell_NotifyIconA(NIM_ADD, &it->second);
      return 0;
    }
    if (message == WM_MOUSEMOVE) {
      if (events != nullptr) events->OnTrayNotify(form, LOWORD(lparam));
      return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }
  switch (message) {
    case WM_COMMAND:
      HandleCommand(form, wparam);
      return 0;
    case WM_NOTIFY:
      HandleNotify(form, *reinterpret_cast<const NMHDR*>(lparam));
      return 0;
    case WM_TIMER:
      if (events != nullptr && timers_.count(static_cast<UiId>(wparam)) != 0) events->OnTimer(static_cast<UiId>(wparam));
      return 0;
    case WM_SIZE:
      if (e != nullptr) {
        e->state = wparam == SIZE_MINIMIZED ? platform::WindowState::kMinimized : platform::WindowState::kNormal;
        if (events != nullptr && (wparam == SIZE_MINIMIZED || wparam == SIZE_RESTORED)) events->OnWindowStateChanged(form);
      }
      return 0;
    case WM_CLOSE:
      if (events != nullptr) events->OnCloseRequest(form);
      return 0;
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (measure->CtlType == ODT_MENU) {
        measure->itemWidth = kMenuIconSize;
        measure->itemHeight = kMenuIconSize + 2;
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      if (draw->CtlType == ODT_MENU) {
        DrawMenuIcon(*draw);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      const auto control = static_cast<UiId>(GetDlgCtrlID(reinterpret_cast<HWND>(lparam)));
      Element* c = Lookup(control);
      if (c != nullptr && c->kind == ControlKind::kLink) SetTextColor(dc, RGB(0, 0, 204));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

void Win32Ui::HandleCommand(UiId form, WPARAM wparam) {
  const auto control = static_cast<UiId>(LOWORD(wparam));
  Element* c = Lookup(control);
  platform::UiEvents* events = EventsOf(form);
  if (c == nullptr || events == nullptr) return;
  const WORD code = HIWORD(wparam);
  if (c->kind == ControlKind::kTextField && code == EN_CHANGE && !setting_text_) events->OnTextEdited(control);
  if ((c->kind == ControlKind::kButton || c->kind == ControlKind::kCheckBox || c->kind == ControlKind::kOptionButton) &&
      code == BN_CLICKED)
    events->OnClick(control);
  if (c->kind == ControlKind::kLink && code == STN_CLICKED) events->OnClick(control);
  if (c->kind == ControlKind::kListBox && code == LBN_SELCHANGE) {
    const LRESULT row = SendMessageA(c->hwnd, LB_GETCURSEL, 0, 0);
    if (row >= 0) events->OnItemClick(control, static_cast<std::size_t>(row) + 1);
  }
}

void Win32Ui::HandleNotify(UiId form, const NMHDR& header) {
  const auto control = static_cast<UiId>(header.idFrom);
  platform::UiEvents* events = EventsOf(form);
  if (events == nullptr || Lookup(control) == nullptr) return;
  if (header.code == NM_CLICK || header.code == NM_DBLCLK) {
    const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
    if (activate.iItem >= 0) events->OnItemClick(control, static_cast<std::size_t>(activate.iItem) + 1);
    if (header.code == NM_DBLCLK) events->OnDoubleClick(control);
  }
}

Win32Shell::~Win32Shell() {
  if (instance_mutex_ != nullptr) CloseHandle(instance_mutex_);
}

bool Win32Shell::Open(const std::string& target, const std::string& folder) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "OPEN", target.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL));
  return result > 32;
}

bool Win32Shell::Start(const std::string& command_line) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  std::string command = command_line;
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

bool Win32Shell::AnotherCopyRunning() {
  if (instance_mutex_ == nullptr) {
    instance_mutex_ = CreateMutexA(nullptr, FALSE, "Kelvane.Quellix.SingleInstance");
    return instance_mutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  }
  return false;
}

void Win32Shell::EndProcess() { ExitProcess(0); }

}  // namespace quellix::win32
