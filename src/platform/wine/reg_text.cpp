#include "platform/wine/reg_text.h"

#include <vector>

#include "platform/unicode_text.h"

namespace norva::platform::wine {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Joins surrogate pairs of a run of UTF-16 units into UTF-8.
void AppendUnits(std::string& out, const std::vector<char16_t>& units) {
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (char32_t{units[i + 1]} - 0xDC00));
      ++i;
    } else {
      AppendUtf8(out, unit);  // a lone surrogate comes out as U+FFFD
    }
  }
}

void AppendCodePoint(std::vector<char16_t>& units, char32_t c) {
  if (c >= 0x10000) {
    c -= 0x10000;
    units.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
    units.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
  } else {
    units.push_back(static_cast<char16_t>(c));
  }
}

char16_t SimpleEscape(char c) {
  switch (c) {
    case 'a':
      return 0x07;
    case 'b':
      return 0x08;
    case 'e':
      return 0x1B;
    case 'f':
      return 0x0C;
    case 'n':
      return 0x0A;
    case 'r':
      return 0x0D;
    case 't':
      return 0x09;
    case 'v':
      return 0x0B;
    default:
      return static_cast<unsigned char>(c);
  }
}

}  // namespace

bool ParseRegString(std::string_view text, std::size_t& pos, char delimiter, std::string* utf8) {
  std::vector<char16_t> units;
  std::size_t i = pos;
  while (i < text.size()) {
    const char c = text[i];
    if (c == delimiter) {
      pos = i + 1;
      utf8->clear();
      AppendUnits(*utf8, units);
      return true;
    }
    if (c != '\\') {
      const char32_t code_point = NextUtf8(text, i);
      if (code_point != kInvalidUtf8) AppendCodePoint(units, code_point);
      continue;
    }
    ++i;
    if (i >= text.size()) break;
    const char escaped = text[i];
    if (escaped == 'x' && i + 1 < text.size() && HexValue(text[i + 1]) >= 0) {
      unsigned value = 0;
      std::size_t digits = 0;
      ++i;
      while (digits < 4 && i < text.size() && HexValue(text[i]) >= 0) {
        value = value * 16 + static_cast<unsigned>(HexValue(text[i]));
        ++i;
        ++digits;
      }
      units.push_back(static_cast<char16_t>(value));
    } else if (escaped >= '0' && escaped <= '7') {
      unsigned value = 0;
      std::size_t digits = 0;
      while (digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7') {
        value = value * 8 + static_cast<unsigned>(text[i] - '0');
        ++i;
        ++digits;
      }
      units.push_back(static_cast<char16_t>(value));
    } else if (static_cast<unsigned char>(escaped) >= 0x80) {
      // An escaped raw UTF-8 character stands for itself, like any other escaped character.
      const char32_t code_point = NextUtf8(text, i);
      if (code_point != kInvalidUtf8) AppendCodePoint(units, code_point);
    } else {
      units.push_back(SimpleEscape(escaped));
      ++i;
    }
  }
  return false;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::vector<char16_t> units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  std::string out;
  AppendUnits(out, units);
  return out;
}

}  // namespace norva::platform::wine
