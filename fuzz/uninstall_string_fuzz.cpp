// The command-line helpers that detection and uninstall apply to registry and catalog texts.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "install/command_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  norva::install::DirFromUninstallString(text);
  norva::install::StripArguments(text);
  norva::install::StripQuotes(text);
  // Every program looked for exists every other time, so that both ways through are taken.
  int calls = 0;
  norva::install::WorkingDirOf(text, [&calls](std::string_view) { return ++calls % 2 == 0; });
  return 0;
}
