#include "platform/sim/sim_code_page.h"

#include <array>
#include <cstring>
#include <optional>

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

// Simple lower-case mapping of every capital the three code pages hold.
constexpr char32_t Lower(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if (c == 0x0160 || c == 0x0152 || c == 0x017D || c == 0x0490) return c + 1;
  if (c == 0x0178) return 0x00FF;
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  return c;
}

// A character as UTF-8: every character here takes one to three bytes.
struct Utf8 {
  std::array<char, 3> bytes{};
  unsigned char size = 0;
};

constexpr Utf8 ToUtf8(char32_t c) {
  Utf8 u;
  if (c < 0x80) {
    u.bytes = {static_cast<char>(c), 0, 0};
    u.size = 1;
  } else if (c < 0x800) {
    u.bytes = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0};
    u.size = 2;
  } else {
    u.bytes = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
               static_cast<char>(0x80 | (c & 0x3F))};
    u.size = 3;
  }
  return u;
}

// Each byte read as a character of its own, lower-cased, in UTF-8.
using ByteTable = std::array<Utf8, 256>;

constexpr ByteTable MakeTable(char32_t (*read)(unsigned char)) {
  ByteTable table;
  for (int b = 0; b < 256; ++b) table[b] = ToUtf8(Lower(read(static_cast<unsigned char>(b))));
  return table;
}

constexpr ByteTable kWestern = MakeTable(WesternChar);
constexpr ByteTable kCyrillic = MakeTable(CyrillicChar);
constexpr ByteTable kJapaneseSingles = MakeTable(JapaneseSingle);

// Writes `u` at `out`, which has room for three bytes, and returns the end of it.
char* Put(const Utf8& u, char* out) {
  std::memcpy(out, u.bytes.data(), u.bytes.size());
  return out + u.size;
}

// The next character of strict UTF-8 at `i`, moving `i` past it; nothing for a byte that
// does not start a whole, shortest-form character.
std::optional<char32_t> NextUtf8(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  std::size_t length = 0;
  char32_t c = 0, least = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (s.size() - i < length) return std::nullopt;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  i += length;
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

void SimCodePage::AppendAnsi(const Encoding& encoding, char32_t c, std::string& ansi) const {
  const auto it = encoding.find(c);
  ansi += it == encoding.end() ? std::string("?") : it->second;
}

std::optional<std::string> SimCodePage::AnsiFromUtf8(std::string_view utf8) {
  const Encoding& encoding = EncodingOf(system);
  std::string ansi;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::optional<char32_t> c = NextUtf8(utf8, i);
    if (!c) return std::nullopt;
    if (*c > 0xFFFF)
      ansi += "??";  // two UTF-16 units, neither held by these code pages
    else
      AppendAnsi(encoding, *c, ansi);
  }
  return ansi;
}

std::string SimCodePage::AnsiFromUtf16(std::u16string_view utf16) {
  const Encoding& encoding = EncodingOf(system);
  std::string ansi;
  for (char16_t unit : utf16) AppendAnsi(encoding, unit, ansi);  // a surrogate is never held
  return ansi;
}

void SimCodePage::LowerUtf8(std::string_view ansi, std::string& utf8) {
  utf8.resize(ansi.size() * 3);
  char* out = utf8.data();
  const ByteTable& singles = system == System::kWestern1252    ? kWestern
                             : system == System::kCyrillic1251 ? kCyrillic
                                                               : kJapaneseSingles;
  for (std::size_t i = 0; i < ansi.size(); ++i) {
    const auto b = static_cast<unsigned char>(ansi[i]);
    if (system == System::kJapanese932 && IsLeadByte(b) && i + 1 < ansi.size() &&
        IsTrailByte(static_cast<unsigned char>(ansi[i + 1]))) {
      out = Put(ToUtf8(Lower(JapaneseDouble(b, static_cast<unsigned char>(ansi[++i])))), out);
    } else {
      out = Put(singles[b], out);
    }
  }
  utf8.resize(static_cast<std::size_t>(out - utf8.data()));
}

}  // namespace quellix::sim
