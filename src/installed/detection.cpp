#include "installed/detection.h"

#include <utility>

#include "catalog/text_prep.h"
#include "install/command_text.h"
#include "installed/file_tree.h"
#include "installed/path_text.h"

namespace norva::installed {
namespace {

using catalog::TDemos;

constexpr std::string_view kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool Contains(std::string_view text, char c) {
  return text.find(c) != std::string_view::npos;
}

// The catalog's captions are upper-cased, so the two names are compared without regard to case.
bool NameIs(const TDemos& item, std::string_view name) {
  return install::UpperAscii(item.Name) == install::UpperAscii(name);
}

// Two items are known to sit under an uninstall key whose name ends in a blank.
void AppendBlankFor(TDemos& item, std::string_view name) {
  if (NameIs(item, name) && (item.RegUninstall.empty() || item.RegUninstall.back() != ' ')) {
    item.RegUninstall += ' ';
  }
}

void ClearUninstallerWhenIgnored(TDemos& item) {
  if (StartsWith(item.Uninstall, "*")) item.UnInstallName.clear();
}

// "C:\GAME\TEST.DAT" -> "C:\GAME" and "TEST.DAT".
std::pair<std::string, std::string> SplitAtLastBackslash(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\:");
  if (slash == std::string_view::npos) return {std::string(), std::string(path)};
  std::string dir(path.substr(0, slash + 1));
  if (dir.back() == '\\') dir.pop_back();
  return {dir, std::string(path.substr(slash + 1))};
}

}  // namespace

Detector::Detector(platform::Platform& platform, const SystemFolders& folders, platform::IniFile& store,
                   std::string disc_root, std::string issue_code, platform::CodePage code_page)
    : platform_(platform),
      folders_(folders),
      disc_root_(std::move(disc_root)),
      code_page_(code_page),
      store_(store, platform.ini, platform.files, folders.WindowsDir, std::move(issue_code)) {}

void Detector::CheckDemo(TDemos& item) {
  ExpandUninstallerPrefix(item);
  ApplyInstallType(item);
  if (item.InstallType == 5 || (item.InstallType == 4 && item.DirDetect >= 1)) DetectDir(item);
  if (!item.InstalledDir.empty() && item.InstalledDir.back() == '\\') item.InstalledDir.pop_back();
  if (item.InstallType != 0 && item.InstallType != 20) UpdatePresence(item);
}

RunFileMatch Detector::FindRunFile(const TDemos& item) {
  RunFileMatch match;
  if (item.InstalledDir.empty()) return match;
  const std::string base = item.InstalledDir + "\\";
  if (!Contains(item.GameName, ':')) {
    match.found = platform_.files.FileExists(base + install::StripArguments(item.GameName));
    return match;
  }
  const std::vector<std::string> parts = catalog::SplitFields(item.GameName);
  for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
    if (platform_.files.FileExists(base + install::StripArguments(BeforeColon(*part)))) {
      match.found = true;
      match.alternative = *part;
      return match;
    }
  }
  return match;
}

void Detector::ExpandUninstallerPrefix(TDemos& item) {
  std::string joined;
  if (StartsWith(item.UnInstallName, "?I")) {
    joined = item.InstallDir + "\\" + item.UnInstallName.substr(2);
  } else if (StartsWith(item.UnInstallName, "?W")) {
    joined = folders_.WindowsDir + item.UnInstallName.substr(2);
  } else {
    return;
  }
  // Only the program is expanded: arguments such as "/A" are no path components. A text that names no
  // drive path is kept as joined.
  const std::string program = install::StripArguments(joined);
  const std::string arguments = joined.substr(program.size());
  item.UnInstallName = AbsoluteDosPath(program, platform_.files.CurrentDir()).value_or(program) + arguments;
}

