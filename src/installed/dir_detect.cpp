// The folder detection methods selected by an item's DirDetect value.
#include "catalog/text_prep.h"
#include "install/command_text.h"
#include "install/shell_linker.h"
#include "installed/detection.h"
#include "installed/path_text.h"

namespace norva::installed {
namespace {

using catalog::TDemos;

bool IsFullPath(std::string_view path) {
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// The first line of a text file, without its line break.
std::string FirstLine(std::string_view text) {
  return std::string(text.substr(0, text.find_first_of("\r\n")));
}

}  // namespace

void Detector::DetectDir(TDemos& item) {
  switch (item.DirDetect) {
    case 1:
      item.InstalledDir = install::DirFromUninstallString(item.UnInstallName);
      break;
    case 2:
      item.InstalledDir = AppPathFromRegistry(platform::RegRoot::kLocalMachine, item);
      break;
    case 3:
      DetectFromShortcut(item);
      break;
    case 4:
      item.InstalledDir = AppPathFromRegistry(platform::RegRoot::kCurrentUser, item);
      break;
    case 5:
    case 8:  // the folder that a search install recorded
      item.InstalledDir = store_.ReadStoredDir(item.Name);
      break;
    case 6:
      item.InstalledDir = PrivateIniValue(item.Param);
      break;
    case 9:
      if (install::UpperAscii(item.Name) == "SOF 2" &&
          (item.RegUninstall.empty() || item.RegUninstall.back() != ' ')) {
        item.RegUninstall += ' ';
      }
      [[fallthrough]];
    case 7:
      FillUninstallerOnce(item);
      item.InstalledDir = WorkingDirOf(item.UnInstallName);
      break;
    case 10:
      DetectFromTextFile(item);
      break;
    default:
      break;
  }
}

std::string Detector::AppPathFromRegistry(platform::RegRoot root, const TDemos& item) {
  const std::string key = "SOFTWARE\\" + item.RegKey;
  return WorkingDirOf(platform_.registry.ReadString(root, key, item.RegName).value_or(""));
}

void Detector::DetectFromShortcut(TDemos& item) {
  install::TLinkInfo link;
  // Only a shortcut that cannot be read at all sends the search on to the all-users folder.
  bool readable = ReadShortcut(folders_.UserProgramsDir + item.Param, link);
  if (!readable) readable = ReadShortcut(folders_.CommonProgramsDir + item.Param, link);
  if (readable && !link.Path.empty()) item.InstalledDir = link.WorkingDirectory;
  if (!item.InstalledDir.empty()) {
    store_.WriteDirEntry(item.Name,
                         item.InstalledDir);  // a store that cannot be written changes nothing here
  } else {
    item.InstalledDir = store_.ReadStoredDir(item.Name);
  }
}

bool Detector::ReadShortcut(std::string_view link_path, install::TLinkInfo& link) {
  link = install::TLinkInfo{};
  const std::optional<std::string> path = ReadablePath(link_path);
  return path && install::GetLinkInfo(platform_.files, *path, code_page_, link);
}

std::optional<std::string> Detector::ReadablePath(std::string_view path) {
  std::optional<std::string> resolved = AbsoluteDosPath(path, platform_.files.CurrentDir());
  if (!resolved || platform_.drives.IsHostView(resolved->front())) return std::nullopt;
  return resolved;
}

// DirDetect 6: "file,section,key" (or with ";" or ":") of a private INI file in the Windows folder.
std::string Detector::PrivateIniValue(std::string_view param) {
  const std::vector<std::string> parts = catalog::SplitFields(param);
  auto part = [&parts](std::size_t i) { return i < parts.size() ? parts[i] : std::string(); };
  std::string file = part(0);
  // A name without a full path means the file in the Windows folder, as for the private-profile calls.
  if (!IsFullPath(file)) file = folders_.WindowsDir + file;
  std::optional<std::string> path = ReadablePath(file);
  if (!path) return {};
  // The name test looks at the file that is really read: "x.ini\..\secrets" names "secrets".
  if (install::UpperAscii(path->substr(path->rfind('\\') + 1)).find(".INI") == std::string::npos) {
    *path += ".INI";
  }
  auto ini = platform_.ini.Open(*path);
  return ini ? ini->ReadString(part(1), part(2), "") : std::string();
}

// DirDetect 10: the first line of a text file below the Windows folder names the folder.
void Detector::DetectFromTextFile(TDemos& item) {
  const std::optional<std::string> path = ReadablePath(folders_.WindowsDir + item.Param);
  if (!path || !platform_.files.FileExists(*path)) return;
  if (auto text = platform_.files.ReadFile(*path)) item.InstalledDir = FirstLine(*text);
}

}  // namespace norva::installed
