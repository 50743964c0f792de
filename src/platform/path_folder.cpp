#include "platform/folder.h"

#include <string>

namespace norva::platform {

std::unique_ptr<Folder> FileSystem::OpenFolder(std::string_view dos_path) {
  if (!DirExists(dos_path)) return nullptr;
  return std::make_unique<PathFolder>(*this, dos_path);
}

PathFolder::PathFolder(FileSystem& files, std::string_view dos_path) : files_(files), dir_(dos_path) {
  if (dir_.empty() || dir_.back() != '\\') dir_ += '\\';
}

std::string PathFolder::Path(std::string_view name) const {
  return dir_ + std::string(name);
}

std::vector<DirEntry> PathFolder::List(bool /*details*/) {
  std::vector<DirEntry> entries = files_.ListDir(dir_).value_or(std::vector<DirEntry>());
  std::erase_if(entries, [](const DirEntry& entry) { return entry.name == "." || entry.name == ".."; });
  return entries;
}

std::unique_ptr<Folder> PathFolder::Open(std::string_view name) {
  for (const DirEntry& entry : List(false)) {
    if (entry.name == name) {
      if (!entry.is_dir || entry.is_link) return nullptr;
      return std::make_unique<PathFolder>(files_, Path(name));
    }
  }
  return nullptr;
}

bool PathFolder::RemoveFile(std::string_view name, bool even_read_only) {
  if (files_.RemoveFile(Path(name))) return true;
  if (!even_read_only) return false;
  files_.SetReadOnly(Path(name), false);
  return files_.RemoveFile(Path(name));
}

bool PathFolder::RemoveDir(std::string_view name) {
  return files_.RemoveDir(Path(name));
}

bool PathFolder::SetReadOnly(std::string_view name, bool read_only) {
  return files_.SetReadOnly(Path(name), read_only);
}

}  // namespace norva::platform
