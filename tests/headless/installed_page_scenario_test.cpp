// The Installed page as a script reaches it on the test disc: the icon at the end of the column opens it
// over the machine's install store, and the Demos icon leads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "headless/scenario.h"
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

}  // namespace
}  // namespace norva::test
