// Discs that are mounted already and disc images opened for the run: which mounts are looked into, and the
// life of a mount folder (made, recorded, reused, cleaned up after a run that ended without cleaning).
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/wine/image_mount.h"
#include "platform/wine/mounted_discs.h"
#include "platform/wine/prefix.h"
#include "platform/wine/wine_machine.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

std::string Line(int id, const fs::path& point, const std::string& type, const std::string& source) {
  std::string escaped;
  for (const char c : fs::canonical(point).string())
    escaped += c == ' ' ? std::string("\\040") : std::string(1, c);
  return std::to_string(id) + " 1 0:" + std::to_string(id) + " / " + escaped + " ro,relatime - " + type +
         " " + source + " ro\n";
}

void MakeMenuDisc(test::TempDir& dir, const std::string& root, const char* program, const char* folder,
                  const char* catalog) {
  dir.Write(root + "/" + program, "MZ");
  dir.Write(root + "/" + folder + "/" + catalog, "[Main]\n");
}

TEST(MountedDiscsTest, OnlyDiscFileSystemsThatHoldAMenuDiscAreFound) {
  test::TempDir dir;
  MakeMenuDisc(dir, "cd rom", "norva.exe", "NORVA", "norvaxp.INI");  // names as a plain ISO 9660 disc gives
  MakeMenuDisc(dir, "image", "NORVA.EXE", "Norva", "NORVAXP.ini");
  MakeMenuDisc(dir, "network", "NORVA.EXE", "Norva", "NORVAXP.ini");
  MakeMenuDisc(dir, "hidden", "NORVA.EXE", "Norva", "NORVAXP.ini");
  dir.Write("game dvd/NORVA.EXE", "MZ");  // another magazine's disc: no catalog
  dir.Write("half/NORVA.EXE/x", "");      // a folder named like the program
  dir.Write("half/Norva/NORVAXP.ini", "");
  const fs::path table = dir.Write(
      "mountinfo", Line(30, dir.path() / "cd rom", "iso9660", "/dev/sr0") +
                       Line(31, dir.path() / "image", "fuse.norva-disc", "/home/u/Norva 12-2006.cue") +
                       Line(32, dir.path() / "network", "fuse.sshfs", "u@host:/discs") +
                       Line(33, dir.path() / "game dvd", "udf", "/dev/sr1") +
                       Line(34, dir.path() / "half", "iso9660", "/dev/loop3") +
                       Line(35, dir.path() / "hidden", "iso9660", "/dev/loop4") +
                       Line(36, dir.path() / "hidden", "tmpfs", "tmpfs"));
  const std::vector<fs::path> found = FindMountedMenuDiscs(table);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0], fs::canonical(dir.path() / "cd rom"));
  EXPECT_EQ(found[1], fs::canonical(dir.path() / "image"));
  EXPECT_TRUE(FindMountedMenuDiscs(dir.path() / "no such table").empty());
}

TEST(MountedDiscsTest, AFoundDiscGetsALetterForTheScan) {
  test::TempDir dir;
  MakeMenuDisc(dir, "disc", "NORVA.EXE", "Norva", "NORVAXP.ini");
  std::string error;
  auto machine = WineMachine::Open({dir.path() / "prefix", std::nullopt, {dir.path() / "disc"}}, &error);
  ASSERT_TRUE(machine) << error;
  EXPECT_EQ(machine->disc_letter(), 0);  // not started from it: the scan decides
  EXPECT_EQ(fs::canonical(DriveLinkPath(dir.path() / "prefix", 'D')), fs::canonical(dir.path() / "disc"));
}

// A stand-in for the disc server: says what the real one says, without mounting anything.
fs::path FakeServer(test::TempDir& dir, const std::string& body) {
  const fs::path script = dir.Write("server.sh", "#!/bin/sh\n" + body + "\n");
  fs::permissions(script, fs::perms::owner_all);
  return script;
}

TEST(ImageMountTest, TheServersWordsDecide) {
  test::TempDir dir;
  const fs::path image = dir.Write("Norva 12-2006.iso", "not really");
  ImageMountOptions options{image, {}, dir.path() / "base"};

  std::string error;
  EXPECT_FALSE(ImageMount::Open(options, &error));
  EXPECT_NE(error.find("norva-disc is missing"), std::string::npos) << error;

  options.server =
      FakeServer(dir, "echo 'norva-disc: damaged image: the volume descriptors are missing' >&2; exit 3");
  EXPECT_FALSE(ImageMount::Open(options, &error));
  EXPECT_NE(error.find("Norva 12-2006.iso: damaged image: the volume descriptors are missing"),
            std::string::npos)
      << error;
  const fs::path folder = fs::canonical(dir.path() / "base") / MountFolderName(fs::canonical(image));
  EXPECT_FALSE(fs::exists(folder));  // a failed start leaves nothing behind

  options.server = FakeServer(dir, "echo ready; exec sleep 30");
  {
    auto mount = ImageMount::Open(options, &error);
    ASSERT_TRUE(mount) << error;
    EXPECT_EQ(mount->folder(), folder);
    EXPECT_TRUE(fs::is_directory(folder));
    std::ifstream record(folder.string() + ".pid");
    int pid = 0;
    record >> pid;
    EXPECT_GT(pid, 0);
    EXPECT_EQ(kill(pid, 0), 0);
  }
  EXPECT_FALSE(fs::exists(folder));  // the server ended, the folder and its record are gone
  EXPECT_FALSE(fs::exists(folder.string() + ".pid"));

  options.server = FakeServer(dir, "exec sleep 30");
  options.ready_limit = std::chrono::milliseconds(300);
  EXPECT_FALSE(ImageMount::Open(options, &error));
  EXPECT_NE(error.find("did not answer"), std::string::npos) << error;

  options.image = dir.path() / "missing.iso";
  EXPECT_FALSE(ImageMount::Open(options, &error));
  EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
}

TEST(ImageMountTest, LeftoversOfEndedRunsAreCleanedAndOthersKept) {
  test::TempDir dir;
  const fs::path base = dir.path() / "base";
  fs::create_directories(base / "old-00000001");
  dir.Write("base/old-00000001.pid", "999999999\n");  // no such process
  dir.Write("base/kept-00000002/file", "a folder with files is nobody's leftover mount");
  CleanStaleMounts(base, dir.Write("mountinfo", ""));
  EXPECT_FALSE(fs::exists(base / "old-00000001"));
  EXPECT_FALSE(fs::exists(base / "old-00000001.pid"));
  EXPECT_TRUE(fs::exists(base / "kept-00000002/file"));
}

TEST(ImageMountTest, FolderNamesAreSafeAndKeptPerImage) {
  EXPECT_EQ(MountFolderName("/a/Norva 12-2006.iso"), MountFolderName("/a/Norva 12-2006.iso"));
  EXPECT_NE(MountFolderName("/a/disc.iso"), MountFolderName("/b/disc.iso"));
  const std::string name = MountFolderName("/a/../Zlatá žíla: $(x).cue");
  EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_."),
            std::string::npos)
      << name;
}

}  // namespace
}  // namespace norva::platform::wine
