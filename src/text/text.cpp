#include "text/text.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace quellix::text {
namespace {

constexpr std::array<unsigned char, 256> MakeLowerTable() {
  std::array<unsigned char, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  for (int i = 'A'; i <= 'Z'; ++i) t[i] = static_cast<unsigned char>(i + 32);
  // Windows-1252 capitals: S caron, OE, Z caron, Y diaeresis and the Latin-1 block.
  t[0x8A] = 0x9A;
  t[0x8C] = 0x9C;
  t[0x8E] = 0x9E;
  t[0x9F] = 0xFF;
  for (int i = 0xC0; i <= 0xDE; ++i)
    if (i != 0xD7) t[i] = static_cast<unsigned char>(i + 32);
  return t;
}

constexpr auto kLower = MakeLowerTable();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double RadixNumber(std::string_view s, int radix) {
  double value = 0;
  for (char c : s) {
    const char l = LowerChar(c);
    int digit;
    if (IsDigit(l)) {
      digit = l - '0';
    } else if (l >= 'a' && l <= 'f') {
      digit = l - 'a' + 10;
    } else {
      break;
    }
    if (digit >= radix) break;
    value = value * radix + digit;
  }
  return value;
}

}  // namespace

char LowerChar(char c) { return static_cast<char>(kLower[static_cast<unsigned char>(c)]); }

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerChar(c);
  return out;
}

std::string TrimBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return std::string(s.substr(first, last - first + 1));
}

double LeadingNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  s.remove_prefix(i);
  if (s.size() >= 2 && s[0] == '&') {
    const char kind = LowerChar(s[1]);
    if (kind == 'h') return RadixNumber(s.substr(2), 16);
    if (kind == 'o') return RadixNumber(s.substr(2), 8);
    return 0;
  }
  // Copy the longest prefix of the form [sign] digits [. digits] [e [sign] digits].
  std::string number;
  std::size_t j = 0;
  if (j < s.size() && (s[j] == '+' || s[j] == '-')) number += s[j++];
  bool digits = false;
  while (j < s.size() && IsDigit(s[j])) number += s[j++], digits = true;
  if (j < s.size() && s[j] == '.') {
    number += s[j++];
    while (j < s.size() && IsDigit(s[j])) number += s[j++], digits = true;
  }
  if (!digits) return 0;
  if (j < s.size() && LowerChar(s[j]) == 'e') {
    std::size_t k = j + 1;
    std::string exponent = "e";
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) exponent += s[k++];
    if (k < s.size() && IsDigit(s[k])) {
      while (k < s.size() && IsDigit(s[k])) exponent += s[k++];
      number += exponent;
    }
  }
  const double value = std::strtod(number.c_str(), nullptr);
  return std::isfinite(value) ? value : 0;
}

bool IsOn(std::string_view s) { return LeadingNumber(s) == 1.0; }

std::string Field(std::string_view s, std::size_t width) {
  std::string out(s.substr(0, width));
  out.resize(width, ' ');
  return out;
}

}  // namespace quellix::text
