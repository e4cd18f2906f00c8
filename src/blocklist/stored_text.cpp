#include "blocklist/stored_text.h"

#include "text/utf8.h"

namespace quellix::blocklist {
namespace {

constexpr std::string_view kUtf16LittleMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigMark = "\xFE\xFF";

std::string Utf8FromUtf16Bytes(std::string_view bytes, bool little) {
  std::u16string units(bytes.size() / 2, u'\0');  // an odd last byte is no character
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]),
               second = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
  }
  return text::Utf8FromUtf16(units);
}

}  // namespace

bool StartsLikeByteOrderMark(std::string_view bytes) {
  return bytes.starts_with(text::kUtf8Mark) || bytes.starts_with(kUtf16LittleMark) ||
         bytes.starts_with(kUtf16BigMark);
}

std::string StoredBytes(std::string utf8, platform::CodePage& code_page) {
  // ASCII is the same in every ANSI code page: a large list of it costs no conversion.
  if (text::IsAscii(utf8)) return utf8;
  if (std::optional<std::string> ansi = code_page.AnsiFromUtf8(utf8); ansi && !StartsLikeByteOrderMark(*ansi))
    return std::move(*ansi);
  return Utf8WithMark(std::move(utf8));
}

std::string Utf8WithMark(std::string utf8) {
  utf8.insert(0, text::kUtf8Mark);
  return utf8;
}

std::string TextOfStoredBytes(std::string bytes, platform::CodePage& code_page) {
  if (bytes.starts_with(text::kUtf8Mark)) {
    bytes.erase(0, text::kUtf8Mark.size());
    if (text::IsUtf8(bytes)) return bytes;
    return code_page.Utf8FromAnsi(bytes);  // not UTF-8 after all: the bytes are the code page's
  }
  if (bytes.starts_with(kUtf16LittleMark) || bytes.starts_with(kUtf16BigMark))
    return Utf8FromUtf16Bytes(std::string_view(bytes).substr(2), bytes.starts_with(kUtf16LittleMark));
  if (text::IsAscii(bytes)) return bytes;
  return code_page.Utf8FromAnsi(bytes);
}

}  // namespace quellix::blocklist
