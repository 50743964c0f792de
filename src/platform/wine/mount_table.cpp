#include "platform/wine/mount_table.h"

#include <algorithm>
#include <fstream>
#include <string_view>

namespace norva::platform::wine {
namespace {

// A field of mountinfo, whose blanks, tabs, newlines and backslashes come as octal escapes.
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

std::vector<Mount> ReadMountTable(const std::filesystem::path& mountinfo) {
  std::vector<Mount> mounts;
  std::ifstream in(mountinfo);
  std::string line;
  while (std::getline(in, line)) {
    // "36 35 98:0 / /media/cdrom ro,relatime shared:1 - iso9660 /dev/sr0 ro": the mount point is the fifth
    // field, the type and the source follow the " - ".
    std::vector<std::string_view> fields;
    for (std::size_t start = 0; start < line.size();) {
      const std::size_t end = std::min(line.find(' ', start), line.size());
      fields.emplace_back(std::string_view(line).substr(start, end - start));
      start = end + 1;
    }
    const auto separator = std::find(fields.begin(), fields.end(), "-");
    if (fields.size() < 5 || separator == fields.end() || fields.end() - separator < 3) continue;
    mounts.push_back({Unescaped(fields[4]), std::string(separator[1]), Unescaped(separator[2])});
  }
  return mounts;
}

}  // namespace norva::platform::wine
