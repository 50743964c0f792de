// Drive letters of a Wine prefix and their types.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/wine/prefix.h"
#include "platform/wine/wine_drives.h"
#include "platform/wine/wine_registry.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

TEST(WineDrivesTest, LettersTypesAndReadiness) {
  test::TempDir dir;
  const fs::path prefix = dir.path() / "prefix";
  std::string error;
  ASSERT_TRUE(EnsurePrefixLayout(prefix, &error)) << error;
  fs::create_directories(dir.path() / "disc");
  fs::create_directories(dir.path() / "share");
  const fs::path devices = DosDevicesDir(prefix);
  fs::create_directory_symlink(dir.path() / "share", devices / "e:");
  fs::create_directory_symlink(dir.path() / "share", devices / "f:");
  fs::create_directory_symlink("/nonexistent/floppy", devices / "a:");
  fs::create_directory_symlink("/nonexistent/cdrom", devices / "g:");
  fs::create_directory_symlink(dir.path() / "share", devices / "h:");
  fs::create_symlink("/dev/sr0", devices / "e::");  // the raw device behind E:, not a drive
  fs::create_symlink("/dev/ttyS0", devices / "com1");
  const char disc = MapDisc(prefix, dir.path() / "disc", &error);
  ASSERT_EQ(disc, 'D') << error;
  dir.Write("prefix/system.reg",
            "WINE REGISTRY Version 2\n\n"
            "[Software\\\\Wine\\\\Drives] 1700000000\n"
            "\"a:\"=\"floppy\"\n"
            "\"c:\"=\"hd\"\n"
            "\"d:\"=\"hd\"\n"
            "\"E:\"=\"Network\"\n"
            "\"f:\"=\"ramdisk\"\n"
            "\"g:\"=\"cdrom\"\n"
            "\"h:\"=\"tape\"\n");

  WineRegistry registry(prefix);
  WineDrives drives(prefix, registry, disc);
  EXPECT_EQ(drives.Letters(), (std::vector<char>{'A', 'C', 'D', 'E', 'F', 'G', 'H', 'Z'}));
  EXPECT_EQ(drives.TypeOf('A'), DriveType::kRemovable);
  EXPECT_EQ(drives.TypeOf('c'), DriveType::kFixed);
  EXPECT_EQ(drives.TypeOf('D'), DriveType::kCdRom);  // the disc, whatever the registry says
  EXPECT_EQ(drives.TypeOf('E'), DriveType::kRemote);
  EXPECT_EQ(drives.TypeOf('F'), DriveType::kRamDisk);
  EXPECT_EQ(drives.TypeOf('G'), DriveType::kCdRom);
  EXPECT_EQ(drives.TypeOf('H'), DriveType::kFixed);  // an unknown type falls back to what the folder is
  EXPECT_EQ(drives.TypeOf('Z'), DriveType::kFixed);
  EXPECT_EQ(drives.TypeOf('K'), DriveType::kNoRootDir);

  EXPECT_TRUE(drives.IsReady('C'));
  EXPECT_TRUE(drives.IsReady('d'));
  EXPECT_FALSE(drives.IsReady('A'));  // mapped, but the target is missing
  EXPECT_FALSE(drives.IsReady('G'));
  EXPECT_FALSE(drives.IsReady('K'));

  // Without registry types, a letter whose target is missing has no known type.
  fs::remove(prefix / "system.reg");
  EXPECT_EQ(drives.TypeOf('G'), DriveType::kUnknown);
  EXPECT_EQ(drives.TypeOf('E'), DriveType::kFixed);
}

}  // namespace
}  // namespace norva::platform::wine
