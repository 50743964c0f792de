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
#include "platform/wine/prefix.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "# Drive links made by the norva menu: link, tab, target.\n";

std::string LinkName(char letter, bool device) {
  const char lower = (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
  return std::string{lower, ':'} + (device ? ":" : "");
}

// A field of /proc/self/mountinfo, whose blanks, tabs, newlines and backslashes come as octal escapes.
std::string Unescaped(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      if (digits.find_first_not_of("01234567") == std::string_view::npos) {
        out += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
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
  std::ifstream in(mountinfo);
  std::string line;
  fs::path device;
  while (std::getline(in, line)) {
    // "36 35 98:0 / /media/cdrom ro,relatime shared:1 - iso9660 /dev/sr0 ro": the mount point is the fifth
    // field, the type and the source follow the " - ". A later mount over the same point hides earlier ones.
    std::vector<std::string_view> fields;
    for (std::size_t start = 0; start < line.size();) {
      const std::size_t end = std::min(line.find(' ', start), line.size());
      fields.emplace_back(std::string_view(line).substr(start, end - start));
      start = end + 1;
    }
    const auto separator = std::find(fields.begin(), fields.end(), "-");
    if (fields.size() < 5 || separator == fields.end() || fields.end() - separator < 3) continue;
    if (fs::path(Unescaped(fields[4])) != wanted) continue;
    const std::string_view type = separator[1];
    const std::string source = Unescaped(separator[2]);
    device =
        ((type == "iso9660" || type == "udf") && source.starts_with("/dev/")) ? fs::path(source) : fs::path();
  }
  return device;
}

bool DriveLinkRecord::Save() const {
  std::string text(kHeader);
  for (const auto& [name, target] : links_) text += name + "\t" + target.string() + "\n";
  return WriteHostFileAtomic(FileOf(prefix_), text);
}

}  // namespace norva::platform::wine
