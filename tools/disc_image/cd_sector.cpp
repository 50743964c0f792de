#include "cd_sector.h"

#include <array>
#include <cstring>

namespace norva::tools {
namespace {

constexpr std::uint8_t kSync[12] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

struct Tables {
  std::array<std::uint32_t, 256> edc{};
  std::array<std::uint8_t, 256> times_alpha{};          // x * α in GF(2^8) with x^8 + x^4 + x^3 + x^2 + 1
  std::array<std::uint8_t, 256> over_one_plus_alpha{};  // y / (1 + α): the inverse of x -> x * (1 + α)
};

const Tables& GetTables() {
  static const Tables tables = [] {
    Tables t;
    for (unsigned i = 0; i < 256; ++i) {
      const unsigned doubled = (i << 1) ^ ((i & 0x80) ? 0x11D : 0);
      t.times_alpha[i] = static_cast<std::uint8_t>(doubled);
      t.over_one_plus_alpha[i ^ doubled] = static_cast<std::uint8_t>(i);
      std::uint32_t crc = i;
      for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? 0xD8018001u : 0);
      t.edc[i] = crc;
    }
    return t;
  }();
  return tables;
}

// One set of parity: `vectors` codewords of `length` data bytes each, read from `data` (the 2340 bytes from
// the header on) starting at (v / 2) * `start_step` + v % 2 and advancing by `step` modulo the vector area.
// Each codeword gets two check bytes (at parity[v] and parity[v + vectors]) that make both of its
// syndromes, the plain sum and the sum weighted by powers of α, zero.
void Parity(const std::uint8_t* data, std::size_t vectors, std::size_t length, std::size_t start_step,
            std::size_t step, std::uint8_t* parity) {
  const Tables& t = GetTables();
  const std::size_t area = vectors * length;
  for (std::size_t v = 0; v < vectors; ++v) {
    std::size_t index = (v / 2) * start_step + v % 2;
    std::uint8_t weighted = 0;  // Horner sum of the data bytes by α, before the two check positions
    std::uint8_t sum = 0;
    for (std::size_t k = 0; k < length; ++k) {
      const std::uint8_t byte = data[index];
      index += step;
      if (index >= area) index -= area;
      sum ^= byte;
      weighted = t.times_alpha[weighted ^ byte];
    }
    // With check bytes p, q appended: sum ^ p ^ q = 0 and weighted * α ^ p * α ^ q = 0.
    const std::uint8_t p = t.over_one_plus_alpha[t.times_alpha[weighted] ^ sum];
    parity[v] = p;
    parity[v + vectors] = p ^ sum;
  }
}

}  // namespace

Msf LbaToMsf(std::int64_t lba) {
  const std::int64_t frames = lba + kLeadInSectors;
  return Msf{static_cast<std::uint8_t>(frames / (60 * 75)), static_cast<std::uint8_t>(frames / 75 % 60),
             static_cast<std::uint8_t>(frames % 75)};
}

std::uint8_t ToBcd(std::uint8_t value) {
  return static_cast<std::uint8_t>((value / 10) << 4 | value % 10);
}

std::uint32_t Edc(std::string_view bytes) {
  const Tables& t = GetTables();
  std::uint32_t crc = 0;
  for (const char c : bytes) crc = (crc >> 8) ^ t.edc[(crc ^ static_cast<std::uint8_t>(c)) & 0xFF];
  return crc;
}

std::string EncodeDataSector(DataMode mode, std::int64_t lba, std::string_view user) {
  std::string sector(kRawSectorSize, '\0');
  auto* s = reinterpret_cast<std::uint8_t*>(sector.data());
  std::memcpy(s, kSync, sizeof kSync);
  const Msf msf = LbaToMsf(lba);
  s[12] = ToBcd(msf.minutes);
  s[13] = ToBcd(msf.seconds);
  s[14] = ToBcd(msf.frames);
  std::size_t edc_end = 0;
  if (mode == DataMode::kMode1) {
    s[15] = 1;
    std::memcpy(s + 16, user.data(), kUserDataSize);
    edc_end = 2064;
  } else {
    s[15] = 2;
    // Subheader: file 0, channel 0, submode "data", coding 0; written twice.
    s[18] = s[22] = 0x08;
    std::memcpy(s + 24, user.data(), kUserDataSize);
    edc_end = 2072;
  }
  const std::size_t edc_start = mode == DataMode::kMode1 ? 0 : 16;
  const std::uint32_t edc = Edc(std::string_view(sector).substr(edc_start, edc_end - edc_start));
  for (int i = 0; i < 4; ++i) s[edc_end + i] = static_cast<std::uint8_t>(edc >> (8 * i));

  // Form 1 parity is computed over a zero header, so that it survives a change of address.
  std::uint8_t header[4];
  std::memcpy(header, s + 12, 4);
  if (mode == DataMode::kMode2Form1) std::memset(s + 12, 0, 4);
  Parity(s + 12, 86, 24, 2, 86, s + 2076);   // P: 86 codewords of 24 bytes
  Parity(s + 12, 52, 43, 86, 88, s + 2248);  // Q: 52 codewords of 43 bytes, the P parity included
  std::memcpy(s + 12, header, 4);
  return sector;
}

}  // namespace norva::tools
