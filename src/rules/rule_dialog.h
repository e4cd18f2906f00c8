#pragma once
// The rule dialog (Form5): one rule for other programs' windows, typed or taken from the
// windows open now, with a line that says how many of them it names while the user types.
// It does not block the main window.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/open_windows.h"
#include "platform/platform.h"
#include "platform/ui.h"
#include "rules/rule.h"

namespace quellix::rules {

inline constexpr std::string_view kRuleDialogCaption = "Window Rule";

class RuleDialog final : public platform::UiEvents {
 public:
  // `open_windows` lists the windows open now and `read_window` reads one as the list would
  // (nothing for one the list leaves out); `on_ok` gets the rule's line once it reads as a
  // rule, and the dialog unloads after it.
  RuleDialog(platform::Ui& ui, platform::Services services,
             std::function<std::vector<engine::OpenWindow>()> open_windows,
             std::function<std::optional<engine::OpenWindow>(platform::WindowId)> read_window,
             std::function<void(const RuleLine&)> on_ok)
      : ui_(ui),
        services_(services),
        open_windows_(std::move(open_windows)),
        read_window_(std::move(read_window)),
        on_ok_(std::move(on_ok)) {}
  ~RuleDialog() override { Unload(); }
  RuleDialog(const RuleDialog&) = delete;
  RuleDialog& operator=(const RuleDialog&) = delete;

  // Loads the dialog if needed, fills its fields from `rule` and shows it in front.
  void Open(const Rule& rule);
  void Unload();
  bool Loaded() const { return c_.form != 0; }

  // Fills the fields from an open window, narrowest first: its program, its class, then its
  // caption; the text is left to the user.
  void TakeWindow(const engine::OpenWindow& window);
  // The rule the fields give now.
  Rule FieldsRule() const;

  struct Controls {
    platform::UiId form = 0, program = 0, class_name = 0, title = 0, text = 0;
    platform::UiId close = 0, press = 0, button = 0;  // the action
    platform::UiId preview = 0, windows = 0, refresh = 0, finder = 0, ok = 0, cancel = 0;
  };
  const Controls& Parts() const { return c_; }

  void OnClick(platform::UiId control) override;
  void OnTextEdited(platform::UiId control) override;
  void OnItemClick(platform::UiId control, std::size_t row) override;
  void OnSelectionChanged(platform::UiId control, std::size_t row) override { OnItemClick(control, row); }
  void OnCloseRequest(platform::UiId form) override;
  // The crosshair let go over a window: it fills the fields as a row of the list does.
  void OnWindowPicked(platform::UiId control, std::uint64_t window) override;
  // Enter is OK, Escape is Cancel.
  bool OnDialogKey(platform::UiId form, platform::DialogKey key) override;

 private:
  void Load();
  void FillWindows();
  void UpdatePreview();
  void Tell(const std::string& text);

  platform::Ui& ui_;
  platform::Services services_;
  std::function<std::vector<engine::OpenWindow>()> open_windows_;
  std::function<std::optional<engine::OpenWindow>(platform::WindowId)> read_window_;
  std::function<void(const RuleLine&)> on_ok_;
  Controls c_;
  std::vector<engine::OpenWindow> windows_;  // the rows of the window list
};

// The line under the fields: how many of the open windows the rule names now.
std::string RulePreviewText(std::size_t named);

}  // namespace quellix::rules
