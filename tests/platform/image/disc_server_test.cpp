// norva-disc as the menu runs it: a mount that serves the disc's files and Wine's label and serial files,
// says "ready" once live, and goes away on SIGTERM, when its parent dies or when it is unmounted; and the
// exit statuses and the one line of a failure. Skipped where FUSE cannot mount.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "platform/image/disc_image.h"
#include "platform/image/test_discs.h"
#include "support/temp_dir.h"

namespace norva::platform::image {
namespace {

namespace fs = std::filesystem;
using namespace test;
using std::chrono::steady_clock;

constexpr int kNoFuse = 4;

bool Mounted(const fs::path& mount_point) {
  std::ifstream mounts("/proc/self/mountinfo");
  std::string line;
  while (std::getline(mounts, line))
    if (line.find(" " + mount_point.string() + " ") != std::string::npos) return true;
  return false;
}

std::string MountType(const fs::path& mount_point) {
  std::ifstream mounts("/proc/self/mountinfo");
  std::string line;
  while (std::getline(mounts, line)) {
    if (line.find(" " + mount_point.string() + " ") == std::string::npos) continue;
    std::istringstream fields(line.substr(line.find(" - ") + 3));
    std::string type;
    fields >> type;
    return type;
  }
  return {};
}

bool WaitUnmounted(const fs::path& mount_point) {
  const auto deadline = steady_clock::now() + std::chrono::seconds(10);
  while (Mounted(mount_point) && steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return !Mounted(mount_point);
}

// All that can be read from `fd` until EOF or, with `line_only`, the first newline; at most 10 seconds.
std::string ReadFrom(int fd, bool line_only) {
  std::string text;
  const auto deadline = steady_clock::now() + std::chrono::seconds(10);
  while (steady_clock::now() < deadline && !(line_only && text.find('\n') != std::string::npos)) {
    pollfd wait{fd, POLLIN, 0};
    if (::poll(&wait, 1, 100) <= 0) continue;
    char c;
    if (::read(fd, &c, 1) != 1) break;
    text += c;
  }
  return text;
}

// norva-disc with its output and errors on pipes; `detached` starts it from a child that then waits, so
// that the test can kill its parent.
class Server {
 public:
  Server(const std::vector<std::string>& arguments, bool detached = false) {
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], 1);
      ::dup2(err[1], 2);
      for (int fd : {out[0], out[1], err[0], err[1]}) ::close(fd);
      if (detached && ::fork() != 0) {
        ::pause();
        ::_exit(0);
      }
      std::vector<char*> argv{const_cast<char*>(NORVA_DISC)};
      for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      ::execv(NORVA_DISC, argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }
  ~Server() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(out_);
    ::close(err_);
  }

  std::string FirstLine() { return ReadFrom(out_, true); }
  std::string Errors() { return ReadFrom(err_, false); }
  std::string Output() { return ReadFrom(out_, false); }
  void Signal(int signal) { ::kill(pid_, signal); }
  // The exit status, -1 for a death by a signal.
  int Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
};

class DiscServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveXorriso()) GTEST_SKIP() << kNoXorriso;
    WriteFiles(dir_.path() / "disc", SampleFiles());
    std::string error;
    iso_ = MakeIso(dir_.path() / "disc", dir_.path() / "Disc.iso",
                   std::string("-J -R -joliet-long -V '") + kLabel + "'", &error);
    ASSERT_FALSE(iso_.empty()) << error;
    fs::create_directory(mount_);
  }
  void TearDown() override {
    if (Mounted(mount_)) ::umount2(mount_.c_str(), MNT_DETACH);
  }

  // Starts the server on the ISO; false (the test skipped) when this machine cannot mount FUSE.
  bool StartOrSkip(Server& server) {
    const std::string line = server.FirstLine();
    if (line == "ready\n") return true;
    const std::string errors = server.Errors();
    const int status = server.Wait();
    if (status == kNoFuse) {
      skipped_ = "FUSE cannot mount here: " + errors;
      return false;
    }
    ADD_FAILURE() << "status " << status << ": " << errors;
    return false;
  }

  norva::test::TempDir dir_;
  fs::path iso_;
  fs::path mount_ = dir_.path() / "mnt";
  std::string skipped_;
};

