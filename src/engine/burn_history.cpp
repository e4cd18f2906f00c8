#include "engine/burn_history.h"

#include <charconv>

namespace quellix::engine {
namespace {

constexpr std::string_view kHeader = "Quellix burn figures 1";

std::string Escape(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// False when the text holds an escape that Escape never writes.
bool Unescape(std::string_view s, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (++i == s.size()) return false;
    switch (s[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      default:
        return false;
    }
  }
  return true;
}

// The line that starts at `pos`, without its line end (LF, or CR LF as written), moving
// `pos` past it.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  std::size_t end = text.find('\n', pos);
  if (end == std::string_view::npos) end = text.size();
  std::string_view line = text.substr(pos, end - pos);
  pos = end + 1;
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

bool HitStats::Recognised(std::string_view text) {
  std::size_t pos = 0;
  return text.empty() || (text.find('\n') != std::string_view::npos && NextLine(text, pos) == kHeader);
}

HitStats HitStats::Parse(std::string_view text) {
  HitStats stats;
  if (text.empty() || !Recognised(text)) return stats;
  std::size_t pos = 0;
  NextLine(text, pos);
  while (pos < text.size()) {
    const std::string_view line = NextLine(text, pos);
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) continue;
    EntryFigures figures;
    const auto count = line.substr(0, tab1);
    const auto [rest, error] = std::from_chars(count.data(), count.data() + count.size(), figures.burned);
    if (error != std::errc() || rest != count.data() + count.size() || count.empty()) continue;
    std::string entry;
    if (!Unescape(line.substr(tab1 + 1, tab2 - tab1 - 1), figures.last) ||
        !Unescape(line.substr(tab2 + 1), entry))
      continue;
    stats.figures_[std::move(entry)] = std::move(figures);
  }
  return stats;
}

std::string HitStats::Text() const {
  std::string text(kHeader);
  text += "\r\n";
  for (const auto& [entry, figures] : figures_)
    text += std::to_string(figures.burned) + "\t" + Escape(figures.last) + "\t" + Escape(entry) + "\r\n";
  return text;
}

EntryFigures HitStats::Of(std::string_view entry) const {
  auto it = figures_.find(entry);
  return it == figures_.end() ? EntryFigures{} : it->second;
}

void HitStats::Credit(const std::string& entry, const std::string& when) {
  EntryFigures& figures = figures_[entry];
  ++figures.burned;
  figures.last = when;
}

// The figures of the entries found are moved across, node by node, so a long list costs no
// copy of its texts.
bool HitStats::KeepOnly(const std::vector<std::string>& entries) {
  return KeepOnly(std::vector<std::string_view>(entries.begin(), entries.end()));
}

bool HitStats::KeepOnly(std::span<const std::string_view> entries) {
  decltype(figures_) kept;
  for (std::string_view entry : entries) {
    if (figures_.empty()) break;
    const auto found = figures_.find(entry);
    if (found != figures_.end()) kept.insert(figures_.extract(found));
  }
  const bool dropped = !figures_.empty();
  figures_.swap(kept);
  return dropped;
}

BurnHistory::TickOutcome BurnHistory::AfterTick(const std::vector<BurnedWindow>& burned,
                                                const BlockEntries& entries, const std::string& clock_time,
                                                const std::string& date_time) {
  TickOutcome outcome;
  std::map<platform::WindowId, int> consecutive;
  for (const BurnedWindow& burn : burned) {
    if (AfterBurnAtOnce(burn, entries, clock_time, date_time)) outcome.figures_changed = true;
    auto before = consecutive_.find(burn.window);
    const int ticks = (before == consecutive_.end() ? 0 : before->second) + 1;
    consecutive[burn.window] = ticks;
    if (ticks >= kStuckTicks && told_.insert(burn.window).second) outcome.stuck_titles.push_back(burn.title);
  }
  consecutive_ = std::move(consecutive);
  return outcome;
}

bool BurnHistory::AfterBurnAtOnce(const BurnedWindow& burned, const BlockEntries& entries,
                                  const std::string& clock_time, const std::string& date_time) {
  const std::size_t match = entries.FirstMatch(burned.title);
  std::string entry = match == 0 ? std::string() : std::string(entries.Entry(match));
  if (match != 0) figures_.Credit(entry, date_time);
  recent_.push_front({clock_time, burned.title, std::move(entry)});
  if (recent_.size() > kRecentCount) recent_.pop_back();
  return match != 0;
}

}  // namespace quellix::engine
