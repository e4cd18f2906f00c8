#pragma once
// Which browser a top-level window is a frame of, and the title the product uses for it.
//
// - Internet Explorer: class "IEFrame" (compared with case).
// - Netscape / Mozilla: class "mozillawindowclass" (compared without case). The class is
//   shared with the Mozilla mail programs, whose windows are never browser frames. Today's
//   Firefox (and the browsers built like it) writes its name behind an em dash, "Page —
//   Mozilla Firefox", and opens a pop-up without features as a tab of the user's own window,
//   which then bears the pop-up's title: such a frame is held to the young-frame rules
//   (young_frames.h), as the Chromium frames are.
// - Chromium browsers (Chrome, Edge, Brave, Opera, Vivaldi): class "Chrome_WidgetWin_1",
//   shared with every program built on the same engine, so a frame only when it is shown,
//   a browser's program owns it and its caption ends in a browser's own name. An installed
//   web app's window, which names no browser, is not one. Edge writes the profile between
//   the page and its name, "Page - Work - Microsoft Edge": the title is "Page".

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/window_inspection.h"
#include "platform/desktop.h"

namespace quellix::engine {

using platform::WindowId;

inline constexpr std::string_view kChromiumClass = "Chrome_WidgetWin_1";  // compared with case
inline constexpr std::string_view kChromiumBrowserName = "Chromium";
// The browsers' program files, compared without case.
inline constexpr std::array<std::string_view, 5> kChromiumPrograms = {"chrome.exe", "msedge.exe", "brave.exe",
                                                                      "opera.exe", "vivaldi.exe"};
// The mail programs whose windows share the Mozilla class.
inline constexpr std::array<std::string_view, 2> kMozillaMailPrograms = {"thunderbird.exe", "betterbird.exe"};
// The names the Chromium browsers end their captions with, compared without case; Edge
// writes a zero-width space (U+200B) after "Microsoft", which the comparison leaves out.
inline constexpr std::array<std::string_view, 12> kChromiumCaptionNames = {
    "Google Chrome",  "Google Chrome Beta",  "Google Chrome Dev", "Google Chrome Canary",
    "Chromium",       "Microsoft Edge",      "Microsoft Edge Beta", "Microsoft Edge Dev",
    "Microsoft Edge Canary", "Brave",       "Opera",             "Vivaldi"};
// What today's Firefox shows as its whole caption over a page without a title.
inline constexpr std::array<std::string_view, 2> kFirefoxBareCaptions = {"Mozilla Firefox",
                                                                         "Mozilla Firefox Private Browsing"};
inline constexpr std::uint32_t kVisibleStyle = 0x10000000;  // WS_VISIBLE

bool IsChromiumClass(std::string_view class_name);
// The file name at the end of a program's path, lower-cased (ASCII letters only).
std::string ProgramFileName(std::string_view image_path);
// True when the file name at the end of the path is one of the Chromium browsers' programs.
bool IsChromiumProgram(std::string_view image_path);
bool IsMozillaMailProgram(std::string_view image_path);
bool IsVisible(platform::Desktop& desktop, WindowId window);

// A caption in today's Firefox form: its last dash is an em dash, or it is the browser's
// name alone.
bool IsFirefoxCaption(std::string_view caption);
// The Chromium browser's name the caption ends in, after its last " - ", as
// kChromiumCaptionNames writes it; empty for none.
std::string_view ChromiumNameOf(std::string_view caption);
// The title of a Chromium frame: the caption without the browser's name, and for Edge
// without the profile before it too.
std::string ChromiumTitle(std::string caption);

// Answers, for the windows met in one walk, which program owns them. Each process's program
// is looked up once. Use a new object for every walk: a process id is given to another
// process once its own has ended.
class ProcessPrograms {
 public:
  explicit ProcessPrograms(platform::Desktop& desktop) : desktop_(desktop) {}
  // The program file name (lower-cased) of the process that owns the window; empty when the
  // window is gone or its process may not be asked.
  const std::string& ProgramOf(WindowId window);
  // The same for a process known already; empty for 0 or a process that may not be asked.
  const std::string& ProgramOfProcess(std::uint32_t process);
  // True when a Chromium browser's process owns the window.
  bool OwnsWindow(WindowId window) { return IsChromiumProgram(ProgramOf(window)); }

 private:
  platform::Desktop& desktop_;
  std::unordered_map<std::uint32_t, std::string> program_by_process_;
  const std::string none_;
};

enum class FrameKind {
  kNone,
  kInternetExplorer,
  kNetscape,  // a Mozilla-class frame of the classic form
  kFirefox,   // a Mozilla-class frame of today's form: the young-frame rules
  kChromium,  // the young-frame rules
};

struct BrowserFrame {
  FrameKind kind = FrameKind::kNone;
  std::string title;  // as ReadWindowTitle cuts it, or ChromiumTitle for a Chromium frame
  // Held to the young-frame rules: young, shown, never by a blank entry, no style switch.
  bool Young() const { return kind == FrameKind::kFirefox || kind == FrameKind::kChromium; }
  bool Mozilla() const { return kind == FrameKind::kNetscape || kind == FrameKind::kFirefox; }
  // The browser's name in the log.
  std::string_view BrowserName() const;
};

// Reads windows as browser frames, for one walk: the burn cycle, the entry preview, the
// lists of open windows judge by it alike.
class FrameReader {
 public:
  explicit FrameReader(platform::Desktop& desktop) : desktop_(desktop), programs_(desktop) {}

  // The window as a frame, its class already read: kNone for a window of no browser, and a
  // Chromium-class window that is hidden or names no browser. The caption is read once
  // (twice when it fills a title's buffer). Which program owns the frame costs a look-up, so
  // it is asked apart, last: Owned.
  BrowserFrame Read(WindowId window, std::string_view class_name);
  // A browser's program owns the frame: for a Chromium frame one of those browsers', for a
  // Mozilla-class frame any program but the mail programs.
  bool Owned(WindowId window, const BrowserFrame& frame);

 private:
  std::string ReadWholeCaption(WindowId window);

  platform::Desktop& desktop_;
  ProcessPrograms programs_;
};

// Titles of the browser frames open now, topmost first, duplicates kept, without the
// browser's error page and without blank titles. The walk starts at the first window at
// the level of `anchor`, which is tested as an Internet Explorer frame only. With
// `chromium_frames`, the frames of Chromium browsers after the first window count too.
std::vector<std::string> ListOpenBrowserWindows(platform::Desktop& desktop, WindowId anchor,
                                                bool chromium_frames = false);

}  // namespace quellix::engine
