#include "rar4_writer.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace norva::tools {
namespace {

bool CheckName(const std::string& name, std::string* error) {
  const char* problem = nullptr;
  if (name.empty())
    problem = "empty name";
  else if (name.size() > 0xFFFF - kFileHeaderFixedSize - 8)
    problem = "name too long";  // HEAD_SIZE is 16 bits
  else if (name.find('/') != std::string::npos)
    problem = "name uses '/' instead of '\\'";
  else if (name.front() == '\\' || name.back() == '\\' || name.find("\\\\") != std::string::npos)
    problem = "name has an empty folder part";
  else if (name.find('\0') != std::string::npos)
    problem = "name contains a NUL byte";
  if (problem && error) *error = std::string(problem) + ": \"" + name + "\"";
  return problem == nullptr;
}

// A run of one entry's data placed in one volume (the whole entry when it is not split).
}  // namespace

// A run of one entry's bytes placed in one volume (the whole entry when it is not split).
struct Rar4Writer::Piece {
  std::size_t entry = 0;
  std::size_t offset = 0;
  std::size_t length = 0;
};

void Rar4Writer::AddFolder(std::string name, std::uint32_t dos_time, std::uint32_t attributes) {
  entries_.push_back({std::move(name), true, {}, dos_time, attributes | kAttrDirectory});
}

void Rar4Writer::AddFile(std::string name, std::string bytes, std::uint32_t dos_time,
                         std::uint32_t attributes) {
  entries_.push_back({std::move(name), false, std::move(bytes), dos_time, attributes & ~kAttrDirectory});
}

std::optional<std::vector<std::string>> Rar4Writer::Build(std::string* error) const {
  for (const Entry& e : entries_)
    if (!CheckName(e.name, error)) return std::nullopt;

  auto header_for = [](const Entry& e) {
    return FileHeaderInfo{.name = e.name,
                          .folder = e.folder,
                          .packed_size = e.bytes.size(),
                          .unpacked_size = e.bytes.size(),
                          .file_crc = Crc32(e.bytes),
                          .dos_time = e.dos_time,
                          .attributes = e.attributes};
  };

  if (volume_size_ == 0) {
    std::string archive = MarkerBlock() + ArchiveHeader({});
    for (const Entry& e : entries_) {
      archive += FileHeader(header_for(e));
      archive += e.bytes;
    }
    archive += EndBlock();
    return std::vector<std::string>{std::move(archive)};
  }

  auto plan = PlanVolumes(error);
  if (!plan) return std::nullopt;
  std::vector<std::string> volumes;
  for (std::size_t v = 0; v < plan->size(); ++v) {
    std::string bytes = MarkerBlock() + ArchiveHeader({.volume = true, .first_volume = v == 0});
    for (const Piece& p : (*plan)[v]) {
      const Entry& e = entries_[p.entry];
      const std::string_view piece = std::string_view(e.bytes).substr(p.offset, p.length);
      FileHeaderInfo info = header_for(e);
      const bool last = p.offset + p.length == e.bytes.size();
      info.packed_size = piece.size();
      if (!last) info.file_crc = Crc32(piece);  // the last piece carries the whole file's CRC
      info.split_before = p.offset > 0;
      info.split_after = !last;
      bytes += FileHeader(info);
      bytes += piece;
    }
    bytes += VolumeEndBlock(Crc32(bytes), static_cast<std::uint16_t>(v), v + 1 < plan->size());
    volumes.push_back(std::move(bytes));
  }
  return volumes;
}

