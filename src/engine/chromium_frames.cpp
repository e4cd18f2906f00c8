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

}  // namespace quellix::engine
