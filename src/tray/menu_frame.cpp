#include "tray/menu_frame.h"

#include "engine/burn_cycle.h"
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
  main_.SetTrayIconVisible(true);
  const settings::KeyReader options(context_.services.registry, settings::kProductRoot, settings::kProductKeySlash);
  engine::SoundCopies& sound = context_.state.sound;
  sound.play_sound = options.Read(settings::kPlaySound).text;
  sound.internal_sound = options.Read(settings::kInternalSound).text;
  sound.browse_sound = options.Read(settings::kBrowseSound).text;
  sound.wave_file = options.Read(settings::kWaveFile).text;
  context_.state.burn_count = options.Read(settings::kBurnCount).text;
}

void MenuFrame::Unload() {
  if (!Loaded()) return;
  const platform::UiId form = form_;
  form_ = timer_ = 0;
  open_windows_.clear();
  context_.ui.DestroyForm(form);
  context_.services.messages.SetOwner(main_.OwnWindow());
}

void MenuFrame::DisplayIEWindows2() {
  const bool chromium = text::IsOn(settings::ReadOption(context_.services.registry, settings::kChromium));
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

std::vector<platform::MenuItem> MenuFrame::Menu() const {
  std::vector<platform::MenuItem> open;
  for (std::size_t i = 0; i < open_windows_.size(); ++i)
    open.push_back({static_cast<int>(kOpenWindowBase + i), open_windows_[i], "", {}});
  return {
      {kAddNewTitle, "Add New Window Title", "add", {}},
      {kAddOpenWindow, "Add open Window", "open", open},
      {0, "-", "", {}},
      {kOption, "Option", "option", {}},
      {kToggle, toggle_caption_, toggle_icon_, {}},
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
      main_.OpenPicker();
      break;
    case kOption:
      main_.SetMainWindowNormal();
      main_.ShowMainWindow();
      main_.PostCommand("3");
      main_.ShowMainWindow();
      main_.SetTrayIconVisible(false);
      Unload();
      break;
    case kToggle:
      Toggle();
      break;
    case kHelp:
      context_.shell.Start(product::HelpCommandLine(folder));
      break;
    case kInfo:
      main_.OpenInformation();
      break;
    case kTestPage:
      OpenTestPage();
      break;
    case kExit:
      Unload();
      main_.PostCommand("1");
      break;
    default:
      if (item >= kOpenWindowBase && static_cast<std::size_t>(item - kOpenWindowBase) < open_windows_.size()) {
        const std::string title = text::TrimBlanks(open_windows_[item - kOpenWindowBase]);
        if (title.empty()) return;
        main_.AppendEntry(title);
        main_.PostCommand("2");
      }
      break;
  }
}

void MenuFrame::OpenTestPage() {
  const std::string address = "http://" + std::string(product::kMakerWebAddress) + kTestPagePath;
  const std::uint32_t owner = Loaded() ? context_.ui.NativeWindow(form_) : 0;
  if (context_.shell.Open(address, context_.app_folder, owner, kShowHidden)) return;
  context_.services.messages.Show(std::string(kConnectionErrorText) + "\r\n " + address, kConnectionErrorTitle,
                                  platform::MessageIcon::kNone, platform::MessageButtons::kOk);
}

void MenuFrame::Toggle() {
  std::int16_t& enabled = context_.state.burn_enabled;
  if (enabled == 1) {
    enabled = 0;
    toggle_caption_ = kToggleOnCaption;
    toggle_icon_ = "dis";
  } else if (enabled == 0) {
    enabled = 1;
    toggle_caption_ = kToggleOffAgainCaption;
    toggle_icon_ = "disable";
  }
}

void MenuFrame::OnTimer(platform::UiId timer) {
  if (timer != timer_) return;
  engine::BurnCycle(context_.services, context_.state, context_.app_folder, main_.OwnWindow());
}

}  // namespace quellix::tray
