#include "platform/wine/prefix.h"

#include <cstdlib>
#include <system_error>

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
  fs::create_directories(DosDevicesDir(prefix), ec);
  if (ec) {
    SetError(error, "cannot create " + DosDevicesDir(prefix).string() + ": " + ec.message());
    return false;
  }
  const fs::path c_link = DriveLinkPath(prefix, 'C');
  // An existing c: entry, even one pointing elsewhere, belongs to the prefix's owner.
  if (fs::symlink_status(c_link, ec).type() != fs::file_type::not_found) return true;
  fs::create_directory_symlink("../drive_c", c_link, ec);
  if (ec) {
    SetError(error, "cannot create " + c_link.string() + ": " + ec.message());
    return false;
  }
  return true;
}

char MapDisc(const fs::path& prefix, const fs::path& disc, std::string* error) {
  std::error_code ec;
  const fs::path wanted = fs::canonical(disc, ec);
  if (ec || !fs::is_directory(wanted, ec)) {
    SetError(error, "the disc folder " + disc.string() + " does not exist");
    return 0;
  }
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    // C: is the first hard disk even when it happens to show the disc folder.
    if (letter == 'C') continue;
    const fs::path link = DriveLinkPath(prefix, letter);
    if (fs::symlink_status(link, ec).type() == fs::file_type::not_found) continue;
    if (ResolvedTarget(link) == wanted) return letter;
  }
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    const fs::path link = DriveLinkPath(prefix, letter);
    // A dangling link still claims its letter: it may be a drive that is merely not ready.
    if (fs::symlink_status(link, ec).type() != fs::file_type::not_found) continue;
    fs::create_directories(DosDevicesDir(prefix), ec);
    fs::create_directory_symlink(wanted, link, ec);
    if (ec) {
      SetError(error, "cannot create " + link.string() + ": " + ec.message());
      return 0;
    }
    return letter;
  }
  SetError(error, "no free drive letter for the disc folder " + disc.string());
  return 0;
}

}  // namespace norva::platform::wine
