#include "catalog/catalog_reader.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/record_reader.h"

namespace norva::catalog {

namespace {

constexpr std::string_view kMain = "Main";
constexpr std::int32_t kDefaultEdition = 1;
constexpr std::uint32_t kEditionLimit = 7;

std::string Numbered(std::string_view prefix, std::int32_t n) {
  std::string name(prefix);
  name += std::to_string(n);
  return name;
}

// How many entries of a kind are read: the catalog's count, cut to the array's capacity with a note.
std::int32_t Fit(std::int32_t count, std::int32_t capacity, std::string_view label,
                 std::vector<std::string>& notes) {
  if (count <= capacity) return count;
  notes.push_back(std::string(label) + ": " + std::to_string(count) + " in the catalog, only " +
                  std::to_string(capacity) + " read");
  return capacity;
}

template <typename T, std::size_t N>
constexpr std::int32_t CapacityOf(const std::array<T, N>&) {
  return static_cast<std::int32_t>(N - 1);
}

// Slots past the count hold empty records, also after a reload of a shorter catalog.
template <typename T, std::size_t N>
void ClearFrom(std::array<T, N>& slots, std::int32_t first) {
  for (std::size_t i = static_cast<std::size_t>(first); i < N; ++i) slots[i] = T{};
}

struct Counts {
  std::int32_t demos, share, updates, shots, movies, readers, fulls, drivers, extra, extra2;
};

class KindReader {
 public:
  KindReader(platform::IniFile& ini, const ReadContext& context, InstalledDetector* detector, Catalog& out)
      : ini_(ini), context_(context), detector_(detector), out_(out) {}

  template <std::size_t N>
  std::int32_t Demos(const DemosKind& kind, std::int32_t count, bool detect, std::array<TDemos, N>& slots) {
    const std::int32_t read = Fit(count, CapacityOf(slots), kind.label, out_.notes);
    for (std::int32_t n = 1; n <= read; ++n) {
      TDemos& item = slots[n];
      item = TDemos{};
      item.NotInstalled = kind.not_installed;
      const std::string section = Numbered(kind.section_prefix, n);
      ReadDemosCaptions(ini_, section, kind, item);
      ReadDemosDetails(ini_, section, kind, context_, item);
      Finish(item, detect);
    }
    ClearFrom(slots, read + 1);
    return read;
  }

  // Drivers marked "CZ" in their name belong to the Czech edition only; a dropped driver's slot goes to the
  // next one, so the kept drivers stay in file order without gaps. Sections are read until the array is full.
  std::int32_t Drivers(std::int32_t count, std::int32_t edition) {
    auto& slots = out_.Driver;
    const std::int32_t capacity = CapacityOf(slots);
    std::int32_t kept = 0;
    std::int32_t n = 1;
    for (; n <= count && kept < capacity; ++n) {
      TDemos& item = slots[kept + 1];
      item = TDemos{};
      item.NotInstalled = kDriverKind.not_installed;
      const std::string section = Numbered(kDriverKind.section_prefix, n);
      ReadDemosCaptions(ini_, section, kDriverKind, item);
      if (edition != 1 && item.Name.find("CZ") != std::string::npos) continue;
      ReadDemosDetails(ini_, section, kDriverKind, context_, item);
      Finish(item, false);
      ++kept;
    }
    if (n <= count) Fit(count, capacity, kDriverKind.label, out_.notes);
    ClearFrom(slots, kept + 1);
    return kept;
  }

  std::int32_t Updates(std::int32_t count) {
    auto& slots = out_.Update;
    const std::int32_t read = Fit(count, CapacityOf(slots), "Updates", out_.notes);
    for (std::int32_t n = 1; n <= read; ++n) {
      const std::string key = Numbered("Update", n);
      std::string problem;
      slots[n] = ParseUpdate(ini_.ReadString("Updates", key, ""), &problem);
      if (!problem.empty()) out_.notes.push_back("Updates: " + key + " " + problem);
    }
    ClearFrom(slots, read + 1);
    return read;
  }

