// Files and folders of the Windows machine, addressed by DOS paths ("D:\DEMOS\Game\SETUP.EXE"). Names match
// without regard to letter case; there are no short (8.3) names. The changes tell why they failed in the
// Error a caller passes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"

namespace norva::platform {

class Folder;

struct DirEntry {
  std::string name;  // as stored, in the ANSI code page
  bool is_dir = false;
  bool read_only = false;
  bool hidden = false;
  bool system = false;
  bool is_link = false;  // a symbolic link on the host; never followed by tree deletions
  std::uint64_t size = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The host path (UTF-8) that a DOS path resolves to, matching each existing component without regard to
  // case and keeping the given case for components that do not exist. Empty when the drive is not mapped.
  virtual std::optional<std::string> HostPath(std::string_view dos_path) = 0;

  virtual bool FileExists(std::string_view dos_path) = 0;  // a file, not a folder
  virtual bool DirExists(std::string_view dos_path) = 0;   // a folder, for real
  virtual std::optional<std::string> ReadFile(std::string_view dos_path) = 0;
  // Writes beside, then renames over: a failure leaves the previous file whole.
  virtual bool WriteFileAtomic(std::string_view dos_path, std::string_view bytes, Error* error = nullptr) = 0;
  virtual std::optional<std::vector<DirEntry>> ListDir(std::string_view dos_path) = 0;
  // The folder opened for a walk through its tree (see Folder); null when it is no folder. The default
  // reaches its entries through the path operations here (platform/path_folder.cpp).
  virtual std::unique_ptr<Folder> OpenFolder(std::string_view dos_path);
  virtual bool CreateDir(std::string_view dos_path, Error* error = nullptr) = 0;
  virtual bool RemoveFile(std::string_view dos_path, Error* error = nullptr) = 0;
  // An empty folder, or a link to one.
  virtual bool RemoveDir(std::string_view dos_path, Error* error = nullptr) = 0;
  virtual bool SetReadOnly(std::string_view dos_path, bool read_only) = 0;

  // True when deleting the folder `dos_path` would take one of the host's own folders with it (its root and
  // system folders, the user's home and personal folders, the machine's own folder), judged by the host path
  // the DOS path resolves to. A file system with no host beneath it has none.
  virtual bool CoversHostFolder(std::string_view /*dos_path*/) { return false; }

  // Bytes free for the user on the file system that holds the path (or its nearest existing folder);
  // nothing when that cannot be told.
  virtual std::optional<std::uint64_t> FreeSpace(std::string_view /*dos_path*/) { return std::nullopt; }

  virtual std::string CurrentDir() = 0;
  virtual bool SetCurrentDir(std::string_view dos_path) = 0;
};

}  // namespace norva::platform
