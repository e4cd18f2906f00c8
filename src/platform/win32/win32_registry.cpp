#include <windows.h>

#include <string>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

HKEY RootKey(platform::RegistryRoot root) {
  return root == platform::RegistryRoot::kCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}
HKEY ToHkey(platform::RegistryKey key) { return reinterpret_cast<HKEY>(key); }
platform::RegistryKey ToKey(HKEY key) { return reinterpret_cast<platform::RegistryKey>(key); }

}  // namespace

platform::RegistryKey Win32Registry::OpenKey(platform::RegistryRoot root, std::string_view path,
                                             std::uint32_t access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(RootKey(root), std::string(path).c_str(), 0, access, &key) != ERROR_SUCCESS) return 0;
  return ToKey(key);
}

platform::RegistryData Win32Registry::QueryValue(platform::RegistryKey key, std::string_view name,
                                                 std::size_t buffer_size) {
  std::string buffer(buffer_size, '\0');
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(buffer_size);
  const LONG rc = ::RegQueryValueExA(ToHkey(key), std::string(name).c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (rc != ERROR_SUCCESS || size > buffer_size) return {};
  buffer.resize(size);
  return platform::RegistryData{true, type, std::move(buffer)};
}

platform::RegistryKey Win32Registry::CreateKey(platform::RegistryRoot root, std::string_view path,
                                               std::string_view class_text, bool non_volatile,
                                               std::uint32_t access) {
  // No security descriptor of our own; the handle may be inherited.
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  std::string class_buffer(class_text);
  HKEY key = nullptr;
  DWORD disposition = 0;
  const LONG rc = ::RegCreateKeyExA(RootKey(root), std::string(path).c_str(), 0, class_buffer.data(),
                                    non_volatile ? REG_OPTION_NON_VOLATILE : REG_OPTION_VOLATILE, access, &security,
                                    &key, &disposition);
  return rc == ERROR_SUCCESS ? ToKey(key) : 0;
}

bool Win32Registry::SetValue(platform::RegistryKey key, std::string_view name, std::uint32_t type,
                             std::string_view bytes) {
  return ::RegSetValueExA(ToHkey(key), std::string(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())) ==
         ERROR_SUCCESS;
}

void Win32Registry::CloseKey(platform::RegistryKey key) { ::RegCloseKey(ToHkey(key)); }

platform::RegistryData Win32Registry::QueryPathValue(platform::RegistryKey key, std::string_view name,
                                                     std::size_t buffer_size) {
  // Room for as many UTF-16 units as the answer may hold bytes: UTF-8 never takes fewer.
  std::wstring buffer(buffer_size, L'\0');
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  const LONG rc = ::RegQueryValueExW(ToHkey(key), Widen(name).c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer.data()), &size);
  if (rc != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    if (size > buffer_size) return {};
    return platform::RegistryData{true, type,
                                  std::string(reinterpret_cast<const char*>(buffer.data()), size)};
  }
  buffer.resize(size / sizeof(wchar_t));
  if (buffer.empty() || buffer.back() != L'\0') buffer.push_back(L'\0');
  std::string text = Narrow(buffer);
  if (text.size() > buffer_size) return {};
  return platform::RegistryData{true, type, std::move(text)};
}

bool Win32Registry::SetPathValue(platform::RegistryKey key, std::string_view name, std::string_view path) {
  // With its terminator, as RegSetValueExA stores text; the empty text as no data at all.
  const std::wstring text = Widen(path);
  const std::size_t size = text.empty() ? 0 : (text.size() + 1) * sizeof(wchar_t);
  return ::RegSetValueExW(ToHkey(key), Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

}  // namespace quellix::win32
