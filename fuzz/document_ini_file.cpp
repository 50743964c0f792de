#include "document_ini_file.h"

namespace norva::fuzz {

bool DocumentIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  return document_.Set(section, key, value) != platform::IniDocument::Edit::kRefused;
}

bool DocumentIniFile::DeleteKey(std::string_view section, std::string_view key) {
  return document_.DeleteKey(section, key) != platform::IniDocument::Edit::kRefused;
}

bool DocumentIniFile::EraseSection(std::string_view section) {
  return document_.EraseSection(section) != platform::IniDocument::Edit::kRefused;
}

}  // namespace norva::fuzz
