// Starting host programs for the Wine backend: argument vector, host working folder, WINEPREFIX.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace norva::platform::wine {

struct SpawnRequest {
  std::vector<std::string> argv;                // argv[0] is looked up on the PATH when it has no slash
  std::string host_dir;                         // working folder; empty keeps ours
  std::optional<std::filesystem::path> prefix;  // set: WINEPREFIX replaces any inherited value
  bool null_stdin = false;  // detach from our standard input (a headless script may be read from it)
};

// The child's pid, or nullopt when it could not be started.
std::optional<int> SpawnHostProgram(const SpawnRequest& request);

// A descriptor that becomes readable when the process ends (pidfd), or -1 where the system has none.
int OpenEndedDescriptor(int pid);

}  // namespace norva::platform::wine
