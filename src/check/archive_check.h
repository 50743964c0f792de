// An item's archive as the unpack window walks it: it must open with all its volumes, hold no entry the
// window refuses (damaged, encrypted, a name that would leave the target folder), and agree with the size
// and entry count the catalog gives for it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_run.h"

namespace norva::check {

struct ArchiveFacts {
  std::uint64_t unpacked = 0;
  std::int64_t entries = 0;
  std::vector<std::string> names;  // upper-cased, '\' between folders
};

// Walks the archive at `dos_path` (found on the disc) and reports its faults under `section` and `key`;
// the facts when the walk reached the end.
std::optional<ArchiveFacts> CheckArchive(CheckRun& run, std::string_view section, std::string_view key,
                                         const std::string& dos_path);

// Whether the archive holds `name` (a path below the unpack folder).
bool ArchiveHolds(const ArchiveFacts& facts, std::string_view name);

}  // namespace norva::check
