#pragma once
// The traces a burn leaves: the counter "cnt", a 150-byte record in popuplog.txt, a sound.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "product/data_folder.h"

namespace quellix::engine {

inline constexpr std::string_view kLogFileName = "popuplog.txt";
inline constexpr std::string_view kInternalSoundFile = "\\wav\\7.wav";

// One field of a log record for UTF-8 text: in the ANSI code page, left-aligned, cut or
// padded with blanks to `width` bytes, as the log has always been written, when every
// character has a form there; otherwise the UTF-8 byte-order mark followed by the UTF-8,
// cut between two characters and padded the same way. The record keeps its size.
std::string RecordField(std::string_view utf8, std::size_t width, platform::CodePage& code_page);

// One log record: Browser 30, BurnTime 10, BurnDate 10, Title 100 bytes, blank padded.
class BurnRecord {
 public:
  static constexpr std::size_t kSize = 150;
  static constexpr std::size_t kBrowserOffset = 0, kBrowserWidth = 30;
  static constexpr std::size_t kTimeOffset = 30, kTimeWidth = 10;
  static constexpr std::size_t kDateOffset = 40, kDateWidth = 10;
  static constexpr std::size_t kTitleOffset = 50, kTitleWidth = 100;

  // The fields from UTF-8 text, written by RecordField's rule.
  void SetBrowser(std::string_view s, platform::CodePage& c) { Set(kBrowserOffset, kBrowserWidth, s, c); }
  void SetTime(std::string_view s, platform::CodePage& c) { Set(kTimeOffset, kTimeWidth, s, c); }
  void SetDate(std::string_view s, platform::CodePage& c) { Set(kDateOffset, kDateWidth, s, c); }
  void SetTitle(std::string_view s, platform::CodePage& c) { Set(kTitleOffset, kTitleWidth, s, c); }

  std::string_view Bytes() const { return {bytes_.data(), bytes_.size()}; }

 private:
  void Set(std::size_t offset, std::size_t width, std::string_view s, platform::CodePage& code_page);
  std::array<char, kSize> bytes_{};  // zero bytes until first written
};

// The settings copies the burn record uses, read when the tray menu window loads.
struct SoundCopies {
  std::string play_sound;      // "2"
  std::string internal_sound;  // "wavint"
  std::string browse_sound;    // "wavext"
  std::string wave_file;       // "wavfile"
};

// Where and how the traces are left.
struct BurnTraces {
  platform::Services services;
  product::Folders folders;  // the log in the data folder, the own sound in the program folder
  BurnRecord& record;
  std::string& burn_count;
  const SoundCopies& sound;
};

std::string LogFilePath(std::string_view data_folder);

// Appends the record at record number floor(L / 150) + 1 of a log of L bytes: a whole log
// is appended to, a torn last record is overwritten.
bool AppendRecord(platform::FileSystem& files, const std::string& log_path, const BurnRecord& record);

// The texts for the record's date and time fields, each 10 bytes: the user's short date and
// time, cut to the field as they always were, unless the cut would lose part of the date or
// time itself. A short date longer than the field (the day of "2025. 03. 12." would go) is
// written as "yyyy-MM-dd" instead, and a time whose cut would drop a digit (the seconds of
// a time led by its AM/PM marker) as 24-hour "HH:MM:SS"; both always fit. A time that
// loses only the end of its marker ("11:05:02 PM" becomes "11:05:02 P") is kept. An empty
// date or time is replaced the same way.
std::string RecordDate(platform::Clock& clock);
std::string RecordTime(platform::Clock& clock);

void AppendFullRecord(BurnTraces& traces, std::string_view browser, std::string_view title);
// Only the title field changes; the other fields keep what the last record left there.
void AppendShortRecord(BurnTraces& traces, std::string_view title);

// The counter text after one more burn: non-numeric or negative text counts as 0.
std::string NextBurnCount(std::string_view count);
// Raises the counter and stores it as "cnt".
void CountBurn(BurnTraces& traces);

// Plays the chosen burn sound when "Play Sound on Popup Kill" is on: the browsed file,
// or the product's own sound when "Internal Sound" is chosen.
void PlayBurnSound(BurnTraces& traces);
void PlaySoundFile(platform::Sound& sound, const std::string& path);

}  // namespace quellix::engine
