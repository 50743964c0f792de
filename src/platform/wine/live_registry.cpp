#include "platform/wine/live_registry.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/wine/host_spawn.h"
#include "platform/wine/prefix.h"
#include "platform/wine/wine_halves.h"
#include "platform/wine/wine_shell.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kExchangeDos = "C:\\windows\\temp\\";

std::optional<std::string> ReadWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

std::vector<std::string> DefaultWineCommand() {
  if (const std::optional<std::string> wine = FindOnPath("wine")) return {*wine};
  return {};
}

fs::path DefaultRegistrySaveHelper() {
  std::error_code ec;
  const fs::path beside = fs::read_symlink("/proc/self/exe", ec).parent_path() / "norva-regsave.exe";
  if (!ec && fs::is_regular_file(beside, ec)) return beside;
  if (const fs::path folder = InstalledHelperFolder(); !folder.empty()) {
    const fs::path installed = folder / "norva-regsave.exe";
    if (fs::is_regular_file(installed, ec)) return installed;
  }
#ifdef NORVA_REGSAVE_HELPER
  if (fs::is_regular_file(NORVA_REGSAVE_HELPER, ec)) return NORVA_REGSAVE_HELPER;
#endif
  return {};
}

LiveRegistry::LiveRegistry(fs::path prefix, std::vector<std::string> wine, fs::path helper)
    : prefix_(std::move(prefix)),
      wine_(std::move(wine)),
      wine64_(Wine64Loader(wine_)),
      helper_(std::move(helper)) {}

std::optional<fs::path> LiveRegistry::ExchangeFolder() {
  std::error_code ec;
  const fs::path drive_c = fs::canonical(DriveLinkPath(prefix_, 'C'), ec);
  if (ec) return std::nullopt;
  fs::path folder = drive_c / "windows" / "temp";
  fs::create_directories(folder, ec);
  if (ec) return std::nullopt;
  return folder;
}

std::string LiveRegistry::ExchangeName(std::string_view what) {
  return "norva-" + std::to_string(getpid()) + "-" + std::to_string(++counter_) + "-" + std::string(what) +
         ".reg";
}

bool LiveRegistry::RunWine(std::vector<std::string> arguments) {
  SpawnRequest request;
  request.argv = win64_ ? wine64_ : wine_;
  request.argv.insert(request.argv.end(), arguments.begin(), arguments.end());
  request.prefix = prefix_;
  request.null_stdin = true;
  request.null_output = true;
  // Quiet, and no installer dialogs should the prefix need an update first.
  request.environment = {"WINEDEBUG=-all", "WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d"};
  const std::optional<int> exit_code = RunHostProgram(request, limit_);
  return exit_code && *exit_code == 0;
}

std::optional<LiveRegistry::Snapshot> LiveRegistry::Export() {
  if (!available()) return std::nullopt;
  const std::optional<fs::path> folder = ExchangeFolder();
  if (!folder) return std::nullopt;
  if (!helper_.empty()) {
    if (std::optional<Snapshot> snapshot = SaveWithHelper(*folder)) return snapshot;
  }
  return ExportWithReg(*folder);
}

std::optional<LiveRegistry::Snapshot> LiveRegistry::SaveWithHelper(const fs::path& folder) {
  const std::string machine_name = ExchangeName("machine");
  const std::string user_name = ExchangeName("user");
  std::optional<Snapshot> snapshot;
  if (RunWine({helper_.string(), std::string(kExchangeDos) + machine_name,
               std::string(kExchangeDos) + user_name})) {
    std::optional<std::string> machine = ReadWhole(folder / machine_name);
    std::optional<std::string> user = ReadWhole(folder / user_name);
    if (machine && user) snapshot = Snapshot{std::move(*machine), std::move(*user)};
  }
  std::error_code ec;
  fs::remove(folder / machine_name, ec);
  fs::remove(folder / user_name, ec);
  return snapshot;
}

std::optional<LiveRegistry::Snapshot> LiveRegistry::ExportWithReg(const fs::path& folder) {
  const std::string machine_name = ExchangeName("machine");
  const std::string user_name = ExchangeName("user");
  // One command for both roots: each start of a Windows program costs about a tenth of a second.
  const std::string command = "reg export HKLM " + std::string(kExchangeDos) + machine_name +
                              " /y & reg export HKCU " + std::string(kExchangeDos) + user_name + " /y";
  RunWine({"cmd", "/c", command});  // its exit code is the second export's; the files tell
  std::optional<Snapshot> snapshot;
  const std::optional<std::string> machine = ReadWhole(folder / machine_name);
  const std::optional<std::string> user = ReadWhole(folder / user_name);
  if (machine && user) {
    std::optional<std::string> machine_text = WineTextFromExport(*machine, kMachineRootName);
    std::optional<std::string> user_text = WineTextFromExport(*user, kUserRootName);
    if (machine_text && user_text) snapshot = Snapshot{std::move(*machine_text), std::move(*user_text)};
  }
  std::error_code ec;
  fs::remove(folder / machine_name, ec);
  fs::remove(folder / user_name, ec);
  return snapshot;
}

bool LiveRegistry::Import(const RegeditScript& script) {
  if (!available()) return false;
  if (script.empty()) return true;
  const std::optional<fs::path> folder = ExchangeFolder();
  if (!folder) return false;
  const std::string name = ExchangeName("change");
  {
    std::ofstream out(*folder / name, std::ios::binary | std::ios::trunc);
    out << script.Bytes();
    if (!out.flush()) return false;
  }
  const bool imported = RunWine({"regedit", "/S", std::string(kExchangeDos) + name});
  std::error_code ec;
  fs::remove(*folder / name, ec);
  return imported;
}

}  // namespace norva::platform::wine
