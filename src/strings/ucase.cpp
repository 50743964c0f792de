#include "strings/ucase.h"

#include <array>
#include <cstdint>

namespace norva::strings {
namespace {

// Byte -> capital byte for every byte that changes.
constexpr std::array<std::uint8_t, 256> MakeTable() {
  std::array<std::uint8_t, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = static_cast<std::uint8_t>(b);
  for (int b = 'a'; b <= 'z'; ++b) table[b] = static_cast<std::uint8_t>(b - 'a' + 'A');
  constexpr std::uint8_t kPairs[][2] = {{0x9A, 0x8A}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0xE1, 0xC1}, {0xE8, 0xC8},
                                        {0xE9, 0xC9}, {0xEC, 0xCC}, {0xED, 0xCD}, {0xF2, 0xD2}, {0xF3, 0xD3},
                                        {0xF8, 0xD8}, {0xF9, 0xD9}, {0xFA, 0xDA}, {0xFD, 0xDD}};
  for (const auto& pair : kPairs) table[pair[0]] = pair[1];
  return table;
}

constexpr auto kUpper = MakeTable();

}  // namespace

std::string UCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(kUpper[static_cast<std::uint8_t>(c)]);
  return result;
}

}  // namespace norva::strings