  std::int32_t Shots(std::int32_t count) {
    auto& slots = out_.Shot;
    const std::int32_t read = Fit(count, CapacityOf(slots), "Shots", out_.notes);
    for (std::int32_t n = 1; n <= read; ++n) slots[n] = ReadShot(ini_, Numbered("Shot", n), context_);
    ClearFrom(slots, read + 1);
    return read;
  }

  std::int32_t Movies(std::int32_t count) {
    auto& slots = out_.Movie;
    const std::int32_t read = Fit(count, CapacityOf(slots), "Movies", out_.notes);
    for (std::int32_t n = 1; n <= read; ++n) slots[n] = ReadMovie(ini_, Numbered("Movie", n), context_);
    ClearFrom(slots, read + 1);
    return read;
  }

 private:
  // Detection may change the description too; the alternative description copies whatever it left.
  void Finish(TDemos& item, bool detect) {
    if (detect && detector_ != nullptr) detector_->CheckDemo(item);
    item.DescribeAlt = item.Describe;
  }

  platform::IniFile& ini_;
  const ReadContext& context_;
  InstalledDetector* detector_;
  Catalog& out_;
};

std::int32_t ReadCount(platform::IniFile& ini, std::string_view key) {
  return std::max(ini.ReadInteger(kMain, key, 0), std::int32_t{0});
}

}  // namespace

void ReadCatalog(platform::IniFile& ini, std::string_view disc_root, InstalledDetector* detector,
                 Catalog& out) {
  ReadCatalog(
      ini, disc_root, [detector](const Catalog&) { return detector; }, out);
}

void ReadCatalog(platform::IniFile& ini, std::string_view disc_root, const DetectorFor& detector_for,
                 Catalog& out) {
  out.notes.clear();

  Counts counts{};
  counts.demos = ReadCount(ini, "Demos");
  counts.share = ReadCount(ini, "Shareware");
  counts.updates = ReadCount(ini, "Updates");
  counts.shots = ReadCount(ini, "Shots");
  counts.movies = ReadCount(ini, "Movies");
  counts.readers = ReadCount(ini, "Readers");
  counts.fulls = ReadCount(ini, "Fulls");
  counts.drivers = ReadCount(ini, "Drivers");
  counts.extra = ReadCount(ini, "Extra");
  counts.extra2 = ReadCount(ini, "Extra2");

  out.IsDVD = ini.ReadInteger(kMain, "DVD", 0);
  out.IssueCode = ini.ReadString(kMain, "CD", "");
  out.DiscLabel = ini.ReadString(kMain, "CDLabel", "");
  out.DebugMode = ini.ReadBool(kMain, "Debug", false);
  // Negative versions wrap to huge unsigned values and so fall back like any other unknown edition.
  const std::int32_t version = ini.ReadInteger(kMain, "Version", kDefaultEdition);
  out.Edition = static_cast<std::uint32_t>(version) >= kEditionLimit ? kDefaultEdition : version;

  InstalledDetector* detector = detector_for ? detector_for(out) : nullptr;
  const ReadContext context{disc_root, "Describe" + std::to_string(out.Edition)};
  KindReader read(ini, context, detector, out);
  out.UpdateCount = read.Updates(counts.updates);
  out.ShareCount = read.Demos(kShareKind, counts.share, false, out.Share);
  out.DriverCount = read.Drivers(counts.drivers, out.Edition);
  out.ShotCount = read.Shots(counts.shots);
  out.ExtraCount = read.Demos(kExtraKind, counts.extra, false, out.Extra);
  out.MovieCount = read.Movies(counts.movies);
  out.ReaderCount = read.Demos(kReaderKind, counts.readers, true, out.Reader);
  out.DemoCount = read.Demos(kDemoKind, counts.demos, false, out.Demo);
  out.Extra2Count = read.Demos(kExtra2Kind, counts.extra2, false, out.Extra2);
  out.FullCount = read.Demos(kFullKind, counts.fulls, true, out.Full);
}

}  // namespace norva::catalog
