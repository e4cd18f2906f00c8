// The common open and save dialogs (comdlg32), in their wide form: the filter and the default
// extension go in and the chosen path comes back in UTF-8, whatever language they are in.
#include <windows.h>
// after windows.h, whose types it uses
#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <string_view>
#include <vector>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

constexpr std::size_t kMaxPathCapacity = 1 << 20;

// Window handles are 32-bit values, sign-extended on 64-bit Windows.
HWND ToHwnd(platform::WindowId window) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window & 0xFFFFFFFFu)));
}

// The dialog's form of a filter: each description and pattern ends in a NUL, and the list in
// a second one (the string's own terminator). An empty text would end the list early, so a
// pair with one is left out, as is a description without its pattern.
std::wstring NativeFilter(std::string_view filter) {
  filter = filter.substr(0, filter.find('\0'));
  std::vector<std::string_view> parts;
  while (!filter.empty()) {
    const auto bar = filter.find('|');
    parts.push_back(filter.substr(0, bar));
    if (bar == std::string_view::npos) break;
    filter.remove_prefix(bar + 1);
  }
  std::wstring native;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() || parts[i + 1].empty()) continue;
    native.append(Widen(parts[i])).push_back(L'\0');
    native.append(Widen(parts[i + 1])).push_back(L'\0');
  }
  return native;
}

std::wstring CurrentDirectory() {
  const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return {};
  std::wstring folder(needed, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(needed, folder.data());
  folder.resize(length < needed ? length : 0);
  return folder;
}

}  // namespace

std::optional<std::string> Win32FileDialogs::Show(const platform::FileDialogRequest& request) {
  const bool save = request.kind == platform::FileDialogKind::kSave;
  const std::wstring filter = NativeFilter(request.filter);
  const std::wstring extension = Widen(request.default_extension);
  std::vector<wchar_t> path(std::clamp<std::size_t>(request.path_capacity, 1, kMaxPathCapacity), L'\0');

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = ToHwnd(request.owner);
  dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!save && request.file_must_exist) dialog.Flags |= OFN_FILEMUSTEXIST;
  if (save && request.confirm_overwrite) dialog.Flags |= OFN_OVERWRITEPROMPT;

  // The open dialog may move the current directory whatever its flags say.
  const std::wstring folder = CurrentDirectory();
  const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (!folder.empty()) ::SetCurrentDirectoryW(folder.c_str());

  if (!chosen) return std::nullopt;
  const std::size_t length = wcsnlen(path.data(), path.size());
  if (length == 0) return std::nullopt;
  return Narrow(std::wstring_view(path.data(), length));
}

}  // namespace quellix::win32
