// The test disc under tests/data/disc: its catalog loads as intended and names files that the disc holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "catalog/catalog_test_util.h"
#include "support/temp_dir.h"

namespace norva::catalog {
namespace {

std::filesystem::path DiscDir() {
  return test::SourceDir() / "tests" / "data" / "disc";
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A DOS path below "D:" as a host path on the test disc.
std::filesystem::path OnDisc(std::string dos_path) {
  EXPECT_EQ(dos_path.substr(0, 2), "D:");
  std::string relative = dos_path.substr(2);
  for (char& c : relative) c = c == '\\' ? '/' : c;
  while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
  return DiscDir() / relative;
}

class TestDiscTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(DiscDir() / "NORVA.EXE"));
    catalog_ = test::LoadCatalog(ReadBytes(DiscDir() / "Norva" / "NORVAXP.ini"));
  }
  std::unique_ptr<Catalog> catalog_;
};

TEST_F(TestDiscTest, HoldsEveryKindOfIssue0206) {
  const Catalog& c = *catalog_;
  EXPECT_EQ(c.IssueCode, "0206");
  EXPECT_EQ(c.DiscLabel, "");
  EXPECT_EQ(c.Edition, 1);
  EXPECT_FALSE(c.IsDVD);
  EXPECT_FALSE(c.DebugMode);
  EXPECT_TRUE(c.notes.empty());
  for (const std::int32_t count : {c.DemoCount, c.FullCount, c.UpdateCount, c.ShareCount, c.ShotCount,
                                   c.ReaderCount, c.MovieCount, c.DriverCount, c.ExtraCount, c.Extra2Count}) {
    EXPECT_GT(count, 0);
  }
  EXPECT_EQ(c.DriverCount, 3);  // the Czech edition keeps its CZ driver
  EXPECT_EQ(c.Driver[2].Name, "DIRECTX 9.0C CZ");
  EXPECT_EQ(c.Demo[1].Name, "TOM && JERRY");
  EXPECT_EQ(c.Demo[2].Param, "mafia.ini,Mafia,Path");
  EXPECT_EQ(c.Full[2].Name, "A&&B STUDIO");
  EXPECT_EQ(c.Reader[1].Name, "\x8a\x41\x43HY");  // "ŠACHY"
  EXPECT_EQ(c.Update[3].Name, "PATCH");
  EXPECT_EQ(c.Update[4].NoRun, 1);
}

TEST_F(TestDiscTest, ItemFilesExistOnTheDisc) {
  const Catalog& c = *catalog_;
  auto check = [](const std::string& folder, const std::string& file) {
    if (file.empty()) return;
    EXPECT_TRUE(std::filesystem::exists(OnDisc(folder + "\\" + file))) << folder << "\\" << file;
  };
  for (int n = 1; n <= c.DemoCount; ++n) check(c.Demo[n].InstallDir, c.Demo[n].InstallName);
  for (int n = 1; n <= c.FullCount; ++n) check(c.Full[n].InstallDir, c.Full[n].InstallName);
  for (int n = 1; n <= c.ReaderCount; ++n) check(c.Reader[n].InstallDir, c.Reader[n].InstallName);
  for (int n = 1; n <= c.DriverCount; ++n) check(c.Driver[n].InstallDir, c.Driver[n].InstallName);
  for (int n = 1; n <= c.ExtraCount; ++n) check(c.Extra[n].InstallDir, c.Extra[n].InstallName);
  for (int n = 1; n <= c.Extra2Count; ++n) check(c.Extra2[n].InstallDir, c.Extra2[n].InstallName);
  for (int n = 1; n <= c.ShareCount; ++n)
    check("D:\\Software\\" + c.Share[n].InstallDir, c.Share[n].InstallName);
  for (int n = 1; n <= c.MovieCount; ++n) check(c.Movie[n].InstallDir, c.Movie[n].GameName);
  for (int n = 1; n <= c.UpdateCount; ++n) check("D:\\Updates", c.Update[n].FileName);
}

}  // namespace
}  // namespace norva::catalog
