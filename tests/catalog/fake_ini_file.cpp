#include "catalog/fake_ini_file.h"

#include <algorithm>

namespace norva::test {

namespace {

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\x1a";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

}  // namespace

FakeIniFile::FakeIniFile(std::string_view text, std::string file_name) : file_name_(std::move(file_name)) {
  Section* current = nullptr;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.find(']') != std::string_view::npos) {
      sections_.push_back({std::string(Trim(line.substr(1, line.rfind(']') - 1))), {}});
      index_.emplace(Lowered(sections_.back().name), sections_.size() - 1);
      current = &sections_.back();
      continue;
    }
    const auto equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    current->keys.emplace_back(std::string(Trim(line.substr(0, equals))), std::string(value));
  }
}

FakeIniFile::Section* FakeIniFile::Find(std::string_view section) {
  const auto found = index_.find(Lowered(section));
  return found == index_.end() ? nullptr : &sections_[found->second];
}

std::string FakeIniFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view default_value) {
  if (const Section* s = Find(section)) {
    for (const auto& [name, value] : s->keys) {
      if (SameName(name, key)) return value;
    }
  }
  return std::string(default_value);
}

bool FakeIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = Find(section);
  if (s == nullptr) {
    sections_.push_back({std::string(section), {}});
    index_.emplace(Lowered(section), sections_.size() - 1);
    s = &sections_.back();
  }
  for (auto& [name, old] : s->keys) {
    if (SameName(name, key)) {
      old = value;
      return true;
    }
  }
  s->keys.emplace_back(key, value);
  return true;
}

bool FakeIniFile::DeleteKey(std::string_view section, std::string_view key) {
  if (Section* s = Find(section)) {
    std::erase_if(s->keys, [&](const auto& entry) { return SameName(entry.first, key); });
  }
  return true;
}

bool FakeIniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const Section& s) { return SameName(s.name, section); });
  index_.clear();
  for (std::size_t i = sections_.size(); i-- > 0;) index_[Lowered(sections_[i].name)] = i;
  return true;
}

std::vector<std::string> FakeIniFile::ReadSections() {
  std::vector<std::string> names;
  for (const auto& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> FakeIniFile::ReadSection(std::string_view section) {
  std::vector<std::string> names;
  if (const Section* s = Find(section)) {
    for (const auto& entry : s->keys) names.push_back(entry.first);
  }
  return names;
}

bool FakeIniFile::SectionExists(std::string_view section) {
  return Find(section) != nullptr;
}

}  // namespace norva::test
