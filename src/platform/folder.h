// One open folder of the machine, for walks through whole trees: its entries, its subfolders and changes to
// its entries, all by name. An open folder stays the folder it was opened as, whatever later happens to the
// path that led to it, and a subfolder is never opened through a link: a walk cannot be led out of its tree.
// Names are ANSI, exactly as the folder's listing gives them.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace norva::platform {

class Folder {
 public:
  virtual ~Folder() = default;

  // The entries, "." and ".." left out. With `details` every field of DirEntry is filled (a look at each
  // entry); without, only name, is_dir, is_link and hidden are sure to be.
  virtual std::vector<DirEntry> List(bool details) = 0;
  // A subfolder; null when the name is no folder or is a link.
  virtual std::unique_ptr<Folder> Open(std::string_view name) = 0;
  // Deletes a file or a link (never what the link leads to). A read-only file is refused unless
  // `even_read_only`.
  virtual bool RemoveFile(std::string_view name, bool even_read_only) = 0;
  // Removes an empty subfolder, or a link to a folder (not what it leads to).
  virtual bool RemoveDir(std::string_view name) = 0;
  virtual bool SetReadOnly(std::string_view name, bool read_only) = 0;
};

// A folder reached through the path operations of any FileSystem: the default of FileSystem::OpenFolder.
// It names its entries by path, so it does not have the handle's guarantees.
class PathFolder : public Folder {
 public:
  // `files` is borrowed; `dos_path` is the folder (with or without trailing backslash).
  PathFolder(FileSystem& files, std::string_view dos_path);

  std::vector<DirEntry> List(bool details) override;
  std::unique_ptr<Folder> Open(std::string_view name) override;
  bool RemoveFile(std::string_view name, bool even_read_only) override;
  bool RemoveDir(std::string_view name) override;
  bool SetReadOnly(std::string_view name, bool read_only) override;

 private:
  std::string Path(std::string_view name) const;

  FileSystem& files_;
  std::string dir_;  // with trailing backslash
};

}  // namespace norva::platform
