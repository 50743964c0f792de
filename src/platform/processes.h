// Creating Windows processes and waiting for them, as CreateProcess and GetExitCodeProcess do.
#pragma once

#include <chrono>
#include <optional>
#include <string_view>

#include "platform/error.h"
#include "platform/start_failure.h"
#include "platform/wait_handle.h"

namespace norva::platform {

// Identifies one created process until it is closed; never reused within a run.
using ProcessHandle = int;

class Processes {
 public:
  virtual ~Processes() = default;

  // Starts a program from a command text: a quoted first token names the program, else the shortest leading
  // run of words that names an existing file; the rest are its arguments. `working_dir` is a DOS path,
  // `show` a ShowWindow value; `wait` only says (for the launch log) that the caller will wait for it.
  // nullopt when no process could be created (no such program, not a program, nothing to run it with).
  // The cause of a failure goes into `error` when one is given.
  virtual std::optional<ProcessHandle> Create(std::string_view command_text, std::string_view working_dir,
                                              int show, bool wait, Error* error = nullptr) = 0;
  // Why the last Create that gave nullopt failed, when the machine is the cause; kNone otherwise.
  virtual StartFailure LastStartFailure() const { return StartFailure::kNone; }

  // The exit code once the process has ended; nullopt while it runs (GetExitCodeProcess's STILL_ACTIVE).
  virtual std::optional<int> ExitCode(ProcessHandle process) = 0;

  // What a front end waits on, together with its own events, until the process ends; owned by the process
  // handle and valid until Close. None when the process has already been collected.
  virtual WaitHandle Ended(ProcessHandle process) = 0;

  // Blocks until the process has ended (a front end without events of its own waits this way).
  virtual void Wait(ProcessHandle process) = 0;

  // After a waited process has ended: starts what the machine still does before the process's results can
  // be read (the Wine backend: the wineserver writing out the registry) and gives a handle to wait on like a
  // process's, for at most SettleLimit(), and then to close. Nothing when there is nothing to wait for.
  virtual std::optional<ProcessHandle> BeginSettle(ProcessHandle process) {
    (void)process;
    return std::nullopt;
  }
  virtual std::chrono::milliseconds SettleLimit() const { return std::chrono::milliseconds(0); }

  // Releases the handle (CloseHandle); a process still running goes on on its own. After a waited process
  // whose settling was not begun, the machine is given a bounded time to settle before this returns.
  virtual void Close(ProcessHandle process) = 0;
};

}  // namespace norva::platform
