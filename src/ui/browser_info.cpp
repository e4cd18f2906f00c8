#include "ui/browser_info.h"

namespace quellix::ui {

BrowserWindowInfo ParseWindowInfoReply(std::string_view reply) {
  BrowserWindowInfo info;
  std::string* slot = &info.address;
  bool quoted = false;
  for (char c : reply) {
    if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      if (slot == &info.title) break;  // a third field begins
      slot = &info.title;
    } else if (quoted) {
      slot->push_back(c);
    }
  }
  return info;
}

std::optional<std::string> GetUrlFromIe(platform::DdeClient& dde, BrowserWindowInfo& info) {
  std::optional<std::string> reply =
      dde.RequestText(std::string(kDdeService), std::string(kDdeTopic), std::string(kDdeItem), kDdeTimeoutMs);
  if (reply) info = ParseWindowInfoReply(*reply);
  return reply;
}

}  // namespace quellix::ui
