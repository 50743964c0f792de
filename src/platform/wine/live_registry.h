// The registry as a running wineserver holds it, reached through Windows programs run in the prefix. Wine
// keeps the registry in the server's memory while any program of the prefix runs and writes system.reg and
// user.reg only now and then, so the files are stale meanwhile and changes made to them would be overwritten.
// A snapshot of both roots takes one call: the menu's helper norva-regsave.exe has the server save them in
// its own file format (a tenth of a second or so); without the helper, Wine's `reg export` of both roots in
// one command does it (about a second). `regedit /S` imports changes.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/wine/regedit_text.h"

namespace norva::platform::wine {

class LiveRegistry {
 public:
  // `wine` is the command that runs Windows programs in a prefix ("wine" on the PATH); empty: none, and
  // every call fails. `helper` is the host path of norva-regsave.exe; empty: Wine's own tools only.
  LiveRegistry(std::filesystem::path prefix, std::vector<std::string> wine, std::filesystem::path helper);

  bool available() const { return !wine_.empty(); }
  // A 64-bit prefix gets Wine's tools from the 64-bit loader, so that they see the whole registry and not
  // the 32-bit view.
  void SetWin64(bool win64) { win64_ = win64; }

  // Both roots in the text of Wine's registry files (system.reg and user.reg), or nullopt when Wine could
  // not give them.
  struct Snapshot {
    std::string machine;
    std::string user;
  };
  std::optional<Snapshot> Export();

  // Applies the changes; false when the import could not run.
  bool Import(const RegeditScript& script);

  // How long one call may take before it is given up (the program is then killed).
  void SetTimeLimit(std::chrono::milliseconds limit) { limit_ = limit; }

 private:
  // The host folder behind C:\windows\temp, where the exchanged files lie; nullopt without a C: drive.
  std::optional<std::filesystem::path> ExchangeFolder();
  std::string ExchangeName(std::string_view what);
  bool RunWine(std::vector<std::string> arguments);

  std::optional<Snapshot> SaveWithHelper(const std::filesystem::path& folder);
  std::optional<Snapshot> ExportWithReg(const std::filesystem::path& folder);

  std::filesystem::path prefix_;
  std::vector<std::string> wine_;
  std::vector<std::string> wine64_;
  bool win64_ = true;
  std::filesystem::path helper_;
  std::chrono::milliseconds limit_{20000};
  unsigned counter_ = 0;
};

// The loader that runs Windows programs: "wine" on the PATH, as words; empty when Wine is not installed.
std::vector<std::string> DefaultWineCommand();
// norva-regsave.exe beside the running program, else in the installed helper folder, else where the build
// put it; empty when there is none.
std::filesystem::path DefaultRegistrySaveHelper();

}  // namespace norva::platform::wine
