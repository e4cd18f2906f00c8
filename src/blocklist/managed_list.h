#pragma once
// The managed block list: a block list file an organisation names by policy (a local or
// UNC path, in the format of popcfg.apo). Its entries burn after the user's own; the user
// can neither edit nor remove them. The last good copy is kept beside the user's list as
// popcfg.managed, so a laptop away from the share keeps burning by it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block_entries.h"
#include "platform/platform.h"
#include "settings/policies.h"

namespace quellix::blocklist {

inline constexpr std::string_view kManagedCopyFileName = "popcfg.managed";
// The kept copy of the managed list, beside the user's own list.
std::string ManagedCopyPath(std::string_view user_folder);

// What the information window tells of the managed list.
struct ManagedListStatus {
  std::string path;             // the file the policy names; empty when none does
  std::size_t entries = 0;      // the entries that burn now
  std::string last_read;        // when the file was last read whole (date and time); empty: not yet
  std::string last_error;       // why the last look at the file failed; empty when it succeeded
  bool from_kept_copy = false;  // the entries are those of the kept copy
};

class ManagedList {
 public:
  ManagedList(platform::Services services, std::string user_folder);

  // Brings the list up to date with the policies; true when its entries changed. The first
  // call reads at once (the kept copy first, then the file); later calls read again when
  // the policy names another path, and otherwise at most once per refresh interval, and
  // then only when the file's size or time changed since the last good read. A file that
  // cannot be read, is over kLargestImport bytes, or is empty while the list has entries
  // never replaces the list or its kept copy. With no policy path the list is empty and the
  // kept copy stays on disk, for when the policy returns.
  bool Update(const settings::Policies& policies);

  const std::vector<std::string>& Entries() const { return entries_; }
  const ManagedListStatus& Status() const { return status_; }

 private:
  // Reads the file if it changed; true when the entries changed.
  bool Check();
  // The kept copy's entries, when it exists and reads as a list.
  bool TakeKeptCopy();
  void StoreKeptCopy();
  // Records why the last look failed; the entries stay as they are.
  void Refuse(std::string reason);

  platform::Services services_;
  std::string user_folder_;
  bool started_ = false;
  std::optional<std::string> path_;           // the path the entries were last taken for
  std::optional<platform::FileStamp> stamp_;  // of the file at its last good read
  std::uint64_t checked_ms_ = 0;              // when the file was last looked at
  std::vector<std::string> entries_;
  ManagedListStatus status_;
};

// Makes the active list the user's own entries (when `own_burn` allows them to burn)
// followed by the managed ones. When memory runs out the active list stays as it was and
// the result is false.
// Without managed entries the active list shares the user's texts instead of copying them.
bool ComposeActiveList(engine::BlockEntries& active, const engine::SharedEntryTexts& own,
                       const std::vector<std::string>& managed, bool own_burn, platform::CodePage& code_page);

}  // namespace quellix::blocklist
