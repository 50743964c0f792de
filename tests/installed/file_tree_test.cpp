// Folder operations on a scratch Wine prefix, through the real backend.
#include "installed/file_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "installed/protected_folders.h"
#include "installed/system_folders.h"
#include "platform/wine/wine_machine.h"
#include "support/temp_dir.h"

namespace norva::installed {
namespace {

namespace fs = std::filesystem;

// The Wine backend, except that files whose name holds "locked" are in use: they cannot be deleted.
class InUseFiles : public platform::FileSystem {
 public:
  explicit InUseFiles(platform::FileSystem& inner) : inner_(inner) {}
  std::optional<std::string> HostPath(std::string_view p) override { return inner_.HostPath(p); }
  bool FileExists(std::string_view p) override { return inner_.FileExists(p); }
  bool DirExists(std::string_view p) override { return inner_.DirExists(p); }
  std::optional<std::string> ReadFile(std::string_view p) override { return inner_.ReadFile(p); }
  bool WriteFileAtomic(std::string_view p, std::string_view b, platform::Error* e) override {
    return inner_.WriteFileAtomic(p, b, e);
  }
  std::optional<std::vector<platform::DirEntry>> ListDir(std::string_view p) override {
    return inner_.ListDir(p);
  }
  bool CreateDir(std::string_view p, platform::Error* e) override { return inner_.CreateDir(p, e); }
  bool RemoveFile(std::string_view p, platform::Error* e) override {
    return p.find("locked") == std::string_view::npos && inner_.RemoveFile(p, e);
  }
  bool RemoveDir(std::string_view p, platform::Error* e) override { return inner_.RemoveDir(p, e); }
  bool SetReadOnly(std::string_view p, bool r) override { return inner_.SetReadOnly(p, r); }
  std::string CurrentDir() override { return inner_.CurrentDir(); }
  bool SetCurrentDir(std::string_view p) override { return inner_.SetCurrentDir(p); }

 private:
  platform::FileSystem& inner_;
};

class FileTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.Write(
        "prefix/user.reg",
        "WINE REGISTRY Version 2\n\n"
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\explorer\\\\Shell Folders] 1700000000\n"
        "\"Desktop\"=\"C:\\\\users\\\\player\\\\Desktop\"\n"
        "\"Programs\"=\"C:\\\\users\\\\player\\\\Start Menu\\\\Programs\"\n");
    dir_.Write(
        "prefix/system.reg",
        "WINE REGISTRY Version 2\n\n"
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\explorer\\\\Shell Folders] 1700000000\n"
        "\"Common Programs\"=\"C:\\\\ProgramData\\\\Microsoft\\\\Windows\\\\Start Menu\\\\Programs\"\n");
    std::string error;
    machine_ = platform::wine::WineMachine::Open({dir_.path() / "prefix", std::nullopt}, &error);
    ASSERT_NE(machine_, nullptr) << error;
    folders_ = LoadSystemInfo(machine_->system(), machine_->registry());
    ASSERT_EQ(folders_.UserProgramsDir, "C:\\users\\player\\Start Menu\\Programs\\");
  }

  // Host paths below drive C:, written with '/'.
  fs::path C(std::string_view relative) const { return dir_.path() / "prefix/drive_c" / relative; }
  fs::path Make(std::string_view relative, std::string_view bytes = "x") const {
    return dir_.Write("prefix/drive_c/" + std::string(relative), bytes);
  }
  bool Exists(std::string_view relative) const { return fs::exists(fs::symlink_status(C(relative))); }
  static bool Writable(const fs::path& path) {
    return (fs::status(path).permissions() & fs::perms::owner_write) != fs::perms::none;
  }
  static void MakeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::remove);
  }

  test::TempDir dir_;
  std::unique_ptr<platform::wine::WineMachine> machine_;
  SystemFolders folders_;
};

