// Registry files in Wine's text format, written by tests that set up a machine's keys.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace norva::test {

// Key path -> value name -> string value.
using RegHive = std::map<std::string, std::map<std::string, std::string>>;

// A name or string value as Wine writes it: backslashes and quotes escaped.
std::string RegEscape(std::string_view text);

// Writes the hive as a 32-bit prefix's system.reg or user.reg (every value a REG_SZ).
void WriteRegHive(const std::filesystem::path& file, const RegHive& hive);

}  // namespace norva::test
