// Images from the disc image writer are read back by independent tools: bchunk (BIN/CUE), libcdio's cd-info
// (CUE and NRG track lists, the ISO 9660 files of a cue sheet), iat (NRG), mdf2iso (MDF) and ccd2iso (IMG).
// The data each gives back must be the source ISO byte for byte. Each test skips when its checker is missing.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "disc_image.h"
#include "support/fake_runner.h"
#include "support/shell.h"
#include "support/temp_dir.h"

namespace norva::tools {
namespace {

namespace fs = std::filesystem;
using test::HaveProgram;
using test::TempDir;

constexpr char kAccentedName[] = "P\xC5\x99\xC3\xAD\x6C\x69\xC5\xA1 dlouh\xC3\xA9 jm\xC3\xA9no slo\xC5\xBEky";

std::string Q(const fs::path& path) {
  return test::ShellQuote(path.string());
}

class DiscImageTest : public ::testing::Test {
 protected:
  // One ISO for the suite, made with xorriso (Joliet, Rock Ridge) from a file of random bytes and an
  // accented long name, as on a cover disc.
  static void SetUpTestSuite() {
    if (!HaveProgram("xorriso")) return;
    dir_ = new TempDir;
    std::string noise(300000, '\0');
    unsigned state = 1;
    for (char& c : noise) c = static_cast<char>((state = state * 1103515245 + 12345) >> 16);
    dir_->Write("src/Norva/data.bin", noise);
    dir_->Write(std::string("src/") + kAccentedName + "/readme.txt", "hello\r\n");
    iso_ = dir_->path() / "disc.iso";
    if (test::RunShell("xorriso -as mkisofs -quiet -J -R -joliet-long -V NORVA_TEST -o " + Q(iso_) + " " +
                       Q(dir_->path() / "src")) != 0)
      iso_.clear();
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override {
    if (iso_.empty()) GTEST_SKIP() << "xorriso is not installed: no ISO to make images of";
  }
  void Need(const std::string& tool) {
    if (!HaveProgram(tool))
      GTEST_SKIP() << tool << " is not installed: nothing to read these images back with";
  }
  std::vector<fs::path> Write(const std::string& name, ImageOptions options = {}) {
    std::string error;
    const auto format = ImageFormatNamed(fs::path(name).extension().string().substr(1));
    const auto files = WriteDiscImage(*format, iso_, work_.path() / name, options, &error);
    EXPECT_TRUE(files) << error;
    return files.value_or(std::vector<fs::path>{});
  }
  static std::uint32_t IsoSectors() { return static_cast<std::uint32_t>(fs::file_size(iso_) / 2048); }
  static std::string Iso() { return TempDir::ReadFile(iso_); }
  static ImageOptions WithAudio(std::uint32_t seconds, DataMode mode = DataMode::kMode1) {
    ImageOptions options;
    options.disc.audio_seconds = seconds;
    options.disc.data_mode = mode;
    return options;
  }
  // cd-info's track lines: "  2: 00:08:31  000481 audio ..." for a track at LSN 481.
  static std::string TrackLine(int track, std::uint32_t lsn, const std::string& type) {
    char line[64];
    std::snprintf(line, sizeof line, "%3d: %02u:%02u:%02u  %06u %s", track, (lsn + 150) / 4500,
                  (lsn + 150) / 75 % 60, (lsn + 150) % 75, lsn, type.c_str());
    return line;
  }

  static TempDir* dir_;
  static fs::path iso_;
  TempDir work_;
};

TempDir* DiscImageTest::dir_ = nullptr;
fs::path DiscImageTest::iso_;

TEST_F(DiscImageTest, BchunkGivesBackTheIsoAndTheToneFromBothDataLayouts) {
  Need("bchunk");
  for (const DataMode mode : {DataMode::kMode1, DataMode::kMode2Form1}) {
    const auto files = Write("disc.cue", WithAudio(3, mode));
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(fs::file_size(files[1]), (IsoSectors() + 150 + 3 * 75) * 2352);
    std::string log;
    ASSERT_EQ(test::RunShell("cd " + Q(work_.path()) + " && bchunk disc.bin disc.cue out", &log), 0) << log;
    EXPECT_TRUE(TempDir::ReadFile(work_.path() / "out01.iso") == Iso()) << "data track differs";
    const std::string audio = TempDir::ReadFile(work_.path() / "out02.cdr");
    ASSERT_EQ(audio.size(), 3u * 75 * 2352);
    EXPECT_EQ(audio.substr(0, 2352), ToneSector(0));
    EXPECT_EQ(audio.substr(audio.size() - 2352), ToneSector(3 * 75 - 1));
  }
}

TEST_F(DiscImageTest, CdInfoReadsTheCueSheetsTracksAndFiles) {
  Need("cd-info");
  Write("disc.cue", WithAudio(3));
  std::string info;
  ASSERT_EQ(test::RunShell("cd-info --no-header --no-device-info --no-cddb --iso9660 --cue-file " +
                               Q(work_.path() / "disc.cue"),
                           &info),
            0)
      << info;
  const std::uint32_t n = IsoSectors();
  EXPECT_NE(info.find(TrackLine(1, 0, "data")), std::string::npos) << info;
  EXPECT_NE(info.find(TrackLine(2, n + 150, "audio")), std::string::npos) << info;
  EXPECT_NE(info.find(TrackLine(170, n + 150 + 225, "leadout")), std::string::npos) << info;
  EXPECT_NE(info.find("NORVA_TEST"), std::string::npos) << info;
  EXPECT_NE(info.find(kAccentedName), std::string::npos) << info;  // the Joliet name, as it was
  EXPECT_NE(info.find("300000"), std::string::npos) << info;       // the size of Norva/data.bin
}

TEST_F(DiscImageTest, NeroImagesGiveTheirTracksToCdInfoAndTheIsoToIat) {
  Need("cd-info");
  Need("iat");
  const std::uint32_t n = IsoSectors();
  for (const NrgLayout layout : {NrgLayout::kDiscAtOnce, NrgLayout::kTrackAtOnce}) {
    ImageOptions options = WithAudio(2);
    options.nrg_layout = layout;
    Write("audio.nrg", options);
    std::string info;
    ASSERT_EQ(test::RunShell("cd-info --no-header --no-device-info --no-cddb --nrg-file " +
                                 Q(work_.path() / "audio.nrg"),
                             &info),
              0)
        << info;
    EXPECT_NE(info.find(TrackLine(1, 0, "data")), std::string::npos) << info;
    // libcdio takes every track of a disc-at-once image for the first one's kind.
    EXPECT_NE(info.find(TrackLine(2, n + 150, layout == NrgLayout::kDiscAtOnce ? "data" : "audio")),
              std::string::npos)
        << info;
    EXPECT_NE(info.find(TrackLine(170, n + 150 + 150, "leadout")), std::string::npos) << info;

    // iat finds the ISO 9660 volume in a data-only image wherever the layout put it.
    ImageOptions data_only;
    data_only.nrg_layout = layout;
    Write("data.nrg", data_only);
    std::string log;
    ASSERT_EQ(test::RunShell("iat " + Q(work_.path() / "data.nrg") + " " + Q(work_.path() / "iat.iso"), &log),
              0)
        << log;
    EXPECT_TRUE(TempDir::ReadFile(work_.path() / "iat.iso") == Iso()) << "NRG data differs";
  }
}

TEST_F(DiscImageTest, Mdf2isoAndCcd2isoGiveBackTheIso) {
  Need("mdf2iso");
  Need("ccd2iso");
  // mdf2iso takes any raw data sector for Mode 1, so it reads Mode 1 images only.
  const auto mds = Write("disc.mds");
  ASSERT_EQ(mds.size(), 2u);
  std::string log;
  ASSERT_EQ(test::RunShell("mdf2iso " + Q(mds[1]) + " " + Q(work_.path() / "mdf.iso"), &log), 0) << log;
  EXPECT_TRUE(TempDir::ReadFile(work_.path() / "mdf.iso") == Iso()) << "MDF data differs";
  for (const DataMode mode : {DataMode::kMode1, DataMode::kMode2Form1}) {
    const auto ccd = Write("disc.ccd", WithAudio(0, mode));
    ASSERT_EQ(ccd.size(), 3u);
    ASSERT_EQ(test::RunShell("ccd2iso " + Q(ccd[1]) + " " + Q(work_.path() / "ccd.iso"), &log), 0) << log;
    EXPECT_TRUE(TempDir::ReadFile(work_.path() / "ccd.iso") == Iso()) << "IMG data differs";
    EXPECT_EQ(fs::file_size(ccd[2]), IsoSectors() * 96u);
  }
}

// CRC-16 with x^16 + x^12 + x^5 + 1, no initial value, inverted: the check value of "123456789" is 0xCE3C.
std::uint16_t QCrc(std::string_view bytes) {
  std::uint16_t crc = 0;
  for (const char c : bytes) {
    for (int bit = 7; bit >= 0; --bit) {
      const bool top = ((crc >> 15) ^ (static_cast<unsigned char>(c) >> bit)) & 1;
      crc = static_cast<std::uint16_t>((crc << 1) ^ (top ? 0x1021 : 0));
    }
  }
  return static_cast<std::uint16_t>(~crc);
}

TEST_F(DiscImageTest, CloneCdSubchannelGivesEachSectorItsTrackAndTime) {
  ASSERT_EQ(QCrc("123456789"), 0xCE3C);
  const auto files = Write("disc.ccd", WithAudio(1));
  const std::string sub = TempDir::ReadFile(files[2]);
  const std::uint32_t n = IsoSectors();
  ASSERT_EQ(sub.size(), (n + 150 + 75) * 96u);
  auto bcd = [](char c) { return (static_cast<unsigned char>(c) >> 4) * 10 + (c & 0x0F); };
  for (const std::uint32_t lba : {0u, n - 1, n, n + 149, n + 150, n + 224}) {
    const std::string q = sub.substr(lba * 96 + 12, 12);
    const bool audio = lba >= n;
    EXPECT_EQ(q[0], audio ? 0x01 : 0x41) << lba;
    EXPECT_EQ(q[1], audio ? 0x02 : 0x01) << lba;
    EXPECT_EQ(q[2], lba >= n && lba < n + 150 ? 0 : 1) << lba;
    EXPECT_EQ((bcd(q[7]) * 60 + bcd(q[8])) * 75 + bcd(q[9]), static_cast<int>(lba + 150)) << lba;
    EXPECT_EQ(QCrc(q.substr(0, 10)),
              (static_cast<unsigned char>(q[10]) << 8) | static_cast<unsigned char>(q[11]))
        << lba;
    EXPECT_EQ(sub[lba * 96], q[2] == 0 ? '\xFF' : '\0') << lba;  // P marks the pregap
  }
}

TEST_F(DiscImageTest, RefusesWhatItCannotWrite) {
  std::string error;
  const fs::path odd = work_.Write("odd.iso", std::string(3000, 'x'));
  EXPECT_FALSE(WriteDiscImage(ImageFormat::kBinCue, odd, work_.path() / "odd.cue", {}, &error));
  EXPECT_NE(error.find("2048-byte sectors"), std::string::npos) << error;
  EXPECT_FALSE(WriteDiscImage(ImageFormat::kNrg, iso_, work_.path() / "m2.nrg",
                              WithAudio(0, DataMode::kMode2Form1), &error));
  EXPECT_FALSE(fs::exists(work_.path() / "m2.nrg"));
}

}  // namespace
}  // namespace norva::tools
