#pragma once
// The block list file popcfg.apo (and the exported .pao lists, which share its format):
// one entry a line, each line ended by CR LF, read back as comma-separated fields.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "blocklist/displayed_block_list.h"
#include "engine/block_entries.h"
#include "platform/platform.h"
#include "product/file_safety.h"

namespace quellix::blocklist {

inline constexpr std::string_view kBlockListFileName = "popcfg.apo";

std::string BlockListPath(std::string_view app_folder);

// The file beside the block list that keeps each entry's burn figures.
inline constexpr std::string_view kHitStatsFileName = "popcfg.hits";
std::string HitStatsPath(std::string_view app_folder);

// The fields of a block list file: a field ends at a comma or a line end (CR LF, CR or LF);
// blanks before its first character are skipped; a field that starts with a double quote
// runs to the next single double quote, both quotes removed, a doubled quote inside it
// standing for one quote, and whatever follows the closing quote up to the next comma or
// line end is dropped. A last line without line break is a field too; an empty line is one
// empty field.
std::vector<std::string> ReadFields(std::string_view bytes);
// The same fields end to end in one block.
engine::EntryTexts ReadEntryTexts(std::string_view bytes);
// How many fields ReadFields would give, without building them.
std::size_t CountFields(std::string_view bytes);

// The file text for these entries, one a line, as UTF-8. An entry the reader would split,
// trim or take apart (one holding a comma, a line break or a double quote, or starting with
// a blank) is written in double quotes with its own double quotes doubled, and so is a first
// entry that starts like a byte-order mark; every other entry is written unchanged.
std::string BlockListText(const std::vector<std::string>& entries);
// The same for the displayed list's entries, written without copies of them.
std::string DisplayedListText(const DisplayedBlockList& displayed);

// The bytes of a list file for these entries: their text in the ANSI code page, byte for byte
// what older versions wrote, when every entry has a form there; otherwise UTF-8 behind its
// byte-order mark (stored_text.h). A first entry whose ANSI form starts like a byte-order
// mark is quoted, as above.
std::string ListFileBytes(const std::vector<std::string>& entries, platform::CodePage& code_page);
std::string ListFileBytes(const DisplayedBlockList& displayed, platform::CodePage& code_page);

// popcfg.apo is read as far as the platform reads any file.
inline constexpr std::uint64_t kLargestList = ~std::uint64_t{0};
// The largest list file Import reads.
inline constexpr std::uint64_t kLargestImport = 64ull << 20;
// No list file of more entries is read: what entries cost grows with their number, not
// with the file's size (a file of commas is nothing but empty entries).
inline constexpr std::size_t kMostEntries = std::size_t{1} << 22;

// A list file's bytes as UTF-8 text, read as stored_text.h says: UTF-8 or UTF-16 behind a
// byte-order mark, text of the ANSI code page without one. Text holding a NUL character is
// no list: nothing, with `problem` saying why.
std::optional<std::string> ListTextFromBytes(std::string bytes, platform::CodePage& code_page,
                                             std::string& problem);

// What reading a list file gave.
struct ListRead {
  enum class Outcome { kRead, kMissing, kFailed };
  Outcome outcome = Outcome::kMissing;
  engine::SharedEntryTexts entries;  // kRead: the entries in file order
  std::string problem;               // kFailed: why, in a sentence for the user
};

// Reads the entries of a list file by the rules above. A file larger than `largest` bytes,
// one that cannot be read, one that is no list, one of more than kMostEntries entries and
// one whose entries do not fit in the memory left all give kFailed.
ListRead ReadListFile(platform::FileSystem& files, platform::CodePage& code_page, const std::string& path,
                      std::uint64_t largest);

// The text of the missing-file message.
std::string MissingListMessage();
// The message for a list file that exists but could not be read.
std::string UnreadableListMessage(const std::string& problem);

// Fills the displayed list from popcfg.apo; the entries read come back for the caller to
// make active (with the managed list's: ComposeActiveList). The displayed list is emptied
// first in every case. A missing or empty file shows the missing-file message (kMissing); a
// file that cannot be read or shown shows one that says why and that nothing was changed
// (kFailed).
ListRead LoadOwnList(platform::Services services, const std::string& app_folder,
                     DisplayedBlockList& displayed);

// Stores the displayed list into popcfg.apo; the active list is not touched.
product::WriteOutcome StoreBlockList(platform::FileSystem& files, platform::CodePage& code_page, const std::string& app_folder,
                    const DisplayedBlockList& displayed);

// Writes the displayed list to an exported list file, replacing any file of that name only
// once the new one is complete.
product::WriteOutcome ExportBlockList(platform::FileSystem& files, platform::CodePage& code_page, const std::string& path,
                     const DisplayedBlockList& displayed);

// Appends the entries of an exported list file (at most kLargestImport bytes) to the
// displayed list, each with the entry icon. A file that cannot be read adds nothing and
// gives the reason; an empty problem means the entries were added.
std::string ImportBlockList(platform::FileSystem& files, platform::CodePage& code_page,
                            const std::string& path, DisplayedBlockList& displayed);

// The system's reason for the last failure, or `otherwise` when it gave none.
std::string SystemReason(platform::FileSystem& files, std::string_view otherwise);

}  // namespace quellix::blocklist
