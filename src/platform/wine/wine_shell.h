// Shell verbs on Linux: addresses and documents go to the host's opener, Windows programs, installers and
// shortcuts to the Wine runner with the prefix set. Every request is logged, whether or not it could start.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/launch_log.h"
#include "platform/shell.h"

namespace norva::platform::wine {

struct WineShellOptions {
  std::filesystem::path prefix;
  // Command texts, split at blanks ("wine", "/opt/wine/bin/wine64", "xdg-open"). Unset: the default below.
  std::optional<std::string> runner;
  std::optional<std::string> opener;
  // Without a window nothing is started unless a runner or opener was named: launches are only logged.
  bool record_only_by_default = false;
};

class WineShell final : public Shell {
 public:
  // `files` is borrowed and must outlive the shell.
  WineShell(FileSystem& files, WineShellOptions options);
  ~WineShell() override;

  int ShellExecute(std::string_view verb, std::string_view file, std::string_view params,
                   std::string_view dir, int show) override;
  bool PdfProgramRegistered() override;
  StartFailure LastStartFailure() const override { return last_failure_; }
  const std::vector<LaunchRecord>& Launches() const override { return log_.records(); }

  // The launch log, shared with the process backend so that the run has one ordered log.
  LaunchLog& log() { return log_; }

  // The runner's command words, empty when there is none ("wine" on the PATH, unless only logging).
  const std::vector<std::string>& runner() const { return runner_; }
  const std::vector<std::string>& opener() const { return opener_; }

 private:
  // Starts a host program without waiting for it; false when it could not be started.
  bool Spawn(std::vector<std::string> argv, const std::string& host_dir, bool with_prefix);
  void ReapChildren();

  FileSystem& files_;
  std::filesystem::path prefix_;
  std::vector<std::string> runner_;
  std::vector<std::string> opener_;
  bool opener_named_ = false;
  bool record_only_ = false;
  StartFailure last_failure_ = StartFailure::kNone;
  std::optional<bool> wine_runs_32bit_;  // asked once, when a program first needs it
  LaunchLog log_;
  std::vector<int> children_;
};

// Splits a command text into words as CreateProcess's command line is read: blanks separate, double quotes
// group (and are removed).
std::vector<std::string> SplitCommandWords(std::string_view text);

// The full path of a program found on the PATH (or a path given with a slash that is executable), or nullopt.
std::optional<std::string> FindOnPath(const std::string& program);

}  // namespace norva::platform::wine
