// One archive opened through libarchive (see libarchive_archives.h): the header walk in
// libarchive_reader.cpp, the writing of an entry in libarchive_extract.cpp.
#pragma once

#include <locale.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/archive.h"
#include "platform/code_page.h"
#include "platform/wine/rar_scan.h"
#include "platform/wine/wine_file_system.h"

struct archive;
struct archive_entry;

namespace norva::platform::wine {

// libarchive converts names to the thread's locale; while one of these lives, that is C.UTF-8, whatever the
// program's locale.
class Utf8LocaleScope {
 public:
  Utf8LocaleScope();
  ~Utf8LocaleScope();
  Utf8LocaleScope(const Utf8LocaleScope&) = delete;
  Utf8LocaleScope& operator=(const Utf8LocaleScope&) = delete;

 private:
  locale_t previous_ = nullptr;
};

class LibArchiveReader : public ArchiveReader {
 public:
  // Takes over `handle` (an archive opened for reading); `scan` is what the header walk found.
  LibArchiveReader(struct archive* handle, RarScan scan, WineFileSystem& files);
  ~LibArchiveReader() override;

  int ReadHeader(ArchiveHeader& header) override;
  int Skip() override;
  int Extract(std::string_view dest_dir, const ArchiveDataSink& sink, Error* error = nullptr) override;

 private:
  // Extraction of the current entry by type (libarchive_extract.cpp); a failure leaves its cause in cause_.
  int ExtractEntry(std::string_view dest_dir, const ArchiveDataSink& sink);
  int ExtractFile(const std::vector<std::string>& components, const ArchiveDataSink& sink,
                  const std::filesystem::path& root);
  int ExtractLink(const std::vector<std::string>& components, const std::filesystem::path& root);
  int ExtractHardLink(const std::vector<std::string>& components, const std::filesystem::path& root);
  // Copies the data of the entry into `fd`, checks it against the recorded size and CRC.
  int CopyData(int fd, const ArchiveDataSink& sink);
  // Drops the rest of the current entry's data; a fatal error ends the walk.
  void DropData();
  // A libarchive name as UTF-8: as it is when it is valid UTF-8 (RAR 5, Unicode RAR 4 names, Unix hosts),
  // else read as the OEM code page of the edition.
  std::string NameUtf8(const char* utf8, const char* raw) const;
  // The recorded size and CRC of the current entry, when the header walk matches libarchive's view.
  const RarScanEntry* Recorded() const;

  struct archive* handle_;
  RarScan scan_;
  WineFileSystem& files_;
  struct archive_entry* entry_ = nullptr;
  bool entry_open_ = false;  // the current entry's data has not been skipped or read yet
  bool ended_ = false;       // a failure ended the walk
  std::size_t index_ = 0;    // entries read so far
  std::int64_t last_position_ = -1;
  int stalls_ = 0;
  std::string name_;   // UTF-8 name of the current entry
  std::string cause_;  // why the last extraction failed, where more is known than its code
};

}  // namespace norva::platform::wine
