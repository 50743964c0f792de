#include "support/host_path.h"

#include <string>

namespace norva::test {

std::filesystem::path HostPathBelow(const std::filesystem::path& drive_root, std::string_view dos_path) {
  std::filesystem::path host = drive_root;
  std::string_view rest = dos_path.size() > 3 ? dos_path.substr(3) : std::string_view();
  while (!rest.empty()) {
    const std::size_t slash = rest.find('\\');
    host /= std::string(rest.substr(0, slash));
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
  }
  return host;
}

}  // namespace norva::test
