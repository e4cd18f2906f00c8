#include "blocklist/block_list_file.h"

#include <algorithm>
#include <new>

#include "product/product.h"

namespace quellix::blocklist {
namespace {

constexpr int kTemporaryNameTries = 100;

bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Moves past the line end at `pos`: CR LF counts as one.
std::size_t SkipLineEnd(std::string_view s, std::size_t pos) {
  if (s[pos] == '\r' && pos + 1 < s.size() && s[pos + 1] == '\n') return pos + 2;
  return pos + 1;
}

// A text that starts like a byte-order mark would be taken for one when it opens a file.
bool StartsLikeByteOrderMark(std::string_view entry) {
  return entry.starts_with("\xEF\xBB\xBF") || entry.starts_with("\xFF\xFE") || entry.starts_with("\xFE\xFF");
}

bool NeedsQuotes(std::string_view entry, bool first) {
  return entry.find_first_of(",\r\n\"") != std::string_view::npos ||
         (!entry.empty() && entry.front() == ' ') || (first && StartsLikeByteOrderMark(entry));
}

// Reads the field that starts at `pos` (blanks before it included) into `field`, when given,
// and returns where the next field starts.
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
    if (field) field->assign(s.substr(start, pos - start));
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

std::size_t CountFields(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < s.size(); ++count) pos = ReadField(s, pos, nullptr);
  return count;
}

std::string BlockListText(const std::vector<std::string>& entries) {
  std::string text;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string& entry = entries[i];
    if (NeedsQuotes(entry, i == 0)) {
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
  return text;
}

bool ReplaceFileContents(platform::FileSystem& files, const std::string& path, std::string_view bytes) {
  // The temporary file gets a name nobody else uses in the target's folder: the first free
  // "<target>.~N.tmp". Files of other names, "<target>.tmp" included, are never touched.
  for (int n = 1; n <= kTemporaryNameTries; ++n) {
    const std::string temporary = path + ".~" + std::to_string(n) + ".tmp";
    if (files.FileSize(temporary)) continue;
    const platform::NewFile written = files.WriteNewFile(temporary, bytes);
    if (written == platform::NewFile::kExists) continue;  // another writer took the name meanwhile
    if (written == platform::NewFile::kFailed) {
      files.RemoveFile(temporary);
      return false;
    }
    if (files.ReplaceFile(temporary, path)) return true;
    files.RemoveFile(temporary);
    return false;
  }
  return false;
}

std::string MissingListMessage() {
  return "The popup burn list file is missed !!!\rPlease go to " + std::string(product::kMakerWebAddress) +
         " to download new file";
}

void LoadBlockList(platform::Services services, const std::string& app_folder, engine::BlockEntries& active,
                   DisplayedBlockList& displayed) {
  displayed.Clear();
  const std::string path = BlockListPath(app_folder);
  if (services.files.FileSize(path).value_or(0) == 0) {
    services.messages.Show(MissingListMessage(), std::string(product::kAppTitle),
                           platform::MessageIcon::kStop, platform::MessageButtons::kOk);
    return;
  }
  // Memory running out while reading counts as a file that cannot be read.
  std::vector<std::string> entries;
  try {
    const std::optional<std::string> content = services.files.ReadFile(path);
    if (!content) return;
    entries = ReadFields(*content);
    for (const std::string& entry : entries) displayed.Add(entry, std::string(kEntryIcon));
  } catch (const std::bad_alloc&) {
    displayed.Clear();
    return;
  }
  try {
    active.Assign(std::move(entries), services.code_page);
  } catch (const std::bad_alloc&) {
    // The active list stays as it was; the list shown is the file's, so storing it loses nothing.
  }
}

bool StoreBlockList(platform::FileSystem& files, const std::string& app_folder,
                    const DisplayedBlockList& displayed) {
  return ReplaceFileContents(files, BlockListPath(app_folder), BlockListText(displayed.Texts()));
}

bool ExportBlockList(platform::FileSystem& files, const std::string& path,
                     const DisplayedBlockList& displayed) {
  return ReplaceFileContents(files, path, BlockListText(displayed.Texts()));
}

std::size_t ImportBlockList(platform::FileSystem& files, const std::string& path,
                            DisplayedBlockList& displayed) {
  const std::optional<std::string> bytes = files.ReadFile(path);
  if (!bytes || bytes->empty()) return 0;
  std::vector<std::string> fields = ReadFields(*bytes);
  for (std::string& field : fields) displayed.Add(std::move(field), std::string(kEntryIcon));
  return fields.size();
}

}  // namespace quellix::blocklist