TEST_F(FileTreeTest, ProtectedFoldersAndTheFoldersThatHoldThem) {
  const ProtectedFolders guard(folders_, "C:\\NORVA");
  for (const char* path :
       {"C:\\", "d:", "C:\\GAMES\\..", "c:\\WINDOWS\\", "C:\\Windows\\System32\\..\\", "C:\\windows. \\",
        "C:\\Program Files", "C:\\users", "C:\\users\\player", "C:\\Users\\Public\\",
        "C:\\users\\player\\desktop", "C:\\users\\player\\Start Menu", "C:\\ProgramData",
        "C:\\Program Files (x86)", "C:\\windows\\syswow64", "C:\\Program Files\\Common Files",
        "..\\windows\\system32", "\\\\server\\share"}) {
    EXPECT_TRUE(guard.Covers(path)) << path;
  }
  for (const char* path : {"C:\\windows\\temp", "C:\\Program Files\\Game", "C:\\users\\player\\Desktop\\Game",
                           "C:\\users\\player\\Start Menu\\Programs\\Game", "D:\\users\\x", "C:\\GAMES"}) {
    EXPECT_FALSE(guard.Covers(path)) << path;
  }
}

TEST_F(FileTreeTest, RemoveTreeRemovesEverythingButWhatIsInUseAndItsFolders) {
  Make("GAMES/X/readme.txt");
  Make("GAMES/X/.hidden");
  MakeReadOnly(Make("GAMES/X/Data/ro.dat"));
  Make("GAMES/X/Save/locked.sav");
  Make("GAMES/X/Save/slot1.sav");
  MakeReadOnly(C("GAMES/X/Data"));
  InUseFiles files(machine_->files());
  FileTree(files, folders_).RemoveTree("c:\\games\\x\\");
  EXPECT_FALSE(Exists("GAMES/X/readme.txt"));
  EXPECT_FALSE(Exists("GAMES/X/.hidden"));
  EXPECT_FALSE(Exists("GAMES/X/Data"));
  EXPECT_FALSE(Exists("GAMES/X/Save/slot1.sav"));
  EXPECT_TRUE(Exists("GAMES/X/Save/locked.sav"));

  FileTree(files, folders_).RemoveTree("C:\\GAMES\\NOSUCH");  // nothing to do, nothing broken
  FileTree tree(machine_->files(), folders_);
  tree.RemoveTree("C:\\GAMES\\X\\Save\\locked.sav");  // a file is no tree
  EXPECT_TRUE(Exists("GAMES/X/Save/locked.sav"));
  tree.RemoveTree("C:\\GAMES\\X");
  EXPECT_FALSE(Exists("GAMES/X"));
  EXPECT_TRUE(Exists("GAMES"));
}

TEST_F(FileTreeTest, RemoveTreeNeverLeavesTheTree) {
  const fs::path outside_file = Make("KEEP/keep.txt");
  MakeReadOnly(outside_file);
  Make("KEEP/Sub/keep2.txt");
  Make("GAMES/X/a.txt");
  MakeReadOnly(Make("GAMES/X/Data/ro.dat"));
  MakeReadOnly(C("GAMES/X/Data"));
  fs::create_directory_symlink(C("KEEP"), C("GAMES/X/LinkDir"));
  fs::create_symlink(outside_file, C("GAMES/X/link.txt"));
  fs::create_directory_symlink(C("KEEP"), C("GAMES/Alias"));
  // A host name with a separator in it would resolve to C:\GAMES\KEEP2 as a DOS path.
  Make("GAMES/KEEP2/keep3.txt");
  fs::create_directories(C("GAMES/X") / "..\\KEEP2");

  FileTree tree(machine_->files(), folders_);
  tree.RemoveTree("C:\\GAMES\\X");
  tree.RemoveTree("C:\\GAMES\\Alias");
  EXPECT_FALSE(Exists("GAMES/X/LinkDir"));
  EXPECT_FALSE(Exists("GAMES/X/link.txt"));
  EXPECT_FALSE(Exists("GAMES/X/Data")) << "read-only files and folders go too";
  EXPECT_FALSE(Exists("GAMES/Alias"));
  EXPECT_TRUE(Exists("KEEP/keep.txt"));
  EXPECT_FALSE(Writable(outside_file));  // the link's target keeps its attribute
  EXPECT_TRUE(Exists("KEEP/Sub/keep2.txt"));
  EXPECT_TRUE(Exists("GAMES/KEEP2/keep3.txt"));
}

