#include "platform/wine/prefix.h"

#include <cstdlib>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/wine/drive_links.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

void SetError(std::string* error, const std::string& text) {
  if (error != nullptr) *error = text;
}

// The folder a drive link leads to, canonical; empty when the link is dangling or not a link.
fs::path ResolvedTarget(const fs::path& link) {
  std::error_code ec;
  fs::path resolved = fs::canonical(link, ec);
  return ec ? fs::path() : resolved;
}

}  // namespace

fs::path ChoosePrefix(const std::optional<fs::path>& machine, const char* wineprefix, const char* home) {
  if (machine && !machine->empty()) return *machine;
  if (wineprefix != nullptr && *wineprefix != '\0') return fs::path(wineprefix);
  return fs::path(home != nullptr ? home : "") / ".wine";
}

fs::path ChoosePrefixFromEnvironment(const std::optional<fs::path>& machine) {
  return ChoosePrefix(machine, std::getenv("WINEPREFIX"), std::getenv("HOME"));
}

fs::path DosDevicesDir(const fs::path& prefix) {
  return prefix / "dosdevices";
}

fs::path DriveLinkPath(const fs::path& prefix, char letter) {
  const char lower = (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
  return DosDevicesDir(prefix) / std::string{lower, ':'};
}

bool EnsurePrefixLayout(const fs::path& prefix, std::string* error) {
  std::error_code ec;
  fs::create_directories(prefix / "drive_c" / "windows" / "system32", ec);
  if (ec) {
    SetError(error, "cannot create the Windows folder in " + prefix.string() + ": " + ec.message());
    return false;
  }
  const fs::path devices = DosDevicesDir(prefix);
  const bool new_devices = fs::create_directories(devices, ec);
  if (ec) {
    SetError(error, "cannot create " + devices.string() + ": " + ec.message());
    return false;
  }
  // As Wine does when it makes the folder itself: C: is the prefix's drive_c and Z: the host's root, through
  // which Windows programs reach host paths. Entries of an existing folder belong to the prefix's owner.
  std::vector<std::pair<char, fs::path>> links{{'C', "../drive_c"}};
  if (new_devices) links.emplace_back('Z', "/");
  for (const auto& [letter, target] : links) {
    const fs::path link = DriveLinkPath(prefix, letter);
    if (fs::symlink_status(link, ec).type() != fs::file_type::not_found) continue;
    fs::create_directory_symlink(target, link, ec);
    if (ec) {
      SetError(error, "cannot create " + link.string() + ": " + ec.message());
      return false;
    }
  }
  return true;
}

namespace {

// The device link of the disc's letter follows the disc: to the block device of a mounted disc (so that Wine
// reads its label and serial number), and gone when the menu made it for an earlier disc.
void SyncDeviceLink(const fs::path& prefix, char letter, const fs::path& disc, const fs::path& mountinfo,
                    DriveLinkRecord& record) {
  const fs::path device = DiscDeviceOf(disc, mountinfo);
  const fs::path link = DosDevicesDir(prefix) / std::string{static_cast<char>(letter - 'A' + 'a'), ':', ':'};
  std::error_code ec;
  const bool exists = fs::symlink_status(link, ec).type() != fs::file_type::not_found;
  const bool ours = record.MadeByMenu(letter, true);
  if (device.empty()) {
    if (ours) record.RemoveDeviceLink(letter);
  } else if (!exists || (ours && fs::read_symlink(link, ec) != device)) {
    record.Link(letter, device, true);  // without it the disc only lacks its label
  }
}

}  // namespace

char MapDisc(const fs::path& prefix, const fs::path& disc, std::string* error, const fs::path& mountinfo) {
  std::error_code ec;
  const fs::path wanted = fs::canonical(disc, ec);
  if (ec || !fs::is_directory(wanted, ec)) {
    SetError(error, "the disc folder " + disc.string() + " does not exist");
    return 0;
  }
  DriveLinkRecord record(prefix);
  const auto mapped = [&](char letter) {
    SyncDeviceLink(prefix, letter, wanted, mountinfo, record);
    return letter;
  };
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    // C: is the first hard disk even when it happens to show the disc folder.
    if (letter == 'C') continue;
    const fs::path link = DriveLinkPath(prefix, letter);
    if (fs::symlink_status(link, ec).type() == fs::file_type::not_found) continue;
    if (ResolvedTarget(link) == wanted) return mapped(letter);
  }
  const auto link_to = [&](char letter) -> char {
    if (record.Link(letter, wanted)) return mapped(letter);
    SetError(error, "cannot create " + DriveLinkPath(prefix, letter).string());
    return 0;
  };
  // A free letter first: a dangling link still claims its letter, since it may be a drive that is merely not
  // ready (and a disc folder that comes back finds its old letter).
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    if (fs::symlink_status(DriveLinkPath(prefix, letter), ec).type() == fs::file_type::not_found)
      return link_to(letter);
  }
  // Then a letter whose link the menu made for a disc folder that is gone.
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    if (record.MadeByMenu(letter) && ResolvedTarget(DriveLinkPath(prefix, letter)).empty())
      return link_to(letter);
  }
  SetError(error, "no free drive letter for the disc folder " + disc.string());
  return 0;
}

bool DriveLinkMadeByMenu(const fs::path& prefix, char letter) {
  return DriveLinkRecord(prefix).MadeByMenu(letter);
}

}  // namespace norva::platform::wine
