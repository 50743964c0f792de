// Archive listing and extraction as the menu's archive component drives it: open an archive (the first volume
// of a set), read its entries' headers one by one, and skip or extract each. Result codes are those of the
// RAR unpacking library the menu was written against, so the menu's texts for them apply unchanged.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace norva::platform {

// Result codes. 0 is success; 10 ends a header walk normally; the others are failures.
inline constexpr int kArcSuccess = 0;
inline constexpr int kArcEndArchive = 10;
inline constexpr int kArcNoMemory = 11;
inline constexpr int kArcBadData = 12;  // damaged or refused entry: CRC mismatch, encrypted, unsafe name
inline constexpr int kArcBadArchive = 13;
inline constexpr int kArcUnknownFormat = 14;
inline constexpr int kArcOpen = 15;
inline constexpr int kArcCreate = 16;
inline constexpr int kArcClose = 17;
inline constexpr int kArcRead = 18;  // the data ended early (a missing volume among them)
inline constexpr int kArcWrite = 19;
inline constexpr int kArcSmallBuffer = 20;
// The data callback asked to stop; not one of the library's codes and never shown to the user.
inline constexpr int kArcAborted = -1;

// Header flag of an encrypted entry.
inline constexpr std::uint32_t kArcFlagEncrypted = 4;
// Windows attribute bits of an entry.
inline constexpr std::uint32_t kArcAttrReadOnly = 0x01;
inline constexpr std::uint32_t kArcAttrDirectory = 0x10;

// One entry as its header describes it.
struct ArchiveHeader {
  std::string FileName;  // path inside the archive, '\' between folders, ANSI in the machine's code page
  std::uint64_t UnpSize = 0;
  std::uint32_t Flags = 0;     // kArcFlagEncrypted
  std::uint32_t FileAttr = 0;  // Windows attribute bits
  std::uint32_t FileCRC = 0;   // CRC32 of the unpacked data when the archive records one, else 0
};

enum class ArchiveMode { kList, kExtract };

// Called with every block of an entry's data as it is written; returning false stops the extraction of the
// entry (kArcAborted).
using ArchiveDataSink = std::function<bool(const char* data, std::size_t size)>;

// One open archive. Entries come in archive order; each entry read must be skipped or extracted before the
// next header is read.
class ArchiveReader {
 public:
  virtual ~ArchiveReader() = default;
  // kArcSuccess with the next entry's header, kArcEndArchive after the last one, or a failure code (after
  // which the walk is over).
  virtual int ReadHeader(ArchiveHeader& header) = 0;
  // Passes over the entry just read.
  virtual int Skip() = 0;
  // Writes the entry just read below the folder `dest_dir` (a DOS path; empty: the current folder). An entry
  // whose name or link would lead outside that folder, an encrypted entry and one whose data does not match
  // its recorded CRC fail with kArcBadData; nothing is ever written outside `dest_dir`.
  // The cause of a failure goes into `error` when one is given.
  virtual int Extract(std::string_view dest_dir, const ArchiveDataSink& sink, Error* error = nullptr) = 0;
};

class Archives {
 public:
  virtual ~Archives() = default;
  // Opens the archive at a DOS path with the rest of its volume set, if it has one. Null with `*result` set
  // to the failure code when it cannot be opened (kArcOpen: no such file; kArcBadArchive: not an archive),
  // and the cause in `error` when one is given.
  virtual std::unique_ptr<ArchiveReader> Open(std::string_view dos_path, ArchiveMode mode, int* result,
                                              Error* error = nullptr) = 0;
};

}  // namespace norva::platform
