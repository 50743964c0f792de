#include "headless/script.h"

#include <sstream>

namespace norva::headless {
namespace {

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<ScriptLine> Script::Next() {
  if (pending_) {
    auto line = std::move(pending_);
    pending_.reset();
    return line;
  }
  std::string raw;
  while (std::getline(in_, raw)) {
    ++line_number_;
    const std::string text = Trim(raw);
    if (text.empty() || text[0] == '#') continue;
    ScriptLine line;
    line.number = line_number_;
    std::istringstream words(text);
    for (std::string word; words >> word;) line.words.push_back(word);
    const auto blank = text.find_first_of(" \t");
    if (blank != std::string::npos) line.rest_after_first = Trim(text.substr(blank));
    return line;
  }
  return std::nullopt;
}

}  // namespace norva::headless
