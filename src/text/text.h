#pragma once
// Text rules shared by the whole product. Text is UTF-8 (text/utf8.h).

#include <string>
#include <string_view>

namespace quellix::text {

// Lower-cases ASCII letters and leaves every other byte alone, so UTF-8 stays whole. Good
// for comparing with ASCII names (window classes, keys, program files); titles and entries
// are lower-cased by characters instead (platform::CodePage::LowerUtf8).
char LowerChar(char c);
std::string LowerCase(std::string_view s);

// A caption as it reads on a button: each "&" that marks an access key left out, "&&" read
// as one "&".
std::string PlainCaption(std::string_view caption);

// Removes blanks (0x20) at both ends; other white space stays.
std::string TrimBlanks(std::string_view s);

// The number a text starts with: an optional sign, digits with an optional fraction and
// exponent, or "&h"/"&o" followed by hexadecimal/octal digits. Blanks (space, tab, line feed)
// are skipped wherever they stand, so "1 0" is 10. Empty or non-numeric text gives 0.
double LeadingNumber(std::string_view s);

// True when the text's leading number is exactly 1: how every on/off setting is judged.
bool IsOn(std::string_view s);

// The text left-aligned in a field of `width` bytes, padded with blanks or cut.
std::string Field(std::string_view s, std::size_t width);

}  // namespace quellix::text
