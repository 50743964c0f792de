// Against a real Wine prefix made by wineboot: the registry while a wineserver runs and while none does, the
// 32-bit view of a 64-bit prefix, the disc as a CD drive for Windows programs, and a prefix the menu made.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "catalog/records.h"
#include "installed/detection.h"
#include "installed/system_folders.h"
#include "platform/wine/image_mount.h"
#include "platform/wine/live_registry.h"
#include "platform/wine/prefix.h"
#include "platform/wine/reg_file.h"
#include "platform/wine/wine_machine.h"
#include "platform/wine/wine_platform.h"
#include "platform/wine/wine_registry.h"
#include "platform/wine/wineserver_probe.h"
#include "support/fake_runner.h"
#include "support/temp_dir.h"
#include "support/wine_prefix.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kHraCast[] = "Hra \xE8\xE1st";  // "Hra část" in Windows-1250, as the menu hands it in

class RealWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    fixture_ = test::WinePrefixCopy::Fixture(&why);
    if (!fixture_) GTEST_SKIP() << why;
    prefix_ = std::make_unique<test::WinePrefixCopy>(*fixture_, dir_.path() / "prefix");
  }
  std::string SystemReg() const { return test::TempDir::ReadFile(prefix_->path() / "system.reg"); }
  // What a 32-bit installer does: `reg add ... /reg:32`.
  void Add32(const std::string& key, const std::string& name, const std::string& value) const {
    ASSERT_EQ(prefix_->Wine({"reg", "add", "HKLM\\" + key, "/v", name, "/d", value, "/reg:32", "/f"}), 0);
  }
  bool WineSeesKey(const std::string& key) const {
    return prefix_->Wine({"reg", "query", "HKLM\\" + key, "/reg:32"}) == 0;
  }

  test::TempDir dir_;
  std::optional<fs::path> fixture_;
  std::unique_ptr<test::WinePrefixCopy> prefix_;
};

TEST_F(RealWineTest, WhileAServerRunsReadsAndDeletionsGoThroughWine) {
  prefix_->StartServer();
  ASSERT_TRUE(WineserverRunning(prefix_->path()));
  const std::string game = std::string(kUninstall) + "Norva Game";
  const std::string czech = std::string(kUninstall) + "Hra \xC4\x8D\xC3\xA1st";  // UTF-8 on the command line
  Add32(game, "UninstallString", "C:\\Games\\Norva\\unins000.exe");
  Add32(czech, "UninstallString", "C:\\Hry\\unins000.exe");
  Add32("Software\\Norva Vendor\\Game", "Path", "C:\\Games\\32");
  ASSERT_EQ(prefix_->Wine({"reg", "add", "HKLM\\Software\\Norva Vendor\\Game", "/v", "Path", "/d",
                           "C:\\Games\\64", "/reg:64", "/f"}),
            0);
  ASSERT_EQ(prefix_->Wine({"reg", "add", "HKLM\\Software\\Norva Vendor\\Game", "/v", "Only64", "/d", "yes",
                           "/reg:64", "/f"}),
            0);
  // The server holds what the files do not have yet.
  ASSERT_EQ(SystemReg().find("Norva Game"), std::string::npos);

  WineRegistry registry(prefix_->path());
  EXPECT_TRUE(registry.IsWin64());
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, game, "UninstallString"),
            "C:\\Games\\Norva\\unins000.exe");
  EXPECT_EQ(
      registry.ReadString(RegRoot::kLocalMachine, std::string(kUninstall) + kHraCast, "UninstallString"),
      "C:\\Hry\\unins000.exe");
  // The 32-bit view first; a value only a 64-bit installer wrote is still found.
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "SOFTWARE\\Norva Vendor\\Game", "Path"),
            "C:\\Games\\32");
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "Software\\Norva Vendor\\Game", "Only64"), "yes");
  // A page's detection of thirty items costs one call to Wine.
  for (int item = 0; item < 30; ++item) {
    registry.ReadString(RegRoot::kLocalMachine, std::string(kUninstall) + "Item " + std::to_string(item),
                        "UninstallString");
  }
  EXPECT_EQ(registry.snapshots_taken(), 1);

  // Deletions reach the server, and its next save keeps them.
  EXPECT_TRUE(registry.DeleteKey(RegRoot::kLocalMachine, std::string(kUninstall) + kHraCast));
  EXPECT_TRUE(registry.DeleteKey(RegRoot::kLocalMachine, game));
  EXPECT_FALSE(registry.KeyExists(RegRoot::kLocalMachine, game));
  EXPECT_TRUE(registry.DeleteValue(RegRoot::kLocalMachine, "Software\\Norva Vendor\\Game", "Path"));
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, "Software\\Norva Vendor\\Game", "Path"),
            std::nullopt);
  EXPECT_FALSE(WineSeesKey(game));
  EXPECT_FALSE(WineSeesKey(czech));
  prefix_->StopServer();
  EXPECT_FALSE(WineserverRunning(prefix_->path()));
  const std::string saved = SystemReg();
  EXPECT_EQ(saved.find("Norva Game"), std::string::npos);
  EXPECT_EQ(saved.find("C:\\\\Hry"), std::string::npos);
  EXPECT_EQ(saved.find("C:\\\\Games\\\\32"), std::string::npos);
  EXPECT_EQ(saved.find("C:\\\\Games\\\\64"), std::string::npos);  // both views lost the value
  EXPECT_NE(saved.find("\"Only64\"=\"yes\""), std::string::npos);
}

