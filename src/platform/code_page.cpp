#include "platform/code_page.h"

#include "text/text.h"
#include "text/utf8.h"

namespace quellix::platform {

void CodePage::LowerUtf8(std::string_view utf8, std::string& lowered) {
  // Most titles are ASCII, whose capitals every system lowers alike: no round through UTF-16.
  if (text::IsAscii(utf8)) {
    lowered.assign(utf8);
    for (char& c : lowered) c = text::LowerChar(c);
    return;
  }
  text::Utf16FromUtf8(utf8, units_);
  LowerUtf16(units_);
  text::Utf8FromUtf16(units_, lowered);
}

}  // namespace quellix::platform
