#pragma once
// UTF-8, the form every text takes inside the product, and UTF-16, the form Windows keeps
// texts in. Strict UTF-8 only: shortest forms, no surrogates, nothing above U+10FFFF. A byte
// that does not begin a whole character is one character of its own wherever these count
// characters, and U+FFFD wherever they convert.

#include <cstddef>
#include <string>
#include <string_view>

namespace quellix::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;
// U+FEFF as UTF-8: the mark that opens a file of UTF-8 text.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

struct Utf8Character {
  char32_t code = kReplacementCharacter;
  std::size_t length = 1;  // bytes taken, at least one
  bool valid = false;      // false: the byte at the position begins no whole character
};

// The character that begins at byte `pos` (< size).
Utf8Character DecodeUtf8(std::string_view s, std::size_t pos);
bool IsUtf8(std::string_view s);
bool IsAscii(std::string_view s);
void AppendUtf8(std::string& out, char32_t code);

// The conversions; each replaces what `out` held but keeps its capacity, so a reused
// string costs no allocation.
void Utf16FromUtf8(std::string_view utf8, std::u16string& out);
void Utf8FromUtf16(std::u16string_view units, std::string& out);  // a lone surrogate gives U+FFFD
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view units);

// How many UTF-16 units the text takes.
std::size_t Utf16Length(std::string_view utf8);
// The longest start of the text that takes at most `units` UTF-16 units: a character outside
// the Basic Multilingual Plane takes two and is never cut in half.
std::string_view FirstUtf16Units(std::string_view utf8, std::size_t units);
// The longest start of at most `bytes` bytes that ends between two characters.
std::string_view FirstWholeBytes(std::string_view utf8, std::size_t bytes);
// Where the character that ends at byte `pos` begins; 0 for `pos` 0.
std::size_t StartOfCharacterBefore(std::string_view utf8, std::size_t pos);

}  // namespace quellix::text
