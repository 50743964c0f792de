#include "catalog/text_prep.h"

namespace norva::catalog {

std::string PrepareCaption(std::string_view text) {
  // Cutting the note first gives the same result as doubling first: the character after the last kept one
  // is the '~', never an '&'.
  return DoubleAmpersands(text.substr(0, text.find('~')));
}

std::string DoubleAmpersands(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  // Whole runs between lone ampersands are copied at once: captions are read by the hundred at every load.
  std::size_t copied = 0;
  for (std::size_t amp = text.find('&'); amp != std::string_view::npos; amp = text.find('&', amp + 1)) {
    const bool amp_before = amp > 0 && text[amp - 1] == '&';
    const bool amp_after = amp + 1 < text.size() && text[amp + 1] == '&';
    if (amp_before || amp_after) continue;
    out.append(text.substr(copied, amp + 1 - copied));
    out.push_back('&');
    copied = amp + 1;
  }
  out.append(text.substr(copied));
  return out;
}

std::vector<std::string> SplitFields(std::string_view text) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  char separator = ';';
  for (const char candidate : {',', ';', ':'}) {
    if (text.find(candidate) != std::string_view::npos) {
      separator = candidate;
      break;
    }
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.emplace_back(text.substr(start));
      return parts;
    }
    parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace norva::catalog
