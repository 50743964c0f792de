// Reading a disc image through norva-disc against reading the image file itself, side by side in one run:
// an ISO holding a 100 MB file (and the BIN/CUE of it, raw 2352-byte sectors) is mounted, and `cat` of the
// image (warm page cache) is timed against `cat` of the file through the mount, first read (through FUSE)
// and second read (the kernel's cache). Also the mount's own cost: spawn to "ready". Each round mounts
// afresh; the medians of the rounds are printed, with the first read's speed as a share of the image's.
//
//   image_read_bench [rounds]
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "disc_image.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kFileBytes = 100u << 20;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

pid_t Spawn(const std::vector<std::string>& arguments, posix_spawn_file_actions_t* actions) {
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + arguments[0]);
  return pid;
}

int WaitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Seconds of `cat FILE > /dev/null`, process start included.
double CatSeconds(const fs::path& file) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  const int status = WaitFor(Spawn({"cat", file.string()}, &actions));
  const double seconds = Seconds(start);
  posix_spawn_file_actions_destroy(&actions);
  if (status != 0) throw std::runtime_error("cat " + file.string() + " failed");
  return seconds;
}

struct Mount {
  pid_t pid = 0;
  double ready_seconds = 0;
};

Mount StartServer(const fs::path& image, const fs::path& mount_point) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const auto start = Clock::now();
  Mount mount;
  mount.pid = Spawn({NORVA_DISC, image.string(), mount_point.string()}, &actions);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string line;
  char c;
  while (line.find('\n') == std::string::npos && read(out[0], &c, 1) == 1) line += c;
  mount.ready_seconds = Seconds(start);
  close(out[0]);
  if (line != "ready\n") throw std::runtime_error("norva-disc did not get ready (is FUSE available?)");
  return mount;
}

void StopServer(const Mount& mount) {
  kill(mount.pid, SIGTERM);
  if (WaitFor(mount.pid) != 0) throw std::runtime_error("norva-disc did not end cleanly");
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Figures {
  std::vector<double> image, first, second, ready;
};

void Measure(const fs::path& image, const fs::path& mount_point, int rounds, Figures& figures) {
  CatSeconds(image);  // warms the page cache with the image
  for (int round = 0; round < rounds; ++round) {
    figures.image.push_back(CatSeconds(image));
    const Mount mount = StartServer(image, mount_point);
    figures.ready.push_back(mount.ready_seconds);
    figures.first.push_back(CatSeconds(mount_point / "Big.bin"));
    figures.second.push_back(CatSeconds(mount_point / "Big.bin"));
    StopServer(mount);
  }
}

void Print(const char* name, const Figures& figures) {
  const double mb = static_cast<double>(kFileBytes) / (1 << 20);
  const double image = Median(figures.image), first = Median(figures.first), second = Median(figures.second);
  std::printf("%s\n", name);
  std::printf("  cat of the image (warm cache)   %7.1f ms  %7.0f MB/s\n", image * 1e3, mb / image);
  std::printf(
      "  mount, first read               %7.1f ms  %7.0f MB/s  ratio %.2f of the image (target >= 0.8)\n",
      first * 1e3, mb / first, image / first);
  std::printf("  mount, second read (kernel cache) %5.1f ms  %7.0f MB/s  ratio %.2f\n", second * 1e3,
              mb / second, image / second);
  std::printf("  spawn to ready                  %7.1f ms\n", Median(figures.ready) * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  try {
    norva::test::TempDir dir;
    const fs::path source = dir.path() / "disc";
    fs::create_directories(source);
    {
      std::ofstream big(source / "Big.bin", std::ios::binary);
      std::string block(1 << 20, '\0');
      for (std::size_t i = 0; i < kFileBytes / block.size(); ++i) {
        for (std::size_t j = 0; j < block.size(); j += 8) block[j] = static_cast<char>(i * 131 + j);
        big.write(block.data(), static_cast<std::streamsize>(block.size()));
      }
    }
    const fs::path iso = dir.path() / "Disc.iso";
    if (std::system(("xorriso -as mkisofs -quiet -J -R -V BENCH -o '" + iso.string() + "' '" +
                     source.string() + "' 2>/dev/null")
                        .c_str()) != 0)
      throw std::runtime_error("xorriso failed (is it installed?)");
    fs::remove_all(source);
    std::string error;
    const fs::path cue = dir.path() / "Disc.cue";
    if (!norva::tools::WriteDiscImage(norva::tools::ImageFormat::kBinCue, iso, cue, {}, &error))
      throw std::runtime_error(error);
    const fs::path mount_point = dir.path() / "mnt";
    fs::create_directory(mount_point);
    std::printf("image_read_bench: a 100 MB file, medians of %d rounds, a fresh mount each round\n", rounds);
    Figures plain, raw;
    Measure(iso, mount_point, rounds, plain);
    Print("ISO (2048-byte sectors)", plain);
    Measure(dir.path() / "Disc.bin", mount_point, rounds, raw);
    Print("BIN/CUE (raw 2352-byte sectors; the image read is the .bin)", raw);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "image_read_bench: %s\n", failure.what());
    return 1;
  }
  return 0;
}
