// Folder operations that install, detection and uninstall share, on DOS paths of the machine. They keep no
// state, show no messages and swallow file-system failures: what cannot be deleted or changed stays, and the
// operation goes on with the next entry. Callers ask the user first where a deletion needs consent.
//
// Every walk skips "." and "..", names that no DOS path can address (with '\' or '/' in them), and never
// enters a symbolic link: a deletion removes the link itself and leaves what it leads to. A deletion aimed at
// a protected folder (see IsProtected) deletes nothing. Whole-tree walks go through open folders
// (platform::Folder), not through a path per entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "installed/system_folders.h"
#include "platform/file_system.h"

namespace norva::installed {

class FileTree {
 public:
  // Both are borrowed and must outlive this object.
  FileTree(platform::FileSystem& files, const SystemFolders& folders);

  // Whether the folder exists, tested for real ("C:\" exists); false for an empty text.
  bool DirExists(std::string_view path);

  // Deletes one file; when that fails, clears its read-only attribute and tries once more. True when a
  // deletion succeeded (false for a path that names no file).
  bool RemoveFile(std::string_view path);

  // Deletes the folder with everything in it, depth-first, read-only attributes cleared on the way. A path
  // that is no folder does nothing; a path that is itself a link loses only the link.
  void RemoveTree(std::string_view path);

  // Removes the folder and then each ancestor in turn while they are empty, up to but not including the
  // drive root, and deletes the installer marker "MsCreate.Dir" in every folder it passes, even one that
  // stays. The walk stops at the first protected folder and touches nothing in it.
  void DeleteEmptyBranch(std::string_view path);

  // Removes the Start-menu group `group` (a folder name, possibly with subfolders) below the user's and the
  // all-users' programs folders. Nothing for an empty group or a single blank, and nothing that would lie
  // outside a programs folder (such as "..\Other").
  void RemoveStartFolder(std::string_view group);

  // Total size in bytes of the files below the folder, hidden ones included; hidden folders and links are
  // not entered or counted. 0 for a path that is itself a link or no folder.
  std::int64_t SizeofTree(std::string_view path);

  // Clears the read-only attribute of every file below the folder; hidden files, hidden folders and links
  // are left alone (folders keep their own attributes).
  void RemoveReadOnly(std::string_view path);

  // The first folder, pre-order and depth-first in file-system order, that holds a file named `file_name`
  // (any letter case), with a trailing backslash; empty when none does. `max_depth` bounds the walk in
  // folder levels below `start`: 0 searches `start` alone, 1 also its subfolders, and so on; a negative
  // depth searches nothing. Hidden folders and links are not entered.
  std::string SearchTree(std::string_view start, std::string_view file_name, int max_depth);

  // True when a deletion of the folder `path` is refused: ProtectedFolders::Covers, or the host folder it
  // resolves to is one the host relies on (FileSystem::CoversHostFolder).
  bool IsProtected(std::string_view path);

 private:
  std::optional<std::string> Absolute(std::string_view path);
  // The entry of an absolute path as its parent's listing shows it; nullopt for a drive root or no entry.
  std::optional<platform::DirEntry> FindEntry(const std::string& absolute);
  void RemoveLink(const std::string& path, const platform::DirEntry& entry);
  void RemoveTreeWorker(platform::Folder& folder);
  std::int64_t SizeWalk(platform::Folder& folder);
  void RemoveReadOnlyWalk(platform::Folder& folder);
  // `dir` is the DOS path of `folder`, with trailing backslash.
  std::string SearchWalk(platform::Folder& folder, const std::string& dir, std::string_view file_name,
                         int depth, int max_depth);

  platform::FileSystem& files_;
  const SystemFolders& folders_;
};

}  // namespace norva::installed
