#include "install/link_bytes.h"

#include "platform/unicode_text.h"

namespace norva::install {

std::optional<std::uint8_t> LinkBytes::U8(std::size_t offset) const {
  if (offset >= bytes_.size()) return std::nullopt;
  return static_cast<std::uint8_t>(bytes_[offset]);
}

std::optional<std::uint16_t> LinkBytes::U16(std::size_t offset) const {
  const auto slice = Slice(offset, 2);
  if (!slice) return std::nullopt;
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>((*slice)[0]) |
                                    (static_cast<std::uint8_t>((*slice)[1]) << 8));
}

std::optional<std::uint32_t> LinkBytes::U32(std::size_t offset) const {
  const auto slice = Slice(offset, 4);
  if (!slice) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>((*slice)[i]);
  return value;
}

std::optional<std::string_view> LinkBytes::Slice(std::size_t offset, std::size_t length) const {
  // Written so that no sum can wrap around.
  if (offset > bytes_.size() || length > bytes_.size() - offset) return std::nullopt;
  return bytes_.substr(offset, length);
}

std::optional<std::string_view> LinkBytes::From(std::size_t offset) const {
  if (offset > bytes_.size()) return std::nullopt;
  return bytes_.substr(offset);
}

std::string_view AnsiZ(std::string_view bytes) {
  const auto zero = bytes.find('\0');
  return zero == std::string_view::npos ? bytes : bytes.substr(0, zero);
}

std::string Utf16ZToUtf8(std::string_view bytes) {
  std::string out;
  const std::size_t units = bytes.size() / 2;
  auto unit_at = [&](std::size_t i) {
    return static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                 (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
  };
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t unit = unit_at(i);
    if (unit == 0) break;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
      const char16_t low = unit_at(i + 1);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        platform::AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    platform::AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? char32_t{0xFFFD} : char32_t{unit});
  }
  return out;
}

std::string Utf16ZToAnsi(std::string_view bytes, platform::CodePage code_page) {
  return platform::Utf8ToAnsi(Utf16ZToUtf8(bytes), code_page);
}

}  // namespace norva::install
