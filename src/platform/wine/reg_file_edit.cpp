// Deletions from a registry file's text: the lines of a value, or the blocks of a key and its subkeys.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/unicode_text.h"
#include "platform/wine/reg_file.h"

namespace norva::platform::wine {
namespace {

using Range = std::pair<std::size_t, std::size_t>;  // bytes [first, second)

bool IsUnder(std::string_view folded_path, std::string_view folded_key) {
  return folded_path.size() > folded_key.size() && folded_path.starts_with(folded_key) &&
         folded_path[folded_key.size()] == '\\';
}

// The text without the ranges (sorted, not overlapping), with `insert` put in at byte `insert_at`.
std::string Without(std::string_view text, const std::vector<Range>& ranges, std::size_t insert_at = 0,
                    std::string_view insert = {}) {
  std::string result;
  result.reserve(text.size() + insert.size());
  std::size_t pos = 0;
  for (const auto& [first, last] : ranges) {
    if (insert_at >= pos && insert_at <= first && !insert.empty()) {
      result.append(text.substr(pos, insert_at - pos));
      result.append(insert);
      pos = insert_at;
      insert = {};
    }
    result.append(text.substr(pos, first - pos));
    pos = last;
  }
  result.append(text.substr(pos));
  return result;
}

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// One component of a key path as wineserver writes it: '\\', '[' and ']' escaped, control characters as C
// or octal escapes, everything beyond ASCII as \x and its UTF-16 units (four digits when a hex digit
// follows).
std::string EscapeKeyComponent(std::string_view utf8) {
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t c = NextUtf8(utf8, pos);
    const bool hex_follows = pos < utf8.size() && IsHexDigit(utf8[pos]);
    const bool octal_follows = pos < utf8.size() && utf8[pos] >= '0' && utf8[pos] <= '7';
    char escape[24];
    if (c == '\\' || c == '[' || c == ']') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 32) {
      constexpr std::string_view kLetters = "abtnvfr";  // 7..13
      if (c >= 7 && c <= 13) {
        out += '\\';
        out += kLetters[c - 7];
      } else if (c == 0x1B) {
        out += "\\e";
      } else {
        std::snprintf(escape, sizeof escape, octal_follows ? "\\%03o" : "\\%o", static_cast<unsigned>(c));
        out += escape;
      }
    } else if (c < 128) {
      out += static_cast<char>(c);
    } else {
      const char32_t code = c == kInvalidUtf8 ? 0xFFFD : c;
      auto unit = [&](unsigned value, bool wide) {
        std::snprintf(escape, sizeof escape, wide ? "\\x%04x" : "\\x%x", value);
        out += escape;
      };
      if (code >= 0x10000) {
        unit(0xD800 + ((code - 0x10000) >> 10), true);
        unit(0xDC00 + ((code - 0x10000) & 0x3FF), hex_follows);
      } else {
        unit(code, hex_follows);
      }
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> RegFile::TextWithoutValue(std::string_view path, std::string_view name) const {
  const std::string folded_name = FoldCase(name);
  std::vector<Range> drop;
  for (const std::uint32_t index : BlocksOf(path)) {
    for (const RegValue& value : ValuesOf(index)) {
      if (FoldCase(value.name) == folded_name) drop.emplace_back(value.begin, value.end);
    }
  }
  if (drop.empty() || !HoldText()) return std::nullopt;
  return Without(text_, drop);
}

std::optional<std::string> RegFile::TextWithoutKey(std::string_view path, std::int64_t unix_seconds) const {
  if (path.empty() || !KeyExists(path) || !HoldText()) return std::nullopt;
  const std::string folded = FoldCase(path);
  const std::vector<std::string>& paths = FoldedPaths();
  std::vector<Range> drop;
  std::vector<bool> dropped(blocks_.size(), false);
  std::size_t first_dropped = blocks_.size();
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    if (blocks_[i].broken || (paths[i] != folded && !IsUnder(paths[i], folded))) continue;
    if (first_dropped == blocks_.size()) first_dropped = i;
    dropped[i] = true;
    drop.emplace_back(blocks_[i].begin, blocks_[i].end);
  }

  // Does the parent survive without help: its own block, or another key below it that stays?
  std::string block_for_parent;
  const std::size_t separator = folded.rfind('\\');
  if (separator != std::string::npos) {
    const std::string folded_parent = folded.substr(0, separator);
    bool parent_stays = false;
    for (std::size_t i = 0; i < blocks_.size() && !parent_stays; ++i) {
      if (blocks_[i].broken || dropped[i]) continue;
      parent_stays = paths[i] == folded_parent || IsUnder(paths[i], folded_parent);
    }
    if (!parent_stays) {
      const std::size_t parent_depth = static_cast<std::size_t>(std::ranges::count(folded_parent, '\\')) + 1;
      // The parent's components as wineserver would write them (the key line's own spelling may hold parts
      // that decode to nothing, or to a separator).
      const std::string path_of_block = PathOf(blocks_[first_dropped]).value_or(std::string());
      std::string raw_parent;
      std::size_t start = 0;
      for (std::size_t part = 0; part < parent_depth && start <= path_of_block.size(); ++part) {
        std::size_t end = path_of_block.find('\\', start);
        if (end == std::string::npos) end = path_of_block.size();
        if (part > 0) raw_parent += "\\\\";
        raw_parent += EscapeKeyComponent(std::string_view(path_of_block).substr(start, end - start));
        start = end + 1;
      }
      // Wine writes the FILETIME as its high part in %x and the low part in %08x.
      const std::uint64_t filetime =
          (static_cast<std::uint64_t>(unix_seconds) + 11644473600ULL) * 10000000ULL;
      char time_line[48];
      std::snprintf(time_line, sizeof time_line, "#time=%x%08x", static_cast<unsigned>(filetime >> 32),
                    static_cast<unsigned>(filetime & 0xFFFFFFFFu));
      const std::size_t first_line_end = text_.find('\n');
      const std::string eol =
          first_line_end != std::string::npos && first_line_end > 0 && text_[first_line_end - 1] == '\r'
              ? "\r\n"
              : "\n";
      block_for_parent = "[" + raw_parent + "] " + std::to_string(unix_seconds) + eol + time_line + eol + eol;
    }
  }
  return Without(text_, drop, blocks_[first_dropped].begin, block_for_parent);
}

}  // namespace norva::platform::wine
