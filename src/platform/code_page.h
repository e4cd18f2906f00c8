#pragma once
// The system's text services: lower-casing by its own rules, and its ANSI code page, which
// only the stored formats still meet (a list or log written by older versions, or by other
// programs, is in it). Every text inside the product is UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace quellix::platform {

class CodePage {
 public:
  virtual ~CodePage() = default;

  // Lower-cases each UTF-16 unit in place, as the system does (CharLowerBuffW); a
  // surrogate stays as it is.
  virtual void LowerUtf16(std::u16string& units) = 0;
  // Text of the ANSI code page as UTF-8. A byte that does not complete a character reads as
  // the character the system gives it.
  virtual std::string Utf8FromAnsi(std::string_view ansi) = 0;
  // The UTF-8 text in the ANSI code page when every character in it has a byte form there
  // of its own (no "?" for a character the page lacks, no look-alike); nothing otherwise,
  // and nothing when `utf8` is not UTF-8.
  virtual std::optional<std::string> AnsiFromUtf8(std::string_view utf8) = 0;

  // Lower-cases UTF-8 text by characters into `lowered`, replacing what it held (its
  // capacity is kept, so a reused string costs no allocation); a byte that begins no
  // character becomes U+FFFD. UTF-8 keeps characters apart: one result contains another
  // as bytes exactly when it contains it as characters.
  void LowerUtf8(std::string_view utf8, std::string& lowered);

 private:
  std::u16string units_;  // reused by LowerUtf8
};

}  // namespace quellix::platform
