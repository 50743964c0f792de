#include "menu/uninstall_entry.h"

#include "catalog/records.h"
#include "installed/path_text.h"

namespace norva::menu {
namespace {

std::string_view After(std::string_view text, std::size_t count) {
  return count < text.size() ? text.substr(count) : std::string_view();
}

bool HasOwnUninstaller(int type) {
  return type == catalog::kInstallPolled || type == catalog::kInstallSetup || type == 7;
}

UninstallOp FolderOp(std::string_view arg) {
  if (arg.empty()) return UninstallOp::kIgnored;
  switch (arg[0]) {
    case '?':
    case 'C':
    case 'G':
      return UninstallOp::kDeleteTree;
    case 'E':
      return UninstallOp::kDeleteEmptyBranch;
    default:
      return UninstallOp::kIgnored;
  }
}

UninstallOp RegistryOp(std::string_view arg) {
  if (arg.size() < 2) return UninstallOp::kIgnored;
  switch (arg[1]) {
    case 'D':
      return UninstallOp::kDeleteKey;
    case 'E':
      return UninstallOp::kDeleteEmptyKey;
    case 'F':
      return UninstallOp::kDeleteValue;
    default:
      return UninstallOp::kIgnored;
  }
}

UninstallOp ShellOp(std::string_view arg) {
  if (arg.empty()) return UninstallOp::kIgnored;
  switch (arg[0]) {
    case 'D':
      return UninstallOp::kDeleteDesktopFile;
    case 'F':
      return UninstallOp::kDeleteConvertedGroup;
    case 'N':
      return UninstallOp::kDeleteStartGroup;
    default:
      return UninstallOp::kIgnored;
  }
}

UninstallOp UninstallerOp(std::string_view arg) {
  if (arg.empty()) return UninstallOp::kIgnored;
  if (arg[0] == 'S') return UninstallOp::kRunSystemUninstaller;
  if (arg[0] == 'U') return UninstallOp::kRunKeyUninstaller;
  return UninstallOp::kIgnored;
}

}  // namespace

UninstallList ParseUninstallList(std::string_view list, int install_type) {
  UninstallList marks;
  const bool own = HasOwnUninstaller(install_type);
  if (own && list == "SETUP") marks.setup = true;
  if ((own || install_type == catalog::kInstallUnpack) && list.starts_with('?')) {
    marks.locate = true;
    marks.locate_shortcuts = own;
    list.remove_prefix(1);
    marks.locate_entries = list;
  }
  if (own && list.starts_with('!')) {
    marks.no_uninstaller = true;
    list.remove_prefix(1);
  }
  if (list.starts_with('*')) list.remove_prefix(1);
  marks.commands = list;
  return marks;
}

UninstallEntry ParseUninstallEntry(std::string_view entry) {
  UninstallEntry parsed;
  if (entry.empty()) return parsed;
  parsed.arg = After(entry, 1);
  parsed.rest = After(parsed.arg, 1);
  switch (entry[0]) {
    case 'D':
      parsed.op = FolderOp(parsed.arg);
      break;
    case 'F':
      parsed.op = parsed.arg.empty() ? UninstallOp::kIgnored : UninstallOp::kDeleteFile;
      break;
    case 'R': {
      parsed.op = RegistryOp(parsed.arg);
      if (parsed.op == UninstallOp::kIgnored) break;
      parsed.root = parsed.arg[0] == 'M' ? platform::RegRoot::kLocalMachine : platform::RegRoot::kCurrentUser;
      parsed.rest = After(parsed.arg, 2);
      // "MDSOFTWARE\X" and "MD\SOFTWARE\X" name the same key, taken from the root.
      parsed.key = std::string(parsed.rest);
      if (parsed.key.empty() || parsed.key[0] != '\\') parsed.key.insert(0, "\\");
      if (parsed.op == UninstallOp::kDeleteValue) {
        const std::size_t bar = parsed.key.find('|');
        if (bar != std::string::npos) {
          parsed.value = parsed.key.substr(bar + 1, kValueNameLimit);
          parsed.key.resize(bar);
        }
      }
      break;
    }
    case 'S':
      parsed.op = ShellOp(parsed.arg);
      break;
    case 'U':
      parsed.op = UninstallerOp(parsed.arg);
      break;
    default:
      break;
  }
  return parsed;
}

std::optional<FolderTarget> UninstallFolderTarget(const UninstallEntry& entry, std::string_view installed_dir,
                                                  std::string_view program_files) {
  const std::string_view arg = entry.arg;
  if (entry.op == UninstallOp::kDeleteEmptyBranch) {
    // DE: the item's folder; DEF + path: below Program Files.
    std::string branch = arg.size() >= 2 && arg[1] == 'F'
                             ? std::string(program_files) + std::string(After(arg, 2))
                             : std::string(installed_dir);
    if (!installed::IsDrivePath(branch)) return std::nullopt;
    return FolderTarget{std::move(branch), false};
  }
  if (entry.op != UninstallOp::kDeleteTree) return std::nullopt;
  switch (arg[0]) {
    case '?': {
      // The same path on the item's drive ("?:\X" gives "C:\X").
      if (installed_dir.empty()) return std::nullopt;
      std::string path(arg);
      path[0] = installed_dir[0];
      return FolderTarget{std::move(path), false};
    }
    case 'G':
      if (arg.size() == 1) return FolderTarget{std::string(installed_dir), false};
      return FolderTarget{std::string(installed_dir) + "\\" + std::string(After(arg, 1)), true};
    default:  // 'C': the path as given, its drive letter included
      return FolderTarget{std::string(arg), false};
  }
}

}  // namespace norva::menu
