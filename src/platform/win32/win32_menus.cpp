// Pop-up menus on Win32, with icons drawn beside their items by the owner window.

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_ui_shared.h"

namespace quellix::win32 {

using platform::UiId;

int Win32Ui::TrackPopupMenu(UiId owner_form, const std::vector<platform::MenuItem>& items) {
  // The handle is copied: an event run while the menu tracks may destroy the owner form.
  const Element* owner_element = Lookup(owner_form);
  if (owner_element == nullptr) return 0;
  const HWND owner = owner_element->hwnd;
  menu_icons_.clear();
  auto build = [&](auto& self, const std::vector<platform::MenuItem>& level) -> HMENU {
    HMENU menu = CreatePopupMenu();
    for (const platform::MenuItem& item : level) {
      if (item.id == 0) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        continue;
      }
      std::wstring caption = Widen(item.caption);  // copied by the menu
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_STRING | MIIM_ID | MIIM_FTYPE | MIIM_STATE;
      info.fState = item.enabled ? MFS_ENABLED : MFS_GRAYED;
      info.fType = MFT_STRING;
      info.wID = static_cast<UINT>(item.id);
      info.dwTypeData = caption.data();
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
      InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
    }
    return menu;
  };
  const UniqueMenu menu(build(build, items));
  POINT at;
  GetCursorPos(&at);
  // The owner must be in the foreground, or the menu stays open when the user clicks elsewhere.
  SetForegroundWindow(owner);
  const int chosen =
      ::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

void Win32Ui::DrawMenuIcon(const DRAWITEMSTRUCT& item) {
  auto key = menu_icons_.find(static_cast<int>(item.itemID));
  if (key == menu_icons_.end()) return;
  DrawIconEx(item.hDC, item.rcItem.left + 1, item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kMenuIconSize) / 2,
             Icon(key->second, kMenuIconSize), kMenuIconSize, kMenuIconSize, 0, nullptr, DI_NORMAL);
}

}  // namespace quellix::win32
