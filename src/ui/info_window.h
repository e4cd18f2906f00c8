#pragma once
// The information window (Form4): the program's name, version and the maker's links, how
// the managed block list stands, and what the rules for other programs' windows have to tell:
// the managed rules' state and the windows they had to leave alone.

#include <functional>
#include <string>
#include <vector>

#include "blocklist/managed_list.h"
#include "platform/ui.h"

namespace quellix::ui {

class InfoWindow final : public platform::UiEvents {
 public:
  using ManagedStatusFn = std::function<const blocklist::ManagedListStatus&()>;
  using LinesFn = std::function<std::vector<std::string>()>;
  // `rules_lines`: at most kRulesLineCount lines about the rules.
  InfoWindow(platform::Ui& ui, platform::Shell& shell, std::function<void()> on_closed,
             ManagedStatusFn managed_status = {}, LinesFn rules_lines = {})
      : ui_(ui),
        shell_(shell),
        on_closed_(std::move(on_closed)),
        managed_status_(std::move(managed_status)),
        rules_lines_(std::move(rules_lines)) {}
  static constexpr std::size_t kRulesLineCount = 4;
  ~InfoWindow() override { Unload(); }

  bool Loaded() const { return form_ != 0; }
  // Loads the window if needed and shows it, modeless, with the managed list as it stands now.
  void Show();
  // Closes the window; the closing handler runs.
  void Unload();

  platform::UiId Form() const { return form_; }
  // The lines about the managed block list, as the window shows them.
  static std::vector<std::string> ManagedLines(const blocklist::ManagedListStatus& status);
  void OnClick(platform::UiId control) override;
  void OnCloseRequest(platform::UiId form) override;

 private:
  platform::Ui& ui_;
  platform::Shell& shell_;
  std::function<void()> on_closed_;
  ManagedStatusFn managed_status_;
  LinesFn rules_lines_;
  platform::UiId form_ = 0, web_link_ = 0, mail_link_ = 0, ok_ = 0;
  std::vector<platform::UiId> managed_lines_, rules_lines_shown_;
};

}  // namespace quellix::ui
