#include "platform/utf16_text.h"

#include <cstdint>

#include "platform/unicode_text.h"

namespace norva::platform {
namespace {

void AppendUnit(std::string& out, std::uint16_t unit, ByteOrder order) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  if (order == ByteOrder::kLittleEndian) {
    out += low;
    out += high;
  } else {
    out += high;
    out += low;
  }
}

}  // namespace

std::string Utf16ToWtf8(std::string_view bytes, ByteOrder order, std::string* odd_byte) {
  const std::size_t units = bytes.size() / 2;
  if (odd_byte != nullptr) *odd_byte = bytes.size() % 2 != 0 ? std::string(1, bytes.back()) : std::string();
  auto unit = [&](std::size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    return order == ByteOrder::kLittleEndian ? (second << 8 | first) : (first << 8 | second);
  };
  std::string text;
  text.reserve(units);
  for (std::size_t i = 0; i < units; ++i) {
    const char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
      const char32_t next = unit(i + 1);
      if (next >= 0xDC00 && next <= 0xDFFF) {
        AppendWtf8(text, 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00));
        ++i;
        continue;
      }
    }
    AppendWtf8(text, c);
  }
  return text;
}

std::string Wtf8ToUtf16(std::string_view text, ByteOrder order) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  std::size_t pos = 0;
  while (pos < text.size()) {
    char32_t c = NextWtf8(text, pos);
    if (c == kInvalidUtf8) c = 0xFFFD;
    if (c >= 0x10000) {
      AppendUnit(bytes, static_cast<std::uint16_t>(0xD800 + ((c - 0x10000) >> 10)), order);
      AppendUnit(bytes, static_cast<std::uint16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)), order);
    } else {
      AppendUnit(bytes, static_cast<std::uint16_t>(c), order);
    }
  }
  return bytes;
}

}  // namespace norva::platform
