#include "platform/wine/reg_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <set>
#include <utility>

#include "platform/unicode_text.h"
#include "platform/wine/host_file.h"
#include "platform/wine/reg_text.h"

namespace norva::platform::wine {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";
constexpr std::uint64_t kMaxText = std::numeric_limits<std::uint32_t>::max();

// Hashes a folded key path as its components joined by single '\' (empty components dropped), eight bytes
// at a time. Fed either from a key line's raw text (the common case: plain ASCII, "\\" between components)
// or from a decoded and folded path, it gives the same value for the same key.
class PathHasher {
 public:
  void Byte(unsigned char c) {
    if (pending_separator_) {
      Put('\\');
      pending_separator_ = false;
    }
    Put(c);
    in_component_ = true;
  }
  void Separator() {
    pending_separator_ = in_component_;
    in_component_ = false;
  }
  void Text(std::string_view folded) {
    for (const char c : folded) {
      if (c == '\\') {
        Separator();
      } else {
        Byte(static_cast<unsigned char>(c));
      }
    }
  }
  std::uint64_t Value() const { return Mix(state_ ^ word_ ^ (length_ << 3)); }

 private:
  static std::uint64_t Mix(std::uint64_t x) {
    x *= 0x9E3779B97F4A7C15ull;
    return x ^ (x >> 29);
  }
  void Put(unsigned char c) {
    word_ |= std::uint64_t{c} << shift_;
    ++length_;
    shift_ += 8;
    if (shift_ == 64) {
      state_ = Mix(state_ ^ word_) + 0x632BE59BD9B4E019ull;
      word_ = 0;
      shift_ = 0;
    }
  }

  std::uint64_t state_ = 0;
  std::uint64_t word_ = 0;
  std::uint64_t length_ = 0;
  unsigned shift_ = 0;
  bool pending_separator_ = false;
  bool in_component_ = false;
};

// FoldCase of the path with its empty components dropped: the form every lookup compares.
std::string CanonicalFolded(std::string_view path) {
  std::string canonical;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!canonical.empty()) canonical += '\\';
      canonical.append(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return FoldCase(canonical);
}

std::uint64_t HashOfFolded(std::string_view folded) {
  PathHasher hasher;
  hasher.Text(folded);
  return hasher.Value();
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

bool IsUnder(std::string_view folded_path, std::string_view folded_key) {
  if (folded_key.empty()) return true;
  return folded_path.size() > folded_key.size() && folded_path.starts_with(folded_key) &&
         folded_path[folded_key.size()] == '\\';
}

}  // namespace

RegFile RegFile::Parse(std::string_view text) {
  return Adopt(std::string(text));
}

RegFile RegFile::Adopt(std::string text) {
  RegFile file;
  if (text.size() > kMaxText) return file;
  const std::size_t first_end = std::min(text.find('\n'), text.size());
  std::string_view first = WithoutLineEnd(std::string_view(text).substr(0, first_end));
  while (!first.empty() && (first.front() == ' ' || first.front() == '\t')) first.remove_prefix(1);
  if (first != kHeader) return file;
  file.valid_ = true;
  file.text_ = std::move(text);
  file.Index();
  return file;
}

RegFile RegFile::ReadFrom(const std::filesystem::path& path) {
  auto content = ReadHostFile(path, kMaxText);
  if (!content || !content->stamp.exists) return RegFile();
  return Adopt(std::move(content->bytes));
}

void RegFile::Index() {
  const std::string_view text = text_;
  const char* data = text.data();
  std::size_t pos = std::min(text.find('\n'), text.size());  // the header line holds no key
  while (pos < text.size()) {
    const void* found = std::memchr(data + pos, '[', text.size() - pos);
    if (found == nullptr) break;
    const std::size_t bracket = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    // A key line: only blanks between the start of its line and the '['.
    std::size_t line_start = bracket;
    while (line_start > 0 && (data[line_start - 1] == ' ' || data[line_start - 1] == '\t')) --line_start;
    std::size_t line_end = text.find('\n', bracket);
    if (line_end == std::string_view::npos) line_end = text.size();
    pos = line_end;
    if (line_start > 0 && data[line_start - 1] != '\n') continue;  // a '[' inside a value line

    Block block;
    block.begin = static_cast<std::uint32_t>(line_start);
    block.path_begin = static_cast<std::uint32_t>(bracket + 1);
    // The usual key line is plain ASCII with "\\" between components: hashed as it stands. Anything else
    // (other escapes, UTF-8) is decoded first.
    PathHasher hasher;
    std::size_t i = bracket + 1;
    bool plain = true;
    bool closed = false;
    while (i < line_end) {
      const auto c = static_cast<unsigned char>(data[i]);
      if (c == ']') {
        closed = true;
        break;
      }
      if (c == '\\') {
        if (i + 1 < line_end && data[i + 1] == '\\') {
          hasher.Separator();
          i += 2;
          continue;
        }
        plain = false;
        break;
      }
      if (c >= 0x80) {
        plain = false;
        break;
      }
      hasher.Byte(c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c);
      ++i;
    }
    if (plain && closed) {
      block.hash = hasher.Value();
    } else if (const std::optional<std::string> path = PathOf(block)) {
      block.hash = HashOfFolded(FoldCase(*path));
    } else {
      block.broken = true;
    }
    if (!blocks_.empty()) blocks_.back().end = block.begin;
    blocks_.push_back(block);
  }
  if (!blocks_.empty()) blocks_.back().end = static_cast<std::uint32_t>(text.size());

  std::size_t size = 16;
  while (size < blocks_.size() * 2) size *= 2;
  slots_.assign(size, 0);
  const std::size_t mask = size - 1;
  for (std::uint32_t index = 0; index < blocks_.size(); ++index) {
    if (blocks_[index].broken) continue;
    std::size_t slot = blocks_[index].hash & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = index + 1;
  }
}

std::string_view RegFile::RawPathOf(const Block& block) const {
  std::size_t end = text_.find('\n', block.path_begin);
  if (end == std::string::npos) end = text_.size();
  return WithoutLineEnd(std::string_view(text_).substr(block.path_begin - 1, end - (block.path_begin - 1)));
}

std::optional<std::string> RegFile::PathOf(const Block& block) const {
  const std::string_view line = RawPathOf(block);
  std::size_t pos = 1;
  std::string path;
  if (!ParseRegString(line, pos, ']', &path)) return std::nullopt;
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
  return cleaned;
}

std::vector<std::uint32_t> RegFile::BlocksOf(std::string_view path) const {
  std::vector<std::uint32_t> found;
  if (!valid_ || slots_.empty()) return found;
  const std::string folded = CanonicalFolded(path);
  const std::uint64_t hash = HashOfFolded(folded);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
    const std::uint32_t index = slots_[slot] - 1;
    if (blocks_[index].hash != hash) continue;
    const std::optional<std::string> block_path = PathOf(blocks_[index]);
    if (block_path && FoldCase(*block_path) == folded) found.push_back(index);
  }
  std::sort(found.begin(), found.end());
  return found;
}

