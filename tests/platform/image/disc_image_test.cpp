// Disc images as Windows sees the disc: the Joliet (or ISO 9660) names, sizes and data of every file, and
// the label and serial that Wine's rules give, from a plain ISO made by xorriso and from every raw format
// the disc image writer makes of it; and the errors a user gets for broken images.
#include "platform/image/disc_image.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fstream>
#include <optional>

#include "disc_image.h"
#include "platform/image/test_discs.h"
#include "support/temp_dir.h"

namespace norva::platform::image {
namespace {

namespace fs = std::filesystem;
using namespace test;

// The entry at a '/'-separated path, found one exact name at a time.
std::optional<std::uint32_t> Resolve(const DiscImage& disc, const std::string& path) {
  std::uint32_t at = DiscTree::kRoot;
  for (std::size_t begin = 0; begin <= path.size();) {
    const std::size_t slash = std::min(path.find('/', begin), path.size());
    const auto found = disc.tree().Lookup(at, std::string_view(path).substr(begin, slash - begin));
    if (!found) return std::nullopt;
    at = *found;
    begin = slash + 1;
  }
  return at;
}

std::string ReadAll(const DiscImage& disc, std::uint32_t entry, std::size_t chunk) {
  std::string content;
  std::string buffer(chunk, '\0');
  for (std::int64_t got; (got = disc.Read(entry, content.size(), chunk, buffer.data())) > 0;)
    content.append(buffer, 0, static_cast<std::size_t>(got));
  return content;
}

// Every sample file is there under its name, with its size and data; nothing else is.
void ExpectSampleFiles(const DiscImage& disc) {
  std::size_t files = 0;
  for (std::uint32_t i = 0; i < disc.tree().size(); ++i)
    files += disc.tree().entry(i).kind == EntryKind::kFile;
  EXPECT_EQ(files, SampleFiles().size());
  for (const auto& [path, content] : SampleFiles()) {
    const auto entry = Resolve(disc, path);
    ASSERT_TRUE(entry) << path;
    EXPECT_EQ(disc.tree().entry(*entry).size, content.size()) << path;
    // Chunks of an odd size start and end inside sectors.
    EXPECT_EQ(ReadAll(disc, *entry, 3001), content) << path;
  }
  const auto big = Resolve(disc, "Data/Big.bin");
  ASSERT_TRUE(big);
  std::string part(4099, '\0');
  ASSERT_EQ(disc.Read(*big, 2047, part.size(), part.data()), 4099);
  EXPECT_EQ(part, SampleFiles().at("Data/Big.bin").substr(2047, 4099));
  EXPECT_EQ(disc.Read(*big, SampleFiles().at("Data/Big.bin").size(), 10, part.data()), 0);
}

class DiscImageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!HaveXorriso()) return;
    dir_ = new norva::test::TempDir;
    WriteFiles(dir_->path() / "disc", SampleFiles());
    std::string error;
    joliet_ = MakeIso(dir_->path() / "disc", dir_->path() / "joliet.iso",
                      std::string("-J -R -joliet-long -V '") + kLabel + "'", &error);
    plain_ = MakeIso(dir_->path() / "disc", dir_->path() / "plain.iso", "-R -V NORVA_TEST", &error);
    ASSERT_FALSE(joliet_.empty()) << error;
  }
  static void TearDownTestSuite() { delete dir_; }
  void SetUp() override {
    if (!HaveXorriso()) GTEST_SKIP() << kNoXorriso;
  }

  static std::unique_ptr<DiscImage> OpenOrFail(const fs::path& image) {
    std::string error;
    auto disc = DiscImage::Open(image, &error);
    EXPECT_TRUE(disc) << image << ": " << error;
    return disc;
  }
  static std::string OpenError(const fs::path& image) {
    std::string error;
    EXPECT_FALSE(DiscImage::Open(image, &error)) << image;
    return error;
  }

  static inline norva::test::TempDir* dir_ = nullptr;
  static inline fs::path joliet_;
  static inline fs::path plain_;
};

TEST_F(DiscImageTest, JolietNamesWinOverRockRidgeAndIsoNames) {
  const auto disc = OpenOrFail(joliet_);
  ASSERT_TRUE(disc);
  ExpectSampleFiles(*disc);
  // Lookups are exact: matching without regard to case is the caller's.
  EXPECT_FALSE(Resolve(*disc, "readme"));
  EXPECT_EQ(disc->tree().entry(*Resolve(*disc, "Catalog")).child_count, 400u);
}

TEST_F(DiscImageTest, WithoutJolietTheIsoNamesLoseVersionAndTrailingDot) {
  const auto disc = OpenOrFail(plain_);
  ASSERT_TRUE(disc);
  const auto readme = Resolve(*disc, "README");  // "README.;1" on the disc, "ReadMe" for Rock Ridge
  ASSERT_TRUE(readme);
  std::string content(64, '\0');
  content.resize(static_cast<std::size_t>(disc->Read(*readme, 0, content.size(), content.data())));
  EXPECT_EQ(content, "read me\n");
  EXPECT_TRUE(Resolve(*disc, "DATA/BIG.BIN"));
  EXPECT_EQ(disc->volume_id().label, "NORVA_TEST");
}

