#include "platform/ini_text.h"

#include <array>

#include "platform/unicode_text.h"

namespace norva::platform {
namespace {

using FoldTable = std::array<unsigned char, 256>;

// Every byte folded to its upper-case partner; bytes that are no letter map to themselves.
FoldTable MakeFoldTable() {
  FoldTable table{};
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i);
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 'a' + 'A');
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) table[c] = static_cast<unsigned char>(c - 0x20);  // 0xF7 is the division sign
  }
  // Windows-1250 letters outside the regular block (Š Ś Ť Ž Ź Ł Ą Ş Ż Ľ); Š and Œ/Ś share places with 1254.
  constexpr std::array<std::array<unsigned char, 2>, 10> kPairs{{{0x9A, 0x8A},
                                                                 {0x9C, 0x8C},
                                                                 {0x9D, 0x8D},
                                                                 {0x9E, 0x8E},
                                                                 {0x9F, 0x8F},
                                                                 {0xB3, 0xA3},
                                                                 {0xB9, 0xA5},
                                                                 {0xBA, 0xAA},
                                                                 {0xBF, 0xAF},
                                                                 {0xBE, 0xBC}}};
  for (const auto& [lower, upper] : kPairs) table[lower] = upper;
  return table;
}

const FoldTable kFold = MakeFoldTable();

unsigned char Fold(char c) {
  return kFold[static_cast<unsigned char>(c)];
}

// The next folded code point of a UTF-8 name; a byte that is no UTF-8 stands for itself, apart from every
// code point.
char32_t NextFolded(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  const char32_t c = NextUtf8(text, pos);
  return c == kInvalidUtf8 ? 0x80000000u | static_cast<unsigned char>(text[start]) : FoldCodePoint(c);
}

constexpr std::size_t kFnvBasis = 14695981039346656037ull;
constexpr std::size_t kFnvPrime = 1099511628211ull;

}  // namespace

bool IsIniBlank(char c) {
  switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '\v':
    case '\f':
    case '\x1A':
      return true;
    default:
      return false;
  }
}

std::string_view TrimIni(std::string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IniNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

bool IniNamesEqualUtf8(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (NextFolded(a, i) != NextFolded(b, j)) return false;
  }
  return i == a.size() && j == b.size();
}

std::size_t IniNameHash::operator()(std::string_view name) const {
  // FNV-1a over the folded bytes or code points: names are short, so this is cheaper than building a folded
  // copy.
  std::size_t hash = kFnvBasis;
  if (utf8) {
    for (std::size_t pos = 0; pos < name.size();) {
      hash ^= NextFolded(name, pos);
      hash *= kFnvPrime;
    }
    return hash;
  }
  for (char c : name) {
    hash ^= Fold(c);
    hash *= kFnvPrime;
  }
  return hash;
}

}  // namespace norva::platform
