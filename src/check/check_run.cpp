#include "check/check_run.h"

#include "platform/code_page.h"

namespace norva::check {
namespace {

void CaseNote(CheckRun& run, std::string_view section, std::string_view key, const LookupResult& found) {
  if (!found.case_differs || !run.in.case_sensitive) return;
  run.out.Warning(
      section, key,
      "found only as " + run.Shown(found.path) +
          ", under another letter case: a copy on a medium that tells case apart may not find it");
}

}  // namespace

LookupResult CheckRun::NeedFile(std::string_view section, std::string_view key, const std::string& dos_path,
                                std::string_view what, Severity missing) {
  LookupResult found = lookup.Find(dos_path);
  switch (found.state) {
    case EntryState::kMissing:
      out.Add(missing, section, key, std::string(what) + " " + Shown(dos_path) + " is missing");
      break;
    case EntryState::kFolder:
      out.Error(section, key, std::string(what) + " " + Shown(found.path) + " is a folder, not a file");
      break;
    case EntryState::kOther:
      out.Error(section, key, std::string(what) + " " + Shown(found.path) + " is not a regular file");
      break;
    case EntryState::kFile:
      CaseNote(*this, section, key, found);
      break;
  }
  return found;
}

LookupResult CheckRun::NeedFolder(std::string_view section, std::string_view key, const std::string& dos_path,
                                  std::string_view what) {
  LookupResult found = lookup.Find(dos_path);
  if (found.state == EntryState::kMissing) {
    out.Error(section, key, std::string(what) + " " + Shown(dos_path) + " is missing");
  } else if (found.state != EntryState::kFolder) {
    out.Error(section, key, std::string(what) + " " + Shown(found.path) + " is not a folder");
  } else {
    CaseNote(*this, section, key, found);
  }
  return found;
}

}  // namespace norva::check
