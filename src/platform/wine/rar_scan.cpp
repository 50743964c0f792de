#include "platform/wine/rar_scan.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

// How far into a self-extracting archive the signature is looked for.
constexpr std::size_t kSignatureSearch = 1 << 20;
// RAR 5 limits a header to 2 MB; RAR 4 headers are at most 64 KB by their size field.
constexpr std::uint64_t kMaxHeader = 2 << 20;
// A set has at most this many volumes (the old naming scheme runs out long before).
constexpr int kMaxVolumes = 1000;

constexpr char kRar4Signature[] = {'R', 'a', 'r', '!', '\x1A', '\x07', '\x00'};
constexpr char kRar5Signature[] = {'R', 'a', 'r', '!', '\x1A', '\x07', '\x01', '\x00'};

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerText(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Bytes of an open file, read on demand.
class FileBytes {
 public:
  explicit FileBytes(const fs::path& path) : in_(path, std::ios::binary) {
    if (in_) {
      in_.seekg(0, std::ios::end);
      size_ = static_cast<std::uint64_t>(std::max<std::streamoff>(in_.tellg(), 0));
    }
  }
  bool ok() const { return static_cast<bool>(in_); }
  std::uint64_t size() const { return size_; }
  // `count` bytes at `offset`; false when the file is shorter.
  bool Read(std::uint64_t offset, std::size_t count, std::string& out) {
    if (offset > size_ || count > size_ - offset) return false;
    out.resize(count);
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(out.data(), static_cast<std::streamsize>(count));
    return static_cast<std::size_t>(in_.gcount()) == count;
  }

 private:
  std::ifstream in_;
  std::uint64_t size_ = 0;
};

// Little-endian fields and RAR 5 variable-length integers from a header's bytes.
class Fields {
 public:
  explicit Fields(std::string_view bytes, std::size_t at = 0) : bytes_(bytes), at_(at) {}
  bool ok() const { return ok_; }
  std::size_t at() const { return at_; }
  std::uint64_t Fixed(int count) {
    if (!ok_ || bytes_.size() - at_ < static_cast<std::size_t>(count)) {
      ok_ = false;
      return 0;
    }
    std::uint64_t value = 0;
    // A run longer than eight bytes is only skipped: its further bytes would shift past the value's width.
    for (int i = 0; i < count && i < 8; ++i)
      value |= std::uint64_t(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    at_ += static_cast<std::size_t>(count);
    return value;
  }
  std::uint64_t Vint() {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 70; shift += 7) {
      if (!ok_ || at_ >= bytes_.size()) break;
      const auto byte = static_cast<unsigned char>(bytes_[at_++]);
      value |= std::uint64_t(byte & 0x7F) << shift;
      if ((byte & 0x80) == 0) return value;
    }
    ok_ = false;
    return 0;
  }

 private:
  std::string_view bytes_;
  std::size_t at_;
  bool ok_ = true;
};

enum class Format { kNone, kRar4, kRar5 };

struct Start {
  Format format = Format::kNone;
  std::uint64_t offset = 0;  // first byte after the signature
};

Start FindSignature(FileBytes& file) {
  std::string head;
  const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), kSignatureSearch));
  if (!file.Read(0, count, head)) return {};
  for (std::size_t at = head.find("Rar!\x1A\x07"); at != std::string::npos;
       at = head.find("Rar!\x1A\x07", at + 1)) {
    const std::string_view rest(head.data() + at, head.size() - at);
    if (rest.size() >= sizeof kRar5Signature &&
        std::memcmp(rest.data(), kRar5Signature, sizeof kRar5Signature) == 0)
      return {Format::kRar5, at + sizeof kRar5Signature};
    if (rest.size() >= sizeof kRar4Signature &&
        std::memcmp(rest.data(), kRar4Signature, sizeof kRar4Signature) == 0)
      return {Format::kRar4, at + sizeof kRar4Signature};
  }
  return {};
}

// What one volume's walk found.
struct VolumeWalk {
  bool walked = false;
  bool is_volume = false;
  bool more_follow = false;
};

// Adds the piece of an entry to the scan: a piece that continues an entry of the previous volume belongs
// to the last entry; the piece that is not continued carries the CRC of the whole data.
void AddPiece(RarScan& scan, const RarScanEntry& piece, bool continued_from, bool continues,
              std::uint32_t crc, bool has_crc) {
  if (!continued_from || scan.entries.empty()) scan.entries.push_back(piece);
  RarScanEntry& entry = scan.entries.back();
  if (!continues && has_crc) entry.crc = crc;
}

