#include "platform/wine/mounted_discs.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/unicode_text.h"
#include "platform/wine/mount_table.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

// The entry of `folder` named `name` without regard to case, as Windows would find it.
std::optional<fs::path> ChildWithoutCase(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  if (fs::exists(folder / name, ec)) return folder / name;
  const std::string wanted = FoldCase(name);
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (FoldCase(it->path().filename().string()) == wanted) return it->path();
  }
  return std::nullopt;
}

bool HasImageName(std::string_view source) {
  static constexpr std::array<std::string_view, 8> kEndings = {".ISO", ".BIN", ".CUE", ".NRG",
                                                               ".MDF", ".MDS", ".CCD", ".IMG"};
  const std::string folded = FoldCase(source);  // upper case
  return std::any_of(kEndings.begin(), kEndings.end(),
                     [&](std::string_view ending) { return std::string_view(folded).ends_with(ending); });
}

bool MayHoldDisc(const Mount& mount) {
  if (mount.type == "iso9660" || mount.type == "udf") return true;
  if (!mount.type.starts_with("fuse.")) return false;
  // FUSE servers of disc images name the image as their source (ours, fuseiso and the like).
  const std::string_view server = std::string_view(mount.type).substr(5);
  return server == "norva-disc" || server.starts_with("fuseiso") || HasImageName(mount.source);
}

}  // namespace

bool IsMenuDisc(const fs::path& root) {
  std::error_code ec;
  const auto program = ChildWithoutCase(root, "NORVA.EXE");
  if (!program || !fs::is_regular_file(*program, ec)) return false;
  const auto folder = ChildWithoutCase(root, "Norva");
  if (!folder || !fs::is_directory(*folder, ec)) return false;
  const auto catalog = ChildWithoutCase(*folder, "NORVAXP.ini");
  return catalog && fs::is_regular_file(*catalog, ec);
}

std::vector<fs::path> FindMountedMenuDiscs(const fs::path& mountinfo) {
  // The last mount at each point is the one that shows there.
  std::vector<Mount> mounts = ReadMountTable(mountinfo);
  std::map<fs::path, std::size_t> last;
  for (std::size_t i = 0; i < mounts.size(); ++i) last[mounts[i].point] = i;
  std::vector<fs::path> discs;
  for (std::size_t i = 0; i < mounts.size(); ++i) {
    if (last[mounts[i].point] != i || !MayHoldDisc(mounts[i])) continue;
    if (IsMenuDisc(mounts[i].point)) discs.push_back(mounts[i].point);
  }
  return discs;
}

}  // namespace norva::platform::wine