// Wine: the descriptor of the highest type before the terminator in sectors 16..19 (here the Joliet one),
// its label, and byte sums over it in the order of Windows NT.
TEST_F(DiscImageTest, LabelAndSerialAreWinesForTheHighestDescriptor) {
  for (const fs::path& iso : {joliet_, plain_}) {
    std::string best;
    for (std::size_t sector = 16; sector <= 19; ++sector) {
      const std::string block = IsoSector(iso, sector);
      if (static_cast<unsigned char>(block[0]) == 0xFF) break;
      if (best.empty() || static_cast<unsigned char>(block[0]) > static_cast<unsigned char>(best[0]))
        best = block;
    }
    std::array<std::uint8_t, 4> sums{};
    for (std::size_t i = 0; i < 2048; ++i) sums[i % 4] = static_cast<std::uint8_t>(sums[i % 4] + best[i]);
    const auto disc = OpenOrFail(iso);
    ASSERT_TRUE(disc);
    EXPECT_EQ(disc->volume_id().serial, std::uint32_t{sums[0]} << 24 | std::uint32_t{sums[1]} << 16 |
                                            std::uint32_t{sums[2]} << 8 | sums[3]);
    EXPECT_EQ(disc->volume_id().label, iso == joliet_ ? std::string(kLabel) : "NORVA_TEST");
  }
}

struct FormatCase {
  tools::ImageFormat format;
  const char* descriptor;  // extension of the image written
  const char* data;        // extension of its data file
  tools::DataMode mode;
  std::uint32_t audio_seconds;
  std::uint32_t stored_size;  // bytes a sector takes in the data file
  tools::NrgLayout nrg = tools::NrgLayout::kDiscAtOnce;
};

TEST_F(DiscImageTest, EveryFormatGivesTheDiscOfItsIso) {
  const auto iso = OpenOrFail(joliet_);
  ASSERT_TRUE(iso);
  using tools::DataMode;
  using tools::ImageFormat;
  const FormatCase cases[] = {
      {ImageFormat::kBinCue, ".cue", ".bin", DataMode::kMode1, 2, 2352},
      {ImageFormat::kBinCue, ".cue", ".bin", DataMode::kMode2Form1, 0, 2352},
      {ImageFormat::kNrg, ".nrg", ".nrg", DataMode::kMode1, 2, 2048},
      {ImageFormat::kNrg, ".nrg", ".nrg", DataMode::kMode1, 0, 2048, tools::NrgLayout::kTrackAtOnce},
      {ImageFormat::kMds, ".mds", ".mdf", DataMode::kMode1, 2, 2352},
      {ImageFormat::kMds, ".mds", ".mdf", DataMode::kMode2Form1, 0, 2352},
      {ImageFormat::kCcd, ".ccd", ".img", DataMode::kMode1, 2, 2352},
      {ImageFormat::kCcd, ".ccd", ".img", DataMode::kMode2Form1, 0, 2352},
  };
  int number = 0;
  for (const FormatCase& format : cases) {
    const fs::path folder = dir_->path() / ("format" + std::to_string(++number));
    fs::create_directories(folder);
    const fs::path descriptor = folder / (std::string("Game") + format.descriptor);
    tools::ImageOptions options;
    options.disc.data_mode = format.mode;
    options.disc.audio_seconds = format.audio_seconds;
    options.nrg_layout = format.nrg;
    std::string error;
    ASSERT_TRUE(tools::WriteDiscImage(format.format, joliet_, descriptor, options, &error)) << error;
    // Given the descriptor or the data file (in another letter case than the descriptor's stem).
    const fs::path data = folder / (std::string("Game") + format.data);
    const fs::path renamed = folder / (std::string("GAME") + format.data);
    if (data != descriptor) fs::rename(data, renamed);
    for (const fs::path& image : {descriptor, data != descriptor ? renamed : descriptor}) {
      SCOPED_TRACE(image.filename().string() + (format.mode == DataMode::kMode1 ? " Mode 1" : " Mode 2"));
      const auto disc = OpenOrFail(image);
      ASSERT_TRUE(disc);
      EXPECT_EQ(disc->layout().stored_size, format.stored_size);
      ExpectSampleFiles(*disc);
      EXPECT_EQ(disc->volume_id().label, iso->volume_id().label);
      EXPECT_EQ(disc->volume_id().serial, iso->volume_id().serial);
    }
    // Without its descriptor the raw data file is still read by its sync pattern.
    if (data != descriptor) {
      fs::remove(descriptor);
      SCOPED_TRACE(renamed.filename().string() + " alone");
      const auto bare = OpenOrFail(renamed);
      ASSERT_TRUE(bare);
      EXPECT_EQ(bare->volume_id().serial, iso->volume_id().serial);
      EXPECT_TRUE(Resolve(*bare, "Data/Big.bin"));
    }
  }
}

