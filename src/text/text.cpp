#include "text/text.h"

#include <cmath>
#include <cstdlib>

namespace quellix::text {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a text's characters with blanks left out, as numbers are read: spaces, tabs and
// line feeds may stand anywhere in a number.
class NumberReader {
 public:
  explicit NumberReader(std::string_view s) : s_(s) {}

  // The next character that is not a blank, or NUL at the end.
  char Peek() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n')) ++pos_;
    return pos_ < s_.size() ? s_[pos_] : '\0';
  }
  void Take() { ++pos_; }

 private:
  std::string_view s_;
  std::size_t pos_ = 0;
};

double RadixNumber(NumberReader& in, int radix) {
  double value = 0;
  for (;;) {
    const char l = LowerChar(in.Peek());
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
    in.Take();
  }
  return value;
}

// Appends the digits that follow to `number`; false when there are none.
bool TakeDigits(NumberReader& in, std::string& number) {
  bool any = false;
  while (IsDigit(in.Peek())) {
    number += in.Peek();
    in.Take();
    any = true;
  }
  return any;
}

}  // namespace

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerChar(c);
  return out;
}

std::string PlainCaption(std::string_view caption) {
  std::string plain;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && ++i == caption.size()) break;  // a lone "&" at the end shows nothing
    plain += caption[i];
  }
  return plain;
}

std::string TrimBlanks(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(' ');
  return std::string(s.substr(first, last - first + 1));
}

double LeadingNumber(std::string_view s) {
  NumberReader in(s);
  if (in.Peek() == '&') {
    in.Take();
    const char kind = LowerChar(in.Peek());
    in.Take();
    if (kind == 'h') return RadixNumber(in, 16);
    if (kind == 'o') return RadixNumber(in, 8);
    return 0;
  }
  // Copy the longest prefix of the form [sign] digits [. digits] [e [sign] digits].
  std::string number;
  if (in.Peek() == '+' || in.Peek() == '-') {
    number += in.Peek();
    in.Take();
  }
  bool digits = TakeDigits(in, number);
  if (in.Peek() == '.') {
    number += '.';
    in.Take();
    digits = TakeDigits(in, number) || digits;
  }
  if (!digits) return 0;
  if (LowerChar(in.Peek()) == 'e') {
    std::string exponent = "e";
    in.Take();
    if (in.Peek() == '+' || in.Peek() == '-') {
      exponent += in.Peek();
      in.Take();
    }
    if (TakeDigits(in, exponent)) number += exponent;
  }
  const double value = std::strtod(number.c_str(), nullptr);
  return std::isfinite(value) ? value : 0;
}

bool IsOn(std::string_view s) {
  return LeadingNumber(s) == 1.0;
}

std::string Field(std::string_view s, std::size_t width) {
  std::string out(s.substr(0, width));
  out.resize(width, ' ');
  return out;
}

}  // namespace quellix::text
