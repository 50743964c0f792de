#include "platform/image/data_track.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace norva::platform::image {
namespace {

// Reads exactly `length` bytes unless the file ends first; -1 on an error.
ssize_t PreadFully(int fd, char* out, std::size_t length, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < length) {
    const ssize_t got = ::pread(fd, out + done, length - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<ssize_t>(done);
}

// Raw sectors are read in runs of this many, so that a large request costs few system calls.
constexpr std::size_t kRawRun = 64;

}  // namespace

std::unique_ptr<DataTrack> DataTrack::Open(const TrackLayout& layout, std::string* error) {
  const int fd = ::open(layout.file.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const int cause = errno;
    if (fd >= 0) ::close(fd);
    *error = "cannot read " + layout.file.string() + ": " +
             (fd >= 0 && cause == 0 ? std::string("not a regular file") : std::strerror(cause));
    return nullptr;
  }
  TrackLayout fitted = layout;
  const auto file_size = static_cast<std::uint64_t>(status.st_size);
  const std::uint64_t in_file =
      file_size > layout.first_byte ? (file_size - layout.first_byte) / layout.stored_size : 0;
  // A track that the descriptor says is longer than the file is cut to what is there; reads past it fail
  // like reads of an unreadable sector, and the file system check on open finds what is missing.
  fitted.sector_count = layout.sector_count == 0 ? in_file : std::min(layout.sector_count, in_file);
  if (fitted.sector_count == 0) {
    ::close(fd);
    *error = "damaged image: " + layout.file.string() + " holds no data sectors";
    return nullptr;
  }
  return std::unique_ptr<DataTrack>(new DataTrack(fd, std::move(fitted)));
}

DataTrack::~DataTrack() {
  ::close(fd_);
}

std::size_t DataTrack::Read(std::uint64_t offset, std::size_t length, char* out, bool* failed) const {
  if (failed) *failed = false;
  const std::uint64_t end = layout_.sector_count * kSectorSize;
  if (offset >= end) return 0;
  length = static_cast<std::size_t>(std::min<std::uint64_t>(length, end - offset));
  if (layout_.stored_size == kSectorSize) {
    const ssize_t got = PreadFully(fd_, out, length, layout_.first_byte + offset);
    if (got < 0 || static_cast<std::size_t>(got) < length) {
      if (failed) *failed = true;
      return got < 0 ? 0 : static_cast<std::size_t>(got);
    }
    return length;
  }
  return ReadRaw(offset, length, out, failed);
}

std::size_t DataTrack::ReadRaw(std::uint64_t offset, std::size_t length, char* out, bool* failed) const {
  thread_local std::vector<char> run;
  run.resize(kRawRun * layout_.stored_size);
  std::size_t done = 0;
  while (done < length) {
    const std::uint64_t sector = (offset + done) / kSectorSize;
    const std::uint64_t sectors_wanted = (offset + length - 1) / kSectorSize - sector + 1;
    const std::size_t sectors = static_cast<std::size_t>(std::min<std::uint64_t>(sectors_wanted, kRawRun));
    const ssize_t got = PreadFully(fd_, run.data(), sectors * layout_.stored_size,
                                   layout_.first_byte + sector * layout_.stored_size);
    const std::size_t whole = got < 0 ? 0 : static_cast<std::size_t>(got) / layout_.stored_size;
    for (std::size_t i = 0; i < whole && done < length; ++i) {
      const std::size_t within = static_cast<std::size_t>((offset + done) % kSectorSize);
      const std::size_t take = std::min(length - done, kSectorSize - within);
      std::memcpy(out + done, run.data() + i * layout_.stored_size + layout_.data_offset + within, take);
      done += take;
    }
    if (whole < sectors) {
      if (failed && done < length) *failed = true;
      break;
    }
  }
  return done;
}

std::optional<DataTrack::FileRun> DataTrack::RunOf(std::uint64_t offset, std::size_t length) const {
  if (layout_.stored_size != kSectorSize || offset + length > layout_.sector_count * kSectorSize)
    return std::nullopt;
  return FileRun{fd_, layout_.first_byte + offset};
}

bool DataTrack::ReadSector(std::uint64_t sector, char* out) const {
  bool failed = false;
  return Read(sector * kSectorSize, kSectorSize, out, &failed) == kSectorSize && !failed;
}

}  // namespace norva::platform::image
