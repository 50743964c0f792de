// The files of the Windows machine on a Wine prefix: DOS paths resolve through the prefix's dosdevices links,
// matching each existing component without regard to letter case, as Wine does.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "platform/wine/folder_listing_cache.h"
#include "platform/wine/host_folders.h"

namespace norva::platform::wine {

class WineFileSystem : public FileSystem {
 public:
  // `prefix` is the prefix folder; the current directory starts as C:\.
  explicit WineFileSystem(std::filesystem::path prefix);

  // The code page of the DOS paths and names handed in and out (Windows-1250 until set). The setting is
  // shared with the private-profile files of the machine (see AnsiCodePageSetting).
  void SetAnsiCodePage(CodePage code_page) { *code_page_ = code_page; }
  std::shared_ptr<const CodePage> AnsiCodePageSetting() const { return code_page_; }
  CodePage ansi_code_page() const { return *code_page_; }

  std::optional<std::string> HostPath(std::string_view dos_path) override;
  bool FileExists(std::string_view dos_path) override;
  bool DirExists(std::string_view dos_path) override;
  std::optional<std::string> ReadFile(std::string_view dos_path) override;
  bool WriteFileAtomic(std::string_view dos_path, std::string_view bytes, Error* error = nullptr) override;
  std::optional<std::vector<DirEntry>> ListDir(std::string_view dos_path) override;
  std::unique_ptr<Folder> OpenFolder(std::string_view dos_path) override;
  bool CreateDir(std::string_view dos_path, Error* error = nullptr) override;
  bool RemoveFile(std::string_view dos_path, Error* error = nullptr) override;
  bool RemoveDir(std::string_view dos_path, Error* error = nullptr) override;
  bool SetReadOnly(std::string_view dos_path, bool read_only) override;
  bool CoversHostFolder(std::string_view dos_path) override;
  std::optional<std::uint64_t> FreeSpace(std::string_view dos_path) override;
  std::string CurrentDir() override;
  bool SetCurrentDir(std::string_view dos_path) override;

  // The host path of a DOS path, or nullopt when the path is malformed or its drive is not mapped.
  std::optional<std::filesystem::path> Resolve(std::string_view dos_path);

 private:
  std::filesystem::path DriveRoot(char letter) const;
  bool IsDriveRoot(std::string_view dos_path) const;
  std::filesystem::path MatchComponent(const std::filesystem::path& dir, const std::string& name_utf8);
  // After a change made here: the parent folder's listing is read again at the next lookup.
  void Changed(const std::filesystem::path& host);

  std::filesystem::path prefix_;
  std::shared_ptr<CodePage> code_page_ = std::make_shared<CodePage>(CodePage::kCentralEuropean);
  DosPath current_;
  FolderListingCache listings_;
  HostFolders host_folders_;
};

}  // namespace norva::platform::wine
