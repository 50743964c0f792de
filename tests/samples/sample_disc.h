// The sample disc built by the `sample_disc` target, and what tests need to look at it: its catalog as the
// menu loads it, files found the way the menu finds them, and its RAR archives read through libarchive.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace norva::test {

std::filesystem::path SampleDisc();

// The first state dump of the menu started on the sample disc (records, pages, dialogs).
nlohmann::ordered_json LoadSampleDisc(const std::filesystem::path& machine);

// A file of the disc named by a menu path ("D:\DEMOS\Skyhopper\readme.txt" or "Norva\x.bmp"), matched
// without regard to letter case as the menu matches disc files; nullopt when it does not exist.
std::optional<std::filesystem::path> FindOnDisc(const std::string& menu_path);

struct ArchiveListing {
  std::string error;               // empty when every entry was read
  std::vector<std::string> files;  // entry names with '/' between folders, files only
  std::size_t entries = 0;         // files and folders
  std::uint64_t bytes = 0;         // the data bytes of every file
  std::size_t volumes = 0;
};

// Lists `first` (a plain archive or the first volume NAME.part1.rar / part01 of a set) with every volume
// that follows it.
ArchiveListing ListArchive(const std::filesystem::path& first);

}  // namespace norva::test
