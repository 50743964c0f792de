// The sample disc's images as the build makes them: the ISO holds every file and folder of the disc under its
// own name in the Joliet tree, with the disc's label, and the BIN/CUE's data track is that ISO.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/fake_runner.h"
#include "support/shell.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;

const fs::path kBuild = NORVA_BUILD_DIR;

void NeedImages() {
  if (!fs::exists(kBuild / "sample-disc.iso"))
    GTEST_SKIP() << "the sample disc's images were not built (xorriso is not installed)";
}

TEST(SampleDiscImageTest, TheIsoHoldsTheDiscUnderItsJolietNames) {
  NeedImages();
  if (!HaveProgram("iso-info")) GTEST_SKIP() << "iso-info (libcdio-utils) is not installed";
  std::string listing;
  ASSERT_EQ(RunShell("iso-info --no-header --no-rock-ridge -f -i " +
                         ShellQuote((kBuild / "sample-disc.iso").string()),
                     &listing),
            0)
      << listing;
  EXPECT_NE(listing.find("Volume      : NORVA_CD_1206"), std::string::npos) << listing;
  std::set<std::string> in_image;
  const std::regex entry(R"(^ +[0-9]+ (/.+)$)");
  std::istringstream lines(listing);
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (std::regex_match(line, match, entry)) in_image.insert(match[1]);
  }
  std::set<std::string> on_disc;
  const fs::path disc = kBuild / "sample-disc";
  for (const auto& item : fs::recursive_directory_iterator(disc))
    on_disc.insert("/" + fs::relative(item.path(), disc).generic_string());
  EXPECT_EQ(in_image, on_disc);
}

TEST(SampleDiscImageTest, TheCueSheetsDataTrackIsTheIso) {
  NeedImages();
  if (!HaveProgram("bchunk")) GTEST_SKIP() << "bchunk is not installed";
  TempDir dir;
  std::string log;
  ASSERT_EQ(RunShell("bchunk " + ShellQuote((kBuild / "sample-disc.bin").string()) + " " +
                         ShellQuote((kBuild / "sample-disc.cue").string()) + " " +
                         ShellQuote((dir.path() / "track").string()),
                     &log),
            0)
      << log;
  EXPECT_TRUE(TempDir::ReadFile(dir.path() / "track01.iso") == TempDir::ReadFile(kBuild / "sample-disc.iso"));
  EXPECT_GT(fs::file_size(dir.path() / "track02.cdr"), 0u);  // the audio track behind it
}

}  // namespace
}  // namespace norva::test
