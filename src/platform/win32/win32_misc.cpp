// Clock, sound and message boxes.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <iterator>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {

// The user's formats may hold characters of any script (a month's name, an AM/PM mark).
std::string Win32Clock::DateText() {
  wchar_t buffer[80] = {};
  const int n = ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer,
                                 static_cast<int>(std::size(buffer)));
  return n > 0 ? Narrow(buffer) : std::string();
}

std::string Win32Clock::TimeText() {
  wchar_t buffer[80] = {};
  const int n =
      ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, static_cast<int>(std::size(buffer)));
  return n > 0 ? Narrow(buffer) : std::string();
}

std::string Win32Clock::IsoDateText() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char buffer[16] = {};
  std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
  return buffer;
}

std::string Win32Clock::ClockTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char buffer[16] = {};
  std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
  return buffer;
}

std::uint64_t Win32Clock::MonotonicMs() { return GetTickCount64(); }

void Win32Sound::PlayWaveAsync(const std::string& path) {
  ::sndPlaySoundW(Widen(path).c_str(), SND_ASYNC | SND_NODEFAULT);
}

platform::MessageAnswer Win32MessageBoxes::Show(const std::string& text, const std::string& title,
                                                platform::MessageIcon icon, platform::MessageButtons buttons) {
  UINT flags = buttons == platform::MessageButtons::kYesNo ? MB_YESNO : MB_OK;
  if (icon == platform::MessageIcon::kStop) flags |= MB_ICONSTOP;
  if (icon == platform::MessageIcon::kInformation) flags |= MB_ICONINFORMATION;
  switch (::MessageBoxW(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner_)), Widen(text).c_str(),
                        Widen(title).c_str(), flags | MB_SETFOREGROUND)) {
    case IDYES:
      return platform::MessageAnswer::kYes;
    case IDNO:
      return platform::MessageAnswer::kNo;
    default:
      return platform::MessageAnswer::kOk;
  }
}

}  // namespace quellix::win32
