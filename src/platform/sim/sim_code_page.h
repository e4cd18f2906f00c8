#pragma once
// The code pages the simulation knows: Western (1252, the default) and Cyrillic (1251)
// single-byte pages, and a Japanese double-byte model of 932 (Shift-JIS lead and trail
// bytes, half-width katakana, full-width Latin letters; every other double-byte character
// stands for a distinct ideograph).

#include "platform/code_page.h"

namespace quellix::sim {

class SimCodePage final : public platform::CodePage {
 public:
  enum class System { kWestern1252, kCyrillic1251, kJapanese932 };
  System system = System::kWestern1252;

  void LowerUtf8(std::string_view ansi, std::string& utf8) override;
};

}  // namespace quellix::sim
