// The DOS path parser: any text against any current folder; a parsed path formats to a text that parses to
// the same path again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/dos_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using norva::platform::DosPath;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = bytes.find('\n');
  const DosPath root{};
  const auto current = norva::platform::ParseDosPath(bytes.substr(0, cut), root);
  const auto parsed = norva::platform::ParseDosPath(
      cut == bytes.npos ? bytes : bytes.substr(cut + 1), current.value_or(root));
  if (!parsed) return 0;
  const auto again = norva::platform::ParseDosPath(norva::platform::FormatDosPath(*parsed), root);
  if (!again || again->drive != parsed->drive || again->components != parsed->components) std::abort();
  return 0;
}
