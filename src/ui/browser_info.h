#pragma once
// The browser information tool: what Internet Explorer's DDE service "iexplore", topic
// "WWW_GetWindowInfo", item "-1" replies about its last active window.

#include <string>
#include <optional>
#include <string_view>

#include "platform/dde.h"

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

// How long the browser has to answer.
inline constexpr unsigned kDdeTimeoutMs = 3000;

// GetURLfromIE: one request to the browser. The reply, or nothing when the exchange failed
// (no browser, no reply, a refused request); on success `info` holds the parsed fields.
std::optional<std::string> GetUrlFromIe(platform::DdeClient& dde, BrowserWindowInfo& info);

}  // namespace quellix::ui
