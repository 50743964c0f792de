// Writing one entry of an archive opened through libarchive.
#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <libdeflate.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/archive_names.h"
#include "platform/wine/host_tree_writer.h"
#include "platform/wine/libarchive_reader.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

// Data reads in a row that deliver nothing before the entry counts as stalled.
constexpr int kMaxEmptyReads = 64;
constexpr std::size_t kCachePiece = 256 << 10;

int PlaceError(HostTreeWriter::Status status) {
  switch (status) {
    case HostTreeWriter::Status::kOk:
      return kArcSuccess;
    case HostTreeWriter::Status::kRefused:
      return kArcBadData;
    case HostTreeWriter::Status::kFailed:
      break;
  }
  return kArcCreate;
}

// A data error of libarchive: data that ends early is a read error (a missing or short volume), anything
// else damage.
int DataError(struct archive* handle, std::string& cause) {
  const char* text = archive_error_string(handle);
  const std::string message = text != nullptr ? text : "";
  cause = message.empty() ? "its data cannot be read" : message;
  return message.find("runcated") != std::string::npos ? kArcRead : kArcBadData;
}

// What a result code says when nothing more is known.
const char* ResultText(int result) {
  switch (result) {
    case kArcNoMemory:
      return "out of memory";
    case kArcBadData:
      return "the entry is damaged or refused";
    case kArcBadArchive:
      return "the archive is damaged";
    case kArcCreate:
      return "its file cannot be created";
    case kArcClose:
      return "its file cannot be closed";
    case kArcRead:
      return "the data ends early (a volume is missing or short)";
    case kArcWrite:
      return "its file cannot be written";
    default:
      return "it failed";
  }
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

}  // namespace

int LibArchiveReader::Extract(std::string_view dest_dir, const ArchiveDataSink& sink, Error* error) {
  cause_.clear();
  const int result = ExtractEntry(dest_dir, sink);
  if (result != kArcSuccess && result != kArcAborted)
    Error::Set(error, "unpacking " + name_ + ": " + (cause_.empty() ? ResultText(result) : cause_));
  return result;
}

