#pragma once
// The browser information tool: what Internet Explorer's DDE service "iexplore", topic
// "WWW_GetWindowInfo", item "-1" replies about its last active window.

#include <string>
#include <string_view>

namespace quellix::ui {

inline constexpr std::string_view kDdeService = "iexplore";
inline constexpr std::string_view kDdeTopic = "WWW_GetWindowInfo";
inline constexpr std::string_view kDdeItem = "-1";
inline constexpr std::string_view kBrowserNotLoaded = "Browser not loaded.";

struct BrowserWindowInfo {
  std::string address;
  std::string title;
};

// The reply is a comma-separated list of double-quoted fields: the address, the title, and
// fields that are ignored. Only characters inside quotes are kept; a comma inside quotes
// belongs to its field. A reply without quotes gives two empty texts.
BrowserWindowInfo ParseWindowInfoReply(std::string_view reply);

}  // namespace quellix::ui
