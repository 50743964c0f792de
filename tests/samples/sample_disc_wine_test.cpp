// The whole job of the menu on the sample disc under real Wine, through the headless script: install the
// archive item Skyhopper and the setup item Lighthouse Keeper, run both, find them on the Installed page,
// uninstall both (one from its own page, one from the Installed page), and find the Windows machine as it
// was before, apart from Wine's own bookkeeping and the menu's store.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>
#include <thread>

#include <nlohmann/json.hpp>

#include "samples/sample_disc.h"
#include "samples/wine_prefix.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// The sample programs take their switches from this variable when the menu starts them: the setup and the
// uninstaller work without asking, the game writes its marker file instead of opening a window.
constexpr const char* kSampleSwitches = "/S /marker=C:\\norva-e2e";

// What Wine changes by itself when it starts (its device classes and drivers, the network cards), and what
// the menu keeps of its own: the disc's drive type and the store (checked on its own).
const std::vector<std::string> kNotTheItems = {"CurrentControlSet\\\\Control\\\\Class\\\\", "DriverDateData",
                                               "\\\\NetworkCards", "Software\\\\Wine\\\\Drives",
                                               "windows/norva.ini"};

struct MenuRun {
  int exit_code = -1;
  std::string err;
  std::vector<Json> dumps;
};

class SampleDiscUnderWine : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto wine = FindWine();
    if (!wine) GTEST_SKIP() << "Wine is not installed (tools/install-deps.sh installs it)";
    const std::string setup = TempDir::ReadFile(SampleDisc() / "Fulls" / "Keeper" / "setup.exe");
    if (setup.rfind("MZ\r\nSample disc placeholder", 0) == 0)
      GTEST_SKIP() << "the sample disc was built without mingw-w64: its programs are placeholders";
    wine_ = *wine;
    setenv("WINEDEBUG", "-all", 1);
    setenv("WINEDLLOVERRIDES", "winemenubuilder.exe=d", 1);
    setenv("NORVA_SAMPLE_ARGS", kSampleSwitches, 1);
    const std::string error = MakeWinePrefix(wine_, prefix());
    ASSERT_EQ(error, "");
  }

  // Nothing of Wine may keep running in the prefix once it is removed.
  void TearDown() override {
    if (!wine_.empty()) RunHostProgram({WineserverBeside(wine_), "-k"});
  }

  fs::path prefix() const { return machine_.path() / "prefix"; }
  fs::path C(const std::string& relative) const { return prefix() / "drive_c" / relative; }

  // One run of the menu on the sample disc with Wine as its runner; waits until Wine has settled after it.
  MenuRun Run(const std::string& script) {
    const ProgramResult r =
        RunHostProgram({NORVA_BINARY, "--headless", "--disc", SampleDisc().string(), "--machine",
                        prefix().string(), "--runner", wine_, "--opener", "true", "--clock", "12:00"},
                       script);
    RunHostProgram({WineserverBeside(wine_), "-w"});
    MenuRun run{r.exit_code, r.err, {}};
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);)
      if (!line.empty() && line[0] == '{') run.dumps.push_back(Json::parse(line));
    return run;
  }

  // Waits (up to 30 s) for the marker file a game writes when the menu starts it.
  std::string Marker(const std::string& program) const {
    const fs::path file = C("norva-e2e/" + program + ".txt");
    for (int i = 0; i < 300 && !fs::exists(file); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return TempDir::ReadFile(file);
  }

  std::string Store() const { return TempDir::ReadFile(C("windows/norva.ini")); }

  TempDir machine_;
  std::string wine_;
};

const Json& Record(const Json& dump, const char* kind, const std::string& name) {
  static const Json none = Json::object();
  for (const auto& record : dump["records"][kind])
    if (record["Name"] == name) return record;
  return none;
}

// Pages: Demos is slot 1 and shown at start, Fulls slot 2; the Installed page is the last icon, reached
// after scrolling the icon column.
constexpr const char* kFullsPage = "click DIBSection2\n";
constexpr const char* kInstalledPage = "wheel down 620\nwait 1000\nclick DIBSection11\n";

