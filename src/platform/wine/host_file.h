// Reading host files safely: only regular files are opened, and never in a way that can block. A FIFO, a
// socket or a device named where a file is expected (by a catalog, a store or a picture name) would otherwise
// hang the menu on open() or read(), or read a device without end.
#pragma once

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

// ReadHostFile for callers to whom a missing file is no different from an unreadable one.
std::optional<std::string> ReadRegularHostFile(const std::filesystem::path& path,
                                               std::uint64_t max_bytes = kNoSizeLimit);

}  // namespace norva::platform::wine
