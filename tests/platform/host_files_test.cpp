// Host files as the menu meets them on odd machines: FIFOs and devices where files are expected, temporary
// files of killed writers, and folders whose listings are reused.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/wine/drive_links.h"
#include "platform/wine/folder_listing_cache.h"
#include "platform/wine/host_file.h"
#include "platform/wine/host_folders.h"
#include "platform/wine/prefix.h"
#include "platform/wine/private_profile_file.h"
#include "platform/wine/wine_drives.h"
#include "platform/wine/wine_file_system.h"
#include "platform/wine/wine_registry.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;
using std::chrono::steady_clock;

// Should a read open the FIFO after all, this opens its other end after two seconds, so that the test ends
// (and fails on the time taken) rather than hanging.
class FifoGuard {
 public:
  explicit FifoGuard(fs::path fifo) : fifo_(std::move(fifo)) {
    if (::mkfifo(fifo_.c_str(), 0644) != 0) throw std::runtime_error("mkfifo");
    thread_ = std::thread([this] {
      const auto deadline = steady_clock::now() + std::chrono::seconds(2);
      while (!done_ && steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      while (!done_) {
        const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
  }
  ~FifoGuard() {
    done_ = true;
    thread_.join();
  }

 private:
  fs::path fifo_;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

template <typename Fn>
double SecondsOf(Fn fn) {
  const auto start = steady_clock::now();
  fn();
  return std::chrono::duration<double>(steady_clock::now() - start).count();
}

TEST(HostFilesTest, FifosAndDevicesAreRefusedWithoutBlocking) {
  test::TempDir dir;
  const fs::path fifo = dir.path() / "fifo";
  FifoGuard guard(fifo);
  const double seconds = SecondsOf([&] {
    EXPECT_EQ(ReadHostFile(fifo), std::nullopt);
    EXPECT_EQ(ReadRegularHostFile(fifo), std::nullopt);
    EXPECT_EQ(ProbeHostFile(fifo), std::nullopt);
    EXPECT_FALSE(OpenHostFile::Open(fifo).has_value());
    EXPECT_EQ(ReadHostFile("/dev/zero"), std::nullopt);
    EXPECT_EQ(ReadHostFile(dir.path()), std::nullopt);
  });
  EXPECT_LT(seconds, 1.0);

  // A missing file is no error to ReadHostFile; a file over the limit is refused unread.
  const auto missing = ReadHostFile(dir.path() / "missing");
  ASSERT_TRUE(missing.has_value());
  EXPECT_FALSE(missing->stamp.exists);
  dir.Write("ten", "0123456789");
  EXPECT_EQ(ReadHostFile(dir.path() / "ten", 9), std::nullopt);
  EXPECT_EQ(ReadRegularHostFile(dir.path() / "ten", 10), "0123456789");
}

TEST(HostFilesTest, AStoreOrCatalogThatIsAFifoReadsAsEmptyAndIsNeverWritten) {
  test::TempDir dir;
  FifoGuard guard(dir.path() / "norva.ini");
  fs::create_directories(dir.path() / "prefix" / "dosdevices");
  fs::create_directory_symlink(dir.path(), dir.path() / "prefix" / "dosdevices" / "c:");
  const double seconds = SecondsOf([&] {
    PrivateProfileFile store("C:\\norva.ini", dir.path() / "norva.ini", std::chrono::milliseconds(0));
    EXPECT_EQ(store.ReadInteger("Main", "Music", 7), 7);
    EXPECT_FALSE(store.WriteString("Main", "Music", "0"));
    WineFileSystem files(dir.path() / "prefix");
    EXPECT_EQ(files.ReadFile("C:\\norva.ini"), std::nullopt);
  });
  EXPECT_LT(seconds, 1.0);
  EXPECT_TRUE(fs::is_fifo(dir.path() / "norva.ini"));
}

TEST(HostFilesTest, FilesReadAtStartThatAreFifosDoNotBlockIt) {
  test::TempDir dir;
  FifoGuard links(dir.path() / ".norva-drive-links");
  FifoGuard user_dirs(dir.path() / "user-dirs.dirs");
  const double seconds = SecondsOf([&] {
    DriveLinkRecord record(dir.path());
    EXPECT_FALSE(record.MadeByMenu('d'));
    HostFolders folders({dir.path(), dir.path(), dir.path() / "prefix"});
    EXPECT_TRUE(folders.Covers(dir.path()));
  });
  EXPECT_LT(seconds, 1.0);
}

TEST(HostFilesTest, TemporaryFilesOfProcessesThatNoLongerRunAreRemoved) {
  test::TempDir dir;
  const pid_t dead = ::fork();
  if (dead == 0) ::_exit(0);
  ::waitpid(dead, nullptr, 0);
  const std::string stale = ".norva.ini.norva-" + std::to_string(dead) + "-3.tmp";
  const std::string own = ".norva.ini.norva-" + std::to_string(::getpid()) + "-0.tmp";
  const std::string running = ".norva.ini.norva-" + std::to_string(::getppid()) + "-1.tmp";
  for (const std::string& name : {stale, own, running, std::string(".other.ini.norva-1-1.tmp")}) {
    dir.Write(name, std::string(1000, 'x'));
  }

  dir.Write("norva.ini", "[Main]\r\nLanguage=1\r\n");
  // A start writes what the store already holds: nothing is written, the leftovers go all the same.
  PrivateProfileFile store("norva.ini", dir.path() / "norva.ini", std::chrono::milliseconds(0));
  ASSERT_TRUE(store.WriteInteger("Main", "Language", 1));
  EXPECT_EQ(store.rewrites(), 0u);
  EXPECT_FALSE(fs::exists(dir.path() / stale));
  EXPECT_FALSE(fs::exists(dir.path() / own)) << "left by an earlier process with this id";
  EXPECT_TRUE(fs::exists(dir.path() / running));
  EXPECT_TRUE(fs::exists(dir.path() / ".other.ini.norva-1-1.tmp")) << "another file's";
}

TEST(HostFilesTest, DrivesThatShowTheHostsOwnFilesAreKnown) {
  test::TempDir dir;
  const fs::path prefix = dir.path() / "home" / ".wine";
  std::string error;
  ASSERT_TRUE(EnsurePrefixLayout(prefix, &error)) << error;
  fs::create_directories(dir.path() / "games");
  const fs::path devices = DosDevicesDir(prefix);
  if (!fs::is_symlink(devices / "z:")) fs::create_directory_symlink("/", devices / "z:");  // as Wine makes it
  fs::create_directory_symlink(dir.path() / "home", devices / "h:");                       // holds the prefix
  fs::create_directory_symlink(dir.path() / "games", devices / "e:");
  WineRegistry registry(prefix);
  WineDrives drives(prefix, registry, 0);
  EXPECT_TRUE(drives.IsHostView('Z'));
  EXPECT_TRUE(drives.IsHostView('h'));
  EXPECT_FALSE(drives.IsHostView('C'));
  EXPECT_FALSE(drives.IsHostView('E'));
  EXPECT_FALSE(drives.IsHostView('Q'));
}

TEST(FolderListingCacheTest, ListsAFolderOnceWhileItStaysAsItIs) {
  test::TempDir dir;
  dir.Write("Norva/NORVAXP.ini", "");
  dir.Write("Norva/b.txt", "");
  FolderListingCache cache(std::chrono::nanoseconds(0));
  EXPECT_EQ(cache.Match(dir.path(), "NORVA"), "Norva");
  EXPECT_EQ(cache.Match(dir.path(), "norva"), "Norva");
  EXPECT_EQ(cache.Match(dir.path(), "Missing"), "");
  EXPECT_EQ(cache.listings(), 1u);

  // A name that only differs in case: the smallest wins, also from a listing that is kept.
  dir.Write("NORVA/x", "");
  const auto later = fs::last_write_time(dir.path()) + std::chrono::seconds(10);
  fs::last_write_time(dir.path(), later);  // a change the folder's times show
  EXPECT_EQ(cache.Match(dir.path(), "norva"), "NORVA");
  EXPECT_EQ(cache.listings(), 2u);
  cache.Forget(dir.path());
  EXPECT_EQ(cache.Match(dir.path(), "nOrVa"), "NORVA");
  EXPECT_EQ(cache.listings(), 3u);
}

TEST(FolderListingCacheTest, AFolderChangedJustNowIsListedAgainEachTime) {
  test::TempDir dir;
  dir.Write("Game/SETUP.EXE", "");
  FolderListingCache cache;  // the folder was made this instant, within the settling time
  EXPECT_EQ(cache.Match(dir.path() / "Game", "setup.exe"), "SETUP.EXE");
  dir.Write("Game/readme.TXT", "");
  EXPECT_EQ(cache.Match(dir.path() / "Game", "README.txt"), "readme.TXT");
  EXPECT_EQ(cache.listings(), 2u);
  EXPECT_EQ(cache.Match(dir.path() / "Gone", "x"), "");
}

}  // namespace
}  // namespace norva::platform::wine
