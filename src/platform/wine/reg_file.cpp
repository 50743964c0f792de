#include "platform/wine/reg_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "platform/unicode_text.h"
#include "platform/wine/reg_text.h"

namespace norva::platform::wine {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = (end == std::string_view::npos) ? text.size() : end + 1;
    lines.emplace_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

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

// Comma-separated hex bytes; a trailing '\' asks for the next line, which `more` supplies.
template <typename More>
bool ParseHexBytes(std::string_view text, std::size_t pos, std::string& bytes, More more) {
  std::string_view rest = text.substr(pos);
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
    std::optional<std::string_view> next = more();
    if (!next) return true;  // a continuation at the end of the file ends the data
    rest = *next;
  }
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

bool IsUnder(std::string_view folded_path, std::string_view folded_key) {
  if (folded_key.empty()) return true;
  return folded_path.size() > folded_key.size() && folded_path.starts_with(folded_key) &&
         folded_path[folded_key.size()] == '\\';
}

std::string LineEnding(const std::vector<std::string>& lines) {
  if (!lines.empty() && lines.front().ends_with("\r\n")) return "\r\n";
  return "\n";
}

}  // namespace

RegFile RegFile::Parse(std::string_view text) {
  RegFile file;
  file.lines_ = SplitLines(text);
  if (file.lines_.empty() || Content(file.lines_.front()) != kHeader) {
    file.lines_.clear();
    return file;
  }
  file.valid_ = true;
  RegKeyBlock* block = nullptr;
  const auto close_block = [&](std::size_t end) {
    if (block != nullptr) block->end_line = end;
  };
  for (std::size_t index = 1; index < file.lines_.size(); ++index) {
    const std::string_view line = Content(file.lines_[index]);
    if (line.starts_with('[')) {
      close_block(index);
      RegKeyBlock next;
      next.first_line = index;
      std::size_t pos = 1;
      std::string path;
      if (ParseRegString(line, pos, ']', &path)) {
        next.raw_path = std::string(line.substr(1, pos - 2));
        // Empty components ("a\\\\b" or a leading separator) are dropped, as Wine's key lookup does.
        std::string cleaned;
        std::size_t start = 0;
        while (start <= path.size()) {
          std::size_t end = path.find('\\', start);
          if (end == std::string::npos) end = path.size();
          if (end > start) {
            if (!cleaned.empty()) cleaned += '\\';
            cleaned.append(path, start, end - start);
          }
          start = end + 1;
        }
        next.path = std::move(cleaned);
      } else {
        next.broken = true;
      }
      file.keys_.push_back(std::move(next));
      block = &file.keys_.back();
      continue;
    }
    if (block == nullptr || block->broken || !(line.starts_with('"') || line.starts_with('@'))) continue;
    RegValue value;
    value.first_line = index;
    value.end_line = index + 1;
    std::size_t pos = 1;
    if (line.front() == '"' && !ParseRegString(line, pos, '"', &value.name)) continue;
    SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    SkipBlanks(line, pos);
    const std::string_view data = line.substr(pos);
    std::size_t data_pos = 0;
    bool ok = false;
    if (data.starts_with('"') || data.starts_with("str")) {
      value.type = kRegSz;
      if (data.starts_with("str")) {
        data_pos = 3;
        ok = ParseTypeSuffix(data, data_pos, value.type);
      } else {
        ok = true;
      }
      if (ok) ok = data_pos < data.size() && data[data_pos] == '"';
      if (ok) {
        ++data_pos;
        ok = ParseRegString(data, data_pos, '"', &value.data);
      }
    } else if (data.starts_with("dword:")) {
      value.type = kRegDword;
      const std::string digits(data.substr(6));
      char* end = nullptr;
      const unsigned long number = std::strtoul(digits.c_str(), &end, 16);
      ok = end != digits.c_str();
      for (int shift = 0; shift < 32; shift += 8) value.data += static_cast<char>((number >> shift) & 0xFF);
    } else if (data.starts_with("hex")) {
      value.type = kRegBinary;
      data_pos = 3;
      ok = ParseTypeSuffix(data, data_pos, value.type);
      if (ok) {
        ok = ParseHexBytes(data, data_pos, value.data, [&]() -> std::optional<std::string_view> {
          if (value.end_line >= file.lines_.size()) return std::nullopt;
          return Content(file.lines_[value.end_line++]);
        });
        index = value.end_line - 1;
      }
      if (ok && (value.type == kRegSz || value.type == kRegExpandSz)) value.data = Utf16LeToUtf8(value.data);
    }
    if (ok) block->values.push_back(std::move(value));
  }
  close_block(file.lines_.size());
  for (const RegKeyBlock& key : file.keys_) file.folded_paths_.push_back(FoldCase(key.path));
  return file;
}

bool RegFile::KeyExists(std::string_view path) const {
  if (!valid_) return false;
  if (path.empty()) return true;
  const std::string folded = FoldCase(path);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].broken) continue;
    if (folded_paths_[i] == folded || IsUnder(folded_paths_[i], folded)) return true;
  }
  return false;
}

