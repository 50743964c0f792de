#include "platform/ini_document.h"

#include <algorithm>
#include <utility>

#include "platform/utf16_text.h"

namespace norva::platform {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kCrLf = "\r\n";

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool HasLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos;
}

}  // namespace

IniDocument::IniDocument() : eol_(kCrLf), section_index_(MakeIndex(0)) {
  sections_.emplace_back();
}

IniDocument::IniDocument(std::string_view file_bytes) {
  std::string_view bytes;
  if (file_bytes.starts_with(kUtf8Bom)) {
    encoding_ = IniEncoding::kUtf8;
    bom_ = kUtf8Bom;
    bytes = Keep(std::string(file_bytes.substr(kUtf8Bom.size())));
  } else if (file_bytes.starts_with(kUtf16LeBom) || file_bytes.starts_with(kUtf16BeBom)) {
    const bool little = file_bytes.starts_with(kUtf16LeBom);
    encoding_ = little ? IniEncoding::kUtf16Le : IniEncoding::kUtf16Be;
    bom_ = little ? kUtf16LeBom : kUtf16BeBom;
    bytes = Keep(Utf16ToWtf8(file_bytes.substr(2), little ? ByteOrder::kLittleEndian : ByteOrder::kBigEndian,
                             &odd_byte_));
  } else {
    bytes = Keep(std::string(file_bytes));
  }
  section_index_ = MakeIndex(0);
  sections_.emplace_back();
  std::size_t pos = 0;
  std::size_t lf = bytes.npos;  // the next LF at or after pos, once looked up
  while (pos < bytes.size()) {
    // Two memchr scans beat one byte loop: the next LF (kept until passed, so that CR-only files are not
    // scanned to the end for every line), then any CR before it (CR LF, or a lone CR ending the line).
    if (lf == bytes.npos || lf < pos) {
      lf = bytes.find('\n', pos);
      if (lf == bytes.npos) lf = bytes.size();
    }
    std::size_t end = lf;
    if (const std::size_t cr = bytes.substr(0, lf).find('\r', pos); cr != bytes.npos) end = cr;
    std::size_t next = end;
    if (end < bytes.size()) {
      next += bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
    }
    const Line line = ParseLine(bytes.substr(pos, end - pos), bytes.substr(end, next - end));
    if (eol_.empty()) eol_ = line.eol;
    if (line.kind == Kind::kHeader) {
      sections_.emplace_back().header = line;
    } else {
      sections_.back().lines.push_back(line);
    }
    pos = next;
  }
  if (eol_.empty()) eol_ = kCrLf;
  for (Section& section : sections_) IndexKeys(section);
  IndexSections();
}

std::string_view IniDocument::Keep(std::string text) {
  storage_.push_back(std::make_unique<const std::string>(std::move(text)));
  return *storage_.back();
}

IniDocument::Line IniDocument::ParseLine(std::string_view raw, std::string_view eol) {
  Line line;
  line.raw = raw;
  line.eol = eol;
  const std::string_view text = raw.substr(0, raw.find('\0'));
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsIniBlank(text[begin])) ++begin;
  while (end > begin && IsIniBlank(text[end - 1])) --end;
  if (begin == end) return line;
  if (text[begin] == ';') {
    line.kind = Kind::kComment;
    return line;
  }
  if (text[begin] == '[') {
    const std::size_t close = text.rfind(']', end - 1);
    if (close != text.npos && close > begin) {
      line.kind = Kind::kHeader;
      line.name = TrimIni(text.substr(begin + 1, close - begin - 1));
      return line;
    }
  }
  const std::size_t equals = text.find('=', begin);
  if (equals == text.npos || equals >= end) {
    line.kind = Kind::kKeyWithoutValue;
    line.name = text.substr(begin, end - begin);
    line.value_pos = end;
    return line;
  }
  line.kind = Kind::kKey;
  line.name = TrimIni(text.substr(begin, equals - begin));
  std::size_t value_begin = equals + 1;
  while (value_begin < end && IsIniBlank(text[value_begin])) ++value_begin;
  line.value_pos = value_begin < end ? value_begin : equals + 1;
  line.value = StripQuotes(text.substr(value_begin, end - value_begin));
  return line;
}

IniDocument::NameIndex IniDocument::MakeIndex(std::size_t buckets) const {
  return NameIndex(buckets, IniNameHash{unicode()}, IniNameEqual{unicode()});
}

bool IniDocument::NamesEqual(std::string_view a, std::string_view b) const {
  return unicode() ? IniNamesEqualUtf8(a, b) : IniNamesEqual(a, b);
}

void IniDocument::IndexKeys(Section& section) const {
  section.keys = MakeIndex(section.lines.size());
  for (std::size_t i = 0; i < section.lines.size(); ++i) {
    const Line& line = section.lines[i];
    if (line.kind == Kind::kKey || line.kind == Kind::kKeyWithoutValue) {
      section.keys.try_emplace(line.name, i);
    }
  }
}

