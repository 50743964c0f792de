#include "install/launcher.h"

#include <algorithm>

#include "install/command_text.h"

namespace norva::install {
namespace {

constexpr std::size_t kParamLimit = 20;
constexpr std::size_t kEnvLimit = 250;

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

using components::BusyCursor;

}  // namespace

Launcher::Launcher(platform::Platform& platform, components::FrontEnd& host, std::string disc_root,
                   platform::IniFile* catalog, StartFailureReport report)
    : platform_(platform),
      host_(host),
      disc_root_(std::move(disc_root)),
      catalog_(catalog),
      report_(std::move(report)) {}

void Launcher::Report(platform::StartFailure failure, std::string_view text) {
  if (failure == platform::StartFailure::kNone || !report_) return;
  report_(failure, StripArguments(StripQuotes(text)));
}

std::string Launcher::WorkingDirOf(std::string_view text) {
  return install::WorkingDirOf(text,
                               [this](std::string_view path) { return platform_.files.FileExists(path); });
}

void Launcher::ShellExec(std::string_view text, int show) {
  Report(ShellExecQuietly(text, show), text);
}

platform::StartFailure Launcher::ShellExecQuietly(std::string_view text, int show) {
  const std::string upper = UpperAscii(text);
  std::string file(text);
  std::string params;
  // The file part ends three characters after the last dot (four for ".HTML"); what follows is parameters.
  // A text without any dot is handed over whole.
  if (const auto dot = text.find_last_of('.'); dot != std::string_view::npos) {
    const std::size_t length = dot + 1 + (Contains(upper, ".HTML") ? 4 : 3);
    file = std::string(text.substr(0, std::min(length, text.size())));
    if (file.size() < text.size()) params = std::string(text.substr(file.size(), kParamLimit));
  }
  if (Contains(upper, ".PDF") && !platform_.shell.PdfProgramRegistered()) {
    const std::string reader = catalog_ ? catalog_->ReadString("MAIN", "AcrobatReader", "") : std::string();
    WaitExec(disc_root_ + "\\" + reader, platform::kShowNormal);
  }
  constexpr int kHandedOver = 32;
  if (platform_.shell.ShellExecute("OPEN", file, params, "", show) > kHandedOver)
    return platform::StartFailure::kNone;
  return platform_.shell.LastStartFailure();
}

bool Launcher::NormalExec(std::string_view text, int show) {
  if (text.empty()) return false;
  const auto process = platform_.processes.Create(text, WorkingDirOf(text), show, /*wait=*/false);
  platform::StartFailure failure = platform::StartFailure::kNone;
  if (process) {
    platform_.processes.Close(*process);
  } else {
    failure = platform_.processes.LastStartFailure();
  }
  // Documents the process start cannot run go to the shell; each kind is tested on its own.
  const std::string upper = UpperAscii(text);
  for (const char* kind : {".HTM", ".MSI", ".LNK", ".ZIP"}) {
    if (!Contains(upper, kind)) continue;
    const platform::StartFailure shell_failure = ShellExecQuietly(text, platform::kShowNormal);
    if (failure == platform::StartFailure::kNone) failure = shell_failure;
  }
  // One box for the launch, whichever of its ways failed.
  Report(failure, text);
  return process.has_value();
}

bool Launcher::WaitExec(std::string_view text, int show) {
  if (text.empty()) return false;
  std::string dir = WorkingDirOf(text);
  if (dir.rfind("RunDll32", 0) == 0) dir = "C:\\";
  auto& processes = platform_.processes;
  platform::StartFailure failure = platform::StartFailure::kNone;
  {
    BusyCursor busy(host_);
    const auto process = processes.Create(text, dir, show, /*wait=*/true);
    if (process) {
      host_.WaitWhile([&] { return !processes.ExitCode(*process).has_value(); }, processes.Ended(*process));
      // The machine's settling (an install's registry written out) is waited for with the window alive too.
      if (const auto settle = processes.BeginSettle(*process)) {
        host_.WaitWhile([&] { return !processes.ExitCode(*settle).has_value(); }, processes.Ended(*settle),
                        std::chrono::steady_clock::now() + processes.SettleLimit());
        processes.Close(*settle);
      }
      processes.Close(*process);
      return true;
    }
    failure = processes.LastStartFailure();
  }
  // Told with the default cursor back.
  Report(failure, text);
  return false;
}

void Launcher::PumpMessages() {
  host_.ProcessMessages();
}

std::string Launcher::GetEnvVar(std::string_view name) {
  std::string value = platform_.system.GetEnv(name).value_or("");
  if (value.size() > kEnvLimit) value.resize(kEnvLimit);
  return value;
}

}  // namespace norva::install
