#include "ui/options_page.h"

#include <cmath>
#include <optional>

#include "engine/burn_record.h"
#include "settings/settings_store.h"
#include "text/text.h"

namespace quellix::ui {

using platform::ControlKind;
using platform::ControlSpec;
using platform::UiId;
using namespace settings;

namespace {

constexpr char kWaveFilter[] = "*.wav|*.wav|";
constexpr char kChromiumCaption[] = "Burn Chrome / Edge / Brave / Opera / Vivaldi pop-ups";
constexpr char kChromiumTip[] =
    "Burning closes the whole browser window with all its tabs, not only the page that opened it. So "
    "only new pop-up windows are burned, in their first 10 seconds: windows open longer, such as your "
    "own, are never closed, and an empty entry burns none of them.";
constexpr char kInstantCaption[] = "Burn pop-ups the moment they appear";
constexpr char kInstantTip[] =
    "A window whose title holds an entry of the list is closed as soon as it opens or changes its "
    "title. The check of all windows every 3 seconds still runs as well.";
constexpr std::size_t kDialogPathCapacity = 20000;

// A stored switch as the check box takes it: the whole number its text holds, or nothing
// for an empty or non-numeric text, which leaves the box as it is.
std::optional<int> SwitchState(const std::string& stored) {
  const std::string t = text::TrimBlanks(stored);
  if (t.empty()) return std::nullopt;
  const char c = t[0];
  const bool numeric = (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == '&';
  if (!numeric) return std::nullopt;
  const double n = std::nearbyint(text::LeadingNumber(t));
  if (n != 0 && n != 1) return std::nullopt;  // a check box holds 0 or 1
  return static_cast<int>(n);
}

// A stored sound choice selects its option when its number is 1.
bool SoundChoiceSelected(const std::string& stored) {
  return text::LeadingNumber(stored) == 1;
}

// The stored switch of Check1 index i, by index.
constexpr std::array<std::string_view, OptionsPage::kSwitchCount> kIndexedSwitches{
    kSupportIe, kSupportNetscape, kPlaySound,      kKillNoMaxButton,
    kAutoStart, kKillNoMinButton, kKillNoTitleBar, kEnableLogging};

}  // namespace

std::string AutoStartCommand(const std::string& app_folder) {
  return "\"" + app_folder + std::string(kAutoStartExe) + "\"";
}

OptionsPage::OptionsPage(platform::Ui& ui, platform::Services services, std::string app_folder, UiId form,
                         UiId page, PolicySource policies)
    : ui_(ui), services_(services), app_folder_(std::move(app_folder)), policies_(std::move(policies)) {
  auto add = [&](ControlKind kind, const char* name, const std::string& caption, platform::TwipsRect rect) {
    ControlSpec desc{kind, name, caption, rect};
    desc.container = page;
    return ui_.CreateControl(form, desc);
  };
  // Sub-groups are captioned boxes on the page; their controls lie on the page over them.
  // The left column's check boxes stand 285 twips apart; the Chromium caption and the
  // instant one take two lines. The left column ends 60 twips above the page's bottom.
  add(ControlKind::kFrame, "Frame3", "Browser", {60, 60, 3180, 1305});
  switches_[0] = add(ControlKind::kCheckBox, "Check1", "Support Internet Explorer", {180, 300, 2940, 255});
  switches_[1] = add(ControlKind::kCheckBox, "Check1", "Support Netscape / Mozilla", {180, 585, 2940, 255});
  chromium_ = add(ControlKind::kCheckBox, "chkChromium", kChromiumCaption, {180, 870, 2940, 390});
  ui_.SetToolTip(chromium_, kChromiumTip);

  add(ControlKind::kFrame, "Frame6", "General", {60, 1425, 3180, 1875});
  switches_[6] = add(ControlKind::kCheckBox, "Check1", "Kill window has No TitleBar", {180, 1665, 2940, 255});
  switches_[5] =
      add(ControlKind::kCheckBox, "Check1", "Kill window has no min button", {180, 1950, 2940, 255});
  switches_[3] =
      add(ControlKind::kCheckBox, "Check1", "Kill window has no max button", {180, 2235, 2940, 255});
  switches_[4] = add(ControlKind::kCheckBox, "Check1", "Auto Start With Windows", {180, 2520, 2940, 255});
  instant_ = add(ControlKind::kCheckBox, "chkInstant", kInstantCaption, {180, 2805, 2940, 390});
  ui_.SetToolTip(instant_, kInstantTip);

  add(ControlKind::kFrame, "Frame7", "Internet Explorer Tools", {60, 3360, 3180, 1020});
  switches_[7] = add(ControlKind::kCheckBox, "Check1", "Enable Logging", {180, 3600, 2940, 255});
  view_log_ = add(ControlKind::kButton, "drawnButton21", "View Log File", {180, 3900, 1410, 380});
  clear_log_ = add(ControlKind::kButton, "drawnButton22", "Clear Log File", {1710, 3900, 1410, 380});

  add(ControlKind::kFrame, "Frame4", "Sound", {3360, 60, 2565, 2280});
  switches_[2] = add(ControlKind::kCheckBox, "Check1", "Play Sound on Popup Kill", {3480, 300, 2325, 255});
  internal_ = add(ControlKind::kOptionButton, "Option1", "Internal Sound", {3480, 660, 2325, 255});
  browse_file_ = add(ControlKind::kOptionButton, "Option1", "Browse a File", {3480, 960, 2325, 255});
  path_ = add(ControlKind::kTextField, "Text2", "", {3420, 1320, 2445, 300});
  browse_ = add(ControlKind::kButton, "drawnButton3", ".... Browse", {3420, 1800, 1170, 380});
  test_sound_ = add(ControlKind::kButton, "drawnButton10", "Test Sound", {4650, 1800, 1215, 380});
  ui_.SetValue(browse_file_, 1);  // chosen while nothing is stored

  add(ControlKind::kFrame, "Frame5", "Popups Count", {3360, 2400, 2565, 1575});
  add(ControlKind::kLabel, "Label3", "Since", {3480, 2700, 2325, 255});
  start_date_ = add(ControlKind::kLabel, "Label3", "", {3480, 3000, 2325, 255});
  add(ControlKind::kLabel, "Label3", "Popups have been caught", {3480, 3360, 2325, 255});
  count_ = add(ControlKind::kLabel, "Label3", "", {3480, 3660, 2325, 255});
  // Under the right column's groups, on two lines. Load gives it its text while a policy
  // manages a switch and empties it otherwise: a hidden control would come back whenever the
  // page is shown, since a page shows its controls with it.
  managed_note_ = add(ControlKind::kLabel, "lblManaged", "", {3360, 4035, 2565, 390});

  for (int i = 0; i < kSwitchCount; ++i) AddSwitch(kIndexedSwitches[static_cast<std::size_t>(i)], Switch(i));
  AddSwitch(kChromium, chromium_);
  AddSwitch(kInstant, instant_);
}

void OptionsPage::AddSwitch(std::string_view stored, UiId box) {
  boxes_.push_back({std::string(stored), box});
}

settings::Policies OptionsPage::PoliciesNow() const {
  return policies_ ? policies_() : settings::Policies{};
}

void OptionsPage::Load() {
  platform::Registry& registry = services_.registry;
  // Taken once: the page shows one state of the policies, whatever changes while it loads.
  const settings::Policies policies = PoliciesNow();
  bool any_managed = false;
  for (const SwitchBox& entry : boxes_) {
    ui_.DoEvents();
    const std::optional<bool> forced = policies.Forced(entry.stored);
    ui_.SetEnabled(entry.box, !forced);
    if (forced) {
      // The policy's state is shown, and acted on as far as the page itself goes, but never
      // stored: the product's own value stays as the user left it.
      any_managed = true;
      if (ui_.Value(entry.box) != (*forced ? 1 : 0)) {
        ui_.SetValue(entry.box, *forced ? 1 : 0);
        SwitchEffects(entry, *forced);
      }
      continue;
    }
    const auto state = SwitchState(ReadOption(registry, entry.stored));
    if (!state || ui_.Value(entry.box) == *state) continue;
    ui_.SetValue(entry.box, *state);
    SwitchChanged(entry);
  }
  ui_.SetText(managed_note_, any_managed ? std::string(kManagedNote) : std::string());
  const bool play_sound = ui_.Value(switches_[2]) == 1;
  if (!play_sound) EnableSoundPath(false);
  const std::string wave_file = text::TrimBlanks(ReadPathOption(registry, kWaveFile));
  ui_.SetText(path_, wave_file.empty() ? app_folder_ + std::string(engine::kInternalSoundFile) : wave_file);
  if (SoundChoiceSelected(ReadOption(registry, kInternalSound))) {
    if (ui_.Value(internal_) != 1) {
      ui_.SetValue(internal_, 1);
      ui_.SetValue(browse_file_, 0);
      SoundOptionChanged();
    }
    if (ui_.Value(switches_[2]) != 1) EnableSoundPath(false);
  }
  if (SoundChoiceSelected(ReadOption(registry, kBrowseSound))) {
    if (ui_.Value(browse_file_) != 1) {
      ui_.SetValue(browse_file_, 1);
      ui_.SetValue(internal_, 0);
      SoundOptionChanged();
    }
    if (ui_.Value(switches_[2]) == 1) EnableSoundPath(true);
  }
  ui_.SetText(start_date_, ReadOption(registry, kStartDate));
  ui_.SetText(count_, ReadOption(registry, kBurnCount));
}

void OptionsPage::ApplySound() {
  // Each value is stored only when it would read differently from what is stored now:
  // the path as its trimmed text, a sound choice as selected or not ("1" or anything else,
  // a missing value included). Storing the same choice again would copy a machine-wide
  // value into the per-user key of an account that cannot write the machine key.
  platform::Registry& registry = services_.registry;
  const std::string path = text::TrimBlanks(ui_.Text(path_));
  if (text::TrimBlanks(ReadPathOption(registry, kWaveFile)) != path)
    WritePathOption(registry, kWaveFile, path);
  StoreSoundChoice(kInternalSound, ui_.Value(internal_) == 1);
  StoreSoundChoice(kBrowseSound, ui_.Value(browse_file_) == 1);
}

void OptionsPage::StoreSoundChoice(std::string_view name, bool selected) {
  platform::Registry& registry = services_.registry;
  if (SoundChoiceSelected(ReadOption(registry, name)) != selected)
    WriteOption(registry, name, selected ? "1" : "0");
}

bool OptionsPage::OnClick(UiId control, platform::WindowId owner) {
  for (const SwitchBox& entry : boxes_) {
    if (control != entry.box) continue;
    // A managed box is disabled; should a click reach it all the same, it goes back to the
    // policy's state and nothing is stored.
    if (const std::optional<bool> forced = PoliciesNow().Forced(entry.stored)) {
      ui_.SetValue(entry.box, *forced ? 1 : 0);
      ui_.SetEnabled(entry.box, false);
    } else {
      SwitchChanged(entry);
    }
    return true;
  }
  if (control == internal_ || control == browse_file_) {
    SoundOptionChanged();
  } else if (control == browse_) {
    Browse(owner);
  } else if (control == test_sound_) {
    engine::PlaySoundFile(services_.sound, ui_.Text(path_));
  } else {
    return false;
  }
  return true;
}

void OptionsPage::SwitchChanged(const SwitchBox& entry) {
  const bool checked = ui_.Value(entry.box) == 1;
  UpdateOption(services_.registry, entry.stored, checked ? "1" : "0");
  SwitchEffects(entry, checked);
  if (entry.stored == kAutoStart) {
    const std::string command = checked ? AutoStartCommand(app_folder_) : std::string();
    UpdatePathSetting(services_.registry, kRunRoot, kRunKeyNt, kAutoStartValue, command);
    UpdatePathSetting(services_.registry, kRunRoot, kRunKeyWindows, kAutoStartValue, command);
  }
}

void OptionsPage::SwitchEffects(const SwitchBox& entry, bool checked) {
  if (entry.stored == kPlaySound) EnableSoundPath(checked);
}

void OptionsPage::SoundOptionChanged() {
  if (ui_.Value(internal_) == 1) {
    EnableSoundPath(false);
  } else if (ui_.Value(browse_file_) == 1) {
    EnableSoundPath(true);
  }
}

void OptionsPage::EnableSoundPath(bool enabled) {
  ui_.SetEnabled(path_, enabled);
  ui_.SetEnabled(browse_, enabled);
}

void OptionsPage::Browse(platform::WindowId owner) {
  platform::FileDialogRequest request;
  request.kind = platform::FileDialogKind::kOpen;
  request.owner = owner;
  request.filter = kWaveFilter;
  request.path_capacity = kDialogPathCapacity;
  const std::optional<std::string> path = services_.file_dialogs.Show(request);
  if (path && !path->empty()) ui_.SetText(path_, *path);
}

}  // namespace quellix::ui