void IniDocument::IndexSections() {
  section_index_.clear();
  for (std::size_t i = 1; i < sections_.size(); ++i) section_index_.try_emplace(sections_[i].header->name, i);
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const {
  const auto found = section_index_.find(TrimIni(section));
  return found == section_index_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::string_view> IniDocument::Find(std::string_view section, std::string_view key) const {
  const Section* block = FindSection(section);
  if (block == nullptr) return std::nullopt;
  const auto found = block->keys.find(TrimIni(key));
  if (found == block->keys.end()) return std::nullopt;
  const Line& line = block->lines[found->second];
  // The first line of the name decides, even when it has no '=' (it then reads as missing).
  if (line.kind != Kind::kKey) return std::nullopt;
  return line.value;
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view default_value) const {
  if (const auto value = Find(section, key)) return std::string(*value);
  while (!default_value.empty() && default_value.back() == ' ') default_value.remove_suffix(1);
  return std::string(default_value);
}

bool IniDocument::HasSection(std::string_view section) const {
  return FindSection(section) != nullptr;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    if (!sections_[i].header->name.empty()) names.emplace_back(sections_[i].header->name);
  }
  return names;
}

std::vector<std::string> IniDocument::KeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const Section* block = FindSection(section)) {
    for (const Line& line : block->lines) {
      if (line.kind == Kind::kKey && !line.name.empty()) names.emplace_back(line.name);
    }
  }
  return names;
}

IniDocument::Line* IniDocument::LastLine() {
  for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
    if (!section->lines.empty()) return &section->lines.back();
    if (section->header) return &*section->header;
  }
  return nullptr;
}

void IniDocument::TerminateLastLine() {
  Line* last = LastLine();
  if (last != nullptr && last->eol.empty()) last->eol = eol_;
}

IniDocument::Edit IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimIni(section);
  key = TrimIni(key);
  while (!value.empty() && IsIniBlank(value.front())) value.remove_prefix(1);
  if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value) ||
      key.find('=') != key.npos || key.starts_with('[') || key.starts_with(';')) {
    return Edit::kRefused;
  }

  const auto found_section = section_index_.find(section);
  if (found_section == section_index_.end()) {
    TerminateLastLine();
    Section& added = sections_.emplace_back();
    added.header = ParseLine(Keep("[" + std::string(section) + "]"), eol_);
    added.lines.push_back(ParseLine(Keep(std::string(key) + "=" + std::string(value)), eol_));
    IndexKeys(added);
    IndexSections();
    return Edit::kChanged;
  }

  Section& block = sections_[found_section->second];
  const auto found_key = block.keys.find(key);
  if (found_key != block.keys.end()) {
    Line& line = block.lines[found_key->second];
    if (line.kind == Kind::kKey) {
      std::string_view old_value = line.raw.substr(line.value_pos);
      while (!old_value.empty() && IsIniBlank(old_value.back())) old_value.remove_suffix(1);
      if (old_value == TrimIni(value)) return Edit::kUnchanged;  // reads back the same
      line = ParseLine(Keep(std::string(line.raw.substr(0, line.value_pos)) + std::string(value)), line.eol);
    } else {
      line = ParseLine(Keep(std::string(line.raw.substr(0, line.value_pos)) + "=" + std::string(value)),
                       line.eol);
    }
    return Edit::kChanged;
  }

  // After the last key line of the section, or right after its header when it has none.
  std::size_t insert_at = 0;
  for (std::size_t i = block.lines.size(); i > 0; --i) {
    const Kind kind = block.lines[i - 1].kind;
    if (kind == Kind::kKey || kind == Kind::kKeyWithoutValue) {
      insert_at = i;
      break;
    }
  }
  Line& before = insert_at == 0 ? *block.header : block.lines[insert_at - 1];
  if (before.eol.empty()) before.eol = eol_;
  block.lines.insert(block.lines.begin() + static_cast<std::ptrdiff_t>(insert_at),
                     ParseLine(Keep(std::string(key) + "=" + std::string(value)), eol_));
  IndexKeys(block);
  return Edit::kChanged;
}

IniDocument::Edit IniDocument::DeleteKey(std::string_view section, std::string_view key) {
  const auto found_section = section_index_.find(TrimIni(section));
  if (found_section == section_index_.end()) return Edit::kUnchanged;
  Section& block = sections_[found_section->second];
  key = TrimIni(key);
  const std::size_t removed = std::erase_if(block.lines, [this, key](const Line& line) {
    return (line.kind == Kind::kKey || line.kind == Kind::kKeyWithoutValue) && NamesEqual(line.name, key);
  });
  if (removed == 0) return Edit::kUnchanged;
  IndexKeys(block);
  return Edit::kChanged;
}

IniDocument::Edit IniDocument::EraseSection(std::string_view section) {
  section = TrimIni(section);
  const auto first = sections_.begin() + 1;
  const auto kept = std::remove_if(first, sections_.end(), [this, section](const Section& block) {
    return NamesEqual(block.header->name, section);
  });
  if (kept == sections_.end()) return Edit::kUnchanged;
  sections_.erase(kept, sections_.end());
  IndexSections();
  return Edit::kChanged;
}

std::string IniDocument::Serialize() const {
  std::string text;
  auto append = [&text](const Line& line) {
    text += line.raw;
    text += line.eol;
  };
  for (const Section& section : sections_) {
    if (section.header) append(*section.header);
    for (const Line& line : section.lines) append(line);
  }
  switch (encoding_) {
    case IniEncoding::kAnsi:
      return text;
    case IniEncoding::kUtf8:
      return std::string(bom_) + text;
    case IniEncoding::kUtf16Le:
      return std::string(bom_) + Wtf8ToUtf16(text, ByteOrder::kLittleEndian) + odd_byte_;
    case IniEncoding::kUtf16Be:
      return std::string(bom_) + Wtf8ToUtf16(text, ByteOrder::kBigEndian) + odd_byte_;
  }
  return text;
}

}  // namespace norva::platform
