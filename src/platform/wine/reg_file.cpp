#include "platform/wine/reg_file.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <set>
#include <utility>

#include "platform/unicode_text.h"
#include "platform/wine/reg_path_hash.h"
#include "platform/wine/reg_text.h"

namespace norva::platform::wine {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";
constexpr std::uint64_t kMaxText = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kPiece = 128 * 1024;

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

bool IsHeader(std::string_view first_line) {
  first_line = WithoutLineEnd(first_line);
  while (!first_line.empty() && (first_line.front() == ' ' || first_line.front() == '\t')) {
    first_line.remove_prefix(1);
  }
  return first_line == kHeader;
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
  const std::size_t first_end = std::min(text.find('\n'), text.size());
  if (text.size() > kMaxText || !IsHeader(std::string_view(text).substr(0, first_end))) return file;
  file.valid_ = true;
  file.size_ = text.size();
  file.text_ = std::move(text);
  file.text_held_ = true;
  file.IndexLines(std::string_view(file.text_).substr(first_end), first_end);
  if (!file.blocks_.empty()) file.blocks_.back().end = static_cast<std::uint32_t>(file.size_);
  file.BuildSlots();
  return file;
}

RegFile RegFile::ReadFrom(const std::filesystem::path& path) {
  RegFile file;
  std::optional<OpenHostFile> opened = OpenHostFile::Open(path, kMaxText);
  if (!opened) return file;
  // Wine's key blocks take a few hundred bytes; room for them at once spares the copies of a growing index.
  file.blocks_.reserve(static_cast<std::size_t>(opened->stamp().size / 256));
  file.IndexStream(*opened);
  if (!file.valid_) return RegFile();
  file.file_ = std::move(opened);
  file.BuildSlots();
  return file;
}

// Reads the file in pieces; each run of complete lines is indexed while the last, unfinished line waits for
// the next piece.
void RegFile::IndexStream(OpenHostFile& file) {
  std::vector<char> buffer(2 * kPiece);
  std::size_t filled = 0;
  std::uint64_t base = 0;  // the file position of buffer[0]
  bool header_checked = false;
  for (;;) {
    if (buffer.size() - filled < kPiece) buffer.resize(buffer.size() * 2);  // a line longer than a piece
    const long long got = file.Next(buffer.data() + filled, kPiece);
    if (got < 0) {
      valid_ = false;
      blocks_.clear();
      return;
    }
    filled += static_cast<std::size_t>(got);
    const bool at_end = got == 0;
    if (base + filled > kMaxText) {  // grew past the limit since it was opened
      valid_ = false;
      blocks_.clear();
      return;
    }
    const std::string_view text(buffer.data(), filled);
    const std::size_t last_newline = text.rfind('\n');
    std::size_t complete = at_end ? filled : (last_newline == std::string_view::npos ? 0 : last_newline + 1);
    std::size_t from = 0;
    if (!header_checked && (complete > 0 || at_end)) {
      const std::size_t first_end = std::min(text.find('\n'), text.size());
      if (!IsHeader(text.substr(0, first_end))) return;
      header_checked = true;
      valid_ = true;
      from = first_end;
    }
    if (header_checked && complete > from) IndexLines(text.substr(from, complete - from), base + from);
    if (at_end) break;
    std::memmove(buffer.data(), buffer.data() + complete, filled - complete);
    filled -= complete;
    base += complete;
  }
  size_ = base + filled;
  if (!blocks_.empty()) blocks_.back().end = static_cast<std::uint32_t>(size_);
}

void RegFile::IndexLines(std::string_view text, std::size_t offset) {
  const char* data = text.data();
  std::size_t pos = 0;
  std::string scratch;
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
    block.begin = static_cast<std::uint32_t>(offset + line_start);
    block.path_begin = static_cast<std::uint32_t>(offset + bracket + 1);
    block.line_end = static_cast<std::uint32_t>(offset + line_end);
    const std::string_view rest = text.substr(bracket + 1, line_end - bracket - 1);
    const std::size_t close = rest.find(']');
    // The usual key line is written plainly and hashed as it stands; any other is decoded first.
    std::optional<std::uint64_t> hash;
    if (close != std::string_view::npos) hash = HashPlainKeyPath(rest.substr(0, close));
    if (!hash) {
      std::string path;
      std::size_t parse_pos = 1;
      if (ParseRegString(WithoutLineEnd(text.substr(bracket, line_end - bracket)), parse_pos, ']', &path)) {
        hash = HashCanonicalKeyPath(CanonicalKeyPath(path));
      }
    }
    block.broken = !hash;
    block.hash = hash.value_or(0);
    if (!blocks_.empty()) blocks_.back().end = block.begin;
    blocks_.push_back(block);
  }
}