// Detection of what 32-bit installers left while a Windows program keeps the server alive: found, and
// recorded in the store, rather than reported missing with the store's entries deleted.
TEST_F(RealWineTest, DetectionFindsA32BitInstallWhileAServerRuns) {
  fs::create_directories(dir_.path() / "disc/Norva");
  std::string error;
  auto machine =
      WinePlatform::Open({prefix_->path(), dir_.path() / "disc", std::nullopt, std::nullopt, true}, &error);
  ASSERT_NE(machine, nullptr) << error;
  // The games' folders lie on the disc: drive_c is shared with the other tests.
  for (const char* file : {"GAMES/UNINST/GAME.EXE", "GAMES/APPKEY/GAME.EXE"})
    dir_.Write("disc/" + std::string(file), "MZ");
  prefix_->StartServer();
  Add32(std::string(kUninstall) + "Norva Uninst", "UninstallString", "D:\\GAMES\\UNINST\\unins000.exe");
  Add32("Software\\Norva Firm\\App", "Path", "D:\\GAMES\\APPKEY\\GAME.EXE");
  const installed::SystemFolders folders =
      installed::LoadSystemInfo(machine->machine().system(), machine->machine().registry());
  std::unique_ptr<IniFile> store = machine->platform().ini.Open("norva.ini");
  installed::Detector detector(machine->platform(), folders, *store, "D:", "0206",
                               CodePage::kCentralEuropean);
  catalog::TDemos by_uninstaller;
  by_uninstaller.Name = "UNINST";
  by_uninstaller.InstallType = 5;
  by_uninstaller.DirDetect = 7;
  by_uninstaller.RegUninstall = "Norva Uninst";
  by_uninstaller.GameName = "GAME.EXE";
  catalog::TDemos by_app_key = by_uninstaller;
  by_app_key.Name = "APPKEY";
  by_app_key.DirDetect = 2;
  by_app_key.RegUninstall = "";
  by_app_key.RegKey = "Norva Firm\\App";
  by_app_key.RegName = "Path";
  for (catalog::TDemos* item : {&by_uninstaller, &by_app_key}) {
    detector.CheckDemo(*item);
    EXPECT_EQ(item->Installed, 1) << item->Name;
    EXPECT_EQ(store->ReadString("CD0206", item->Name, ""), "D:\\GAMES\\" + item->Name) << item->Name;
  }
}

