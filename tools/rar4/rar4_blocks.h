// Encoders for the blocks of a RAR 4 archive (the RAR 1.5-4.x format): the marker, the archive header, a
// stored file or folder header and the end-of-archive block. All multi-byte fields are little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace norva::tools {

// Windows file attribute bits as stored in ATTR for the Win32 host.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

// Size of the fixed part of a file header (HEAD_CRC up to and including ATTR).
inline constexpr std::size_t kFileHeaderFixedSize = 32;
// Marker plus archive header, the same in every volume.
inline constexpr std::size_t kArchiveStartSize = 7 + 13;
inline constexpr std::size_t kEndBlockSize = 7;
inline constexpr std::size_t kVolumeEndBlockSize = 20;

// CRC-32 (the zip/PNG polynomial) continuing from `crc` (0 to start).
std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc = 0);

// MS-DOS date and time packed as FTIME: date in the high 16 bits, time (2-second steps) in the low 16 bits.
// Years before 1980 or after 2107 are clamped to that range.
std::uint32_t DosTime(int year, int month, int day, int hour, int minute, int second);

std::string MarkerBlock();

struct ArchiveHeaderInfo {
  bool volume = false;        // part of a multi-volume set (then named with the newer "partN" scheme)
  bool first_volume = false;  // only meaningful with `volume`
};
std::string ArchiveHeader(const ArchiveHeaderInfo& info);

// One header of a stored entry (METHOD 0x30, UNP_VER 20, HOST_OS Win32).
struct FileHeaderInfo {
  std::string_view name;  // bytes as stored: '\' separators, the archive's OEM code page
  bool folder = false;
  std::uint64_t packed_size = 0;    // bytes of data following this header (this volume's piece)
  std::uint64_t unpacked_size = 0;  // size of the whole file
  std::uint32_t file_crc = 0;       // CRC-32 of this piece, or of the whole file on its last piece
  std::uint32_t dos_time = 0;
  std::uint32_t attributes = 0;
  bool split_before = false;  // continues a file begun in the previous volume
  bool split_after = false;   // the file goes on in the next volume
};
// Size in bytes of the header FileHeader(info) returns.
std::size_t FileHeaderSize(std::string_view name, std::uint64_t unpacked_size);
std::string FileHeader(const FileHeaderInfo& info);

// The end-of-archive block of a single archive (7 bytes).
std::string EndBlock();

// The end block of a volume (20 bytes): carries the CRC-32 of every byte of the volume before it, the
// volume number (0 for the first) and whether another volume follows.
std::string VolumeEndBlock(std::uint32_t volume_crc, std::uint16_t volume_number, bool more_volumes);

}  // namespace norva::tools
