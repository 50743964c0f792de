#include "support/wine_prefix.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

#include "support/fake_runner.h"

namespace norva::test {
namespace fs = std::filesystem;

int RunInPrefix(const fs::path& prefix, const std::string& command, std::string* output) {
  const std::string line = "WINEPREFIX=" + ShellQuote(prefix.string()) +
                           " WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d' " +
                           command + " 2>/dev/null </dev/null";
  FILE* pipe = popen(line.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[4096];
  std::size_t read = 0;
  while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    if (output != nullptr) output->append(buffer, read);
  }
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::optional<fs::path> WinePrefixCopy::Fixture(std::string* why) {
  const char* folder = std::getenv("NORVA_WINE_FIXTURE");
  if (folder == nullptr) {
    *why = "no Wine prefix was made for this run (run the test through ctest, with the wine_prefix fixture)";
    return std::nullopt;
  }
  const fs::path prefix = fs::path(folder) / "prefix";
  std::error_code ec;
  if (!fs::exists(prefix / "system.reg", ec)) {
    *why = "Wine is not installed: no real Wine prefix to test against";
    return std::nullopt;
  }
  return prefix;
}

WinePrefixCopy::WinePrefixCopy(const fs::path& fixture, const fs::path& folder) : path_(folder) {
  fs::create_directories(path_ / "dosdevices");
  for (const char* name : {"system.reg", "user.reg", "userdef.reg", ".update-timestamp"}) {
    fs::copy_file(fixture / name, path_ / name, fs::copy_options::overwrite_existing);
  }
  fs::create_directory_symlink(fs::canonical(fixture / "drive_c"), path_ / "dosdevices/c:");
  fs::create_directory_symlink("/", path_ / "dosdevices/z:");
}

WinePrefixCopy::~WinePrefixCopy() {
  StopServer();
}

int WinePrefixCopy::Wine(const std::vector<std::string>& arguments, std::string* output) const {
  std::string command = "wine";
  for (const std::string& argument : arguments) command += " " + ShellQuote(argument);
  return RunInPrefix(path_, command, output);
}

void WinePrefixCopy::StartServer() const {
  RunInPrefix(path_, "wineserver -p");
}

void WinePrefixCopy::StopServer() const {
  RunInPrefix(path_, "wineserver -k; wineserver -w");
}

}  // namespace norva::test
