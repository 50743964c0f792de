#include "platform/wine/drive_links.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/wine/atomic_write.h"
#include "platform/wine/host_file.h"
#include "platform/wine/mount_table.h"
#include "platform/wine/prefix.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "# Drive links made by the norva menu: link, tab, target.\n";

std::string LinkName(char letter, bool device) {
  const char lower = (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
  return std::string{lower, ':'} + (device ? ":" : "");
}

}  // namespace

fs::path DriveLinkRecord::FileOf(const fs::path& prefix) {
  return prefix / ".norva-drive-links";
}

DriveLinkRecord::DriveLinkRecord(fs::path prefix) : prefix_(std::move(prefix)) {
  // Read as every host file is: a FIFO or device in its place cannot block the start.
  std::istringstream in(ReadRegularHostFile(FileOf(prefix_)).value_or(std::string()));
  std::string line;
  while (std::getline(in, line)) {
    // "d:<tab>/path" or "d::<tab>/dev/..."; anything else (the header, damaged lines) is skipped.
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos || tab + 1 >= line.size() || line[tab + 1] != '/') continue;
    const std::string name = line.substr(0, tab);
    if (name.size() < 2 || name.size() > 3 || name[0] < 'a' || name[0] > 'z' ||
        name.find_first_not_of(':', 1) != std::string::npos)
      continue;
    links_[name] = fs::path(line.substr(tab + 1));
  }
}

bool DriveLinkRecord::MadeByMenu(char letter, bool device) const {
  const std::string name = LinkName(letter, device);
  const auto found = links_.find(name);
  if (found == links_.end()) return false;
  std::error_code ec;
  const fs::path link = DosDevicesDir(prefix_) / name;
  return fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == found->second && !ec;
}

bool DriveLinkRecord::Link(char letter, const fs::path& target, bool device) {
  const std::string name = LinkName(letter, device);
  const std::string text = target.string();
  // A target the record cannot hold on one line is not linked: the menu could not recognise it later.
  if (!target.is_absolute() || text.find_first_of("\n\r") != std::string::npos) return false;
  std::error_code ec;
  fs::create_directories(DosDevicesDir(prefix_), ec);
  const fs::path link = DosDevicesDir(prefix_) / name;
  // A new link beside, renamed over the old one: the letter is never missing in between.
  const fs::path fresh = prefix_ / (".norva-link-" + std::string(1, name[0]));
  fs::remove(fresh, ec);
  fs::create_symlink(target, fresh, ec);
  if (ec) return false;
  fs::rename(fresh, link, ec);
  if (ec) {
    fs::remove(fresh, ec);
    return false;
  }
  links_[name] = target;
  // The link is already there; a record that cannot be written only means the letter is never reused.
  Save();
  return true;
}

void DriveLinkRecord::RemoveDeviceLink(char letter) {
  if (!MadeByMenu(letter, true)) return;
  std::error_code ec;
  fs::remove(DosDevicesDir(prefix_) / LinkName(letter, true), ec);
  links_.erase(LinkName(letter, true));
  Save();
}

fs::path DiscDeviceOf(const fs::path& folder, const fs::path& mountinfo) {
  std::error_code ec;
  const fs::path wanted = fs::canonical(folder, ec);
  if (ec) return {};
  fs::path device;
  for (const Mount& mount : ReadMountTable(mountinfo)) {
    if (mount.point != wanted) continue;
    // A later mount over the same point hides earlier ones.
    const bool disc = mount.type == "iso9660" || mount.type == "udf";
    device = (disc && mount.source.starts_with("/dev/")) ? fs::path(mount.source) : fs::path();
  }
  return device;
}

bool DriveLinkRecord::Save() const {
  std::string text(kHeader);
  for (const auto& [name, target] : links_) text += name + "\t" + target.string() + "\n";
  return WriteHostFileAtomic(FileOf(prefix_), text);
}

}  // namespace norva::platform::wine
