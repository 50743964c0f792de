// CloneCD descriptors (.ccd): an INI text whose [Entry n] sections are the disc's TOC entries (Point 1..99 a
// track, 0xA2 the lead-out, PLBA its start) and whose [TRACK n] sections give each track's MODE and INDEX 1.
// The .img beside it holds raw 2352-byte sectors of every track from address 0.
#include <cctype>
#include <map>
#include <sstream>

#include "platform/image/image_files.h"
#include "platform/image/image_formats.h"

namespace norva::platform::image {
namespace fs = std::filesystem;
namespace {

using Section = std::map<std::string, std::string>;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trim(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

std::map<std::string, Section> Sections(const std::string& text) {
  std::map<std::string, Section> sections;
  Section* current = nullptr;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    line = Trim(line);
    if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
      current = &sections[Lower(Trim(line.substr(1, line.size() - 2)))];
    } else if (const std::size_t equals = line.find('='); current && equals != std::string::npos) {
      current->emplace(Lower(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1)));
    }
  }
  return sections;
}

// A decimal or 0x-prefixed number; `fallback` when absent or malformed.
long Number(const Section& section, const std::string& key, long fallback) {
  const auto found = section.find(key);
  if (found == section.end() || found->second.empty()) return fallback;
  try {
    std::size_t used = 0;
    const long value = std::stol(found->second, &used, 0);
    return used == found->second.size() ? value : fallback;
  } catch (const std::exception&) {
    return fallback;
  }
}

}  // namespace

std::optional<TrackLayout> ReadCcdDescriptor(const fs::path& ccd, const fs::path& img, std::string* error) {
  const auto text = ReadSmallFile(ccd, 1 << 20);
  const std::string damaged = "damaged image: " + ccd.string() + ": ";
  const auto sections = text ? Sections(*text) : std::map<std::string, Section>();
  if (!sections.contains("clonecd")) {
    *error = damaged + "it is no CloneCD descriptor";
    return std::nullopt;
  }
  // Start addresses of the tracks of the first session and of its lead-out.
  std::map<long, long> starts;
  std::map<long, long> controls;
  long lead_out = -1;
  for (const auto& [name, section] : sections) {
    if (name.rfind("entry ", 0) != 0 || Number(section, "session", 1) != 1) continue;
    const long point = Number(section, "point", -1);
    if (point >= 1 && point <= 99) {
      starts[point] = Number(section, "plba", -1);
      controls[point] = Number(section, "control", 4);
    }
    if (point == 0xA2) lead_out = Number(section, "plba", -1);
  }
  const auto track1 = sections.find("track 1");
  if (starts.empty() && track1 == sections.end()) {
    *error = damaged + "it describes no track";
    return std::nullopt;
  }
  const long first = starts.empty() ? 1 : starts.begin()->first;
  const auto first_section = sections.find("track " + std::to_string(first));
  const long mode = first_section == sections.end() ? -1 : Number(first_section->second, "mode", -1);
  const bool audio_control = controls.contains(first) && (controls[first] & 0x04) == 0;
  if (mode == 0 || (mode < 0 && audio_control)) {
    *error = "the first track of " + ccd.string() + " is an audio track";
    return std::nullopt;
  }
  if (img.empty()) {
    *error = "the data file " + ccd.stem().string() + ".img named by " + ccd.string() + " is missing";
    return std::nullopt;
  }
  long start = starts.contains(first) ? starts[first] : -1;
  if (first_section != sections.end()) start = Number(first_section->second, "index 1", start);
  if (start < 0) {
    *error = damaged + "its first track has no start address";
    return std::nullopt;
  }
  TrackLayout layout;
  layout.file = img;
  layout.stored_size = 2352;
  layout.first_byte = static_cast<std::uint64_t>(start) * 2352;
  const auto after = starts.upper_bound(first);
  const long end = after != starts.end() ? after->second : lead_out;
  if (end > start) layout.sector_count = static_cast<std::uint64_t>(end - start);
  layout.data_offset = RawOffsetAt(layout, mode == 2 ? 24 : 16);
  return layout;
}

}  // namespace norva::platform::image