VolumeWalk WalkRar4(FileBytes& file, std::uint64_t pos, RarScan& scan) {
  VolumeWalk walk;
  bool last_split_after = false;
  std::string bytes;
  while (true) {
    if (!file.Read(pos, 7, bytes)) {
      // No end block: the data simply ends (old archives); a split entry at the end means more follow.
      walk.walked = pos == file.size();
      scan.truncated = scan.truncated || !walk.walked;
      walk.more_follow = last_split_after;
      return walk;
    }
    Fields head(bytes, 2);
    const auto type = head.Fixed(1);
    const auto flags = head.Fixed(2);
    const auto size = head.Fixed(2);
    if (size < 7) return walk;
    if (!file.Read(pos, static_cast<std::size_t>(size), bytes)) {
      scan.truncated = true;
      return walk;
    }
    std::uint64_t data = 0;
    Fields fields(bytes, 7);
    if (type == 0x74 || type == 0x7A) {
      data = fields.Fixed(4);
      const auto unpacked = fields.Fixed(4);
      fields.Fixed(1);  // host system
      const auto crc = static_cast<std::uint32_t>(fields.Fixed(4));
      fields.Fixed(4 + 1 + 1 + 2 + 4);  // time, version, method, name size, attributes
      std::uint64_t high_unpacked = 0;
      if ((flags & 0x100) != 0) {
        data |= fields.Fixed(4) << 32;
        high_unpacked = fields.Fixed(4);
      }
      if (!fields.ok()) return walk;
      if (type == 0x74) {
        RarScanEntry piece;
        piece.unpacked_size = unpacked | (high_unpacked << 32);
        piece.directory = (flags & 0xE0) == 0xE0;
        piece.encrypted = (flags & 0x04) != 0;
        last_split_after = (flags & 0x02) != 0;
        AddPiece(scan, piece, (flags & 0x01) != 0, last_split_after, crc, true);
      }
    } else if ((flags & 0x8000) != 0) {
      data = fields.Fixed(4);
    }
    if (type == 0x73) {
      walk.is_volume = (flags & 0x0001) != 0;
      if ((flags & 0x0080) != 0) {
        scan.headers_encrypted = true;
        return walk;
      }
    }
    if (type == 0x7B) {
      walk.walked = true;
      walk.more_follow = (flags & 0x0001) != 0;
      return walk;
    }
    if (pos + size + data > file.size()) {
      scan.truncated = true;
      return walk;
    }
    pos += size + data;
  }
}

// Whether a RAR 5 extra area holds a file encryption record (type 1).
bool HasEncryptionRecord(std::string_view area) {
  Fields f(area);
  while (f.ok() && f.at() < area.size()) {
    const auto size = f.Vint();
    const std::size_t start = f.at();
    if (f.Vint() == 0x01 && f.ok()) return true;
    if (!f.ok() || size > area.size() - start) return false;
    f = Fields(area, start + static_cast<std::size_t>(size));
  }
  return false;
}

VolumeWalk WalkRar5(FileBytes& file, std::uint64_t pos, RarScan& scan) {
  VolumeWalk walk;
  std::string bytes;
  while (true) {
    // CRC32 (4 bytes), then the header size as a variable-length integer of at most 3 bytes.
    if (!file.Read(pos, std::min<std::uint64_t>(7, file.size() - std::min(file.size(), pos)), bytes) ||
        bytes.size() < 5) {
      // Every RAR 5 volume ends with an end header: running out of bytes before it means a cut file.
      scan.truncated = true;
      return walk;
    }
    Fields prefix(bytes, 4);
    const auto header_size = prefix.Vint();
    if (!prefix.ok() || header_size == 0 || header_size > kMaxHeader) return walk;
    const std::uint64_t header_at = pos + prefix.at();
    if (!file.Read(header_at, static_cast<std::size_t>(header_size), bytes)) {
      scan.truncated = true;
      return walk;
    }
    Fields f(bytes);
    const auto type = f.Vint();
    const auto flags = f.Vint();
    const std::uint64_t extra = (flags & 0x0001) != 0 ? f.Vint() : 0;
    const std::uint64_t data = (flags & 0x0002) != 0 ? f.Vint() : 0;
    if (!f.ok()) return walk;
    if (type == 1) {
      walk.is_volume = (f.Vint() & 0x0001) != 0;
    } else if (type == 4) {
      scan.headers_encrypted = true;
      return walk;
    } else if (type == 2) {
      const auto file_flags = f.Vint();
      RarScanEntry piece;
      piece.unpacked_size = f.Vint();
      f.Vint();  // attributes
      if ((file_flags & 0x0002) != 0) f.Fixed(4);
      std::uint32_t crc = 0;
      const bool has_crc = (file_flags & 0x0004) != 0;
      if (has_crc) crc = static_cast<std::uint32_t>(f.Fixed(4));
      if (!f.ok()) return walk;
      piece.directory = (file_flags & 0x0001) != 0;
      piece.size_known = (file_flags & 0x0008) == 0;
      piece.encrypted =
          extra <= bytes.size() && HasEncryptionRecord(std::string_view(bytes).substr(bytes.size() - extra));
      AddPiece(scan, piece, (flags & 0x0008) != 0, (flags & 0x0010) != 0, crc, has_crc);
    } else if (type == 5) {
      walk.walked = true;
      walk.more_follow = (f.Vint() & 0x0001) != 0;
      return walk;
    }
    if (data > file.size() || header_at + header_size + data > file.size()) {
      scan.truncated = true;
      return walk;
    }
    pos = header_at + header_size + data;
  }
}

