#include "platform/sim/sim_services.h"

namespace quellix::sim {

platform::MessageAnswer SimMessageBoxes::Show(const std::string& text, const std::string& title,
                                              platform::MessageIcon icon, platform::MessageButtons buttons) {
  shown.push_back(Shown{text, title, icon, buttons, owner});
  if (while_shown) while_shown();
  if (!answers.empty()) {
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == platform::MessageButtons::kOk ? platform::MessageAnswer::kOk : platform::MessageAnswer::kNo;
}

}  // namespace quellix::sim
