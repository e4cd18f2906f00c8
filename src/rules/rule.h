#pragma once
// Rules for the nag windows of ordinary programs ("Update available", "Your trial ends"): one
// line of popcfg.rules, its fields separated by tabs:
//   program  class  title  text  action
// - program: the window's program file name ("printhelper.exe"), compared without case;
//   required, a file name without a folder.
// - class: the exact window class ("#32770"); empty for any.
// - title: part of the whole caption, without case; empty for any.
// - text: part of the text the window shows in its static controls (a dialog's message),
//   without case; empty for any.
//   At least one of class, title and text is given.
// - action: "close" (a close request, as a burn) or "press:CAPTION" (a click on the child
//   button whose caption, its "&" marks left out, is CAPTION, without case).
// A line that does not read so is kept as it stands and acts on nothing.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace quellix::rules {

inline constexpr std::string_view kRulesFileName = "popcfg.rules";
inline constexpr std::string_view kRulesHeader = "program\tclass\ttitle\ttext\taction";
inline constexpr std::string_view kCloseAction = "close";
inline constexpr std::string_view kPressAction = "press:";

// Programs whose windows no rule ever touches: the shell, the desktop's own processes, the
// sign-in and elevation prompts and the task manager.
inline constexpr std::array<std::string_view, 8> kProtectedPrograms = {
    "explorer.exe", "dwm.exe", "csrss.exe", "winlogon.exe", "logonui.exe", "consent.exe", "taskmgr.exe",
    "sihost.exe"};
bool IsProtectedProgram(std::string_view program_file);

struct RuleAction {
  enum class Kind { kClose, kPress };
  Kind kind = Kind::kClose;
  std::string button;  // kPress: the caption as written, "&" marks included
};

struct Rule {
  std::string program;
  std::string class_name;
  std::string title;
  std::string text;
  RuleAction action;
};

// One line of the file: the rule it gives, or why it gives none.
struct RuleLine {
  std::string line;          // as read, without its line end
  std::optional<Rule> rule;  // none for a line that acts on nothing
  std::string problem;       // why, in a sentence for the user; empty for a rule
};

// Reads one line of the file (neither a comment nor blank).
RuleLine ReadRuleLine(std::string_view line);
// The line for a rule, fields as given. Empty when a field holds a tab or a line break,
// which the line cannot carry.
std::string RuleLineText(const Rule& rule);
// The text of the action field.
std::string ActionText(const RuleAction& action);

// A rule made ready for judging windows: its texts lower-cased as titles are.
class PreparedRule {
 public:
  PreparedRule(const Rule& rule, platform::CodePage& code_page);

  const Rule& Source() const { return rule_; }
  // `program`: the window's program file name, lower-cased by LowerProgram.
  bool ProgramMatches(std::string_view program) const { return program == program_; }
  bool ClassMatches(std::string_view class_name) const {
    return rule_.class_name.empty() || class_name == rule_.class_name;
  }
  // `caption`: lower-cased.
  bool TitleMatches(std::string_view caption) const;
  bool WantsText() const { return !text_.empty(); }
  // `shown`: the window's static texts, lower-cased, one a line.
  bool TextMatches(std::string_view shown) const;
  // `caption`: a child button's caption as it is.
  bool NamesButton(std::string_view caption, platform::CodePage& code_page) const;

 private:
  Rule rule_;
  std::string program_, title_, text_, button_;
};

// A program file name lower-cased for comparing: the whole name, by characters.
std::string LowerProgram(std::string_view program_file, platform::CodePage& code_page);

}  // namespace quellix::rules
