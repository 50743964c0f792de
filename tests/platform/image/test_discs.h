// The discs the image tests read: a folder of files as a cover disc has them (accented and long names, a
// large file, a crowded folder), made into an ISO by xorriso, and helpers to compare what a reader gives.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/shell.h"

namespace norva::platform::image::test {

// Runs a shell command (norva::test::RunShell).
using norva::test::RunShell;
bool HaveXorriso();
inline constexpr char kNoXorriso[] = "xorriso is not installed (tools/install-deps.sh installs it)";

// The files of the sample disc, relative path (UTF-8, '/' between folders) to content.
using Files = std::map<std::string, std::string>;
const Files& SampleFiles();
inline constexpr char kLabel[] = "Zlat\xC3\xA1 \xC5\xBE\xC3\xADla";  // "Zlatá žíla": the Joliet label

// Writes `files` below `folder`.
void WriteFiles(const std::filesystem::path& folder, const Files& files);
// xorriso -as mkisofs `options` -o ISO FOLDER; empty path on failure (the output in `*error`).
std::filesystem::path MakeIso(const std::filesystem::path& folder, const std::filesystem::path& iso,
                              const std::string& options, std::string* error);
// The 2048-byte sector `index` of an ISO file.
std::string IsoSector(const std::filesystem::path& iso, std::size_t index);

}  // namespace norva::platform::image::test