TEST_F(RealWineTest, TheHelperAndWinesOwnExportGiveTheSameSnapshot) {
  prefix_->StartServer();
  const std::string key = std::string(kUninstall) + "Norva Both";
  Add32(key, "UninstallString", "C:\\Both\\unins000.exe");
  ASSERT_EQ(prefix_->Wine(
                {"reg", "add", "HKCU\\Software\\Norva Both", "/v", "Dir", "/d", "C:\\Hry\\\xC4\x8D", "/f"}),
            0);
  std::vector<LiveRegistry> ways;
  ways.emplace_back(prefix_->path(), DefaultWineCommand(), fs::path());
  if (!DefaultRegistrySaveHelper().empty())
    ways.emplace_back(prefix_->path(), DefaultWineCommand(), DefaultRegistrySaveHelper());
  for (LiveRegistry& way : ways) {
    const std::optional<LiveRegistry::Snapshot> snapshot = way.Export();
    ASSERT_TRUE(snapshot);
    const RegFile machine = RegFile::Parse(snapshot->machine);
    const RegFile user = RegFile::Parse(snapshot->user);
    const RegValue* uninstall = machine.FindValue(
        "Software\\Wow6432Node\\" + key.substr(std::string("Software\\").size()), "UninstallString");
    ASSERT_NE(uninstall, nullptr);
    EXPECT_EQ(uninstall->data, "C:\\Both\\unins000.exe");
    ASSERT_NE(user.FindValue("Software\\Norva Both", "Dir"), nullptr);
    EXPECT_EQ(user.FindValue("Software\\Norva Both", "Dir")->data, "C:\\Hry\\\xC4\x8D");
    EXPECT_TRUE(machine.KeyExists("Software\\Microsoft\\Windows NT\\CurrentVersion"));
  }
  if (ways.size() == 1)
    GTEST_SKIP() << "norva-regsave.exe was not built (no MinGW-w64 compiler): only reg export checked";
}

TEST_F(RealWineTest, WithoutAServerTheFilesAreReadAndRewrittenForWine) {
  const std::string key = std::string(kUninstall) + "Norva File";
  Add32(key, "UninstallString", "C:\\Games\\File\\unins000.exe");
  prefix_->StopServer();

  WineRegistry registry(prefix_->path());
  EXPECT_EQ(registry.ReadString(RegRoot::kLocalMachine, key, "UninstallString"),
            "C:\\Games\\File\\unins000.exe");
  EXPECT_TRUE(registry.DeleteKey(RegRoot::kLocalMachine, key));
  EXPECT_EQ(registry.snapshots_taken(), 0);
  EXPECT_FALSE(WineSeesKey(key));  // a new server loads the rewritten file
}

#ifdef NORVA_DRIVE_PROBE
// What a Windows program learns about drive roots ("D:\ type=5 fs=CDFS label= serial=0000abcd" lines) and
// files ("D:\Norva\A.INI read=ok bytes=12" lines), run by the 64-bit probe or another copy of it.
std::string ProbeDrives(const fs::path& prefix, const std::vector<std::string>& arguments,
                        const char* probe = NORVA_DRIVE_PROBE) {
  std::string command = "wine " + test::ShellQuote(probe);
  for (const std::string& argument : arguments) command += " " + test::ShellQuote(argument);
  std::string output;
  test::RunInPrefix(prefix, command, &output);
  return output;
}
#endif

