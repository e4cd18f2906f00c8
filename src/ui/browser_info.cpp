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

}  // namespace quellix::ui