std::optional<std::vector<Rar4Writer::Volume>> Rar4Writer::PlanVolumes(std::string* error) const {
  const std::uint64_t fixed = kArchiveStartSize + kVolumeEndBlockSize;
  auto block_size = [&](const Piece& p) {
    return FileHeaderSize(entries_[p.entry].name, entries_[p.entry].bytes.size()) + p.length;
  };
  std::vector<Volume> volumes(1);
  std::uint64_t used = fixed;
  // libarchive only follows a set into the next volume from inside a split file, so a volume is closed by
  // moving the tail of its latest file with two or more bytes (and everything after it) onward: as little as
  // lets `need` more bytes fit there too, else all but one byte so that the next volume can be cut again.
  auto close_inside_a_file = [&](std::uint64_t need) {
    Volume& current = volumes.back();
    Volume next;
    std::size_t k = current.size();
    while (k > 0 && current[k - 1].length < 2) --k;
    if (k == 0) return false;
    {
      Piece& cut = current[k - 1];
      std::uint64_t rest = fixed + need;
      for (std::size_t j = k; j < current.size(); ++j) rest += block_size(current[j]);
      const std::uint64_t with_one_byte = rest + block_size({cut.entry, 0, 1});
      std::size_t moved = cut.length - 1;
      if (with_one_byte <= volume_size_) moved = 1;
      cut.length -= moved;
      next.push_back({cut.entry, cut.offset + cut.length, moved});
      next.insert(next.end(), current.begin() + static_cast<std::ptrdiff_t>(k), current.end());
      current.resize(k);
    }
    volumes.push_back(std::move(next));
    used = fixed;
    for (const Piece& p : volumes.back()) used += block_size(p);
    return true;
  };
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    const std::uint64_t header = FileHeaderSize(e.name, e.bytes.size());
    std::size_t offset = 0;
    for (;;) {
      // A piece carries at least one byte so that every volume moves the file forward.
      const std::uint64_t need = header + (e.bytes.empty() ? 0 : 1);
      if (used + need > volume_size_) {
        if (volumes.back().empty()) {
          if (error)
            *error =
                "volume size " + std::to_string(volume_size_) + " cannot hold the entry \"" + e.name + "\"";
          return std::nullopt;
        }
        // A boundary between entries is valid RAR, but libarchive would stop reading there.
        if (!close_inside_a_file(need)) {
          if (error)
            *error = "volume size " + std::to_string(volume_size_) +
                     " is too small to end a volume inside a file before \"" + e.name + "\"";
          return std::nullopt;
        }
        continue;
      }
      const std::size_t take = static_cast<std::size_t>(
          std::min<std::uint64_t>(volume_size_ - used - header, e.bytes.size() - offset));
      volumes.back().push_back({i, offset, take});
      used += header + take;
      offset += take;
      if (offset == e.bytes.size()) break;
      volumes.emplace_back();
      used = fixed;
    }
  }
  return volumes;
}

std::filesystem::path VolumePath(const std::filesystem::path& out, std::size_t index, std::size_t count) {
  std::string stem = out.filename().string();
  std::string ext = out.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".rar") stem.resize(stem.size() - ext.size());
  std::string number = std::to_string(index + 1);
  const std::size_t width = std::to_string(count).size();
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return out.parent_path() / (stem + ".part" + number + ".rar");
}

std::optional<std::vector<std::filesystem::path>> Rar4Writer::Write(const std::filesystem::path& out,
                                                                    std::string* error) const {
  auto volumes = Build(error);
  if (!volumes) return std::nullopt;
  std::vector<std::filesystem::path> written;
  for (std::size_t i = 0; i < volumes->size(); ++i) {
    const std::filesystem::path path = volume_size_ == 0 ? out : VolumePath(out, i, volumes->size());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write((*volumes)[i].data(), static_cast<std::streamsize>((*volumes)[i].size()));
    file.close();
    if (!file) {
      // A partial set would look like a damaged archive later; leave nothing behind.
      std::error_code ignored;
      std::filesystem::remove(path, ignored);
      for (const auto& p : written) std::filesystem::remove(p, ignored);
      if (error) *error = "cannot write " + path.string();
      return std::nullopt;
    }
    written.push_back(path);
  }
  return written;
}

}  // namespace norva::tools
