// Start-up as a person meets it: from the disc, from a copy on C:, without a disc, without a catalog.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "headless/scenario.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;

class StartupTest : public ::testing::Test {
 protected:
  fs::path Prefix() const { return scratch_.path() / "prefix"; }
  // Points a drive letter of the prefix at a folder, as a second drive of the machine.
  void Link(char letter, const fs::path& target) {
    fs::create_directories(Prefix() / "dosdevices");
    fs::create_symlink(target, Prefix() / "dosdevices" / (std::string(1, letter) + ":"));
  }

  TempDir scratch_;
};

TEST_F(StartupTest, FromTheDiscShowsTheIssueTitleAndEveryKind) {
  Scenario s{Prefix(), TestDisc()};
  s.script = "dump\n";
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 1u);
  const auto& d = r.dumps[0];
  EXPECT_EQ(d["caption"], "Norva CD 02-2006");
  EXPECT_EQ(d["app_title"], "Norva CD 02-2006");
  EXPECT_EQ(d["disc_root"], "D:");
  EXPECT_EQ(d["norva_dir"], "D:\\NORVA\\");
  EXPECT_EQ(d["issue_code"], "0206");
  EXPECT_EQ(d["os_name"], "Windows NT");
  EXPECT_EQ(d["folders"]["WindowsDir"], "C:\\windows\\");
  EXPECT_EQ(d["folders"]["SystemDir"], "C:\\windows\\system32\\");
  EXPECT_EQ(d["folders"]["ProgramFilesDir"], "C:\\Program Files\\");
  EXPECT_EQ(d["controls"]["CDNumberLabel"]["caption"], "0206");
  for (const char* kind : {"demos", "fulls", "updates", "shareware", "shots", "readers", "movies", "drivers",
                           "extra", "extra2"}) {
    EXPECT_FALSE(d["records"][kind].empty()) << kind;
  }
  EXPECT_TRUE(d["records"]["installed"].empty());
  EXPECT_TRUE(d["timers"]["StartTimer"]["enabled"]);
  EXPECT_EQ(d["timers"]["StartTimer"]["interval"], 5000);
  EXPECT_TRUE(d["dialogs"].empty());
  EXPECT_TRUE(d["modal"].is_null());
}

TEST_F(StartupTest, StoreGetsTheLanguageAndSettingsComeFromIt) {
  fs::create_directories(Prefix() / "drive_c" / "windows");
  std::ofstream(Prefix() / "drive_c" / "windows" / "norva.ini")
      << "[Main]\r\nEnhanced=0\r\nSlow=1\r\nMusic=0\r\n";
  Scenario s{Prefix(), TestDisc()};
  s.script = "dump\n";
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps[0]["settings"], (nlohmann::ordered_json{{"enhanced", 0}, {"effects", 1}, {"music", 0}}));
  const std::string store = TempDir::ReadFile(Prefix() / "drive_c" / "windows" / "norva.ini");
  EXPECT_NE(store.find("Language=1"), std::string::npos) << store;
  EXPECT_NE(store.find("Slow=1"), std::string::npos) << store;
}

TEST_F(StartupTest, ACopyOnCFindsTheDiscPastADriveWithoutCatalog) {
  TempDir other;
  other.Write("NORVA.EXE", "MZ");  // a disc of something else: no \Norva\NORVAXP.ini
  Link('d', other.path());
  Link('f', TestDisc());
  Scenario s{Prefix(), std::nullopt};
  s.script = "dump\n";
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps[0]["disc_root"], "F:");
  EXPECT_EQ(r.dumps[0]["issue_code"], "0206");
}

TEST_F(StartupTest, NoDiscEndsWithTheErrorBoxAndStatusOne) {
  Scenario s{Prefix(), std::nullopt};
  s.script = "answer ok\ndump\n";
  const auto r = s.Run();
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_TRUE(r.dumps.empty()) << "the script must not run after the program ended";
}

TEST_F(StartupTest, NoDiscErrorIsAnsweredByTheScript) {
  Scenario s{Prefix(), std::nullopt};
  s.script = "dump\nanswer ok\n";
  const auto r = s.Run();
  EXPECT_EQ(r.exit_code, 1);
  ASSERT_EQ(r.dumps.size(), 1u);
  const auto& modal = r.dumps[0]["modal"];
  EXPECT_EQ(modal["kind"], "error");
  EXPECT_EQ(modal["text"], "There is no NORVA CD/DVD in any drive...");
  EXPECT_EQ(modal["buttons"], nlohmann::ordered_json::array({"OK"}));
  EXPECT_TRUE(modal["answer"].is_null());
}

TEST_F(StartupTest, MissingCatalogEndsWithItsOwnMessage) {
  TempDir disc;
  disc.Write("NORVA.EXE", "MZ");
  disc.Write("Norva/readme.txt", "no catalog here");
  Scenario s{Prefix(), disc.path()};
  s.script = "dump\n";
  const auto r = s.Run();
  EXPECT_EQ(r.exit_code, 1);
  ASSERT_EQ(r.dumps.size(), 1u);
  EXPECT_EQ(r.dumps[0]["modal"]["text"], "Where is my NORVAXP.INI?????");
  EXPECT_EQ(r.dumps[0]["disc_root"], "D:");
}

TEST_F(StartupTest, NightModeFollowsTheClockAtStart) {
  for (auto [minutes, night] : {std::pair{19 * 60 + 59, 0}, {20 * 60, 1}, {7 * 60 + 59, 1}, {8 * 60, 0}}) {
    Scenario s{Prefix(), TestDisc()};
    s.clock_minutes = minutes;
    s.script = "dump\n";
    const auto r = s.Run();
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(r.dumps[0]["night_mode"], night) << minutes;
  }
}

TEST_F(StartupTest, NarrowScreenTurnsTheBorderOffForTheRunOnly) {
  Scenario s{Prefix(), TestDisc()};
  s.screen_width = 800;
  s.screen_height = 600;
  s.script = "dump\n";
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.dumps[0]["settings"]["enhanced"], 0);
  const std::string store = TempDir::ReadFile(Prefix() / "drive_c" / "windows" / "norva.ini");
  EXPECT_EQ(store.find("Enhanced"), std::string::npos) << store;
}

TEST_F(StartupTest, StartTimerFiresOnceAndStartsTheAnimations) {
  Scenario s{Prefix(), TestDisc()};
  s.script = "wait 4999\ndump\nwait 1\ndump\n";
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 2u);
  EXPECT_TRUE(r.dumps[0]["timers"]["StartTimer"]["enabled"]);
  EXPECT_FALSE(r.dumps[0]["timers"]["AnimationTimer"]["enabled"]);
  EXPECT_FALSE(r.dumps[1]["timers"]["StartTimer"]["enabled"]);
  EXPECT_TRUE(r.dumps[1]["timers"]["AnimationTimer"]["enabled"]);
}

}  // namespace
}  // namespace norva::test
