// A real Wine prefix for a test, made from the one that the test run set up with wineboot (the CTest fixture
// wine_prefix): its registry files and drive links are the test's own; drive_c is shared and must not be
// changed. Its wineserver is ended when the test ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace norva::test {

class WinePrefixCopy {
 public:
  // The prefix the run made, or nullopt (with the reason in `why`) when there is none: Wine not installed,
  // or the test started without the fixture.
  static std::optional<std::filesystem::path> Fixture(std::string* why);

  // Copies the fixture's prefix into `folder` (created).
  WinePrefixCopy(const std::filesystem::path& fixture, const std::filesystem::path& folder);
  ~WinePrefixCopy();
  WinePrefixCopy(const WinePrefixCopy&) = delete;
  WinePrefixCopy& operator=(const WinePrefixCopy&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Runs `wine ARGS...` in the prefix, quietly; the exit code, with its standard output in `output`.
  int Wine(const std::vector<std::string>& arguments, std::string* output = nullptr) const;
  // A wineserver that stays until StopServer, as while a Windows program of the prefix runs.
  void StartServer() const;
  // Ends the prefix's wineserver and waits until it has saved the registry and gone.
  void StopServer() const;

 private:
  std::filesystem::path path_;
};

// Runs a shell command with WINEPREFIX set to `prefix` and Wine quiet; its exit code and standard output.
int RunInPrefix(const std::filesystem::path& prefix, const std::string& command,
                std::string* output = nullptr);

}  // namespace norva::test
