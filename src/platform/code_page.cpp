#include "platform/code_page.h"

#include "text/utf8.h"

namespace quellix::platform {

void CodePage::LowerUtf8(std::string_view utf8, std::string& lowered) {
  text::Utf16FromUtf8(utf8, units_);
  LowerUtf16(units_);
  text::Utf8FromUtf16(units_, lowered);
}

}  // namespace quellix::platform
