#pragma once
// The system's ANSI code page, in which window titles and the block list are written.

#include <optional>
#include <string>
#include <string_view>

namespace quellix::platform {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // Reads `ansi` as characters of the system's ANSI code page, lower-cases each one and
  // writes the result to `utf8` as UTF-8, replacing what it held (its capacity is kept, so
  // a reused string costs no allocation). A byte that does not complete a character counts
  // as one character. UTF-8 keeps characters apart: one result contains another as bytes
  // exactly when it contains it as characters.
  virtual void LowerUtf8(std::string_view ansi, std::string& utf8) = 0;
  // `utf8` as text of the ANSI code page, a character the code page does not hold written
  // as "?" (never as a look-alike), one for each UTF-16 unit it takes; nothing when `utf8`
  // is not valid UTF-8.
  virtual std::optional<std::string> AnsiFromUtf8(std::string_view utf8) = 0;
  // UTF-16 code units as text of the ANSI code page, by the same rule.
  virtual std::string AnsiFromUtf16(std::u16string_view utf16) = 0;
};

}  // namespace quellix::platform
