// CUE sheets: FILE, TRACK and INDEX lines. The first track holds the file system; its INDEX 01 is where
// sector 0 starts in its file.
#include <cctype>
#include <sstream>
#include <vector>

#include "platform/image/image_files.h"
#include "platform/image/image_formats.h"

namespace norva::platform::image {
namespace fs = std::filesystem;
namespace {

struct CueTrack {
  fs::path file;
  std::string file_name;  // as the sheet names it
  std::string mode;       // upper case: AUDIO, MODE1/2352, ...
  long index0 = -1;       // frames from the start of the file
  long index1 = -1;
};

// The words of a line; a quoted word may hold blanks.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i >= line.size()) break;
    std::string word;
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      word = line.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
      i = close == std::string::npos ? line.size() : close + 1;
    } else {
      while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) word += line[i++];
    }
    words.push_back(word);
  }
  return words;
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// mm:ss:ff as frames; -1 when malformed.
long Frames(const std::string& time) {
  int minutes = 0, seconds = 0, frames = 0;
  char colon1 = 0, colon2 = 0;
  std::istringstream in(time);
  if (!(in >> minutes >> colon1 >> seconds >> colon2 >> frames) || colon1 != ':' || colon2 != ':' ||
      seconds >= 60 || frames >= 75 || minutes < 0)
    return -1;
  return (static_cast<long>(minutes) * 60 + seconds) * 75 + frames;
}

// Stored sector size and user data offset of a data track mode; false for modes that hold no file system.
bool ModeLayout(const std::string& mode, std::uint32_t& stored, std::uint32_t& offset) {
  if (mode == "MODE1/2048" || mode == "MODE2/2048") {
    stored = 2048, offset = 0;
  } else if (mode == "MODE1/2352") {
    stored = 2352, offset = 16;
  } else if (mode == "MODE2/2352" || mode == "CDI/2352") {
    stored = 2352, offset = 24;
  } else if (mode == "MODE2/2336" || mode == "CDI/2336") {
    stored = 2336, offset = 8;
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::optional<TrackLayout> ReadCueSheet(const fs::path& cue, std::string* error) {
  const auto text = ReadSmallFile(cue, 1 << 20);
  if (!text) {
    *error = "cannot read the cue sheet " + cue.string();
    return std::nullopt;
  }
  const fs::path folder = cue.parent_path().empty() ? fs::path(".") : cue.parent_path();
  std::vector<CueTrack> tracks;
  fs::path file;
  std::string file_name;
  std::istringstream lines(*text);
  std::string line;
  while (std::getline(lines, line)) {
    const auto words = Words(line);
    if (words.empty()) continue;
    const std::string keyword = Upper(words[0]);
    if (keyword == "FILE" && words.size() >= 2) {
      file_name = words[1];
      file = FindSibling(folder, file_name);
      // A sheet written on another machine may name the file with that machine's folder.
      if (file.empty()) file = FindSibling(folder, fs::path(file_name).filename().string());
      if (file.empty() && file_name.find('\\') != std::string::npos)
        file = FindSibling(folder, file_name.substr(file_name.rfind('\\') + 1));
    } else if (keyword == "TRACK" && words.size() >= 3) {
      if (file_name.empty()) break;
      tracks.push_back({file, file_name, Upper(words[2])});
    } else if (keyword == "INDEX" && words.size() >= 3 && !tracks.empty()) {
      const long frames = Frames(words[2]);
      if (words[1] == "00" || words[1] == "0") tracks.back().index0 = frames;
      if (words[1] == "01" || words[1] == "1") tracks.back().index1 = frames;
    }
  }
  if (tracks.empty()) {
    *error = "damaged image: " + cue.string() + " is no cue sheet (it names no data file and track)";
    return std::nullopt;
  }
  const CueTrack& first = tracks.front();
  if (first.mode == "AUDIO") {
    *error = "the first track of " + cue.string() + " is an audio track";
    return std::nullopt;
  }
  TrackLayout layout;
  if (!ModeLayout(first.mode, layout.stored_size, layout.data_offset)) {
    *error = "damaged image: " + cue.string() + " gives the first track the unknown mode " + first.mode;
    return std::nullopt;
  }
  if (first.index1 < 0) {
    *error = "damaged image: the first track of " + cue.string() + " has no valid INDEX 01";
    return std::nullopt;
  }
  if (first.file.empty()) {
    *error = "the data file " + first.file_name + " named by " + cue.string() + " is missing";
    return std::nullopt;
  }
  layout.file = first.file;
  layout.first_byte = static_cast<std::uint64_t>(first.index1) * layout.stored_size;
  if (tracks.size() > 1 && tracks[1].file_name == first.file_name) {
    const long next = tracks[1].index0 >= 0 ? tracks[1].index0 : tracks[1].index1;
    if (next > first.index1) layout.sector_count = static_cast<std::uint64_t>(next - first.index1);
  }
  return layout;
}

}  // namespace norva::platform::image
