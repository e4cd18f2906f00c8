#pragma once
// The block list file popcfg.apo (and the exported .pao lists, which share its format):
// one entry a line, each line ended by CR LF, read back as comma-separated fields.

#include <string>
#include <string_view>
#include <vector>

#include "blocklist/displayed_block_list.h"
#include "engine/block_entries.h"
#include "platform/platform.h"

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
// How many fields ReadFields would give, without building them.
std::size_t CountFields(std::string_view bytes);

// The file text for these entries, one a line. An entry the reader would split, trim or
// take apart (one holding a comma, a line break or a double quote, or starting with a
// blank) is written in double quotes with its own double quotes doubled, and so is a first
// entry that starts like a byte-order mark; every other entry is written unchanged.
std::string BlockListText(const std::vector<std::string>& entries);

// Writes `bytes` to a temporary file beside `path` and moves it over `path` only when it
// is complete, so the old file stays whole whatever happens meanwhile.
bool ReplaceFileContents(platform::FileSystem& files, const std::string& path, std::string_view bytes);

// The text of the missing-file message.
std::string MissingListMessage();

// Fills the displayed list and the active list from popcfg.apo. A missing or empty file
// shows the missing-file message and keeps the active list; a file that cannot be read
// keeps it silently, and so does a list too large for the memory left. The displayed list
// is emptied first in every case.
void LoadBlockList(platform::Services services, const std::string& app_folder, engine::BlockEntries& active,
                   DisplayedBlockList& displayed);

// Stores the displayed list into popcfg.apo; the active list is not touched.
bool StoreBlockList(platform::FileSystem& files, const std::string& app_folder,
                    const DisplayedBlockList& displayed);

// Writes the displayed list to an exported list file, replacing any file of that name only
// once the new one is complete. False when it could not be written.
bool ExportBlockList(platform::FileSystem& files, const std::string& path,
                     const DisplayedBlockList& displayed);

// Appends the entries of an exported list file to the displayed list, each with the entry
// icon. A file that cannot be read adds nothing. Returns the number of entries added.
std::size_t ImportBlockList(platform::FileSystem& files, const std::string& path,
                            DisplayedBlockList& displayed);

}  // namespace quellix::blocklist
