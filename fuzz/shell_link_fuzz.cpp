// The shortcut (.lnk) reader on any bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "install/shell_linker.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  norva::install::TLinkInfo link;
  norva::install::ParseShellLink(std::string_view(reinterpret_cast<const char*>(data), size),
                                 norva::platform::CodePage::kCentralEuropean, link);
  return 0;
}
