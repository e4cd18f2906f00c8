#pragma once
// The registry at the byte level: the product's own rules for reading and writing
// values are core code built on these few calls.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quellix::platform {

enum class RegistryRoot : std::uint32_t {
  kCurrentUser = 0x80000001,
  kLocalMachine = 0x80000002,
};

namespace regtype {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kString = 1;  // REG_SZ
inline constexpr std::uint32_t kExpandString = 2;
inline constexpr std::uint32_t kBinary = 3;
inline constexpr std::uint32_t kDword = 4;  // REG_DWORD
inline constexpr std::uint32_t kMultiString = 7;
inline constexpr std::uint32_t kQword = 11;
}  // namespace regtype

namespace regaccess {
inline constexpr std::uint32_t kQueryValue = 0x0001;
inline constexpr std::uint32_t kSetValue = 0x0002;
inline constexpr std::uint32_t kCreateSubKey = 0x0004;
inline constexpr std::uint32_t kRead = 0x20019;        // KEY_READ
inline constexpr std::uint32_t kFullAccess = 0x2003F;  // what the product asks for when writing
}  // namespace regaccess

// An open key; 0 is no key.
using RegistryKey = std::uintptr_t;

struct RegistryData {
  bool ok = false;
  std::uint32_t type = regtype::kNone;
  std::string bytes;  // the bytes the query reports
};

// Tells a caller that caches values whether any of them may have changed.
class RegistryWatch {
 public:
  virtual ~RegistryWatch() = default;
  // True when a value of a watched key, or of a key below it, was set or deleted, or such a
  // key was made, since the last call; true at the first call. Costs no system call, so a
  // caller may ask before every use of what it cached.
  virtual bool TakeChange() = 0;
};

struct WatchedKey {
  RegistryRoot root;
  std::string path;
};

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA. Returns 0 when the key does not exist or access is denied.
  virtual RegistryKey OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access) = 0;
  // RegQueryValueExA into a buffer of `buffer_size` bytes; fails when the data does not fit.
  // String data is reported with a terminating NUL (added when not stored), which must fit too.
  virtual RegistryData QueryValue(RegistryKey key, std::string_view name, std::size_t buffer_size) = 0;
  // RegCreateKeyExA, creating missing parents; `class_text` and `non_volatile` as passed.
  virtual RegistryKey CreateKey(RegistryRoot root, std::string_view path, std::string_view class_text,
                                bool non_volatile, std::uint32_t access) = 0;
  // RegSetValueExA with exactly `bytes` as data.
  virtual bool SetValue(RegistryKey key, std::string_view name, std::uint32_t type, std::string_view bytes) = 0;
  virtual void CloseKey(RegistryKey key) = 0;
  // A REG_SZ value that holds a path: UTF-8 here, Unicode text in the registry
  // (RegQueryValueExW, RegSetValueExW), so a path in any language is kept whole. The query
  // reports string data in UTF-8 with a terminating NUL, which must fit `buffer_size` bytes;
  // data of other types as QueryValue does. The text is stored as SetValue's text is on
  // Windows: with its terminator, the empty text as no data.
  virtual RegistryData QueryPathValue(RegistryKey key, std::string_view name, std::size_t buffer_size) = 0;
  virtual bool SetPathValue(RegistryKey key, std::string_view name, std::string_view path) = 0;
  // Starts watching `keys` until the watch goes. A key that does not exist yet is watched
  // from when it is made. Changes made by this process are seen as well.
  virtual std::unique_ptr<RegistryWatch> WatchKeys(std::vector<WatchedKey> keys) = 0;
};

// A key this code opened, closed when it goes; 0 (none could be opened) is left alone.
class OpenedKey {
 public:
  OpenedKey(Registry& registry, RegistryKey key) : registry_(registry), key_(key) {}
  ~OpenedKey() {
    if (key_ != 0) registry_.CloseKey(key_);
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  RegistryKey get() const { return key_; }

 private:
  Registry& registry_;
  RegistryKey key_;
};

}  // namespace quellix::platform
