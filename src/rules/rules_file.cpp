#include "rules/rules_file.h"

#include <new>

#include "text/text.h"
#include "text/utf8.h"

namespace quellix::rules {
namespace {

bool IsNote(std::string_view line) {
  return line.starts_with('#') || line.find_first_not_of(" \t") == std::string_view::npos;
}

bool IsHeader(std::string_view line) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return text::LowerCase(line) == kRulesHeader;
}

// A file's bytes as text: UTF-8 behind its optional mark, or UTF-16 behind its mark.
std::string TextOfBytes(std::string bytes) {
  if (bytes.starts_with(text::kUtf8Mark)) return bytes.substr(text::kUtf8Mark.size());
  const bool little = bytes.starts_with("\xFF\xFE"), big = bytes.starts_with("\xFE\xFF");
  if (!little && !big) return bytes;
  std::u16string units((bytes.size() - 2) / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 + 2 * i]),
               second = static_cast<unsigned char>(bytes[3 + 2 * i]);
    units[i] = static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
  }
  return text::Utf8FromUtf16(units);
}

}  // namespace

std::optional<RuleList> RuleList::Parse(std::string_view text, std::string& problem) {
  RuleList list;
  bool header = false;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    start = end + 1;
    if (!header) {
      if (!IsHeader(line)) {
        problem = "It does not begin with the line \"program, class, title, text, action\" (separated by tabs).";
        return std::nullopt;
      }
      header = true;
      continue;
    }
    if (IsNote(line)) {
      list.lines_.push_back({true, {std::string(line), std::nullopt, {}}});
    } else {
      list.lines_.push_back({false, ReadRuleLine(line)});
    }
  }
  list.Index();
  return list;
}

std::string RuleList::Text() const {
  std::string text = std::string(kRulesHeader) + "\r\n";
  for (const Line& line : lines_) text += line.read.line + "\r\n";
  return text;
}

void RuleList::Index() {
  entries_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (!lines_[i].note) entries_.push_back(i);
}

void RuleList::Add(RuleLine line) {
  lines_.push_back({false, std::move(line)});
  Index();
}

void RuleList::Replace(std::size_t i, RuleLine line) {
  if (i >= 1 && i <= entries_.size()) lines_[entries_[i - 1]].read = std::move(line);
}

void RuleList::Remove(std::size_t i) {
  if (i < 1 || i > entries_.size()) return;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(entries_[i - 1]));
  Index();
}

std::vector<Rule> RuleList::Rules() const {
  std::vector<Rule> rules;
  for (std::size_t i : entries_)
    if (lines_[i].read.rule) rules.push_back(*lines_[i].read.rule);
  return rules;
}

std::string RulesPath(std::string_view data_folder) {
  return std::string(data_folder) + "\\" + std::string(kRulesFileName);
}

RulesRead ReadRulesFile(platform::FileSystem& files, const std::string& path) {
  RulesRead read;
  const std::optional<std::uint64_t> size = files.FileSize(path);
  if (!size) return read;
  read.outcome = RulesRead::Outcome::kFailed;
  if (*size > kLargestRulesFile) {
    read.problem = "It is larger than " + std::to_string(kLargestRulesFile >> 20) + " MB.";
    return read;
  }
  try {
    std::optional<std::string> bytes = files.ReadFile(path);
    if (!bytes) {
      const std::string reason = files.LastError();
      read.problem = reason.empty() ? "It could not be opened." : reason;
      return read;
    }
    const std::string text = TextOfBytes(std::move(*bytes));
    if (text.find('\0') != std::string::npos) {
      read.problem = "It holds NUL characters, so it is not a rules file.";
      return read;
    }
    std::optional<RuleList> list = RuleList::Parse(text, read.problem);
    if (!list) return read;
    read.list = std::move(*list);
    read.outcome = RulesRead::Outcome::kRead;
  } catch (const std::bad_alloc&) {
    read.problem = "There is not enough memory to read it.";
  }
  return read;
}

product::WriteOutcome StoreRulesFile(platform::FileSystem& files, const std::string& path, const RuleList& list) {
  return product::ReplaceFileContents(files, path, list.Text());
}

}  // namespace quellix::rules
