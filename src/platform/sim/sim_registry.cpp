#include "platform/sim/sim_registry.h"

#include <utility>

#include "text/text.h"

namespace quellix::sim {
namespace {

class SimRegistryWatch final : public platform::RegistryWatch {
 public:
  explicit SimRegistryWatch(std::shared_ptr<bool> changed) : changed_(std::move(changed)) {}
  bool TakeChange() override { return std::exchange(*changed_, false); }

 private:
  std::shared_ptr<bool> changed_;
};

}  // namespace

std::optional<std::string> SimRegistry::Normalise(RegistryRoot root, std::string_view path) {
  std::string p = text::LowerCase(path);
  if (!p.empty() && p.back() == '\\') p.pop_back();
  // Empty path components are not valid key names.
  if (!p.empty() && (p.front() == '\\' || p.find("\\\\") != std::string::npos)) return std::nullopt;
  return std::to_string(static_cast<std::uint32_t>(root)) + "\\" + p;
}

bool SimRegistry::Denied(const std::string& key_path, std::uint32_t access) const {
  for (const auto& [denied_path, mask] : denied_) {
    // A denied root ends with its separator, so every key of that root starts with it.
    const bool below = key_path.rfind(denied_path, 0) == 0 &&
                       (key_path.size() == denied_path.size() || denied_path.back() == '\\' ||
                        key_path[denied_path.size()] == '\\');
    if (below && (access & mask) != 0) return true;
  }
  return false;
}

RegistryKey SimRegistry::NewHandle(std::string key_path, std::uint32_t access) {
  const RegistryKey key = next_handle_++;
  handles_[key] = Handle{std::move(key_path), access};
  return key;
}

void SimRegistry::Put(RegistryRoot root, std::string_view path, std::string_view name, std::uint32_t type,
                      std::string bytes) {
  if (auto p = Normalise(root, path)) {
    keys_[*p].values[text::LowerCase(name)] = StoredValue{type, std::move(bytes)};
    Changed(*p);
  }
}

void SimRegistry::Delete(RegistryRoot root, std::string_view path, std::string_view name) {
  auto p = Normalise(root, path);
  if (!p || keys_.count(*p) == 0) return;
  keys_[*p].values.erase(text::LowerCase(name));
  Changed(*p);
}

void SimRegistry::Changed(const std::string& key_path) {
  std::erase_if(watchers_, [](const Watcher& w) { return w.changed.expired(); });
  for (const Watcher& watcher : watchers_) {
    for (const std::string& watched : watcher.key_paths) {
      if (key_path.rfind(watched, 0) == 0 &&
          (key_path.size() == watched.size() || key_path[watched.size()] == '\\'))
        *watcher.changed.lock() = true;
    }
  }
}

std::unique_ptr<platform::RegistryWatch> SimRegistry::WatchKeys(std::vector<platform::WatchedKey> keys) {
  auto changed = std::make_shared<bool>(true);
  Watcher watcher{{}, changed};
  for (const platform::WatchedKey& key : keys)
    if (auto p = Normalise(key.root, key.path)) watcher.key_paths.push_back(*p);
  watchers_.push_back(std::move(watcher));
  return std::make_unique<SimRegistryWatch>(std::move(changed));
}

void SimRegistry::PutString(RegistryRoot root, std::string_view path, std::string_view name,
                            std::string text) {
  Put(root, path, name, platform::regtype::kString, std::move(text));
}

std::optional<SimRegistry::StoredValue> SimRegistry::Get(RegistryRoot root, std::string_view path,
                                                         std::string_view name) const {
  const StoredKey* key = GetKey(root, path);
  if (key == nullptr) return std::nullopt;
  auto it = key->values.find(text::LowerCase(name));
  if (it == key->values.end()) return std::nullopt;
  return it->second;
}

const SimRegistry::StoredKey* SimRegistry::GetKey(RegistryRoot root, std::string_view path) const {
  auto p = Normalise(root, path);
  if (!p) return nullptr;
  auto it = keys_.find(*p);
  return it == keys_.end() ? nullptr : &it->second;
}

void SimRegistry::DenyAccess(RegistryRoot root, std::string_view path, std::uint32_t mask) {
  if (auto p = Normalise(root, path)) denied_[*p] |= mask;
}

RegistryKey SimRegistry::OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access) {
  access_requests_.push_back(access);
  auto p = Normalise(root, path);
  if (!p || keys_.count(*p) == 0 || Denied(*p, access)) return 0;
  return NewHandle(*p, access);
}

