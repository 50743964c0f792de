#include "platform/ini_file.h"

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ini_text.h"

namespace norva::platform {
namespace {

int DigitValue(char c, int base) {
  int digit = 99;
  if (c >= '0' && c <= '9') {
    digit = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    digit = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    digit = c - 'A' + 10;
  }
  return digit < base ? digit : -1;
}

// The VCL's StrToIntDef: an optional sign, then decimal digits, or hexadecimal digits after "$" or "0x". A
// decimal number must fit in 32 signed bits; a hexadecimal one is a 32-bit pattern ("$FFFFFFFF" is -1).
std::optional<std::int32_t> ParseVclInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  std::uint64_t magnitude = 0;
  for (char c : text) {
    const int digit = DigitValue(c, base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (magnitude > limit) return std::nullopt;
  }
  auto bits = static_cast<std::uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<std::int32_t>(bits);
}

}  // namespace

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t default_value) {
  const std::string text = ReadString(section, key, "");
  return ParseVclInteger(TrimIni(text)).value_or(default_value);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool default_value) {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  return WriteString(section, key, std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) {
  // As the VCL: the key is one of the section's listed keys (a line without '=' is not listed).
  key = TrimIni(key);
  for (const std::string& name : ReadSection(section)) {
    if (IniNamesEqual(name, key)) return true;
  }
  return false;
}

}  // namespace norva::platform
