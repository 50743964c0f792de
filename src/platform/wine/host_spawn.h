// Starting host programs for the Wine backend: argument vector, host working folder, WINEPREFIX.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace norva::platform::wine {

struct SpawnRequest {
  std::vector<std::string> argv;                // argv[0] is looked up on the PATH when it has no slash
  std::string host_dir;                         // working folder; empty keeps ours
  std::optional<std::filesystem::path> prefix;  // set: WINEPREFIX replaces any inherited value
  bool null_stdin = false;   // detach from our standard input (a headless script may be read from it)
  bool null_output = false;  // standard output and error go to /dev/null (our own output is the dump)
  std::vector<std::string> environment =
      {};  // "NAME=value" entries added to (or replacing) the inherited ones
};

// The child's pid, or nullopt when it could not be started.
std::optional<int> SpawnHostProgram(const SpawnRequest& request);

// Starts the program and waits for it at most `limit`; a program still running then is killed. Its exit code
// (128 + signal when a signal ended it), or nullopt when it could not be started or was killed.
std::optional<int> RunHostProgram(const SpawnRequest& request, std::chrono::milliseconds limit);

// The folder of the menu's helpers when it is installed (`cmake --install`, the package): the install's
// helper folder relative to the running program's (`../libexec/norva` from `bin`); empty when the running
// program is unknown.
std::filesystem::path InstalledHelperFolder();

// One of the menu's helper programs: `name` beside the running program, else in InstalledHelperFolder(),
// else `built_at` (where the build put it; may be null); empty when none of them is an executable.
std::filesystem::path MenuHelperProgram(const std::string& name, const char* built_at);

// A descriptor that becomes readable when the process ends (pidfd), or -1 where the system has none.
int OpenEndedDescriptor(int pid);

}  // namespace norva::platform::wine
