#pragma once
// The code pages the simulation knows: Western (1252, the default) and Cyrillic (1251)
// single-byte pages, and a Japanese double-byte model of 932 (Shift-JIS lead and trail
// bytes, half-width katakana, full-width Latin letters; every other double-byte character
// stands for a distinct ideograph). Lower-casing knows the capitals of Latin, Greek,
// Cyrillic and the full-width Latin letters.

#include <map>
#include <unordered_map>

#include "platform/code_page.h"

namespace quellix::sim {

class SimCodePage final : public platform::CodePage {
 public:
  enum class System { kWestern1252, kCyrillic1251, kJapanese932 };
  System system = System::kWestern1252;

  void LowerUtf16(std::u16string& units) override;
  std::string Utf8FromAnsi(std::string_view ansi) override;
  std::optional<std::string> AnsiFromUtf8(std::string_view utf8) override;

 private:
  // The bytes of each character the code page holds, made on first use.
  using Encoding = std::unordered_map<char32_t, std::string>;
  const Encoding& EncodingOf(System code_page);
  // The character that begins at byte `i` of ANSI text, moving `i` past it.
  char32_t CharacterAt(std::string_view ansi, std::size_t& i) const;

  std::map<System, Encoding> encodings_;
};

}  // namespace quellix::sim
