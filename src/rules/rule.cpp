#include "rules/rule.h"

#include <algorithm>
#include <vector>

#include "text/text.h"
#include "text/utf8.h"

namespace quellix::rules {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string_view::npos ? line.npos : tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

bool HoldsLineBreakOrTab(std::string_view s) { return s.find_first_of("\t\r\n") != std::string_view::npos; }

}  // namespace

bool IsProtectedProgram(std::string_view program_file) {
  const std::string lower = text::LowerCase(program_file);
  return std::find(kProtectedPrograms.begin(), kProtectedPrograms.end(), lower) != kProtectedPrograms.end();
}

RuleLine ReadRuleLine(std::string_view line) {
  RuleLine read{std::string(line), std::nullopt, {}};
  if (!text::IsUtf8(line)) {
    read.problem = "The line is not UTF-8 text.";
    return read;
  }
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.size() != 5) {
    read.problem = "A rule has five fields separated by tabs: program, class, title, text and action.";
    return read;
  }
  Rule rule{std::string(fields[0]), std::string(fields[1]), std::string(fields[2]), std::string(fields[3]), {}};
  if (text::TrimBlanks(rule.program).empty()) {
    read.problem = "The program is missing.";
    return read;
  }
  if (rule.program.find_first_of("\\/:") != std::string::npos) {
    read.problem = "The program is a file name, such as printhelper.exe, without its folder.";
    return read;
  }
  if (IsProtectedProgram(rule.program)) {
    read.problem = "Quellix never acts on the windows of " + rule.program + ".";
    return read;
  }
  if (rule.class_name.empty() && rule.title.empty() && rule.text.empty()) {
    read.problem = "At least one of class, title and text is needed.";
    return read;
  }
  const std::string_view action = fields[4];
  if (text::LowerCase(action) == kCloseAction) {
    rule.action = {RuleAction::Kind::kClose, {}};
  } else if (text::LowerCase(action.substr(0, kPressAction.size())) == kPressAction &&
             !text::TrimBlanks(text::PlainCaption(action.substr(kPressAction.size()))).empty()) {
    rule.action = {RuleAction::Kind::kPress, std::string(action.substr(kPressAction.size()))};
  } else {
    read.problem = "The action is \"close\" or \"press:\" followed by a button's caption.";
    return read;
  }
  read.rule = std::move(rule);
  return read;
}

std::string ActionText(const RuleAction& action) {
  return action.kind == RuleAction::Kind::kClose ? std::string(kCloseAction)
                                                 : std::string(kPressAction) + action.button;
}

std::string RuleLineText(const Rule& rule) {
  const std::string action = ActionText(rule.action);
  for (std::string_view field : {std::string_view(rule.program), std::string_view(rule.class_name),
                                 std::string_view(rule.title), std::string_view(rule.text), std::string_view(action)})
    if (HoldsLineBreakOrTab(field)) return {};
  return rule.program + "\t" + rule.class_name + "\t" + rule.title + "\t" + rule.text + "\t" + action;
}

std::string LowerProgram(std::string_view program_file, platform::CodePage& code_page) {
  std::string lower;
  code_page.LowerUtf8(program_file, lower);
  return lower;
}

PreparedRule::PreparedRule(const Rule& rule, platform::CodePage& code_page)
    : rule_(rule), program_(LowerProgram(text::TrimBlanks(rule.program), code_page)) {
  code_page.LowerUtf8(rule.title, title_);
  code_page.LowerUtf8(rule.text, text_);
  code_page.LowerUtf8(text::PlainCaption(rule.action.button), button_);
}

bool PreparedRule::TitleMatches(std::string_view caption) const {
  return title_.empty() || caption.find(title_) != std::string_view::npos;
}

bool PreparedRule::TextMatches(std::string_view shown) const {
  return text_.empty() || shown.find(text_) != std::string_view::npos;
}

bool PreparedRule::NamesButton(std::string_view caption, platform::CodePage& code_page) const {
  if (rule_.action.kind != RuleAction::Kind::kPress) return false;
  std::string lower;
  code_page.LowerUtf8(text::PlainCaption(caption), lower);
  return lower == button_;
}

}  // namespace quellix::rules
