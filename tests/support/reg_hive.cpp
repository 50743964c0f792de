#include "support/reg_hive.h"

#include <fstream>

namespace norva::test {

std::string RegEscape(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

void WriteRegHive(const std::filesystem::path& file, const RegHive& hive) {
  std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win32\n\n";
  for (const auto& [key, values] : hive) {
    text += "[" + RegEscape(key) + "] 1700000000\n";
    for (const auto& [name, value] : values) {
      text += "\"" + RegEscape(name) + "\"=\"" + RegEscape(value) + "\"\n";
    }
    text += "\n";
  }
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

}  // namespace norva::test
