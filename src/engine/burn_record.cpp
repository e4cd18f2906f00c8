#include "engine/burn_record.h"

#include <cmath>

#include "settings/settings_store.h"
#include "text/text.h"
#include "text/utf8.h"

namespace quellix::engine {

std::string RecordField(std::string_view utf8, std::size_t width, platform::CodePage& code_page) {
  if (text::IsAscii(utf8)) return text::Field(utf8, width);
  // A field of the code page that opened with the mark's bytes would read as UTF-8.
  if (std::optional<std::string> ansi = code_page.AnsiFromUtf8(utf8); ansi && !ansi->starts_with(text::kUtf8Mark))
    return text::Field(*ansi, width);
  if (width < text::kUtf8Mark.size()) return text::Field("", width);
  const std::size_t room = width - text::kUtf8Mark.size();
  return text::Field(std::string(text::kUtf8Mark) + std::string(text::FirstWholeBytes(utf8, room)), width);
}

void BurnRecord::Set(std::size_t offset, std::size_t width, std::string_view s, platform::CodePage& code_page) {
  const std::string field = RecordField(s, width, code_page);
  std::copy(field.begin(), field.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::string LogFilePath(std::string_view data_folder) {
  return std::string(data_folder) + "\\" + std::string(kLogFileName);
}

bool AppendRecord(platform::FileSystem& files, const std::string& log_path, const BurnRecord& record) {
  const std::uint64_t length = files.FileSize(log_path).value_or(0);
  const std::uint64_t offset = length / BurnRecord::kSize * BurnRecord::kSize;
  return files.WriteAt(log_path, offset, record.Bytes());
}

std::string RecordDate(platform::Clock& clock) {
  std::string date = clock.DateText();
  if (date.empty() || date.size() > BurnRecord::kDateWidth) date = clock.IsoDateText();
  return date;
}

std::string RecordTime(platform::Clock& clock) {
  std::string time = clock.TimeText();
  const bool cut_drops_digit = time.find_first_of("0123456789", BurnRecord::kTimeWidth) != std::string::npos;
  if (time.empty() || cut_drops_digit) time = clock.ClockTime();
  return time;
}

void AppendFullRecord(BurnTraces& traces, std::string_view browser, std::string_view title) {
  platform::CodePage& code_page = traces.services.code_page;
  traces.record.SetDate(RecordDate(traces.services.clock), code_page);
  traces.record.SetTime(RecordTime(traces.services.clock), code_page);
  traces.record.SetTitle(title, code_page);
  traces.record.SetBrowser(browser, code_page);
  AppendRecord(traces.services.files, LogFilePath(traces.folders.data), traces.record);
}

void AppendShortRecord(BurnTraces& traces, std::string_view title) {
  const std::string text = "[ " + traces.services.clock.DateText() + " ] [ " +
                           traces.services.clock.TimeText() + " ] [ " + std::string(title) + " ]";
  traces.record.SetTitle(text, traces.services.code_page);
  AppendRecord(traces.services.files, LogFilePath(traces.folders.data), traces.record);
}

std::string NextBurnCount(std::string_view count) {
  // The largest count kept exactly; a counter beyond it stays where it is.
  constexpr double kLargest = 9007199254740992.0;  // 2^53
  double value = std::floor(text::LeadingNumber(count));
  if (!(value >= 0)) value = 0;
  if (value < kLargest) value += 1;
  return std::to_string(static_cast<std::uint64_t>(std::min(value, kLargest)));
}

void CountBurn(BurnTraces& traces) {
  traces.burn_count = NextBurnCount(traces.burn_count);
  settings::WriteOption(traces.services.registry, settings::kBurnCount, traces.burn_count);
}

void PlaySoundFile(platform::Sound& sound, const std::string& path) {
  sound.PlayWaveAsync(path);
}

void PlayBurnSound(BurnTraces& traces) {
  if (!text::IsOn(traces.sound.play_sound)) return;
  if (text::IsOn(traces.sound.browse_sound)) {
    PlaySoundFile(traces.services.sound, text::TrimBlanks(traces.sound.wave_file));
  } else if (text::IsOn(traces.sound.internal_sound)) {
    PlaySoundFile(traces.services.sound, traces.folders.program + std::string(kInternalSoundFile));
  }
}

}  // namespace quellix::engine
