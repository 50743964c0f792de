// UTF-16 files (little- or big-endian) held as UTF-8 text in memory, losslessly: a surrogate without its
// partner, which UTF-8 cannot carry, is kept in the three-byte form of its code unit (WTF-8), so that text
// read from a damaged file is written back as it was.
#pragma once

#include <string>
#include <string_view>

namespace norva::platform {

enum class ByteOrder { kLittleEndian, kBigEndian };

// The text of UTF-16 bytes (without a byte-order mark). An odd last byte is left out; `odd_byte` (when
// given) receives it, or is emptied.
std::string Utf16ToWtf8(std::string_view bytes, ByteOrder order, std::string* odd_byte = nullptr);

// The UTF-16 bytes of such a text. Bytes that are no UTF-8 become U+FFFD.
std::string Wtf8ToUtf16(std::string_view text, ByteOrder order);

}  // namespace norva::platform
