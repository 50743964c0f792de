#include "platform/wine/drive_links.h"

#include <fstream>
#include <string>
#include <system_error>

#include "platform/wine/atomic_write.h"
#include "platform/wine/prefix.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "# Drive links made by the norva menu: letter, tab, target.\n";

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

fs::path DriveLinkRecord::FileOf(const fs::path& prefix) {
  return prefix / ".norva-drive-links";
}

DriveLinkRecord::DriveLinkRecord(fs::path prefix) : prefix_(std::move(prefix)) {
  std::ifstream in(FileOf(prefix_));
  std::string line;
  while (std::getline(in, line)) {
    // "d:<tab>/path"; anything else (the header, damaged lines) is skipped.
    if (line.size() < 4 || line[1] != ':' || line[2] != '\t') continue;
    const char letter = Upper(line[0]);
    if (letter < 'A' || letter > 'Z' || line[3] != '/') continue;
    links_[letter] = fs::path(line.substr(3));
  }
}

bool DriveLinkRecord::MadeByMenu(char letter) const {
  const auto found = links_.find(Upper(letter));
  if (found == links_.end()) return false;
  std::error_code ec;
  const fs::path link = DriveLinkPath(prefix_, letter);
  return fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == found->second && !ec;
}

bool DriveLinkRecord::Link(char letter, const fs::path& target) {
  letter = Upper(letter);
  const std::string text = target.string();
  // A target the record cannot hold on one line is not linked: the menu could not recognise it later.
  if (!target.is_absolute() || text.find_first_of("\n\r") != std::string::npos) return false;
  std::error_code ec;
  fs::create_directories(DosDevicesDir(prefix_), ec);
  const fs::path link = DriveLinkPath(prefix_, letter);
  // A new link beside, renamed over the old one: the letter is never missing in between.
  const fs::path fresh = prefix_ / (".norva-link-" + std::string{static_cast<char>(letter - 'A' + 'a')});
  fs::remove(fresh, ec);
  fs::create_directory_symlink(target, fresh, ec);
  if (ec) return false;
  fs::rename(fresh, link, ec);
  if (ec) {
    fs::remove(fresh, ec);
    return false;
  }
  links_[letter] = target;
  // The link is already there; a record that cannot be written only means the letter is never reused.
  Save();
  return true;
}

bool DriveLinkRecord::Save() const {
  std::string text(kHeader);
  for (const auto& [letter, target] : links_) {
    text += static_cast<char>(letter - 'A' + 'a');
    text += ":\t" + target.string() + "\n";
  }
  return WriteHostFileAtomic(FileOf(prefix_), text);
}

}  // namespace norva::platform::wine
