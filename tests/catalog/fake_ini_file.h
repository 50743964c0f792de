// An in-memory private-profile file built from INI text, for tests of code that reads catalogs. It follows
// the reading rules that matter to readers: sections and keys without regard to letter case, first match
// wins, values trimmed and freed of one pair of surrounding quotes, lines without '=' hold no value.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/ini_file.h"

namespace norva::test {

class FakeIniFile : public platform::IniFile {
 public:
  explicit FakeIniFile(std::string_view text, std::string file_name = "D:\\Norva\\NORVAXP.ini");

  const std::string& FileName() const override { return file_name_; }
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool DeleteKey(std::string_view section, std::string_view key) override;
  bool EraseSection(std::string_view section) override;
  std::vector<std::string> ReadSections() override;
  std::vector<std::string> ReadSection(std::string_view section) override;
  bool SectionExists(std::string_view section) override;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
  };
  Section* Find(std::string_view section);

  std::string file_name_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> index_;  // lower-cased name -> first section of that name
};

}  // namespace norva::test