const std::vector<RegValue>& RegFile::ValuesOf(std::uint32_t index) const {
  const auto cached = values_.find(index);
  if (cached != values_.end()) return cached->second;
  const Block& block = blocks_[index];
  // The values start on the line after the key line.
  std::size_t start = text_.find('\n', block.path_begin);
  start = start == std::string::npos || start >= block.end ? block.end : start + 1;
  return values_[index] = ParseRegValues(std::string_view(text_).substr(start, block.end - start), start);
}

const std::vector<std::string>& RegFile::FoldedPaths() const {
  if (!folded_paths_built_) {
    folded_paths_.reserve(blocks_.size());
    for (const Block& block : blocks_) {
      const std::optional<std::string> path = block.broken ? std::nullopt : PathOf(block);
      folded_paths_.push_back(path ? FoldCase(*path) : std::string());
    }
    folded_paths_built_ = true;
  }
  return folded_paths_;
}

bool RegFile::KeyExists(std::string_view path) const {
  if (!valid_) return false;
  const std::string folded = CanonicalFolded(path);
  if (folded.empty() || !BlocksOf(path).empty()) return true;
  const std::vector<std::string>& paths = FoldedPaths();
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    if (!blocks_[i].broken && IsUnder(paths[i], folded)) return true;
  }
  return false;
}

const RegValue* RegFile::FindValue(std::string_view path, std::string_view name) const {
  const std::string folded_name = FoldCase(name);
  const RegValue* found = nullptr;
  for (const std::uint32_t index : BlocksOf(path)) {
    for (const RegValue& value : ValuesOf(index)) {
      if (FoldCase(value.name) == folded_name) found = &value;
    }
  }
  return found;
}

std::vector<std::string> RegFile::SubKeyNames(std::string_view path) const {
  std::vector<std::string> names;
  if (!valid_) return names;
  std::set<std::string> seen;
  const std::string folded = CanonicalFolded(path);
  // Folding never makes or removes a '\', so the subkey's name is found by counting separators.
  const std::size_t depth =
      folded.empty() ? 0 : 1 + static_cast<std::size_t>(std::ranges::count(folded, '\\'));
  const std::vector<std::string>& paths = FoldedPaths();
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    if (blocks_[i].broken || paths[i].empty() || !IsUnder(paths[i], folded)) continue;
    const std::string block_path = *PathOf(blocks_[i]);
    std::string_view name = block_path;
    for (std::size_t skipped = 0; skipped < depth; ++skipped) name.remove_prefix(name.find('\\') + 1);
    name = name.substr(0, name.find('\\'));
    if (seen.insert(FoldCase(name)).second) names.emplace_back(name);
  }
  return names;
}

std::vector<std::string> RegFile::ValueNames(std::string_view path) const {
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const std::uint32_t index : BlocksOf(path)) {
    for (const RegValue& value : ValuesOf(index)) {
      if (seen.insert(FoldCase(value.name)).second) names.push_back(value.name);
    }
  }
  return names;
}

}  // namespace norva::platform::wine
