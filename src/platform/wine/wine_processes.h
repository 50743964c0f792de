// Windows processes on Linux: a program is run as `RUNNER <host path> <arguments...>` in the host folder of
// its working directory, with WINEPREFIX set. Every creation is logged, whether or not it started.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/launch_log.h"
#include "platform/processes.h"
#include "platform/system_info.h"

namespace norva::platform::wine {

struct WineProcessesOptions {
  std::filesystem::path prefix;
  // The runner's command words (as WineShell chose them); empty: no process can be created, creations are
  // only logged.
  std::vector<std::string> runner;
  // Host path of the prefix's wineserver, waited for after a waited process ends; unset: derived from the
  // runner when it is Wine itself (a test runner has none).
  std::optional<std::string> wineserver;
  // How long a finished install may keep the wineserver busy before the menu reads the registry again.
  std::chrono::milliseconds settle_limit{5000};
  // Told after a waited program has ended (and the wineserver had its time): what the menu read of the
  // registry before may be out of date.
  std::function<void()> waited_program_ended;
};

class WineProcesses final : public Processes {
 public:
  // `files`, `system` and `log` are borrowed and must outlive this object.
  WineProcesses(FileSystem& files, SystemInfo& system, LaunchLog& log, WineProcessesOptions options);
  ~WineProcesses() override;
  WineProcesses(const WineProcesses&) = delete;
  WineProcesses& operator=(const WineProcesses&) = delete;

  std::optional<ProcessHandle> Create(std::string_view command_text, std::string_view working_dir, int show,
                                      bool wait) override;
  std::optional<int> ExitCode(ProcessHandle process) override;
  int EndedDescriptor(ProcessHandle process) override;
  void Wait(ProcessHandle process) override;
  void Close(ProcessHandle process) override;

  const std::optional<std::string>& wineserver() const { return wineserver_; }

 private:
  struct Child {
    int pid = -1;
    int ended_fd = -1;  // pidfd: readable once the process has ended
    std::size_t log_index = 0;
    bool wait = false;
    std::optional<int> exit_code;
  };

  // Collects the child's status when it has ended (without blocking unless `block`).
  void Collect(Child& child, bool block);
  void SettleWineserver();
  void ReapDetached();

  FileSystem& files_;
  SystemInfo& system_;
  LaunchLog& log_;
  WineProcessesOptions options_;
  std::optional<std::string> wineserver_;
  std::map<ProcessHandle, Child> children_;
  std::vector<Child> detached_;  // closed while still running; reaped later so none is left a zombie
  ProcessHandle next_handle_ = 1;
};

// The program and argument words of a command text, as CreateProcess reads it. `exists` tells whether a DOS
// path names a file. The program is the quoted first token, else the shortest leading run of words that names
// an existing file (also with ".exe" added), else the first word.
struct CommandSplit {
  std::string program;
  std::vector<std::string> arguments;
};
CommandSplit SplitCommandText(std::string_view text, const std::function<bool(const std::string&)>& exists);

}  // namespace norva::platform::wine