TEST_F(RealWineTest, WindowsProgramsSeeTheDiscAsACdDrive) {
#ifndef NORVA_DRIVE_PROBE
  GTEST_SKIP() << "no MinGW-w64 compiler: the Windows program that reads drive types was not built";
#else
  for (const char* disc : {"disc1/Norva", "disc2/Norva"}) fs::create_directories(dir_.path() / disc);
  dir_.Write("disc1/Norva/NORVAXP.INI", std::string(1000, 'n'));
  std::string error;
  // Mapped while a Windows program keeps the server alive, and again while none runs.
  prefix_->StartServer();
  ASSERT_NE(WineMachine::Open({prefix_->path(), dir_.path() / "disc1"}, &error), nullptr) << error;
  prefix_->StopServer();
  ASSERT_NE(WineMachine::Open({prefix_->path(), dir_.path() / "disc2"}, &error), nullptr) << error;
  const std::vector<std::string> arguments = {"D:\\", "D:\\Norva\\NORVAXP.INI", "D:\\Norva\\NONE.INI", "E:\\",
                                              "C:\\"};
  const std::string seen = ProbeDrives(prefix_->path(), arguments);
  EXPECT_NE(seen.find("D:\\ type=5 fs=CDFS"), std::string::npos) << seen;
  EXPECT_NE(seen.find("E:\\ type=5 fs=CDFS"), std::string::npos) << seen;
  EXPECT_NE(seen.find("C:\\ type=3"), std::string::npos) << seen;
  EXPECT_TRUE(std::regex_search(seen, std::regex(R"(D:\\ type=5 fs=CDFS label=\S* serial=[0-9a-f]{8}\r?\n)")))
      << seen;
  EXPECT_NE(seen.find("D:\\Norva\\NORVAXP.INI read=ok bytes=1000"), std::string::npos) << seen;
  EXPECT_NE(seen.find("D:\\Norva\\NONE.INI read=failed error=2"), std::string::npos) << seen;  // not found
#ifdef NORVA_DRIVE_PROBE32
  // A 32-bit program, as every one on a real disc is, learns the same.
  const std::string seen32 = ProbeDrives(prefix_->path(), arguments, NORVA_DRIVE_PROBE32);
  if (seen32.empty()) GTEST_SKIP() << "Wine's 32-bit half is missing: the 32-bit probe cannot run";
  EXPECT_EQ(seen32, seen);
#endif
#endif
}

TEST_F(RealWineTest, AMountedDiscGivesWindowsProgramsItsLabel) {
#ifndef NORVA_DRIVE_PROBE
  GTEST_SKIP() << "no MinGW-w64 compiler: the Windows program that reads drive types was not built";
#else
  // The least ISO 9660 image: its primary volume descriptor (sector 16) with the label, and the terminator.
  std::string image(18 * 2048, '\0');
  image.replace(16 * 2048, 7,
                "\x01"
                "CD001"
                "\x01");
  image.replace(16 * 2048 + 40, 32, "NORVA0206                       ");
  image.replace(17 * 2048, 7,
                "\xFF"
                "CD001"
                "\x01");
  const fs::path file = dir_.Write("norva.iso", image);
  // On a loop device it is what a mounted disc is to Wine; the kernel's list of mounts is the test's.
  std::string device;
  if (test::RunInPrefix(prefix_->path(), "losetup -f --show -r " + file.string(), &device) != 0 ||
      device.empty())
    GTEST_SKIP() << "no loop device to put a disc image on (this needs root and a free /dev/loop*)";
  device.erase(device.find_last_not_of("\n") + 1);
  fs::create_directories(dir_.path() / "disc/Norva");
  const fs::path mounts =
      dir_.Write("mountinfo", "50 1 7:0 / " + fs::canonical(dir_.path() / "disc").string() +
                                  " ro - iso9660 " + device + " ro\n");
  std::string error;
  const char letter = MapDisc(prefix_->path(), dir_.path() / "disc", &error, mounts);
  WineRegistry(prefix_->path()).WriteString(RegRoot::kLocalMachine, "Software\\Wine\\Drives", "d:", "cdrom");
  const std::string seen = ProbeDrives(prefix_->path(), {"D:\\"});
  test::RunInPrefix(prefix_->path(), "losetup -d " + device);
  EXPECT_EQ(letter, 'D') << error;
  EXPECT_NE(seen.find("D:\\ type=5 fs=CDFS label=NORVA0206"), std::string::npos) << seen;
#endif
}

