// The main window's lists and figures: popcfg.apo and the managed list made active, the
// list stored and read again, the figures per entry and per rule after each burn.
#include <algorithm>
#include <new>

#include "blocklist/block_list_file.h"
#include "blocklist/stored_text.h"
#include "product/product.h"
#include "rules/managed_rules.h"
#include "ui/main_window.h"

namespace quellix::ui {

void MainWindow::LoadBlockList() {
  // The list on screen is emptied first, so no old rows stay behind a missing-file message.
  block_list_->ClearRows();
  blocklist::ListRead read = blocklist::LoadOwnList(context_.services, context_.data_folder, displayed_);
  list_unreadable_ = read.outcome == blocklist::ListRead::Outcome::kFailed;
  // A list that could not be read leaves the user's entries burning as they were.
  if (read.outcome == blocklist::ListRead::Outcome::kRead) {
    MakeListActive(read.entries);
  } else {
    MakeListActive(OwnEntries());  // the user's entries burn as they did; the managed list's join them
  }
  ShowDisplayedList();
}

void MainWindow::MakeListActive(const engine::SharedEntryTexts& own) {
  // When memory runs out the active list stays as it was; the lists shown are whole.
  if (blocklist::ComposeActiveList(context_.state.block_entries, own, managed_.Entries(), own_burn_,
                                   context_.services.code_page)) {
    own_in_active_ = own_burn_;
    own_count_ = own_burn_ && own ? own->Count() : 0;
  }
}

engine::SharedEntryTexts MainWindow::OwnEntries() {
  const engine::BlockEntries& active = context_.state.block_entries;
  if (own_in_active_) {
    // They lead the active list; when nothing follows them it is theirs to share.
    const std::size_t count = std::min(own_count_, active.Count());
    if (count == active.Count()) return active.Texts();
    auto own = std::make_shared<engine::EntryTexts>();
    for (std::size_t i = 1; i <= count; ++i) own->Append(active.Entry(i));
    return own;
  }
  platform::Services& services = context_.services;
  blocklist::ListRead read =
      blocklist::ReadListFile(services.files, services.code_page,
                              blocklist::BlockListPath(context_.data_folder), blocklist::kLargestList);
  return std::move(read.entries);  // none when it cannot be read
}

void MainWindow::UpdateRules(bool first) {
  const settings::Policies& policies = engine::CurrentPolicies(context_.state, context_.services.registry);
  const bool changed = managed_rules_.Update(policies);
  engine::RuleState& rules = context_.state.rules;
  if (!first && !changed && policies.allow_user_rules == rule_book_.OwnAllowed() &&
      policies.enable_rules == rules.enabled)
    return;
  rule_book_.Follow(policies, managed_rules_.Entries(), rules);
}

void MainWindow::UpdateManagedList() {
  UpdateRules(/*first=*/false);
  const settings::Policies& policies = engine::CurrentPolicies(context_.state, context_.services.registry);
  const bool changed = managed_.Update(policies);
  if (!changed && policies.allow_user_entries == own_burn_) return;
  // The user's entries are fetched before the switch changes where they are found, and only
  // when they are to burn.
  engine::SharedEntryTexts own;
  if (policies.allow_user_entries) own = OwnEntries();
  own_burn_ = policies.allow_user_entries;
  MakeListActive(own);
  if (changed) block_list_->ShowManagedRows();
}

bool MainWindow::StoreBlockList() {
  if (list_unreadable_ && !ReadListAgain()) return false;
  platform::Services& services = context_.services;
  const product::WriteOutcome stored =
      blocklist::StoreBlockList(services.files, services.code_page, context_.data_folder, displayed_);
  if (stored) return true;
  Tell(std::string(kListNotSaved) + "\r\n" + stored.reason +
       "\r\nThe file was not changed, and the list on screen keeps your changes.");
  return false;
}

bool MainWindow::ReadListAgain() {
  platform::Services& services = context_.services;
  blocklist::ListRead read =
      blocklist::ReadListFile(services.files, services.code_page,
                              blocklist::BlockListPath(context_.data_folder), blocklist::kLargestList);
  if (read.outcome == blocklist::ListRead::Outcome::kFailed) {
    Tell(std::string(kListNotSaved) + "\r\n" + blocklist::UnreadableListMessage(read.problem));
    return false;
  }
  // The file's entries come first, then those the user added while it could not be read.
  blocklist::DisplayedBlockList added = displayed_;
  displayed_.Assign(read.entries, blocklist::kEntryIcon);
  for (std::size_t i = 1; i <= added.Count(); ++i) displayed_.Add(added.Text(i), added.Icon(i));
  MakeListActive(read.entries);
  list_unreadable_ = false;
  ShowDisplayedList();
  return true;
}

void MainWindow::ReadFigures() {
  platform::FileSystem& files = context_.services.files;
  const std::string path = blocklist::HitStatsPath(context_.data_folder);
  figures_unreadable_ = false;
  if (!files.FileSize(path)) return;  // no figures yet
  std::optional<std::string> text;
  try {
    text = files.ReadFile(path);
  } catch (const std::bad_alloc&) {
    text.reset();
  }
  // A file that could not be read, or is not one of ours, is kept: no figures are stored over it.
  if (text) text = blocklist::TextOfStoredBytes(std::move(*text), context_.services.code_page);
  if (!text || !engine::HitStats::Recognised(*text)) {
    figures_unreadable_ = true;
    return;
  }
  context_.state.history.Figures() = engine::HitStats::Parse(*text);
}

void MainWindow::StoreFigures() {
  if (figures_unreadable_) return;
  product::ReplaceFileContents(
      context_.services.files, blocklist::HitStatsPath(context_.data_folder),
      blocklist::StoredBytes(context_.state.history.Figures().Text(), context_.services.code_page));
}

void MainWindow::AfterBurnCycle() {
  engine::ProcessState& state = context_.state;
  platform::Clock& clock = context_.services.clock;
  const auto outcome = state.history.AfterTick(state.burned_this_tick, state.block_entries, clock.ClockTime(),
                                               clock.DateText() + " " + clock.TimeText());
  if (outcome.figures_changed) StoreFigures();  // at most once a tick, and only after a burn
  for (const std::string& title : outcome.stuck_titles)
    tray_->ShowBalloon(std::string(product::kAppTitle), "A pop-up does not close: " + title);
  CreditRules(state.acted_this_tick);
  // After the burns were credited, so each goes to the list it burned by.
  UpdateManagedList();
}

void MainWindow::AfterBurnAtOnce(const engine::BurnedWindow& burned) {
  engine::ProcessState& state = context_.state;
  platform::Clock& clock = context_.services.clock;
  if (state.history.AfterBurnAtOnce(burned, state.block_entries, clock.ClockTime(),
                                    clock.DateText() + " " + clock.TimeText()))
    StoreFigures();
}

void MainWindow::CreditRules(const std::vector<engine::RuleActed>& acted) {
  engine::RuleState& rules = context_.state.rules;
  platform::Clock& clock = context_.services.clock;
  rule_book_.Credit(acted, rules, clock.DateText() + " " + clock.TimeText());
  for (const std::string& told : rules.to_tell) tray_->ShowBalloon(std::string(product::kAppTitle), told);
  rules.to_tell.clear();
}

void MainWindow::AfterRuleAtOnce(const engine::RuleActed& acted) {
  CreditRules({acted});
}

}  // namespace quellix::ui
