// DOS paths on a Wine prefix: parsing, resolution onto host folders, file operations and the disc mapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/dos_path.h"
#include "platform/wine/drive_links.h"
#include "platform/wine/prefix.h"
#include "platform/wine/wine_file_system.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

DosPath At(char drive, std::vector<std::string> components) {
  return DosPath{drive, std::move(components)};
}

std::string Parsed(std::string_view text, const DosPath& current = At('C', {"WINDOWS", "System"})) {
  const std::optional<DosPath> path = ParseDosPath(text, current);
  return path ? FormatDosPath(*path) : "<none>";
}

TEST(DosPathTest, AbsoluteRelativeAndDriveRelativeForms) {
  EXPECT_EQ(Parsed("d:\\Demos\\Game\\"), "D:\\Demos\\Game");
  EXPECT_EQ(Parsed("D:/Demos//Game/./setup.exe"), "D:\\Demos\\Game\\setup.exe");
  EXPECT_EQ(Parsed("\\Temp"), "C:\\Temp");
  EXPECT_EQ(Parsed("Fonts\\a.ttf"), "C:\\WINDOWS\\System\\Fonts\\a.ttf");
  EXPECT_EQ(Parsed("c:Fonts"), "C:\\WINDOWS\\System\\Fonts");
  EXPECT_EQ(Parsed("E:Fonts"), "E:\\Fonts");  // another drive's own current folder is its root
  EXPECT_EQ(Parsed(""), "C:\\WINDOWS\\System");
  EXPECT_EQ(Parsed("\\\\?\\D:\\Demos"), "D:\\Demos");
  EXPECT_EQ(Parsed("\\\\.\\d:\\"), "D:\\");
}

TEST(DosPathTest, DotDotNeverLeavesTheDriveRoot) {
  EXPECT_EQ(Parsed("..\\..\\..\\..\\x"), "C:\\x");
  EXPECT_EQ(Parsed("D:\\..\\..\\Demos\\..\\Full"), "D:\\Full");
  EXPECT_EQ(Parsed("C:\\a\\b\\..\\..\\.."), "C:\\");
}

TEST(DosPathTest, NetworkSharesAndBadDrivesAreRefused) {
  EXPECT_EQ(Parsed("\\\\server\\share\\file"), "<none>");
  EXPECT_EQ(Parsed("1:\\file"), "<none>");
  EXPECT_EQ(Parsed("\\\\?\\UNC\\server\\share"), "<none>");
}

// A prefix with C: and a disc folder on D:.
class WineFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(EnsurePrefixLayout(dir_.path() / "prefix", &error)) << error;
    disc_ = dir_.path() / "disc";
    fs::create_directories(disc_);
    ASSERT_EQ(MapDisc(prefix(), disc_, &error), 'D') << error;
  }
  fs::path prefix() const { return dir_.path() / "prefix"; }
  fs::path c_drive() const { return fs::canonical(prefix() / "drive_c"); }

  test::TempDir dir_;
  fs::path disc_;
  WineFileSystem files_{dir_.path() / "prefix"};
};

TEST_F(WineFileSystemTest, MatchesExistingComponentsWithoutRegardToCaseAndKeepsTheRest) {
  dir_.Write("disc/DEMOS/Game One/Setup.EXE", "MZ");
  const fs::path disc = fs::canonical(disc_);
  EXPECT_EQ(files_.HostPath("d:\\demos\\GAME ONE\\setup.exe"), (disc / "DEMOS/Game One/Setup.EXE").string());
  EXPECT_EQ(files_.HostPath("D:\\Demos\\New Folder\\Sub\\File.txt"),
            (disc / "DEMOS/New Folder/Sub/File.txt").string());
  EXPECT_EQ(files_.HostPath("C:\\WINDOWS\\SYSTEM32"), (c_drive() / "windows/system32").string());
  EXPECT_EQ(files_.HostPath("D:\\..\\..\\demos"), (disc / "DEMOS").string());
  EXPECT_TRUE(files_.FileExists("d:/demos/game one/SETUP.exe"));
  EXPECT_FALSE(files_.DirExists("d:/demos/game one/SETUP.exe"));
  EXPECT_TRUE(files_.DirExists("d:\\DEMOS\\game one\\"));
  EXPECT_EQ(files_.HostPath("Q:\\anything"), std::nullopt);  // no such drive
}

