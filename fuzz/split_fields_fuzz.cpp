// The catalog's text helpers: SplitFields must cut a text into parts that join back to it, and
// PrepareCaption must not fail on any text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalog/text_prep.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto parts = norva::catalog::SplitFields(text);
  if (text.empty() != parts.empty()) std::abort();
  if (!parts.empty()) {
    const char separator = text.find(',') != text.npos   ? ','
                           : text.find(';') != text.npos ? ';'
                           : text.find(':') != text.npos ? ':'
                                                         : ';';
    std::string joined = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) joined += separator + parts[i];
    if (joined != text) std::abort();
  }
  norva::catalog::PrepareCaption(text);
  return 0;
}
