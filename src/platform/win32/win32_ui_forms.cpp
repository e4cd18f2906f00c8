// Forms and their controls on Win32: creation from descriptions, visibility, texts,
// values, placement in twips and window states.

#include "platform/win32/win32_ui.h"
// after windows.h, which the host's header brings
#include <commctrl.h>

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui_shared.h"
#include "platform/win32/win32_window_finder.h"

namespace quellix::win32 {

using platform::ControlKind;
using platform::UiId;

namespace {

constexpr int kTwoLineBoxTwips = 360;  // two lines of the dialog font

}  // namespace

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
  e.as_form = std::make_unique<Win32Form>();
  e.as_form->name = desc.name;
  e.as_form->events = &events;
  e.rect = {0, 0, desc.client_width, desc.client_height};
  RECT frame{0, 0, Pixels(desc.client_width), Pixels(desc.client_height)};
  const DWORD style = desc.hidden_host ? WS_POPUP : kFormStyle;
  AdjustWindowRect(&frame, style, FALSE);
  e.as_form->window.reset(CreateWindowExW(0, kFormClass, Widen(desc.caption).c_str(), style, CW_USEDEFAULT,
                                          CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
  e.hwnd = e.as_form->window.get();
  if (e.hwnd == nullptr) {
    elements_.erase(id);
    return 0;
  }
  SetWindowLongPtrW(e.hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(id));
  SetPropW(e.hwnd, kHostProperty, this);
  return id;
}

void Win32Ui::DestroyForm(UiId form) {
  Element* e = Lookup(form);
  if (e == nullptr || !e->as_form) return;
  HWND hwnd = e->hwnd;
  for (auto it = timers_.begin(); it != timers_.end();) {
    if (it->second.first == form) {
      KillTimer(hwnd, it->second.second);
      it = timers_.erase(it);
    } else {
      ++it;
    }
  }
  // The tooltip, which the form owns, goes before it, so that it is destroyed exactly once.
  // Then the window, with its child controls; then the elements, which own the image lists
  // and the controls' own top-level windows.
  e->as_form->tooltip.reset();
  e->as_form->window.reset();
  std::erase_if(elements_, [&](const auto& kv) { return kv.second.form == form; });
}

UiId Win32Ui::CreateControl(UiId form, const platform::ControlSpec& desc) {
  Element* f = Lookup(form);
  if (f == nullptr || !f->as_form) return 0;
  const UiId id = next_id_++;
  Element e;
  e.form = form;
  e.kind = desc.kind;
  e.rect = desc.rect;
  e.container = desc.container;
  const wchar_t* cls = L"STATIC";
  DWORD style =
      WS_CHILD | WS_CLIPSIBLINGS | (desc.visible ? WS_VISIBLE : 0) | (desc.enabled ? 0 : WS_DISABLED);
  DWORD ex_style = 0;
  std::string caption = desc.caption;
  switch (desc.kind) {
    case ControlKind::kLabel:
      style |= SS_LEFT;
      break;
    case ControlKind::kLink:
      style |= SS_LEFT | SS_NOTIFY;
      break;
    case ControlKind::kPicture:
      style |= SS_ICON;
      caption.clear();
      break;
    case ControlKind::kTextField:
      cls = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kCheckBox:
      cls = L"BUTTON";
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      // A box made tall enough for two lines wraps a caption wider than itself; a one-line
      // box keeps its caption on its line.
      if (desc.rect.height >= kTwoLineBoxTwips) style |= BS_MULTILINE;
      break;
    case ControlKind::kOptionButton:
      cls = L"BUTTON";
      style |= BS_AUTORADIOBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kButton:
      cls = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::kFrame:
      cls = kFrameClass;
      break;
    case ControlKind::kListBox:
      cls = L"LISTBOX";
      style |= LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kListView:
      cls = WC_LISTVIEWW;
      // The host keeps the rows and the list view asks for what it shows (LVS_OWNERDATA),
      // so a list of 100,000 entries fills and scrolls at once.
      style |=
          LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_OWNERDATA | WS_TABSTOP;
      ex_style = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kWindowFinder:
      cls = kWindowFinderClass;
      break;
    case ControlKind::kTrayHost:
      // Its own invisible top-level window: it receives the icon's callbacks and the
      // shell's broadcast when the taskbar is created again.
      e.tray = std::make_unique<Win32TrayHost>(Widen(desc.name), icons_, [this, id](std::uint32_t code) {
        if (platform::UiEvents* events = EventsOf(id)) events->OnTrayNotify(id, code);
      });
      e.hwnd = e.tray->Hwnd();
      if (e.hwnd == nullptr) return 0;
      elements_[id] = std::move(e);
      return id;
  }
  // Controls inside a frame are the form's children too, placed over the frame.
  const POINT at = Origin(e);
  if (desc.kind == ControlKind::kButton && drawn_controls_.Describes(f->as_form->name, desc.name)) {
    e.drawn = CreateDrawnButton(form, id, e, desc);
    if (!e.drawn) return 0;
    e.hwnd = e.drawn->Hwnd();
    SetWindowPos(e.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    elements_[id] = std::move(e);
    return id;
  }
  const auto menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
  e.hwnd = CreateWindowExW(ex_style, cls, Widen(caption).c_str(), style, at.x, at.y, Pixels(desc.rect.width),
                           Pixels(desc.rect.height), f->hwnd, menu, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(e.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  // Siblings clip each other, so the stacking decides what shows: a frame goes beneath
  // everything made so far, any other control above, so that each frame's controls, made
  // after it, lie on it.
  if (desc.kind == ControlKind::kFrame) SetWindowTextW(e.hwnd, Widen(desc.caption).c_str());
  SetWindowPos(e.hwnd, desc.kind == ControlKind::kFrame ? HWND_BOTTOM : HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (desc.kind == ControlKind::kPicture)
    SendMessageW(e.hwnd, STM_SETICON, reinterpret_cast<WPARAM>(Icon(desc.caption, PictureIconSize(e))), 0);
  if (desc.kind == ControlKind::kListView) {
    SendMessageW(e.hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    e.list = std::make_unique<ListData>();
    e.list->images.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 4));
    SendMessageW(e.hwnd, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(e.list->images.get()));
    // Columns without a width of their own share what the others leave.
    const int inner = Pixels(desc.rect.width) - 24;
    const std::size_t count = desc.columns.size();
    int given = 0;
    std::size_t sharing = 0;
    for (std::size_t i = 0; i < count; ++i) {
      if (i < desc.column_widths.size() && desc.column_widths[i] > 0) {
        given += Pixels(desc.column_widths[i]);
      } else {
        ++sharing;
      }
    }
    const int share = sharing == 0 ? 0 : std::max(40, (inner - given) / static_cast<int>(sharing));
    for (std::size_t i = 0; i < count; ++i) {
      std::wstring caption_text = Widen(desc.columns[i]);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx =
          i < desc.column_widths.size() && desc.column_widths[i] > 0 ? Pixels(desc.column_widths[i]) : share;
      column.pszText = caption_text.data();
      SendMessageW(e.hwnd, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
  }
  elements_[id] = std::move(e);
  return id;
}

std::shared_ptr<Win32DrawnButton> Win32Ui::CreateDrawnButton(UiId form, UiId id, const Element& e,
                                                             const platform::ControlSpec& desc) {
  const POINT at = Origin(e);
  const Element& parent = elements_.at(form);
  Win32DrawnButton::Placement placement;
  placement.parent = parent.hwnd;
  placement.form = parent.as_form->name;
  placement.id = static_cast<int>(id);
  placement.bounds = {at.x, at.y, at.x + Pixels(desc.rect.width), at.y + Pixels(desc.rect.height)};
  placement.visible = desc.visible;
  placement.name = desc.name;
  placement.caption = desc.caption;
  placement.enabled = desc.enabled;
  Win32DrawnButton::Host host;
  host.click = [this, id] {
    if (platform::UiEvents* events = EventsOf(id)) events->OnClick(id);
  };
  host.let_events_run = [this] { DoEvents(); };
  return Win32DrawnButton::Create(placement, drawn_controls_, std::move(host));
}

void Win32Ui::SetVisible(UiId id, bool visible) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  int show = visible ? SW_SHOWNA : SW_HIDE;
  if (visible && e->as_form) {
    // A window hidden while minimised stays iconic; when its state has been set to normal
    // since, it is shown restored.
    show = e->as_form->state == platform::WindowState::kNormal && IsIconic(e->hwnd) ? SW_RESTORE : SW_SHOW;
  }
  ShowWindow(e->hwnd, show);
  if (visible) SyncShownRowCounts(id);
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
  return e != nullptr && (GetWindowLongW(e->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Ui::SetEnabled(UiId id, bool enabled) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  if (e->drawn) {
    e->drawn->Control().SetEnabled(enabled);  // which enables its window
  } else {
    EnableWindow(e->hwnd, enabled);
  }
}

void Win32Ui::SetText(UiId id, const std::string& text) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  setting_text_ = true;
  if (e->kind == ControlKind::kPicture) {
    SendMessageW(e->hwnd, STM_SETICON, reinterpret_cast<WPARAM>(Icon(text, PictureIconSize(*e))), 0);
  } else {
    SetWindowTextW(e->hwnd, Widen(text).c_str());
  }
  setting_text_ = false;
}

void Win32Ui::SetTextColor(UiId label, std::uint32_t rgb) {
  Element* e = Lookup(label);
  if (e == nullptr) return;
  e->text_color = rgb == kDefaultTextColor ? CLR_INVALID : static_cast<COLORREF>(rgb);
  InvalidateRect(e->hwnd, nullptr, TRUE);
}

std::string Win32Ui::Text(UiId id) {
  Element* e = Lookup(id);
  return e == nullptr ? std::string() : WindowText(e->hwnd);
}

void Win32Ui::SetValue(UiId id, int value) {
  if (Element* e = Lookup(id))
    SendMessageW(e->hwnd, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Win32Ui::Value(UiId id) {
  Element* e = Lookup(id);
  return e != nullptr && SendMessageW(e->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
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

void Win32Ui::LayOut(UiId form) {
  for (auto& [id, e] : elements_) {
    if (e.form != form || e.as_form || e.tray) continue;
    const POINT at = Origin(e);
    SetWindowPos(e.hwnd, nullptr, at.x, at.y, Pixels(e.rect.width), Pixels(e.rect.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

platform::TwipsRect Win32Ui::Bounds(UiId id) {
  Element* e = Lookup(id);
  return e == nullptr ? platform::TwipsRect{} : e->rect;
}

void Win32Ui::SetWindowState(UiId form, platform::WindowState state) {
  Element* e = Lookup(form);
  if (e == nullptr || !e->as_form) return;
  e->as_form->state = state;
  if (Visible(form)) {
    // The window system reports the change through WM_SIZE.
    ShowWindow(e->hwnd, state == platform::WindowState::kMinimized ? SW_MINIMIZE : SW_RESTORE);
  } else {
    // A hidden window keeps the state until it is shown (SetVisible applies it); the change
    // is reported now all the same.
    if (e->as_form->events != nullptr) e->as_form->events->OnWindowStateChanged(form);
  }
}

platform::WindowState Win32Ui::GetWindowState(UiId form) {
  Element* e = Lookup(form);
  if (e == nullptr || !e->as_form) return platform::WindowState::kNormal;
  if (Visible(form))
    return IsIconic(e->hwnd) ? platform::WindowState::kMinimized : platform::WindowState::kNormal;
  return e->as_form->state;
}

void Win32Ui::CenterOnScreen(UiId form) {
  Element* e = Lookup(form);
  if (e == nullptr) return;
  RECT r;
  GetWindowRect(e->hwnd, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  SetWindowPos(e->hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Ui::SetTopmost(UiId form) {
  if (Element* e = Lookup(form)) SetWindowPos(e->hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace quellix::win32
