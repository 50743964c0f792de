// norva-disc IMAGE MOUNTPOINT
// Serves the CD image IMAGE as a read-only folder at MOUNTPOINT (an existing empty folder) through FUSE, so
// that the menu and the Windows programs it starts under Wine use the disc without root. Prints "ready" on
// standard output once the mount is live; ends, unmounting, on SIGTERM, SIGINT or SIGHUP, when its parent
// dies, or when the folder is unmounted. Exit status: 0 after serving, 2 usage, 3 the image cannot be used,
// 4 FUSE is not available or refused the mount. A failure prints one line "norva-disc: <reason>" on stderr.
#include <sys/prctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "platform/image/disc_image.h"
#include "platform/image/server/disc_file_system.h"

namespace {

namespace fs = std::filesystem;
using norva::platform::image::DiscFileSystem;
using norva::platform::image::DiscImage;

constexpr int kUsage = 2;
constexpr int kBadImage = 3;
constexpr int kNoFuse = 4;

int Fail(int status, const std::string& reason) {
  std::cerr << "norva-disc: " << reason << std::endl;
  return status;
}

// libfuse's own messages, kept for the one line a failed mount prints.
std::string& FuseMessages() {
  static std::string messages;
  return messages;
}

void KeepFuseMessage(fuse_log_level, const char* format, va_list arguments) {
  char line[512];
  std::vsnprintf(line, sizeof line, format, arguments);
  std::string text = line;
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  if (text.empty()) return;
  if (!FuseMessages().empty()) FuseMessages() += "; ";
  FuseMessages() += text;
}

// Mount option values may not hold an unescaped comma.
std::string OptionValue(const std::string& value) {
  std::string escaped;
  for (const char c : value) {
    if (c == ',' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

}  // namespace

int main(int argc, char** argv) {
  // The server must not outlive the menu that started it; a parent that died before the request was made
  // has already handed us to another process.
  const pid_t parent = ::getppid();
  ::prctl(PR_SET_PDEATHSIG, SIGTERM);
  if (parent == 1 || ::getppid() != parent) return 0;

  if (argc != 3) return Fail(kUsage, "usage: norva-disc IMAGE MOUNTPOINT");
  std::error_code error_code;
  const fs::path image = fs::absolute(argv[1], error_code);
  const fs::path mount_point = fs::absolute(argv[2], error_code);
  if (!fs::is_directory(mount_point, error_code))
    return Fail(kUsage, "the mount point " + mount_point.string() + " is not an existing folder");
  if (!fs::is_empty(mount_point, error_code))
    return Fail(kUsage, "the mount point " + mount_point.string() + " is not empty");

  std::string error;
  const auto disc = DiscImage::Open(argv[1], &error);
  if (!disc) return Fail(kBadImage, error);

  if (::access("/dev/fuse", F_OK) != 0)
    return Fail(kNoFuse, "FUSE is not available on this machine (/dev/fuse is missing)");
  fuse_set_log_func(KeepFuseMessage);
  DiscFileSystem file_system(*disc, [] { std::cout << "ready" << std::endl; });
  const std::string options =
      "-oro,default_permissions,fsname=" + OptionValue(image.string()) + ",subtype=norva-disc";
  std::string program = "norva-disc";
  std::string option_text = options;
  char* fuse_argv[] = {program.data(), option_text.data(), nullptr};
  fuse_args args = FUSE_ARGS_INIT(2, fuse_argv);
  fuse_session* session =
      fuse_session_new(&args, &DiscFileSystem::Operations(), sizeof(fuse_lowlevel_ops), &file_system);
  // The session keeps what it needs; the argument list libfuse may have grown is ours to free.
  fuse_opt_free_args(&args);
  if (!session) return Fail(kNoFuse, "FUSE refused the session: " + FuseMessages());
  if (fuse_set_signal_handlers(session) != 0) {
    fuse_session_destroy(session);
    return Fail(kNoFuse, "cannot handle signals: " + FuseMessages());
  }
  if (fuse_session_mount(session, mount_point.c_str()) != 0) {
    fuse_remove_signal_handlers(session);
    fuse_session_destroy(session);
    return Fail(kNoFuse, "FUSE cannot mount " + mount_point.string() + ": " +
                             (FuseMessages().empty() ? "the mount was refused" : FuseMessages()));
  }
  fuse_loop_config* loop = fuse_loop_cfg_create();
  fuse_loop_cfg_set_max_threads(loop, 8);
  const int result = fuse_session_loop_mt(session, loop);
  fuse_loop_cfg_destroy(loop);
  fuse_session_unmount(session);
  fuse_remove_signal_handlers(session);
  fuse_session_destroy(session);
  return result < 0 ? Fail(1, "the FUSE session failed: " + std::string(std::strerror(-result))) : 0;
}
