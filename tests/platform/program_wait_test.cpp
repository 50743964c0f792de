// The end of a wait for a started program: the rules of the watch over its tree, and what a file's header
// says about the program in it.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/wine/process_table.h"
#include "platform/wine/tree_watch.h"
#include "platform/wine/wine_halves.h"
#include "platform/wine/windows_program.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

class TreeWatchTest : public ::testing::Test {
 protected:
  TreeWatch Watch() { return TreeWatch({seconds(5), seconds(5), {"C:\\users\\me\\Temp"}}, 100, start_); }
  // Whether the wait goes on `at` seconds after the start with these processes running.
  bool At(TreeWatch& watch, double at, const std::vector<TreeProcess>& running) {
    return watch.KeepWaiting(
        start_ + std::chrono::duration_cast<TreeWatch::Clock::duration>(std::chrono::duration<double>(at)),
        running);
  }

  TreeWatch::Clock::time_point start_ = TreeWatch::Clock::now();
  TreeProcess setup_{100, "D:\\GAME\\SETUP.EXE"};
};

TEST_F(TreeWatchTest, AnUninstallerThatHandsOverToACopyIsWaitedForUntilTheCopyEnds) {
  TreeWatch watch = Watch();
  const TreeProcess copy{101, "C:\\Users\\Me\\Temp\\~nsu.tmp\\Au_.exe"};
  EXPECT_TRUE(At(watch, 0.1, {setup_, copy}));
  // The copy runs long after its starter has gone, however long the user takes.
  EXPECT_TRUE(At(watch, 0.3, {copy}));
  EXPECT_TRUE(At(watch, 600, {copy}));
  EXPECT_FALSE(At(watch, 601, {}));
}

TEST_F(TreeWatchTest, ALauncherThatEndsAtOnceHandsOverToWhatItStarted) {
  TreeWatch watch = Watch();
  const TreeProcess real{101, "D:\\GAME\\DISK1\\SETUP32.EXE"};
  const TreeProcess helper{102, "C:\\Program Files\\Game\\tray.exe"};
  EXPECT_TRUE(At(watch, 1, {setup_, real}));
  EXPECT_TRUE(At(watch, 2, {real}));
  EXPECT_TRUE(At(watch, 300, {real, helper}));
  // The real setup ran long: the helper it leaves holds the wait for the grace time only.
  EXPECT_TRUE(At(watch, 301, {helper}));
  EXPECT_TRUE(At(watch, 305.5, {helper}));
  EXPECT_FALSE(At(watch, 306.5, {helper}));
}

TEST_F(TreeWatchTest, ASetupThatLeavesAProgramRunningDoesNotHoldTheMenu) {
  TreeWatch watch = Watch();
  const TreeProcess game{101, "C:\\Program Files\\Game\\game.exe"};
  EXPECT_TRUE(At(watch, 1, {setup_}));
  EXPECT_TRUE(At(watch, 60, {setup_, game}));
  EXPECT_TRUE(At(watch, 61, {game}));
  EXPECT_FALSE(At(watch, 67, {game}));

  // A setup that ends with nothing left ends the wait at once, however short its life.
  TreeWatch quick = Watch();
  EXPECT_FALSE(At(quick, 0.2, {}));
}

TEST(ProcessTableTest, WinesBackgroundProgramsAndScriptsAreTold) {
  EXPECT_TRUE(IsWineBackgroundProgram("wineserver64", {"/usr/lib/wine/wineserver64", "-p0"}));
  EXPECT_TRUE(IsWineBackgroundProgram("services.exe", {"C:\\windows\\system32\\services.exe"}));
  EXPECT_TRUE(IsWineBackgroundProgram("explorer.exe", {"C:\\windows\\system32\\explorer.exe", "/desktop"}));
  EXPECT_TRUE(IsWineBackgroundProgram("svchost.exe", {"C:\\windows\\syswow64\\svchost.exe", "-k", "x"}));
  // An explorer window, and a program that only shares a name, are programs like any other.
  EXPECT_FALSE(IsWineBackgroundProgram("explorer.exe", {"C:\\windows\\explorer.exe", "C:\\Games"}));
  EXPECT_FALSE(IsWineBackgroundProgram("services.exe", {"D:\\TOOLS\\services.exe"}));
  EXPECT_FALSE(IsWineBackgroundProgram("sh", {}));

  EXPECT_EQ(ProgramOf("Au_.exe", {"C:\\users\\me\\Temp\\~nsu.tmp\\Au_.exe", "_?=C:\\Game\\"}),
            "C:\\users\\me\\Temp\\~nsu.tmp\\Au_.exe");
  // A #! script runs as its interpreter with the script as first argument, and the process bears its name.
  EXPECT_EQ(ProgramOf("uninstall-copy.", {"/bin/sh", "/tmp/x/uninstall-copy.sh", "-y"}),
            "/tmp/x/uninstall-copy.sh");
  EXPECT_EQ(ProgramOf("sh", {"/bin/sh", "/tmp/x/setup.sh"}), "/bin/sh");
}