TEST_F(WineFileSystemTest, ExactNameWinsOverOtherCaseVariants) {
  dir_.Write("disc/readme.txt", "lower");
  dir_.Write("disc/README.TXT", "upper");
  EXPECT_EQ(files_.ReadFile("D:\\README.TXT"), "upper");
  EXPECT_EQ(files_.ReadFile("D:\\readme.txt"), "lower");
  EXPECT_EQ(files_.ReadFile("D:\\ReadMe.txt"),
            "upper");  // the smallest host name, whatever the listing order
}

TEST_F(WineFileSystemTest, NonAsciiNamesMatchThroughTheCodePage) {
  // "Hra Čapek" in UTF-8 on the host; the menu asks in Windows-1250, in lower case (č is 0xE8).
  dir_.Write(
      "disc/Hra \xC4\x8C"
      "apek/\xC3\x9Avod.txt",
      "x");
  EXPECT_TRUE(
      files_.FileExists("D:\\hra \xE8"
                        "apek\\\xFA"
                        "vod.TXT"));
  const auto entries = files_.ListDir("D:\\");
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ(entries->front().name,
            "Hra \xC8"
            "apek");
  // The Turkish edition's dotless i folds onto I, as in Windows file names.
  dir_.Write("disc/KILIT.TXT", "t");
  files_.SetAnsiCodePage(CodePage::kTurkish);
  EXPECT_TRUE(files_.FileExists("D:\\k\xFDl\xFDt.txt"));
  // A missing component keeps its given letters, converted for the host.
  EXPECT_EQ(files_.HostPath("D:\\\xDE"
                            "ifre"),
            (fs::canonical(disc_) / "\xC5\x9E"
                                    "ifre")
                .string());
}

TEST_F(WineFileSystemTest, ListDirReportsAttributesAndNeverTheDotEntries) {
  dir_.Write("disc/Data/.hidden", "");
  dir_.Write("disc/Data/locked.dat", "12345");
  dir_.Write("disc/Data/Sub/x", "");
  fs::permissions(disc_ / "Data/locked.dat", fs::perms::owner_write, fs::perm_options::remove);
  fs::create_directory_symlink(disc_ / "Data/Sub", disc_ / "Data/link");
  auto entries = files_.ListDir("D:\\data");
  ASSERT_TRUE(entries);
  std::ranges::sort(*entries, {}, &DirEntry::name);
  ASSERT_EQ(entries->size(), 4u);
  EXPECT_EQ((*entries)[0].name, ".hidden");
  EXPECT_TRUE((*entries)[0].hidden);
  EXPECT_EQ((*entries)[1].name, "Sub");
  EXPECT_TRUE((*entries)[1].is_dir);
  EXPECT_FALSE((*entries)[1].is_link);
  EXPECT_EQ((*entries)[2].name, "link");
  EXPECT_TRUE((*entries)[2].is_dir);
  EXPECT_TRUE((*entries)[2].is_link);
  EXPECT_EQ((*entries)[3].name, "locked.dat");
  EXPECT_TRUE((*entries)[3].read_only);
  EXPECT_FALSE((*entries)[3].hidden);
  EXPECT_EQ((*entries)[3].size, 5u);
  for (const DirEntry& entry : *entries) EXPECT_FALSE(entry.system);
  EXPECT_FALSE(files_.ListDir("D:\\data\\locked.dat"));
  EXPECT_FALSE(files_.ListDir("D:\\missing"));
}

TEST_F(WineFileSystemTest, WritesReplaceWholeFilesAndHonourReadOnly) {
  EXPECT_TRUE(files_.WriteFileAtomic("C:\\WINDOWS\\norva.ini", "[Main]\r\n"));
  EXPECT_EQ(dir_.Read("prefix/drive_c/windows/norva.ini"), "[Main]\r\n");
  EXPECT_TRUE(files_.WriteFileAtomic("c:\\windows\\NORVA.INI", "second"));
  EXPECT_EQ(dir_.Read("prefix/drive_c/windows/norva.ini"), "second");
  // A failure says why, with what it was doing.
  platform::Error error;
  EXPECT_FALSE(files_.WriteFileAtomic("C:\\no\\such\\folder\\x.ini", "x", &error));
  EXPECT_EQ(error.Description(), "writing C:\\no\\such\\folder\\x.ini: its folder does not exist");

  EXPECT_TRUE(files_.SetReadOnly("C:\\windows\\norva.ini", true));
  EXPECT_FALSE(files_.WriteFileAtomic("C:\\windows\\norva.ini", "third", &error));
  EXPECT_EQ(error.Description(), "writing C:\\windows\\norva.ini: the file is read-only");
  EXPECT_FALSE(files_.RemoveFile("C:\\windows\\norva.ini", &error));
  EXPECT_EQ(error.Description(), "deleting C:\\windows\\norva.ini: the file is read-only");
  EXPECT_FALSE(files_.RemoveDir("C:\\windows", &error));
  EXPECT_EQ(error.Description(), "removing the folder C:\\windows: the folder is not empty");
  EXPECT_EQ(dir_.Read("prefix/drive_c/windows/norva.ini"), "second");
  EXPECT_TRUE(files_.SetReadOnly("C:\\windows\\norva.ini", false));
  EXPECT_TRUE(files_.RemoveFile("C:\\windows\\norva.ini"));
  EXPECT_FALSE(files_.FileExists("C:\\windows\\norva.ini"));
  // Nothing but the file itself is left in the folder: no temporary files beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(c_drive() / "windows"), fs::directory_iterator()), 1);
}

