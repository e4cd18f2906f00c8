#include "platform/sim/sim_files.h"

#include <algorithm>

#include "text/text.h"

namespace quellix::sim {

std::string SimFiles::Key(const std::string& path) {
  return text::LowerCase(path);
}

void SimFiles::Put(const std::string& path, std::string bytes) {
  files_[Key(path)] = std::move(bytes);
  modified_[Key(path)] = now_;
}

std::optional<std::string> SimFiles::Get(const std::string& path) const {
  auto it = files_.find(Key(path));
  if (it == files_.end()) return std::nullopt;
  return it->second;
}

bool SimFiles::InProtectedFolder(const std::string& path) const {
  const std::string key = Key(path);
  const auto slash = key.find_last_of('\\');
  return slash != std::string::npos && protected_.count(key.substr(0, slash)) != 0;
}

bool SimFiles::FolderExists(const std::string& folder) const {
  const std::string key = Key(folder);
  if (key.size() == 2 && key[1] == ':') return true;  // a drive
  const std::string prefix = key + "\\";
  const auto file = files_.lower_bound(prefix);
  const auto sub = folders_.lower_bound(prefix);
  return folders_.count(key) != 0 || (file != files_.end() && file->first.starts_with(prefix)) ||
         (sub != folders_.end() && sub->starts_with(prefix));
}

bool SimFiles::CreateFolder(const std::string& path) {
  if (files_.count(Key(path)) != 0) return Fail();  // a file has that name
  if (FolderExists(path)) return true;
  const auto slash = path.find_last_of('\\');
  if (slash == std::string::npos || !FolderExists(path.substr(0, slash)) || InProtectedFolder(path) || spent_)
    return Fail();
  folders_.insert(Key(path));
  return true;
}

void SimFiles::Lock(const std::string& path) {
  locked_.insert(Key(path));
}

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

bool SimFiles::Fail() {
  last_error_ = error_text_;
  return false;
}

std::optional<std::string> SimFiles::ReadFile(const std::string& path) {
  ++reads_;
  if (Locked(path)) {
    Fail();
    return std::nullopt;
  }
  return Get(path);
}

std::optional<std::string> SimFiles::ReadAt(const std::string& path, std::uint64_t offset,
                                            std::size_t length) {
  std::optional<std::string> content = SimFiles::ReadFile(path);  // counted there
  if (!content) return std::nullopt;
  if (offset >= content->size()) return std::string();
  return content->substr(static_cast<std::size_t>(offset), length);
}

std::optional<std::uint64_t> SimFiles::FileSize(const std::string& path) {
  auto content = Get(path);
  if (!content) return std::nullopt;
  return content->size();
}

std::optional<platform::FileStamp> SimFiles::Stamp(const std::string& path) {
  ++stamp_requests_;
  auto content = Get(path);
  if (!content) {
    last_error_ = "The system cannot find the file specified.";
    return std::nullopt;
  }
  return platform::FileStamp{content->size(), modified_[Key(path)]};
}

bool SimFiles::WriteAt(const std::string& path, std::uint64_t offset, std::string_view bytes) {
  if (Locked(path) || InProtectedFolder(path) || spent_) return Fail();
  std::string& content = files_[Key(path)];
  modified_[Key(path)] = now_;
  const std::size_t allowed = Allow(bytes.size());
  if (content.size() < offset + allowed) content.resize(offset + allowed, '\0');
  std::copy_n(bytes.begin(), allowed, content.begin() + static_cast<std::ptrdiff_t>(offset));
  return allowed == bytes.size() || Fail();
}

platform::NewFile SimFiles::WriteNewFile(const std::string& path, std::string_view bytes) {
  if (files_.count(Key(path)) != 0) {
    Fail();
    return platform::NewFile::kExists;
  }
  if (Locked(path) || InProtectedFolder(path) || spent_) {
    Fail();
    return platform::NewFile::kFailed;
  }
  const std::size_t allowed = Allow(bytes.size());
  Put(path, std::string(bytes.substr(0, allowed)));
  if (allowed == bytes.size()) return platform::NewFile::kWritten;
  Fail();
  return platform::NewFile::kFailed;
}

bool SimFiles::ReplaceFile(const std::string& from, const std::string& to) {
  if (Locked(from) || Locked(to) || InProtectedFolder(from) || InProtectedFolder(to) || spent_) return Fail();
  auto it = files_.find(Key(from));
  if (it == files_.end()) return Fail();
  std::string content = std::move(it->second);
  files_.erase(it);
  files_[Key(to)] = std::move(content);
  modified_[Key(to)] = modified_[Key(from)];
  modified_.erase(Key(from));
  return true;
}

bool SimFiles::RemoveFile(const std::string& path) {
  if (Locked(path) || InProtectedFolder(path) || spent_) return Fail();
  files_.erase(Key(path));
  modified_.erase(Key(path));
  return true;
}

std::vector<platform::FoundFile> SimFiles::FindFiles(const std::string& folder, std::string_view prefix) {
  const std::string start = Key(folder + "\\" + std::string(prefix));
  std::vector<platform::FoundFile> found;
  for (auto it = files_.lower_bound(start); it != files_.end() && it->first.starts_with(start); ++it) {
    const std::string name = it->first.substr(Key(folder).size() + 1);
    if (name.find('\\') != std::string::npos) continue;
    found.push_back({name, modified_[it->first]});
  }
  return found;
}

}  // namespace quellix::sim
