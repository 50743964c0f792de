// Wine's registry file parser: any text, lookups of the keys it holds, and deletions whose text must parse
// again (a few of each per input: every deletion rewrites the whole text, and more of them find nothing new).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/wine/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using norva::platform::wine::RegFile;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const RegFile file = RegFile::Parse(text);
  if (!file.valid()) return 0;
  int value_deletions = 4;
  int key_deletions = 4;
  // Walks two levels of keys from the root, reading every value of each.
  for (const std::string& top : file.SubKeyNames("")) {
    if (!file.KeyExists(top)) std::abort();
    for (const std::string& name : file.ValueNames(top)) {
      if (file.FindValue(top, name) == nullptr) std::abort();
    }
    for (const std::string& sub : file.SubKeyNames(top)) {
      const std::string path = top + "\\" + sub;
      for (const std::string& name : file.ValueNames(path)) {
        if (value_deletions == 0) break;
        --value_deletions;
        if (const auto without = file.TextWithoutValue(path, name)) {
          if (!RegFile::Parse(*without).valid()) std::abort();
        }
      }
      if (key_deletions == 0) continue;
      --key_deletions;
      if (const auto without = file.TextWithoutKey(path, 1700000000)) {
        const RegFile rest = RegFile::Parse(*without);
        if (!rest.valid() || rest.KeyExists(path) || !rest.KeyExists(top)) std::abort();
      }
    }
  }
  return 0;
}
