#include "samples/sample_disc.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cctype>
#include <regex>

#include "headless/scenario.h"

namespace norva::test {

namespace fs = std::filesystem;

namespace {

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The volumes of a set in order, from its first one; a plain archive is its own set.
std::vector<fs::path> Volumes(const fs::path& first) {
  static const std::regex part(R"((.*)\.part(0*)1\.rar)", std::regex::icase);
  std::smatch match;
  const std::string name = first.filename().string();
  if (!std::regex_match(name, match, part)) return {first};
  std::vector<fs::path> volumes;
  const std::size_t width = match[2].length() + 1;
  for (int n = 1;; ++n) {
    std::string digits = std::to_string(n);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    const fs::path volume = first.parent_path() / (match[1].str() + ".part" + digits + ".rar");
    if (!fs::exists(volume)) break;
    volumes.push_back(volume);
  }
  return volumes;
}

}  // namespace

fs::path SampleDisc() {
  return NORVA_SAMPLE_DISC;
}

nlohmann::ordered_json LoadSampleDisc(const fs::path& machine) {
  Scenario s{machine / "prefix", SampleDisc()};
  s.script = "dump\n";
  const ScenarioResult r = s.Run();
  if (r.exit_code != 0 || r.dumps.empty()) return {};
  return r.dumps.front();
}

std::optional<fs::path> FindOnDisc(const std::string& menu_path) {
  std::string rest = menu_path;
  if (rest.size() >= 2 && rest[1] == ':') rest.erase(0, 2);
  fs::path found = SampleDisc();
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find('\\', start), rest.size());
    const std::string part = rest.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    std::optional<fs::path> next;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(found, ec)) {
      if (SameText(entry.path().filename().string(), part)) next = entry.path();
    }
    if (!next) return std::nullopt;
    found = *next;
  }
  return found;
}

ArchiveListing ListArchive(const fs::path& first) {
  ArchiveListing listing;
  const std::vector<fs::path> volumes = Volumes(first);
  listing.volumes = volumes.size();
  std::vector<std::string> names;
  for (const auto& v : volumes) names.push_back(v.string());
  std::vector<const char*> c_names;
  for (const auto& n : names) c_names.push_back(n.c_str());
  c_names.push_back(nullptr);

  archive* a = archive_read_new();
  archive_read_support_format_rar(a);
  if (archive_read_open_filenames(a, c_names.data(), 10240) != ARCHIVE_OK) {
    listing.error = archive_error_string(a) ? archive_error_string(a) : "cannot open";
    archive_read_free(a);
    return listing;
  }
  archive_entry* entry = nullptr;
  int r = ARCHIVE_OK;
  while ((r = archive_read_next_header(a, &entry)) == ARCHIVE_OK) {
    ++listing.entries;
    if (archive_entry_filetype(entry) == AE_IFDIR) continue;
    listing.files.push_back(archive_entry_pathname(entry) ? archive_entry_pathname(entry) : "");
    // Count what unpacking really writes, not what the header claims.
    char buffer[8192];
    la_ssize_t n = 0;
    while ((n = archive_read_data(a, buffer, sizeof buffer)) > 0)
      listing.bytes += static_cast<std::uint64_t>(n);
    if (n < 0) {
      listing.error = archive_error_string(a) ? archive_error_string(a) : "read error";
      break;
    }
  }
  if (r != ARCHIVE_EOF && listing.error.empty())
    listing.error = archive_error_string(a) ? archive_error_string(a) : "bad header";
  archive_read_free(a);
  return listing;
}

}  // namespace norva::test
