#include "settings/settings_store.h"

namespace quellix::settings {
namespace {

// Closes an open key on every path out of a function.
// Machine-wide keys have a per-user twin under the same path.
bool HasUserLayer(RegistryRoot root) {
  return root == RegistryRoot::kLocalMachine;
}

// Types whose data the store can read as text: the REG_SZ it writes, and REG_DWORD.
bool IsSettingType(std::uint32_t type) {
  return type == platform::regtype::kString || type == platform::regtype::kDword;
}

// Most values are text in the ANSI code page; a path is UTF-8 and kept as Unicode text.
enum class Form { kText, kPath };

SettingText ReadOpenKey(platform::Registry& registry, platform::RegistryKey key, std::string_view name,
                        Form form = Form::kText) {
  if (key == 0) return {};
  const platform::RegistryData data = form == Form::kPath
                                          ? registry.QueryPathValue(key, name, kValueBufferSize + 1)
                                          : registry.QueryValue(key, name, kValueBufferSize + 1);
  // A value of another type (binary, expandable, multi-string, 64-bit number...) holds
  // nothing the product wrote, so it counts as missing: in the per-user key it would
  // otherwise hide the machine-wide value behind an empty text.
  if (!data.ok || !IsSettingType(data.type)) return {};
  const bool terminated = !data.bytes.empty() && data.bytes.back() == '\0';
  if (data.bytes.size() - (terminated ? 1 : 0) > kValueBufferSize) return {};
  return SettingText{true, SettingDataText(data.type, data.bytes)};
}

platform::RegistryKey OpenForReading(platform::Registry& registry, RegistryRoot root, std::string_view key) {
  return registry.OpenKey(root, key, platform::regaccess::kRead);
}

bool UserHasValue(platform::Registry& registry, std::string_view key, std::string_view name) {
  const platform::OpenedKey mine(registry, OpenForReading(registry, RegistryRoot::kCurrentUser, key));
  return ReadOpenKey(registry, mine.get(), name).found;
}

bool WriteOneLayer(platform::Registry& registry, RegistryRoot root, std::string_view key,
                   std::string_view name, std::string_view text, Form form) {
  platform::OpenedKey open(registry, registry.CreateKey(root, key, kKeyClassText, /*non_volatile=*/true,
                                             platform::regaccess::kFullAccess));
  if (open.get() == 0) return false;
  return form == Form::kPath ? registry.SetPathValue(open.get(), name, text)
                             : registry.SetValue(open.get(), name, platform::regtype::kString, text);
}

bool WriteLayered(platform::Registry& registry, RegistryRoot root, std::string_view key,
                  std::string_view name, std::string_view text, Form form) {
  if (!HasUserLayer(root)) return WriteOneLayer(registry, root, key, name, text, form);
  // A value the user has of their own stays theirs: it would hide a machine-wide write.
  if (!UserHasValue(registry, key, name) && WriteOneLayer(registry, root, key, name, text, form)) return true;
  return WriteOneLayer(registry, RegistryRoot::kCurrentUser, key, name, text, form);
}

// Writes only when reading gives something else now: writing anyway would copy a
// machine-wide value into the per-user key of an account that cannot write the machine key.
bool UpdateLayered(platform::Registry& registry, RegistryRoot root, std::string_view key,
                   std::string_view name, std::string_view text, Form form) {
  const KeyReader reader(registry, root, key);
  const SettingText now = form == Form::kPath ? reader.ReadPath(name) : reader.Read(name);
  if (now.found && now.text == text) return true;
  return WriteLayered(registry, root, key, name, text, form);
}

}  // namespace

std::string SettingDataText(std::uint32_t type, std::string_view bytes) {
  // Values written by other programs usually end with a NUL; the product's own do not.
  if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
  if (type == platform::regtype::kString) return std::string(bytes);
  if (type == platform::regtype::kDword) {
    // "&h" and the bytes from the last to the first, each in hexadecimal without a leading zero.
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out = "&h";
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
      const auto b = static_cast<unsigned char>(*it);
      if (b >= 16) out += kDigits[b >> 4];
      out += kDigits[b & 15];
    }
    return out;
  }
  return {};
}

KeyReader::KeyReader(platform::Registry& registry, RegistryRoot root, std::string_view key)
    : registry_(registry),
      user_key_(registry, HasUserLayer(root) ? OpenForReading(registry, RegistryRoot::kCurrentUser, key) : 0),
      key_(registry, OpenForReading(registry, root, key)) {}

SettingText KeyReader::Read(std::string_view name) const {
  if (SettingText mine = ReadOpenKey(registry_, user_key_.get(), name); mine.found) return mine;
  return ReadOpenKey(registry_, key_.get(), name);
}

SettingText KeyReader::ReadPath(std::string_view name) const {
  if (SettingText mine = ReadOpenKey(registry_, user_key_.get(), name, Form::kPath); mine.found) return mine;
  return ReadOpenKey(registry_, key_.get(), name, Form::kPath);
}

SettingText ReadSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                        std::string_view name) {
  return KeyReader(registry, root, key).Read(name);
}

bool WriteSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                  std::string_view name, std::string_view text) {
  return WriteLayered(registry, root, key, name, text, Form::kText);
}

SettingText ReadPathSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                            std::string_view name) {
  return KeyReader(registry, root, key).ReadPath(name);
}

bool WritePathSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                      std::string_view name, std::string_view path) {
  return WriteLayered(registry, root, key, name, path, Form::kPath);
}

bool UpdateSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                   std::string_view name, std::string_view text) {
  return UpdateLayered(registry, root, key, name, text, Form::kText);
}

bool UpdatePathSetting(platform::Registry& registry, RegistryRoot root, std::string_view key,
                       std::string_view name, std::string_view path) {
  return UpdateLayered(registry, root, key, name, path, Form::kPath);
}

}  // namespace quellix::settings
