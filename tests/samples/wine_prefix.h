// A real Wine prefix for end-to-end tests: finding Wine, running host programs, making the prefix with
// wineboot, and comparing the prefix before and after (files under drive_c and the registry files).
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace norva::test {

struct ProgramResult {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// Runs a host program with `input` on its standard input; the environment is this process's.
ProgramResult RunHostProgram(const std::vector<std::string>& argv, const std::string& input = {});

// Wine's loader: `wine` on the PATH, else Debian's 64-bit loader; nothing when Wine is not installed.
std::optional<std::string> FindWine();
// The wineserver that belongs to that loader.
std::string WineserverBeside(const std::string& wine);

// Makes a complete prefix in `dir` (wineboot, without the .NET and HTML engines) and waits until Wine has
// written its registry. Empty on success, else what went wrong.
std::string MakeWinePrefix(const std::string& wine, const std::filesystem::path& dir);

// What the prefix holds: every path below drive_c with its size and modification time, and every key and
// value of system.reg and user.reg (without Wine's time stamps).
struct PrefixSnapshot {
  std::map<std::string, std::pair<long long, long long>> files;
  std::set<std::string> registry;
};
PrefixSnapshot SnapshotPrefix(const std::filesystem::path& prefix);

// Lines "+ what" and "- what" for everything added, removed or changed between the two snapshots, leaving
// out entries that contain any of `ignored`.
std::vector<std::string> PrefixChanges(const PrefixSnapshot& before, const PrefixSnapshot& after,
                                       const std::vector<std::string>& ignored);

}  // namespace norva::test
