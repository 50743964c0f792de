// The drive links (dosdevices/<letter>: and the device links <letter>::) that the menu made itself,
// remembered across runs in a file of the prefix that Wine does not read. A letter whose link the menu made
// and whose folder is gone may be given to another disc; a link the menu did not make is never changed.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace norva::platform::wine {

class DriveLinkRecord {
 public:
  // Reads the record of the prefix (none yet: empty).
  explicit DriveLinkRecord(std::filesystem::path prefix);

  // Whether the link of `letter` (its device link with `device`) is the menu's: recorded, and still leading
  // exactly where it was made to (a link that someone replaced is theirs).
  bool MadeByMenu(char letter, bool device = false) const;

  // Makes (or replaces) the link of `letter` (its device link with `device`) to `target`, an absolute path,
  // and records it. False when the link could not be made; the record then stays as it was.
  bool Link(char letter, const std::filesystem::path& target, bool device = false);
  // Removes the device link of `letter` when it is the menu's.
  void RemoveDeviceLink(char letter);

  // The record file inside the prefix.
  static std::filesystem::path FileOf(const std::filesystem::path& prefix);

 private:
  bool Save() const;

  std::filesystem::path prefix_;
  std::map<std::string, std::filesystem::path> links_;  // link name ("d:", "d::") -> target
};

// The block device behind `folder` when the folder is the root of a mounted CD or DVD file system (ISO 9660
// or UDF), as `mountinfo` (the kernel's list of mounts) says; empty for any other folder. Wine reads a disc's
// label and serial number from this device when the drive's device link ("d::") leads to it.
std::filesystem::path DiscDeviceOf(const std::filesystem::path& folder,
                                   const std::filesystem::path& mountinfo = "/proc/self/mountinfo");

}  // namespace norva::platform::wine
