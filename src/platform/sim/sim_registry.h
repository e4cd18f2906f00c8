#pragma once
// An in-memory registry of typed byte values with case-insensitive key paths, access
// failures per key and a record of the access each open asked for.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace quellix::sim {

using platform::RegistryKey;
using platform::RegistryRoot;

class SimRegistry final : public platform::Registry {
 public:
  struct StoredValue {
    std::uint32_t type = 0;
    std::string bytes;
    // Stored as Unicode text (a path value; `bytes` holds its UTF-8 without the terminator
    // the system stores after it). The ANSI query cannot name characters outside ASCII in
    // it and gives '?' for each, as a Western code page does for Cyrillic or Chinese text.
    bool unicode = false;
  };
  struct StoredKey {
    std::string class_text;
    bool non_volatile = true;
    std::map<std::string, StoredValue> values;  // by lower-cased name
  };

  // Test set-up and inspection, bypassing access checks.
  void Put(RegistryRoot root, std::string_view path, std::string_view name, std::uint32_t type,
           std::string bytes);
  void PutString(RegistryRoot root, std::string_view path, std::string_view name, std::string text);
  std::optional<StoredValue> Get(RegistryRoot root, std::string_view path, std::string_view name) const;
  const StoredKey* GetKey(RegistryRoot root, std::string_view path) const;
  // Opens or creates of this key and every key below it fail when they ask for any bit of `mask`.
  void DenyAccess(RegistryRoot root, std::string_view path, std::uint32_t mask);
  // Every access mask asked for by OpenKey and CreateKey, in order.
  const std::vector<std::uint32_t>& AccessRequests() const { return access_requests_; }
  // The value names queried, in order, whatever the outcome.
  const std::vector<std::string>& Queries() const { return queries_; }
  // Every value SetValue stored below `root`, in order: the lower-cased key path (without a
  // trailing backslash), a backslash and the value name, such as "software\kelvane\popup\option\7".
  std::vector<std::string> Writes(RegistryRoot root) const;
  std::size_t OpenHandles() const { return handles_.size(); }

  RegistryKey OpenKey(RegistryRoot root, std::string_view path, std::uint32_t access) override;
  platform::RegistryData QueryValue(RegistryKey key, std::string_view name, std::size_t buffer_size) override;
  RegistryKey CreateKey(RegistryRoot root, std::string_view path, std::string_view class_text,
                        bool non_volatile, std::uint32_t access) override;
  bool SetValue(RegistryKey key, std::string_view name, std::uint32_t type, std::string_view bytes) override;
  platform::RegistryData QueryPathValue(RegistryKey key, std::string_view name,
                                        std::size_t buffer_size) override;
  bool SetPathValue(RegistryKey key, std::string_view name, std::string_view path) override;
  void CloseKey(RegistryKey key) override;
  std::unique_ptr<platform::RegistryWatch> WatchKeys(std::vector<platform::WatchedKey> keys) override;
  // Deletes a value, as another program might.
  void Delete(RegistryRoot root, std::string_view path, std::string_view name);

 private:
  struct Watcher {
    std::vector<std::string> key_paths;  // normalised
    std::weak_ptr<bool> changed;
  };
  // Tells every live watch of this key or a key above it.
  void Changed(const std::string& key_path);

  struct Handle {
    std::string key_path;  // normalised
    std::uint32_t access;
  };
  struct Write {
    std::string key_path;  // normalised
    std::string name;      // lower-cased
  };
  // Root and lower-cased path without a trailing backslash; nothing for a malformed path.
  static std::optional<std::string> Normalise(RegistryRoot root, std::string_view path);
  bool Denied(const std::string& key_path, std::uint32_t access) const;
  RegistryKey NewHandle(std::string key_path, std::uint32_t access);
  const StoredValue* Find(RegistryKey key, std::string_view name, std::uint32_t access) const;
  // The data of `value` as a query reports `bytes` of it into a buffer of `buffer_size`.
  static platform::RegistryData Report(const StoredValue& value, std::string bytes, std::size_t buffer_size);

  std::map<std::string, StoredKey> keys_;
  std::map<std::string, std::uint32_t> denied_;
  std::map<RegistryKey, Handle> handles_;
  std::vector<std::uint32_t> access_requests_;
  std::vector<std::string> queries_;
  std::vector<Write> writes_;
  RegistryKey next_handle_ = 0x100;
  std::vector<Watcher> watchers_;
};

}  // namespace quellix::sim
