#pragma once
// Every registry value the product reads or writes, in one place.

#include <string_view>

#include "platform/registry.h"

namespace quellix::settings {

using platform::RegistryRoot;

// The product key under HKEY_LOCAL_MACHINE. Some callers name it with a trailing
// backslash; both spellings are the same key.
inline constexpr RegistryRoot kProductRoot = RegistryRoot::kLocalMachine;
inline constexpr std::string_view kProductKey = "software\\Kelvane\\popup\\option";
inline constexpr std::string_view kProductKeySlash = "software\\Kelvane\\popup\\option\\";

// Switches named after the index of the option check box they mirror: "0" / "1".
inline constexpr std::string_view kSupportIe = "0";          // "Support Internet Explorer"
inline constexpr std::string_view kSupportNetscape = "1";    // "Support Netscape / Mozilla"
inline constexpr std::string_view kPlaySound = "2";          // "Play Sound on Popup Kill"
inline constexpr std::string_view kKillNoMaxButton = "3";    // "Kill window has no max button"
inline constexpr std::string_view kAutoStart = "4";          // "Auto Start With Windows"
inline constexpr std::string_view kKillNoMinButton = "5";    // "Kill window has no min button"
inline constexpr std::string_view kKillNoTitleBar = "6";     // "Kill window has No TitleBar"
inline constexpr std::string_view kEnableLogging = "7";      // "Enable Logging"

inline constexpr std::string_view kWaveFile = "wavfile";     // path of the burn sound
inline constexpr std::string_view kInternalSound = "wavint"; // "Internal Sound" chosen
inline constexpr std::string_view kBrowseSound = "wavext";   // "Browse a File" chosen
inline constexpr std::string_view kBurnCount = "cnt";        // pop-ups burned so far
inline constexpr std::string_view kStartDate = "stdt";       // date the count runs from
inline constexpr std::string_view kAutoRefresh = "refresh";  // picker's "Auto Refresh"
// "Burn Chrome / Edge / Brave / Opera / Vivaldi pop-ups": "1" / "0", missing is off.
inline constexpr std::string_view kChromium = "chromium";
// "Burn pop-ups the moment they appear": "1" / "0", missing is off.
inline constexpr std::string_view kInstant = "instant";

// Auto-start entry, written under both Run keys of HKEY_CURRENT_USER, in this order.
inline constexpr RegistryRoot kRunRoot = RegistryRoot::kCurrentUser;
inline constexpr std::string_view kRunKeyNt = "software\\microsoft\\windows nt\\currentversion\\run\\";
inline constexpr std::string_view kRunKeyWindows = "software\\microsoft\\windows\\currentversion\\run\\";
inline constexpr std::string_view kAutoStartValue = "Kelvane Quellix";
inline constexpr std::string_view kAutoStartExe = "\\quellix.exe";

}  // namespace quellix::settings
