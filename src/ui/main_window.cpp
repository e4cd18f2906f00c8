#include "ui/main_window.h"

#include <algorithm>
#include <new>

#include "blocklist/block_list_file.h"
#include "engine/entry_preview.h"
#include "product/product.h"
#include "settings/settings_store.h"
#include "text/text.h"
#include "rules/managed_rules.h"
#include "engine/open_windows.h"
#include "ui/browser_info.h"

namespace quellix::ui {

using platform::ControlKind;
using platform::UiId;

namespace {

// Where the option and log pages are shown: 60 twips below the header. Their size: the
// option page's groups, with the line that says when policies manage some of its switches;
// the page ends 60 twips above the OK, Apply and Exit buttons.
constexpr int kPageLeft = 2070, kPageTop = 735;
constexpr int kPageWidth = 5985, kPageHeight = 4440;
constexpr int kButtonWidth = 1800, kButtonHeight = 420;

// The same context with the product's own message boxes in place of the platform's.
tray::TrayContext WithMessages(const tray::TrayContext& context, platform::MessageBoxes& messages) {
  const platform::Services& s = context.services;
  return {{s.desktop, s.registry, s.clock, s.sound, s.files, messages, s.file_dialogs, s.dde, s.code_page},
          context.ui,
          context.shell,
          context.state,
          context.app_folder,
          context.data_folder};
}

}  // namespace

MainWindow::MainWindow(tray::TrayContext context)
    : messages_(context.services.messages),
      context_(WithMessages(context, messages_)),
      managed_(context_.services, context_.data_folder),
      rule_book_(context_.services, context_.data_folder),
      managed_rules_(context_.services, context_.data_folder, rules::kManagedRules),
      menu_frame_(context_, *this),
      info_(
          context.ui, context.shell,
          [this] {
            context_.state.burning.TurnOn();  // burning resumes when the information window closes
          },
          [this]() -> const blocklist::ManagedListStatus& { return managed_.Status(); },
          [this] { return RulesInformation(); }),
      picker_(
          context_.ui, context_.services, [this] { return OwnWindow(); },
          [this](const std::string& text) {
            // A policy that came into force while the picker was open adds nothing.
            if (!UserEntriesAllowed()) return;
            AppendEntry(text);
            Run(tray::MainCommand::kSaveAndReload);
          },
          [this](const std::string& entry) {
            return engine::PreviewEntry(context_.services, OwnWindow(), entry, context_.state.frame_ages,
                                        engine::CurrentPolicies(context_.state, context_.services.registry));
          },
          [this]() -> const settings::Policies& {
            return engine::CurrentPolicies(context_.state, context_.services.registry);
          }) {
  form_ = context_.ui.CreateForm({"Form1", std::string(product::kAppTitle), 8130, 5820}, *this);
  messages_.SetOwner(OwnWindow());
  CreateControls();
  tray_ = std::make_unique<tray::TrayArea>(context_.ui, controls_.tray_host, *this);
  tray_->LoadProperties({{"Icon", "tray"}, {"ToolTip", std::string(product::kAppTitle)}});
}

MainWindow::~MainWindow() {
  menu_frame_.Unload();
  tray_.reset();
  context_.ui.DestroyForm(form_);
}

UiId MainWindow::Add(const platform::ControlSpec& desc) {
  const UiId id = context_.ui.CreateControl(form_, desc);
  by_name_.emplace(desc.name, id);
  return id;
}

UiId MainWindow::Control(const std::string& name) const {
  auto it = by_name_.find(name);
  return it == by_name_.end() ? 0 : it->second;
}

void MainWindow::CreateControls() {
  const std::string name(product::kAppTitle);
  Add({ControlKind::kFrame, "Picture1", "", {0, 0, 8115, 675}});
  Add({ControlKind::kPicture, "Image1", "tray", {120, 100, 480, 480}});
  Add({ControlKind::kLabel, "Label2", name, {720, 180, 3000, 375}});
  Add({ControlKind::kLabel, "Label1", "PopUp Menu", {120, 900, kButtonWidth, 285}});
  MainControls& c = controls_;
  c.caption_page_button =
      Add({ControlKind::kButton, "drawnButton1", "PopUp Caption", {120, 1245, kButtonWidth, kButtonHeight}});
  c.options_page_button =
      Add({ControlKind::kButton, "drawnButton2", "Popup Options", {120, 1785, kButtonWidth, kButtonHeight}});
  c.help_button =
      Add({ControlKind::kButton, "drawnButton20", "Popup Help    ", {120, 3915, kButtonWidth, kButtonHeight}});
  c.about_button =
      Add({ControlKind::kButton, "drawnButton13", "About Popup", {120, 4455, kButtonWidth, kButtonHeight}});
  c.rules_page_button =
      Add({ControlKind::kButton, "drawnButton30", "Window Rules", {120, 2325, kButtonWidth, kButtonHeight}});
  c.server_list_button = Add({ControlKind::kButton,
                              "drawnButton14",
                              "Server List     ",
                              {11865, 7665, kButtonWidth, kButtonHeight}});

  // The caption page: its button bar and the block list.
  c.caption_bar = Add({ControlKind::kFrame, "Frame2", "", {2085, 825, 5985, 500}});
  struct BarButton {
    const char* name;
    const char* caption;
    UiId* id;
  };
  const BarButton bar[] = {{"drawnButton4", "Add", &c.add},
                           {"drawnButton5", "Edit", &c.edit},
                           {"drawnButton6", "Remove", &c.remove},
                           {"drawnButton11", "Export", &c.export_list},
                           {"drawnButton12", "Import", &c.import_list}};
  for (int i = 0; i < 5; ++i) {
    platform::ControlSpec button{ControlKind::kButton, bar[i].name, bar[i].caption, {60 + i * 1185, 60, 1110, 380}};
    button.container = c.caption_bar;
    button.enabled = i != 1 && i != 2;  // Edit and Remove wait for a selected entry
    *bar[i].id = Add(button);
  }
  platform::ControlSpec view1{ControlKind::kListView, "view1", "", {2070, 1365, 5985, 3675}};
  view1.columns = {"Window Title", "Burned", "Last burned", "Managed"};
  view1.column_widths = {0, 900, 2100, 900};
  c.view1 = Add(view1);

  // Pages parked outside the client area until a page operation moves them in.
  c.options_frame =
      Add({ControlKind::kFrame, "Frame1", "", {9000, kPageTop, kPageWidth, kPageHeight}, /*visible=*/false});
  options_ = std::make_unique<OptionsPage>(context_.ui, context_.services, context_.app_folder, form_, c.options_frame,
                                           [this]() -> const settings::Policies& {
                                             return engine::CurrentPolicies(context_.state,
                                                                            context_.services.registry);
                                           });
  log_ = std::make_unique<LogViewer>(context_.ui, context_.services, context_.data_folder, form_,
                                     platform::TwipsRect{9000, 5500, kPageWidth, kPageHeight});
  by_name_.emplace("Frame10", log_->Panel());
  by_name_.emplace("view3", log_->Rows());
  c.rules_frame =
      Add({ControlKind::kFrame, "Frame11", "", {9000, kPageTop, kPageWidth, kPageHeight}, /*visible=*/false});
  rules_page_ = std::make_unique<rules::RulesPage>(
      context_.ui, context_.services, rule_book_, form_, c.rules_frame,
      rules::RulesPageHooks{[this] { return OwnWindow(); },
                            [this] {
                              platform::Desktop& desktop = context_.services.desktop;
                              return engine::ListOpenWindows(context_.services, OwnWindow(),
                                                             desktop.ProcessId(OwnWindow()));
                            },
                            [this](platform::WindowId window) {
                              platform::Desktop& desktop = context_.services.desktop;
                              return engine::ReadOpenWindow(context_.services, window,
                                                            desktop.ProcessId(OwnWindow()));
                            },
                            [this]() -> engine::RuleState& { return context_.state.rules; }});
  c.server_bar = Add({ControlKind::kFrame, "Frame9", "", {15000, 825, 5985, 500}, false});
  for (int i = 0; i < 5; ++i) {  // drawnButton15 to drawnButton19
    platform::ControlSpec button{ControlKind::kButton,
                                 "drawnButton" + std::to_string(15 + i),
                                 bar[i].caption,
                                 {60 + i * 1185, 60, 1110, 380}};
    button.container = c.server_bar;
    Add(button);
  }
  platform::ControlSpec view2{ControlKind::kListView, "View2", "", {15000, 1365, 5985, 3675}, false};
  view2.columns = {"Server"};
  c.server_list = Add(view2);

  c.ok = Add({ControlKind::kButton, "drawnButton8", "OK", {3945, 5235, 1335, kButtonHeight}});
  c.apply = Add({ControlKind::kButton, "drawnButton9", "Apply", {5385, 5235, 1335, kButtonHeight}});
  c.exit = Add({ControlKind::kButton, "drawnButton7", "Exit", {6825, 5235, 1200, kButtonHeight}});
  c.command_field = Add({ControlKind::kTextField, "txtdo", "0", {0, 6000, 600, 300}, false});
  c.selection_field = Add({ControlKind::kTextField, "Text1", "0", {700, 6000, 600, 300}, false});
  c.tray_host = Add({ControlKind::kTrayHost, "TrayArea1", "", {}});

  // The browser information tool lies below and right of the client area.
  c.get_urls = Add({ControlKind::kButton, "Command1", "get IE URLS", {8400, 240, 1800, 420}});
  c.dde_reply = Add({ControlKind::kTextField, "TxtDDE", "", {8400, 780, 1800, 300}});
  const UiId frame8 =
      Add({ControlKind::kFrame, "Frame8", "Internet Explorer Information", {8400, 1200, 4200, 1800}});
  struct InfoControl {
    ControlKind kind;
    const char* name;
    const char* caption;
    UiId* id;
  };
  UiId url_label = 0, title_label = 0;
  const InfoControl info[] = {{ControlKind::kLabel, "LabIEURL", "URL : ", &url_label},
                              {ControlKind::kTextField, "TxtIEUrl", "", &c.ie_url},
                              {ControlKind::kLabel, "LabIEWinTitle", "Window Title:", &title_label},
                              {ControlKind::kTextField, "TxtIETitle", "", &c.ie_title}};
  for (int i = 0; i < 4; ++i) {
    const bool label = info[i].kind == ControlKind::kLabel;
    platform::ControlSpec spec{info[i].kind,
                               info[i].name,
                               info[i].caption,
                               {label ? 120 : 1320, 300 + (i / 2) * 600, label ? 1140 : 2760, 300}};
    spec.container = frame8;
    *info[i].id = Add(spec);
  }
  c.browser_status = Add({ControlKind::kLabel, "Label4", "Label4", {8400, 3120, 4200, 300}});

  block_list_ = std::make_unique<blocklist::BlockListPage>(
      context_.ui, context_.services, displayed_,
      blocklist::BlockListControls{c.view1, c.selection_field, c.add, c.edit, c.remove, c.export_list,
                                   c.import_list},
      blocklist::BlockListHooks{[this] { Run(tray::MainCommand::kSaveAndReload); },
                                [this] { OpenPicker(); }, [this] { return OwnWindow(); },
                                [this](const std::string& entry) {
                                  return engine::PreviewEntry(
                                      context_.services, OwnWindow(), entry, context_.state.frame_ages,
                                      engine::CurrentPolicies(context_.state, context_.services.registry));
                                },
                                [this](const std::string& entry) { return RowCells(entry); },
                                [this] { return UserEntriesAllowed(); },
                                [this]() -> const std::vector<std::string>& { return managed_.Entries(); }});
}

void MainWindow::Start() {
  context_.state.burning.TurnOn();
  context_.ui.CenterOnScreen(form_);
  const std::uint64_t started = context_.services.files.Now();
  // The figures per entry first, and the managed list, so that the list is shown once, whole.
  ReadFigures();
  const settings::Policies& policies = engine::CurrentPolicies(context_.state, context_.services.registry);
  own_burn_ = policies.allow_user_entries;
  managed_.Update(policies);
  LoadBlockList();
  rule_book_.Load(context_.state.rules);
  UpdateRules(/*first=*/true);
  platform::Registry& registry = context_.services.registry;
  if (text::TrimBlanks(settings::ReadOption(registry, settings::kStartDate)).empty())
    settings::WriteOption(registry, settings::kStartDate, context_.services.clock.DateText());
  if (context_.shell.AnotherCopyRunning()) {
    context_.services.messages.Show(std::string(kAnotherCopyMessage), std::string(product::kAppTitle),
                                    platform::MessageIcon::kStop, platform::MessageButtons::kOk);
    EndProcess();
    return;
  }
  // Only the one running copy clears what a crash of an earlier one left behind.
  for (std::string_view target :
       {blocklist::kBlockListFileName, blocklist::kHitStatsFileName, blocklist::kManagedCopyFileName,
        rules::kRulesFileName, rules::kRuleFiguresFileName, rules::kManagedRulesCopyFileName})
    product::RemoveStaleTemporaries(context_.services.files, context_.data_folder, target, started);
  context_.ui.SetWindowState(form_, platform::WindowState::kMinimized);
}

// Every way out passes here: the icon must not outlive the process as a ghost in the
// notification area.
void MainWindow::EndProcess() {
  tray_->SetVisible(false);
  menu_frame_.Unload();
  context_.shell.EndProcess();
}

void MainWindow::Tell(const std::string& text) {
  context_.services.messages.Show(text, std::string(product::kAppTitle), platform::MessageIcon::kStop,
                                  platform::MessageButtons::kOk);
}

void MainWindow::ShowDisplayedList() {
  block_list_->ShowAllRows();
}

std::vector<std::string> MainWindow::RowCells(std::string_view entry) {
  const engine::EntryFigures f = context_.state.history.Figures().Of(entry);
  return {std::string(entry), f.burned == 0 ? "" : std::to_string(f.burned), f.last};
}

void MainWindow::GoToTray() {
  menu_frame_.Load();
  context_.ui.SetVisible(form_, false);
  tray_->SetVisible(true);
}

void MainWindow::ShowCaptionPage() {
  platform::Ui& ui = context_.ui;
  block_list_->ShowEditing();
  ui.SetVisible(controls_.rules_frame, false);
  ui.SetVisible(controls_.caption_bar, true);
  ui.SetVisible(controls_.options_frame, false);
  ui.SetVisible(log_->Panel(), false);
  ui.SetVisible(controls_.server_bar, false);
  ui.SetVisible(controls_.server_list, false);
  ui.SetVisible(controls_.view1, true);
}

void MainWindow::ShowServerListPage() {
  platform::Ui& ui = context_.ui;
  ui.SetVisible(controls_.caption_bar, false);
  ui.SetVisible(controls_.rules_frame, false);
  ui.SetVisible(controls_.server_bar, true);
  const auto bar = ui.Bounds(controls_.caption_bar);
  ui.Move(controls_.server_bar, bar.left, bar.top);
  const auto list = ui.Bounds(controls_.view1);
  ui.Move(controls_.server_list, list.left, list.top);
  ui.SetVisible(controls_.server_list, true);
  ui.SetVisible(controls_.view1, false);
  ui.SetVisible(controls_.options_frame, false);
}

void MainWindow::ShowRulesPage() {
  platform::Ui& ui = context_.ui;
  log_->Hide();
  ui.SetVisible(controls_.caption_bar, false);
  ui.SetVisible(controls_.view1, false);
  ui.SetVisible(controls_.options_frame, false);
  ui.SetVisible(controls_.server_bar, false);
  ui.SetVisible(controls_.server_list, false);
  rules_page_->Show();
  ui.SetVisible(controls_.rules_frame, true);
  ui.Move(controls_.rules_frame, kPageLeft, kPageTop);
}

void MainWindow::LoadOptionsPage() {
  platform::Ui& ui = context_.ui;
  log_->Hide();
  options_->Load();
  ui.SetVisible(controls_.caption_bar, false);
  ui.SetVisible(controls_.rules_frame, false);
  ui.SetVisible(controls_.options_frame, true);
  ui.Move(controls_.options_frame, kPageLeft, kPageTop);
  ui.SetVisible(controls_.server_bar, false);
  ui.SetVisible(controls_.server_list, false);
}

bool MainWindow::ApplyOptions() {
  const bool stored = StoreBlockList();
  // Entries that have left the stored list leave their figures behind with it; the managed
  // entries keep theirs.
  if (stored) {
    std::vector<std::string_view> kept = displayed_.TextViews();
    kept.insert(kept.end(), managed_.Entries().begin(), managed_.Entries().end());
    if (context_.state.history.Figures().KeepOnly(kept)) StoreFigures();
  }
  options_->ApplySound();
  return stored;
}

void MainWindow::EnterWindowMode() {
  platform::Ui& ui = context_.ui;
  ui.SetVisible(form_, true);
  ShowCaptionPage();
  tray_->SetVisible(false);
  ui.SetWindowState(form_, platform::WindowState::kNormal);
  ui.SetVisible(form_, true);
  menu_frame_.Unload();
}

void MainWindow::OpenOnEntry(const std::string& entry) {
  EnterWindowMode();
  ShowDisplayedList();  // with the figures of the burns since the list was shown
  if (entry.empty()) return;
  std::size_t row = 0;
  for (std::size_t i = 1; i <= displayed_.Count() && row == 0; ++i)
    if (displayed_.At(i).text == entry) row = i;
  const std::vector<std::string>& managed = managed_.Entries();
  for (std::size_t i = 0; i < managed.size() && row == 0; ++i)
    if (managed[i] == entry) row = displayed_.Count() + i + 1;
  if (row == 0) return;
  block_list_->OnItemClick(row);
  context_.ui.ListSelect(controls_.view1, row);
}

void MainWindow::RefreshToolTip() {
  const engine::ProcessState& state = context_.state;
  if (state.burning.Paused()) {
    const std::string& until = state.burning.PausedUntil();
    tray_->SetToolTip(std::string(product::kAppTitle) + (until.empty() ? " - paused" : " - paused until " + until));
  } else {
    MouseMove();
  }
}

void MainWindow::Run(tray::MainCommand command) {
  context_.ui.SetText(controls_.command_field, std::to_string(static_cast<int>(command)));
  switch (command) {
    case tray::MainCommand::kExit:
      EndProcess();
      break;
    case tray::MainCommand::kSaveAndReload:
      LoadOptionsPage();
      ShowCaptionPage();
      if (!ApplyOptions()) return;  // the edit stays on screen; the old file is not loaded over it
      displayed_.Clear();
      LoadBlockList();
      break;
    case tray::MainCommand::kShowOptions:
      LoadOptionsPage();
      break;
  }
}

void MainWindow::SetMainWindowNormal() {
  context_.ui.SetWindowState(form_, platform::WindowState::kNormal);
}

void MainWindow::AppendEntry(const std::string& text) {
  displayed_.Add(text);
  block_list_->ShowOwnRowsFrom(displayed_.Count());
}

void MainWindow::OpenPicker() {
  if (UserEntriesAllowed()) picker_.Open();
}

bool MainWindow::UserEntriesAllowed() {
  return engine::CurrentPolicies(context_.state, context_.services.registry).allow_user_entries;
}

std::vector<std::string> MainWindow::RulesInformation() const {
  const blocklist::ManagedListStatus& managed = managed_rules_.Status();
  std::string state = managed.path.empty() ? "Managed rules: none" : "Managed rules: " + managed.path + "    " +
                                                                      std::to_string(managed.entries) +
                                                                      (managed.entries == 1 ? " rule" : " rules");
  if (managed.from_kept_copy) state += " (from the kept copy)";
  if (!managed.last_error.empty()) state += "    Last error: " + managed.last_error;
  std::vector<std::string> lines = {state};
  for (const std::string& told : context_.state.rules.told_lately) lines.push_back(told);
  return lines;
}

void MainWindow::OpenInformation() {
  info_.Show();
  context_.state.burning.TurnOff();
}

void MainWindow::MouseMove() {
  if (context_.state.burning.Paused()) {
    RefreshToolTip();
    return;
  }
  const std::string count = settings::ReadSetting(context_.services.registry, settings::kProductRoot,
                                                  settings::kProductKey, settings::kBurnCount)
                                .text;
  tray_->SetToolTip(std::string(product::kAppTitle) + " > " + count + " < Popups Burned");
}

void MainWindow::MouseDown(int button) {
  if (button == 2) menu_frame_.ShowMenu();
}

void MainWindow::DblClick() {
  EnterWindowMode();
  ShowDisplayedList();  // with the figures of the burns since the list was shown
}

void MainWindow::OnClick(UiId control) {
  const MainControls& c = controls_;
  if (control == c.caption_page_button) {
    ShowCaptionPage();
  } else if (control == c.options_page_button) {
    LoadOptionsPage();
  } else if (control == c.help_button) {
    context_.shell.Start(product::HelpCommandLine(context_.shell.WindowsFolder(), context_.app_folder));
  } else if (control == c.about_button) {
    info_.Show();
  } else if (control == c.server_list_button) {
    ShowServerListPage();
  } else if (control == c.rules_page_button) {
    ShowRulesPage();
  } else if (control == c.ok) {
    context_.ui.SetWindowState(form_, platform::WindowState::kMinimized);
  } else if (control == c.apply) {
    ApplyOptions();
  } else if (control == c.exit) {
    EndProcess();
  } else if (control == c.get_urls) {
    ShowBrowserInformation();
  } else if (control == options_->ViewLogButton()) {
    context_.ui.SetVisible(controls_.rules_frame, false);
    log_->View(kPageLeft, kPageTop);
  } else if (control == options_->ClearLogButton()) {
    log_->Clear();
  } else if (!block_list_->OnClick(control) && !rules_page_->OnClick(control) && !log_->OnClick(control)) {
    options_->OnClick(control, OwnWindow());
  }
}

void MainWindow::OnDoubleClick(UiId control) {
  if (control == controls_.view1) block_list_->Edit();
  rules_page_->OnDoubleClick(control);
}

void MainWindow::OnItemClick(UiId control, std::size_t row) {
  if (control == controls_.view1) block_list_->OnItemClick(row);
  rules_page_->OnItemClick(control, row);
}

void MainWindow::OnSelectionChanged(UiId control, std::size_t row) {
  if (control == controls_.view1) block_list_->OnItemClick(row);
  rules_page_->OnItemClick(control, row);
}

void MainWindow::ShowBrowserInformation() {
  platform::Ui& ui = context_.ui;
  BrowserWindowInfo info;
  if (const std::optional<std::string> reply = GetUrlFromIe(context_.services.dde, info)) {
    ui.SetText(controls_.dde_reply, *reply);
  } else {
    ui.SetText(controls_.browser_status, std::string(kBrowserNotLoaded));
  }
  ui.SetText(controls_.ie_title, info.title);
  ui.SetText(controls_.ie_url, info.address);
}

void MainWindow::OnWindowStateChanged(UiId form) {
  if (form == form_ && context_.ui.GetWindowState(form_) == platform::WindowState::kMinimized) GoToTray();
}

void MainWindow::OnCloseRequest(UiId form) {
  if (form == form_) EndProcess();
}

// As at Exit: everything is stored as it changes, so the program ends at once, and its icon
// with it. It is not registered to be started again: it starts with Windows where the user
// chose so, and a second copy started beside that one would only say that one runs.
void MainWindow::OnSessionEnding(UiId form) {
  if (form == form_) EndProcess();
}

void MainWindow::OnTrayNotify(UiId host, std::uint32_t code) {
  if (host == controls_.tray_host && !messages_.Open()) tray_->Notify(code);
}

}  // namespace quellix::ui
