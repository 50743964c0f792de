#include "check/install_rules.h"

#include <charconv>
#include <string>

#include "catalog/text_prep.h"
#include "check/catalog_keys.h"
#include "installed/path_text.h"
#include "installed/protected_folders.h"
#include "installed/registry_guard.h"
#include "menu/uninstall_entry.h"

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

// An entry the uninstall carries out, judged by the guards the uninstall uses.
void CheckUninstallEntry(const std::string& section, const std::string& text,
                         const installed::ProtectedFolders& guard, Findings& out) {
  const menu::UninstallEntry entry = menu::ParseUninstallEntry(text);
  const std::string quoted = "\"" + text + "\"";
  switch (entry.op) {
    case menu::UninstallOp::kIgnored:
      out.Warning(section, "Uninstall", quoted + " is not an uninstall command; the uninstall ignores it");
      break;
    case menu::UninstallOp::kDeleteTree: {
      // DG aims below the item's folder: judged where an unpacked item typically lies.
      const auto target =
          menu::UninstallFolderTarget(entry, kSampleInstalled, TypicalFolders().ProgramFilesDir);
      if (!target) break;
      const std::string path = target->resolve
                                   ? installed::AbsoluteDosPath(target->path, "C:\\").value_or(target->path)
                                   : target->path;
      if (guard.Covers(path)) {
        out.Error(section, "Uninstall",
                  quoted + " aims at a protected folder: the uninstall deletes nothing there");
      }
      break;
    }
    case menu::UninstallOp::kDeleteKey:
    case menu::UninstallOp::kDeleteEmptyKey:
      if (installed::IsProtectedRegistryKey(entry.key)) {
        out.Error(section, "Uninstall", quoted + " aims at a protected registry key: nothing is deleted");
      }
      break;
    case menu::UninstallOp::kDeleteValue:
      if (!entry.value) {
        out.Warning(section, "Uninstall", quoted + " names no value (key|value); nothing is deleted");
      }
      break;
    default:
      break;
  }
}

void CheckUninstall(const std::string& section, const catalog::TDemos& item, Findings& out) {
  static const installed::ProtectedFolders guard(TypicalFolders(), "C:\\");
  const menu::UninstallList marks = menu::ParseUninstallList(item.Uninstall, item.InstallType);
  if (marks.setup) return;
  for (const std::string& text : catalog::SplitFields(marks.commands)) {
    if (text.empty()) continue;
    // After '?' the G, S and P entries name where the uninstaller lies; the command pass ignores them.
    if (marks.locate && (text[0] == 'G' || text[0] == 'S' || text[0] == 'P')) continue;
    CheckUninstallEntry(section, text, guard, out);
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
