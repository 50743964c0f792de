// Starting programs and documents for the menu: ShellExec hands a file to the shell, NormalExec starts a
// process and returns, WaitExec starts one and keeps the menu alive until it ends. Launch failures are not
// reported to the user; only the results say what happened.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "components/front_end.h"
#include "platform/ini_file.h"
#include "platform/platform.h"

namespace norva::install {

// Tells the person at the menu that a program could not start for a reason of this machine (no Wine, no
// 32-bit Wine, not a Windows program); `program` is the program's path as the command text names it.
using StartFailureReport = std::function<void(platform::StartFailure failure, std::string_view program)>;

class Launcher {
 public:
  // `platform` and `host` are borrowed and must outlive the launcher. `disc_root` is the disc's drive ("D:").
  // `catalog` (borrowed, may be null before the catalog is open) supplies [Main] AcrobatReader. `report`
  // (may be empty) is told of each launch that failed for a reason of the machine, once per launch.
  Launcher(platform::Platform& platform, components::FrontEnd& host, std::string disc_root,
           platform::IniFile* catalog, StartFailureReport report = {});

  void SetDiscRoot(std::string disc_root) { disc_root_ = std::move(disc_root); }
  void SetCatalog(platform::IniFile* catalog) { catalog_ = catalog; }

  // Opens the file part of `text` with the verb "OPEN", passing at most 20 characters after it as
  // parameters. A PDF document without a PDF program first runs the disc's reader setup to its end.
  void ShellExec(std::string_view text, int show);
  // Starts `text` as a process in its working directory without waiting; pages, installers, shortcuts and
  // archives among it are handed to the shell as well. True when the process was created.
  bool NormalExec(std::string_view text, int show);
  // Starts `text` and handles the front end's events until it ends, with the hourglass shown meanwhile.
  // True when the process was created and has ended.
  bool WaitExec(std::string_view text, int show);
  // Runs the front end's pending events once.
  void PumpMessages();
  // An environment variable of the machine; empty when unset. Values are cut to 250 characters.
  std::string GetEnvVar(std::string_view name);
  // The working directory of a command text, tested against the machine's files.
  std::string WorkingDirOf(std::string_view text);

 private:
  // ShellExec without the report: the machine's reason when the file could not be handed over.
  platform::StartFailure ShellExecQuietly(std::string_view text, int show);
  void Report(platform::StartFailure failure, std::string_view text);

  platform::Platform& platform_;
  components::FrontEnd& host_;
  std::string disc_root_;
  platform::IniFile* catalog_;
  StartFailureReport report_;
};

}  // namespace norva::install
