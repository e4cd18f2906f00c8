#include "text/utf8.h"

namespace quellix::text {

Utf8Character DecodeUtf8(std::string_view s, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  char32_t code = 0, least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return {};
  }
  if (s.size() - pos < length) return {};
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[pos + k]);
    if ((b & 0xC0) != 0x80) return {};
    code = (code << 6) | (b & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {code, length, true};
}

bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    if (static_cast<unsigned char>(s[i]) < 0x80) {
      ++i;
      continue;
    }
    const Utf8Character c = DecodeUtf8(s, i);
    if (!c.valid) return false;
    i += c.length;
  }
  return true;
}

bool IsAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacementCharacter;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void Utf16FromUtf8(std::string_view utf8, std::u16string& out) {
  out.clear();
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
      continue;
    }
    const Utf8Character c = DecodeUtf8(utf8, i);
    i += c.length;
    if (c.code >= 0x10000) {
      const char32_t v = c.code - 0x10000;
      out += static_cast<char16_t>(0xD800 + (v >> 10));
      out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    } else {
      out += static_cast<char16_t>(c.code);
    }
  }
}

void Utf8FromUtf16(std::u16string_view units, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
               units[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, u);  // a lone surrogate becomes U+FFFD
    }
  }
}

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  Utf16FromUtf8(utf8, out);
  return out;
}

std::string Utf8FromUtf16(std::u16string_view units) {
  std::string out;
  Utf8FromUtf16(units, out);
  return out;
}

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const Utf8Character c = DecodeUtf8(utf8, i);
    i += c.length;
    units += c.code >= 0x10000 ? 2 : 1;
  }
  return units;
}

std::string_view FirstUtf16Units(std::string_view utf8, std::size_t units) {
  std::size_t i = 0;
  for (std::size_t taken = 0; i < utf8.size();) {
    const Utf8Character c = DecodeUtf8(utf8, i);
    const std::size_t width = c.code >= 0x10000 ? 2 : 1;
    if (taken + width > units) break;
    taken += width;
    i += c.length;
  }
  return utf8.substr(0, i);
}

std::string_view FirstWholeBytes(std::string_view utf8, std::size_t bytes) {
  if (bytes >= utf8.size()) return utf8;
  std::size_t i = 0;
  while (i < bytes) {
    const std::size_t length = DecodeUtf8(utf8, i).length;
    if (i + length > bytes) break;
    i += length;
  }
  return utf8.substr(0, i);
}

std::size_t StartOfCharacterBefore(std::string_view utf8, std::size_t pos) {
  if (pos == 0) return 0;
  // A character takes at most four bytes; one that begins further back and ends at `pos`
  // is the one. Otherwise the byte before `pos` stands alone.
  for (std::size_t back = 2; back <= 4 && back <= pos; ++back) {
    const Utf8Character c = DecodeUtf8(utf8, pos - back);
    if (c.valid && c.length == back) return pos - back;
  }
  return pos - 1;
}

}  // namespace quellix::text
