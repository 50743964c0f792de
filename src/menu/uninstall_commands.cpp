#include "menu/uninstall_commands.h"

#include "catalog/text_prep.h"
#include "install/launcher.h"
#include "install/shell_linker.h"
#include "installed/file_tree.h"
#include "installed/path_text.h"
#include "installed/registry_guard.h"
#include "menu/delete_question.h"
#include "strings/edition_code_page.h"

namespace norva::menu {
namespace {

using installed::IsDrivePath;
using platform::RegRoot;

constexpr std::string_view kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr std::string_view kMapGroupsKey =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";
constexpr std::string_view kGroupsKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\Groups";

// The text with its first character replaced by the drive letter of `installed_dir` ("?:\X" -> "C:\X").
std::string OnInstalledDrive(std::string_view text, const std::string& installed_dir) {
  std::string result(text);
  result[0] = installed_dir[0];
  return result;
}

std::string_view After(std::string_view text, std::size_t count) {
  return count < text.size() ? text.substr(count) : std::string_view();
}

const char* RootName(RegRoot root) {
  return root == RegRoot::kLocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

}  // namespace

std::string UninstallCommands::FullPath(std::string_view text) {
  if (!IsDrivePath(text)) return std::string(text);
  return installed::AbsoluteDosPath(text, services_.platform.files.CurrentDir()).value_or(std::string(text));
}

void UninstallCommands::DebugNote(const std::string& text) {
  if (!debug_mode_) return;
  services_.host.ShowMessage(MessageKind::kPlain, look_.AppTitle, text, MessageButtons::kOk);
}

void UninstallCommands::LocateUninstaller(catalog::TDemos& item, std::string_view list, bool shortcuts) {
  for (const std::string& entry : catalog::SplitFields(list)) {
    if (entry.empty()) continue;
    const std::string_view path = After(entry, 1);
    switch (entry[0]) {
      case 'G':
        item.UnInstallName = item.InstalledDir + "\\" + std::string(path);
        break;
      case 'S':
        item.UnInstallName = folders_.SystemDir + std::string(path);
        break;
      case 'P':
        if (!shortcuts) break;
        if (auto command = ShortcutCommand(path)) item.UnInstallName = std::move(*command);
        break;
      default:
        break;  // the command letters are for the command list
    }
  }
}

std::optional<std::string> UninstallCommands::ShortcutCommand(std::string_view name) {
  const auto code_page = strings::EditionCodePage(look_.Edition);
  for (const std::string* folder : {&folders_.UserProgramsDir, &folders_.CommonProgramsDir}) {
    install::TLinkInfo link;
    if (!folder->empty() &&
        install::GetLinkInfo(services_.platform.files, *folder + std::string(name), code_page, link)) {
      return link.Path + " " + link.Arguments;
    }
  }
  return std::nullopt;
}

void UninstallCommands::Run(const catalog::TDemos& item, std::string_view list) {
  for (const std::string& text : catalog::SplitFields(list)) {
    const UninstallEntry entry = ParseUninstallEntry(text);
    switch (entry.op) {
      case UninstallOp::kIgnored:
        break;
      case UninstallOp::kDeleteTree:
      case UninstallOp::kDeleteEmptyBranch:
        Folder(item, entry);
        break;
      case UninstallOp::kDeleteFile:
        File(item, entry.arg);
        break;
      case UninstallOp::kDeleteKey:
      case UninstallOp::kDeleteEmptyKey:
      case UninstallOp::kDeleteValue:
        Registry(entry);
        break;
      case UninstallOp::kDeleteDesktopFile:
      case UninstallOp::kDeleteConvertedGroup:
      case UninstallOp::kDeleteStartGroup:
        Shell(entry);
        break;
      case UninstallOp::kRunSystemUninstaller:
      case UninstallOp::kRunKeyUninstaller:
        Uninstaller(entry);
        break;
    }
  }
}

void UninstallCommands::Folder(const catalog::TDemos& item, const UninstallEntry& entry) {
  const auto target = UninstallFolderTarget(entry, item.InstalledDir, folders_.ProgramFilesDir);
  if (!target) return;
  if (entry.op == UninstallOp::kDeleteEmptyBranch) {
    installed::FileTree(services_.platform.files, folders_).DeleteEmptyBranch(target->path);
    return;
  }
  DeleteQuestion(services_, look_, folders_, target->resolve ? FullPath(target->path) : target->path);
}

void UninstallCommands::File(const catalog::TDemos& item, std::string_view arg) {
  if (arg.empty()) return;
  const std::string_view rest = After(arg, 1);
  const auto& folders = folders_;
  std::string path;
  switch (arg[0]) {
    case '?':
      if (item.InstalledDir.empty()) return;
      path = OnInstalledDrive(arg, item.InstalledDir);
      break;
    case 'D':
      path = folders.UserDesktopDir + std::string(rest);
      break;
    case 'G':
      path = item.InstalledDir + "\\" + std::string(rest);
      break;
    case 'P':
      path = folders.UserProgramsDir + std::string(rest);
      break;
    case 'S':
      path = folders.SystemDir + std::string(rest);
      break;
    case 'W':
      path = folders.WindowsDir + std::string(rest);
      break;
    default:
      path = std::string(arg);
      break;
  }
  // An unknown folder leaves a path relative to the disc; such a file is not the item's.
  if (!IsDrivePath(path)) return;
  if (arg[0] != '?' && std::string_view("DGPSW").find(arg[0]) != std::string_view::npos)
    path = FullPath(path);
  installed::FileTree tree(services_.platform.files, folders_);
  // A file that is gone already (removed by the uninstaller) needs no message.
  if (!tree.RemoveFile(path) && services_.platform.files.FileExists(path)) {
    services_.host.ShowMessage(MessageKind::kPlain, look_.AppTitle, "Can't delete " + path,
                               MessageButtons::kOk);
  }
  tree.DeleteEmptyBranch(installed::GetParentDir(path));
}

void UninstallCommands::Registry(const UninstallEntry& entry) {
  const RegRoot root = entry.root;
  const std::string& key = entry.key;
  platform::Registry& registry = services_.platform.registry;
  switch (entry.op) {
    case UninstallOp::kDeleteKey:
    case UninstallOp::kDeleteEmptyKey: {
      if (installed::IsProtectedRegistryKey(key)) {
        DebugNote("Reg Key not deleted... " + std::string(RootName(root)) + key + " is protected");
        return;
      }
      const bool deleted = entry.op == UninstallOp::kDeleteKey ? registry.DeleteKey(root, key)
                                                               : registry.DeleteEmptyKey(root, key);
      if (!deleted) DebugNote("Reg Key not deleted...");
      return;
    }
    case UninstallOp::kDeleteValue: {
      const bool deleted = entry.value && registry.DeleteValue(root, key, *entry.value);
      if (!deleted) DebugNote("Reg Entry not deleted...");
      return;
    }
    default:
      return;
  }
}

void UninstallCommands::Shell(const UninstallEntry& entry) {
  const std::string_view rest = entry.rest;
  const auto& folders = folders_;
  installed::FileTree tree(services_.platform.files, folders_);
  switch (entry.op) {
    case UninstallOp::kDeleteDesktopFile: {
      const std::string path = folders.UserDesktopDir + std::string(rest);
      if (IsDrivePath(path)) tree.RemoveFile(FullPath(path));  // a desktop file that stays is no matter
      return;
    }
    case UninstallOp::kDeleteConvertedGroup: {
      // A group converted from Windows 3.1: its map entry, its recorded group file and that file.
      platform::Registry& registry = services_.platform.registry;
      const std::size_t bar = rest.find('|');
      registry.DeleteValue(RegRoot::kCurrentUser, kMapGroupsKey, rest.substr(0, bar));
      if (bar == std::string_view::npos || folders.WindowsDir.empty()) return;
      const std::string group_file = folders.WindowsDir + std::string(rest.substr(bar + 1, kValueNameLimit));
      registry.DeleteValue(RegRoot::kCurrentUser, kGroupsKey, group_file);
      if (IsDrivePath(group_file)) tree.RemoveFile(group_file);
      return;
    }
    case UninstallOp::kDeleteStartGroup:
      tree.RemoveStartFolder(rest);
      return;
    default:
      return;
  }
}

void UninstallCommands::Uninstaller(const UninstallEntry& entry) {
  const std::string_view rest = entry.rest;
  switch (entry.op) {
    case UninstallOp::kRunSystemUninstaller: {
      const std::string command = folders_.SystemDir + std::string(rest);
      services_.host.ShowMessage(MessageKind::kPlain, look_.AppTitle, command, MessageButtons::kOk);
      launcher_.WaitExec(command, platform::kShowNormal);
      return;
    }
    case UninstallOp::kRunKeyUninstaller: {
      const std::string key = std::string(kUninstallKey) + std::string(rest);
      const std::string command =
          services_.platform.registry.ReadString(RegRoot::kLocalMachine, key, "UninstallString")
              .value_or(std::string());
      launcher_.WaitExec(command, platform::kShowNormal);
      return;
    }
    default:
      return;
  }
}

}  // namespace norva::menu
