// The sample disc used as a person uses it, headless: every archive item installed through the chooser and
// the unpack window (one of them broken off with Esc first), then every action button of every page, with
// what the menu launched.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "headless/scenario.h"
#include "samples/sample_disc.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

using Json = nlohmann::ordered_json;

// Installs the selected archive item with the suggested folder.
const char* const kInstall = "click PlayImage\nchooser ok\nanswer yes\nwait 300\n";
const char* const kButtons = "click PlayImage\nclick ReadmeImage\nclick WebImage\n";

std::string Icon(int slot) {
  // The lower icons are reached by scrolling the column (see the pages test).
  if (slot == 6) return "wheel down 620\nwait 1000\nclick IconLabel6 10 7\n";
  return "click DIBSection" + std::to_string(slot) + "\n";
}

std::set<std::string> Launched(const Json& dump) {
  std::set<std::string> launched;
  for (const auto& l : dump["launches"]) {
    launched.insert(l["op"] == "shell" ? l["verb"].get<std::string>() + " " + l["file"].get<std::string>()
                                       : "create " + l["cmd"].get<std::string>());
  }
  return launched;
}

TEST(SampleDiscInstall, ArchiveItemsInstallAndEveryButtonActs) {
  TempDir machine;
  std::string script;
  // Demos: Skyhopper broken off at the second block (quit: yes, delete: yes), then installed whole.
  script += "click PlayImage\nchooser ok\nanswer yes\nunpack-esc 2\nanswer yes\nanswer yes\ndump\n";
  script += kInstall;
  script += "dump\n";
  script += kButtons;
  // Pirates (a volume set): installed, then run with the version choice.
  script += std::string("key Down\n") + kInstall + "click PlayImage\nanswer 2\n";
  script += "key Down\n" + std::string(kButtons);  // Castle runs from the disc
  // Fulls: Miner, and Freighter (a forced folder only counts on the Demos and Readers pages).
  script += Icon(2) + kInstall + kButtons + "key Down\n" + kInstall;
  script += Icon(3) + "click PlayImage\n";  // a trailer
  script += Icon(4) + "click WebImage\n";   // a screenshot's web page
  script += Icon(5) + "click PlayImage\nkey Down\nclick PlayImage\nclick ReadmeImage\n";  // Extra
  script += Icon(6) + kButtons + "key Down\nclick PlayImage\n";                           // Shareware
  script += Icon(7) + "click PlayImage\n";                                                // Quillon
  // Readers: Hadanky, and Had 3D whose forced folder is confirmed by itself.
  script += Icon(8) + kInstall + "key Down\nclick PlayImage\nwait 100\nanswer yes\nwait 300\n" + kButtons;
  script += Icon(9) + "click PlayImage\nclick ReadmeImage\n";  // Updates
  script += Icon(10) + "click PlayImage\n";                    // Drivers: the setup is waited for
  script += Icon(11) + "click PlayImage\n";                    // Installed: runs the first row
  script += "dump\n";

  Scenario s{machine.path() / "prefix", SampleDisc()};
  s.script = script;
  const auto r = s.Run();
  ASSERT_EQ(r.exit_code, 0) << r.err;
  ASSERT_EQ(r.dumps.size(), 3u) << r.out;

  // The broken-off unpacking: asked, deleted, nothing recorded.
  const Json& cancelled = r.dumps[0];
  EXPECT_EQ(cancelled["records"]["demos"][0]["Installed"], 0);
  const Json& first = cancelled["dialogs"][2];
  EXPECT_EQ(first["kind"], "unpack");
  EXPECT_EQ(first["labels"], Json({"INSTALUJI SKYHOPPER", "DO", "C:\\SKYHOPPER"}));
  EXPECT_EQ(first["result"], "");
  EXPECT_EQ(cancelled["dialogs"][3]["text"], "Opravdu chcete instalaci přerušit?");
  EXPECT_EQ(cancelled["dialogs"][4]["text"], "Chcete smazat všechny soubory v adresáři C:\\SKYHOPPER ?");

  // Installed: the item turns runnable, its quick-run icon shows, the percentage went up to 100%.
  const Json& installed = r.dumps[1];
  const Json& demo = installed["records"]["demos"][0];
  EXPECT_EQ(demo["Installed"], 1);
  EXPECT_EQ(demo["InstalledDir"], "C:\\Skyhopper");
  EXPECT_EQ(installed["controls"]["PlayImage"]["tag"], 1);
  EXPECT_EQ(installed["controls"]["StopImage"]["tag"], 1);
  EXPECT_EQ(installed["controls"]["Play1"]["visible"], true);
  const Json& unpack = installed["dialogs"].back();
  EXPECT_EQ(unpack["result"], "C:\\Skyhopper");
  EXPECT_EQ(unpack["percent"].back(), "100%");
  EXPECT_GT(unpack["percent"].size(), 2u);

  const Json& end = r.dumps[2];
  EXPECT_EQ(end["records"]["demos"][1]["InstalledDir"], "C:\\Pirates");
  EXPECT_EQ(end["records"]["fulls"][0]["InstalledDir"], "C:\\Fulls\\Miner");
  EXPECT_EQ(end["records"]["fulls"][1]["InstalledDir"], "C:\\Fulls\\Freighter");
  EXPECT_EQ(end["records"]["readers"][0]["InstalledDir"], "C:\\Hadanky");
  EXPECT_EQ(end["records"]["readers"][1]["InstalledDir"], "C:\\Hry\\Had3D");
  for (const char* kind : {"demos", "fulls", "readers"}) {
    for (const auto& item : end["records"][kind]) {
      if (item["InstallType"] == 2 || item["InstallType"] == 3) {
        EXPECT_EQ(item["Installed"], 1) << item["Name"];
      }
    }
  }
  // Every dialog was answered by the script or closed by itself; no error box came up.
  for (const auto& dialog : end["dialogs"]) {
    EXPECT_NE(dialog["kind"], "error") << dialog;
    if (dialog["kind"] != "unpack") {
      EXPECT_NE(dialog["answer"], "default") << dialog;
    }
  }

  const std::set<std::string> launched = Launched(end);
  for (const char* expected : {
           "create C:\\Skyhopper\\skyhop.exe",
           "OPEN C:\\Skyhopper\\readme.txt",
           "OPEN http://www.example.com/skyhopper",
           "create C:\\Pirates\\cvsetup.exe",
           "create C:\\Fulls\\Miner\\miner.exe",
           "OPEN C:\\Fulls\\Miner\\readme.txt",
           "OPEN D:\\Quillon\\index.htm",
           "create C:\\Hry\\Had3D\\had3d.exe",
           "INSTALL D:\\Software\\DejaVu\\SETUP.INF",
       }) {
    EXPECT_TRUE(launched.count(expected)) << expected << " not in " << end["launches"];
  }
  // One launch per remaining page at least: trailer, shot page, extra, shareware, update, driver.
  EXPECT_GE(end["launches"].size(), 20u) << end["launches"];
}

}  // namespace
}  // namespace norva::test
