#include "check/catalog_keys.h"

#include <algorithm>
#include <charconv>

namespace norva::check {

using catalog::TextRule;

const std::vector<KindInfo>& SectionKinds() {
  static const std::vector<KindInfo> kinds = {
      {"Demos", "Demo", catalog::kDemoCapacity, RecordType::kDemos, &catalog::kDemoKind},
      {"Shareware", "Share", catalog::kShareCapacity, RecordType::kDemos, &catalog::kShareKind},
      {"Shots", "Shot", catalog::kShotCapacity, RecordType::kShot, nullptr},
      {"Movies", "Movie", catalog::kMovieCapacity, RecordType::kMovie, nullptr},
      {"Readers", "Reader", catalog::kReaderCapacity, RecordType::kDemos, &catalog::kReaderKind},
      {"Fulls", "Full", catalog::kFullCapacity, RecordType::kDemos, &catalog::kFullKind},
      {"Drivers", "Driver", catalog::kDriverCapacity, RecordType::kDemos, &catalog::kDriverKind},
      {"Extra2", "Extra2", catalog::kExtra2Capacity, RecordType::kDemos, &catalog::kExtra2Kind},
      {"Extra", "Extra", catalog::kExtraCapacity, RecordType::kDemos, &catalog::kExtraKind},
  };
  return kinds;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

std::optional<SectionOf> ClassifySection(std::string_view section) {
  // Extra2 comes before Extra in the table, so that "Extra21" is an Extra2 item.
  for (const KindInfo& kind : SectionKinds()) {
    if (section.size() <= kind.section_prefix.size() ||
        !SameName(section.substr(0, kind.section_prefix.size()), kind.section_prefix)) {
      continue;
    }
    const std::string_view digits = section.substr(kind.section_prefix.size());
    std::int32_t number = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (ec != std::errc() || end != digits.data() + digits.size() || digits.front() == '0') continue;
    return SectionOf{&kind, number};
  }
  return std::nullopt;
}

namespace {

const std::vector<std::string_view> kShotKeys = {"FullName",  "Name", "Firm",   "Date",
                                                 "Describe0", "Web",  "Picture"};
const std::vector<std::string_view> kMovieKeys = {"Name",        "Firm",        "TechInfo", "FullName",
                                                  "Describe0",   "InstallDir",  "Date",     "GameName",
                                                  "InstallName", "InstallType", "Picture"};

bool IsDescribeKey(std::string_view key, int* edition) {
  if (key.size() != 9 || !SameName(key.substr(0, 8), "Describe") || key[8] < '0' || key[8] > '6')
    return false;
  *edition = key[8] - '0';
  return true;
}

bool ReadsParamKey(catalog::ParamSet set, std::string_view key) {
  using catalog::ParamSet;
  if (set == ParamSet::kNone) return false;
  for (std::string_view detect : {"ShortCut", "IniFile", "DesktopShortCut", "SearchFile", "ForcedDir"}) {
    if (SameName(key, detect)) return true;
  }
  if (set == ParamSet::kDemo) {
    return SameName(key, "TestName") || SameName(key, "AfterInstall") || SameName(key, "UnpackedSize");
  }
  if (set == ParamSet::kFull) return SameName(key, "TestName") || SameName(key, "FilesInArchive");
  return false;
}

bool DemosReads(const catalog::DemosKind& k, std::string_view key, int edition) {
  int describe = 0;
  if (IsDescribeKey(key, &describe)) {
    if (describe == 0) return k.describe0 != TextRule::kSkip;
    // Descriptions of the other editions are kept in every catalog; only the edition's is read.
    return k.describe1_only ? describe == 1 : describe == edition;
  }
  const std::pair<std::string_view, bool> keys[] = {
      {"Name", true},
      {"FullName", k.full_name != TextRule::kSkip},
      {"Firm", k.firm != TextRule::kSkip},
      {"TechInfo", k.tech_info != TextRule::kSkip},
      {"UnInstallName", k.uninstall_name},
      {"GameName", k.game_name != TextRule::kSkip},
      {"Date", k.date},
      {"RegUninstall", k.reg_uninstall},
      {"RegKey", k.reg_key_name},
      {"RegName", k.reg_key_name},
      {"Uninstall", k.uninstall},
      {"Picture", true},
      {"InstallDir", true},
      {"InstallName", true},
      {"SetupName", k.setup_name},
      {"ReadmeName", true},
      {"InstallType", k.install_type.has_value()},
      {"DirDetect", k.dir_detect.has_value()},
      {"Flags", k.flags.has_value()},
      {"Web", k.web},
      {"CD", k.cd.has_value()},
  };
  for (const auto& [name, read] : keys) {
    if (SameName(key, name)) return read;
  }
  return ReadsParamKey(k.param, key);
}

}  // namespace

bool KindReadsKey(const KindInfo& kind, std::string_view key, int edition) {
  if (kind.demos != nullptr) return DemosReads(*kind.demos, key, edition);
  int describe = 0;
  if (IsDescribeKey(key, &describe)) return describe == 0 || describe == edition;
  const auto& keys = kind.type == RecordType::kShot ? kShotKeys : kMovieKeys;
  return std::any_of(keys.begin(), keys.end(), [&](std::string_view k) { return SameName(k, key); });
}

const std::vector<std::string_view>& AllItemKeys() {
  static const std::vector<std::string_view> keys = {
      "Name",           "FullName",     "Firm",         "Describe0",
      "Describe1",      "Describe2",    "Describe3",    "Describe4",
      "Describe5",      "Describe6",    "TechInfo",     "UnInstallName",
      "GameName",       "Date",         "RegUninstall", "RegKey",
      "RegName",        "Uninstall",    "Picture",      "InstallDir",
      "InstallName",    "SetupName",    "ReadmeName",   "InstallType",
      "DirDetect",      "Flags",        "Web",          "CD",
      "TestName",       "AfterInstall", "UnpackedSize", "ForcedDir",
      "FilesInArchive", "ShortCut",     "IniFile",      "DesktopShortCut",
      "SearchFile"};
  return keys;
}

const std::vector<std::string_view>& MainKeys() {
  static const std::vector<std::string_view> keys = {"Demos",   "Shareware", "Updates", "Shots", "Movies",
                                                     "Readers", "Fulls",     "Drivers", "Extra", "Extra2",
                                                     "DVD",     "CD",        "CDLabel", "Debug", "Version"};
  return keys;
}

namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Letters added, dropped, changed or two neighbours swapped (optimal string alignment), case ignored.
int Distance(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  const std::size_t m = b.size();
  std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
  for (std::size_t i = 0; i <= n; ++i) d[i][0] = static_cast<int>(i);
  for (std::size_t j = 0; j <= m; ++j) d[0][j] = static_cast<int>(j);
  for (std::size_t i = 1; i <= n; ++i) {
    for (std::size_t j = 1; j <= m; ++j) {
      const int cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) && Lower(a[i - 2]) == Lower(b[j - 1])) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[n][m];
}

}  // namespace

std::optional<std::string_view> NearestKey(std::string_view key, const std::vector<std::string_view>& known) {
  // Short names are too close to everything: "CD" is two letters from any two-letter word.
  const int allowed = key.size() < 4 ? 0 : key.size() < 7 ? 1 : 2;
  std::optional<std::string_view> best;
  int best_distance = allowed + 1;
  for (std::string_view candidate : known) {
    const int distance = Distance(key, candidate);
    if (distance > 0 && distance < best_distance) {
      best = candidate;
      best_distance = distance;
    }
  }
  return best;
}

}  // namespace norva::check
