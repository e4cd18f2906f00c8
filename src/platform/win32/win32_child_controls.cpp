// Another program's dialog from the outside: its child controls and their texts, a click on
// one of its buttons, and whether its process runs with higher rights than ours.
#include <windows.h>

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_guard.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

HWND ToHwnd(platform::WindowId window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
platform::WindowId ToId(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

// The longest text asked of one control: a dialog's message, not a document.
constexpr int kLongestControlText = 4096;
// No dialog shows more controls than this; a window holding more is not one to read.
constexpr std::size_t kMostChildren = 512;

BOOL CALLBACK CollectChild(HWND child, LPARAM found) noexcept {
  return Guarded(
      [&]() -> BOOL {
        auto& children = *reinterpret_cast<std::vector<HWND>*>(found);
        children.push_back(child);
        return children.size() < kMostChildren;
      },
      [] { return FALSE; });  // out of memory: the children found so far
}

// The integrity level of a process's token; 0 when it cannot be told.
DWORD IntegrityLevel(HANDLE token) {
  DWORD size = 0;
  ::GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
  if (size == 0) return 0;
  std::vector<unsigned char> buffer(size);
  if (!::GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) return 0;
  const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
  PSID sid = label->Label.Sid;
  if (sid == nullptr || !::IsValidSid(sid)) return 0;
  const UCHAR count = *::GetSidSubAuthorityCount(sid);
  return count == 0 ? 0 : *::GetSidSubAuthority(sid, count - 1U);
}

}  // namespace

std::optional<std::vector<platform::ChildControl>> Win32Desktop::ChildControls(platform::WindowId window,
                                                                               unsigned timeout_ms) {
  HWND parent = ToHwnd(window);
  if (!::IsWindow(parent)) return std::nullopt;
  std::vector<HWND> handles;
  ::EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&handles));
  const ULONGLONG deadline = ::GetTickCount64() + timeout_ms;
  std::vector<platform::ChildControl> children;
  std::vector<wchar_t> buffer(kLongestControlText + 1);
  for (HWND child : handles) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return std::nullopt;
    wchar_t class_name[256] = {};
    const int class_length = ::GetClassNameW(child, class_name, 256);
    DWORD_PTR copied = 0;
    buffer[0] = L'\0';
    // Asked with a wait: a program that does not answer is given up on, never waited for.
    if (!::SendMessageTimeoutW(child, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, static_cast<UINT>(deadline - now), &copied)) {
      if (!::IsWindow(child)) continue;  // gone meanwhile
      return std::nullopt;
    }
    const std::size_t units = std::min<std::size_t>(copied, kLongestControlText);
    children.push_back({ToId(child), static_cast<std::uint32_t>(::GetDlgCtrlID(child)),
                        Narrow(std::wstring_view(class_name, static_cast<std::size_t>(std::max(class_length, 0)))),
                        Narrow(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), units))),
                        ::IsWindowVisible(child) != FALSE});
  }
  return children;
}

void Win32Desktop::PostButtonClick(platform::WindowId window, const platform::ChildControl& button) {
  ::PostMessageW(ToHwnd(window), WM_COMMAND, MAKEWPARAM(button.id & 0xFFFF, BN_CLICKED),
                 reinterpret_cast<LPARAM>(ToHwnd(button.window)));
}

bool Win32Desktop::RunsWithHigherRights(std::uint32_t process_id) {
  if (process_id == 0) return false;
  const UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id));
  if (!process) return false;  // gone
  HANDLE raw = nullptr;
  // A token we may not even look at belongs to another account or a protected process: its
  // windows are out of reach.
  if (!::OpenProcessToken(process.get(), TOKEN_QUERY, &raw)) return true;
  const UniqueKernelHandle theirs(raw);
  raw = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
  const UniqueKernelHandle ours(raw);
  const DWORD their_level = IntegrityLevel(theirs.get()), our_level = IntegrityLevel(ours.get());
  return their_level != 0 && our_level != 0 && their_level > our_level;
}

}  // namespace quellix::win32
