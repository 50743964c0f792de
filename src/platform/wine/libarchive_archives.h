// RAR archives (RAR 4 and RAR 5, volume sets, self-extracting files) read through libarchive, written below
// host folders of the Wine prefix. Beyond what libarchive checks, every entry's data is compared with the
// size and CRC32 its headers record, a volume set must be whole, a read that makes no progress ends as
// damage, and no entry is written outside the target folder.
#pragma once

#include <memory>
#include <string_view>

#include "platform/archive.h"
#include "platform/wine/wine_file_system.h"

namespace norva::platform::wine {

class LibArchiveArchives : public Archives {
 public:
  // `files` resolves the DOS paths and gives the code page of the names handed out; borrowed.
  explicit LibArchiveArchives(WineFileSystem& files) : files_(files) {}

  std::unique_ptr<ArchiveReader> Open(std::string_view dos_path, ArchiveMode mode, int* result,
                                      Error* error = nullptr) override;

 private:
  WineFileSystem& files_;
};

}  // namespace norva::platform::wine
