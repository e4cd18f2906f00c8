// The rows of list boxes and list views on Win32. A list view's rows live in the host and
// the control asks for the ones it shows (LVN_GETDISPINFO).

#include "platform/win32/win32_ui.h"
// after windows.h, which the host's header brings
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {

using platform::ControlKind;
using platform::UiId;

// Rows added one by one reach the list view together: the count is told once, when the
// posted reminder arrives, when the list is shown or when it next changes otherwise, not
// once a row. A list nobody can see gets no reminder: it is told when it is shown.
void Win32Ui::MarkRowsAdded(Element& list, UiId id) {
  if (list.list->rows_pending) return;
  list.list->rows_pending = true;
  if (!IsWindowVisible(list.hwnd)) return;
  if (const Element* form = Lookup(list.form)) PostMessageW(form->hwnd, kListRowsMessage, id, 0);
}

void Win32Ui::SyncShownRowCounts(UiId shown) {
  for (auto& [id, e] : elements_)
    if (e.list && e.list->rows_pending && (id == shown || e.form == shown || e.container == shown)) SyncRowCount(id);
}

void Win32Ui::SyncRowCount(UiId id) {
  Element* e = Lookup(id);
  if (e == nullptr || e->kind != ControlKind::kListView) return;
  e->list->rows_pending = false;
  // Keeps the scroll position and the selection.
  SendMessageW(e->hwnd, LVM_SETITEMCOUNT, static_cast<WPARAM>(e->list->rows.size()),
               LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  InvalidateRect(e->hwnd, nullptr, FALSE);
}

void Win32Ui::ListClear(UiId list) {
  Element* e = Lookup(list);
  if (e == nullptr) return;
  if (e->kind == ControlKind::kListView) {
    e->list->rows.Clear();
    SyncRowCount(list);
  } else {
    SendMessageW(e->hwnd, LB_RESETCONTENT, 0, 0);
  }
}

void Win32Ui::ListAdd(UiId list, const std::vector<std::string>& cells, const std::string& icon) {
  Element* e = Lookup(list);
  if (e == nullptr || cells.empty()) return;
  if (e->kind != ControlKind::kListView) {
    SendMessageW(e->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(cells[0]).c_str()));
    return;
  }
  if (!icon.empty() && e->list->image_index.find(icon) == e->list->image_index.end())
    e->list->image_index.emplace(icon, ImageList_AddIcon(e->list->images.get(), Icon(icon, 16)));
  e->list->rows.Add(cells, icon);
  MarkRowsAdded(*e, list);
}

std::size_t Win32Ui::ListCount(UiId list) {
  Element* e = Lookup(list);
  if (e == nullptr) return 0;
  if (e->kind == ControlKind::kListView) return e->list->rows.size();
  const LRESULT n = SendMessageW(e->hwnd, LB_GETCOUNT, 0, 0);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::string Win32Ui::ListText(UiId list, std::size_t row) {
  Element* e = Lookup(list);
  if (e == nullptr || row < 1 || row > ListCount(list)) return {};
  if (e->kind == ControlKind::kListView) return std::string(e->list->rows.Cell(row - 1, 0));
  const LRESULT length = SendMessageW(e->hwnd, LB_GETTEXTLEN, row - 1, 0);
  if (length < 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(e->hwnd, LB_GETTEXT, row - 1, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return Narrow(text);
}

void Win32Ui::ListSetText(UiId list, std::size_t row, const std::string& text) {
  Element* e = Lookup(list);
  if (e == nullptr || e->kind != ControlKind::kListView || row < 1 || row > e->list->rows.size()) return;
  e->list->rows.SetCell(row - 1, 0, text);
  SendMessageW(e->hwnd, LVM_REDRAWITEMS, row - 1, row - 1);
}

void Win32Ui::ListRemove(UiId list, std::size_t row) {
  Element* e = Lookup(list);
  if (e == nullptr || row < 1 || row > ListCount(list)) return;
  if (e->kind != ControlKind::kListView) {
    SendMessageW(e->hwnd, LB_DELETESTRING, row - 1, 0);
    return;
  }
  e->list->rows.Remove(row - 1);
  SyncRowCount(list);
}

void Win32Ui::ListSelect(UiId list, std::size_t row) {
  Element* e = Lookup(list);
  if (e == nullptr || e->kind != ControlKind::kListView || row < 1 || row > e->list->rows.size()) return;
  if (e->list->rows_pending) SyncRowCount(list);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  selecting_row_ = true;  // the change notices it sends are the program's own
  SendMessageW(e->hwnd, LVM_SETITEMSTATE, row - 1, reinterpret_cast<LPARAM>(&state));
  selecting_row_ = false;
  SendMessageW(e->hwnd, LVM_ENSUREVISIBLE, row - 1, FALSE);
}

void Win32Ui::FollowListViewChange(UiId list, const NMLISTVIEW& change) {
  if (selecting_row_ || change.iItem < 0 || (change.uChanged & LVIF_STATE) == 0) return;
  // A row that becomes selected is the highlight; the row it leaves and focus moves alone
  // (which keep the selection where it was) say nothing new.
  const bool selected = (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
  const Element* e = Lookup(list);
  platform::UiEvents* events = EventsOf(list);
  if (!selected || e == nullptr || !e->list || events == nullptr ||
      static_cast<std::size_t>(change.iItem) >= e->list->rows.size())
    return;
  events->OnSelectionChanged(list, static_cast<std::size_t>(change.iItem) + 1);
}

void Win32Ui::FollowListBoxClick(const MSG& msg) {
  const auto id = static_cast<UiId>(GetDlgCtrlID(msg.hwnd));
  const Element* e = Lookup(id);
  const bool list_box = e != nullptr && e->hwnd == msg.hwnd && e->kind == ControlKind::kListBox;
  if (msg.message != WM_LBUTTONUP) {
    pressed_list_box_ = list_box ? msg.hwnd : nullptr;
    return;
  }
  const bool pressed_here = std::exchange(pressed_list_box_, nullptr) == msg.hwnd;
  platform::UiEvents* events = EventsOf(id);
  if (!list_box || !pressed_here || events == nullptr) return;
  // The row nearest the point, which counts only when the point lies on it (not below the last).
  const WORD row = LOWORD(SendMessageW(msg.hwnd, LB_ITEMFROMPOINT, 0, msg.lParam));
  RECT bounds{};
  const POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (row >= ListCount(id) ||
      SendMessageW(msg.hwnd, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds)) == LB_ERR ||
      !PtInRect(&bounds, at))
    return;
  events->OnItemClick(id, static_cast<std::size_t>(row) + 1);
}

void Win32Ui::FillListItem(ListData& list, NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= list.rows.size()) {
    item.mask &= ~LVIF_TEXT;
    return;
  }
  const auto row = static_cast<std::size_t>(item.iItem);
  if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
    const std::string_view text = list.rows.Cell(row, static_cast<std::size_t>(std::max(item.iSubItem, 0)));
    CopyUnits(Widen(text), item.pszText, static_cast<std::size_t>(item.cchTextMax));
  }
  if ((item.mask & LVIF_IMAGE) != 0) {
    const auto image = list.image_index.find(list.rows.Icon(row));
    item.iImage = image == list.image_index.end() ? -1 : image->second;
  }
}

}  // namespace quellix::win32
