#include "controls/property_bag.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "text/text.h"

namespace quellix::controls {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

void SkipBlanks(std::string_view& s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A whole number at the start of s (blanks skipped), consumed; 32-bit signed or unsigned.
std::optional<std::int32_t> TakeInt(std::string_view& s) {
  SkipBlanks(s);
  const bool negative = !s.empty() && s.front() == '-';
  if (negative) s.remove_prefix(1);
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (error != std::errc() || magnitude > 0xFFFFFFFFull) return std::nullopt;
  s.remove_prefix(static_cast<std::size_t>(end - s.data()));
  if (negative) {
    if (magnitude > 0x80000000ull) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
}

std::optional<double> TakeDouble(std::string_view& s) {
  SkipBlanks(s);
  double value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc()) return std::nullopt;
  s.remove_prefix(static_cast<std::size_t>(end - s.data()));
  return value;
}

// A quoted text at the start of s, consumed and unescaped.
std::optional<std::string> TakeQuoted(std::string_view& s) {
  SkipBlanks(s);
  if (s.empty() || s.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      s.remove_prefix(i + 1);
      return out;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= s.size()) return std::nullopt;
    switch (s[i]) {
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        if (i + 2 >= s.size()) return std::nullopt;
        const int high = HexDigit(s[i + 1]), low = HexDigit(s[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        out += s[i];
        break;  // \" and \\ (and any other escaped character as itself)
    }
  }
  return std::nullopt;
}

bool AtEnd(std::string_view s) {
  SkipBlanks(s);
  return s.empty();
}

}  // namespace

std::string QuoteText(std::string_view value) {
  std::string out = "\"";
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out + '"';
}

const std::string* PropertyBag::Find(std::string_view key) const {
  const std::string wanted = text::LowerCase(key);
  for (const auto& [k, v] : entries_)
    if (text::LowerCase(k) == wanted) return &v;
  return nullptr;
}

void PropertyBag::Put(std::string_view key, std::string value) {
  const std::string wanted = text::LowerCase(key);
  for (auto& [k, v] : entries_) {
    if (text::LowerCase(k) == wanted) {
      v = std::move(value);
      return;
    }
  }
  entries_.emplace_back(std::string(key), std::move(value));
}

std::int32_t PropertyBag::ReadInt(std::string_view key, std::int32_t fallback) const {
  const std::string* value = Find(key);
  if (!value) return fallback;
  std::string_view s = *value;
  const auto number = TakeInt(s);
  return number && AtEnd(s) ? *number : fallback;
}

bool PropertyBag::ReadBool(std::string_view key, bool fallback) const {
  const std::string* value = Find(key);
  if (!value) return fallback;
  std::string_view s = *value;
  const auto number = TakeInt(s);
  return number && AtEnd(s) ? *number != 0 : fallback;
}

std::string PropertyBag::ReadText(std::string_view key, const std::string& fallback) const {
  const std::string* value = Find(key);
  if (!value) return fallback;
  std::string_view s = *value;
  auto text = TakeQuoted(s);
  return text && AtEnd(s) ? std::move(*text) : fallback;
}

platform::FontSpec PropertyBag::ReadFont(std::string_view key, const platform::FontSpec& fallback) const {
  const std::string* value = Find(key);
  if (!value) return fallback;
  std::string_view s = *value;
  auto name = TakeQuoted(s);
  const auto size = TakeDouble(s);
  const auto weight = TakeInt(s);
  const auto italic = TakeInt(s), underline = TakeInt(s), strikethrough = TakeInt(s);
  const auto charset = TakeInt(s);
  if (!name || !size || !weight || !italic || !underline || !strikethrough || !charset || !AtEnd(s))
    return fallback;
  // Sizes and weights a font can have; anything else is a damaged entry.
  if (!(*size > 0 && *size <= 2048) || *weight < 0 || *weight > 1000 || *charset < 0 || *charset > 255)
    return fallback;
  platform::FontSpec font;
  font.name = std::move(*name);
  font.size = *size;
  font.weight = *weight;
  font.italic = *italic != 0;
  font.underline = *underline != 0;
  font.strikethrough = *strikethrough != 0;
  font.charset = *charset;
  return font;
}

platform::Picture PropertyBag::ReadPicture(std::string_view key) const {
  return {ReadText(key, "")};
}

void PropertyBag::WriteInt(std::string_view key, std::int32_t value) {
  Put(key, std::to_string(value));
}

void PropertyBag::WriteColour(std::string_view key, std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(value));
  Put(key, buffer);
}

void PropertyBag::WriteBool(std::string_view key, bool value) {
  Put(key, value ? "-1" : "0");
}

void PropertyBag::WriteText(std::string_view key, std::string_view value) {
  Put(key, QuoteText(value));
}

void PropertyBag::WriteFont(std::string_view key, const platform::FontSpec& font) {
  char size[32];
  const auto written = std::to_chars(size, size + sizeof size, font.size);
  const std::string_view size_text(size, static_cast<std::size_t>(written.ptr - size));
  const auto flag = [](bool b) { return b ? std::string("-1") : std::string("0"); };
  Put(key, QuoteText(font.name) + ' ' + std::string(size_text) + ' ' + std::to_string(font.weight) + ' ' +
               flag(font.italic) + ' ' + flag(font.underline) + ' ' + flag(font.strikethrough) + ' ' +
               std::to_string(font.charset));
}

void PropertyBag::WritePicture(std::string_view key, const platform::Picture& picture) {
  if (!picture.Empty()) Put(key, QuoteText(picture.key));
}

}  // namespace quellix::controls
