#include "platform/wine/wine_ini_files.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/wine/private_profile_file.h"

namespace norva::platform::wine {

WineIniFiles::WineIniFiles(FileSystem& files, SystemInfo& system, std::shared_ptr<const CodePage> code_page)
    : files_(files), system_(system), code_page_(std::move(code_page)) {}

std::unique_ptr<IniFile> WineIniFiles::Open(std::string_view path) {
  std::string dos_path(path);
  if (!path.empty() && path.find_first_of("\\/:") == path.npos) {
    // As Windows does: a bare name is never looked up in the current directory.
    std::string folder = system_.WindowsDirectory();
    if (!folder.ends_with('\\')) folder += '\\';
    dos_path = folder + dos_path;
  }
  std::optional<std::filesystem::path> host_path;
  if (!dos_path.empty()) {
    if (auto resolved = files_.HostPath(dos_path); resolved && !resolved->empty()) host_path = *resolved;
  }
  return std::make_unique<PrivateProfileFile>(std::move(dos_path), std::move(host_path),
                                              PrivateProfileFile::kDefaultRecheck, code_page_);
}

}  // namespace norva::platform::wine
