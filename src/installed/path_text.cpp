#include "installed/path_text.h"

namespace norva::installed {

std::string PostFixDir(std::string_view path) {
  std::string result(path);
  if (!result.empty() && result.back() != '\\') result += '\\';
  return result;
}

}  // namespace norva::installed
