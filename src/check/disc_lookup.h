// Finds the files a catalog names on the disc as the menu finds them (each component matched without regard
// to letter case), and tells what stands there. Folder listings are read once and kept for the whole check.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace norva::check {

enum class EntryState { kMissing, kFile, kFolder, kOther };

struct LookupResult {
  EntryState state = EntryState::kMissing;
  std::string path;           // the DOS path as the disc spells it (as given where nothing matched)
  bool case_differs = false;  // some component exists only under another letter case
  std::uint64_t size = 0;     // files
};

class DiscLookup {
 public:
  // `files` is borrowed and must outlive this object.
  explicit DiscLookup(platform::FileSystem& files) : files_(files) {}

  // `dos_path` is a full path on the disc ("D:\DEMOS\Game\setup.exe"); '/' counts as '\'.
  LookupResult Find(std::string_view dos_path);

  platform::FileSystem& files() { return files_; }

 private:
  const std::vector<platform::DirEntry>* Listing(const std::string& folder);

  platform::FileSystem& files_;
  std::map<std::string, std::vector<platform::DirEntry>> listings_;  // by upper-cased folder path
  std::map<std::string, bool> unreadable_;
};

}  // namespace norva::check
