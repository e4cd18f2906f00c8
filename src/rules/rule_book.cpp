#include "rules/rule_book.h"

#include "blocklist/stored_text.h"

namespace quellix::rules {
namespace {

std::string FiguresPath(std::string_view data_folder) {
  return std::string(data_folder) + "\\" + std::string(kRuleFiguresFileName);
}

}  // namespace

void RuleBook::Load(engine::RuleState& state) {
  RulesRead read = ReadRulesFile(services_.files, RulesPath(data_folder_));
  problem_ = read.outcome == RulesRead::Outcome::kFailed ? read.problem : std::string();
  list_ = read.outcome == RulesRead::Outcome::kRead ? std::move(read.list) : RuleList();

  const std::string figures_path = FiguresPath(data_folder_);
  figures_unreadable_ = false;
  state.figures = {};
  if (services_.files.FileSize(figures_path)) {
    std::optional<std::string> text = services_.files.ReadFile(figures_path);
    if (text) text = blocklist::TextOfStoredBytes(std::move(*text), services_.code_page);
    if (text && engine::HitStats::Recognised(*text)) {
      state.figures = engine::HitStats::Parse(*text);
    } else {
      figures_unreadable_ = true;  // kept: never stored over
    }
  }
  MakeActive(state);
}

product::WriteOutcome RuleBook::Store(const RuleList& list, engine::RuleState& state) {
  if (!problem_.empty()) {
    // Read once more: it may be readable now, and it is never stored over otherwise.
    RulesRead read = ReadRulesFile(services_.files, RulesPath(data_folder_));
    if (read.outcome == RulesRead::Outcome::kFailed) return {false, read.problem};
    problem_.clear();
  }
  product::WriteOutcome stored = StoreRulesFile(services_.files, RulesPath(data_folder_), list);
  if (!stored) return stored;
  list_ = list;
  std::vector<std::string_view> lines;
  for (std::size_t i = 1; i <= list_.Count(); ++i) lines.push_back(list_.At(i).line);
  for (const Rule& rule : managed_) lines.push_back(RuleLineText(rule));
  std::vector<std::string> kept(lines.begin(), lines.end());
  if (state.figures.KeepOnly(kept)) StoreFigures(state);
  MakeActive(state);
  return stored;
}

void RuleBook::Follow(const settings::Policies& policies, const std::vector<std::string>& managed_lines,
                      engine::RuleState& state) {
  own_ = policies.allow_user_rules;
  state.enabled = policies.enable_rules;
  managed_.clear();
  for (const std::string& line : managed_lines)
    if (RuleLine read = ReadRuleLine(line); read.rule) managed_.push_back(std::move(*read.rule));
  MakeActive(state);
}

void RuleBook::MakeActive(engine::RuleState& state) const {
  std::vector<PreparedRule> active;
  if (own_)
    for (const Rule& rule : list_.Rules()) active.emplace_back(rule, services_.code_page);
  for (const Rule& rule : managed_) active.emplace_back(rule, services_.code_page);
  state.active = std::move(active);
}

void RuleBook::Credit(const std::vector<engine::RuleActed>& acted, engine::RuleState& state,
                      const std::string& when) {
  if (acted.empty()) return;
  for (const engine::RuleActed& a : acted) state.figures.Credit(a.rule, when);
  StoreFigures(state);
}

void RuleBook::StoreFigures(const engine::RuleState& state) {
  if (figures_unreadable_) return;
  product::ReplaceFileContents(services_.files, FiguresPath(data_folder_),
                               blocklist::StoredBytes(state.figures.Text(), services_.code_page));
}

}  // namespace quellix::rules
