#include "blocklist/block_list_file.h"

#include <algorithm>
#include <new>

#include "blocklist/stored_text.h"
#include "product/product.h"
#include "text/text.h"
#include "text/utf8.h"

namespace quellix::blocklist {
namespace {

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Moves past the line end at `pos`: CR LF counts as one.
std::size_t SkipLineEnd(std::string_view s, std::size_t pos) {
  if (s[pos] == '\r' && pos + 1 < s.size() && s[pos + 1] == '\n') return pos + 2;
  return pos + 1;
}

// A first entry that starts like a byte-order mark would be taken for one when it opens a
// file; `quote_first` quotes it whatever it holds.
bool NeedsQuotes(std::string_view entry, bool first, bool quote_first) {
  return entry.find_first_of(",\r\n\"") != std::string_view::npos ||
         (!entry.empty() && entry.front() == ' ') ||
         (first && (quote_first || StartsLikeByteOrderMark(entry)));
}

// Reads the field that starts at `pos` (blanks before it included) onto the end of `field`,
// when given, and returns where the next field starts.
std::size_t ReadField(std::string_view s, std::size_t pos, std::string* field) {
  while (pos < s.size() && s[pos] == ' ') ++pos;
  if (pos < s.size() && s[pos] == '"') {
    // A doubled quote inside is one quote; a single one closes the field.
    for (++pos; pos < s.size();) {
      const std::size_t quote = std::min(s.find('"', pos), s.size());
      if (field) field->append(s.substr(pos, quote - pos));
      pos = quote;
      if (pos == s.size()) break;
      if (pos + 1 < s.size() && s[pos + 1] == '"') {
        if (field) *field += '"';
        pos += 2;
      } else {
        ++pos;
        break;
      }
    }
    while (pos < s.size() && s[pos] != ',' && !IsLineEnd(s[pos])) ++pos;  // dropped
  } else {
    const std::size_t start = pos;
    while (pos < s.size() && s[pos] != ',' && !IsLineEnd(s[pos])) ++pos;
    if (field) field->append(s.substr(start, pos - start));
  }
  if (pos < s.size()) pos = s[pos] == ',' ? pos + 1 : SkipLineEnd(s, pos);
  return pos;
}

}  // namespace

std::string BlockListPath(std::string_view app_folder) {
  return std::string(app_folder) + "\\" + std::string(kBlockListFileName);
}

std::string HitStatsPath(std::string_view app_folder) {
  return std::string(app_folder) + "\\" + std::string(kHitStatsFileName);
}

std::vector<std::string> ReadFields(std::string_view s) {
  std::vector<std::string> fields;
  for (std::size_t pos = 0; pos < s.size();) {
    std::string field;
    pos = ReadField(s, pos, &field);
    fields.push_back(std::move(field));
  }
  return fields;
}

engine::EntryTexts ReadEntryTexts(std::string_view s) {
  engine::EntryTexts texts;
  texts.Reserve(CountFields(s), s.size());  // no field is longer than its bytes
  for (std::size_t pos = 0; pos < s.size();)
    texts.AppendWith([&](std::string& end) { pos = ReadField(s, pos, &end); });
  texts.ShrinkToFit();
  return texts;
}

std::size_t CountFields(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < s.size(); ++count) pos = ReadField(s, pos, nullptr);
  return count;
}

namespace {

void AppendLine(std::string& text, std::string_view entry, bool first, bool quote_first) {
  if (NeedsQuotes(entry, first, quote_first)) {
    text += '"';
    for (char c : entry) {
      if (c == '"') text += '"';
      text += c;
    }
    text += '"';
  } else {
    text += entry;
  }
  text += "\r\n";
}

std::string EntriesText(const std::vector<std::string>& entries, bool quote_first) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) AppendLine(text, entries[i], i == 0, quote_first);
  return text;
}

std::string EntriesText(const DisplayedBlockList& displayed, bool quote_first) {
  std::string text;
  std::size_t bytes = 0;
  for (std::size_t i = 1; i <= displayed.Count(); ++i) bytes += displayed.Text(i).size() + 2;
  text.reserve(bytes);  // quotes aside, the text in one block
  for (std::size_t i = 1; i <= displayed.Count(); ++i)
    AppendLine(text, displayed.Text(i), i == 1, quote_first);
  return text;
}

template <typename Entries>
std::string FileBytes(const Entries& entries, platform::CodePage& code_page) {
  std::string text = EntriesText(entries, false);
  if (text::IsAscii(text)) return text;  // the same in every code page
  if (std::optional<std::string> ansi = code_page.AnsiFromUtf8(text)) {
    if (!StartsLikeByteOrderMark(*ansi)) return std::move(*ansi);
    // In the code page the first entry would read as a mark, "\xEF\xBB\xBF..." say: quoted,
    // the file begins with the quote instead, as older versions wrote it.
    if (std::optional<std::string> quoted = code_page.AnsiFromUtf8(EntriesText(entries, true)))
      return std::move(*quoted);
  }
  return Utf8WithMark(std::move(text));
}

}  // namespace

std::string BlockListText(const std::vector<std::string>& entries) { return EntriesText(entries, false); }

