// Menu discs that the desktop (or anyone) has already mounted: an inserted CD or DVD, an image opened with
// the file manager, an image served by a FUSE program.
#pragma once

#include <filesystem>
#include <vector>

namespace norva::platform::wine {

// Whether `root` holds a menu disc: NORVA.EXE and Norva\NORVAXP.ini, names matched without regard to case.
bool IsMenuDisc(const std::filesystem::path& root);

// The mount points of mounted discs (CD and DVD file systems, and FUSE servers of disc images) that hold a
// menu disc, in the order they were mounted. Network and other FUSE file systems are not looked into: one
// that hangs would hang the start.
std::vector<std::filesystem::path> FindMountedMenuDiscs(
    const std::filesystem::path& mountinfo = "/proc/self/mountinfo");

}  // namespace norva::platform::wine