TEST_F(WineFileSystemTest, WritingThroughALinkKeepsTheLink) {
  dir_.Write("elsewhere/real.ini", "old");
  fs::create_symlink(dir_.path() / "elsewhere/real.ini", c_drive() / "linked.ini");
  EXPECT_TRUE(files_.WriteFileAtomic("C:\\LINKED.INI", "new"));
  EXPECT_TRUE(fs::is_symlink(c_drive() / "linked.ini"));
  EXPECT_EQ(dir_.Read("elsewhere/real.ini"), "new");
}

TEST_F(WineFileSystemTest, FoldersAreCreatedAndRemovedOneAtATime) {
  EXPECT_TRUE(files_.CreateDir("C:\\Games"));
  EXPECT_FALSE(files_.CreateDir("C:\\GAMES"));  // exists already, in another case
  EXPECT_FALSE(files_.CreateDir("C:\\Games\\A\\B"));
  EXPECT_TRUE(files_.CreateDir("C:\\games\\A"));
  EXPECT_TRUE(fs::is_directory(c_drive() / "Games/A"));
  EXPECT_FALSE(files_.RemoveDir("C:\\Games"));  // not empty
  EXPECT_FALSE(files_.RemoveFile("C:\\Games\\A"));
  EXPECT_TRUE(files_.RemoveDir("C:\\GAMES\\a"));
  EXPECT_TRUE(files_.RemoveDir("C:\\Games"));
  // A link to a folder goes, its target stays; a drive root never goes.
  dir_.Write("disc/Keep/file", "k");
  fs::create_directory_symlink(disc_ / "Keep", c_drive() / "KeepLink");
  EXPECT_TRUE(files_.RemoveDir("C:\\keeplink"));
  EXPECT_TRUE(fs::exists(disc_ / "Keep/file"));
  fs::remove(disc_ / "Keep/file");
  fs::remove(disc_ / "Keep");
  EXPECT_FALSE(files_.RemoveDir("D:\\"));
  EXPECT_TRUE(fs::is_directory(disc_));
}

TEST_F(WineFileSystemTest, CurrentDirectoryAnchorsRelativePaths) {
  EXPECT_EQ(files_.CurrentDir(), "C:\\");
  dir_.Write("disc/Norva/NORVAXP.INI", "x");
  EXPECT_TRUE(files_.SetCurrentDir("d:\\"));
  EXPECT_EQ(files_.CurrentDir(), "D:\\");
  EXPECT_TRUE(files_.FileExists("norva\\norvaxp.ini"));
  EXPECT_TRUE(files_.SetCurrentDir("Norva"));
  EXPECT_EQ(files_.CurrentDir(), "D:\\Norva");
  EXPECT_TRUE(files_.FileExists("NORVAXP.INI"));
  EXPECT_FALSE(files_.SetCurrentDir("D:\\missing"));
  EXPECT_EQ(files_.CurrentDir(), "D:\\Norva");
}

TEST(PrefixTest, ChoosesMachineThenEnvironmentThenHome) {
  EXPECT_EQ(ChoosePrefix(fs::path("/m"), "/env", "/home/u"), fs::path("/m"));
  EXPECT_EQ(ChoosePrefix(std::nullopt, "/env", "/home/u"), fs::path("/env"));
  EXPECT_EQ(ChoosePrefix(std::nullopt, "", "/home/u"), fs::path("/home/u/.wine"));
  EXPECT_EQ(ChoosePrefix(std::nullopt, nullptr, "/home/u"), fs::path("/home/u/.wine"));
}

