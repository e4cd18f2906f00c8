#pragma once
// Facts about the product that several windows show.

#include <string_view>

namespace quellix::product {

inline constexpr std::string_view kAppTitle = "Quellix";
inline constexpr std::string_view kVersion = "1.00";
// The maker's web address, shown in messages and opened from the information window.
inline constexpr std::string_view kMakerWebAddress = "www.kelvane.example";
inline constexpr std::string_view kSupportMail = "support@kelvane.example";

}  // namespace quellix::product
