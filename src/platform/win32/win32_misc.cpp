// Clock, sound and message boxes.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {

std::string Win32Clock::DateText() {
  char buffer[80] = {};
  const int n = ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer) : std::string();
}

std::string Win32Clock::TimeText() {
  char buffer[80] = {};
  const int n = ::GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer) : std::string();
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
  switch (::MessageBoxA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner_)), text.c_str(), title.c_str(),
                        flags | MB_SETFOREGROUND)) {
    case IDYES:
      return platform::MessageAnswer::kYes;
    case IDNO:
      return platform::MessageAnswer::kNo;
    default:
      return platform::MessageAnswer::kOk;
  }
}

}  // namespace quellix::win32
