#include "platform/sim/sim_code_page.h"

#include <optional>

#include "text/utf8.h"

namespace quellix::sim {
namespace {

// Characters of bytes 0x80 to 0x9F in 1252; 0xA0 to 0xFF are the Latin-1 characters.
constexpr char16_t kWestern80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Characters of bytes 0x80 to 0xBF in 1251; 0xC0 to 0xFF are U+0410 to U+044F.
constexpr char16_t kCyrillic80[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

constexpr char32_t kJapaneseDefault = 0x30FB;  // what an incomplete double-byte character reads as

constexpr char32_t WesternChar(unsigned char b) {
  return b >= 0x80 && b < 0xA0 ? kWestern80[b - 0x80] : b;
}

constexpr char32_t CyrillicChar(unsigned char b) {
  if (b < 0x80) return b;
  if (b < 0xC0) return kCyrillic80[b - 0x80];
  return 0x0410 + (b - 0xC0);
}

constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsTrailByte(unsigned char b) {
  return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// A byte that is a character of its own; a lead byte without its trail byte reads as the
// default character.
constexpr char32_t JapaneseSingle(unsigned char b) {
  if (IsLeadByte(b)) return kJapaneseDefault;
  if (b < 0x80) return b;
  if (b >= 0xA1 && b <= 0xDF) return 0xFF61 + (b - 0xA1);  // half-width katakana
  if (b == 0xA0) return 0xF8F0;
  if (b >= 0xFD) return 0xF8F1 + (b - 0xFD);
  return b;  // 0x80
}

constexpr char32_t JapaneseDouble(unsigned char lead, unsigned char trail) {
  if (lead == 0x82 && trail >= 0x60 && trail <= 0x79) return 0xFF21 + (trail - 0x60);  // full-width A-Z
  if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) return 0xFF41 + (trail - 0x81);  // full-width a-z
  const unsigned lead_index = lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31;
  const unsigned trail_index = trail < 0x7F ? trail - 0x40u : trail - 0x41u;
  return 0x4E00 + lead_index * 188 + trail_index;
}

// Simple lower-case mapping of the capitals of the scripts the tests write in: Latin (with
// Latin-1 and Latin Extended-A), Greek, Cyrillic and the full-width Latin letters.
constexpr char32_t Lower(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if (c == 0x0178) return 0x00FF;
  const bool even = c % 2 == 0;
  if ((c >= 0x0100 && c <= 0x0137 && even) || (c >= 0x0139 && c <= 0x0148 && !even) ||
      (c >= 0x014A && c <= 0x0177 && even) || (c >= 0x0179 && c <= 0x017E && !even))
    return c + 1;
  if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) return c + 0x20;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (((c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF)) && even) return c + 1;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  return c;
}

}  // namespace

const SimCodePage::Encoding& SimCodePage::EncodingOf(System code_page) {
  Encoding& encoding = encodings_[code_page];
  if (!encoding.empty()) return encoding;
  for (int b = 0xFF; b >= 0; --b) {
    const auto byte = static_cast<unsigned char>(b);
    if (code_page == System::kJapanese932 && IsLeadByte(byte)) continue;
    const char32_t c = code_page == System::kWestern1252    ? WesternChar(byte)
                       : code_page == System::kCyrillic1251 ? CyrillicChar(byte)
                                                            : JapaneseSingle(byte);
    encoding[c] = std::string(1, static_cast<char>(byte));
  }
  if (code_page == System::kJapanese932) {
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
      for (int trail = 0x40; trail <= 0xFC; ++trail) {
        const auto l = static_cast<unsigned char>(lead), t = static_cast<unsigned char>(trail);
        if (!IsLeadByte(l) || !IsTrailByte(t)) continue;
        encoding.emplace(JapaneseDouble(l, t), std::string{static_cast<char>(l), static_cast<char>(t)});
      }
    }
  }
  return encoding;
}

char32_t SimCodePage::CharacterAt(std::string_view ansi, std::size_t& i) const {
  const auto b = static_cast<unsigned char>(ansi[i++]);
  switch (system) {
    case System::kWestern1252:
      return WesternChar(b);
    case System::kCyrillic1251:
      return CyrillicChar(b);
    case System::kJapanese932:
      if (IsLeadByte(b) && i < ansi.size() && IsTrailByte(static_cast<unsigned char>(ansi[i])))
        return JapaneseDouble(b, static_cast<unsigned char>(ansi[i++]));
      return JapaneseSingle(b);
  }
  return b;
}

std::string SimCodePage::Utf8FromAnsi(std::string_view ansi) {
  std::string utf8;
  utf8.reserve(ansi.size());
  for (std::size_t i = 0; i < ansi.size();) text::AppendUtf8(utf8, CharacterAt(ansi, i));
  return utf8;
}

std::optional<std::string> SimCodePage::AnsiFromUtf8(std::string_view utf8) {
  const Encoding& encoding = EncodingOf(system);
  std::string ansi;
  ansi.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const text::Utf8Character c = text::DecodeUtf8(utf8, i);
    if (!c.valid) return std::nullopt;
    i += c.length;
    const auto it = encoding.find(c.code);
    if (it == encoding.end()) return std::nullopt;
    ansi += it->second;
  }
  return ansi;
}

void SimCodePage::LowerUtf16(std::u16string& units) {
  for (char16_t& u : units) {
    if (u < 0xD800 || u > 0xDFFF) u = static_cast<char16_t>(Lower(u));
  }
}

}  // namespace quellix::sim