TEST_F(FileTreeTest, DeletionsAimedAtProtectedFoldersDeleteNothing) {
  Make("windows/win.ini");
  Make("windows/syswow64/drv32.dll");
  Make("Program Files (x86)/Common Files/Shared/lib.dll");
  Make("users/Public/Documents/readme.txt");
  Make("windows/system32/drv.dll");
  Make("users/player/Desktop/note.txt");
  Make("users/player/Start Menu/Programs/Game/Game.lnk");
  Make("ProgramData/Microsoft/Windows/Start Menu/Programs/Other/Other.lnk");
  Make("Program Files/Game/game.exe");
  FileTree tree(machine_->files(), folders_);
  for (const char* path :
       {"C:\\", "C:\\GAMES\\..\\", "c:\\WINDOWS\\", "C:\\windows\\system32\\.", "C:\\users",
        "C:\\users\\PLAYER\\", "C:\\Program Files", "C:\\users\\player\\Start Menu", "C:\\ProgramData",
        "C:\\users\\player\\Desktop", "C:\\windows\\SysWOW64", "C:\\Program Files (x86)",
        "C:\\Program Files (x86)\\Common Files", "C:\\users\\Public"}) {
    tree.RemoveTree(path);
  }
  tree.RemoveStartFolder("..\\..");
  tree.RemoveStartFolder("..\\Programs");
  EXPECT_TRUE(Exists("windows/win.ini"));
  EXPECT_TRUE(Exists("windows/system32/drv.dll"));
  EXPECT_TRUE(Exists("users/player/Desktop/note.txt"));
  EXPECT_TRUE(Exists("users/player/Start Menu/Programs/Game/Game.lnk"));
  EXPECT_TRUE(Exists("ProgramData/Microsoft/Windows/Start Menu/Programs/Other/Other.lnk"));
  EXPECT_TRUE(Exists("Program Files/Game/game.exe"));
  EXPECT_TRUE(Exists("windows/syswow64/drv32.dll"));
  EXPECT_TRUE(Exists("users/Public/Documents/readme.txt"));

  // Folders below them are ordinary.
  tree.RemoveTree("C:\\Program Files\\Game");
  EXPECT_FALSE(Exists("Program Files/Game"));
  tree.RemoveTree("C:\\Program Files (x86)\\Common Files\\Shared");
  EXPECT_FALSE(Exists("Program Files (x86)/Common Files/Shared"));
  EXPECT_TRUE(Exists("Program Files (x86)/Common Files"));
}

// Sets environment variables for one test and puts the old values back.
class ScopedEnvironment {
 public:
  void Set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) {
        setenv(it->first, it->second->c_str(), 1);
      } else {
        unsetenv(it->first);
      }
    }
  }

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(FileTreeTest, DeletionsNeverReachTheHostsOwnFolders) {
  // A home of this test's own, whose desktop user-dirs.dirs names as a Czech desktop does.
  const fs::path home = dir_.path() / "home";
  dir_.Write("config/user-dirs.dirs",
             "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Plocha\"\n"
             "XDG_MUSIC_DIR=\"/srv/norva-music\"\n");
  for (const char* file : {"Plocha/note.txt", "Documents/cv.odt", "Games/Old/game.exe", "notes.txt"})
    dir_.Write("home/" + std::string(file), "x");
  ScopedEnvironment environment;
  environment.Set("HOME", home.string());
  environment.Set("XDG_CONFIG_HOME", (dir_.path() / "config").string());
  std::string error;
  auto machine = platform::wine::WineMachine::Open({dir_.path() / "prefix", std::nullopt}, &error);
  ASSERT_NE(machine, nullptr) << error;
  FileTree tree(machine->files(), folders_);
  std::string scratch = "Z:" + dir_.path().string();
  std::replace(scratch.begin(), scratch.end(), '/', '\\');
  fs::create_directory_symlink(home, dir_.path() / "to-home");

  // The home folder, the folders that hold it, its personal folders, the prefix and its drive_c, also
  // reached through a link.
  for (const char* path : {"\\home", "\\home\\Plocha", "\\home\\Documents\\", "\\home\\Games\\..",
                           "\\to-home\\Plocha", "", "\\prefix", "\\prefix\\drive_c"}) {
    tree.RemoveTree(scratch + path);
  }
  for (const char* file : {"Plocha/note.txt", "Documents/cv.odt", "Games/Old/game.exe", "notes.txt"})
    EXPECT_TRUE(fs::exists(home / file)) << file;
  EXPECT_TRUE(fs::exists(dir_.path() / "prefix/system.reg"));
  // The host's root and system folders, and a personal folder named by an absolute path: judged only.
  for (const char* path : {"Z:\\", "Z:\\usr", "Z:\\etc\\", "Z:\\bin", "Z:\\lib", "Z:\\var", "Z:\\boot",
                           "Z:\\opt", "Z:\\home", "Z:\\srv\\norva-music"}) {
    EXPECT_TRUE(tree.IsProtected(path)) << path;
  }

  // Below them, folders are ordinary; a link to the home folder loses only the link.
  EXPECT_FALSE(tree.IsProtected("Z:\\usr\\share\\norva-not-there"));
  tree.RemoveTree(scratch + "\\home\\Games\\Old");
  EXPECT_FALSE(fs::exists(home / "Games/Old"));
  tree.RemoveTree(scratch + "\\to-home");
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir_.path() / "to-home")));
  EXPECT_TRUE(fs::exists(home / "notes.txt"));
}

