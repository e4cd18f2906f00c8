#pragma once
// The options page (Frame1 on the main window): the switches, stored the moment they
// change; the sound choice and path, stored by "Apply"; and the burn counter with the date
// it counts from.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/ui.h"
#include "settings/policies.h"

namespace quellix::ui {

inline constexpr std::string_view kManagedNote = "Some settings are managed by your organization.";

class OptionsPage {
 public:
  static constexpr int kSwitchCount = 8;
  using PolicySource = std::function<const settings::Policies&()>;

  // Creates the page's controls on `form`, inside the frame `page` (parked by the caller).
  // `policies` gives the organisation's policies as they stand (none: nothing is managed).
  OptionsPage(platform::Ui& ui, platform::Services services, std::string app_folder, platform::UiId form,
              platform::UiId page, PolicySource policies = {});

  // LoadOptionsPage's own steps: the stored values into the controls. Setting a control
  // from a stored value runs its change handler when its state changes. A switch a policy
  // manages shows the policy's state, disabled, and nothing is stored for it.
  void Load();
  // ApplyOptions' sound steps: "wavfile" (trimmed), "wavint", "wavext", each stored only
  // when it changes.
  void ApplySound();
  // Runs the page's reaction to a click on one of its controls; false when the control is
  // not the page's.
  bool OnClick(platform::UiId control, platform::WindowId owner);

  platform::UiId Switch(int index) const { return switches_[static_cast<std::size_t>(index)]; }
  // "Burn Chrome / Edge / Brave / Opera / Vivaldi pop-ups", stored as "chromium".
  platform::UiId ChromiumSwitch() const { return chromium_; }
  // "Burn pop-ups the moment they appear", stored as "instant".
  platform::UiId InstantSwitch() const { return instant_; }
  platform::UiId ViewLogButton() const { return view_log_; }
  platform::UiId ClearLogButton() const { return clear_log_; }
  platform::UiId SoundPath() const { return path_; }
  // The line under the page saying that policies manage some of its switches; empty while
  // none is managed.
  platform::UiId ManagedNote() const { return managed_note_; }

 private:
  // A check box and the stored switch it stands for.
  struct SwitchBox {
    std::string stored;
    platform::UiId box = 0;
  };

  // Registers a check box as the one that shows and stores the switch `stored`.
  void AddSwitch(std::string_view stored, platform::UiId box);
  settings::Policies PoliciesNow() const;
  void SwitchChanged(const SwitchBox& entry);
  // What a change of the box shows on the page itself; never a write.
  void SwitchEffects(const SwitchBox& entry, bool checked);
  void SoundOptionChanged();
  void StoreSoundChoice(std::string_view name, bool selected);
  void EnableSoundPath(bool enabled);
  void Browse(platform::WindowId owner);

  platform::Ui& ui_;
  platform::Services services_;
  std::string app_folder_;
  PolicySource policies_;
  std::array<platform::UiId, kSwitchCount> switches_{};
  platform::UiId chromium_ = 0;
  platform::UiId instant_ = 0;
  std::vector<SwitchBox> boxes_;  // in the order Load sets them
  platform::UiId managed_note_ = 0;
  platform::UiId internal_ = 0, browse_file_ = 0;  // Option1 index 0 and 1
  platform::UiId path_ = 0;                        // Text2
  platform::UiId browse_ = 0, test_sound_ = 0;
  platform::UiId view_log_ = 0, clear_log_ = 0;
  platform::UiId start_date_ = 0, count_ = 0;  // Label3 index 1 and 3
};

// The auto-start command: the program in its folder, quoted, since the folder usually
// holds a blank and Windows would otherwise try "C:\Program.exe" first.
std::string AutoStartCommand(const std::string& app_folder);

}  // namespace quellix::ui
