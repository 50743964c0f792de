#include "check/findings.h"

#include <algorithm>
#include <cstdio>

namespace norva::check {

void Findings::Add(Severity severity, std::string_view section, std::string_view key, std::string message) {
  findings_.push_back({severity, std::string(section), std::string(key), std::move(message)});
}

int Findings::Count(Severity severity) const {
  return static_cast<int>(std::count_if(findings_.begin(), findings_.end(),
                                        [&](const Finding& f) { return f.severity == severity; }));
}

std::string_view SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kError:
      return "error";
    case Severity::kWarning:
      return "warning";
    case Severity::kNote:
      return "note";
  }
  return "error";
}

std::string FormatLine(std::string_view file, const Finding& finding) {
  std::string line(file);
  line += ": ";
  line += SeverityName(finding.severity);
  line += ": ";
  if (!finding.section.empty()) {
    line += "[" + finding.section + "] ";
    if (!finding.key.empty()) line += finding.key + ": ";
  }
  line += finding.message;
  return line;
}

namespace {

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

}  // namespace

std::string FormatJson(const Finding& finding) {
  std::string out = "{\"severity\":";
  AppendJsonString(out, SeverityName(finding.severity));
  out += ",\"section\":";
  AppendJsonString(out, finding.section);
  out += ",\"key\":";
  AppendJsonString(out, finding.key);
  out += ",\"message\":";
  AppendJsonString(out, finding.message);
  out += '}';
  return out;
}

}  // namespace norva::check
