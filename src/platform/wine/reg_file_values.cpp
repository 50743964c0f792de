// The value lines of a key block: "name"=data or @=data, in every data form Wine writes.
#include <cstdlib>

#include "platform/wine/reg_file.h"
#include "platform/wine/reg_text.h"

namespace norva::platform::wine {
namespace {

// The line without its ending and without leading blanks.
std::string_view Content(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  return line;
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads "(N):" after "str" or "hex"; a missing "(N)" leaves `type` as it is.
bool ParseTypeSuffix(std::string_view text, std::size_t& pos, std::uint32_t& type) {
  if (pos < text.size() && text[pos] == '(') {
    std::uint32_t value = 0;
    std::size_t i = pos + 1;
    const std::size_t digits_start = i;
    while (i < text.size() && HexDigit(text[i]) >= 0)
      value = value * 16 + static_cast<std::uint32_t>(HexDigit(text[i++]));
    if (i == digits_start || i >= text.size() || text[i] != ')') return false;
    type = value;
    pos = i + 1;
  }
  if (pos >= text.size() || text[pos] != ':') return false;
  ++pos;
  return true;
}

// The lines of a block one at a time, each with its ending.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}
  bool done() const { return pos_ >= text_.size(); }
  std::size_t pos() const { return pos_; }
  std::string_view Next() {
    std::size_t end = text_.find('\n', pos_);
    end = end == std::string_view::npos ? text_.size() : end + 1;
    const std::string_view line = text_.substr(pos_, end - pos_);
    pos_ = end;
    return line;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Comma-separated hex bytes; a trailing '\' continues the data on the next line of the block.
bool ParseHexBytes(std::string_view text, std::string& bytes, LineReader& lines) {
  std::string_view rest = text;
  for (;;) {
    std::size_t i = 0;
    while (i < rest.size()) {
      const char c = rest[i];
      if (c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n') {
        ++i;
      } else if (c == '\\') {
        break;
      } else if (HexDigit(c) >= 0 && i + 1 < rest.size() && HexDigit(rest[i + 1]) >= 0) {
        bytes += static_cast<char>(HexDigit(c) * 16 + HexDigit(rest[i + 1]));
        i += 2;
      } else {
        return false;
      }
    }
    if (i >= rest.size()) return true;
    if (lines.done()) return true;  // a continuation at the end of the block ends the data
    rest = Content(lines.Next());
  }
}

bool ParseData(std::string_view data, RegValue& value, LineReader& lines) {
  std::size_t pos = 0;
  if (data.starts_with('"') || data.starts_with("str")) {
    value.type = kRegSz;
    if (data.starts_with("str")) {
      pos = 3;
      if (!ParseTypeSuffix(data, pos, value.type)) return false;
    }
    if (pos >= data.size() || data[pos] != '"') return false;
    ++pos;
    return ParseRegString(data, pos, '"', &value.data);
  }
  if (data.starts_with("dword:")) {
    value.type = kRegDword;
    const std::string digits(data.substr(6));
    char* end = nullptr;
    const unsigned long number = std::strtoul(digits.c_str(), &end, 16);
    for (int shift = 0; shift < 32; shift += 8) value.data += static_cast<char>((number >> shift) & 0xFF);
    return end != digits.c_str();
  }
  if (data.starts_with("hex")) {
    value.type = kRegBinary;
    pos = 3;
    if (!ParseTypeSuffix(data, pos, value.type) || !ParseHexBytes(data.substr(pos), value.data, lines)) {
      return false;
    }
    if (value.type == kRegSz || value.type == kRegExpandSz) value.data = Utf16LeToUtf8(value.data);
    return true;
  }
  return false;
}

}  // namespace

std::vector<RegValue> ParseRegValues(std::string_view text, std::size_t offset) {
  std::vector<RegValue> values;
  LineReader lines(text);
  while (!lines.done()) {
    const std::size_t begin = lines.pos();
    const std::string_view line = Content(lines.Next());
    if (!(line.starts_with('"') || line.starts_with('@'))) continue;
    RegValue value;
    std::size_t pos = 1;
    if (line.front() == '"' && !ParseRegString(line, pos, '"', &value.name)) continue;
    SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    SkipBlanks(line, pos);
    const bool ok = ParseData(line.substr(pos), value, lines);
    value.begin = offset + begin;
    value.end = offset + lines.pos();
    if (ok) values.push_back(std::move(value));
  }
  return values;
}

}  // namespace norva::platform::wine
