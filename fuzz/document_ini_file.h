// A private-profile file held in memory as an IniDocument, for fuzz targets that read INI text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_document.h"
#include "platform/ini_file.h"

namespace norva::fuzz {

class DocumentIniFile final : public platform::IniFile {
 public:
  explicit DocumentIniFile(std::string_view bytes) : document_(bytes) {}

  const std::string& FileName() const override { return name_; }
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) override {
    return document_.ReadString(section, key, default_value);
  }
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool DeleteKey(std::string_view section, std::string_view key) override;
  bool EraseSection(std::string_view section) override;
  std::vector<std::string> ReadSections() override { return document_.SectionNames(); }
  std::vector<std::string> ReadSection(std::string_view section) override { return document_.KeyNames(section); }
  bool SectionExists(std::string_view section) override { return document_.HasSection(section); }

 private:
  std::string name_ = "D:\\NORVA\\NORVAXP.INI";
  platform::IniDocument document_;
};

}  // namespace norva::fuzz
