// Raw CD-ROM sectors as ECMA-130 lays them out: the 2352 bytes a drive reads off the disc for one block of
// 2048 user bytes (sync, header, user data, EDC and Reed-Solomon ECC), and the addresses in their headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace norva::tools {

inline constexpr std::size_t kRawSectorSize = 2352;
inline constexpr std::size_t kUserDataSize = 2048;
inline constexpr std::size_t kSubchannelSize = 96;
// The lead-in gap before LBA 0: sector addresses on the disc count from 00:02:00.
inline constexpr std::uint32_t kLeadInSectors = 150;

struct Msf {
  std::uint8_t minutes = 0;
  std::uint8_t seconds = 0;
  std::uint8_t frames = 0;
};

// The disc time of `lba` (binary values); `lba` + 150 must lie below 100 minutes.
Msf LbaToMsf(std::int64_t lba);
std::uint8_t ToBcd(std::uint8_t value);

// The two data layouts of a 2352-byte data sector.
enum class DataMode { kMode1, kMode2Form1 };

// `user` is exactly kUserDataSize bytes. Mode 1: sync, header (MSF in BCD, mode 1), data, EDC over bytes
// 0..2063, 8 zero bytes, P and Q parity. Mode 2 Form 1: sync, header (mode 2), the subheader twice, data, EDC
// over bytes 16..2071, and the parity computed with the header taken as zero, as ECMA-130 asks for Form 1.
std::string EncodeDataSector(DataMode mode, std::int64_t lba, std::string_view user);

// The CD-ROM EDC: CRC-32 with the polynomial 0x8001801B, reflected, no initial or final inversion.
std::uint32_t Edc(std::string_view bytes);

}  // namespace norva::tools