std::string DisplayedListText(const DisplayedBlockList& displayed) { return EntriesText(displayed, false); }

std::string ListFileBytes(const std::vector<std::string>& entries, platform::CodePage& code_page) {
  return FileBytes(entries, code_page);
}

std::string ListFileBytes(const DisplayedBlockList& displayed, platform::CodePage& code_page) {
  return FileBytes(displayed, code_page);
}

std::string SystemReason(platform::FileSystem& files, std::string_view otherwise) {
  std::string reason = files.LastError();
  return reason.empty() ? std::string(otherwise) : reason;
}

std::optional<std::string> ListTextFromBytes(std::string bytes, platform::CodePage& code_page,
                                             std::string& problem) {
  std::string text = TextOfStoredBytes(std::move(bytes), code_page);
  if (text.find('\0') != std::string::npos) {
    problem =
        "It holds NUL characters, so it is not a list of titles (a list saved as Unicode needs its "
        "byte-order mark).";
    return std::nullopt;
  }
  return text;
}

ListRead ReadListFile(platform::FileSystem& files, platform::CodePage& code_page, const std::string& path,
                      std::uint64_t largest) {
  ListRead read;
  const std::optional<std::uint64_t> size = files.FileSize(path);
  if (!size) return read;
  read.outcome = ListRead::Outcome::kFailed;
  if (*size > largest) {
    read.problem = "It is larger than " + std::to_string(largest >> 20) + " MB.";
    return read;
  }
  try {
    std::optional<std::string> text;
    {
      std::optional<std::string> bytes = files.ReadFile(path);
      if (!bytes) {
        read.problem = SystemReason(files, "It could not be opened.");
        return read;
      }
      text = ListTextFromBytes(std::move(*bytes), code_page, read.problem);
    }  // the file's bytes go before the entries are made
    if (!text) return read;
    if (CountFields(*text) > kMostEntries) {
      read.problem = "It holds more than " + std::to_string(kMostEntries) + " entries.";
      return read;
    }
    read.entries = std::make_shared<const engine::EntryTexts>(ReadEntryTexts(*text));
    read.outcome = ListRead::Outcome::kRead;
  } catch (const std::bad_alloc&) {
    read.entries.reset();
    read.problem = "There is not enough memory to read it.";
  }
  return read;
}

std::string MissingListMessage() {
  return "The popup burn list file is missed !!!\rPlease go to " + std::string(product::kMakerWebAddress) +
         " to download new file";
}

std::string UnreadableListMessage(const std::string& problem) {
  return "The popup burn list file " + std::string(kBlockListFileName) + " could not be read.\r\n" + problem +
         "\r\nNothing was changed: the file is kept as it is, and the list is not saved over it until it "
         "can be read.";
}

ListRead LoadOwnList(platform::Services services, const std::string& app_folder,
                     DisplayedBlockList& displayed) {
  displayed.Clear();
  const std::string path = BlockListPath(app_folder);
  if (services.files.FileSize(path).value_or(0) == 0) {
    services.messages.Show(MissingListMessage(), std::string(product::kAppTitle),
                           platform::MessageIcon::kStop, platform::MessageButtons::kOk);
    return {};
  }
  ListRead read = ReadListFile(services.files, services.code_page, path, kLargestList);
  if (read.outcome == ListRead::Outcome::kRead) {
    try {
      displayed.Assign(read.entries, kEntryIcon);
    } catch (const std::bad_alloc&) {
      displayed.Clear();
      read.entries.reset();
      read.outcome = ListRead::Outcome::kFailed;
      read.problem = "There is not enough memory to show it.";
    }
  }
  if (read.outcome != ListRead::Outcome::kRead) {
    services.messages.Show(UnreadableListMessage(read.problem), std::string(product::kAppTitle),
                           platform::MessageIcon::kStop, platform::MessageButtons::kOk);
  }
  return read;
}

product::WriteOutcome StoreBlockList(platform::FileSystem& files, platform::CodePage& code_page, const std::string& app_folder,
                    const DisplayedBlockList& displayed) {
  return product::ReplaceFileContents(files, BlockListPath(app_folder), ListFileBytes(displayed, code_page));
}

product::WriteOutcome ExportBlockList(platform::FileSystem& files, platform::CodePage& code_page, const std::string& path,
                     const DisplayedBlockList& displayed) {
  return product::ReplaceFileContents(files, path, ListFileBytes(displayed, code_page));
}

std::string ImportBlockList(platform::FileSystem& files, platform::CodePage& code_page,
                            const std::string& path, DisplayedBlockList& displayed) {
  ListRead read = ReadListFile(files, code_page, path, kLargestImport);
  if (read.outcome == ListRead::Outcome::kMissing) return "The file was not found.";
  if (read.outcome == ListRead::Outcome::kFailed) return read.problem;
  const std::size_t before = displayed.Count();
  try {
    displayed.Append(*read.entries, kEntryIcon);
  } catch (const std::bad_alloc&) {
    displayed.KeepFirst(before);
    return "There is not enough memory to show its entries.";
  }
  return {};
}

}  // namespace quellix::blocklist
