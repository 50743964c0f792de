// Host-file access for private-profile files: change detection and whole-file reads (host_file.h), and
// atomic replacement with the read-only rules of private-profile files.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/wine/host_file.h"

namespace norva::platform::wine {

// Whether ReplaceHostFile may replace the target: its folder exists and is writable, and the target is
// missing or a writable regular file (no write permission bit counts as read-only, whoever runs us).
bool CanReplaceHostFile(const std::filesystem::path& target);

// Writes `bytes` into a new file beside `target` and renames it over the target, so that a crash leaves
// either the old or the new file whole. A link is followed to the file it names. False, with the old file
// untouched, when CanReplaceHostFile says no or any step fails; no temporary file is left behind. An existing
// file's permissions carry over to the new one. The new file and its folder are synced to disk.
bool ReplaceHostFile(const std::filesystem::path& target, std::string_view bytes);

}  // namespace norva::platform::wine
