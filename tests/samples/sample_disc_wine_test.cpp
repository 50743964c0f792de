// The whole job of the menu on the sample disc under real Wine, through the headless script: install the
// archive item Skyhopper, the setup item Lighthouse Keeper, Comet Courier (an NSIS setup) and Harbour Cranes
// (a Windows Installer package), run them, find them on the Installed page, uninstall them (from their own
// pages, Skyhopper from the Installed page), and find the Windows machine as it was before, apart from
// Wine's own bookkeeping and the menu's store. The disc's programs are 32-bit ones, so Wine's 32-bit half
// must be there.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
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
// uninstaller work without asking, the game writes its marker file instead of opening a window. The NSIS
// uninstaller's copy in the temporary folder takes 7 s, longer than the menu's bounded wait for Wine's
// server: only a wait that follows the copy sees the item gone.
constexpr const char* kSampleSwitches = "/S /pause=7000 /marker=C:\\norva-e2e";

// What Wine changes by itself when it starts (its device classes and drivers, the network cards), and what
// the menu keeps of its own: the disc's drive type and the store (checked on its own). An NSIS uninstaller
// runs a copy of itself from the temp folder and leaves that copy's folder for Windows to delete at its next
// start.
const std::vector<std::string> kNotTheItems = {"CurrentControlSet\\\\Control\\\\Class\\\\",
                                               "DriverDateData",
                                               "\\\\NetworkCards",
                                               "Software\\\\Wine\\\\Drives",
                                               "windows/norva.ini",
                                               "Temp/~nsu",
                                               "PendingFileRenameOperations"};

