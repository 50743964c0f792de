// The registry as a running wineserver holds it, reached through Wine's own tools run in the prefix: one
// `reg export` call per root, both in one command, gives a snapshot; `regedit /S` imports changes. Wine
// keeps the registry in the server's memory while any program of the prefix runs and writes system.reg and
// user.reg only now and then, so the files are stale meanwhile and changes made to them would be overwritten.
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
  // every call fails.
  LiveRegistry(std::filesystem::path prefix, std::vector<std::string> wine);

  bool available() const { return !wine_.empty(); }

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

  std::filesystem::path prefix_;
  std::vector<std::string> wine_;
  std::chrono::milliseconds limit_{60000};
  unsigned counter_ = 0;
};

// The loader that runs Windows programs: "wine" on the PATH, as words; empty when Wine is not installed.
std::vector<std::string> DefaultWineCommand();

}  // namespace norva::platform::wine