// The first bytes of a program file: an MZ header whose e_lfanew points at `header` (if any).
std::string Executable(const std::string& header) {
  std::string bytes = "MZ" + std::string(62, '\0');
  if (header.empty()) return bytes + "DOS code";
  bytes[0x3c] = 0x40;
  return bytes + header;
}

std::string Pe(std::uint16_t machine, std::uint16_t magic) {
  std::string header = "PE" + std::string(22, '\0') + std::string(2, '\0') + std::string(8, '\0');
  header[4] = static_cast<char>(machine & 0xff);
  header[5] = static_cast<char>(machine >> 8);
  header[24] = static_cast<char>(magic & 0xff);
  header[25] = static_cast<char>(magic >> 8);
  return header;
}

TEST(WindowsProgramTest, TheHeaderTellsWhatRunsAProgram) {
  test::TempDir dir;
  const auto kind = [&](const std::string& name, const std::string& bytes) {
    return KindOfProgram(dir.Write(name, bytes));
  };
  EXPECT_EQ(kind("setup.exe", Executable(Pe(0x014c, 0x10b))), ProgramKind::kWindows32);
  EXPECT_EQ(kind("setup64.exe", Executable(Pe(0x8664, 0x20b))), ProgramKind::kWindows64);
  EXPECT_EQ(kind("win31.exe", Executable("NE" + std::string(30, '\0'))), ProgramKind::kWindows16);
  EXPECT_EQ(kind("dos.exe", Executable("")), ProgramKind::kDos);
  EXPECT_EQ(kind("arm.exe", Executable(Pe(0x01c4, 0x10b))), ProgramKind::kOtherPe);
  EXPECT_EQ(kind("game.com", std::string("\xb4\x09\xcd\x21", 4)), ProgramKind::kDos);
  EXPECT_EQ(kind("readme.exe", "not a program"), ProgramKind::kNotAProgram);
  EXPECT_EQ(kind("short.exe", "MZ"), ProgramKind::kDos);
  EXPECT_EQ(kind("run.bat", "@echo off"), ProgramKind::kScript);
  EXPECT_EQ(KindOfProgram(dir.path() / "missing.exe"), ProgramKind::kUnreadable);

  EXPECT_EQ(WineCanRun(ProgramKind::kWindows32, false), StartFailure::kNo32BitWine);
  EXPECT_EQ(WineCanRun(ProgramKind::kWindows16, false), StartFailure::kNo32BitWine);
  EXPECT_EQ(WineCanRun(ProgramKind::kWindows32, true), StartFailure::kNone);
  EXPECT_EQ(WineCanRun(ProgramKind::kWindows64, false), StartFailure::kNone);
  EXPECT_EQ(WineCanRun(ProgramKind::kDos, true), StartFailure::kNotWindowsProgram);
  EXPECT_EQ(WineCanRun(ProgramKind::kNotAProgram, true), StartFailure::kNone) << "Wine tells that itself";

  EXPECT_TRUE(IsWineRunner({"/usr/bin/wine"}));
  EXPECT_TRUE(IsWineRunner({"/opt/wine-staging/bin/wine64", "--x"}));
  EXPECT_FALSE(IsWineRunner({"/usr/bin/env", "wine"}));
  EXPECT_FALSE(WineRuns32Bit({}));
}

}  // namespace
}  // namespace norva::platform::wine
