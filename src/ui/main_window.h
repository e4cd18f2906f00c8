#pragma once
// The main window (Form1): start-up, the two program modes, the pages, the commands and the
// tray icon's events.

#include <map>
#include <memory>
#include <string>

#include "blocklist/block_list_page.h"
#include "blocklist/displayed_block_list.h"
#include "blocklist/managed_list.h"
#include "blocklist/open_window_picker.h"
#include "rules/rule_book.h"
#include "rules/rules_page.h"
#include "tray/menu_frame.h"
#include "tray/tray_area.h"
#include "ui/info_window.h"
#include "ui/log_viewer.h"
#include "ui/modal_messages.h"
#include "ui/options_page.h"

namespace quellix::ui {

inline constexpr std::string_view kAnotherCopyMessage = "there is another copy of Quellix already running";
inline constexpr std::string_view kListNotSaved = "The block list could not be saved to popcfg.apo.";

// The main window's controls by what they are; the designer names are in their descriptions.
struct MainControls {
  platform::UiId caption_page_button = 0;   // drawnButton1 "PopUp Caption"
  platform::UiId options_page_button = 0;   // drawnButton2 "Popup Options"
  platform::UiId help_button = 0;           // drawnButton20
  platform::UiId about_button = 0;          // drawnButton13
  platform::UiId server_list_button = 0;    // drawnButton14
  platform::UiId rules_page_button = 0;     // drawnButton30 "Window Rules"
  platform::UiId rules_frame = 0;           // Frame11: the rules page
  platform::UiId caption_bar = 0;           // Frame2: Add, Edit, Remove, Export, Import
  platform::UiId add = 0, edit = 0, remove = 0, export_list = 0, import_list = 0;
  platform::UiId view1 = 0;                 // the displayed block list
  platform::UiId options_frame = 0;         // Frame1: the options page
  platform::UiId server_bar = 0;            // Frame9
  platform::UiId server_list = 0;           // View2
  platform::UiId ok = 0, apply = 0, exit = 0;
  platform::UiId command_field = 0;         // txtdo: shows the last command's digit
  platform::UiId selection_field = 0;       // Text1: shows the selected position
  platform::UiId tray_host = 0;             // TrayArea1
  platform::UiId get_urls = 0;              // Command1 "get IE URLS"
  platform::UiId dde_reply = 0;             // TxtDDE
  platform::UiId ie_url = 0, ie_title = 0;  // TxtIEUrl, TxtIETitle
  platform::UiId browser_status = 0;        // Label4
};

class MainWindow final : public platform::UiEvents,
                         public tray::MainWindowLink,
                         public tray::TrayArea::Events {
 public:
  explicit MainWindow(tray::TrayContext context);
  ~MainWindow() override;

  // The start-up sequence: ends in tray mode, or ends the process when another copy runs.
  void Start();

  // Pages.
  void ShowCaptionPage();
  void ShowServerListPage();
  // The rules for other programs' windows.
  void ShowRulesPage();
  void LoadOptionsPage();
  // Stores the list (saying why when it could not) and the sound options; true when the
  // list was stored.
  bool ApplyOptions();
  void GoToTray();

  // The controls by what they are, and by their designer names for tests.
  platform::UiId Form() const { return form_; }
  const MainControls& Controls() const { return controls_; }
  platform::UiId Control(const std::string& name) const;
  const blocklist::DisplayedBlockList& DisplayedList() const { return displayed_; }
  const blocklist::ManagedList& Managed() const { return managed_; }
  const rules::RuleBook& Rules() const { return rule_book_; }
  const blocklist::ManagedList& ManagedRules() const { return managed_rules_; }
  bool ListUnreadable() const { return list_unreadable_; }
  tray::TrayArea& Tray() { return *tray_; }
  tray::MenuFrame& Menu() { return menu_frame_; }
  InfoWindow& Info() { return info_; }
  OptionsPage& Options() { return *options_; }
  LogViewer& Log() { return *log_; }
  blocklist::BlockListPage& BlockList() { return *block_list_; }
  rules::RulesPage& RulesPage() { return *rules_page_; }
  blocklist::OpenWindowPicker& Picker() { return picker_; }

  // tray::MainWindowLink
  // Runs a command at once, inside the caller; the command field shows its digit.
  void Run(tray::MainCommand command) override;
  void SetTrayIconVisible(bool visible) override { tray_->SetVisible(visible); }
  void SetMainWindowNormal() override;
  void ShowMainWindow() override { context_.ui.SetVisible(form_, true); }
  void AppendEntry(const std::string& text) override;
  void OpenPicker() override;
  void OpenInformation() override;
  platform::WindowId OwnWindow() override { return context_.ui.NativeWindow(form_); }
  void AfterBurnCycle() override;
  void AfterBurnAtOnce(const engine::BurnedWindow& burned) override;
  void AfterRuleAtOnce(const engine::RuleActed& acted) override;
  void OpenOnEntry(const std::string& entry) override;
  void RefreshToolTip() override;

  // tray::TrayArea::Events
  void MouseMove() override;
  void MouseDown(int button) override;
  void DblClick() override;

  // platform::UiEvents
  void OnClick(platform::UiId control) override;
  void OnDoubleClick(platform::UiId control) override;
  void OnItemClick(platform::UiId control, std::size_t row) override;
  void OnSelectionChanged(platform::UiId control, std::size_t row) override;
  void OnWindowStateChanged(platform::UiId form) override;
  void OnCloseRequest(platform::UiId form) override;
  void OnSessionEnding(platform::UiId form) override;
  void OnTrayNotify(platform::UiId host, std::uint32_t code) override;

 private:
  platform::UiId Add(const platform::ControlSpec& desc);
  void CreateControls();
  void LoadBlockList();
  // Makes the active list the user's own entries (unless a policy keeps them from burning)
  // followed by the managed list's.
  void MakeListActive(const engine::SharedEntryTexts& own);
  // The user's own entries: the front of the active list while they burn, otherwise what
  // popcfg.apo holds. No second copy of them is kept, however long the list.
  engine::SharedEntryTexts OwnEntries();
  // Brings the managed list and the policy on the user's entries up to date (at start and
  // at each tick); the active list and view1 follow a change.
  void UpdateManagedList();
  // Brings the managed rules and the rules' policies up to date; the rules that act follow a
  // change (and `first` makes them follow at once).
  void UpdateRules(bool first);
  // Stores the displayed list into popcfg.apo, never over a file that could not be read;
  // a failure is said and the list on screen stays as it is.
  bool StoreBlockList();
  // Reads popcfg.apo again after it could not be read, keeping the entries added meanwhile
  // after the file's own; false, said, when it still cannot be read.
  bool ReadListAgain();
  void Tell(const std::string& text);
  void ShowDisplayedList();
  // The cells of an entry's row in view1: its text, then its figures.
  std::vector<std::string> RowCells(std::string_view entry);
  void ShowBrowserInformation();
  // What the information window tells of the rules.
  std::vector<std::string> RulesInformation() const;
  // False while a policy keeps the user's own block list from being edited.
  bool UserEntriesAllowed();
  void EnterWindowMode();
  // Reads popcfg.hits; one that exists but could not be read is marked and never replaced.
  void ReadFigures();
  void StoreFigures();
  // Credits the rules' actions to their figures and tells what they had to leave alone.
  void CreditRules(const std::vector<engine::RuleActed>& acted);
  void EndProcess();

  ModalMessages messages_;  // every box the product shows goes through it
  tray::TrayContext context_;
  platform::UiId form_ = 0;
  MainControls controls_;
  std::map<std::string, platform::UiId> by_name_;  // every control, for tests
  blocklist::DisplayedBlockList displayed_;
  bool own_burn_ = true;       // whether the user's entries burn: the policy AllowUserEntries
  bool own_in_active_ = true;  // whether the active list was last made with them
  std::size_t own_count_ = 0;  // how many of them lead it then
  blocklist::ManagedList managed_;
  rules::RuleBook rule_book_;
  blocklist::ManagedList managed_rules_;
  bool list_unreadable_ = false;     // popcfg.apo exists but could not be read: it is not stored over
  bool figures_unreadable_ = false;  // and so for popcfg.hits, for the rest of the run
  std::unique_ptr<tray::TrayArea> tray_;
  tray::MenuFrame menu_frame_;
  InfoWindow info_;
  std::unique_ptr<OptionsPage> options_;
  std::unique_ptr<LogViewer> log_;
  std::unique_ptr<blocklist::BlockListPage> block_list_;
  std::unique_ptr<rules::RulesPage> rules_page_;
  blocklist::OpenWindowPicker picker_;
};

}  // namespace quellix::ui