TEST_F(RealWineTest, AnImageOpenedForTheRunIsACdDriveWithTheDiscsLabelAndSerial) {
#ifndef NORVA_DRIVE_PROBE
  GTEST_SKIP() << "no MinGW-w64 compiler: the Windows program that reads drive types was not built";
#else
  dir_.Write("content/NORVA.EXE", "MZ");
  dir_.Write("content/Norva/NORVAXP.INI", std::string(1000, 'n'));
  const fs::path image = dir_.path() / "Norva 12-2006.iso";
  if (test::RunInPrefix(prefix_->path(), "xorriso -as mkisofs -quiet -J -R -V NORVA_CD_1206 -o " +
                                             test::ShellQuote(image.string()) + " " +
                                             test::ShellQuote((dir_.path() / "content").string()) +
                                             " >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xorriso is missing: no image to open";
  std::string error;
  auto mount = ImageMount::Open({image, NORVA_DISC_SERVER, dir_.path() / "mounts"}, &error);
  if (!mount && error.find("FUSE") != std::string::npos) GTEST_SKIP() << error;
  ASSERT_TRUE(mount) << error;
  ASSERT_NE(WineMachine::Open({prefix_->path(), mount->folder()}, &error), nullptr) << error;
  const std::string serial = test::TempDir::ReadFile(mount->folder() / ".windows-serial");
  ASSERT_EQ(serial.size(), 9u) << serial;
  const std::vector<std::string> arguments = {"D:\\", "D:\\Norva\\NORVAXP.INI"};
  const std::string seen = ProbeDrives(prefix_->path(), arguments);
  EXPECT_NE(seen.find("D:\\ type=5 fs=CDFS label=NORVA_CD_1206 serial=" + serial.substr(0, 8)),
            std::string::npos)
      << seen;
  EXPECT_NE(seen.find("D:\\Norva\\NORVAXP.INI read=ok bytes=1000"), std::string::npos) << seen;
#ifdef NORVA_DRIVE_PROBE32
  const std::string seen32 = ProbeDrives(prefix_->path(), arguments, NORVA_DRIVE_PROBE32);
  if (!seen32.empty()) {  // empty: Wine's 32-bit half is missing
    EXPECT_EQ(seen32, seen);
  }
#endif
  prefix_->StopServer();
  const fs::path folder = mount->folder();
  mount.reset();
  EXPECT_FALSE(fs::exists(folder));  // unmounted and removed when the run ends
#endif
}

TEST_F(RealWineTest, APrefixMadeByTheMenuWorksWithWine) {
#ifndef NORVA_DRIVE_PROBE
  GTEST_SKIP() << "no MinGW-w64 compiler: the Windows program that reads drive types was not built";
#else
  fs::create_directories(dir_.path() / "disc/Norva");
  const fs::path fresh = dir_.path() / "fresh";
  std::string error;
  ASSERT_NE(WineMachine::Open({fresh, dir_.path() / "disc"}, &error), nullptr) << error;
  // Wine sets the folder up on its first program, keeping what the menu made.
  const std::string seen = ProbeDrives(fresh, {"D:\\", "Z:\\"});
  test::RunInPrefix(fresh, "wineserver -k; wineserver -w");
  EXPECT_NE(seen.find("D:\\ type=5 fs=CDFS"), std::string::npos) << seen;
  EXPECT_NE(seen.find("Z:\\ type=3"), std::string::npos) << seen;  // host paths resolve through Z:
  WineRegistry registry(fresh);
  EXPECT_TRUE(registry.IsWin64());
  EXPECT_TRUE(registry.KeyExists(RegRoot::kLocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion"));
#endif
}

}  // namespace
}  // namespace norva::platform::wine
