// Reading host files safely: only regular files are opened, and never in a way that can block. A FIFO, a
// socket or a device named where a file is expected (by a catalog, a store or a picture name) would otherwise
// hang the menu on open() or read(), or read a device without end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace norva::platform::wine {

// One version of a host file: when any part differs, the file was changed or replaced.
struct HostFileStamp {
  bool exists = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;        // bytes
  std::int64_t modified_ns = 0;  // modification time, nanoseconds since the epoch
  std::int64_t changed_ns = 0;   // status-change time, nanoseconds since the epoch
  bool operator==(const HostFileStamp&) const = default;
};

// One stat() of the path (following links); a missing path gives a stamp with exists false.
HostFileStamp StampHostFile(const std::filesystem::path& path);

struct HostFileContent {
  HostFileStamp stamp;  // of the very file whose bytes these are
  std::string bytes;
};

inline constexpr std::uint64_t kNoSizeLimit = ~std::uint64_t{0};

// The whole file; a missing file gives empty bytes and a stamp with exists false. nullopt when the path
// exists but is no regular file (a folder, FIFO, socket or device: refused before it is opened), cannot be
// read (no permission, a read error), or is larger than `max_bytes`. The file is opened without blocking.
std::optional<HostFileContent> ReadHostFile(const std::filesystem::path& path,
                                            std::uint64_t max_bytes = kNoSizeLimit);

// Whether the path is a regular file that can be opened for reading (opened and closed again, without
// blocking, after the type was checked); its stamp when it is, nullopt otherwise.
std::optional<HostFileStamp> ProbeHostFile(const std::filesystem::path& path);

// A regular host file held open and read in pieces: what ReadHostFile does in one go, for files too large to
// hold whole. Reads see the file as it is when they happen; a file replaced by a rename stays the one that
// was opened. Move-only.
class OpenHostFile {
 public:
  // The same rules as ReadHostFile; nullopt for a missing file too.
  static std::optional<OpenHostFile> Open(const std::filesystem::path& path,
                                          std::uint64_t max_bytes = kNoSizeLimit);
  OpenHostFile(OpenHostFile&& other) noexcept;
  OpenHostFile& operator=(OpenHostFile&& other) noexcept;
  OpenHostFile(const OpenHostFile&) = delete;
  OpenHostFile& operator=(const OpenHostFile&) = delete;
  ~OpenHostFile();

  // The stamp when it was opened.
  const HostFileStamp& stamp() const { return stamp_; }
  // The stamp of the open file now (a file written in place since it was opened has another).
  HostFileStamp CurrentStamp() const;
  // The next bytes from where the last Next stopped (the start at first), up to `size`: 0 at the end, -1 on
  // an error.
  long long Next(char* buffer, std::size_t size);
  // Up to `length` bytes from `offset`; fewer at the end of the file or after an error.
  std::string ReadAt(std::uint64_t offset, std::size_t length) const;

 private:
  OpenHostFile(int fd, HostFileStamp stamp) : fd_(fd), stamp_(stamp) {}
  int fd_ = -1;
  HostFileStamp stamp_;
};

// ReadHostFile for callers to whom a missing file is no different from an unreadable one.
std::optional<std::string> ReadRegularHostFile(const std::filesystem::path& path,
                                               std::uint64_t max_bytes = kNoSizeLimit);

}  // namespace norva::platform::wine
