// Raw sectors from the encoder are checked the way a drive checks them: every Reed-Solomon codeword of the
// P and Q parity must have zero syndromes, and the EDC must leave a zero CRC remainder over what it covers.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "cd_sector.h"

namespace norva::tools {
namespace {

// Multiplication in GF(2^8) with the CD's field polynomial x^8 + x^4 + x^3 + x^2 + 1, bit by bit.
std::uint8_t GfMul(std::uint8_t a, std::uint8_t b) {
  std::uint8_t product = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if (b & 1) product ^= a;
    b >>= 1;
    a = static_cast<std::uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1D : 0));
  }
  return product;
}

// Syndromes S0 (plain sum) and S1 (weighted by α^(n-1-k)) of one codeword.
bool SyndromesZero(const std::vector<std::uint8_t>& codeword) {
  std::uint8_t s0 = 0, s1 = 0;
  for (const std::uint8_t byte : codeword) {
    s0 ^= byte;
    s1 = static_cast<std::uint8_t>(GfMul(s1, 2) ^ byte);
  }
  return s0 == 0 && s1 == 0;
}

// The ECMA-130 codewords over the 2340 bytes from the header on: 86 P columns of 26 bytes, then 52 Q
// diagonals of 45 bytes (43 taken diagonally through the P-protected area, then the two Q check bytes).
int BadCodewords(std::string sector, bool zero_header) {
  if (zero_header) sector.replace(12, 4, 4, '\0');
  const auto* d = reinterpret_cast<const std::uint8_t*>(sector.data()) + 12;
  int bad = 0;
  for (int column = 0; column < 86; ++column) {
    std::vector<std::uint8_t> p;
    for (int row = 0; row < 26; ++row) p.push_back(d[row * 86 + column]);
    bad += !SyndromesZero(p);
  }
  for (int diagonal = 0; diagonal < 52; ++diagonal) {
    std::vector<std::uint8_t> q;
    for (int k = 0; k < 43; ++k) q.push_back(d[((diagonal / 2) * 86 + diagonal % 2 + 88 * k) % 2236]);
    q.push_back(d[2236 + diagonal]);
    q.push_back(d[2236 + 52 + diagonal]);
    bad += !SyndromesZero(q);
  }
  return bad;
}

// CRC-32/0x8001801B, reflected, bit by bit: zero over a block followed by its own little-endian EDC.
std::uint32_t EdcRemainder(std::string_view bytes) {
  std::uint32_t crc = 0;
  for (const char c : bytes) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? 0xD8018001u : 0);
  }
  return crc;
}

std::string RandomUser(unsigned seed) {
  std::mt19937 random(seed);
  std::string user(kUserDataSize, '\0');
  for (char& c : user) c = static_cast<char>(random());
  return user;
}

TEST(CdSectorTest, Mode1SectorsCarryTheirAddressAndCorrectParity) {
  for (const std::int64_t lba : {0, 1234, 333000}) {
    const std::string user = RandomUser(static_cast<unsigned>(lba));
    const std::string s = EncodeDataSector(DataMode::kMode1, lba, user);
    ASSERT_EQ(s.size(), kRawSectorSize);
    EXPECT_EQ(s.substr(0, 12), std::string("\x00", 1) + std::string(10, '\xFF') + std::string("\x00", 1));
    EXPECT_EQ(s.substr(16, kUserDataSize), user);
    EXPECT_EQ(s.substr(2068, 8), std::string(8, '\0'));
    EXPECT_EQ(EdcRemainder(std::string_view(s).substr(0, 2068)), 0u) << lba;
    EXPECT_EQ(BadCodewords(s, false), 0) << lba;
  }
  // Disc times count from 00:02:00, in BCD: LBA 1234 is 00:18:34, LBA 333000 is 74:02:00.
  EXPECT_EQ(EncodeDataSector(DataMode::kMode1, 0, RandomUser(0)).substr(12, 4),
            std::string("\x00\x02\x00\x01", 4));
  EXPECT_EQ(EncodeDataSector(DataMode::kMode1, 1234, RandomUser(0)).substr(12, 4),
            std::string("\x00\x18\x34\x01", 4));
  EXPECT_EQ(EncodeDataSector(DataMode::kMode1, 333000, RandomUser(0)).substr(12, 4),
            std::string("\x74\x02\x00\x01", 4));
}

TEST(CdSectorTest, Mode2Form1SectorsKeepParityOverAZeroHeader) {
  const std::string user = RandomUser(7);
  const std::string s = EncodeDataSector(DataMode::kMode2Form1, 4321, user);
  EXPECT_EQ(s[15], 2);
  EXPECT_EQ(s.substr(16, 8), std::string("\x00\x00\x08\x00\x00\x00\x08\x00", 8));
  EXPECT_EQ(s.substr(24, kUserDataSize), user);
  EXPECT_EQ(EdcRemainder(std::string_view(s).substr(16, 2060)), 0u);
  EXPECT_EQ(BadCodewords(s, true), 0);
  EXPECT_GT(BadCodewords(s, false), 0);  // the parity must not cover the address
}

}  // namespace
}  // namespace norva::tools
