// The rules file: how its lines read, which lines are rules, and that storing it loses
// nothing, the lines that are no rule included.
#include "rules/rules_file.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_code_page.h"
#include "platform/sim/sim_files.h"

namespace quellix::rules {
namespace {

constexpr char kHeader[] = "program\tclass\ttitle\ttext\taction\r\n";

TEST(RuleLine, AGoodLineGivesItsRule) {
  const RuleLine read = ReadRuleLine("nagware.exe\t#32770\tUpdate available\t\tclose");
  ASSERT_TRUE(read.rule) << read.problem;
  EXPECT_EQ(read.rule->program, "nagware.exe");
  EXPECT_EQ(read.rule->class_name, "#32770");
  EXPECT_EQ(read.rule->title, "Update available");
  EXPECT_EQ(read.rule->text, "");
  EXPECT_EQ(read.rule->action.kind, RuleAction::Kind::kClose);
  const RuleLine press = ReadRuleLine("trial.exe\t\tTrial\t\tpress:Remind me &later");
  ASSERT_TRUE(press.rule) << press.problem;
  EXPECT_EQ(press.rule->action.kind, RuleAction::Kind::kPress);
  EXPECT_EQ(press.rule->action.button, "Remind me &later");
  EXPECT_TRUE(ReadRuleLine("Ink.EXE\t\t\tBuy ink now\tCLOSE").rule);       // the action without case
  EXPECT_TRUE(ReadRuleLine("\xD0\xBF.exe\t\t\xD0\x9E\xD0\xB1\t\tclose").rule);  // names in any script
}

TEST(RuleLine, ALineThatIsNoRuleSaysWhyAndIsKeptAsItIs) {
  const char* const bad[] = {
      "nagware.exe\t#32770\tUpdate\tclose",                // four fields
      "nagware.exe\t#32770\tUpdate\t\tclose\textra",       // six
      "\t#32770\tUpdate available\t\tclose",               // no program
      "C:\\Tools\\nagware.exe\t\tUpdate\t\tclose",         // a path, not a file name
      "nagware.exe\t\t\t\tclose",                          // nothing to tell its window by
      "nagware.exe\t\tUpdate\t\tdestroy",                  // no such action
      "nagware.exe\t\tUpdate\t\tpress:",                   // no button
      "nagware.exe\t\tUpdate\t\tpress:&",                  // a caption of marks only
      "EXPLORER.EXE\tCabinetWClass\t\t\tclose",            // a program never acted on
      "nagware.exe\t\tUpd\xFF\t\tclose",                   // not UTF-8
  };
  for (const char* line : bad) {
    const RuleLine read = ReadRuleLine(line);
    EXPECT_FALSE(read.rule) << line;
    EXPECT_FALSE(read.problem.empty()) << line;
    EXPECT_EQ(read.line, line);
  }
}

TEST(RuleLine, EveryProtectedProgramIsRefusedWhateverItsCase) {
  for (std::string_view program : kProtectedPrograms) {
    std::string upper(program);
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    EXPECT_FALSE(ReadRuleLine(upper + "\t\tx\t\tclose").rule) << upper;
  }
  EXPECT_TRUE(ReadRuleLine("explorer2.exe\t\tx\t\tclose").rule);
}

TEST(RuleLine, ARuleWrittenReadsBackAsItself) {
  const Rule rule{"nagware.exe", "#32770", "Update available", "A new version", {RuleAction::Kind::kPress, "&Later"}};
  const std::string line = RuleLineText(rule);
  EXPECT_EQ(line, "nagware.exe\t#32770\tUpdate available\tA new version\tpress:&Later");
  const RuleLine back = ReadRuleLine(line);
  ASSERT_TRUE(back.rule);
  EXPECT_EQ(RuleLineText(*back.rule), line);
  // A tab or a line break cannot be carried by a line.
  EXPECT_EQ(RuleLineText({"a.exe", "", "x\ty", "", {}}), "");
  EXPECT_EQ(RuleLineText({"a.exe", "", "x\r\ny", "", {}}), "");
}

TEST(RuleList, CommentsBlankLinesAndBadLinesSurviveAnEdit) {
  const std::string text = std::string(kHeader) +
                           "# nag windows of the office\r\n"
                           "nagware.exe\t#32770\tUpdate available\t\tclose\r\n"
                           "\r\n"
                           "this line is no rule\r\n"
                           "trial.exe\t\tTrial\t\tpress:Remind me &later\n";
  std::string problem;
  std::optional<RuleList> list = RuleList::Parse(text, problem);
  ASSERT_TRUE(list) << problem;
  ASSERT_EQ(list->Count(), 3u);  // two rules and the bad line
  EXPECT_FALSE(list->At(2).rule);
  EXPECT_EQ(list->Rules().size(), 2u);
  list->Remove(1);
  list->Add(ReadRuleLine("ink.exe\t\t\tBuy ink now\tclose"));
  EXPECT_EQ(list->Text(), std::string(kHeader) +
                              "# nag windows of the office\r\n"
                              "\r\n"
                              "this line is no rule\r\n"
                              "trial.exe\t\tTrial\t\tpress:Remind me &later\r\n"
                              "ink.exe\t\t\tBuy ink now\tclose\r\n");
}

TEST(RuleList, AFileWithoutTheHeaderIsNoRulesFile) {
  std::string problem;
  EXPECT_FALSE(RuleList::Parse("nagware.exe\t\tUpdate\t\tclose\r\n", problem));
  EXPECT_FALSE(problem.empty());
  EXPECT_TRUE(RuleList::Parse("", problem));                                  // empty: no rules yet
  EXPECT_TRUE(RuleList::Parse("PROGRAM\tCLASS\tTITLE\tTEXT\tACTION \n", problem));  // case and trailing blanks
}

class RulesFileTest : public ::testing::Test {
 protected:
  sim::SimFiles files;
  const std::string path = RulesPath("C:\\Users\\me\\AppData\\Local\\Kelvane\\Quellix");
};

TEST_F(RulesFileTest, ReadsUtf8WithOrWithoutItsMarkAndUtf16WithIt) {
  const std::string body = "nagware.exe\t\t\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5\t\tclose\r\n";
  for (const std::string& bytes : {std::string(kHeader) + body, "\xEF\xBB\xBF" + std::string(kHeader) + body}) {
    files.Put(path, bytes);
    RulesRead read = ReadRulesFile(files, path);
    ASSERT_EQ(read.outcome, RulesRead::Outcome::kRead) << read.problem;
    ASSERT_EQ(read.list.Rules().size(), 1u);
    EXPECT_EQ(read.list.Rules()[0].title, "\xD0\x9E\xD0\xB1\xD0\xBD\xD0\xBE\xD0\xB2\xD0\xBB\xD0\xB5\xD0\xBD\xD0\xB8\xD0\xB5");
  }
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string(kHeader) + "a.exe\t\tx\t\tclose\r\n") {
    utf16 += c;
    utf16 += '\0';
  }
  files.Put(path, utf16);
  EXPECT_EQ(ReadRulesFile(files, path).list.Rules().size(), 1u);
}

TEST_F(RulesFileTest, AFileThatCouldNotBeReadIsNeverStoredOver) {
  EXPECT_EQ(ReadRulesFile(files, path).outcome, RulesRead::Outcome::kMissing);
  for (const std::string& bytes : {std::string("not a rules file\r\n"), std::string("p\0r\0o\0", 6),
                                   std::string(kLargestRulesFile + 1, 'x')}) {
    files.Put(path, bytes);
    const RulesRead read = ReadRulesFile(files, path);
    EXPECT_EQ(read.outcome, RulesRead::Outcome::kFailed);
    EXPECT_FALSE(read.problem.empty());
  }
  files.Put(path, std::string(kHeader));
  files.Lock(path);
  EXPECT_EQ(ReadRulesFile(files, path).outcome, RulesRead::Outcome::kFailed);
}

TEST_F(RulesFileTest, StoringWritesTheWholeListAndReadsBackTheSame) {
  std::string problem;
  RuleList list = *RuleList::Parse(std::string(kHeader) + "# mine\r\nbad\r\n", problem);
  list.Add(ReadRuleLine("nagware.exe\t#32770\tUpdate available\t\tclose"));
  ASSERT_TRUE(StoreRulesFile(files, path, list));
  EXPECT_EQ(files.Get(path), list.Text());
  const RulesRead back = ReadRulesFile(files, path);
  EXPECT_EQ(back.list.Text(), list.Text());
}

TEST(PreparedRule, MatchesItsProgramClassTitleTextAndButtonWithoutCase) {
  sim::SimCodePage code_page;
  const PreparedRule rule({"NagWare.exe", "#32770", "UPDATE", "New Version", {RuleAction::Kind::kPress, "Remind me &later"}},
                          code_page);
  EXPECT_TRUE(rule.ProgramMatches(LowerProgram("nagware.EXE", code_page)));
  EXPECT_FALSE(rule.ProgramMatches(LowerProgram("nagware2.exe", code_page)));
  EXPECT_TRUE(rule.ClassMatches("#32770"));
  EXPECT_FALSE(rule.ClassMatches("#32771"));  // the class is exact
  std::string lowered;
  code_page.LowerUtf8("Update available", lowered);
  EXPECT_TRUE(rule.TitleMatches(lowered));
  EXPECT_TRUE(rule.WantsText());
  EXPECT_TRUE(rule.TextMatches("a new version is ready\ndownload it now"));
  EXPECT_FALSE(rule.TextMatches("nothing new"));
  EXPECT_TRUE(rule.NamesButton("Remind Me &Later", code_page));
  EXPECT_TRUE(rule.NamesButton("remind me later", code_page));
  EXPECT_FALSE(rule.NamesButton("Buy now", code_page));
  EXPECT_FALSE(PreparedRule({"a.exe", "", "x", "", {}}, code_page).NamesButton("OK", code_page));  // close presses none
}

}  // namespace
}  // namespace quellix::rules