void Detector::ApplyInstallType(TDemos& item) {
  switch (item.InstallType) {
    case 0:
      item.Runnable = item.GameName.empty() ? 0 : 1;
      item.NotInstalled = 0;
      item.InstalledDir = item.InstallDir;
      DetectTestFile(item);
      break;
    case 1:
    case 2:
    case 3:
      item.InstalledDir = store_.ReadStoredDir(item.Name);
      if (!item.RegUninstall.empty()) item.UnInstallName = ReadUninstallString(item.RegUninstall);
      break;
    case 4:
      AppendBlankFor(item, "Starships Unlim.");
      item.UnInstallName = ReadUninstallString(item.RegUninstall);
      if (item.DirDetect == 0) item.InstalledDir = install::DirFromUninstallString(item.UnInstallName);
      ClearUninstallerWhenIgnored(item);
      // With a DirDetect method the folder tested here is the one of the previous detection; the method
      // below sets the folder afresh.
      if (!item.Param.empty() && !platform_.files.FileExists(item.InstalledDir + item.Param)) {
        item.InstalledDir.clear();
      }
      break;
    case 5:
      FillUninstallerOnce(item);
      ClearUninstallerWhenIgnored(item);
      break;
    case 6:
      DetectSierraDir(item);
      break;
    case 7:
      AppendBlankFor(item, "SOF 2");
      FillUninstallerOnce(item);
      item.InstalledDir = WorkingDirOf(item.UnInstallName);
      ClearUninstallerWhenIgnored(item);
      break;
    case 20:
      item.Runnable = 1;
      item.InstalledDir = item.InstallDir;
      item.NotInstalled = 0;
      item.Installed = 0;
      break;
    default:
      break;
  }
}

// An item that runs from the disc may leave a test file behind (a save folder, a registered driver).
void Detector::DetectTestFile(TDemos& item) {
  if (item.Param.empty() || !platform_.files.FileExists(item.Param)) return;
  const auto [dir, file] = SplitAtLastBackslash(item.Param);
  // A store that cannot be written does not change what was found.
  if (store_.WriteDirEntry(item.Name, dir)) {
    store_.WriteRecordEntry(item.Name, {file, "", item.Uninstall, std::to_string(item.CD)});
  }
  item.Installed = 1;
}

void Detector::DetectSierraDir(TDemos& item) {
  const std::string sierra_ini = folders_.WindowsDir + "sierra.ini";
  if (!platform_.files.FileExists(sierra_ini)) return;
  auto ini = platform_.ini.Open(sierra_ini);
  item.InstalledDir = ini ? PostFixDir(ini->ReadString("Sierra", "SierraDir", "")) : std::string();
  if (item.InstalledDir.empty()) return;
  const bool on_disc_drive = !disc_root_.empty() && install::UpperAscii(item.InstalledDir.substr(0, 1)) ==
                                                        install::UpperAscii(disc_root_.substr(0, 1));
  FileTree tree(platform_.files, folders_);
  if (on_disc_drive || !tree.DirExists(item.InstalledDir)) item.InstalledDir.clear();
}

void Detector::UpdatePresence(TDemos& item) {
  const RunFileMatch match = FindRunFile(item);
  if (!match.found) {
    item.NotInstalled = 1;
    item.Runnable = 0;
    item.Installed = 0;
    store_.DeleteEntries(item.Name);
    return;
  }
  item.Runnable = 1;
  item.Installed = 1;
  item.NotInstalled = 0;
  const bool list_of_alternatives = Contains(item.GameName, ':') && !Contains(item.GameName, ';');
  const std::string run_file = list_of_alternatives ? match.alternative : item.GameName;
  // The first write that fails ends the writing; what was found stays set.
  if (!store_.WriteDirEntry(item.Name, item.InstalledDir)) return;
  if (!store_.WriteRecordEntry(item.Name, {run_file, item.RegUninstall, item.Uninstall, DiscCode(item.CD)})) {
    return;
  }
  if (!item.UnInstallName.empty()) store_.WriteUninstallerEntry(item.Name, item.UnInstallName);
}

std::string Detector::ReadUninstallString(std::string_view reg_uninstall) {
  std::string key(kUninstallKey);
  if (!reg_uninstall.empty()) key += "\\" + std::string(reg_uninstall);
  return platform_.registry.ReadString(platform::RegRoot::kLocalMachine, key, "UninstallString").value_or("");
}

void Detector::FillUninstallerOnce(TDemos& item) {
  if (item.UnInstallName.empty()) item.UnInstallName = ReadUninstallString(item.RegUninstall);
}

std::string Detector::WorkingDirOf(std::string_view command) {
  return install::WorkingDirOf(command,
                               [this](std::string_view path) { return platform_.files.FileExists(path); });
}

}  // namespace norva::installed