const RegValue* RegFile::FindValue(std::string_view path, std::string_view name) const {
  const std::string folded = FoldCase(path);
  const std::string folded_name = FoldCase(name);
  const RegValue* found = nullptr;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].broken || folded_paths_[i] != folded) continue;
    for (const RegValue& value : keys_[i].values) {
      if (FoldCase(value.name) == folded_name) found = &value;
    }
  }
  return found;
}

std::vector<std::string> RegFile::SubKeyNames(std::string_view path) const {
  std::vector<std::string> names;
  std::set<std::string> seen;
  const std::string folded = FoldCase(path);
  // Folding never makes or removes a '\', so the subkey's name is found by counting separators.
  const std::size_t depth =
      folded.empty() ? 0 : 1 + static_cast<std::size_t>(std::ranges::count(folded, '\\'));
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].broken || keys_[i].path.empty() || !IsUnder(folded_paths_[i], folded)) continue;
    std::string_view name = keys_[i].path;
    for (std::size_t skipped = 0; skipped < depth; ++skipped) name.remove_prefix(name.find('\\') + 1);
    name = name.substr(0, name.find('\\'));
    if (seen.insert(FoldCase(name)).second) names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> RegFile::ValueNames(std::string_view path) const {
  std::vector<std::string> names;
  std::set<std::string> seen;
  const std::string folded = FoldCase(path);
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].broken || folded_paths_[i] != folded) continue;
    for (const RegValue& value : keys_[i].values) {
      if (seen.insert(FoldCase(value.name)).second) names.push_back(value.name);
    }
  }
  return names;
}

std::optional<std::string> RegFile::TextWithoutValue(std::string_view path, std::string_view name) const {
  const std::string folded = FoldCase(path);
  const std::string folded_name = FoldCase(name);
  std::vector<bool> drop(lines_.size(), false);
  bool found = false;
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].broken || folded_paths_[i] != folded) continue;
    for (const RegValue& value : keys_[i].values) {
      if (FoldCase(value.name) != folded_name) continue;
      found = true;
      for (std::size_t line = value.first_line; line < value.end_line; ++line) drop[line] = true;
    }
  }
  if (!found) return std::nullopt;
  std::string text;
  for (std::size_t line = 0; line < lines_.size(); ++line) {
    if (!drop[line]) text += lines_[line];
  }
  return text;
}

std::optional<std::string> RegFile::TextWithoutKey(std::string_view path, std::int64_t unix_seconds) const {
  if (path.empty() || !KeyExists(path)) return std::nullopt;
  const std::string folded = FoldCase(path);
  std::vector<bool> drop(lines_.size(), false);
  std::size_t first_dropped_block = keys_.size();
  for (std::size_t i = 0; i < keys_.size(); ++i) {
    if (keys_[i].broken) continue;
    if (folded_paths_[i] != folded && !IsUnder(folded_paths_[i], folded)) continue;
    if (first_dropped_block == keys_.size()) first_dropped_block = i;
    for (std::size_t line = keys_[i].first_line; line < keys_[i].end_line; ++line) drop[line] = true;
  }

  // Does the parent survive without help: its own block, or another key below it that stays?
  std::string block_for_parent;
  const std::size_t separator = folded.rfind('\\');
  if (separator != std::string::npos) {
    const std::string folded_parent = folded.substr(0, separator);
    bool parent_stays = false;
    for (std::size_t i = 0; i < keys_.size() && !parent_stays; ++i) {
      if (keys_[i].broken || drop[keys_[i].first_line]) continue;
      parent_stays = folded_paths_[i] == folded_parent || IsUnder(folded_paths_[i], folded_parent);
    }
    if (!parent_stays) {
      const std::vector<std::string_view> raw_parts = SplitRawPath(keys_[first_dropped_block].raw_path);
      const std::size_t parent_depth = static_cast<std::size_t>(std::ranges::count(folded_parent, '\\')) + 1;
      std::string raw_parent;
      for (std::size_t part = 0; part < parent_depth && part < raw_parts.size(); ++part) {
        if (part > 0) raw_parent += "\\\\";
        raw_parent += raw_parts[part];
      }
      // Wine writes the FILETIME as its high part in %x and the low part in %08x.
      const std::uint64_t filetime =
          (static_cast<std::uint64_t>(unix_seconds) + 11644473600ULL) * 10000000ULL;
      char time_line[48];
      std::snprintf(time_line, sizeof time_line, "#time=%x%08x", static_cast<unsigned>(filetime >> 32),
                    static_cast<unsigned>(filetime & 0xFFFFFFFFu));
      const std::string eol = LineEnding(lines_);
      block_for_parent = "[" + raw_parent + "] " + std::to_string(unix_seconds) + eol + time_line + eol + eol;
    }
  }

  std::string text;
  for (std::size_t line = 0; line < lines_.size(); ++line) {
    if (line == keys_[first_dropped_block].first_line) text += block_for_parent;
    if (!drop[line]) text += lines_[line];
  }
  return text;
}

}  // namespace norva::platform::wine
