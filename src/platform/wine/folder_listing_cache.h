// Name lookups without regard to letter case in host folders, answered from one listing per folder for as
// long as the folder stays unchanged. Without it every lookup of a name spelled in another case lists the
// whole folder again, which on a disc root of 100,000 files makes each path resolution cost a folder listing.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/wine/host_file.h"

namespace norva::platform::wine {

class FolderListingCache {
 public:
  // A listing is kept only when its folder had not changed for `settle` before the listing was taken: a
  // change made within the file system's timestamp granularity after the listing could otherwise leave the
  // folder's times as they were, and the stale listing would be trusted.
  explicit FolderListingCache(std::chrono::nanoseconds settle = std::chrono::seconds(2));

  // The name of the entry of `folder` that matches `name_utf8` under FoldCase; of several such entries, the
  // smallest name (so that the answer does not depend on the order of the listing). Empty when none matches
  // or the folder cannot be listed.
  std::string Match(const std::filesystem::path& folder, std::string_view name_utf8);

  // Drops what is known of a folder (after a change made through this process).
  void Forget(const std::filesystem::path& folder);

  // How many times a folder was really listed.
  std::size_t listings() const { return listings_; }

 private:
  struct Listing {
    HostFileStamp stamp;  // of the folder when it was listed
    std::string names;    // every entry's name, each followed by a NUL
    // (hash of the folded name, offset of the name in `names`), sorted.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> index;
  };

  // Lists the folder; false when it cannot be listed.
  bool List(const std::filesystem::path& folder, Listing& listing);
  static std::string Find(const Listing& listing, std::string_view name_utf8);

  std::chrono::nanoseconds settle_;
  std::unordered_map<std::string, Listing> listings_by_folder_;
  std::size_t listings_ = 0;
};

}  // namespace norva::platform::wine
