// The kernel's list of the file systems mounted where this process can see them (/proc/self/mountinfo).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace norva::platform::wine {

struct Mount {
  std::filesystem::path point;  // where it is mounted
  std::string type;             // "iso9660", "udf", "fuse.norva-disc", ...
  std::string source;           // the device or, for FUSE, what its server names ("/dev/sr0", an image)
};

// The mounts in the order they were made; a later mount over the same point hides the earlier ones. A table
// that cannot be read is empty.
std::vector<Mount> ReadMountTable(const std::filesystem::path& mountinfo = "/proc/self/mountinfo");

}  // namespace norva::platform::wine
