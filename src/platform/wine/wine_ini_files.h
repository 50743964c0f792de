// Opens the private-profile files of the Windows machine as host files found through the machine's drives.
#pragma once

#include <memory>
#include <string_view>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/ini_file.h"
#include "platform/system_info.h"

namespace norva::platform::wine {

class WineIniFiles final : public IniFiles {
 public:
  // Both are borrowed, must outlive this object and are used only inside Open: an opened file holds its host
  // path and needs neither afterwards. `code_page` is the machine's ANSI code page as it is set over time
  // (shared with every file opened; Windows-1250 when null), for files with a byte-order mark.
  WineIniFiles(FileSystem& files, SystemInfo& system, std::shared_ptr<const CodePage> code_page = nullptr);

  // A bare name (no '\', '/' or ':') means the file in the Windows folder; any other path is resolved by the
  // file system once, now. A path that leads nowhere (empty, or on an unmapped drive) gives a file that reads
  // as empty and whose writes fail.
  std::unique_ptr<IniFile> Open(std::string_view path) override;

 private:
  FileSystem& files_;
  SystemInfo& system_;
  std::shared_ptr<const CodePage> code_page_;
};

}  // namespace norva::platform::wine
