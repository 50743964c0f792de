// Where a DOS path of a test machine lies on the host.
#pragma once

#include <filesystem>
#include <string_view>

namespace norva::test {

// The host path of "X:\a\b" below the folder that stands for drive X: (the drive letter is not looked at).
std::filesystem::path HostPathBelow(const std::filesystem::path& drive_root, std::string_view dos_path);

}  // namespace norva::test
