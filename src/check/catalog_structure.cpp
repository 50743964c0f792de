#include "check/catalog_structure.h"

#include <climits>
#include <map>
#include <string>

#include "catalog/record_reader.h"
#include "check/catalog_keys.h"
#include "installed/install_store.h"
#include "menu/date_text.h"
#include "platform/ini_text.h"
#include "strings/messages.h"

namespace norva::check {
namespace {

constexpr std::string_view kMain = "Main";

std::string Numbered(std::string_view prefix, std::int32_t n) {
  return std::string(prefix) + std::to_string(n);
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

void CheckDuplicateSections(platform::IniFile& ini, Findings& out) {
  std::map<std::string, int> seen;
  for (const std::string& name : ini.ReadSections()) {
    if (++seen[Upper(name)] == 2) {
      out.Warning(name, "", "the section appears more than once; the menu reads only the first");
    }
  }
}

void CheckDuplicateKeys(platform::IniFile& ini, std::string_view section, Findings& out) {
  std::map<std::string, int> seen;
  for (const std::string& key : ini.ReadSection(section)) {
    if (++seen[Upper(key)] == 2) {
      out.Warning(section, key, "the key appears more than once; the menu reads only the first");
    }
  }
}

void CheckNumber(platform::IniFile& ini, std::string_view section, std::string_view key,
                 std::string_view default_text, Findings& out) {
  if (!IsBadNumber(ini, section, key)) return;
  out.Error(section, key,
            "\"" + ini.ReadString(section, key, "") + "\" is not a number; the menu reads " +
                std::string(default_text));
}

void CheckUnknownKey(std::string_view section, const std::string& key,
                     const std::vector<std::string_view>& known, Findings& out) {
  if (auto near = NearestKey(key, known)) {
    out.Warning(section, key, "not a key the menu reads; did you mean " + std::string(*near) + "?");
  } else {
    out.Note(section, key, "not a key the menu reads");
  }
}

void CheckMain(platform::IniFile& ini, const catalog::Catalog& catalog, Findings& out) {
  if (!ini.SectionExists(kMain)) {
    out.Error(kMain, "", "the catalog has no [Main] section: every page is empty");
    return;
  }
  CheckDuplicateKeys(ini, kMain, out);
  for (const std::string& key : ini.ReadSection(kMain)) {
    bool known = false;
    for (std::string_view k : MainKeys()) known = known || SameName(k, key);
    if (!known) CheckUnknownKey(kMain, key, MainKeys(), out);
  }
  for (std::string_view key : {"Demos", "Shareware", "Updates", "Shots", "Movies", "Readers", "Fulls",
                               "Drivers", "Extra", "Extra2", "DVD", "Debug"}) {
    CheckNumber(ini, kMain, key, "0", out);
  }
  CheckNumber(ini, kMain, "Version", "1", out);
  const std::int32_t version = ini.ReadInteger(kMain, "Version", 1);
  if (static_cast<std::uint32_t>(version) >= 7) {
    out.Error(kMain, "Version",
              "edition " + std::to_string(version) + " does not exist (0..6); the menu uses 1");
  }
  if (!installed::IsDiscLabelKey(catalog.IssueCode)) {
    out.Error(kMain, "CD",
              "\"" + catalog.IssueCode +
                  "\" is not an issue code (MMYY, e.g. 0206): the title and the "
                  "install store cannot name the issue");
  }
  if (catalog.DebugMode) {
    out.Warning(kMain, "Debug", "debug mode is on: the window shows \"Reload\" and \"Show ini\"");
  }
}

void CheckCounts(platform::IniFile& ini, Findings& out) {
  std::map<const KindInfo*, std::int32_t> counts;
  for (const KindInfo& kind : SectionKinds()) {
    const std::int32_t count = ini.ReadInteger(kMain, kind.count_key, 0);
    counts[&kind] = count;
    if (count > kind.capacity) {
      out.Error(kMain, kind.count_key,
                std::to_string(count) + " items, but the page holds at most " +
                    std::to_string(kind.capacity) + "; the rest are not shown");
    }
    const std::int32_t read = std::min(count, kind.capacity);
    for (std::int32_t n = 1; n <= read; ++n) {
      const std::string section = Numbered(kind.section_prefix, n);
      if (!ini.SectionExists(section)) {
        out.Error(section, "",
                  "missing, but [Main] " + std::string(kind.count_key) + "=" + std::to_string(count) +
                      " counts it: the page shows an empty item");
      }
    }
  }
  for (const std::string& section : ini.ReadSections()) {
    if (SameName(section, kMain) || SameName(section, kUpdatesKey)) continue;
    const auto of = ClassifySection(section);
    if (!of) {
      out.Note(section, "", "not a section the menu reads");
      continue;
    }
    const std::int32_t count = counts[of->kind];
    if (of->number > count) {
      out.Warning(section, "",
                  "not shown: [Main] " + std::string(of->kind->count_key) + "=" + std::to_string(count));
    }
  }
}

void CheckItemKeys(platform::IniFile& ini, const std::string& section, const KindInfo& kind, int edition,
                   Findings& out) {
  CheckDuplicateKeys(ini, section, out);
  for (const std::string& key : ini.ReadSection(section)) {
    if (KindReadsKey(kind, key, edition)) continue;
    bool known = false;
    for (std::string_view k : AllItemKeys()) known = known || SameName(k, key);
    if (!known) {
      CheckUnknownKey(section, key, AllItemKeys(), out);
    } else if (!(key.size() == 9 && SameName(key.substr(0, 8), "Describe"))) {
      out.Note(section, key, std::string(kind.count_key) + " items do not read this key");
    }
  }
  if (kind.demos != nullptr) {
    const catalog::DemosKind& d = *kind.demos;
    if (d.install_type) CheckNumber(ini, section, "InstallType", std::to_string(*d.install_type), out);
    if (d.dir_detect) CheckNumber(ini, section, "DirDetect", std::to_string(*d.dir_detect), out);
    if (d.flags) CheckNumber(ini, section, "Flags", std::to_string(*d.flags), out);
    if (d.cd) CheckNumber(ini, section, "CD", std::to_string(*d.cd), out);
  } else if (kind.type == RecordType::kMovie) {
    CheckNumber(ini, section, "InstallType", "0", out);
  }
}

void CheckDate(std::string_view section, const std::string& date, int edition,
               const strings::Messages& messages, Findings& out) {
  const menu::DateText text = menu::CreateDate(date, edition, messages);
  if (!text.ok()) {
    out.Error(section, "Date",
              "\"" + date + "\" is no date the panel can read (" + text.error +
                  "); the panel stops before the description");
  }
}

void CheckUpdates(platform::IniFile& ini, Findings& out) {
  const std::int32_t count = std::min(ini.ReadInteger(kMain, "Updates", 0), catalog::kUpdateCapacity);
  for (std::int32_t n = 1; n <= count; ++n) {
    const std::string key = Numbered("Update", n);
    std::string problem;
    catalog::ParseUpdate(ini.ReadString(kUpdatesKey, key, ""), &problem);
    if (!problem.empty()) out.Error(kUpdatesKey, key, problem);
  }
  for (const std::string& key : ini.ReadSection(kUpdatesKey)) {
    const std::string upper = Upper(key);
    std::int32_t n = 0;
    if (upper.starts_with("UPDATE") && upper.size() > 6) n = std::atoi(upper.c_str() + 6);
    if (n <= 0) {
      out.Note(kUpdatesKey, key, "not an Update<n> line");
    } else if (n > count) {
      out.Warning(kUpdatesKey, key, "not shown: [Main] Updates=" + std::to_string(count));
    }
  }
  CheckDuplicateKeys(ini, kUpdatesKey, out);
}

}  // namespace

bool IsBadNumber(platform::IniFile& ini, std::string_view section, std::string_view key) {
  if (!ini.ValueExists(section, key) || ini.ReadString(section, key, "").empty()) return false;
  // The reading gives its default for anything but a number: two defaults tell it apart from a value.
  return ini.ReadInteger(section, key, INT_MIN) == INT_MIN &&
         ini.ReadInteger(section, key, INT_MAX) == INT_MAX;
}

void CheckStructure(platform::IniFile& ini, const catalog::Catalog& catalog, Findings& out) {
  CheckDuplicateSections(ini, out);
  CheckMain(ini, catalog, out);
  CheckCounts(ini, out);
  CheckUpdates(ini, out);
  strings::Messages messages;
  messages.SetEdition(catalog.Edition, nullptr);
  for (const KindInfo& kind : SectionKinds()) {
    const std::int32_t count = std::min(ini.ReadInteger(kMain, kind.count_key, 0), kind.capacity);
    const bool reads_date = kind.demos != nullptr ? kind.demos->date : true;  // shots and films show a date
    for (std::int32_t n = 1; n <= count; ++n) {
      const std::string section = Numbered(kind.section_prefix, n);
      if (!ini.SectionExists(section)) continue;
      CheckItemKeys(ini, section, kind, catalog.Edition, out);
      if (reads_date) CheckDate(section, ini.ReadString(section, "Date", ""), catalog.Edition, messages, out);
    }
  }
}

}  // namespace norva::check
