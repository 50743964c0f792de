#include "installed/file_tree.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "installed/path_text.h"
#include "installed/protected_folders.h"
#include "platform/folder.h"
#include "strings/ucase.h"

namespace norva::installed {
namespace {

using platform::DirEntry;

constexpr std::string_view kMarkerFile = "MsCreate.Dir";

// "." and ".." would climb back up, and a host name holding a separator would resolve somewhere else than
// inside this folder.
bool Walkable(const DirEntry& entry) {
  return entry.name != "." && entry.name != ".." && !entry.name.empty() &&
         entry.name.find_first_of("\\/") == std::string::npos;
}

bool IsBelow(const std::string& child, const std::string& parent) {
  const std::string upper_child = strings::UCase(child);
  const std::string upper_parent = PostFixDir(strings::UCase(parent));
  return upper_child.size() > upper_parent.size() && upper_child.starts_with(upper_parent);
}

}  // namespace

FileTree::FileTree(platform::FileSystem& files, const SystemFolders& folders)
    : files_(files), folders_(folders) {}

std::optional<std::string> FileTree::Absolute(std::string_view path) {
  if (path.empty()) return std::nullopt;  // would otherwise mean the current folder
  return AbsoluteDosPath(path, files_.CurrentDir());
}

bool FileTree::IsProtected(std::string_view path) {
  if (ProtectedFolders(folders_, files_.CurrentDir()).Covers(path)) return true;
  // The same folder seen from the host: Z:\usr is the host's /usr.
  const std::optional<std::string> absolute = Absolute(path);
  return !absolute || files_.CoversHostFolder(*absolute);
}

std::optional<DirEntry> FileTree::FindEntry(const std::string& absolute) {
  const std::string parent = GetParentDir(absolute);
  if (absolute.size() <= 3 || parent.empty()) return std::nullopt;
  const std::string name = absolute.substr(parent.size() + 1);
  const std::optional<std::vector<DirEntry>> entries = files_.ListDir(PostFixDir(parent));
  if (!entries) return std::nullopt;
  // The exact name first; else, as the machine resolves names, the smallest of those equal in any case.
  const DirEntry* found = nullptr;
  const std::string wanted = strings::UCase(name);
  for (const DirEntry& entry : *entries) {
    if (entry.name == name) return entry;
    if (strings::UCase(entry.name) == wanted && (found == nullptr || entry.name < found->name))
      found = &entry;
  }
  if (found == nullptr) return std::nullopt;
  return *found;
}

bool FileTree::DirExists(std::string_view path) {
  return !path.empty() && files_.DirExists(path);
}

bool FileTree::RemoveFile(std::string_view path) {
  const std::optional<std::string> absolute = Absolute(path);
  if (!absolute) return false;
  if (files_.RemoveFile(*absolute)) return true;
  const std::optional<DirEntry> entry = FindEntry(*absolute);
  // Clearing the attribute of a link would change whatever it leads to; a folder is no file to delete.
  if (!entry || entry->is_link || entry->is_dir) return false;
  files_.SetReadOnly(*absolute, false);
  return files_.RemoveFile(*absolute);
}

void FileTree::RemoveLink(const std::string& path, const DirEntry& entry) {
  if (entry.is_dir) {
    files_.RemoveDir(path);
  } else {
    files_.RemoveFile(path);
  }
}

void FileTree::RemoveTree(std::string_view path) {
  const std::optional<std::string> absolute = Absolute(path);
  if (!absolute || IsProtected(*absolute)) return;
  const std::optional<DirEntry> entry = FindEntry(*absolute);
  if (entry && entry->is_link) {
    RemoveLink(*absolute, *entry);
    return;
  }
  if (std::unique_ptr<platform::Folder> folder = files_.OpenFolder(*absolute)) {
    RemoveTreeWorker(*folder);
  } else {
    return;
  }
  if (!files_.RemoveDir(*absolute)) {
    files_.SetReadOnly(*absolute, false);
    files_.RemoveDir(*absolute);
  }
}

void FileTree::RemoveTreeWorker(platform::Folder& folder) {
  for (const DirEntry& entry : folder.List(false)) {
    if (!Walkable(entry)) continue;
    if (entry.is_link) {
      // Only the link goes; read-only or not, the attribute would be that of what it leads to.
      if (entry.is_dir) {
        folder.RemoveDir(entry.name);
      } else {
        folder.RemoveFile(entry.name, false);
      }
    } else if (entry.is_dir) {
      if (std::unique_ptr<platform::Folder> sub = folder.Open(entry.name)) RemoveTreeWorker(*sub);
      if (!folder.RemoveDir(entry.name)) {
        folder.SetReadOnly(entry.name, false);
        folder.RemoveDir(entry.name);  // a file in use stays, and so do its folders
      }
    } else {
      folder.RemoveFile(entry.name, true);
    }
  }
}

void FileTree::DeleteEmptyBranch(std::string_view path) {
  const std::optional<std::string> absolute = Absolute(path);
  if (!absolute) return;
  std::string folder = *absolute;
  while (folder.size() > 3 && !IsProtected(folder)) {
    const std::string dir = PostFixDir(folder);
    const std::string marker = dir + std::string(kMarkerFile);
    const std::optional<DirEntry> entry = FindEntry(marker);
    if (entry && !entry->is_dir) {
      if (!entry->is_link) files_.SetReadOnly(marker, false);
      files_.RemoveFile(marker);
    }
    // Only an empty folder goes; the listing also keeps a link to a folder with content in place.
    const std::optional<std::vector<DirEntry>> entries = files_.ListDir(dir);
    if (entries && entries->empty()) files_.RemoveDir(dir);
    folder = GetParentDir(folder);
  }
}

void FileTree::RemoveStartFolder(std::string_view group) {
  if (group.empty() || group == " ") return;
  for (const std::string* base : {&folders_.UserProgramsDir, &folders_.CommonProgramsDir}) {
    // An unknown programs folder would make the group a path relative to the current folder.
    if (base->empty()) continue;
    const std::optional<std::string> programs = Absolute(*base);
    const std::optional<std::string> target = Absolute(*base + std::string(group));
    if (programs && target && IsBelow(*target, *programs)) RemoveTree(*target);
  }
}

std::int64_t FileTree::SizeofTree(std::string_view path) {
  const std::optional<std::string> absolute = Absolute(path);
  if (!absolute) return 0;
  const std::optional<DirEntry> entry = FindEntry(*absolute);
  if (entry && entry->is_link) return 0;
  const std::unique_ptr<platform::Folder> folder = files_.OpenFolder(*absolute);
  return folder ? SizeWalk(*folder) : 0;
}

std::int64_t FileTree::SizeWalk(platform::Folder& folder) {
  std::int64_t total = 0;
  for (const DirEntry& entry : folder.List(true)) {
    if (!Walkable(entry) || entry.is_link) continue;
    if (!entry.is_dir) {
      total += static_cast<std::int64_t>(entry.size);
    } else if (!entry.hidden && !entry.system) {
      if (std::unique_ptr<platform::Folder> sub = folder.Open(entry.name)) total += SizeWalk(*sub);
    }
  }
  return total;
}

void FileTree::RemoveReadOnly(std::string_view path) {
  const std::optional<std::string> absolute = Absolute(path);
  if (!absolute) return;
  if (std::unique_ptr<platform::Folder> folder = files_.OpenFolder(*absolute)) RemoveReadOnlyWalk(*folder);
}

void FileTree::RemoveReadOnlyWalk(platform::Folder& folder) {
  for (const DirEntry& entry : folder.List(true)) {
    if (!Walkable(entry) || entry.is_link || entry.hidden || entry.system) continue;
    if (entry.is_dir) {
      if (std::unique_ptr<platform::Folder> sub = folder.Open(entry.name)) RemoveReadOnlyWalk(*sub);
    } else if (entry.read_only) {
      folder.SetReadOnly(entry.name, false);
    }
  }
}

std::string FileTree::SearchTree(std::string_view start, std::string_view file_name, int max_depth) {
  if (start.empty() || file_name.empty() || max_depth < 0) return {};
  const std::string dir = PostFixDir(start);
  const std::unique_ptr<platform::Folder> folder = files_.OpenFolder(dir);
  if (!folder) return {};
  return SearchWalk(*folder, dir, file_name, 0, max_depth);
}

std::string FileTree::SearchWalk(platform::Folder& folder, const std::string& dir, std::string_view file_name,
                                 int depth, int max_depth) {
  const std::vector<DirEntry> entries = folder.List(false);
  // The machine decides whether a name matches (letter case as it resolves names); it is asked only where an
  // entry could match at all: a name of the same length in the single-byte code page.
  const bool plain_name = file_name.find_first_of("\\/:") == std::string_view::npos;
  const bool candidate =
      !plain_name || std::any_of(entries.begin(), entries.end(), [&](const DirEntry& entry) {
        return entry.name.size() == file_name.size();
      });
  // The file in the folder itself wins over anything in its subfolders.
  if (candidate && files_.FileExists(dir + std::string(file_name))) return dir;
  if (depth >= max_depth) return {};
  for (const DirEntry& entry : entries) {
    if (!Walkable(entry) || !entry.is_dir || entry.is_link || entry.hidden || entry.system) continue;
    const std::unique_ptr<platform::Folder> sub = folder.Open(entry.name);
    if (!sub) continue;
    std::string found = SearchWalk(*sub, dir + entry.name + '\\', file_name, depth + 1, max_depth);
    if (!found.empty()) return found;
  }
  return {};
}

}  // namespace norva::installed
