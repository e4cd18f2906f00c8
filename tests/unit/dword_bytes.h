#pragma once
// The bytes of a REG_DWORD value, as the registry keeps them (little-endian).

#include <cstdint>
#include <string>

namespace quellix::testing {

inline std::string Dword(std::uint32_t n) {
  std::string bytes(4, '\0');
  for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
  return bytes;
}

}  // namespace quellix::testing
