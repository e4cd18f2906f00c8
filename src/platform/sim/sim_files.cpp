#include "platform/sim/sim_files.h"

#include <algorithm>

#include "text/text.h"

namespace quellix::sim {

std::string SimFiles::Key(const std::string& path) { return text::LowerCase(path); }

void SimFiles::Put(const std::string& path, std::string bytes) { files_[Key(path)] = std::move(bytes); }

std::optional<std::string> SimFiles::Get(const std::string& path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

void SimFiles::Lock(const std::string& path) { locked_.insert(Key(path)); }

std::size_t SimFiles::Allow(std::size_t wanted) {
  if (!budget_) return wanted;
  if (spent_) return 0;
  if (wanted <= *budget_) {
    *budget_ -= wanted;
    return wanted;
  }
  const auto allowed = static_cast<std::size_t>(*budget_);
  *budget_ = 0;
  spent_ = true;
  return allowed;
}

std::optional<std::string> SimFiles::ReadFile(const std::string& path) {
  if (Locked(path)) return std::nullopt;
  return Get(path);
}

std::optional<std::uint64_t> SimFiles::FileSize(const std::string& path) {
  auto content = Get(path);
  if (!content) return std::nullopt;
  return content->size();
}

bool SimFiles::WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) {
  if (Locked(path) || spent_) return false;
  std::string& content = files_[Key(path)];
  const std::size_t allowed = Allow(bytes.size());
  if (content.size() < offset + allowed) content.resize(offset + allowed, '\0');
  std::copy_n(bytes.begin(), allowed, content.begin() + static_cast<std::ptrdiff_t>(offset));
  return allowed == bytes.size();
}

bool SimFiles::WriteNewFile(const std::string& path, std::string_view bytes) {
  if (Locked(path) || spent_ || files_.count(Key(path)) != 0) return false;
  const std::size_t allowed = Allow(bytes.size());
  files_[Key(path)] = std::string(bytes.substr(0, allowed));
  return allowed == bytes.size();
}

bool SimFiles::ReplaceFile(const std::string& from, const std::string& to) {
  if (Locked(from) || Locked(to) || spent_) return false;
  auto it = files_.find(Key(from));
  if (it == files_.end()) return false;
  std::string content = std::move(it->second);
  files_.erase(it);
  files_[Key(to)] = std::move(content);
  return true;
}

bool SimFiles::RemoveFile(const std::string& path) {
  if (Locked(path) || spent_) return false;
  files_.erase(Key(path));
  return true;
}

}  // namespace quellix::sim