TEST_F(DiscServerTest, ServesTheDiscUntilSigterm) {
  Server server({iso_.string(), mount_.string()});
  if (!StartOrSkip(server)) GTEST_SKIP() << skipped_;
  EXPECT_EQ(MountType(mount_), "fuse.norva-disc");
  for (const auto& [path, content] : SampleFiles())
    EXPECT_EQ(norva::test::TempDir::ReadFile(mount_ / fs::u8path(path)), content) << path;
  std::set<std::string> root;
  for (const auto& entry : fs::directory_iterator(mount_)) root.insert(entry.path().filename().string());
  EXPECT_EQ(root, (std::set<std::string>{
                      ".windows-label", ".windows-serial",
                      "A long name of a demo folder that goes well past sixty-four characters", "Catalog",
                      "Data", "Empty.txt", "ReadMe", "Zlat\xC3\xA1 \xC5\xBE\xC3\xADla"}));
  std::string error;
  const auto disc = DiscImage::Open(iso_, &error);
  ASSERT_TRUE(disc) << error;
  char serial[16];
  std::snprintf(serial, sizeof serial, "%08x\n", disc->volume_id().serial);
  EXPECT_EQ(norva::test::TempDir::ReadFile(mount_ / ".windows-label"), std::string(kLabel) + "\n");
  EXPECT_EQ(norva::test::TempDir::ReadFile(mount_ / ".windows-serial"), serial);

  struct stat file {
  }, folder{};
  ASSERT_EQ(::stat((mount_ / "ReadMe").c_str(), &file), 0);
  ASSERT_EQ(::stat((mount_ / "Data").c_str(), &folder), 0);
  EXPECT_EQ(file.st_mode, S_IFREG | 0444);
  EXPECT_EQ(folder.st_mode, S_IFDIR | 0555);
  EXPECT_EQ(file.st_uid, ::getuid());
  EXPECT_LT(::open((mount_ / "ReadMe").c_str(), O_WRONLY), 0);
  EXPECT_FALSE(fs::exists(mount_ / "readme"));  // lookups are exact

  server.Signal(SIGTERM);
  EXPECT_EQ(server.Wait(), 0);
  EXPECT_FALSE(Mounted(mount_));
}

TEST_F(DiscServerTest, EndsWhenItsParentDiesOrItIsUnmounted) {
  {
    Server parent({iso_.string(), mount_.string()}, true);
    if (!StartOrSkip(parent)) GTEST_SKIP() << skipped_;
    parent.Signal(SIGKILL);
    EXPECT_EQ(parent.Wait(), -1);
    EXPECT_TRUE(WaitUnmounted(mount_));
    EXPECT_EQ(parent.Output(), "");  // the server's end of the pipe is closed: it has ended
  }
  Server server({iso_.string(), mount_.string()});
  ASSERT_EQ(server.FirstLine(), "ready\n");
  ASSERT_EQ(RunShell("fusermount3 -u '" + mount_.string() + "'"), 0);
  EXPECT_EQ(server.Wait(), 0);
  EXPECT_FALSE(Mounted(mount_));
}

TEST_F(DiscServerTest, FailuresGiveOneLineAndTheirStatus) {
  const auto run = [](const std::vector<std::string>& arguments, std::string* errors) {
    Server server(arguments);
    EXPECT_EQ(server.Output(), "");
    *errors = server.Errors();
    return server.Wait();
  };
  std::string errors;
  EXPECT_EQ(run({iso_.string()}, &errors), 2);
  EXPECT_EQ(errors, "norva-disc: usage: norva-disc IMAGE MOUNTPOINT\n");
  EXPECT_EQ(run({iso_.string(), (dir_.path() / "disc").string()}, &errors), 2);
  EXPECT_EQ(errors, "norva-disc: the mount point " + (dir_.path() / "disc").string() + " is not empty\n");
  const fs::path garbage = dir_.path() / "Garbage.bin";
  std::ofstream(garbage) << std::string(100'000, 'x');
  EXPECT_EQ(run({garbage.string(), mount_.string()}, &errors), 3);
  EXPECT_EQ(errors, "norva-disc: " + garbage.string() + " is not a CD image\n");
}

}  // namespace
}  // namespace norva::platform::image
