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

// Splits an escaped key path at its separators ("\\" in the file), keeping every other escape intact.
std::vector<std::string_view> SplitRawPath(std::string_view raw) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < raw.size()) {
    if (raw[i] == '\\' && i + 1 < raw.size()) {
      if (raw[i + 1] == '\\') {
        parts.push_back(raw.substr(start, i - start));
        i += 2;
        start = i;
        continue;
      }
      i += 2;
      continue;
    }
    ++i;
  }
  parts.push_back(raw.substr(start));
  return parts;
}

// The escaped path of a key line: the text between '[' and the ']' that closes it.
std::string_view RawPathIn(std::string_view key_line) {
  std::size_t i = 1;
  while (i < key_line.size() && key_line[i] != ']') i += key_line[i] == '\\' ? 2 : 1;
  return key_line.substr(1, std::min(i, key_line.size()) - 1);
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
      std::string scratch;
      const std::vector<std::string_view> raw_parts =
          SplitRawPath(RawPathIn(KeyLineOf(blocks_[first_dropped], scratch)));
      const std::size_t parent_depth = static_cast<std::size_t>(std::ranges::count(folded_parent, '\\')) + 1;
      // The parent's components as the key line spells them; empty ones (doubled separators) are no part.
      std::string raw_parent;
      std::size_t taken = 0;
      for (std::size_t part = 0; part < raw_parts.size() && taken < parent_depth; ++part) {
        if (raw_parts[part].empty()) continue;
        if (taken++ > 0) raw_parent += "\\\\";
        raw_parent += raw_parts[part];
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