TEST(PrefixTest, LeastLayoutIsWinesOwnAndLeavesAnExistingPrefixAlone) {
  test::TempDir dir;
  const fs::path prefix = dir.path() / "new";
  std::string error;
  ASSERT_TRUE(EnsurePrefixLayout(prefix, &error)) << error;
  EXPECT_TRUE(fs::is_directory(prefix / "drive_c/windows/system32"));
  EXPECT_EQ(fs::read_symlink(prefix / "dosdevices/c:"), fs::path("../drive_c"));
  EXPECT_EQ(fs::read_symlink(prefix / "dosdevices/z:"), fs::path("/"));  // host paths reach Windows programs

  // A prefix whose C: lies elsewhere keeps it, and one whose owner removed Z: does not get it back.
  fs::remove(prefix / "dosdevices/c:");
  fs::remove(prefix / "dosdevices/z:");
  fs::create_directory(dir.path() / "other_c");
  fs::create_directory_symlink(dir.path() / "other_c", prefix / "dosdevices/c:");
  ASSERT_TRUE(EnsurePrefixLayout(prefix, &error)) << error;
  EXPECT_EQ(fs::read_symlink(prefix / "dosdevices/c:"), dir.path() / "other_c");
  EXPECT_FALSE(fs::exists(fs::symlink_status(prefix / "dosdevices/z:")));

  dir.Write("file", "not a folder");
  EXPECT_FALSE(EnsurePrefixLayout(dir.path() / "file", &error));
  EXPECT_FALSE(error.empty());
}

TEST(PrefixTest, DiscMappingReusesALinkOrTakesTheFirstFreeLetter) {
  test::TempDir dir;
  const fs::path prefix = dir.path() / "prefix";
  std::string error;
  ASSERT_TRUE(EnsurePrefixLayout(prefix, &error));
  fs::create_directories(dir.path() / "disc1");
  fs::create_directories(dir.path() / "disc2");
  fs::create_directories(dir.path() / "cd");
  // D: is taken by a drive that is not ready, E: already shows disc2 through a relative link and a
  // device entry "f::" does not claim F:.
  fs::create_directory_symlink("/nonexistent/cdrom", prefix / "dosdevices/d:");
  fs::create_directory_symlink("../../disc2", prefix / "dosdevices/e:");
  fs::create_symlink("/dev/null", prefix / "dosdevices/f::");

  EXPECT_EQ(MapDisc(prefix, dir.path() / "disc2/", &error), 'E');
  EXPECT_EQ(MapDisc(prefix, dir.path() / "disc1", &error), 'F');
  EXPECT_EQ(fs::canonical(prefix / "dosdevices/f:"), fs::canonical(dir.path() / "disc1"));
  EXPECT_EQ(MapDisc(prefix, dir.path() / "disc1", &error), 'F');  // the second start finds its own link
  // A disc that is the C: drive's folder still gets a letter of its own.
  EXPECT_EQ(MapDisc(prefix, prefix / "drive_c", &error), 'G');

  EXPECT_EQ(MapDisc(prefix, dir.path() / "missing", &error), 0);
  EXPECT_NE(error.find("missing"), std::string::npos);
  for (char letter = 'H'; letter <= 'Y'; ++letter) {
    fs::create_directory_symlink(dir.path() / "cd", DriveLinkPath(prefix, letter));
  }
  error.clear();
  EXPECT_EQ(MapDisc(prefix, dir.path() / "disc3_missing_too", &error), 0);
  fs::create_directories(dir.path() / "disc3");
  EXPECT_EQ(MapDisc(prefix, dir.path() / "disc3", &error), 0);
  EXPECT_NE(error.find("no free drive letter"), std::string::npos);
}

