#include "installed/file_tree.h"

#include <vector>

#include "installed/path_text.h"
#include "installed/protected_folders.h"
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
  if (!files_.DirExists(*absolute)) return;
  RemoveTreeWorker(PostFixDir(*absolute), entry && entry->read_only);
}

void FileTree::RemoveTreeWorker(const std::string& dir, bool read_only) {
  if (const std::optional<std::vector<DirEntry>> entries = files_.ListDir(dir)) {
    for (const DirEntry& entry : *entries) {
      if (!Walkable(entry)) continue;
      const std::string name = dir + entry.name;
      if (entry.is_link) {
        RemoveLink(name, entry);
      } else if (entry.is_dir) {
        RemoveTreeWorker(name + '\\', entry.read_only);
      } else {
        if (entry.read_only) files_.SetReadOnly(name, false);
        files_.RemoveFile(name);  // a file in use stays, and so do its folders
      }
    }
  }
  if (read_only) files_.SetReadOnly(dir, false);
  files_.RemoveDir(dir);
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
  return SizeWalk(PostFixDir(*absolute));
}

std::int64_t FileTree::SizeWalk(const std::string& dir) {
  const std::optional<std::vector<DirEntry>> entries = files_.ListDir(dir);
  if (!entries) return 0;
  std::int64_t total = 0;
  for (const DirEntry& entry : *entries) {
    if (!Walkable(entry) || entry.is_link) continue;
    if (!entry.is_dir) {
      total += static_cast<std::int64_t>(entry.size);
    } else if (!entry.hidden && !entry.system) {
      total += SizeWalk(dir + entry.name + '\\');
    }
  }
  return total;
}

void FileTree::RemoveReadOnly(std::string_view path) {
  const std::optional<std::string> absolute = Absolute(path);
  if (!absolute) return;
  const std::string dir = PostFixDir(*absolute);
  const std::optional<std::vector<DirEntry>> entries = files_.ListDir(dir);
  if (!entries) return;
  for (const DirEntry& entry : *entries) {
    if (!Walkable(entry) || entry.is_link || entry.hidden || entry.system) continue;
    if (entry.is_dir) {
      RemoveReadOnly(dir + entry.name);
    } else if (entry.read_only) {
      files_.SetReadOnly(dir + entry.name, false);
    }
  }
}

std::string FileTree::SearchTree(std::string_view start, std::string_view file_name, int max_depth) {
  if (start.empty() || file_name.empty() || max_depth < 0) return {};
  return SearchWalk(PostFixDir(start), file_name, 0, max_depth);
}

std::string FileTree::SearchWalk(const std::string& dir, std::string_view file_name, int depth,
                                 int max_depth) {
  // The file in the folder itself wins over anything in its subfolders.
  if (files_.FileExists(dir + std::string(file_name))) return dir;
  if (depth >= max_depth) return {};
  const std::optional<std::vector<DirEntry>> entries = files_.ListDir(dir);
  if (!entries) return {};
  for (const DirEntry& entry : *entries) {
    if (!Walkable(entry) || !entry.is_dir || entry.is_link || entry.hidden || entry.system) continue;
    std::string found = SearchWalk(dir + entry.name + '\\', file_name, depth + 1, max_depth);
    if (!found.empty()) return found;
  }
  return {};
}

}  // namespace norva::installed
