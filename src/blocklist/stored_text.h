#pragma once
// How the product's text files are encoded on disk. Inside the product every text is UTF-8;
// on disk a file stays what it always was when it can: text in the system's ANSI code page.
// A text holding a character that page lacks is written as UTF-8 behind its byte-order mark
// instead, so no entry ever turns into "?".

#include <string>

#include "platform/code_page.h"

namespace quellix::blocklist {

// The bytes for a text file: the text in the ANSI code page when every character of it has
// a form there of its own and the bytes would not begin like a byte-order mark; otherwise
// the UTF-8 byte-order mark followed by the text.
std::string StoredBytes(std::string utf8, platform::CodePage& code_page);

// The UTF-8 byte-order mark followed by the text.
std::string Utf8WithMark(std::string utf8);

// The text of a file's bytes as UTF-8: after a UTF-8 byte-order mark, the UTF-8 that follows
// (bytes that are not UTF-8 there are read in the ANSI code page after all); after a UTF-16
// mark, in either byte order, the UTF-16 that follows (an odd last byte is no character, an
// unpaired surrogate reads as U+FFFD); with no mark, text in the ANSI code page.
std::string TextOfStoredBytes(std::string bytes, platform::CodePage& code_page);

// True when the bytes begin like a UTF-8 or UTF-16 byte-order mark.
bool StartsLikeByteOrderMark(std::string_view bytes);

}  // namespace quellix::blocklist
