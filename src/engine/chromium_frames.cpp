#include "engine/chromium_frames.h"

#include <algorithm>
#include <string>

#include "text/text.h"

namespace quellix::engine {

bool IsChromiumClass(std::string_view class_name) {
  return class_name == kChromiumClass;
}

bool IsChromiumProgram(std::string_view image_path) {
  const auto folder_end = image_path.find_last_of("\\/");
  const std::string file =
      text::LowerCase(folder_end == std::string_view::npos ? image_path : image_path.substr(folder_end + 1));
  return std::find(kChromiumPrograms.begin(), kChromiumPrograms.end(), file) != kChromiumPrograms.end();
}

bool IsVisible(platform::Desktop& desktop, WindowId window) {
  return (desktop.Style(window) & kVisibleStyle) != 0;
}

bool ChromiumProcesses::OwnsWindow(WindowId window) {
  const std::uint32_t process = desktop_.ProcessId(window);
  if (process == 0) return false;  // the window is gone
  const auto known = browser_by_process_.find(process);
  if (known != browser_by_process_.end()) return known->second;
  const bool browser = IsChromiumProgram(desktop_.ProcessImagePath(process));
  browser_by_process_.emplace(process, browser);
  return browser;
}

bool ChromiumFrameAges::Watching(std::uint64_t now_ms) const {
  return last_walk_ms_.has_value() && now_ms >= *last_walk_ms_ && now_ms - *last_walk_ms_ <= kYoungFrameMs;
}

void ChromiumFrameAges::StartWalk(std::uint64_t now_ms) {
  walk_watched_ = Watching(now_ms);
  last_walk_ms_ = now_ms;
  walk_ms_ = now_ms;
  ++walk_;
}

void ChromiumFrameAges::Meet(WindowId window) {
  const auto [it, first] = windows_.try_emplace(window, Meeting{walk_ms_, walk_watched_, walk_});
  if (!first) it->second.last_walk = walk_;
}

void ChromiumFrameAges::EndWalk(platform::Desktop& desktop) {
  // A window the walk missed while the z-order changed is kept as long as it is there: met
  // again later as new, it would be young once more.
  std::erase_if(windows_, [&](const auto& known) {
    return known.second.last_walk != walk_ && desktop.ProcessId(known.first) == 0;
  });
}

bool ChromiumFrameAges::MayBurn(WindowId window, std::uint64_t now_ms) const {
  const auto known = windows_.find(window);
  if (known == windows_.end()) return Watching(now_ms);
  const Meeting& meeting = known->second;
  return meeting.new_then && now_ms >= meeting.first_ms && now_ms - meeting.first_ms < kYoungFrameMs;
}

bool ChromiumBurnRule::MayBurn(WindowId window) {
  return Young(window) && IsVisible(desktop_, window) && processes_.OwnsWindow(window);
}

bool ChromiumBurnRule::Blocks(const BlockEntries& entries, std::string_view title) const {
  return entries.IsBlockedByWordedEntry(title);
}

bool ChromiumBurnRule::BurnsNow(WindowId window, std::string_view title, const BlockEntries& entries) {
  return Young(window) && Blocks(entries, title) && MayBurn(window);
}

}  // namespace quellix::engine
