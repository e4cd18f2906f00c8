#include "controls/property_store.h"

#include "text/text.h"

namespace quellix::controls {
namespace {

constexpr std::string_view kBegin = "begin", kEnd = "end";

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithWord(std::string_view line, std::string_view word) {
  if (line.size() < word.size() || text::LowerCase(line.substr(0, word.size())) != word) return false;
  return line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t';
}

}  // namespace

std::vector<StoredControl> ReadStore(std::string_view text) {
  std::vector<StoredControl> controls;
  bool open = false;
  while (!text.empty()) {
    const std::size_t newline = text.find('\n');
    const std::string_view line = Trim(text.substr(0, newline));
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (line.empty() || line.front() == '#') continue;
    if (StartsWithWord(line, kBegin)) {
      const std::string_view id = Trim(line.substr(kBegin.size()));
      const std::size_t dot = id.find('.');
      open = dot != std::string_view::npos && dot > 0 && dot + 1 < id.size();
      if (open) controls.push_back({std::string(id.substr(0, dot)), std::string(id.substr(dot + 1)), {}});
      continue;
    }
    if (text::LowerCase(line) == kEnd) {
      open = false;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!open || equals == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, equals));
    if (!key.empty()) controls.back().properties.Put(key, std::string(Trim(line.substr(equals + 1))));
  }
  return controls;
}

std::string WriteStore(const std::vector<StoredControl>& controls) {
  std::string out;
  for (const StoredControl& control : controls) {
    out += "Begin " + control.form + '.' + control.name + '\n';
    for (const auto& [key, value] : control.properties.Entries()) out += "  " + key + " = " + value + '\n';
    out += "End\n";
  }
  return out;
}

const StoredControl* FindStored(const std::vector<StoredControl>& controls, std::string_view form,
                                std::string_view name) {
  for (const StoredControl& control : controls)
    if (text::LowerCase(control.form) == text::LowerCase(form) &&
        text::LowerCase(control.name) == text::LowerCase(name))
      return &control;
  return nullptr;
}

}  // namespace quellix::controls
