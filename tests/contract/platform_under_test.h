#pragma once
// What the platform contract suite needs from each platform: its services, and a way to
// open windows of another program and see the close requests they receive.

#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace quellix::contract {

struct ForeignWindow {
  std::string class_name;
  std::string caption;
  std::uint32_t style;
  bool ignores_close = false;
};

// A server answering as a browser's window-information service does: service "iexplore",
// topic "WWW_GetWindowInfo", item "-1" answered with `reply` (UTF-8; a real server sends it in
// the ANSI code page) written `repeat` times over, each answer given after `delay_ms`; other
// items refused.
struct BrowserInfoServer {
  std::string reply;
  int repeat = 1;
  unsigned delay_ms = 0;
};

class PlatformUnderTest {
 public:
  virtual ~PlatformUnderTest() = default;
  virtual platform::Services Services() = 0;
  // One of the test's own top-level windows, the anchor of walks.
  virtual platform::WindowId Anchor() = 0;
  // Opens a window in another program, above the windows opened before.
  virtual platform::WindowId Open(const ForeignWindow& window) = 0;
  // Lets posted close requests reach their windows.
  virtual void Settle() = 0;
  // Gives a window opened by Open another caption, as a browser does when its page changes.
  virtual void Retitle(platform::WindowId window, const std::string& caption) = 0;
  // Lets the system tell the test's window watches what happened, for about `wait_ms`.
  virtual void DeliverWindowEvents(unsigned wait_ms) = 0;
  virtual int CloseRequestsReceived(platform::WindowId window) = 0;
  // Opens a dialog box (#32770) in another program: a static control with the message and a
  // push button for each caption. A press of one of them ends the dialog.
  virtual platform::WindowId OpenDialog(const std::string& caption, const std::string& message,
                                        const std::vector<std::string>& buttons) = 0;
  // The caption of the button of that dialog that was pressed; empty while none was.
  virtual std::string PressedButton(platform::WindowId dialog) = 0;
  // An empty folder for file tests, ending without a separator.
  virtual std::string Folder() = 0;
  // Starts the server, which runs until the platform under test ends.
  virtual void ServeBrowserWindowInfo(const BrowserInfoServer& server) = 0;
};

std::unique_ptr<PlatformUnderTest> MakePlatformUnderTest();

}  // namespace quellix::contract
