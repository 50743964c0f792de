// Facts about the Windows machine of a Wine prefix, and opening the machine itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/wine/wine_machine.h"
#include "platform/wine/wine_system_info.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

TEST(WineMachineTest, AFreshFolderBecomesAWorkingMachine) {
  test::TempDir dir;
  fs::create_directories(dir.path() / "disc/Norva");
  std::string error;
  auto machine = WineMachine::Open({dir.path() / "fresh", dir.path() / "disc"}, &error);
  ASSERT_NE(machine, nullptr) << error;
  EXPECT_EQ(machine->disc_letter(), 'D');
  EXPECT_TRUE(fs::is_directory(dir.path() / "fresh/drive_c/windows/system32"));

  SystemInfo& system = machine->system();
  EXPECT_EQ(system.PlatformId(), 2);
  EXPECT_EQ(system.WindowsDirectory(), "C:\\windows");
  EXPECT_EQ(system.SystemDirectory(), "C:\\windows\\system32");
  EXPECT_TRUE(system.IsAdmin());
  EXPECT_EQ(system.ProgramPath(), "D:\\NORVA.EXE");
  EXPECT_EQ(system.GetEnv("TMP"), "C:\\windows\\temp");
  EXPECT_EQ(system.GetEnv("temp"), "C:\\windows\\temp");
  EXPECT_EQ(system.GetEnv("NO_SUCH_VARIABLE"), std::nullopt);
  EXPECT_TRUE(machine->files().DirExists(system.SystemDirectory()));
  EXPECT_TRUE(machine->files().DirExists("D:\\NORVA"));
  EXPECT_EQ(machine->drives().TypeOf('D'), DriveType::kCdRom);

  // Opened again without a disc: a copy on the first hard disk; the disc's link stays, and so does its entry
  // in Wine's drive table (made only where Wine is installed to read it).
  machine = WineMachine::Open({dir.path() / "fresh", std::nullopt}, &error);
  ASSERT_NE(machine, nullptr) << error;
  EXPECT_EQ(machine->disc_letter(), 0);
  EXPECT_EQ(machine->system().ProgramPath(), "C:\\NORVA\\NORVA.EXE");
  EXPECT_EQ(machine->drives().TypeOf('D'),
            DefaultWineCommand().empty() ? DriveType::kFixed : DriveType::kCdRom);

  EXPECT_EQ(WineMachine::Open({dir.path() / "fresh", dir.path() / "no-disc"}, &error), nullptr);
  EXPECT_FALSE(error.empty());
}

TEST(WineSystemInfoTest, EnvironmentComesFromThePrefixRegistry) {
  test::TempDir dir;
  dir.Write("prefix/system.reg",
            "WINE REGISTRY Version 2\n\n"
            "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\ProfileList] 1700000000\n"
            "\"ProfilesDirectory\"=str(2):\"%SystemDrive%\\\\users\"\n"
            "\"ProgramData\"=str(2):\"%SystemDrive%\\\\ProgramData\"\n\n"
            "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1700000000\n"
            "\"TEMP\"=str(2):\"%SystemRoot%\\\\TEMP\"\n"
            "\"TMP\"=str(2):\"%SystemRoot%\\\\TEMP\"\n"
            "\"MENU\"=str(2):\"%UNKNOWN%\\\\%%windir%\"\n");
  dir.Write("prefix/user.reg",
            "WINE REGISTRY Version 2\n\n"
            "[Environment] 1700000000\n"
            "\"TEMP\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Local\\\\Temp\"\n"
            "\"TMP\"=str(2):\"%USERPROFILE%\\\\AppData\\\\Local\\\\Temp\"\n");
  fs::create_directories(dir.path() / "prefix/drive_c/users/Public");
  fs::create_directories(dir.path() / "prefix/drive_c/users/gamer");
  WineRegistry registry(dir.path() / "prefix");
  WineSystemInfo system(dir.path() / "prefix", registry, 0, "someone-else");

  EXPECT_EQ(system.GetEnv("TMP"), "C:\\users\\gamer\\AppData\\Local\\Temp");
  EXPECT_EQ(system.GetEnv("USERPROFILE"), "C:\\users\\gamer");
  EXPECT_EQ(system.GetEnv("ALLUSERSPROFILE"), "C:\\ProgramData");
  EXPECT_EQ(system.GetEnv("Menu"), "%UNKNOWN%\\%C:\\windows");  // unknown references stay as written

  // Wine's own profile record wins over the folder guess; without the user's Environment key the
  // system's applies.
  dir.Write(
      "prefix/system.reg",
      "WINE REGISTRY Version 2\n\n"
      "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\ProfileList\\\\S-1-5-21-0-0-0-1000] 1\n"
      "\"ProfileImagePath\"=\"C:\\\\users\\\\Hr\\xe1\\x10d\"\n\n"
      "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1700000000\n"
      "\"TEMP\"=str(2):\"%SystemRoot%\\\\TEMP\"\n");
  fs::remove(dir.path() / "prefix/user.reg");
  EXPECT_EQ(system.GetEnv("USERPROFILE"), "C:\\users\\Hr\xE1\xE8");
  EXPECT_EQ(system.GetEnv("TEMP"), "C:\\windows\\TEMP");
  EXPECT_EQ(system.GetEnv("TMP"), "C:\\windows\\temp");
}

}  // namespace
}  // namespace norva::platform::wine