// Windows Installer, once used, keeps its (then empty) folder of cached packages and the keys above its
// records of products; records of a product itself, or a cached package, still count as changes.
bool IsWindowsInstallerFrame(const std::string& change) {
  static const std::regex frame(
      R"(\+ (windows/Installer|HKLM\[Software\\\\(Classes|Microsoft\\\\Windows\\\\CurrentVersion)\\\\Installer)"
      R"((\\\\(Features|Products|UpgradeCodes|UserData(\\\\S-1-5-18(\\\\(Components|Products))?)?))?\]))");
  return std::regex_match(change, frame);
}

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
    // One of the disc's 32-bit programs, run by hand, tells whether Wine can run them at all.
    const ProgramResult game = RunHostProgram({wine_, (SampleDisc() / "Updates" / "sf101.exe").string()});
    RunHostProgram({WineserverBeside(wine_), "-w"});
    const bool ran = fs::exists(C("norva-e2e/sf101.txt"));
    fs::remove_all(C("norva-e2e"));
    if (!ran && !HasWine32Half())
      GTEST_SKIP() << "Wine's 32-bit half is missing (wine32:i386), so the disc's 32-bit programs cannot run";
    ASSERT_TRUE(ran) << "a 32-bit program of the disc did not run: " << game.err;
  }

  bool HasWine32Half() const {
    for (const char* dir : {"/usr/lib/i386-linux-gnu/wine", "/usr/lib/wine", "/usr/lib32/wine"})
      if (fs::exists(fs::path(dir) / "i386-windows" / "ntdll.dll")) return true;
    return fs::exists(fs::path(wine_).parent_path() / ".." / "lib" / "wine" / "i386-windows" / "ntdll.dll");
  }

  // Nothing of Wine may keep running in the prefix once it is removed.
  void TearDown() override {
    if (!wine_.empty()) RunHostProgram({WineserverBeside(wine_), "-k"});
  }

  fs::path prefix() const { return machine_.path() / "prefix"; }
  fs::path C(const std::string& relative) const { return prefix() / "drive_c" / relative; }

  // One run of the menu on the sample disc with Wine as its runner; waits until Wine has settled after it.
  MenuRun Run(const std::string& script, const fs::path& disc = SampleDisc()) {
    const ProgramResult r =
        RunHostProgram({NORVA_BINARY, "--headless", "--disc", disc.string(), "--machine", prefix().string(),
                        "--runner", wine_, "--opener", "true", "--clock", "12:00"},
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
// after scrolling the icon column. On the Fulls page Lighthouse Keeper is the third row, Comet Courier the
// sixth and Harbour Cranes the seventh.
constexpr const char* kFullsPage = "click DIBSection2\n";
constexpr const char* kInstalledPage = "wheel down 620\nwait 1000\nclick DIBSection11\n";
constexpr const char* kKeeper = "click DemosLabel3\n";
constexpr const char* kCourier = "click DemosLabel6\n";
constexpr const char* kCranes = "click DemosLabel7\n";

const std::string kKeeperDir = "C:\\Program Files (x86)\\Lighthouse Keeper";
const std::string kCourierDir = "C:\\Program Files (x86)\\Nebula Post\\Comet Courier";
const std::string kCranesDir = "C:\\Program Files (x86)\\Harbour Cranes";

TEST_F(SampleDiscUnderWine, InstallRunListAndUninstallLeaveTheMachineAsItWas) {
  const PrefixSnapshot before = SnapshotPrefix(prefix());

  // Install: Skyhopper unpacked into the suggested folder, Lighthouse Keeper and Comet Courier by their
  // setups (waited for), Harbour Cranes handed to Windows Installer (not waited for: the run after it ends
  // when Wine has finished).
  const MenuRun install =
      Run("click PlayImage\nchooser ok\nanswer yes\nwait 2000\ndump\n" + std::string(kFullsPage) + kKeeper +
          "click PlayImage\n" + kCourier + "click PlayImage\n" + kCranes + "click PlayImage\ndump\nquit\n");
  ASSERT_EQ(install.exit_code, 0) << install.err;
  ASSERT_EQ(install.dumps.size(), 2u);
  const Json& sky = Record(install.dumps[0], "demos", "SKYHOPPER");
  EXPECT_EQ(sky.value("Installed", 0), 1) << install.dumps[0]["dialogs"];
  EXPECT_EQ(sky.value("InstalledDir", ""), "C:\\Skyhopper");
  const Json& fulls = install.dumps[1];
  for (const auto& [name, dir] :
       {std::pair{"LIGHTHOUSE KEEPER", kKeeperDir}, std::pair{"COMET COURIER", kCourierDir}}) {
    const Json& item = Record(fulls, "fulls", name);
    EXPECT_EQ(item.value("Installed", 0), 1) << name << ": " << fulls["launches"];
    EXPECT_EQ(item.value("InstalledDir", ""), dir) << name;
  }
  const std::string programs = "ProgramData/Microsoft/Windows/Start Menu/Programs/";
  EXPECT_TRUE(fs::exists(C("Skyhopper/skyhop.exe")));
  EXPECT_TRUE(fs::exists(C(programs + "Lighthouse Keeper/Lighthouse Keeper.lnk")));
  EXPECT_TRUE(fs::exists(C(programs + "Comet Courier/Comet Courier.lnk")));
  EXPECT_TRUE(fs::exists(C("users/Public/Desktop/Comet Courier.lnk")));
  EXPECT_TRUE(fs::exists(C("Program Files (x86)/Harbour Cranes/cranes.exe"))) << fulls["launches"];
  const PrefixSnapshot installed = SnapshotPrefix(prefix());
  const std::string uninstall =
      "HKLM[Software\\\\Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\";
  EXPECT_TRUE(installed.registry.count(uninstall +
                                       "LighthouseKeeper] \"UninstallString\"=\"\\\"C:\\\\Program Files "
                                       "(x86)\\\\Lighthouse Keeper\\\\uninst.exe\\\"\""));
  EXPECT_TRUE(installed.registry.count(uninstall +
                                       "CometCourier] \"UninstallString\"=\"\\\"C:\\\\Program Files "
                                       "(x86)\\\\Nebula Post\\\\Comet Courier\\\\uninst.exe\\\"\""));
  EXPECT_TRUE(installed.registry.count(uninstall + "{5E0C2A9B-6B1F-4C38-9A53-2C7D1E4F8A10}]"));

  // Run all four from their pages (each game leaves its marker and ends), then look at the Installed page.
  const MenuRun play =
      Run("click PlayImage\n" + std::string(kFullsPage) + kKeeper + "click PlayImage\n" + kCourier +
          "click PlayImage\n" + kCranes + "click PlayImage\n" + kInstalledPage + "dump\nquit\n");
  ASSERT_EQ(play.exit_code, 0) << play.err;
  EXPECT_NE(Marker("skyhop").find("program=C:\\Skyhopper\\skyhop.exe\r\nfolder=C:\\Skyhopper\r\n"),
            std::string::npos);
  for (const auto& [program, dir] :
       {std::pair{"keeper", kKeeperDir}, std::pair{"courier", kCourierDir}, std::pair{"cranes", kCranesDir}})
    EXPECT_NE(Marker(program).find("folder=" + dir + "\r\n"), std::string::npos) << program;
  ASSERT_EQ(play.dumps.size(), 1u);
  const Json& page = play.dumps[0];
  EXPECT_EQ(page["page_kind"], 20);
  for (const auto& [name, dir] :
       {std::pair{"SKYHOPPER", std::string("C:\\Skyhopper")}, std::pair{"LIGHTHOUSE KEEPER", kKeeperDir},
        std::pair{"COMET COURIER", kCourierDir}, std::pair{"HARBOUR CRANES", kCranesDir}}) {
    const Json& row = Record(page, "installed", name);
    EXPECT_EQ(row.value("InstalledDir", ""), dir) << name << ": " << page["records"]["installed"];
    EXPECT_EQ(row.value("TechInfo", ""), "NORVA 12-06") << name;
  }
  fs::remove_all(C("norva-e2e"));

  // Uninstall Lighthouse Keeper, Comet Courier and Harbour Cranes from their page (each by the uninstaller
  // its Uninstall key names), then Skyhopper from the Installed page (the uninstaller unpacked with it).
  const MenuRun remove =
      Run(std::string(kFullsPage) + kKeeper + "click StopImage\n" + kCourier + "click StopImage\n" + kCranes +
          "click StopImage\ndump\n" + kInstalledPage + "dump\nclick StopImage\ndump\nquit\n");
  ASSERT_EQ(remove.exit_code, 0) << remove.err;
  ASSERT_EQ(remove.dumps.size(), 3u);
  for (const char* name : {"LIGHTHOUSE KEEPER", "COMET COURIER", "HARBOUR CRANES"})
    EXPECT_EQ(Record(remove.dumps[0], "fulls", name).value("Installed", 1), 0) << name;
  EXPECT_EQ(remove.dumps[1]["records"]["installed"].size(), 1u) << remove.dumps[1]["records"]["installed"];
  EXPECT_TRUE(remove.dumps[2]["records"]["installed"].empty());
  EXPECT_EQ(Record(remove.dumps[2], "demos", "SKYHOPPER").value("Installed", 1), 0);
  // No question about files left behind: each uninstaller had finished before the menu looked.
  EXPECT_TRUE(remove.dumps[2]["dialogs"].empty()) << "asked: " << remove.dumps[2]["dialogs"];
  const std::string store = Store();
  for (const char* name : {"SKYHOPPER", "LIGHTHOUSE KEEPER", "COMET COURIER", "HARBOUR CRANES"})
    EXPECT_EQ(store.find(name), std::string::npos) << name << ": " << store;

  auto changes = PrefixChanges(before, SnapshotPrefix(prefix()), kNotTheItems);
  std::erase_if(changes, IsWindowsInstallerFrame);
  EXPECT_TRUE(changes.empty()) << ::testing::PrintToString(changes);
}

// The disc's images, as people keep cover discs now: the menu opens each for its run, a setup runs from the
// image's drive and an archive unpacks from it, and nothing stays mounted after the run.
TEST_F(SampleDiscUnderWine, InstallsFromTheDiscsImages) {
  const fs::path iso = SampleDisc().string() + ".iso";
  const fs::path cue = SampleDisc().string() + ".cue";
  if (!fs::exists(iso) || !fs::exists(cue))
    GTEST_SKIP() << "the sample disc's images were not built (xorriso)";
  // Other tests may serve images of their own meanwhile: only these two count.
  const auto mounted = [&] {
    const std::string mounts = TempDir::ReadFile("/proc/self/mountinfo");
    return mounts.find("fuse.norva-disc " + fs::canonical(iso).string()) != std::string::npos ||
           mounts.find("fuse.norva-disc " + fs::canonical(cue).string()) != std::string::npos;
  };
  ASSERT_FALSE(mounted()) << "the sample disc's image is mounted before the test";

  const MenuRun keeper = Run(std::string(kFullsPage) + kKeeper + "click PlayImage\ndump\nquit\n", iso);
  if (keeper.exit_code == 1 && keeper.err.find("FUSE") != std::string::npos) GTEST_SKIP() << keeper.err;
  ASSERT_EQ(keeper.exit_code, 0) << keeper.err;
  ASSERT_EQ(keeper.dumps.size(), 1u);
  EXPECT_EQ(keeper.dumps[0]["disc_root"], "D:");
  const Json& item = Record(keeper.dumps[0], "fulls", "LIGHTHOUSE KEEPER");
  EXPECT_EQ(item.value("Installed", 0), 1) << keeper.dumps[0]["launches"];
  EXPECT_EQ(item.value("InstalledDir", ""), kKeeperDir);
  EXPECT_FALSE(mounted());

  const MenuRun sky = Run("click PlayImage\nchooser ok\nanswer yes\nwait 2000\ndump\nquit\n", cue);
  ASSERT_EQ(sky.exit_code, 0) << sky.err;
  ASSERT_EQ(sky.dumps.size(), 1u);
  EXPECT_EQ(Record(sky.dumps[0], "demos", "SKYHOPPER").value("Installed", 0), 1) << sky.dumps[0]["dialogs"];
  EXPECT_EQ(TempDir::ReadFile(C("Skyhopper/skyhop.exe")).rfind("MZ", 0),
            0u);  // unpacked whole from the image
  EXPECT_FALSE(mounted());
}

}  // namespace
}  // namespace norva::test
