// Host-file access for private-profile files: change detection, whole-file reads and atomic replacement.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

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

// The whole file; a missing file gives empty bytes and a stamp with exists false. nullopt when the path
// exists but cannot be read as a file (no permission, a folder, a read error).
std::optional<HostFileContent> ReadHostFile(const std::filesystem::path& path);

// Writes `bytes` into a new file beside `target` and renames it over the target, so that a crash leaves
// either the old or the new file whole. A link is followed to the file it names. False, with the old file
// untouched, when the target or its folder is read-only (no write permission bit, whoever runs us) or any
// step fails; no temporary file is left behind. An existing file's permissions carry over to the new one. Not
// synced to disk.
bool ReplaceHostFile(const std::filesystem::path& target, std::string_view bytes);

}  // namespace norva::platform::wine