TEST_F(DiscImageTest, BrokenImagesSayWhatIsWrong) {
  const fs::path folder = dir_->path() / "broken";
  fs::create_directories(folder);
  const auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
    return folder / name;
  };
  const fs::path cue =
      write("Gone.cue", "FILE \"GONE.BIN\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n");
  EXPECT_EQ(OpenError(cue), "the data file GONE.BIN named by " + cue.string() + " is missing");

  write("Music.bin", std::string(2352 * 20, '\0'));
  const fs::path music = write("Music.cue",
                               "FILE \"Music.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                               "  TRACK 02 MODE1/2352\n    INDEX 01 00:00:10\n");
  EXPECT_EQ(OpenError(music), "the first track of " + music.string() + " is an audio track");

  std::string error;
  ASSERT_TRUE(tools::WriteDiscImage(tools::ImageFormat::kMds, joliet_, folder / "Alcohol.mds", {}, &error));
  fs::remove(folder / "Alcohol.mdf");
  EXPECT_EQ(OpenError(folder / "Alcohol.mds"),
            "the data file Alcohol.mdf named by " + (folder / "Alcohol.mds").string() + " is missing");

  std::string iso = norva::test::TempDir::ReadFile(joliet_);
  const fs::path truncated = write("Truncated.iso", iso.substr(0, iso.size() * 6 / 10));
  EXPECT_TRUE(OpenError(truncated).starts_with("damaged image: " + truncated.string() + " is truncated"));

  std::string garbage;
  for (std::uint32_t x = 1; garbage.size() < 200'000; x = x * 1103515245 + 12345)
    garbage += static_cast<char>(x >> 16);
  const fs::path noise = write("Noise.iso", garbage);
  EXPECT_EQ(OpenError(noise), noise.string() + " is not a CD image");
  EXPECT_EQ(OpenError(write("Empty.bin", "")), (folder / "Empty.bin").string() + " is not a CD image");
  const fs::path bad_cue = write("Noise.cue", garbage.substr(0, 5000));
  EXPECT_TRUE(OpenError(bad_cue).starts_with("damaged image: ")) << OpenError(bad_cue);
  EXPECT_EQ(OpenError(folder / "Nothing.iso"),
            "the image " + (folder / "Nothing.iso").string() + " does not exist");
}

// A UDF bridge disc: Wine takes the label from the UDF primary descriptor that the anchor leads to, and the
// serial from the file set descriptor's byte sums, least significant first. The files are the Joliet ones.
TEST_F(DiscImageTest, UdfBridgeDiscsGetWinesUdfLabelAndSerial) {
  std::string image = norva::test::TempDir::ReadFile(joliet_);
  const std::size_t end = image.size() / 2048;
  ASSERT_GT(end, 257u);
  const auto sector = [&](std::size_t index) -> char* {
    if (image.size() < (index + 1) * 2048) image.resize((index + 1) * 2048, '\0');
    return image.data() + index * 2048;
  };
  const auto put32 = [](char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<char>(value >> (8 * i));
  };
  std::size_t terminator = 16;
  while (static_cast<unsigned char>(sector(terminator)[0]) != 0xFF) ++terminator;
  std::memcpy(sector(terminator + 1), "\0BEA01\1", 7);
  std::memcpy(sector(terminator + 2), "\0NSR02\1", 7);
  std::memcpy(sector(terminator + 3), "\0TEA01\1", 7);
  char* primary = sector(end);
  primary[0] = 1;
  put32(primary + 12, static_cast<std::uint32_t>(end));
  primary[24] = 8;
  std::memcpy(primary + 25, "COVER_DISC", 10);
  primary[55] = 11;
  char* partition = sector(end + 1);
  partition[0] = 5;
  put32(partition + 188, static_cast<std::uint32_t>(end + 2));
  put32(partition + 192, 4);
  char* file_set = sector(end + 3);
  std::array<std::uint8_t, 4> sums{};
  for (std::size_t i = 0; i < 2048; ++i) {
    file_set[i] = static_cast<char>(i == 0 ? 0 : i == 1 ? 1 : i * 37 % 251);
    sums[i % 4] = static_cast<std::uint8_t>(sums[i % 4] + static_cast<unsigned char>(file_set[i]));
  }
  char* anchor = sector(end + 4);  // the last sector
  anchor[0] = 2;
  put32(anchor + 20, static_cast<std::uint32_t>(end));
  const fs::path bridge = dir_->path() / "bridge.iso";
  std::ofstream(bridge, std::ios::binary) << image;

  const auto disc = OpenOrFail(bridge);
  ASSERT_TRUE(disc);
  EXPECT_EQ(disc->volume_id().label, "COVER_DISC");
  EXPECT_EQ(disc->volume_id().serial, std::uint32_t{sums[3]} << 24 | std::uint32_t{sums[2]} << 16 |
                                          std::uint32_t{sums[1]} << 8 | sums[0]);
  EXPECT_TRUE(Resolve(*disc, "Data/Big.bin"));
}

}  // namespace
}  // namespace norva::platform::image
