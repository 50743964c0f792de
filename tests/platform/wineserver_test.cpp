// Finding a prefix's running wineserver, and the files exchanged with Wine's registry tools while one runs.
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/wine/reg_file.h"
#include "platform/wine/reg_text.h"
#include "platform/wine/regedit_text.h"
#include "platform/wine/wineserver_probe.h"
#include "support/temp_dir.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

std::string Utf16(std::string_view ascii_or_utf8_bytes_as_latin) {
  std::string out = "\xFF\xFE";
  for (const char c : ascii_or_utf8_bytes_as_latin) {
    out += c;
    out += '\0';
  }
  return out;
}

TEST(RegeditTextTest, AnExportReadsAsWinesOwnRegistryText) {
  // As `reg export HKLM` writes it (CRLF, UTF-16): every key line with its root, a key of another root, a
  // name with brackets and one outside ASCII (é as one UTF-16 unit), a wrapped REG_EXPAND_SZ.
  std::string export_text = Utf16(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_LOCAL_MACHINE]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\K[x]]\r\n"
      "@=\"def \\\"q\\\" \\\\ x\"\r\n"
      "\"Exp\"=hex(2):25,00,54,00,4d,00,50,00,\\\r\n  25,00,00,00\r\n"
      "\"Dw\"=dword:0000002a\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Elsewhere]\r\n\"a\"=\"b\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Caf");
  export_text += std::string("\xE9\x00", 2);
  export_text += Utf16("]\r\n\"n\"=\"v\"\r\n").substr(2);
  const std::optional<std::string> text = WineTextFromExport(export_text, kMachineRootName);
  ASSERT_TRUE(text);
  const RegFile file = RegFile::Parse(*text);
  ASSERT_TRUE(file.valid());
  ASSERT_NE(file.FindValue("Software\\Vendor\\K[x]", ""), nullptr);
  EXPECT_EQ(file.FindValue("Software\\Vendor\\K[x]", "")->data, "def \"q\" \\ x");
  ASSERT_NE(file.FindValue("software\\vendor\\k[x]", "Exp"), nullptr);
  EXPECT_EQ(file.FindValue("software\\vendor\\k[x]", "Exp")->data, "%TMP%");
  EXPECT_EQ(file.FindValue("Software\\Vendor\\K[x]", "Dw")->data, std::string("\x2a\0\0\0", 4));
  EXPECT_NE(file.FindValue("Software\\Caf\xC3\xA9", "n"), nullptr);
  EXPECT_FALSE(file.KeyExists("Software\\Elsewhere"));

  EXPECT_FALSE(WineTextFromExport(Utf16("REGEDIT4\r\n"), kMachineRootName));
  EXPECT_FALSE(
      WineTextFromExport("Windows Registry Editor Version 5.00\r\n", kMachineRootName));  // not UTF-16
}

TEST(RegeditTextTest, AnImportHoldsTheChangesInUtf16) {
  RegeditScript script;
  EXPECT_TRUE(script.empty());
  script.DeleteKey(kMachineRootName, "Software\\Vendor\\Hra \xC4\x8D\xC3\xA1st");
  script.DeleteValue(kUserRootName, "Software\\Vendor", "Say \"hi\"\\");
  script.DeleteValue(kUserRootName, "Software\\Vendor", "");
  script.SetString(kMachineRootName, "Software\\Wine\\Drives", "d:", "cdrom");
  const std::string bytes = script.Bytes();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(Utf16LeToUtf8(bytes.substr(2)),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n[-HKEY_LOCAL_MACHINE\\Software\\Vendor\\Hra \xC4\x8D\xC3\xA1st]\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Vendor]\r\n\"Say \\\"hi\\\"\\\\\"=-\r\n"
            "\r\n[HKEY_CURRENT_USER\\Software\\Vendor]\r\n@=-\r\n"
            "\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n\"d:\"=\"cdrom\"\r\n");
}

// A server folder as Debian's Wine makes it: the prefix's file "wineserver" names a private folder in /tmp.
class WineserverProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(prefix_);
    dir_.Write("prefix/wineserver", dir_.path().filename().string());
    struct stat info = {};
    ASSERT_EQ(stat(prefix_.c_str(), &info), 0);
    char name[64];
    std::snprintf(name, sizeof name, "server-%llx-%llx", static_cast<unsigned long long>(info.st_dev),
                  static_cast<unsigned long long>(info.st_ino));
    server_ = dir_.path() / name;
  }
  void TearDown() override {
    if (holder_ > 0) {
      kill(holder_, SIGKILL);
      waitpid(holder_, nullptr, 0);
    }
  }
  // Another process holds the lock, as a live server does; returns once it does.
  void HoldLock() {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    holder_ = fork();
    if (holder_ == 0) {
      const int fd = open((server_ / "lock").c_str(), O_RDWR);
      struct flock lock = {};
      lock.l_type = F_WRLCK;
      lock.l_whence = SEEK_SET;
      if (fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0) (void)!write(ready[1], "1", 1);
      pause();
      _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    close(ready[1]);
  }

  test::TempDir dir_;
  fs::path prefix_ = dir_.path() / "prefix";
  fs::path server_;
  pid_t holder_ = -1;
};

TEST_F(WineserverProbeTest, ASocketWithALockedLockFileIsARunningServer) {
  const std::vector<fs::path> folders = WineserverFolders(prefix_);
  ASSERT_FALSE(folders.empty());
  EXPECT_NE(std::find(folders.begin(), folders.end(), server_), folders.end());
  EXPECT_EQ(folders.back(), fs::path("/tmp") / (".wine-" + std::to_string(getuid())) / server_.filename());
  EXPECT_FALSE(WineserverRunning(prefix_));

  // What a server that ended leaves: the lock file, nobody holding it.
  fs::create_directories(server_);
  dir_.Write(server_.filename().string() + "/lock", "");
  EXPECT_FALSE(WineserverRunning(prefix_));
  HoldLock();
  EXPECT_FALSE(WineserverRunning(prefix_));  // no socket yet
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  const std::string socket_path = (server_ / "socket").string();
  ASSERT_LT(socket_path.size(), sizeof address.sun_path);
  socket_path.copy(address.sun_path, socket_path.size());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_TRUE(WineserverRunning(prefix_));
  kill(holder_, SIGKILL);
  waitpid(holder_, nullptr, 0);
  holder_ = -1;
  EXPECT_FALSE(WineserverRunning(prefix_));  // a server that died leaves its socket behind
  close(sock);
  EXPECT_TRUE(WineserverFolders(dir_.path() / "missing").empty());
}

}  // namespace
}  // namespace norva::platform::wine
