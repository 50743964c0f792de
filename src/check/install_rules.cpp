#include "check/install_rules.h"

#include <charconv>
#include <string>

#include "catalog/text_prep.h"
#include "check/catalog_keys.h"
#include "installed/protected_folders.h"
#include "installed/registry_guard.h"

namespace norva::check {
namespace {

// The folders of a freshly made Wine prefix: a deletion the guards refuse there is refused everywhere.
installed::SystemFolders TypicalFolders() {
  installed::SystemFolders f;
  f.OSName = "Windows NT";
  f.WindowsDir = "C:\\windows\\";
  f.SystemDir = "C:\\windows\\system32\\";
  f.TempDir = "C:\\users\\user\\Temp\\";
  f.ProgramFilesDir = "C:\\Program Files\\";
  f.CommonDesktopDir = "C:\\users\\Public\\Desktop\\";
  f.CommonProgramsDir = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\";
  f.UserDesktopDir = "C:\\users\\user\\Desktop\\";
  f.UserProgramsDir = "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\";
  return f;
}

// Where an unpacked item typically lies, for the folder commands relative to it.
constexpr std::string_view kSampleInstalled = "C:\\Games\\Item";

bool Uses(const catalog::DemosKind* kind) {
  return kind == &catalog::kDemoKind || kind == &catalog::kExtra2Kind || kind == &catalog::kFullKind ||
         kind == &catalog::kReaderKind;
}

void CheckInstallType(platform::IniFile& ini, const std::string& section, const catalog::TDemos& item,
                      const KindInfo& kind, Findings& out) {
  const std::int32_t type = item.InstallType;
  const std::string shown = std::to_string(type);
  if (type < 0 || type > 10 || type == 1) {
    out.Warning(section, "InstallType", shown + " is no install method: the Install button installs nothing");
    return;
  }
  if (type != 0 && item.InstallName.empty()) {
    out.Error(section, "InstallName", "InstallType " + shown + " needs InstallName, which is empty");
  }
  if (type == 0 && item.SetupName.empty() && item.GameName.empty() && kind.demos != &catalog::kReaderKind) {
    out.Warning(section, "SetupName", "InstallType 0 runs SetupName from the disc, which is empty");
  }
  const bool reads_test = kind.demos == &catalog::kDemoKind || kind.demos == &catalog::kExtra2Kind ||
                          kind.demos == &catalog::kFullKind;
  const std::int32_t detect = item.DirDetect;
  const bool param_taken = detect == 3 || detect == 6 || detect == 7 || detect == 8 || detect == 10;
  if (reads_test && !param_taken && (type == 0 || type == 4 || type == 10) &&
      ini.ReadString(section, "TestName", "").empty()) {
    out.Error(section, "TestName",
              "InstallType " + shown + " needs TestName, the file that tells the item is installed" +
                  (type == 4 ? "; the install poll never ends" : ""));
  }
}

void CheckDetection(const std::string& section, const catalog::TDemos& item, Findings& out) {
  const std::int32_t detect = item.DirDetect;
  const char* key = detect == 3                   ? "ShortCut"
                    : detect == 6 || detect == 10 ? "IniFile"
                    : detect == 8                 ? "SearchFile"
                                                  : nullptr;
  if (detect < 0 || detect > 10) {
    out.Warning(section, "DirDetect",
                std::to_string(detect) + " is no detection method: the item is never found");
    return;
  }
  if ((detect == 2 || detect == 4) && (item.RegKey.empty() || item.RegName.empty())) {
    out.Error(section, item.RegKey.empty() ? "RegKey" : "RegName",
              "DirDetect " + std::to_string(detect) + " reads the program's folder from RegKey and RegName");
  }
  if ((detect == 7 || detect == 9) && item.RegUninstall.empty()) {
    out.Error(
        section, "RegUninstall",
        "DirDetect " + std::to_string(detect) + " finds the folder through RegUninstall, which is empty");
  }
  if (key == nullptr) return;
  if (item.Param.empty()) {
    out.Error(section, key, "DirDetect " + std::to_string(detect) + " reads " + key + ", which is empty");
    return;
  }
  const auto parts = catalog::SplitFields(item.Param);
  if (detect == 6 && (parts.size() != 3 || parts[0].empty() || parts[2].empty())) {
    out.Error(section, key, "DirDetect 6 wants \"file,section,key\" of an INI file");
  }
  if (detect == 8) {
    int depth = 0;
    const bool number =
        parts.size() < 2 ||
        std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), depth).ec == std::errc();
    if (parts.empty() || parts[0].empty() || !number) {
      out.Error(section, key, "SearchFile wants \"file,depth,folder\" (depth a number)");
    }
  }
}

