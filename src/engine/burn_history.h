#pragma once
// What the product keeps of its burns beyond the counter and the log: how often each entry
// has burned a window and when it last did, the last ten burns of this run, and the windows
// that keep ignoring their close requests.

#include <cstdint>
#include <deque>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/block_entries.h"
#include "platform/desktop.h"

namespace quellix::engine {

// A window the burn cycle asked to close, with its cut title.
struct BurnedWindow {
  platform::WindowId window = 0;
  std::string title;
};

struct EntryFigures {
  std::uint64_t burned = 0;
  std::string last;  // date and time of the last burn, as the clock shows them
};

// Figures per entry text, kept in a small file of their own beside the block list:
//   "Quellix burn figures 1" CR LF, then one line per entry:
//   <burned> TAB <last burned> TAB <entry> CR LF
// with backslash, tab, CR and LF inside the texts written as \\ \t \r \n. Lines may also
// end in LF alone (an editor or a copy may have converted them). A line that does not read
// so is skipped; a text without the header line is no figures at all.
class HitStats {
 public:
  static HitStats Parse(std::string_view text);
  // True for an empty text and for one that starts with the header line: a figures file of
  // this program that may be replaced.
  static bool Recognised(std::string_view text);
  std::string Text() const;

  // The figures of an entry; zero figures for one that has none.
  EntryFigures Of(std::string_view entry) const;
  void Credit(const std::string& entry, const std::string& when);
  // Drops the figures of entries that are not in the list; true when any were dropped.
  bool KeepOnly(const std::vector<std::string>& entries);
  bool KeepOnly(std::span<const std::string_view> entries);
  std::size_t Size() const { return figures_.size(); }

 private:
  std::map<std::string, EntryFigures, std::less<>> figures_;
};

struct RecentBurn {
  std::string time;   // "HH:MM:SS"
  std::string title;  // the cut title
  std::string entry;  // the entry credited with it; empty when no entry matched
};

class BurnHistory {
 public:
  static constexpr std::size_t kRecentCount = 10;
  static constexpr int kStuckTicks = 3;

  struct TickOutcome {
    bool figures_changed = false;
    // Windows burned now in three consecutive ticks, each told once per run.
    std::vector<std::string> stuck_titles;
  };

  // After each burn cycle: each burn is credited to the first entry, in list order, that
  // its title contains, and remembered among the recent burns, newest first.
  TickOutcome AfterTick(const std::vector<BurnedWindow>& burned, const BlockEntries& entries,
                        const std::string& clock_time, const std::string& date_time);
  // After a window burned the moment it appeared: credited to its entry and remembered
  // among the recent burns as each burn of a cycle is; only the cycles' burns tell of
  // windows that do not close. True when the figures changed.
  bool AfterBurnAtOnce(const BurnedWindow& burned, const BlockEntries& entries, const std::string& clock_time,
                       const std::string& date_time);

  HitStats& Figures() { return figures_; }
  const HitStats& Figures() const { return figures_; }
  const std::deque<RecentBurn>& Recent() const { return recent_; }

 private:
  HitStats figures_;
  std::deque<RecentBurn> recent_;
  std::map<platform::WindowId, int> consecutive_;  // windows burned in the last tick
  std::set<platform::WindowId> told_;
};

}  // namespace quellix::engine