TEST_F(FileTreeTest, RemoveStartFolderTakesTheGroupFromBothProgramsFolders) {
  Make("users/player/Start Menu/Programs/Firm/Game/Game.lnk");
  Make("ProgramData/Microsoft/Windows/Start Menu/Programs/Firm/Game/Game.lnk");
  Make("NORVA/Firm/keep.txt");
  FileTree tree(machine_->files(), folders_);
  tree.RemoveStartFolder("");
  tree.RemoveStartFolder(" ");
  EXPECT_TRUE(Exists("users/player/Start Menu/Programs/Firm/Game/Game.lnk"));
  tree.RemoveStartFolder("Firm\\Game");
  EXPECT_FALSE(Exists("users/player/Start Menu/Programs/Firm/Game"));
  EXPECT_FALSE(Exists("ProgramData/Microsoft/Windows/Start Menu/Programs/Firm/Game"));
  EXPECT_TRUE(Exists("users/player/Start Menu/Programs/Firm"));

  // Without an all-users folder the group must not turn into a path below the current folder.
  folders_.CommonProgramsDir.clear();
  ASSERT_TRUE(machine_->files().SetCurrentDir("C:\\NORVA"));
  tree.RemoveStartFolder("Firm");
  EXPECT_FALSE(Exists("users/player/Start Menu/Programs/Firm"));
  EXPECT_TRUE(Exists("NORVA/Firm/keep.txt"));
}

TEST_F(FileTreeTest, RemoveFileClearsReadOnlyButNeverTouchesFolders) {
  MakeReadOnly(Make("GAMES/X/ro.txt"));
  fs::create_directories(C("GAMES/Y"));
  MakeReadOnly(C("GAMES/Y"));
  FileTree tree(machine_->files(), folders_);
  EXPECT_TRUE(tree.RemoveFile("C:\\GAMES\\X\\RO.TXT"));
  EXPECT_FALSE(Exists("GAMES/X/ro.txt"));
  EXPECT_FALSE(tree.RemoveFile("C:\\GAMES\\X\\ro.txt"));
  EXPECT_FALSE(tree.RemoveFile("C:\\GAMES\\Y"));
  EXPECT_FALSE(Writable(C("GAMES/Y")));
}

