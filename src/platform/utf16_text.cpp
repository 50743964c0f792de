#include "platform/utf16_text.h"

#include <cstdint>

namespace norva::platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// UTF-8 of one code point, surrogates included (their three-byte form).
void AppendWtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The code point at `pos` (surrogates allowed), advancing past it; U+FFFD and one byte for anything else.
char32_t NextWtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  std::size_t length = 1;
  char32_t c = lead;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
  } else if (lead >= 0x80) {
    ++pos;
    return kReplacement;
  }
  if (pos + length > text.size()) {
    ++pos;
    return kReplacement;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    c = (c << 6) | (byte(pos + i) & 0x3F);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < least[length] || c > 0x10FFFF) {
    ++pos;
    return kReplacement;
  }
  pos += length;
  return c;
}

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
    const char32_t c = NextWtf8(text, pos);
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
