#include "product_probe.h"

#include <windows.h>
// after windows.h, whose types they use
#include <commctrl.h>
#include <oleacc.h>

#include <cstdlib>
#include <iterator>
#include <sstream>
#include <vector>

#include "platform/win32/wide_text.h"

namespace quellix::tools {
namespace {

using win32::Narrow;
using win32::Widen;

std::vector<std::string> Fields(const std::string& args) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream in(args);
  while (std::getline(in, field, '|')) fields.push_back(field);
  return fields;
}

// A window's text as Unicode, in UTF-8.
std::string WindowText(HWND hwnd) {
  wchar_t text[4096] = {};
  SendMessageTimeoutW(hwnd, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return Narrow(text);
}

// A text value read as Unicode, in UTF-8: root|key|name.
std::string RegistryPath(const std::vector<std::string>& f) {
  if (f.size() < 3) return "path none";
  HKEY root = f[0] == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  wchar_t data[2048] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(root, Widen(f[1]).c_str(), Widen(f[2]).c_str(), RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return "path none";
  return "path " + Narrow(data);
}

// The number of names a file has (its hard links), by its UTF-8 path.
std::string Links(const std::string& path) {
  HANDLE file = CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "links none";
  BY_HANDLE_FILE_INFORMATION info{};
  const BOOL ok = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  return ok ? "links " + std::to_string(info.nNumberOfLinks) : "links none";
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return name;
}

// The product's shown top-level window with this caption (its forms share one class).
HWND Form(const std::string& caption) {
  return FindWindowW(L"QuellixForm", Widen(caption).c_str());
}

std::vector<HWND> Children(HWND form) {
  std::vector<HWND> children;
  EnumChildWindows(
      form,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND ByText(const std::vector<std::string>& f) {
  if (f.size() < 2) return nullptr;
  HWND form = Form(f[0]);
  if (form == nullptr) return nullptr;
  for (HWND child : Children(form))
    if (IsWindowVisible(child) && WindowText(child) == f[1]) return child;
  return nullptr;
}

HWND ByClass(const std::vector<std::string>& f) {
  if (f.size() < 3) return nullptr;
  HWND form = Form(f[0]);
  if (form == nullptr) return nullptr;
  int n = std::atoi(f[2].c_str());
  for (HWND child : Children(form))
    if (IsWindowVisible(child) && lstrcmpiW(ClassOf(child).c_str(), Widen(f[1]).c_str()) == 0 && n-- == 0)
      return child;
  return nullptr;
}

std::string Rect(HWND hwnd) {
  RECT r{};
  if (hwnd == nullptr || !GetWindowRect(hwnd, &r)) return "rect none";
  std::ostringstream out;
  out << "rect " << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom;
  return out.str();
}

std::string Count(HWND hwnd) {
  if (hwnd == nullptr) return "count none";
  const bool list_view = lstrcmpiW(ClassOf(hwnd).c_str(), WC_LISTVIEWW) == 0;
  const LRESULT n = SendMessageW(hwnd, list_view ? LVM_GETITEMCOUNT : LB_GETCOUNT, 0, 0);
  return "count " + std::to_string(n);
}

// The program's live GDI object count, answered by its tray host window to this registered
// message (src/platform/win32/win32_ui_shared.h).
std::string GdiCount() {
  HWND tray = FindWindowW(L"QuellixTrayHost", L"TrayArea1");
  DWORD_PTR count = 0;
  if (tray == nullptr || !SendMessageTimeoutW(tray, RegisterWindowMessageW(L"QuellixLiveGdiObjects"), 0, 0,
                                              SMTO_ABORTIFHUNG, 2000, &count))
    return "gdi none";
  return "gdi " + std::to_string(static_cast<long>(count));
}

std::string Churn(const std::vector<std::string>& f) {
  HWND hwnd = ByText(f);
  const int n = f.size() > 2 ? std::atoi(f[2].c_str()) : 0;
  if (hwnd == nullptr) return "churned none";
  for (int i = 0; i < n; ++i) {
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0xFFD8, 4));  // x = -40: dragged off
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(0xFFD8, 4));
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
  }
  return "churned " + std::to_string(n);
}

// The text in UTF-8, and the string freed.
std::string Take(BSTR text) {
  const std::string out =
      text != nullptr ? Narrow(std::wstring_view(text, SysStringLen(text))) : std::string();
  SysFreeString(text);
  return out;
}

std::string Accessible(HWND hwnd, bool press) {
  IAccessible* object = nullptr;
  if (hwnd == nullptr || FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                           reinterpret_cast<void**>(&object))))
    return press ? "pressed 0" : "accessible none";
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  std::ostringstream out;
  if (press) {
    out << "pressed " << (object->accDoDefaultAction(self) == S_OK ? 1 : 0);
  } else {
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    BSTR action = nullptr, name = nullptr;
    object->get_accRole(self, &role);
    object->get_accState(self, &state);
    object->get_accDefaultAction(self, &action);
    object->get_accName(self, &name);
    out << "accessible role=" << (role.vt == VT_I4 ? role.lVal : -1) << " state=" << std::hex
        << (state.vt == VT_I4 ? state.lVal : 0) << std::dec << " action=" << Take(action)
        << " name=" << Take(name);
  }
  object->Release();
  return out.str();
}

