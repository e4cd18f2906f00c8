#pragma once
// The hidden tray menu window (menuframe): loaded exactly while the product sits in the
// notification area, it owns the tray menu, the burn-cycle timer and the cached burn-record
// settings.

#include <memory>
#include <string>
#include <vector>

#include "engine/process_state.h"
#include "platform/platform.h"
#include "platform/ui.h"

namespace quellix::tray {

// The commands the tray menu, the picker and the edit dialog give the main window; each
// runs at once, inside the caller. The numbers are the digits the command field shows.
enum class MainCommand {
  kExit = 1,           // remove the tray icon and end the process
  kSaveAndReload = 2,  // store the displayed list and load it again as the active list
  kShowOptions = 3,    // show the options page
};

// What the tray menu asks of the main window.
class MainWindowLink {
 public:
  virtual ~MainWindowLink() = default;
  virtual void Run(MainCommand command) = 0;
  virtual void SetTrayIconVisible(bool visible) = 0;
  virtual void SetMainWindowNormal() = 0;
  virtual void ShowMainWindow() = 0;
  // Appends an entry to the displayed block list.
  virtual void AppendEntry(const std::string& text) = 0;
  virtual void OpenPicker() = 0;
  virtual void OpenInformation() = 0;
  // One of the product's own top-level windows, where the window walks start.
  virtual platform::WindowId OwnWindow() = 0;
  // After each burn cycle: what the burns mean beyond the counter and the log.
  virtual void AfterBurnCycle() = 0;
  // The same after a window burned the moment it appeared.
  virtual void AfterBurnAtOnce(const engine::BurnedWindow& burned) = 0;
  // And after a rule acted on a window the moment it appeared.
  virtual void AfterRuleAtOnce(const engine::RuleActed& acted) = 0;
  // Opens the main window on the block list page with this entry selected ("" for none).
  virtual void OpenOnEntry(const std::string& entry) = 0;
  // The icon's tooltip as the state of burning has it now.
  virtual void RefreshToolTip() = 0;
};

struct TrayContext {
  platform::Services services;
  platform::Ui& ui;
  platform::Shell& shell;
  engine::ProcessState& state;
  std::string app_folder;   // the program's own files: help, sound, the auto-start command
  std::string data_folder;  // the user's files: block list, log, figures (product::PrepareDataFolder)
};

class MenuFrame final : public platform::UiEvents {
 public:
  static constexpr unsigned kBurnInterval = 3000;  // ms

  // Menu item ids. Each submenu has a range of its own, so no count of windows or burns
  // reaches another's items: the recent burns (at most BurnHistory::kRecentCount, then
  // "(nothing yet)") follow kRecentBase; the open windows, any number of them, take every id
  // from kOpenWindowBase up to kLastItemId, the largest a menu command carries.
  enum Item {
    kAddNewTitle = 1,  // a7
    kAddOpenWindow,    // a6
    kOption,           // a4
    kToggle,           // a3
    kHelp,             // c2
    kInfo,             // c1
    kTestPage,         // v1
    kExit,             // a1
    kPause15,
    kPause60,
    kRecentMenu,  // "Recently burned"
    kRecentBase = 100,
    kOpenWindowBase = 1000,
    kLastItemId = 0xFFFF,
  };
  // The most open windows the submenu lists; more would need ids beyond kLastItemId.
  static constexpr std::size_t kOpenWindowCapacity = kLastItemId - kOpenWindowBase + 1;
  static constexpr unsigned kPause15Ms = 15 * 60 * 1000, kPause60Ms = 60 * 60 * 1000;

  MenuFrame(TrayContext context, MainWindowLink& main);
  ~MenuFrame() override { Unload(); }

  bool Loaded() const { return form_ != 0; }
  void Load();
  void Unload();
  // Shows the tray menu at the mouse position and runs the chosen item; loads first if needed.
  void ShowMenu();
  // Fills the open-window submenu from the browser frames open now.
  void DisplayIEWindows2();

  // The menu as it stands, for showing and for tests.
  std::vector<platform::MenuItem> Menu() const;
  const std::vector<std::string>& OpenWindowCaptions() const { return open_windows_; }

  // Watches for windows as they appear exactly while loaded with the switch "instant" on;
  // run at load and at every tick, so a change of the switch is followed within a tick.
  void FollowInstantSwitch();

  void OnTimer(platform::UiId timer) override;

 private:
  void Choose(int item);
  void Toggle();
  void OpenTestPage();
  void Pause(unsigned minutes);
  // Ends a pause whose time has come: burning is on again.
  void ResumeIfPauseOver();
  void ShowToggleAs(bool burning);
  // False while a policy keeps the user's own block list from being edited.
  bool UserEntriesAllowed() const;
  // A window of another program appeared or was renamed: it burns now if a tick would burn it.
  void OnWindowSeen(platform::WindowId window);
  // Looks again at the windows a rule names that were not shown yet when they appeared: the
  // system does not always tell when a window is shown.
  void LookAgainAtWaiting();

  // A window waits this long at most to be shown, looked at every kShownLookMs meanwhile.
  static constexpr unsigned kShownLookMs = 50;
  static constexpr std::uint64_t kShownWaitMs = 2000;
  static constexpr std::size_t kMostWaiting = 64;

  TrayContext context_;
  MainWindowLink& main_;
  platform::UiId form_ = 0;
  platform::UiId timer_ = 0;
  std::vector<std::string> open_windows_;
  std::string toggle_caption_;
  std::string toggle_icon_;
  std::unique_ptr<platform::WindowWatch> watch_;
  std::uint32_t own_process_ = 0;  // the product's process, whose windows are never judged
  std::vector<std::pair<platform::WindowId, std::uint64_t>> waiting_shown_;  // and when first seen
  platform::UiId shown_timer_ = 0;
};

}  // namespace quellix::tray
