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

// The help viewer on the product's help file. The path is quoted: the program folder
// usually holds a blank.
inline std::string HelpCommandLine(std::string_view app_folder) {
  return "hh.exe \"" + std::string(app_folder) + "\\Quellix.chm\"";
}

}  // namespace quellix::product
