#include "engine/burn_record.h"

#include <cmath>

#include "settings/settings_store.h"
#include "text/text.h"

namespace quellix::engine {

void BurnRecord::Set(std::size_t offset, std::size_t width, std::string_view s) {
  const std::string field = text::Field(s, width);
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
  traces.record.SetDate(RecordDate(traces.services.clock));
  traces.record.SetTime(RecordTime(traces.services.clock));
  traces.record.SetTitle(title);
  traces.record.SetBrowser(browser);
  AppendRecord(traces.services.files, LogFilePath(traces.folders.data), traces.record);
}

void AppendShortRecord(BurnTraces& traces, std::string_view title) {
  const std::string text = "[ " + traces.services.clock.DateText() + " ] [ " +
                           traces.services.clock.TimeText() + " ] [ " + std::string(title) + " ]";
  traces.record.SetTitle(text);
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
