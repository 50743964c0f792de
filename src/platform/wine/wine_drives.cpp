#include "platform/wine/wine_drives.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#include "platform/wine/prefix.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::optional<DriveType> TypeFromRegistry(const std::string& text) {
  const std::string type = Lower(text);
  if (type == "hd") return DriveType::kFixed;
  if (type == "cdrom") return DriveType::kCdRom;
  if (type == "floppy") return DriveType::kRemovable;
  if (type == "network") return DriveType::kRemote;
  if (type == "ramdisk") return DriveType::kRamDisk;
  return std::nullopt;
}

}  // namespace

WineDrives::WineDrives(fs::path prefix, Registry& registry, char disc_letter)
    : prefix_(std::move(prefix)), registry_(registry), disc_letter_(Upper(disc_letter)) {}

bool WineDrives::IsMapped(char letter) const {
  letter = Upper(letter);
  if (letter < 'A' || letter > 'Z') return false;
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(DriveLinkPath(prefix_, letter), ec);
  return !ec && (fs::is_symlink(own) || fs::is_directory(own));
}

std::vector<char> WineDrives::Letters() {
  std::vector<char> letters;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (IsMapped(letter)) letters.push_back(letter);
  }
  return letters;
}

DriveType WineDrives::TypeOf(char letter) {
  letter = Upper(letter);
  if (!IsMapped(letter)) return DriveType::kNoRootDir;
  if (letter == disc_letter_) return DriveType::kCdRom;
  const std::optional<std::string> configured =
      registry_.ReadString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", Lower(std::string{letter, ':'}));
  if (configured) {
    if (const std::optional<DriveType> type = TypeFromRegistry(*configured)) return *type;
  }
  return IsReady(letter) ? DriveType::kFixed : DriveType::kUnknown;
}

bool WineDrives::IsReady(char letter) {
  if (!IsMapped(letter)) return false;
  std::error_code ec;
  return fs::is_directory(DriveLinkPath(prefix_, Upper(letter)), ec);
}

bool WineDrives::IsHostView(char letter) {
  if (!IsMapped(letter)) return false;
  std::error_code ec;
  const fs::path target = fs::canonical(DriveLinkPath(prefix_, Upper(letter)), ec);
  if (ec) return false;
  const fs::path machine = fs::canonical(prefix_, ec);
  if (ec) return false;
  // The drive's folder is the prefix or one of the folders above it.
  const auto [end, unused] = std::mismatch(target.begin(), target.end(), machine.begin(), machine.end());
  return end == target.end();
}

}  // namespace norva::platform::wine
