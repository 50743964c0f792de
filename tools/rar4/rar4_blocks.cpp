#include "rar4_blocks.h"

#include <algorithm>
#include <array>

namespace norva::tools {
namespace {

constexpr std::uint8_t kMainHead = 0x73;
constexpr std::uint8_t kFileHead = 0x74;
constexpr std::uint8_t kEndHead = 0x7B;

constexpr std::uint16_t kMainVolume = 0x0001;
constexpr std::uint16_t kMainNewNumbering = 0x0010;
constexpr std::uint16_t kMainFirstVolume = 0x0100;

constexpr std::uint16_t kFileSplitBefore = 0x0001;
constexpr std::uint16_t kFileSplitAfter = 0x0002;
// Dictionary-size bits: all set marks a folder; 0x20 is what WinRAR writes for its stored files.
constexpr std::uint16_t kFileWindowDefault = 0x0020;
constexpr std::uint16_t kFileWindowFolder = 0x00E0;
constexpr std::uint16_t kFileLarge = 0x0100;
constexpr std::uint16_t kLongBlock = 0x8000;

constexpr std::uint16_t kEndNextVolume = 0x0001;
constexpr std::uint16_t kEndDataCrc = 0x0002;
constexpr std::uint16_t kEndReservedSpace = 0x0004;
constexpr std::uint16_t kEndVolumeNumber = 0x0008;
constexpr std::uint16_t kSkipIfUnknown = 0x4000;

constexpr std::uint8_t kHostWin32 = 2;
constexpr std::uint8_t kUnpackVersion = 20;
constexpr std::uint8_t kMethodStored = 0x30;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr auto kCrcTable = MakeCrcTable();

void Put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Starts a block with a placeholder HEAD_CRC; FinishBlock fills it in once the block is complete.
std::string StartBlock(std::uint8_t type, std::uint16_t flags, std::size_t size) {
  std::string block;
  block.reserve(size);
  Put16(block, 0);
  block.push_back(static_cast<char>(type));
  Put16(block, flags);
  Put16(block, static_cast<std::uint32_t>(size));
  return block;
}

// HEAD_CRC is the low half of the CRC-32 of everything after it in the header.
std::string FinishBlock(std::string block) {
  const std::uint32_t crc = Crc32(std::string_view(block).substr(2)) & 0xFFFF;
  block[0] = static_cast<char>(crc & 0xFF);
  block[1] = static_cast<char>(crc >> 8);
  return block;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes, std::uint32_t crc) {
  crc = ~crc;
  for (unsigned char b : bytes) crc = kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t DosTime(int year, int month, int day, int hour, int minute, int second) {
  year = std::clamp(year, 1980, 2107);
  const std::uint32_t date = (static_cast<std::uint32_t>(year - 1980) << 9) |
                             (static_cast<std::uint32_t>(month) << 5) | static_cast<std::uint32_t>(day);
  const std::uint32_t time = (static_cast<std::uint32_t>(hour) << 11) |
                             (static_cast<std::uint32_t>(minute) << 5) |
                             static_cast<std::uint32_t>(second / 2);
  return (date << 16) | time;
}

std::string MarkerBlock() {
  return std::string("Rar!\x1A\x07\x00", 7);
}

std::string ArchiveHeader(const ArchiveHeaderInfo& info) {
  std::uint16_t flags = 0;
  if (info.volume) {
    flags = kMainVolume | kMainNewNumbering;
    if (info.first_volume) flags |= kMainFirstVolume;
  }
  std::string block = StartBlock(kMainHead, flags, 13);
  Put16(block, 0);  // reserved
  Put32(block, 0);  // reserved
  return FinishBlock(std::move(block));
}

std::size_t FileHeaderSize(std::string_view name, std::uint64_t unpacked_size) {
  return kFileHeaderFixedSize + (unpacked_size > 0xFFFFFFFFu ? 8 : 0) + name.size();
}

std::string FileHeader(const FileHeaderInfo& info) {
  const bool large = info.unpacked_size > 0xFFFFFFFFu || info.packed_size > 0xFFFFFFFFu;
  std::uint16_t flags = kLongBlock | (info.folder ? kFileWindowFolder : kFileWindowDefault);
  if (info.split_before) flags |= kFileSplitBefore;
  if (info.split_after) flags |= kFileSplitAfter;
  if (large) flags |= kFileLarge;
  const std::size_t size = kFileHeaderFixedSize + (large ? 8 : 0) + info.name.size();
  std::string block = StartBlock(kFileHead, flags, size);
  Put32(block, static_cast<std::uint32_t>(info.packed_size));
  Put32(block, static_cast<std::uint32_t>(info.unpacked_size));
  block.push_back(static_cast<char>(kHostWin32));
  Put32(block, info.file_crc);
  Put32(block, info.dos_time);
  block.push_back(static_cast<char>(kUnpackVersion));
  block.push_back(static_cast<char>(kMethodStored));
  Put16(block, static_cast<std::uint32_t>(info.name.size()));
  Put32(block, info.attributes);
  if (large) {
    Put32(block, static_cast<std::uint32_t>(info.packed_size >> 32));
    Put32(block, static_cast<std::uint32_t>(info.unpacked_size >> 32));
  }
  block.append(info.name);
  return FinishBlock(std::move(block));
}

std::string EndBlock() {
  return FinishBlock(StartBlock(kEndHead, kSkipIfUnknown, kEndBlockSize));
}

std::string VolumeEndBlock(std::uint32_t volume_crc, std::uint16_t volume_number, bool more_volumes) {
  std::uint16_t flags = kSkipIfUnknown | kEndDataCrc | kEndReservedSpace | kEndVolumeNumber;
  if (more_volumes) flags |= kEndNextVolume;
  std::string block = StartBlock(kEndHead, flags, kVolumeEndBlockSize);
  Put32(block, volume_crc);
  Put16(block, volume_number);
  block.append(7, '\0');  // reserved space WinRAR leaves for later edits
  return FinishBlock(std::move(block));
}

}  // namespace norva::tools
