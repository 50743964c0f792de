// Drive letters of the Windows machine and their types.
#pragma once

#include <vector>

namespace norva::platform {

// The values of GetDriveType.
enum class DriveType {
  kUnknown = 0,
  kNoRootDir = 1,
  kRemovable = 2,
  kFixed = 3,
  kRemote = 4,
  kCdRom = 5,
  kRamDisk = 6
};

class Drives {
 public:
  virtual ~Drives() = default;
  // Letters 'A'..'Z' that are mapped, in order.
  virtual std::vector<char> Letters() = 0;
  virtual DriveType TypeOf(char letter) = 0;
  // False for an unmapped letter or one whose target is missing ("not ready").
  virtual bool IsReady(char letter) = 0;
  // True for a letter that shows the host's own files rather than a drive of the Windows machine: its folder
  // holds the machine itself (Wine's Z:, the host's root), so a path on it reaches any file of the host.
  virtual bool IsHostView(char /*letter*/) { return false; }
};

}  // namespace norva::platform
