#include "contract/platform_under_test.h"
#include "platform/sim/sim_services.h"

#include <map>

namespace quellix::contract {
namespace {

class SimUnderTest final : public PlatformUnderTest {
  static constexpr std::uint32_t kHelperProcess = 4242;
  static constexpr std::uint32_t kVisible = 0x10000000;  // WS_VISIBLE
  static constexpr std::uint32_t kPopupCaption = 0x80C00000;  // WS_POPUP | WS_CAPTION

 public:
  SimUnderTest() {
    anchor_ = sim_.desktop.AddWindow("ContractAnchor", "anchor");
    sim_.desktop.SetProcessImage(kHelperProcess, "C:\\contract\\quellix_spawner.exe");
    sim_.files.AddFolder(Folder());
  }
  platform::Services Services() override { return sim_.Services(); }
  platform::WindowId Anchor() override { return anchor_; }
  platform::WindowId Open(const ForeignWindow& w) override {
    // The helper program shows every window it opens.
    const auto id = sim_.desktop.AddWindow(
        sim::SimWindowSpec{w.class_name, w.caption, w.style | kVisible, w.ignores_close, kHelperProcess});
    sim_.desktop.BringToTop(id);
    return id;
  }
  void Settle() override { sim_.desktop.DeliverCloseRequests(); }
  void Retitle(platform::WindowId window, const std::string& caption) override {
    sim_.desktop.SetCaption(window, caption);
  }
  void DeliverWindowEvents(unsigned) override { sim_.desktop.DeliverWindowEvents(); }
  int CloseRequestsReceived(platform::WindowId window) override { return sim_.desktop.CloseRequests(window); }
  platform::WindowId OpenDialog(const std::string& caption, const std::string& message,
                                const std::vector<std::string>& buttons) override {
    std::vector<sim::SimChild> children{{"Static", message, 65535}};
    for (std::size_t i = 0; i < buttons.size(); ++i)
      children.push_back({"Button", buttons[i], static_cast<std::uint32_t>(100 + i)});
    sim::SimWindowSpec dialog{"#32770", caption, kPopupCaption | kVisible, false, kHelperProcess};
    dialog.children = std::move(children);
    const auto id = sim_.desktop.AddWindow(std::move(dialog));
    sim_.desktop.BringToTop(id);
    dialog_buttons_[id] = buttons;
    return id;
  }
  std::string PressedButton(platform::WindowId dialog) override {
    const auto clicks = sim_.desktop.ButtonClicks(dialog);
    const auto& buttons = dialog_buttons_[dialog];
    if (clicks.empty() || clicks.front() < 100 || clicks.front() - 100 >= buttons.size()) return {};
    return buttons[clicks.front() - 100];
  }
  std::string Folder() override { return "C:\\contract"; }
  void ServeBrowserWindowInfo(const BrowserInfoServer& server) override {
    std::string reply;
    for (int i = 0; i < server.repeat; ++i) reply += server.reply;
    sim_.dde.Serve("iexplore", "WWW_GetWindowInfo", "-1", {reply, server.delay_ms});
  }

 private:
  sim::SimPlatform sim_;
  platform::WindowId anchor_;
  std::map<platform::WindowId, std::vector<std::string>> dialog_buttons_;
};

}  // namespace

std::unique_ptr<PlatformUnderTest> MakePlatformUnderTest() {
  return std::make_unique<SimUnderTest>();
}

}  // namespace quellix::contract