void CheckFolderCommand(const std::string& section, std::string_view arg,
                        const installed::ProtectedFolders& guard, Findings& out) {
  std::string target;
  if (arg.empty()) return;
  if (arg[0] == '?') target = "C" + std::string(arg.substr(1));
  if (arg[0] == 'C') target = std::string(arg);
  if (arg[0] == 'G')
    target = arg.size() == 1 ? std::string(kSampleInstalled)
                             : std::string(kSampleInstalled) + "\\" + std::string(arg.substr(1));
  if (arg[0] == 'E') return;
  if (target.empty()) {
    out.Warning(section, "Uninstall", "\"D" + std::string(arg) + "\": unknown folder command; ignored");
    return;
  }
  if (guard.Covers(target)) {
    out.Error(
        section, "Uninstall",
        "\"D" + std::string(arg) + "\" aims at a protected folder: the uninstall deletes nothing there");
  }
}

void CheckUninstall(const std::string& section, const catalog::TDemos& item, Findings& out) {
  static const installed::ProtectedFolders guard(TypicalFolders(), "C:\\");
  // "SETUP" runs the item's setup again; a leading '?' or '!' says how the uninstaller is found.
  std::string_view list = item.Uninstall;
  if (list == "SETUP") return;
  const bool locate = list.starts_with('?');
  if (locate || list.starts_with('!')) list.remove_prefix(1);
  for (const std::string& entry : catalog::SplitFields(list)) {
    if (entry.empty()) continue;
    const std::string_view arg = std::string_view(entry).substr(1);
    const std::string quoted = "\"" + entry + "\"";
    // After '?' the G, S and P entries name where the uninstaller lies.
    if (locate && (entry[0] == 'G' || entry[0] == 'P')) continue;
    switch (entry[0]) {
      case 'D':
        CheckFolderCommand(section, arg, guard, out);
        break;
      case 'F':
        if (arg.empty()) out.Warning(section, "Uninstall", quoted + ": a file command without a file");
        break;
      case 'R': {
        const std::size_t slash = arg.find('\\');
        if (arg.size() < 2 || (arg[1] != 'D' && arg[1] != 'E' && arg[1] != 'F') || slash != 2) {
          out.Warning(section, "Uninstall",
                      quoted + " is no registry command (R<root><D|E|F>\\key); ignored");
          break;
        }
        std::string key(arg.substr(3));
        if (arg[1] == 'F') key = key.substr(0, key.find('|'));
        if (arg[1] != 'F' && installed::IsProtectedRegistryKey(key)) {
          out.Error(section, "Uninstall", quoted + " aims at a protected registry key: nothing is deleted");
        }
        break;
      }
      case 'S':
        if (arg.empty() || (arg[0] != 'D' && arg[0] != 'F' && arg[0] != 'N')) {
          out.Warning(section, "Uninstall", quoted + ": unknown shortcut command; ignored");
        }
        break;
      case 'U':
        if (arg.empty() || (arg[0] != 'S' && arg[0] != 'U')) {
          out.Warning(section, "Uninstall", quoted + ": unknown uninstaller command; ignored");
        }
        break;
      default:
        out.Warning(section, "Uninstall", quoted + " is not an uninstall command; ignored");
    }
  }
}

template <typename Records>
void Each(platform::IniFile& ini, const KindInfo& kind, const Records& records, std::int32_t count,
          Findings& out) {
  for (std::int32_t n = 1; n <= count; ++n) {
    const std::string section = std::string(kind.section_prefix) + std::to_string(n);
    const catalog::TDemos& item = records[n];
    CheckInstallType(ini, section, item, kind, out);
    if (kind.demos->dir_detect) CheckDetection(section, item, out);
    if (kind.demos->uninstall) CheckUninstall(section, item, out);
  }
}

}  // namespace

void CheckInstallRules(platform::IniFile& ini, const catalog::Catalog& catalog, Findings& out) {
  for (const KindInfo& kind : SectionKinds()) {
    if (!Uses(kind.demos)) continue;
    if (kind.demos == &catalog::kDemoKind) Each(ini, kind, catalog.Demo, catalog.DemoCount, out);
    if (kind.demos == &catalog::kExtra2Kind) Each(ini, kind, catalog.Extra2, catalog.Extra2Count, out);
    if (kind.demos == &catalog::kFullKind) Each(ini, kind, catalog.Full, catalog.FullCount, out);
    if (kind.demos == &catalog::kReaderKind) Each(ini, kind, catalog.Reader, catalog.ReaderCount, out);
  }
}

}  // namespace norva::check