// The entry of `dir` named `name` without regard to letter case; nothing when there is none.
std::optional<fs::path> FindCaseless(const fs::path& dir, const std::string& name) {
  std::error_code error;
  if (fs::is_regular_file(dir / name, error)) return dir / name;
  const std::string wanted = LowerText(name);
  for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
    if (LowerText(it->path().filename().string()) == wanted && it->is_regular_file(error)) return it->path();
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> NextVolumeName(const std::string& name) {
  const std::string lower = LowerText(name);
  // New scheme: <stem>.partN.rar, N keeping its width.
  if (lower.size() > 4 && lower.ends_with(".rar")) {
    const std::size_t part = lower.rfind(".part", lower.size() - 4);
    if (part != std::string::npos) {
      const std::string digits = name.substr(part + 5, lower.size() - 4 - (part + 5));
      if (IsDigits(digits) && digits.size() < 9) {
        std::string next = std::to_string(std::stoul(digits) + 1);
        if (next.size() < digits.size()) next.insert(0, digits.size() - next.size(), '0');
        return name.substr(0, part + 5) + next + name.substr(lower.size() - 4);
      }
    }
    return name.substr(0, name.size() - 3) + (name[name.size() - 3] == 'R' ? "R00" : "r00");
  }
  // Old scheme: .rar, .r00 ... .r99, .s00 ... .s99, and so on through the alphabet.
  if (lower.size() > 4 && lower[lower.size() - 4] == '.' && lower[lower.size() - 3] >= 'r' &&
      lower[lower.size() - 3] < 'z' && IsDigits(lower.substr(lower.size() - 2))) {
    const int number = std::stoi(lower.substr(lower.size() - 2));
    std::string next = name;
    if (number < 99) {
      next[next.size() - 2] = static_cast<char>('0' + (number + 1) / 10);
      next[next.size() - 1] = static_cast<char>('0' + (number + 1) % 10);
    } else {
      next[next.size() - 3] = static_cast<char>(next[next.size() - 3] + 1);
      next[next.size() - 2] = '0';
      next[next.size() - 1] = '0';
    }
    return next;
  }
  return std::nullopt;
}

RarScan ScanRarSet(const fs::path& first) {
  RarScan scan;
  scan.volumes.push_back(first);
  fs::path current = first;
  for (int count = 0; count < kMaxVolumes; ++count) {
    FileBytes file(current);
    if (!file.ok()) return scan;
    const Start start = FindSignature(file);
    VolumeWalk walk;
    if (start.format == Format::kRar4) walk = WalkRar4(file, start.offset, scan);
    if (start.format == Format::kRar5) walk = WalkRar5(file, start.offset, scan);
    if (!walk.walked) {
      scan.walked = false;
      return scan;
    }
    scan.walked = true;
    if (!walk.is_volume || !walk.more_follow) return scan;
    const auto next_name = NextVolumeName(current.filename().string());
    const auto next = next_name ? FindCaseless(current.parent_path(), *next_name) : std::nullopt;
    if (!next) {
      scan.missing_volume = true;
      return scan;
    }
    scan.volumes.push_back(*next);
    current = *next;
  }
  return scan;
}

}  // namespace norva::platform::wine
