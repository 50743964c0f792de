#include "platform/wine/folder_listing_cache.h"

#include <dirent.h>

#include <algorithm>
#include <ctime>

#include "platform/unicode_text.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;
namespace {

// Folders kept at once; more are dropped all together (a menu run looks into a few dozen).
constexpr std::size_t kMaxFolders = 256;

// FNV-1a over the folded code points, without building the folded text. A byte that is no valid UTF-8 is
// kept by FoldCase as it is, and hashed apart from every code point.
std::uint64_t FoldedHash(std::string_view utf8) {
  std::uint64_t hash = 14695981039346656037ull;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    char32_t c = NextUtf8(utf8, pos);
    c = c == kInvalidUtf8 ? 0x80000000u | static_cast<unsigned char>(utf8[start]) : FoldCodePoint(c);
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::int64_t NowNs() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

FolderListingCache::FolderListingCache(std::chrono::nanoseconds settle) : settle_(settle) {}

bool FolderListingCache::List(const fs::path& folder, Listing& listing) {
  ++listings_;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return false;
  listing.names.clear();
  listing.index.clear();
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    listing.index.emplace_back(FoldedHash(name), static_cast<std::uint32_t>(listing.names.size()));
    listing.names.append(name);
    listing.names.push_back('\0');
  }
  ::closedir(dir);
  std::sort(listing.index.begin(), listing.index.end());
  return true;
}

std::string FolderListingCache::Find(const Listing& listing, std::string_view name_utf8) {
  const std::uint64_t hash = FoldedHash(name_utf8);
  const std::string wanted = FoldCase(name_utf8);
  std::string best;
  auto it =
      std::lower_bound(listing.index.begin(), listing.index.end(), std::make_pair(hash, std::uint32_t{0}));
  for (; it != listing.index.end() && it->first == hash; ++it) {
    const std::string_view name(listing.names.data() + it->second);
    if (FoldCase(name) == wanted && (best.empty() || name < best)) best = name;
  }
  return best;
}

std::string FolderListingCache::Match(const fs::path& folder, std::string_view name_utf8) {
  const HostFileStamp stamp = StampHostFile(folder);
  if (!stamp.exists) {
    Forget(folder);
    return {};
  }
  const auto cached = listings_by_folder_.find(folder.native());
  if (cached != listings_by_folder_.end()) {
    if (cached->second.stamp == stamp) return Find(cached->second, name_utf8);
    listings_by_folder_.erase(cached);
  }

  const std::int64_t listed_at = NowNs();
  Listing listing;
  if (!List(folder, listing)) return {};
  listing.stamp = stamp;
  std::string found = Find(listing, name_utf8);
  // Kept only when the folder had settled before the listing and did not change while it was taken.
  const std::int64_t last_change = std::max(stamp.modified_ns, stamp.changed_ns);
  if (listed_at - last_change >= settle_.count() && StampHostFile(folder) == stamp) {
    if (listings_by_folder_.size() >= kMaxFolders) listings_by_folder_.clear();
    listings_by_folder_.emplace(folder.native(), std::move(listing));
  }
  return found;
}

void FolderListingCache::Forget(const fs::path& folder) {
  listings_by_folder_.erase(folder.native());
}

}  // namespace norva::platform::wine
