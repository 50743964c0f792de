// What a catalog check reports: one finding a fault, with the catalog section and key it is about, and the
// two ways of writing the list (a line a finding for people, a JSON object a line for tools).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace norva::check {

// error: the menu will show, install or remove the item wrongly; warning: very likely a mistake of the
// catalog's author, though the menu copes; note: worth a look, harmless as it stands.
enum class Severity : std::uint8_t { kError, kWarning, kNote };

struct Finding {
  Severity severity = Severity::kError;
  std::string section;  // "Demo3", "Main"; empty when the finding is about the disc as a whole
  std::string key;      // "InstallName"; empty when it is about the whole section
  std::string message;  // UTF-8, one line
};

class Findings {
 public:
  void Add(Severity severity, std::string_view section, std::string_view key, std::string message);
  void Error(std::string_view section, std::string_view key, std::string message) {
    Add(Severity::kError, section, key, std::move(message));
  }
  void Warning(std::string_view section, std::string_view key, std::string message) {
    Add(Severity::kWarning, section, key, std::move(message));
  }
  void Note(std::string_view section, std::string_view key, std::string message) {
    Add(Severity::kNote, section, key, std::move(message));
  }

  const std::vector<Finding>& all() const { return findings_; }
  int Count(Severity severity) const;

 private:
  std::vector<Finding> findings_;
};

std::string_view SeverityName(Severity severity);

// "NORVAXP.INI: error: [Demo3] InstallName: ..." ("[Main]" alone without a key, nothing without a section).
std::string FormatLine(std::string_view file, const Finding& finding);
// {"severity":"error","section":"Demo3","key":"InstallName","message":"..."} on one line.
std::string FormatJson(const Finding& finding);

}  // namespace norva::check
