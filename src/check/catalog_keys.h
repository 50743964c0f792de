// The sections and keys of the catalog as the menu reads them: which section names belong to which content
// kind, and which keys each kind reads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalog.h"
#include "catalog/record_reader.h"

namespace norva::check {

enum class RecordType : std::uint8_t { kDemos, kShot, kMovie };

struct KindInfo {
  std::string_view count_key;       // key of [Main], e.g. "Demos"
  std::string_view section_prefix;  // "Demo" for [Demo1]
  std::int32_t capacity;
  RecordType type;
  const catalog::DemosKind* demos;  // TDemos kinds: what the reader takes from their sections
};

// Every kind whose items have sections of their own (Updates are lines of [Updates]).
const std::vector<KindInfo>& SectionKinds();

inline constexpr std::string_view kUpdatesKey = "Updates";

// The kind and item number of a section name ("Demo3" gives Demos, 3); [Extra21] is the first Extra2 item,
// not the 21st Extra one, which the capacity rules out.
struct SectionOf {
  const KindInfo* kind = nullptr;
  std::int32_t number = 0;
};
std::optional<SectionOf> ClassifySection(std::string_view section);

// Whether `kind` reads key `key` (letter case ignored) with the given edition; Param keys count.
bool KindReadsKey(const KindInfo& kind, std::string_view key, int edition);
// Every key name that some kind reads, spelled as the menu spells them.
const std::vector<std::string_view>& AllItemKeys();
const std::vector<std::string_view>& MainKeys();

// The known key nearest to `key` when it is a likely misspelling of it (at most two letters added, dropped,
// changed or swapped, letter case ignored); nothing otherwise.
std::optional<std::string_view> NearestKey(std::string_view key, const std::vector<std::string_view>& known);

bool SameName(std::string_view a, std::string_view b);

}  // namespace norva::check
