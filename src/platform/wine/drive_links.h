// The drive links (dosdevices/<letter>:) that the menu made itself, remembered across runs in a file of the
// prefix that Wine does not read. A letter whose link the menu made and whose folder is gone may be given to
// another disc; a link the menu did not make is never changed.
#pragma once

#include <filesystem>
#include <map>

namespace norva::platform::wine {

class DriveLinkRecord {
 public:
  // Reads the record of the prefix (none yet: empty).
  explicit DriveLinkRecord(std::filesystem::path prefix);

  // Whether the link of `letter` is the menu's: recorded, and still leading exactly where it was made to (a
  // link that someone replaced is theirs).
  bool MadeByMenu(char letter) const;

  // Makes (or replaces) the link of `letter` to the folder `target`, an absolute path, and records it. False
  // when the link could not be made; the record then stays as it was.
  bool Link(char letter, const std::filesystem::path& target);

  // The record file inside the prefix.
  static std::filesystem::path FileOf(const std::filesystem::path& prefix);

 private:
  bool Save() const;

  std::filesystem::path prefix_;
  std::map<char, std::filesystem::path> links_;  // upper-case letter -> target
};

}  // namespace norva::platform::wine
