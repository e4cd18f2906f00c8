#include "engine/browser_frames.h"

#include <algorithm>

#include "text/text.h"
#include "text/utf8.h"

namespace quellix::engine {
namespace {

constexpr std::string_view kZeroWidthSpace = "\xE2\x80\x8B";  // U+200B

template <std::size_t N>
bool Among(const std::array<std::string_view, N>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool IsChromiumClass(std::string_view class_name) { return class_name == kChromiumClass; }

std::string ProgramFileName(std::string_view image_path) {
  const auto folder_end = image_path.find_last_of("\\/");
  return text::LowerCase(folder_end == std::string_view::npos ? image_path : image_path.substr(folder_end + 1));
}

bool IsChromiumProgram(std::string_view image_path) {
  return Among(kChromiumPrograms, ProgramFileName(image_path));
}

bool IsMozillaMailProgram(std::string_view image_path) {
  return Among(kMozillaMailPrograms, ProgramFileName(image_path));
}

bool IsVisible(platform::Desktop& desktop, WindowId window) {
  return (desktop.Style(window) & kVisibleStyle) != 0;
}

bool IsFirefoxCaption(std::string_view caption) {
  const std::size_t dash = LastDash(caption);
  if (dash != std::string_view::npos) return caption.substr(dash).starts_with(kEmDash);
  return Among(kFirefoxBareCaptions, caption);
}

std::string_view ChromiumNameOf(std::string_view caption) {
  const std::size_t separator = caption.rfind(" - ");
  if (separator == std::string_view::npos) return {};
  std::string name = text::LowerCase(text::TrimBlanks(caption.substr(separator + 3)));
  for (std::size_t at; (at = name.find(kZeroWidthSpace)) != std::string::npos;) name.erase(at, kZeroWidthSpace.size());
  for (std::string_view known : kChromiumCaptionNames)
    if (text::LowerCase(known) == name) return known;
  return {};
}

std::string ChromiumTitle(std::string caption) {
  const bool edge = ChromiumNameOf(caption).starts_with("Microsoft Edge");
  std::string title = TitleFromCaption(std::move(caption));
  // "Page - Profile": the profile goes too. A caption without one keeps its page whole.
  if (edge && LastDash(title) != std::string::npos) title = TitleFromCaption(std::move(title));
  return title;
}

const std::string& ProcessPrograms::ProgramOf(WindowId window) {
  return ProgramOfProcess(desktop_.ProcessId(window));
}

const std::string& ProcessPrograms::ProgramOfProcess(std::uint32_t process) {
  if (process == 0) return none_;  // the window is gone
  const auto known = program_by_process_.find(process);
  if (known != program_by_process_.end()) return known->second;
  return program_by_process_.emplace(process, ProgramFileName(desktop_.ProcessImagePath(process))).first->second;
}

std::string_view BrowserFrame::BrowserName() const {
  switch (kind) {
    case FrameKind::kInternetExplorer:
      return kIeBrowserName;
    case FrameKind::kNetscape:
    case FrameKind::kFirefox:
      return kMozillaBrowserName;
    case FrameKind::kChromium:
      return kChromiumBrowserName;
    case FrameKind::kNone:
      break;
  }
  return {};
}

std::string FrameReader::ReadWholeCaption(WindowId window) {
  // Most captions fit a title's buffer; only one that fills it is read again whole.
  std::string caption = ReadWindowCaption(desktop_, window, kTitleBufferSize);
  if (text::Utf16Length(caption) + 2 < kTitleBufferSize) return caption;
  return ReadWindowCaption(desktop_, window, kWholeCaptionBufferSize);
}

bool FrameReader::Owned(WindowId window, const BrowserFrame& frame) {
  if (frame.kind == FrameKind::kChromium) return programs_.OwnsWindow(window);
  if (frame.Mozilla()) return !IsMozillaMailProgram(programs_.ProgramOf(window));
  return frame.kind != FrameKind::kNone;
}

BrowserFrame FrameReader::Read(WindowId window, std::string_view class_name) {
  if (IsIeClass(class_name)) return {FrameKind::kInternetExplorer, ReadWindowTitle(desktop_, window)};
  if (IsMozillaClass(class_name)) {
    // The whole caption: its end tells today's Firefox from the classic browsers.
    std::string caption = ReadWholeCaption(window);
    if (!IsFirefoxCaption(caption))  // the classic title: the first 99 units, cut at their last dash
      return {FrameKind::kNetscape, TitleFromCaption(FirstTitleUnits(std::move(caption)))};
    // Over a page without a title, Firefox shows its name alone: the title is empty.
    if (Among(kFirefoxBareCaptions, caption)) return {FrameKind::kFirefox, {}};
    return {FrameKind::kFirefox, FirstTitleUnits(TitleFromCaption(std::move(caption)))};
  }
  if (IsChromiumClass(class_name)) {
    // Hidden windows cost no caption read.
    if (!IsVisible(desktop_, window)) return {};
    std::string caption = ReadWholeCaption(window);
    if (ChromiumNameOf(caption).empty()) return {};
    return {FrameKind::kChromium, FirstTitleUnits(ChromiumTitle(std::move(caption)))};
  }
  return {};
}

std::vector<std::string> ListOpenBrowserWindows(platform::Desktop& desktop, WindowId anchor,
                                                bool chromium_frames) {
  std::vector<std::string> titles;
  FrameReader frames(desktop);
  auto offer = [&](WindowId window, bool first) {
    const std::string class_name = ReadWindowClass(desktop, window);
    if (first ? !IsIeClass(class_name) : !chromium_frames && IsChromiumClass(class_name)) return;
    BrowserFrame frame = frames.Read(window, class_name);
    if (frame.kind == FrameKind::kNone || frame.title == kCannotFindServer) return;
    // Blank titles are dropped anyway: no process look-up for them.
    if (text::TrimBlanks(frame.title).empty() || !frames.Owned(window, frame)) return;
    titles.push_back(std::move(frame.title));
  };
  ZOrderWalk walk(desktop, anchor);
  if (walk.Current() != 0) offer(walk.Current(), /*first=*/true);
  while (walk.Next()) offer(walk.Current(), /*first=*/false);
  std::erase_if(titles, [](const std::string& t) { return text::TrimBlanks(t).empty(); });
  return titles;
}

}  // namespace quellix::engine
