// The Installed page as a script reaches it on the test disc: the icon at the end of the column opens it
// over the machine's install store, and the Demos icon leads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "headless/scenario.h"
#include "support/fake_runner.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string Caption(const nlohmann::ordered_json& dump, const char* control) {
  return dump["controls"][control]["caption"];
}

TEST(InstalledPageScenario, TheInstalledIconOpensThePageAndDemosLeadBack) {
  TempDir machine;
  const fs::path c_drive = machine.path() / "prefix" / "drive_c";
  WriteFile(c_drive / "windows" / "norva.ini",
            "[Main]\r\nLanguage=1\r\n"
            "[CD0105]\r\nMAFIA=C:\\Games\\Mafia\r\nMAFIA_=Mafia.exe,,,\r\n"
            "LOST=C:\\Games\\Lost\r\nLOST_=Lost.exe,,,\r\n");
  WriteFile(c_drive / "Games" / "Mafia" / "Mafia.exe", "MZ");

  Scenario s{machine.path() / "prefix", TestDisc()};
  s.script =
      "wheel down 620\nwait 1000\nclick DIBSection11\ndump\n"
      "wheel up 620\nwait 1000\nclick DIBSection1\ndump\n";
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 2u);

  const auto& installed = r.dumps[0];
  EXPECT_EQ(installed["page_kind"], 20);
  EXPECT_EQ(installed["selected_icon"], 11);
  EXPECT_EQ(Caption(installed, "DemosLabel1"), "MAFIA");
  EXPECT_EQ(Caption(installed, "DemosLabel2"), "");
  EXPECT_EQ(Caption(installed, "NameLabel"), "MAFIA");
  EXPECT_EQ(Caption(installed, "FirmLabel"), "NORVA 01-05");
  EXPECT_EQ(Caption(installed, "PositionLabel"), "1 z 1");
  ASSERT_EQ(installed["records"]["installed"].size(), 1u);
  EXPECT_EQ(TempDir::ReadFile(c_drive / "windows" / "norva.ini").find("LOST"), std::string::npos)
      << "the entry whose program is gone was removed";

  const auto& demos = r.dumps[1];
  EXPECT_EQ(demos["page_kind"], 1);
  EXPECT_EQ(demos["selected_icon"], 1);
  EXPECT_EQ(Caption(demos, "DemosLabel1"), demos["records"]["demos"][0]["Name"]);
  EXPECT_EQ(Caption(demos, "PositionLabel").substr(0, 4), "1 z ");
}

// An item recorded by issue 0105 is uninstalled from the Installed page of issue 0206: its uninstaller runs
// to its end before the script goes on, the leftover question is answered, and the page is rebuilt.
TEST(InstalledPageScenario, UninstallFromThePage) {
  TempDir machine;
  const fs::path c_drive = machine.path() / "prefix" / "drive_c";
  WriteFile(c_drive / "windows" / "norva.ini",
            "[Main]\r\nLanguage=1\r\n"
            "[CD0105]\r\nMAFIA=C:\\Games\\Mafia\r\nMAFIA_=Mafia.exe,,,\r\n"
            "QUAKE=C:\\Games\\Quake\r\nQUAKE_=QUAKE.EXE,,FWquake.ini,\r\n"
            "QUAKE__=C:\\Games\\Quake\\UNINST.EXE /x\r\n");
  WriteFile(c_drive / "Games" / "Mafia" / "Mafia.exe", "MZ");
  WriteFile(c_drive / "Games" / "Quake" / "QUAKE.EXE", "MZ");
  WriteFile(c_drive / "Games" / "Quake" / "save" / "s1.sav", "save");
  WriteFile(c_drive / "windows" / "quake.ini", "[Quake]");
  WriteWindowsProgram(c_drive / "Games" / "Quake" / "UNINST.EXE", "sleep 0.2; rm -f QUAKE.EXE UNINST.EXE\n");

  Scenario s{machine.path() / "prefix", TestDisc()};
  s.runner = FakeRunnerCommand();
  s.script =
      "wheel down 620\nwait 1000\nclick DIBSection11\nclick DemosLabel2\nclick StopImage\nanswer yes\ndump\n";
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 1u);
  const auto& dump = r.dumps[0];
  ASSERT_EQ(dump["launches"].size(), 1u);
  EXPECT_EQ(dump["launches"][0]["cmd"], "C:\\Games\\Quake\\UNINST.EXE /x");
  EXPECT_EQ(dump["launches"][0]["exit_code"], 0);
  const auto& question = dump["dialogs"].back();
  EXPECT_EQ(question["kind"], "confirmation");  // message 34 of the disc's Czech interface
  EXPECT_NE(question["text"].get<std::string>().find(" C:\\GAMES\\QUAKE "), std::string::npos);
  EXPECT_EQ(question["answer"], "yes");
  EXPECT_FALSE(fs::exists(c_drive / "Games" / "Quake"));
  EXPECT_FALSE(fs::exists(c_drive / "windows" / "quake.ini"));
  ASSERT_EQ(dump["records"]["installed"].size(), 1u);
  EXPECT_EQ(dump["item_index"], 1);
  EXPECT_EQ(Caption(dump, "NameLabel"), "MAFIA");
  EXPECT_EQ(TempDir::ReadFile(c_drive / "windows" / "norva.ini").find("QUAKE"), std::string::npos);
}

}  // namespace
}  // namespace norva::test
