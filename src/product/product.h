#pragma once
// Facts about the product that several windows show.

#include <string>
#include <string_view>

namespace quellix::product {

inline constexpr std::string_view kAppTitle = "Quellix";
inline constexpr std::string_view kVersion = "1.00";
// The maker's web address, shown in messages and opened from the information window.
inline constexpr std::string_view kMakerWebAddress = "www.kelvane.example";
inline constexpr std::string_view kSupportMail = "support@kelvane.example";

// The help viewer on the product's help file. The viewer is named by its full path in the
// Windows folder, so an hh.exe planted in the current or program folder is never started;
// both paths are quoted, as either may hold a blank.
inline std::string HelpCommandLine(std::string_view windows_folder, std::string_view app_folder) {
  return "\"" + std::string(windows_folder) + "\\hh.exe\" \"" + std::string(app_folder) + "\\Quellix.chm\"";
}

}  // namespace quellix::product
