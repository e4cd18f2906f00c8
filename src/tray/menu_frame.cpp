#include "tray/menu_frame.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "engine/burn_cycle.h"
#include "engine/browser_frames.h"
#include "engine/window_inspection.h"
#include "product/product.h"
#include "settings/settings_store.h"
#include "text/text.h"

namespace quellix::tray {
namespace {

constexpr char kToggleOffCaption[] = "Disable (Turn Off) Popups burn  ";  // as first shown
constexpr char kToggleOffAgainCaption[] = "Disable (Turn Off) Popups Burn";
constexpr char kToggleOnCaption[] = "Enable (Turn On) Popups Burn";
constexpr char kTestPagePath[] = "/products/poptest.htm";
constexpr char kConnectionErrorTitle[] = "Connection error";
constexpr char kConnectionErrorText[] = "Can't Open this site please go to";
constexpr int kShowHidden = 0;  // the test page request's show command
constexpr char kRecentCaption[] = "Recently burned";
constexpr char kNothingYet[] = "(nothing yet)";
static_assert(MenuFrame::kRecentBase + engine::BurnHistory::kRecentCount < MenuFrame::kOpenWindowBase,
              "the recent burns and \"(nothing yet)\" stay below the open windows' ids");

// Two digits at `at`, or -1.
int TwoDigits(const std::string& s, std::size_t at) {
  if (at + 2 > s.size() || s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9') return -1;
  return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

// "HH:MM" of a "HH:MM:SS" clock time moved on by some minutes; empty for a clock text of
// another form, which the pause then does without.
std::string ClockAfter(const std::string& clock_time, unsigned minutes) {
  const int hours = TwoDigits(clock_time, 0), mins = TwoDigits(clock_time, 3);
  if (hours < 0 || hours > 23 || mins < 0 || mins > 59) return {};
  const int then = (hours * 60 + mins + static_cast<int>(minutes % (24 * 60))) % (24 * 60);
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", then / 60, then % 60);
  return text;
}

}  // namespace

MenuFrame::MenuFrame(TrayContext context, MainWindowLink& main) : context_(std::move(context)), main_(main) {}

void MenuFrame::Load() {
  if (Loaded()) return;
  form_ = context_.ui.CreateForm({"menuframe", "menuframe", 0, 0, /*hidden=*/true}, *this);
  timer_ = context_.ui.CreateTimer(form_, kBurnInterval);
  // In tray mode the product's messages belong to this window.
  context_.services.messages.SetOwner(context_.ui.NativeWindow(form_));
  toggle_caption_ = kToggleOffCaption;
  toggle_icon_ = "disable";
  DisplayIEWindows2();
  // An event run while the submenu was built may have unloaded this window: then tray mode
  // has ended already, and the icon and caches must stay as they are.
  if (!Loaded()) return;
  ResumeIfPauseOver();
  main_.SetTrayIconVisible(true);
  platform::Registry& registry = context_.services.registry;
  const settings::KeyReader options(registry, settings::kProductRoot, settings::kProductKeySlash);
  engine::SoundCopies& sound = context_.state.sound;
  sound.play_sound = engine::CurrentPolicies(context_.state, registry)
                         .SwitchText(settings::kPlaySound, options.Read(settings::kPlaySound).text);
  sound.internal_sound = options.Read(settings::kInternalSound).text;
  sound.browse_sound = options.Read(settings::kBrowseSound).text;
  sound.wave_file = options.ReadPath(settings::kWaveFile).text;
  context_.state.burn_count = options.Read(settings::kBurnCount).text;
  FollowInstantSwitch();
}

void MenuFrame::Unload() {
  if (!Loaded()) return;
  watch_.reset();
  waiting_shown_.clear();
  shown_timer_ = 0;  // goes with the form
  const platform::UiId form = form_;
  form_ = timer_ = 0;
  open_windows_.clear();
  context_.ui.DestroyForm(form);
  context_.services.messages.SetOwner(main_.OwnWindow());
}

void MenuFrame::DisplayIEWindows2() {
  platform::Registry& registry = context_.services.registry;
  const bool chromium =
      text::IsOn(engine::CurrentPolicies(context_.state, registry)
                     .SwitchText(settings::kChromium, settings::ReadOption(registry, settings::kChromium)));
  std::vector<std::string> titles =
      engine::ListOpenBrowserWindows(context_.services.desktop, main_.OwnWindow(), chromium);
  open_windows_.clear();
  for (std::string& title : titles) {
    context_.ui.DoEvents();
    if (!Loaded()) return;
    open_windows_.push_back(std::move(title));
  }
  // Element 0 always exists, with an empty caption when no browser frame is open.
  if (open_windows_.empty()) open_windows_.emplace_back();
}

bool MenuFrame::UserEntriesAllowed() const {
  return engine::CurrentPolicies(context_.state, context_.services.registry).allow_user_entries;
}

std::vector<platform::MenuItem> MenuFrame::Menu() const {
  // Where the organisation keeps the user's own list as it is, the two ways of adding to it
  // are shown greyed.
  const bool adding = UserEntriesAllowed();
  std::vector<platform::MenuItem> open;
  for (std::size_t i = 0; i < std::min(open_windows_.size(), kOpenWindowCapacity); ++i)
    open.push_back({static_cast<int>(kOpenWindowBase + i), open_windows_[i], "", {}});
  std::vector<platform::MenuItem> recent;
  const auto& burns = context_.state.history.Recent();
  for (std::size_t i = 0; i < burns.size(); ++i)
    recent.push_back({static_cast<int>(kRecentBase + i), burns[i].time + "  " + burns[i].title, "", {}});
  if (recent.empty())
    recent.push_back(
        {kRecentBase + static_cast<int>(engine::BurnHistory::kRecentCount), kNothingYet, "", {}, false});
  return {
      {kAddNewTitle, "Add New Window Title", "add", {}, adding},
      {kAddOpenWindow, "Add open Window", "open", open, adding},
      {0, "-", "", {}},
      {kOption, "Option", "option", {}},
      {kToggle, toggle_caption_, toggle_icon_, {}},
      {kPause15, "Pause for 15 minutes", "", {}},
      {kPause60, "Pause for 1 hour", "", {}},
      {kRecentMenu, kRecentCaption, "", recent},
      {0, "-", "", {}},
      {kHelp, "Help", "info", {}},
      {kInfo, "Info", "help", {}},
      {0, "-", "", {}},
      {kTestPage, "Test Quellix", "", {}},
      {0, "-", "", {}},
      {kExit, "Exit", "exit", {}},
  };
}

void MenuFrame::ShowMenu() {
  Load();
  Choose(context_.ui.TrackPopupMenu(form_, Menu()));
}

void MenuFrame::Choose(int item) {
  const std::string& folder = context_.app_folder;
  switch (item) {
    case kAddNewTitle:
      if (UserEntriesAllowed()) main_.OpenPicker();
      break;
    case kOption:
      main_.SetMainWindowNormal();
      main_.ShowMainWindow();
      main_.Run(MainCommand::kShowOptions);
      main_.ShowMainWindow();
      main_.SetTrayIconVisible(false);
      Unload();
      break;
    case kToggle:
      Toggle();
      break;
    case kHelp:
      context_.shell.Start(product::HelpCommandLine(context_.shell.WindowsFolder(), folder));
      break;
    case kInfo:
      main_.OpenInformation();
      break;
    case kTestPage:
      OpenTestPage();
      break;
    case kExit:
      Unload();
      main_.Run(MainCommand::kExit);
      break;
    case kPause15:
      Pause(15);
      break;
    case kPause60:
      Pause(60);
      break;
    default:
      if (item >= kRecentBase && item < kOpenWindowBase) {
        const auto& burns = context_.state.history.Recent();
        const auto at = static_cast<std::size_t>(item - kRecentBase);
        if (at < burns.size()) main_.OpenOnEntry(burns[at].entry);
        return;
      }
      if (item >= kOpenWindowBase && item <= kLastItemId &&
          static_cast<std::size_t>(item - kOpenWindowBase) < open_windows_.size()) {
        const std::string title = text::TrimBlanks(open_windows_[item - kOpenWindowBase]);
        if (title.empty() || !UserEntriesAllowed()) return;
        main_.AppendEntry(title);
        main_.Run(MainCommand::kSaveAndReload);
      }
      break;
  }
}

void MenuFrame::OpenTestPage() {
  const std::string address = "http://" + std::string(product::kMakerWebAddress) + kTestPagePath;
  const std::uint32_t owner = Loaded() ? context_.ui.NativeWindow(form_) : 0;
  if (context_.shell.Open(address, context_.app_folder, owner, kShowHidden)) return;
  context_.services.messages.Show(std::string(kConnectionErrorText) + "\r\n " + address,
                                  kConnectionErrorTitle, platform::MessageIcon::kNone,
                                  platform::MessageButtons::kOk);
}

void MenuFrame::Toggle() {
  engine::BurnSwitch& burning = context_.state.burning;
  const std::int16_t before = burning.Value();
  const bool pause_ended = burning.Toggle();
  if (burning.Value() != before) ShowToggleAs(burning.On());
  if (pause_ended) main_.RefreshToolTip();
}

void MenuFrame::ShowToggleAs(bool burning) {
  toggle_caption_ = burning ? kToggleOffAgainCaption : kToggleOnCaption;
  toggle_icon_ = burning ? "disable" : "dis";
}

void MenuFrame::Pause(unsigned minutes) {
  platform::Clock& clock = context_.services.clock;
  context_.state.burning.Pause(clock.MonotonicMs() + minutes * 60ull * 1000, ClockAfter(clock.ClockTime(), minutes));
  ShowToggleAs(false);
  main_.RefreshToolTip();
}

void MenuFrame::ResumeIfPauseOver() {
  engine::BurnSwitch& burning = context_.state.burning;
  const bool was_on = burning.On();
  if (!burning.EndPauseIfOver(context_.services.clock.MonotonicMs())) return;
  if (!was_on && Loaded()) ShowToggleAs(true);
  main_.RefreshToolTip();
}

void MenuFrame::OnTimer(platform::UiId timer) {
  if (timer != 0 && timer == shown_timer_) {
    LookAgainAtWaiting();
    return;
  }
  if (timer != timer_) return;
  ResumeIfPauseOver();
  engine::BurnCycle(context_.services, context_.state, {context_.app_folder, context_.data_folder},
                    main_.OwnWindow());
  main_.AfterBurnCycle();
  FollowInstantSwitch();
}

void MenuFrame::FollowInstantSwitch() {
  const bool wanted =
      Loaded() && engine::Switches(context_.state, context_.services.registry).Current().instant;
  if (!wanted) {
    watch_.reset();
    waiting_shown_.clear();
    return;
  }
  if (watch_) return;
  platform::Desktop& desktop = context_.services.desktop;
  own_process_ = desktop.ProcessId(main_.OwnWindow());
  watch_ = desktop.WatchWindows([this](platform::WindowId window) { OnWindowSeen(window); });
}

void MenuFrame::OnWindowSeen(platform::WindowId window) {
  // Called from the message loop as any handler is: nothing may escape it. A window that
  // could not be judged now is left to the next tick.
  try {
    if (!Loaded()) return;
    ResumeIfPauseOver();
    const engine::AtOnce judged = engine::BurnAtOnce(
        context_.services, context_.state, {context_.app_folder, context_.data_folder}, own_process_, window);
    if (judged.burned) main_.AfterBurnAtOnce(*judged.burned);
    if (judged.acted) main_.AfterRuleAtOnce(*judged.acted);
    if (!judged.rule_waits_shown || !Loaded()) return;
    const bool known = std::any_of(waiting_shown_.begin(), waiting_shown_.end(),
                                   [&](const auto& waiting) { return waiting.first == window; });
    if (!known && waiting_shown_.size() < kMostWaiting)
      waiting_shown_.emplace_back(window, context_.services.clock.MonotonicMs());
    if (shown_timer_ == 0) shown_timer_ = context_.ui.CreateTimer(form_, kShownLookMs);
  } catch (const std::exception&) {
  }
}

void MenuFrame::LookAgainAtWaiting() {
  const std::uint64_t now = context_.services.clock.MonotonicMs();
  std::vector<platform::WindowId> shown;
  platform::Desktop& desktop = context_.services.desktop;
  std::erase_if(waiting_shown_, [&](const auto& waiting) {
    // A window that is gone shows no style and goes with the others that waited too long.
    if (now - waiting.second >= kShownWaitMs) return true;
    if (!engine::IsVisible(desktop, waiting.first)) return false;
    shown.push_back(waiting.first);
    return true;
  });
  if (waiting_shown_.empty() && shown_timer_ != 0) {
    context_.ui.DestroyTimer(shown_timer_);
    shown_timer_ = 0;
  }
  // Judged as just seen: a window that is still not what a rule names is let go.
  for (const platform::WindowId window : shown) {
    if (!Loaded()) return;
    OnWindowSeen(window);
  }
}

}  // namespace quellix::tray
