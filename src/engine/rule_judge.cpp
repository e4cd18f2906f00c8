#include "engine/rule_judge.h"

#include "engine/window_inspection.h"
#include "text/text.h"

namespace quellix::engine {
namespace {

bool IsClass(std::string_view class_name, std::string_view wanted) { return text::LowerCase(class_name) == wanted; }

}  // namespace

std::string ShownTextOf(const std::vector<platform::ChildControl>& controls, platform::CodePage& code_page) {
  std::string shown, lowered;
  for (const platform::ChildControl& c : controls) {
    if (!c.visible || !IsClass(c.class_name, "static")) continue;
    code_page.LowerUtf8(c.text, lowered);
    shown += lowered;
    shown += '\n';
  }
  return shown;
}

RuleJudge::RuleJudge(platform::Services services, RuleState& state, BurnTraces& traces, bool logging,
                     std::uint32_t own_process, std::uint64_t now_ms)
    : services_(services),
      state_(state),
      traces_(traces),
      logging_(logging),
      own_process_(own_process),
      young_(services.desktop, state.ages, now_ms),
      programs_(services.desktop) {}

void RuleJudge::Tell(platform::WindowId window, const std::string& what) {
  if (!state_.told.insert(window).second) return;
  state_.to_tell.push_back(what);
  state_.told_lately.push_front(what);
  if (state_.told_lately.size() > RuleState::kToldLately) state_.told_lately.pop_back();
}

const rules::PreparedRule* RuleJudge::Matching(platform::WindowId window, std::string_view class_name,
                                               std::string_view program, std::string_view caption,
                                               std::optional<std::vector<platform::ChildControl>>& controls) {
  std::optional<std::string> shown;  // read only for a rule that names the rest of the window already
  for (const rules::PreparedRule& rule : state_.active) {
    if (!rule.ProgramMatches(program) || !rule.ClassMatches(class_name) || !rule.TitleMatches(caption)) continue;
    if (rule.WantsText()) {
      if (!shown) {
        controls = services_.desktop.ChildControls(window, kControlTextTimeoutMs);
        if (!controls) return nullptr;  // gone, or its program does not answer: nothing is judged by guess
        shown = ShownTextOf(*controls, services_.code_page);
      }
      if (!rule.TextMatches(*shown)) continue;
    }
    return &rule;
  }
  return nullptr;
}

const RuleJudge::ProgramVerdict& RuleJudge::VerdictOf(std::uint32_t process) {
  const auto known = verdicts_.find(process);
  if (known != verdicts_.end()) return known->second;
  ProgramVerdict verdict;
  verdict.program = rules::LowerProgram(programs_.ProgramOfProcess(process), services_.code_page);
  if (!verdict.program.empty() && !rules::IsProtectedProgram(verdict.program))
    for (const rules::PreparedRule& rule : state_.active) verdict.named = verdict.named || rule.ProgramMatches(verdict.program);
  return verdicts_.emplace(process, std::move(verdict)).first->second;
}

std::optional<RuleActed> RuleJudge::Judge(platform::WindowId window, std::string_view class_name, bool walking) {
  waits_shown_ = false;
  if (!Active()) return std::nullopt;
  // Cheapest first: the class is read already, so a window no rule's class can fit costs
  // nothing more.
  bool some_class_fits = false;
  for (const rules::PreparedRule& rule : state_.active) some_class_fits = some_class_fits || rule.ClassMatches(class_name);
  if (!some_class_fits) return std::nullopt;

  const std::uint32_t process = state_.processes.ProcessOf(services_.desktop, window);
  if (process == 0 || process == own_process_) return std::nullopt;
  const ProgramVerdict& verdict = VerdictOf(process);
  if (!verdict.named) return std::nullopt;
  const std::string& program = verdict.program;
  if (walking) state_.ages.Meet(window);
  if (!young_.Young(window)) return std::nullopt;
  if (!IsVisible(services_.desktop, window)) {
    waits_shown_ = true;
    return std::nullopt;
  }

  const std::string caption = ReadWindowCaption(services_.desktop, window, kWholeCaptionBufferSize);
  std::string lowered;
  services_.code_page.LowerUtf8(caption, lowered);
  std::optional<std::vector<platform::ChildControl>> controls;
  const rules::PreparedRule* rule = Matching(window, class_name, program, lowered, controls);
  if (rule == nullptr) return std::nullopt;
  RuleActed acted{window, rules::RuleLineText(rule->Source()), program, FirstTitleUnits(caption)};

  auto [rights, first] = higher_rights_.try_emplace(process, false);
  if (first) rights->second = services_.desktop.RunsWithHigherRights(process);
  if (rights->second) {
    Tell(window, "Quellix cannot act on \"" + acted.caption + "\" of " + program +
                     ": that program runs with higher rights.");
    return std::nullopt;
  }
  int& actions = state_.actions[window];
  if (actions >= kMostActionsOnAWindow) {
    Tell(window, "A window does not go away: \"" + acted.caption + "\" of " + program + ".");
    return std::nullopt;
  }

  if (rule->Source().action.kind == rules::RuleAction::Kind::kClose) {
    CloseWindow(services_.desktop, window);
  } else {
    if (!controls) controls = services_.desktop.ChildControls(window, kControlTextTimeoutMs);
    if (!controls) return std::nullopt;
    const platform::ChildControl* button = nullptr;
    for (const platform::ChildControl& c : *controls)
      if (button == nullptr && IsClass(c.class_name, "button") && rule->NamesButton(c.text, services_.code_page))
        button = &c;
    if (button == nullptr) return std::nullopt;  // the window lacks that button: nothing is done to it
    services_.desktop.PostButtonClick(window, *button);
  }
  ++actions;
  CountBurn(traces_);
  PlayBurnSound(traces_);
  if (logging_) AppendFullRecord(traces_, program, acted.caption);
  return acted;
}

}  // namespace quellix::engine
