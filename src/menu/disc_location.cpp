#include "menu/disc_location.h"

namespace norva::menu {

std::string DrivePart(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
  return {};
}

std::optional<std::string> LocateDisc(std::string_view program_path, platform::FileSystem& files) {
  std::string root = DrivePart(program_path);
  if (root != "C:") return root;
  for (char letter = 'D'; letter <= 'Z'; ++letter) {
    const std::string drive = std::string(1, letter) + ":";
    if (files.FileExists(drive + "\\NORVA.EXE") && files.FileExists(drive + "\\Norva\\NORVAXP.ini"))
      return drive;
  }
  return std::nullopt;
}

}  // namespace norva::menu
