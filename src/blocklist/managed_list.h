#pragma once
// A managed list: a file an organisation names by policy (a local or UNC path) whose entries
// act after the user's own, which the user can neither edit nor remove. The last good copy is
// kept beside the user's files, so a laptop away from the share goes on by it. Two kinds: the
// managed block list (policy BlockListPath, in the format of popcfg.apo, kept as
// popcfg.managed) and the managed rules (policy RulesPath, rules/managed_rules.h).

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
// The kept copy of the managed block list, beside the user's own list.
std::string ManagedCopyPath(std::string_view user_folder);

// What reading a managed file gave: its entries (one text each), or why none.
struct ManagedRead {
  bool read = false;
  bool missing = false;
  std::vector<std::string> entries;
  std::string problem;  // why it was not read, in a sentence for the user
};

// A kind of managed file: the policy that names it, how it is read and written, and where
// its last good copy is kept.
struct ManagedKind {
  std::string_view copy_file_name;
  std::optional<std::string> (*path)(const settings::Policies& policies);
  ManagedRead (*read)(platform::Services services, const std::string& path, std::uint64_t largest);
  std::string (*bytes)(const std::vector<std::string>& entries, platform::CodePage& code_page);
};
// The managed block list.
extern const ManagedKind kManagedBlockList;

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
  ManagedList(platform::Services services, std::string user_folder,
              const ManagedKind& kind = kManagedBlockList);

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

  std::string CopyPath() const;

  platform::Services services_;
  std::string user_folder_;
  const ManagedKind& kind_;
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