TEST(PrefixTest, LettersWhoseDiscFolderIsGoneAreReusedOnlyWhenTheMenuMadeThem) {
  test::TempDir dir;
  const fs::path prefix = dir.path() / "prefix";
  std::string error;
  ASSERT_TRUE(EnsurePrefixLayout(prefix, &error));
  // Every letter from D: to Y: shows a disc folder the menu mapped, as after many issues (Z: is the root).
  for (char letter = 'D'; letter <= 'Y'; ++letter) {
    const fs::path disc = dir.path() / ("disc" + std::string{letter});
    fs::create_directories(disc);
    ASSERT_EQ(MapDisc(prefix, disc, &error), letter) << error;
    EXPECT_TRUE(DriveLinkMadeByMenu(prefix, letter));
  }
  fs::create_directories(dir.path() / "new1");
  EXPECT_EQ(MapDisc(prefix, dir.path() / "new1", &error), 0);

  // F:'s folder is deleted; G: was replaced by its owner with a link of theirs, whose folder is gone too.
  fs::remove(dir.path() / "discF");
  fs::remove(DriveLinkPath(prefix, 'G'));
  fs::create_directory_symlink(dir.path() / "removable", DriveLinkPath(prefix, 'G'));
  EXPECT_FALSE(DriveLinkMadeByMenu(prefix, 'G'));
  EXPECT_EQ(MapDisc(prefix, dir.path() / "new1", &error), 'F');
  EXPECT_EQ(fs::read_symlink(DriveLinkPath(prefix, 'F')), fs::canonical(dir.path() / "new1"));
  EXPECT_TRUE(DriveLinkMadeByMenu(prefix, 'F'));
  fs::create_directories(dir.path() / "new2");
  EXPECT_EQ(MapDisc(prefix, dir.path() / "new2", &error), 0);  // G: is not the menu's to take
  EXPECT_EQ(fs::read_symlink(DriveLinkPath(prefix, 'G')), dir.path() / "removable");
  // The record lies in the prefix, outside what Wine reads, and holds nothing but the menu's links.
  const std::string record = test::TempDir::ReadFile(prefix / ".norva-drive-links");
  EXPECT_NE(record.find("f:\t" + fs::canonical(dir.path() / "new1").string() + "\n"), std::string::npos);
  EXPECT_EQ(record.find("removable"), std::string::npos);
  EXPECT_FALSE(fs::exists(DosDevicesDir(prefix) / ".norva-drive-links"));
}

TEST(PrefixTest, AMountedDiscGetsItsDeviceLinkWhileItHoldsTheLetter) {
  test::TempDir dir;
  const fs::path prefix = dir.path() / "prefix";
  std::string error;
  ASSERT_TRUE(EnsurePrefixLayout(prefix, &error));
  fs::create_directories(dir.path() / "cd rom");
  fs::create_directories(dir.path() / "folder");
  const std::string cd = fs::canonical(dir.path() / "cd rom").string();
  const fs::path mounts =
      dir.Write("mountinfo",
                "22 1 0:21 / /proc rw - proc proc rw\n"
                "40 1 11:0 / " +
                    std::string(cd).replace(cd.find(' '), 1, "\\040") +
                    " ro,relatime shared:9 - iso9660 /dev/sr0 ro,norock\n"
                    "41 1 0:50 / " +
                    fs::canonical(dir.path() / "folder").string() + " rw - tmpfs tmpfs rw\n");
  EXPECT_EQ(DiscDeviceOf(dir.path() / "cd rom", mounts), fs::path("/dev/sr0"));
  EXPECT_EQ(DiscDeviceOf(dir.path() / "folder", mounts), fs::path());  // mounted, but no disc
  EXPECT_EQ(DiscDeviceOf(dir.path(), mounts), fs::path());

  ASSERT_EQ(MapDisc(prefix, dir.path() / "cd rom", &error, mounts), 'D');
  EXPECT_EQ(fs::read_symlink(prefix / "dosdevices/d::"), fs::path("/dev/sr0"));
  // The disc is gone and its letter goes to a folder: the menu's device link goes too.
  fs::remove(dir.path() / "cd rom");
  for (char letter = 'E'; letter <= 'Y'; ++letter)
    fs::create_directory_symlink("/", DriveLinkPath(prefix, letter));
  for (const char* folder : {"plain1", "plain2"}) fs::create_directories(dir.path() / folder);
  ASSERT_EQ(MapDisc(prefix, dir.path() / "plain1", &error, mounts), 'D');
  EXPECT_FALSE(fs::exists(fs::symlink_status(prefix / "dosdevices/d::")));
  // A device link of the prefix's owner stays whatever the menu does with the letter.
  fs::create_symlink("/dev/sr1", prefix / "dosdevices/d::");
  fs::remove(dir.path() / "plain1");
  ASSERT_EQ(MapDisc(prefix, dir.path() / "plain2", &error, mounts), 'D');
  EXPECT_EQ(fs::read_symlink(prefix / "dosdevices/d::"), fs::path("/dev/sr1"));
}

}  // namespace
}  // namespace norva::platform::wine
