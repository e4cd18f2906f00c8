#include "blocklist/managed_list.h"

#include <new>
#include <utility>

#include "blocklist/block_list_file.h"

namespace quellix::blocklist {
namespace {

constexpr std::uint64_t kMsPerMinute = 60 * 1000;

ManagedRead ReadManagedBlockList(platform::Services services, const std::string& path, std::uint64_t largest) {
  ListRead read = ReadListFile(services.files, services.code_page, path, largest);
  ManagedRead managed;
  managed.read = read.outcome == ListRead::Outcome::kRead;
  managed.missing = read.outcome == ListRead::Outcome::kMissing;
  if (read.entries) managed.entries = read.entries->Strings();
  managed.problem = std::move(read.problem);
  return managed;
}

std::optional<std::string> BlockListPolicyPath(const settings::Policies& policies) {
  return policies.block_list_path;
}

std::string BlockListBytes(const std::vector<std::string>& entries, platform::CodePage& code_page) {
  return ListFileBytes(entries, code_page);
}

}  // namespace

const ManagedKind kManagedBlockList{kManagedCopyFileName, BlockListPolicyPath, ReadManagedBlockList, BlockListBytes};

std::string ManagedCopyPath(std::string_view user_folder) {
  return std::string(user_folder) + "\\" + std::string(kManagedCopyFileName);
}

ManagedList::ManagedList(platform::Services services, std::string user_folder, const ManagedKind& kind)
    : services_(services), user_folder_(std::move(user_folder)), kind_(kind) {}

std::string ManagedList::CopyPath() const {
  return user_folder_ + "\\" + std::string(kind_.copy_file_name);
}

bool ManagedList::Update(const settings::Policies& policies) {
  const std::uint64_t now = services_.clock.MonotonicMs();
  const std::optional<std::string> named = kind_.path(policies);
  if (started_ && named == path_) {
    if (!path_ || now - checked_ms_ < policies.block_list_refresh_minutes * kMsPerMinute) return false;
    checked_ms_ = now;
    return Check();
  }
  // The first call, or the policy names another file (or none any more).
  started_ = true;
  path_ = named;
  stamp_.reset();
  const bool had_entries = !entries_.empty();
  status_.path = path_.value_or("");
  status_.last_read.clear();
  status_.last_error.clear();
  if (!path_) {
    // The kept copy stays on disk: it is the user's data, and the policy may come back.
    entries_.clear();
    status_.entries = 0;
    status_.from_kept_copy = false;
    return had_entries;
  }
  // Until the new file is read, the entries burning so far go on burning; with none, the
  // kept copy's do.
  const bool kept = !had_entries && TakeKeptCopy();
  checked_ms_ = now;
  return Check() || kept;
}

bool ManagedList::Check() {
  platform::FileSystem& files = services_.files;
  const std::optional<platform::FileStamp> stamp = files.Stamp(*path_);
  if (!stamp) {
    Refuse("It could not be reached: " + SystemReason(files, "no reason given."));
    return false;
  }
  if (stamp_ && *stamp == *stamp_) {
    status_.last_error.clear();
    return false;
  }
  if (stamp->size > kLargestImport) {
    Refuse("It is larger than " + std::to_string(kLargestImport >> 20) + " MB.");
    return false;
  }
  // A file emptied by accident (a copy cut short, a script gone wrong) does not take the
  // entries away; an organisation that means no entries removes the policy.
  if (stamp->size == 0 && !entries_.empty()) {
    Refuse("It is empty.");
    return false;
  }
  ManagedRead read = kind_.read(services_, *path_, kLargestImport);
  if (!read.read) {
    Refuse(read.missing ? "It could not be found." : read.problem);
    return false;
  }
  stamp_ = stamp;
  status_.last_read = services_.clock.DateText() + " " + services_.clock.TimeText();
  status_.last_error.clear();
  status_.from_kept_copy = false;
  std::vector<std::string> entries = std::move(read.entries);
  if (entries == entries_) return false;
  entries_ = std::move(entries);
  status_.entries = entries_.size();
  StoreKeptCopy();
  return true;
}

bool ManagedList::TakeKeptCopy() {
  ManagedRead read = kind_.read(services_, CopyPath(), kLargestImport);
  if (!read.read) return false;
  entries_ = std::move(read.entries);
  status_.entries = entries_.size();
  status_.from_kept_copy = true;
  return !entries_.empty();
}

void ManagedList::StoreKeptCopy() {
  try {
    product::ReplaceFileContents(services_.files, CopyPath(), kind_.bytes(entries_, services_.code_page));
  } catch (const std::bad_alloc&) {
    // The old copy stays whole; the next change of the file tries again.
  }
}

void ManagedList::Refuse(std::string reason) {
  status_.last_error = std::move(reason);
}

bool ComposeActiveList(engine::BlockEntries& active, const engine::SharedEntryTexts& own,
                       const std::vector<std::string>& managed, bool own_burn,
                       platform::CodePage& code_page) {
  try {
    const bool with_own = own_burn && own != nullptr;
    if (with_own && managed.empty()) {
      active.AssignShared(own, code_page);
      return true;
    }
    auto entries = std::make_shared<engine::EntryTexts>();
    std::size_t count = managed.size(), bytes = 0;
    for (const std::string& entry : managed) bytes += entry.size();
    if (with_own) {
      count += own->Count();
      for (std::string_view entry : *own) bytes += entry.size();
    }
    entries->Reserve(count, bytes);
    if (with_own)
      for (std::string_view entry : *own) entries->Append(entry);
    for (const std::string& entry : managed) entries->Append(entry);
    active.AssignShared(std::move(entries), code_page);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace quellix::blocklist
