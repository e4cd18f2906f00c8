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

std::optional<std::string> SimFileDialogs::Show(const platform::FileDialogRequest& request) {
  shown.push_back(request);
  if (answers.empty()) return std::nullopt;
  auto answer = std::move(answers.front());
  answers.pop_front();
  if (answer && answer->empty()) return std::nullopt;
  return answer;
}

}  // namespace quellix::sim