int LibArchiveReader::ExtractEntry(std::string_view dest_dir, const ArchiveDataSink& sink) {
  if (!entry_open_) {
    cause_ = "no entry was read";
    return kArcBadData;
  }
  Utf8LocaleScope utf8;
  // The menu offers no password: encrypted data is never decoded, so nothing undecrypted is written.
  const RarScanEntry* recorded = Recorded();
  if (archive_entry_is_encrypted(entry_) || (recorded != nullptr && recorded->encrypted)) {
    DropData();
    cause_ = "the entry is encrypted";
    return kArcBadData;
  }
  const auto components = SafeEntryPath(name_);
  if (!components) {
    DropData();
    cause_ = "its name leads outside the folder";
    return kArcBadData;
  }
  const std::optional<fs::path> root = files_.Resolve(dest_dir.empty() ? files_.CurrentDir() : dest_dir);
  struct stat st {};
  if (!root || stat(root->c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    DropData();
    cause_ = "the folder " + std::string(dest_dir) + " does not exist";
    return kArcCreate;
  }
  int result = kArcSuccess;
  if (archive_entry_hardlink(entry_) != nullptr) {
    result = ExtractHardLink(*components, *root);
  } else {
    switch (archive_entry_filetype(entry_)) {
      case AE_IFDIR:
        result = PlaceError(HostTreeWriter(*root).Folder(*components).status);
        break;
      case AE_IFLNK:
        result = ExtractLink(*components, *root);
        break;
      case AE_IFREG:
        return ExtractFile(*components, sink, *root);
      default:
        // Devices, pipes and sockets have no place on the Windows machine.
        result = kArcBadData;
    }
  }
  DropData();
  return ended_ && result == kArcSuccess ? kArcBadData : result;
}

int LibArchiveReader::ExtractFile(const std::vector<std::string>& components, const ArchiveDataSink& sink,
                                  const fs::path& root) {
  const HostTreeWriter::Place place = HostTreeWriter(root).NewEntry(components);
  if (place.status != HostTreeWriter::Status::kOk) {
    DropData();
    return PlaceError(place.status);
  }
  const int fd = open(place.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) {
    cause_ = std::string("its file cannot be created: ") + std::strerror(errno);
    DropData();
    return kArcCreate;
  }
  int result = CopyData(fd, sink);
  const timespec times[2] = {{archive_entry_mtime(entry_), archive_entry_mtime_nsec(entry_)},
                             {archive_entry_mtime(entry_), archive_entry_mtime_nsec(entry_)}};
  if (archive_entry_mtime_is_set(entry_)) futimens(fd, times);
  // The read-only attribute of the entry: no write bits, as the Wine backend maps it.
  if ((archive_entry_perm(entry_) & 0222) == 0) fchmod(fd, 0444);
  if (close(fd) != 0 && result == kArcSuccess) result = kArcClose;
  DropData();
  return result;
}

int LibArchiveReader::CopyData(int fd, const ArchiveDataSink& sink) {
  std::uint64_t written = 0;
  std::uint32_t crc = 0;
  int empty_reads = 0;
  while (true) {
    const void* block = nullptr;
    std::size_t size = 0;
    la_int64_t offset = 0;
    const int status = archive_read_data_block(handle_, &block, &size, &offset);
    if (status == ARCHIVE_EOF) {
      entry_open_ = false;
      break;
    }
    if (status < ARCHIVE_WARN) return DataError(handle_, cause_);
    if (offset >= 0 && static_cast<std::uint64_t>(offset) > written) {
      // A hole in the data: zeros, written and counted as such.
      static const char kZeros[4096] = {};
      while (static_cast<std::uint64_t>(offset) > written) {
        const auto count = static_cast<std::size_t>(
            std::min<std::uint64_t>(sizeof kZeros, static_cast<std::uint64_t>(offset) - written));
        if (!WriteAll(fd, kZeros, count)) {
          cause_ = std::string("its file cannot be written: ") + std::strerror(errno);
          return kArcWrite;
        }
        crc = libdeflate_crc32(crc, kZeros, count);
        written += count;
      }
    }
    if (size == 0) {
      if (++empty_reads >= kMaxEmptyReads) {
        ended_ = true;
        return kArcBadData;
      }
      continue;
    }
    empty_reads = 0;
    const char* data = static_cast<const char*>(block);
    // In pieces that stay in the processor's cache between the checksum and the copy into the file.
    for (std::size_t done = 0; done < size; done += kCachePiece) {
      const std::size_t piece = std::min(kCachePiece, size - done);
      crc = libdeflate_crc32(crc, data + done, piece);
      if (!WriteAll(fd, data + done, piece)) {
        cause_ = std::string("its file cannot be written: ") + std::strerror(errno);
        return kArcWrite;
      }
    }
    written += size;
    if (sink && !sink(data, size)) return kArcAborted;
  }
  if (archive_entry_size_is_set(entry_)) {
    const auto expected = static_cast<std::uint64_t>(archive_entry_size(entry_));
    if (written < expected) {
      cause_ = "the data ends early (a volume is missing or short)";
      return kArcRead;
    }
    if (written > expected) {
      cause_ = "the entry holds more data than its header says";
      return kArcBadData;
    }
  }
  const RarScanEntry* recorded = Recorded();
  if (recorded != nullptr && recorded->crc && *recorded->crc != crc) {
    cause_ = "its data does not match its checksum";
    return kArcBadData;
  }
  return kArcSuccess;
}

int LibArchiveReader::ExtractLink(const std::vector<std::string>& components, const fs::path& root) {
  const char* raw = archive_entry_symlink(entry_);
  std::string target = NameUtf8(archive_entry_symlink_utf8(entry_), raw);
  if (!LinkStaysInside(components, target)) return kArcBadData;
  for (char& c : target) {
    if (c == '\\') c = '/';
  }
  const HostTreeWriter::Place place = HostTreeWriter(root).NewEntry(components);
  if (place.status != HostTreeWriter::Status::kOk) return PlaceError(place.status);
  return symlink(target.c_str(), place.path.c_str()) == 0 ? kArcSuccess : kArcCreate;
}

int LibArchiveReader::ExtractHardLink(const std::vector<std::string>& components, const fs::path& root) {
  const std::string target = NameUtf8(archive_entry_hardlink_utf8(entry_), archive_entry_hardlink(entry_));
  const auto target_components = SafeEntryPath(target);
  if (!target_components) return kArcBadData;
  HostTreeWriter tree(root);
  const HostTreeWriter::Place source = tree.ExistingFile(*target_components);
  if (source.status != HostTreeWriter::Status::kOk) return PlaceError(source.status);
  const HostTreeWriter::Place place = tree.NewEntry(components);
  if (place.status != HostTreeWriter::Status::kOk) return PlaceError(place.status);
  if (link(source.path.c_str(), place.path.c_str()) == 0) return kArcSuccess;
  // A file system without hard links gets a copy.
  std::error_code error;
  return fs::copy_file(source.path, place.path, error) ? kArcSuccess : kArcCreate;
}

}  // namespace norva::platform::wine
