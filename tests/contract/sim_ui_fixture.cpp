#include "contract/ui_under_test.h"
#include "platform/sim/sim_ui.h"

namespace quellix::contract {
namespace {

struct NoDrawnControls final : platform::DrawnControlMaker {
  bool Describes(std::string_view, std::string_view) const override { return false; }
  std::unique_ptr<platform::DrawnControl> Make(std::string_view, std::string_view, platform::ControlWindow&,
                                               platform::Canvas&, const std::string&, bool,
                                               std::function<void()>) const override {
    return nullptr;
  }
};

class SimUiUnderTest final : public UiUnderTest {
 public:
  platform::Ui& Ui() override { return ui_; }
  void UserClick(platform::UiId control) override { ui_.Click(control); }
  void UserType(platform::UiId field, const std::string& text) override { ui_.Type(field, text); }
  void UserMinimize(platform::UiId form) override { ui_.MinimizeByUser(form); }
  void UserClose(platform::UiId form) override { ui_.CloseByUser(form); }
  void UserHighlightRow(platform::UiId list, std::size_t row) override { ui_.MoveHighlight(list, row); }
  void Wait(unsigned ms) override { ui_.AdvanceTime(ms); }

 private:
  NoDrawnControls none_;
  sim::SimUi ui_{none_};
};

}  // namespace

std::unique_ptr<UiUnderTest> MakeUiUnderTest() { return std::make_unique<SimUiUnderTest>(); }

}  // namespace quellix::contract