void RegFile::BuildSlots() {
  std::size_t size = 16;
  while (size < blocks_.size() * 2) size *= 2;
  slots_.assign(size, 0);
  const std::size_t mask = size - 1;
  for (std::uint32_t index = 0; index < blocks_.size(); ++index) {
    if (blocks_[index].broken) continue;
    const std::uint64_t hash = blocks_[index].hash;
    std::size_t slot = hash & mask;
    while (slots_[slot] != 0 && blocks_[slots_[slot] - 1].hash != hash) slot = (slot + 1) & mask;
    blocks_[index].next = slots_[slot];
    slots_[slot] = index + 1;
  }
}

std::string_view RegFile::Bytes(std::size_t begin, std::size_t end, std::string& scratch) const {
  if (text_held_) {
    begin = std::min(begin, text_.size());
    return std::string_view(text_).substr(begin, std::min(end, text_.size()) - begin);
  }
  if (!file_ || end <= begin) return {};
  scratch = file_->ReadAt(begin, end - begin);
  return scratch;
}

bool RegFile::HoldText() const {
  if (text_held_) return true;
  if (!file_ || file_->CurrentStamp() != file_->stamp()) return false;
  text_ = file_->ReadAt(0, size_);
  // Written in place meanwhile: the index no longer fits the text.
  if (text_.size() != size_ || file_->CurrentStamp() != file_->stamp()) {
    text_.clear();
    return false;
  }
  text_held_ = true;
  return true;
}

std::string_view RegFile::KeyLineOf(const Block& block, std::string& scratch) const {
  return WithoutLineEnd(Bytes(block.path_begin - 1, block.line_end, scratch));
}

std::optional<std::string> RegFile::PathOf(const Block& block) const {
  std::string scratch;
  const std::string_view line = KeyLineOf(block, scratch);
  std::size_t pos = 1;
  std::string path;
  if (line.empty() || !ParseRegString(line, pos, ']', &path)) return std::nullopt;
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
  const std::string canonical = CanonicalKeyPath(path);
  const std::uint64_t hash = HashCanonicalKeyPath(canonical);
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hash & mask;
  while (slots_[slot] != 0 && blocks_[slots_[slot] - 1].hash != hash) slot = (slot + 1) & mask;
  for (std::uint32_t next = slots_[slot]; next != 0; next = blocks_[next - 1].next) {
    // The same hash for another path is possible, if unlikely: each block is checked.
    const std::optional<std::string> block_path = PathOf(blocks_[next - 1]);
    if (block_path && CanonicalKeyPath(*block_path) == canonical) found.push_back(next - 1);
  }
  std::sort(found.begin(), found.end());
  return found;
}

const std::vector<RegValue>& RegFile::ValuesOf(std::uint32_t index) const {
  const auto cached = values_.find(index);
  if (cached != values_.end()) return cached->second;
  const Block& block = blocks_[index];
  // The values start on the line after the key line.
  const std::size_t start = std::min<std::size_t>(block.line_end + std::size_t{1}, block.end);
  std::string scratch;
  return values_[index] = ParseRegValues(Bytes(start, block.end, scratch), start);
}

const std::vector<std::string>& RegFile::FoldedPaths() const {
  if (!folded_paths_built_) {
    // Every key line is read here; with the whole text held that is one read instead of one per block.
    HoldText();
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
  if (CanonicalKeyPath(path).empty() || !BlocksOf(path).empty()) return true;
  const std::string folded = FoldCase(path);
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
  const std::string folded = FoldCase(path);
  // Folding never makes or removes a '\', so the subkey's name is found by counting separators.
  const std::size_t depth =
      folded.empty() ? 0 : 1 + static_cast<std::size_t>(std::ranges::count(folded, '\\'));
  const std::vector<std::string>& paths = FoldedPaths();
  for (std::size_t i = 0; i < blocks_.size(); ++i) {
    if (blocks_[i].broken || paths[i].empty() || !IsUnder(paths[i], folded)) continue;
    const std::optional<std::string> block_path = PathOf(blocks_[i]);
    if (!block_path) continue;
    std::string_view name = *block_path;
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
