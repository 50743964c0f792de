// The drive letters of the Windows machine: the prefix's dosdevices/<letter>: links.
#pragma once

#include <filesystem>
#include <vector>

#include "platform/drives.h"
#include "platform/registry.h"

namespace norva::platform::wine {

class WineDrives : public Drives {
 public:
  // `registry` (not owned, outlives this object) supplies the types of HKLM\Software\Wine\Drives;
  // `disc_letter` ('D'..'Z', or 0 for none) is the disc's drive, always a CD-ROM.
  WineDrives(std::filesystem::path prefix, Registry& registry, char disc_letter);

  std::vector<char> Letters() override;
  DriveType TypeOf(char letter) override;
  bool IsReady(char letter) override;
  bool IsHostView(char letter) override;

 private:
  bool IsMapped(char letter) const;

  std::filesystem::path prefix_;
  Registry& registry_;
  char disc_letter_;
};

}  // namespace norva::platform::wine