// What an installer's restart manager does to free a program's files: every top-level window
// of the process that owns FORM is asked whether the session may end, then told that it ends,
// with ENDSESSION_CLOSEAPP. The answer counts the windows and the ones that agreed.
std::string EndSession(HWND form) {
  if (form == nullptr) return "endsession none";
  struct Search {
    DWORD process = 0;
    std::vector<HWND> windows;
  } search;
  GetWindowThreadProcessId(form, &search.process);
  EnumWindows(
      [](HWND hwnd, LPARAM param) {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        if (process == s->process) s->windows.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  int agreed = 0;
  for (HWND hwnd : search.windows) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000,
                            &answer) &&
        answer != 0)
      ++agreed;
  }
  // The program may end while it is told: a window gone meanwhile is simply not told.
  for (HWND hwnd : search.windows) {
    if (IsWindow(hwnd))
      SendMessageTimeoutW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP, SMTO_ABORTIFHUNG, 5000, nullptr);
  }
  return "endsession windows=" + std::to_string(search.windows.size()) + " agreed=" + std::to_string(agreed);
}

}  // namespace

std::string Probe(const std::string& verb, const std::string& args) {
  const std::vector<std::string> f = Fields(args);
  if (verb == "rect") return Rect(ByText(f));
  if (verb == "rectof") return Rect(ByClass(f));
  if (verb == "textof") {
    HWND hwnd = ByClass(f);
    return hwnd == nullptr ? "text none" : "text " + WindowText(hwnd);
  }
  if (verb == "pathof") {
    HWND hwnd = ByClass(f);
    return hwnd == nullptr ? "path none" : "path " + WindowText(hwnd);
  }
  if (verb == "regpath") return RegistryPath(f);
  if (verb == "hardlink") {
    // existing|new, UTF-8 paths: gives the existing file a second name.
    return std::string("linked ") +
           (f.size() >= 2 && CreateHardLinkW(Widen(f[1]).c_str(), Widen(f[0]).c_str(), nullptr) ? "1" : "0");
  }
  if (verb == "links") return Links(args);
  if (verb == "countof") return Count(ByClass(f));
  if (verb == "selectedof") {
    HWND list = ByClass(f);
    if (list == nullptr) return "selected none";
    return "selected " +
           std::to_string(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED) + 1);
  }
  if (verb == "textafter") {
    // Controls are stacked as they were made, newest on top: the one made after the label
    // is the window above it.
    HWND label = ByText(f);
    HWND above = label == nullptr ? nullptr : GetWindow(label, GW_HWNDPREV);
    return above == nullptr ? "text none" : "text " + WindowText(above);
  }
  if (verb == "regvalue") {
    // root|key|name: the value's data as stored, NULs shown as "\0".
    if (f.size() < 3) return "value none";
    HKEY root = f[0] == "HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    char data[2048] = {};
    DWORD size = sizeof data, type = 0;
    if (RegGetValueA(root, f[1].c_str(), f[2].c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) !=
        ERROR_SUCCESS)
      return "value none";
    std::string shown;
    for (DWORD i = 0; i < size && i < sizeof data; ++i)
      shown += data[i] == '\0' ? std::string("\\0") : std::string(1, data[i]);
    return "value " + std::to_string(size) + " " + shown;
  }
  if (verb == "enabled") {
    HWND hwnd = ByText(f);
    return hwnd == nullptr ? "enabled none" : std::string("enabled ") + (IsWindowEnabled(hwnd) ? "1" : "0");
  }
  if (verb == "checked") {
    HWND hwnd = ByText(f);
    return hwnd == nullptr ? "checked none"
                           : "checked " + std::to_string(SendMessageW(hwnd, BM_GETCHECK, 0, 0));
  }
  if (verb == "click") {
    HWND hwnd = ByText(f);
    return std::string("clicked ") + (hwnd != nullptr && PostMessageW(hwnd, BM_CLICK, 0, 0) ? "1" : "0");
  }
  if (verb == "gdi") return GdiCount();
  if (verb == "churn") return Churn(f);
  if (verb == "accessible") return Accessible(ByText(f), false);
  if (verb == "press") return Accessible(ByText(f), true);
  if (verb == "endsession") return EndSession(f.empty() ? nullptr : Form(f[0]));
  if (verb == "state") {
    HWND form = f.empty() ? nullptr : Form(f[0]);
    if (form == nullptr) return "state none";
    return std::string("state visible=") + (IsWindowVisible(form) ? "1" : "0") +
           " iconic=" + (IsIconic(form) ? "1" : "0");
  }
  return "";
}

}  // namespace quellix::tools