TEST_F(SampleDiscUnderWine, InstallRunListAndUninstallLeaveTheMachineAsItWas) {
  const PrefixSnapshot before = SnapshotPrefix(prefix());

  // Install: Skyhopper unpacked into the suggested folder, Lighthouse Keeper by its own setup.
  const MenuRun install = Run("click PlayImage\nchooser ok\nanswer yes\nwait 2000\ndump\n" +
                              std::string(kFullsPage) + "click DemosLabel3\nclick PlayImage\ndump\nquit\n");
  ASSERT_EQ(install.exit_code, 0) << install.err;
  ASSERT_EQ(install.dumps.size(), 2u);
  const Json& sky = Record(install.dumps[0], "demos", "SKYHOPPER");
  EXPECT_EQ(sky.value("Installed", 0), 1) << install.dumps[0]["dialogs"];
  EXPECT_EQ(sky.value("InstalledDir", ""), "C:\\Skyhopper");
  const Json& keeper = Record(install.dumps[1], "fulls", "LIGHTHOUSE KEEPER");
  EXPECT_EQ(keeper.value("Installed", 0), 1) << install.dumps[1]["launches"];
  EXPECT_EQ(keeper.value("InstalledDir", ""), "C:\\Program Files\\Lighthouse Keeper");
  EXPECT_TRUE(fs::exists(C("Skyhopper/skyhop.exe")));
  EXPECT_TRUE(
      fs::exists(C("ProgramData/Microsoft/Windows/Start Menu/Programs/Lighthouse Keeper/"
                   "Lighthouse Keeper.lnk")));
  const PrefixSnapshot installed = SnapshotPrefix(prefix());
  EXPECT_TRUE(installed.registry.count(
      "HKLM["
      "Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\LighthouseKeeper] "
      "\"UninstallString\"=\"\\\"C:\\\\Program Files\\\\Lighthouse Keeper\\\\uninst.exe\\\"\""));

  // Run both from their pages (each game leaves its marker and ends), then look at the Installed page.
  const MenuRun play = Run("click PlayImage\n" + std::string(kFullsPage) +
                           "click DemosLabel3\nclick PlayImage\n" + kInstalledPage + "dump\nquit\n");
  ASSERT_EQ(play.exit_code, 0) << play.err;
  EXPECT_NE(Marker("skyhop").find("program=C:\\Skyhopper\\skyhop.exe\r\nfolder=C:\\Skyhopper\r\n"),
            std::string::npos);
  EXPECT_NE(Marker("keeper").find("folder=C:\\Program Files\\Lighthouse Keeper\r\n"), std::string::npos);
  ASSERT_EQ(play.dumps.size(), 1u);
  const Json& page = play.dumps[0];
  EXPECT_EQ(page["page_kind"], 20);
  for (const auto& [name, dir] : {std::pair{"SKYHOPPER", "C:\\Skyhopper"},
                                  std::pair{"LIGHTHOUSE KEEPER", "C:\\Program Files\\Lighthouse Keeper"}}) {
    const Json& row = Record(page, "installed", name);
    EXPECT_EQ(row.value("InstalledDir", ""), dir) << name << ": " << page["records"]["installed"];
    EXPECT_EQ(row.value("TechInfo", ""), "NORVA 12-06") << name;
  }
  fs::remove_all(C("norva-e2e"));

  // Uninstall Lighthouse Keeper from its page (its uninstaller from the registry), then Skyhopper from the
  // Installed page (the uninstaller unpacked with it).
  const MenuRun remove = Run(std::string(kFullsPage) + "click DemosLabel3\nclick StopImage\ndump\n" +
                             kInstalledPage + "dump\nclick StopImage\ndump\nquit\n");
  ASSERT_EQ(remove.exit_code, 0) << remove.err;
  ASSERT_EQ(remove.dumps.size(), 3u);
  EXPECT_EQ(Record(remove.dumps[0], "fulls", "LIGHTHOUSE KEEPER").value("Installed", 1), 0);
  EXPECT_EQ(remove.dumps[1]["records"]["installed"].size(), 1u) << "the Lighthouse Keeper entry is gone";
  EXPECT_TRUE(remove.dumps[2]["records"]["installed"].empty());
  EXPECT_EQ(Record(remove.dumps[2], "demos", "SKYHOPPER").value("Installed", 1), 0);
  EXPECT_TRUE(remove.dumps[2]["dialogs"].empty()) << "nothing asked: " << remove.dumps[2]["dialogs"];
  const std::string store = Store();
  EXPECT_EQ(store.find("SKYHOPPER"), std::string::npos) << store;
  EXPECT_EQ(store.find("LIGHTHOUSE KEEPER"), std::string::npos) << store;

  const auto changes = PrefixChanges(before, SnapshotPrefix(prefix()), kNotTheItems);
  EXPECT_TRUE(changes.empty()) << ::testing::PrintToString(changes);
}

}  // namespace
}  // namespace norva::test
