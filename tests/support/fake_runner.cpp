#include "support/fake_runner.h"

#include <fstream>
#include <sstream>

#include "support/reg_hive.h"

namespace norva::test {

std::string FakeRunnerCommand() {
  return std::string("/bin/sh ") + NORVA_FAKE_RUNNER;
}

std::vector<std::string> FakeRunnerWords() {
  return {"/bin/sh", NORVA_FAKE_RUNNER};
}

std::vector<std::string> FakeRunnerCalls(const std::filesystem::path& prefix) {
  std::vector<std::string> calls;
  std::ifstream in(prefix / "fake_runner.log");
  for (std::string line; std::getline(in, line);) calls.push_back(line);
  return calls;
}

void WriteWindowsProgram(const std::filesystem::path& host_path, std::string_view script) {
  std::filesystem::create_directories(host_path.parent_path());
  std::ofstream out(host_path, std::ios::binary);
  out << script;
}

std::string ShellQuote(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string UninstallEntryScript(std::string_view key,
                                 const std::vector<std::pair<std::string, std::string>>& values) {
  std::ostringstream entry;
  entry << "\n[" << RegEscape("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") << RegEscape(key)
        << "] 1700000000\n";
  for (const auto& [name, value] : values)
    entry << '"' << RegEscape(name) << "\"=\"" << RegEscape(value) << "\"\n";
  std::ostringstream script;
  script << "reg=\"$WINEPREFIX/system.reg\"\n"
         << "[ -f \"$reg\" ] || printf 'WINE REGISTRY Version 2\\n' > \"$reg\"\n"
         << "printf '%s' " << ShellQuote(entry.str()) << " >> \"$reg\"\n";
  return script.str();
}

}  // namespace norva::test
