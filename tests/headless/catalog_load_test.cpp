// The catalog load as the menu runs it: title, debug mode, the store's disc label, the Turkish edition, and
// stores that cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "headless/scenario.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;

class CatalogLoadTest : public ::testing::Test {
 protected:
  // A disc whose catalog (and strings.ini, when given) are the given bytes.
  fs::path Disc(const std::string& catalog, const std::string& strings_ini = {}) {
    disc_.Write("NORVA.EXE", "MZ");
    disc_.Write("Norva/NORVAXP.ini", catalog);
    if (!strings_ini.empty()) disc_.Write("Norva/strings.ini", strings_ini);
    // A catalog without items opens the Installed page first, whose illustration every disc carries.
    disc_.Write("Norva/Small/iko08_GR.bmp",
                TempDir::ReadFile(TestDisc() / "Norva" / "Small" / "iko08_GR.bmp"));
    return disc_.path();
  }
  fs::path Prefix() const { return machine_.path() / "prefix"; }
  fs::path Store() const { return Prefix() / "drive_c" / "windows" / "norva.ini"; }
  ScenarioResult Run(const fs::path& disc, const std::string& script) {
    Scenario s{Prefix(), disc};
    s.script = script;
    return s.Run();
  }

  TempDir disc_;
  TempDir machine_;
};

TEST_F(CatalogLoadTest, DvdTitleAndTheDiscLabelInTheStore) {
  const auto disc = Disc("[Main]\r\nCD=1107\r\nDVD=1\r\nCDLabel=Speci\xE1l\r\nDemos=0\r\n");
  const auto r = Run(disc, "dump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps[0]["caption"], "Norva DVD 11-2007");
  EXPECT_EQ(r.dumps[0]["is_dvd"], true);
  EXPECT_EQ(r.dumps[0]["records"]["demos"].size(), 0u);
  const std::string store = TempDir::ReadFile(Store());
  EXPECT_NE(store.find("1107=Speci\xE1l"), std::string::npos) << store;
}

TEST_F(CatalogLoadTest, DebugModeShowsTheLabelsTheNotesAndReloads) {
  std::string catalog = "[Main]\r\nCD=0206\r\nDebug=1\r\nExtra=16\r\n";
  for (int i = 1; i <= 16; ++i)
    catalog += "[Extra" + std::to_string(i) + "]\r\nName=Extra " + std::to_string(i) + "\r\n";
  const auto disc = Disc(catalog);
  const auto r = Run(disc, "answer ok\ndump\nclick DebugLabel2\nclick DebugLabel1\ndump\nanswer ok\ndump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 3u);
  const auto& first = r.dumps[0];
  EXPECT_EQ(first["app_title"], "Norva CD 02-2006 - DEBUG MODE");
  EXPECT_EQ(first["caption"], "Norva CD 02-2006") << "the window caption has no debug mark";
  EXPECT_EQ(first["debug_mode"], true);
  EXPECT_TRUE(first["controls"]["DebugLabel1"]["visible"]);
  EXPECT_TRUE(first["controls"]["DebugLabel2"]["visible"]);
  EXPECT_EQ(first["records"]["extra"].size(), 15u) << "read up to the capacity only";
  ASSERT_EQ(first["dialogs"].size(), 1u);
  EXPECT_EQ(first["dialogs"][0]["kind"], "plain");
  EXPECT_EQ(first["dialogs"][0]["text"], "Extra: 16 in the catalog, only 15 read");
  EXPECT_EQ(first["dialogs"][0]["answer"], "ok");

  // "Show ini" hands the catalog to its program; "Reload" reads the catalog again (and notes again).
  const auto& reloading = r.dumps[1];
  ASSERT_EQ(reloading["launches"].size(), 1u);
  EXPECT_EQ(reloading["launches"][0]["op"], "shell");
  EXPECT_EQ(reloading["launches"][0]["verb"], "OPEN");
  EXPECT_EQ(reloading["launches"][0]["file"], "D:\\NORVA\\NORVAXP.INI");
  EXPECT_EQ(reloading["modal"]["text"], "Extra: 16 in the catalog, only 15 read");
  EXPECT_EQ(r.dumps[2]["records"]["extra"].size(), 15u);
  EXPECT_EQ(r.dumps[2]["dialogs"].size(), 2u);
}

TEST_F(CatalogLoadTest, DebugLabelsStayHiddenWithoutDebugMode) {
  const auto r = Run(Disc("[Main]\r\nCD=0206\r\n"), "dump\nclick DebugLabel2\ndump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_FALSE(r.dumps[0]["controls"]["DebugLabel1"]["visible"]);
  EXPECT_FALSE(r.dumps[0]["controls"]["DebugLabel2"]["visible"]);
  EXPECT_TRUE(r.dumps[1]["launches"].empty()) << "a hidden label takes no click";
}

TEST_F(CatalogLoadTest, TurkishEditionReadsItsTextsInItsOwnCodePage) {
  // \xDE is S with cedilla in Windows-1254 (and T with cedilla in Windows-1250).
  const auto disc = Disc(
      "[Main]\r\nCD=0306\r\nVersion=2\r\nDemos=1\r\n[Demo1]\r\nName=\xDE"
      "ehir\r\n",
      "[MAIN]\r\nA202=DEMOLAR\r\n");
  const auto r = Run(disc, "dump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps[0]["edition"], 2);
  EXPECT_EQ(r.dumps[0]["language"], 2);
  EXPECT_EQ(r.dumps[0]["records"]["demos"][0]["Name"],
            "\xC5\x9E"
            "EHIR");
}

TEST_F(CatalogLoadTest, AStoreThatCannotBeWrittenIsLeftAloneAndTheRunGoesOn) {
  fs::create_directories(Store().parent_path());
  const std::string before = "[Main]\r\nEnhanced=0\r\n";
  std::ofstream(Store(), std::ios::binary) << before;
  fs::permissions(Store(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const auto r = Run(Disc("[Main]\r\nCD=0206\r\nCDLabel=Label\r\n"), "dump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps[0]["settings"]["enhanced"], 0) << "still read";
  EXPECT_EQ(TempDir::ReadFile(Store()), before) << "neither Language nor the label was written";
  EXPECT_TRUE(r.dumps[0]["dialogs"].empty()) << "nothing reported";
}

TEST_F(CatalogLoadTest, AStoreThatIsNoFileGivesDefaults) {
  fs::create_directories(Store());  // a folder where the store should be
  const auto r = Run(Disc("[Main]\r\nCD=0206\r\n"), "dump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps[0]["settings"], (nlohmann::ordered_json{{"enhanced", 1}, {"effects", 0}, {"music", 1}}));
  EXPECT_TRUE(fs::is_directory(Store()));
}

TEST_F(CatalogLoadTest, BinaryCatalogNeverCrashes) {
  std::string garbage;
  for (int i = 0; i < 20000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  const auto r = Run(Disc("[Main]\r\nDemos=30\r\nShareware=25\r\n" + garbage), "dump\n");
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps[0]["records"]["demos"].size(), 30u);
}

}  // namespace
}  // namespace norva::test