TEST_F(FileTreeTest, DeleteEmptyBranchClimbsWhileFoldersAreEmpty) {
  fs::create_directories(C("GAMES/X/Y"));
  Make("GAMES/X/Y/MsCreate.Dir");
  MakeReadOnly(Make("GAMES/X/mscreate.dir"));
  Make("GAMES/X/save.dat");
  Make("GAMES/MsCreate.Dir");
  Make("GAMES/Other/o.txt");
  FileTree tree(machine_->files(), folders_);
  tree.DeleteEmptyBranch("C:\\GAMES\\X\\Y");
  EXPECT_FALSE(Exists("GAMES/X/Y"));
  EXPECT_FALSE(Exists("GAMES/X/mscreate.dir"));
  EXPECT_FALSE(Exists("GAMES/MsCreate.Dir"));
  EXPECT_TRUE(Exists("GAMES/X/save.dat"));
  EXPECT_TRUE(Exists("GAMES/Other/o.txt"));

  // An empty desktop is the user's, not part of the branch.
  fs::create_directories(C("users/player/Desktop/Game"));
  Make("users/player/Desktop/MsCreate.Dir");
  tree.DeleteEmptyBranch("C:\\users\\player\\Desktop\\Game\\");
  EXPECT_FALSE(Exists("users/player/Desktop/Game"));
  EXPECT_TRUE(Exists("users/player/Desktop/MsCreate.Dir"));
}

TEST_F(FileTreeTest, SizeofTreeSumsPast4GiB) {
  Make("GAMES/X/a.bin");
  fs::resize_file(C("GAMES/X/a.bin"), 3LL << 30);  // sparse: no disk space taken
  Make("GAMES/X/Sub/b.bin");
  fs::resize_file(C("GAMES/X/Sub/b.bin"), (3LL << 30) / 2);
  Make("GAMES/X/.hidden", "12345");
  Make("GAMES/X/.cache/c.bin", "1234567");  // a hidden folder is not entered
  fs::create_directory_symlink(C("GAMES/X/Sub"), C("GAMES/X/Link"));
  fs::create_symlink(C("GAMES/X/a.bin"), C("GAMES/X/a.lnk"));
  FileTree tree(machine_->files(), folders_);
  EXPECT_EQ(tree.SizeofTree("c:\\games\\x"), (3LL << 30) + (3LL << 30) / 2 + 5);
  EXPECT_EQ(tree.SizeofTree("C:\\GAMES\\X\\Link"), 0);
  EXPECT_EQ(tree.SizeofTree("C:\\GAMES\\NOSUCH"), 0);
}

TEST_F(FileTreeTest, RemoveReadOnlyClearsVisibleFilesOnly) {
  const fs::path plain = Make("GAMES/X/a.txt");
  const fs::path deep = Make("GAMES/X/Sub/b.txt");
  const fs::path hidden = Make("GAMES/X/.c");
  const fs::path in_hidden = Make("GAMES/X/.d/e.txt");
  const fs::path outside = Make("KEEP/k.txt");
  for (const fs::path& path : {plain, deep, hidden, in_hidden, outside}) MakeReadOnly(path);
  fs::create_directory_symlink(C("KEEP"), C("GAMES/X/Link"));
  FileTree(machine_->files(), folders_).RemoveReadOnly("C:\\GAMES\\X");
  EXPECT_TRUE(Writable(plain));
  EXPECT_TRUE(Writable(deep));
  EXPECT_FALSE(Writable(hidden));
  EXPECT_FALSE(Writable(in_hidden));
  EXPECT_FALSE(Writable(outside));
}

TEST_F(FileTreeTest, SearchTreeIsBoundedByDepthAndMatchesAnyCase) {
  Make("A/B/C/Game.EXE");
  Make("A/.hidden/x.exe");
  Make("KEEP/y.exe");
  fs::create_directory_symlink(C("KEEP"), C("A/Link"));
  FileTree tree(machine_->files(), folders_);
  EXPECT_EQ(tree.SearchTree("C:\\A", "game.exe", 1), "");
  EXPECT_EQ(tree.SearchTree("C:\\A", "game.exe", 2), "C:\\A\\B\\C\\");
  EXPECT_EQ(tree.SearchTree("C:\\A\\B\\C\\", "GAME.EXE", 0), "C:\\A\\B\\C\\");
  EXPECT_EQ(tree.SearchTree("C:\\A", "game.exe", -1), "");
  EXPECT_EQ(tree.SearchTree("C:\\A", "x.exe", 5), "");
  EXPECT_EQ(tree.SearchTree("C:\\A", "y.exe", 5), "");

  // The start folder is looked at before any subfolder.
  Make("A/game.exe");
  EXPECT_EQ(tree.SearchTree("C:\\A", "Game.exe", 5), "C:\\A\\");
}

}  // namespace
}  // namespace norva::installed
