#pragma once
// Reading and writing the product's settings values (Tool1 in the product's own terms).

#include <string>
#include <string_view>

#include "platform/registry.h"
#include "settings/settings_table.h"

namespace quellix::settings {

// Bytes a value may hold to be read. The query buffer has one byte more, for the
// terminator the platform adds to string data it reports.
inline constexpr std::size_t kValueBufferSize = 1024;
// Class text given to keys the product creates.
inline constexpr std::string_view kKeyClassText = "1";

struct SettingText {
  bool found = false;
  std::string text;
};

// The per-user layer. A machine-wide key (below HKEY_LOCAL_MACHINE) has a twin under the
// same path below HKEY_CURRENT_USER. Most accounts cannot write the machine key, so:
// - reading looks in the per-user key first and in the machine key when the value is not
//   there (settings an administrator stored machine-wide keep working);
// - writing goes to the per-user key when the value is there already or when the machine
//   key refuses the write, and to the machine key otherwise.
// A value is thus always read back from where it was last written. Keys below
// HKEY_CURRENT_USER, such as the Run keys, have no second layer.

// Reads a value as text. A missing key or value, a denied key, data longer than 1024 bytes,
// or a value of a type other than REG_SZ and REG_DWORD gives found = false and the empty
// text; in the per-user key, such a value lets the machine-wide one show. Keys are opened
// for reading only.
SettingText ReadSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                        std::string_view name);

// Reads values of one key through one handle per layer, opened for reading when the reader
// is made and closed when it goes. Each Read follows ReadSetting's rules; a key that could
// not be opened reads every value as missing. For callers that read the same key many
// times in one go, such as the burn cycle's walk.
class KeyReader {
 public:
  KeyReader(platform::Registry& registry, RegistryRoot root, std::string_view key);

  SettingText Read(std::string_view name) const;
  // The same for a value that holds a path (see ReadPathSetting).
  SettingText ReadPath(std::string_view name) const;

 private:
  platform::Registry& registry_;
  platform::OpenedKey user_key_;  // the per-user twin of a machine-wide key
  platform::OpenedKey key_;
};

// Stores `text` as a REG_SZ value without terminating NUL, creating the key path, in the
// layer the rules above choose. True when the value was stored in either layer.
bool WriteSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                  std::string_view name, std::string_view text);

// WriteSetting for a value that may hold `text` already, as when a control set from a
// stored value stores its state: a value that ReadSetting gives as `text` is left as it is
// (true). Writing it anyway would copy a machine-wide value into the per-user key of an
// account that cannot write the machine key, where later machine-wide changes no longer
// reach it.
bool UpdateSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                   std::string_view name, std::string_view text);
// A value that holds a path (the burn sound's file, the auto-start command): UTF-8 here and
// Unicode text in the registry, so a path in any language is kept whole. Layers and limits
// as for ReadSetting and WriteSetting.
SettingText ReadPathSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                            std::string_view name);
bool WritePathSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                      std::string_view name, std::string_view path);
// UpdateSetting for a path value.
bool UpdatePathSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                       std::string_view name, std::string_view path);

// The registry data of a value turned into the text callers see.
std::string SettingDataText(std::uint32_t type, std::string_view bytes);

// Shorthands for the product key, the only key most callers use.
inline std::string ReadOption(platform::Registry& registry, std::string_view name) {
  return ReadSetting(registry, kProductRoot, kProductKeySlash, name).text;
}
inline bool WriteOption(platform::Registry& registry, std::string_view name, std::string_view text) {
  return WriteSetting(registry, kProductRoot, kProductKeySlash, name, text);
}
inline bool UpdateOption(platform::Registry& registry, std::string_view name, std::string_view text) {
  return UpdateSetting(registry, kProductRoot, kProductKeySlash, name, text);
}
inline std::string ReadPathOption(platform::Registry& registry, std::string_view name) {
  return ReadPathSetting(registry, kProductRoot, kProductKeySlash, name).text;
}
inline bool WritePathOption(platform::Registry& registry, std::string_view name, std::string_view path) {
  return WritePathSetting(registry, kProductRoot, kProductKeySlash, name, path);
}

}  // namespace quellix::settings