const SimRegistry::StoredValue* SimRegistry::Find(RegistryKey key, std::string_view name,
                                                  std::uint32_t access) const {
  auto h = handles_.find(key);
  if (h == handles_.end() || (h->second.access & access) == 0) return nullptr;
  auto k = keys_.find(h->second.key_path);
  if (k == keys_.end()) return nullptr;
  auto v = k->second.values.find(text::LowerCase(name));
  return v == k->second.values.end() ? nullptr : &v->second;
}

platform::RegistryData SimRegistry::Report(const StoredValue& value, std::string bytes,
                                           std::size_t buffer_size) {
  // Like the registry calls, string data is reported with a terminating NUL, which must fit
  // into the buffer too.
  const std::uint32_t type = value.type;
  const bool string_type = type == platform::regtype::kString || type == platform::regtype::kExpandString ||
                           type == platform::regtype::kMultiString;
  if (string_type && (bytes.empty() || bytes.back() != '\0')) bytes.push_back('\0');
  if (bytes.size() > buffer_size) return {};
  return platform::RegistryData{true, type, std::move(bytes)};
}

platform::RegistryData SimRegistry::QueryValue(RegistryKey key, std::string_view name,
                                               std::size_t buffer_size) {
  queries_.emplace_back(name);
  const StoredValue* value = Find(key, name, platform::regaccess::kQueryValue);
  if (value == nullptr) return {};
  std::string bytes;
  if (value->unicode) {
    // One '?' for each character outside ASCII: its lead byte, not its continuation bytes.
    for (const char c : value->bytes) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) bytes.push_back(c);
      if (b >= 0xC0) bytes.push_back('?');
    }
  } else {
    bytes = value->bytes;
  }
  return Report(*value, std::move(bytes), buffer_size);
}

platform::RegistryData SimRegistry::QueryPathValue(RegistryKey key, std::string_view name,
                                                   std::size_t buffer_size) {
  queries_.emplace_back(name);
  const StoredValue* value = Find(key, name, platform::regaccess::kQueryValue);
  if (value == nullptr) return {};
  return Report(*value, value->bytes, buffer_size);
}

RegistryKey SimRegistry::CreateKey(RegistryRoot root, std::string_view path, std::string_view class_text,
                                   bool non_volatile, std::uint32_t access) {
  access_requests_.push_back(access);
  auto p = Normalise(root, path);
  if (!p || Denied(*p, access)) return 0;
  // Create every missing key along the path, each with the class text asked for.
  for (std::size_t pos = p->find('\\'); pos != std::string::npos; pos = p->find('\\', pos + 1)) {
    const std::string parent = p->substr(0, pos);
    if (parent.find('\\') != std::string::npos && keys_.count(parent) == 0)
      keys_[parent] = StoredKey{std::string(class_text), non_volatile, {}};
  }
  if (keys_.count(*p) == 0) {
    keys_[*p] = StoredKey{std::string(class_text), non_volatile, {}};
    Changed(*p);
  }
  return NewHandle(*p, access);
}

bool SimRegistry::SetValue(RegistryKey key, std::string_view name, std::uint32_t type,
                           std::string_view bytes) {
  auto h = handles_.find(key);
  if (h == handles_.end() || (h->second.access & platform::regaccess::kSetValue) == 0) return false;
  keys_[h->second.key_path].values[text::LowerCase(name)] = StoredValue{type, std::string(bytes)};
  Changed(h->second.key_path);
  writes_.push_back(Write{h->second.key_path, text::LowerCase(name)});
  return true;
}

std::vector<std::string> SimRegistry::Writes(RegistryRoot root) const {
  const std::string prefix = std::to_string(static_cast<std::uint32_t>(root)) + "\\";
  std::vector<std::string> out;
  for (const Write& w : writes_) {
    if (w.key_path.rfind(prefix, 0) == 0) out.push_back(w.key_path.substr(prefix.size()) + "\\" + w.name);
  }
  return out;
}

bool SimRegistry::SetPathValue(RegistryKey key, std::string_view name, std::string_view path) {
  auto h = handles_.find(key);
  if (h == handles_.end() || (h->second.access & platform::regaccess::kSetValue) == 0) return false;
  keys_[h->second.key_path].values[text::LowerCase(name)] =
      StoredValue{platform::regtype::kString, std::string(path), true};
  Changed(h->second.key_path);
  writes_.push_back(Write{h->second.key_path, text::LowerCase(name)});
  return true;
}

void SimRegistry::CloseKey(RegistryKey key) { handles_.erase(key); }

}  // namespace quellix::sim
