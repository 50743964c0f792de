// The user data of a disc image's data track, read as the 2048-byte sectors that a CD drive returns. The
// image may store each sector as it is (2048 bytes) or raw (2336, 2352 or 2448 bytes with headers, error
// codes or subchannel data around the user data); the layout says which.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace norva::platform::image {

inline constexpr std::uint32_t kSectorSize = 2048;  // user data bytes of a Mode 1 or Mode 2 Form 1 sector

// Where a data track lies in an image file.
struct TrackLayout {
  std::filesystem::path file;
  std::uint64_t first_byte = 0;             // where the track's sector 0 starts in the file
  std::uint32_t stored_size = kSectorSize;  // bytes per stored sector: 2048, 2336, 2352 or 2448
  std::uint32_t data_offset = 0;            // where the user data starts in a stored sector: 0, 8, 16 or 24
  std::uint64_t sector_count = 0;           // sectors of the track; 0 means up to the end of the file
};

// One open data track. Reads are thread-safe (positioned reads on one descriptor) and copy nothing but the
// user data.
class DataTrack {
 public:
  // nullptr with `error` set when the file cannot be opened or the layout does not fit in it.
  static std::unique_ptr<DataTrack> Open(const TrackLayout& layout, std::string* error);
  ~DataTrack();
  DataTrack(const DataTrack&) = delete;
  DataTrack& operator=(const DataTrack&) = delete;

  const TrackLayout& layout() const { return layout_; }
  std::uint64_t sector_count() const { return layout_.sector_count; }

  // Copies `length` bytes of user data from byte `offset` (counted across sectors' user data, so that sector
  // n starts at n * 2048) into `out`. Returns the bytes copied: fewer at the end of the track, or when the
  // file cannot be read (then `failed` is set when given).
  std::size_t Read(std::uint64_t offset, std::size_t length, char* out, bool* failed = nullptr) const;
  // Where `length` bytes of user data from byte `offset` lie in the file, when they lie there as one run (a
  // track of 2048-byte sectors) and within the track: for handing the read to the kernel (splice).
  struct FileRun {
    int fd;
    std::uint64_t position;
  };
  std::optional<FileRun> RunOf(std::uint64_t offset, std::size_t length) const;
  // One whole sector; false when it lies past the end or cannot be read.
  bool ReadSector(std::uint64_t sector, char* out) const;

 private:
  DataTrack(int fd, TrackLayout layout) : fd_(fd), layout_(std::move(layout)) {}
  std::size_t ReadRaw(std::uint64_t offset, std::size_t length, char* out, bool* failed) const;

  int fd_;
  TrackLayout layout_;
};

}  // namespace norva::platform::image
