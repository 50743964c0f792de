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
  // The helper that a waited program runs under (norva-waiter), so that the wait also lasts while the
  // programs it handed its work over to run, and the settling above is part of the wait. Unset: the one
  // beside the running program, else the one the build made; empty: the program alone is waited for.
  std::optional<std::filesystem::path> waiter;
  // The helper's rules (see tree_watch.h); the temporary folders of the machine are followed.
  std::chrono::milliseconds hand_over{5000};
  std::chrono::milliseconds grace{5000};
  // Without a runner, creations are only logged (the headless driver); else a missing runner is reported as
  // a machine without Wine.
  bool record_only = false;
  // Whether the runner's Wine runs 32-bit programs; unset: looked up where Wine keeps its 32-bit half.
  std::optional<bool> wine_runs_32bit;
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
                                      bool wait, Error* error = nullptr) override;
  StartFailure LastStartFailure() const override { return last_failure_; }
  std::optional<int> ExitCode(ProcessHandle process) override;
  WaitHandle Ended(ProcessHandle process) override;
  void Wait(ProcessHandle process) override;
  std::optional<ProcessHandle> BeginSettle(ProcessHandle process) override;
  std::chrono::milliseconds SettleLimit() const override { return options_.settle_limit; }
  void Close(ProcessHandle process) override;

  const std::optional<std::string>& wineserver() const { return wineserver_; }

 private:
  struct Child {
    int pid = -1;
    int ended_fd = -1;  // pidfd: readable once the process has ended
    std::size_t log_index = 0;
    bool wait = false;
    bool settled = false;  // run under the waiter, which settled the wineserver itself
    std::optional<int> exit_code;
    bool settle = false;  // the wineserver's settling after a waited program, not a program of the log
  };

  // Collects the child's status when it has ended (without blocking unless `block`).
  void Collect(Child& child, bool block);
  void SettleWineserver();
  void ReapDetached();
  // The waiter's words that run `argv` (nothing when there is no waiter).
  std::vector<std::string> WaiterWords(const std::vector<std::string>& argv);

  FileSystem& files_;
  SystemInfo& system_;
  LaunchLog& log_;
  WineProcessesOptions options_;
  std::optional<std::string> wineserver_;
  std::filesystem::path waiter_;
  std::optional<bool> wine_runs_32bit_;  // asked once, when a program first needs it
  StartFailure last_failure_ = StartFailure::kNone;
  std::map<ProcessHandle, Child> children_;
  std::vector<Child> detached_;  // closed while still running; reaped later so none is left a zombie
  ProcessHandle next_handle_ = 1;
};

// norva-waiter beside the running program, else in the installed helper folder, else where the build put
// it; empty when there is none.
std::filesystem::path DefaultWaiter();

// The program and argument words of a command text, as CreateProcess reads it. `exists` tells whether a DOS
// path names a file. The program is the quoted first token, else the shortest leading run of words that names
// an existing file (also with ".exe" added), else the first word.
struct CommandSplit {
  std::string program;
  std::vector<std::string> arguments;
};
CommandSplit SplitCommandText(std::string_view text, const std::function<bool(const std::string&)>& exists);

}  // namespace norva::platform::wine
