// The whole headless start: process start, Windows machine, store, disc, full-capacity catalog, up to the
// first line of the state dump. The same disc as an ISO image runs beside it (the image is served by the disc
// server for the run), and the server's own start, to its "ready", is timed alone.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog/full_catalog.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Disc {
  fs::path root;
  Disc() {
    root = fs::temp_directory_path() / ("norva-bench-" + std::to_string(getpid()));
    fs::create_directories(root / "disc" / "Norva");
    std::ofstream(root / "disc" / "NORVA.EXE") << "MZ";
    std::ofstream(root / "disc" / "Norva" / "NORVAXP.ini", std::ios::binary)
        << norva::test::FullCatalogText();
  }
  // The disc as an ISO image, made once with xorriso; empty when xorriso is missing.
  fs::path Image() const {
    const fs::path image = root / "disc.iso";
    if (!fs::exists(image)) {
      const std::string command = "xorriso -as mkisofs -quiet -J -R -V NORVA_BENCH -o '" + image.string() +
                                  "' '" + (root / "disc").string() + "' >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) return {};
    }
    return image;
  }
  ~Disc() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};

// Starts norva with "dump" on its standard input; returns the seconds until the first dump line arrived (the
// end of the program after it, the image's unmount among it, is waited for but not counted).
double StartToFirstDump(const Disc& disc, const fs::path& image = {}) {
  const auto start = std::chrono::steady_clock::now();
  int to_child[2];
  int from_child[2];
  if (pipe(to_child) != 0 || pipe(from_child) != 0) std::abort();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, to_child[0], 0);
  posix_spawn_file_actions_adddup2(&actions, from_child[1], 1);
  posix_spawn_file_actions_addclose(&actions, to_child[1]);
  posix_spawn_file_actions_addclose(&actions, from_child[0]);
  const std::string disc_dir = image.empty() ? (disc.root / "disc").string() : image.string();
  const std::string machine = (disc.root / "machine").string();
  std::vector<std::string> args = {NORVA_BINARY, "--headless", "--disc", disc_dir, "--machine", machine};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::abort();
  posix_spawn_file_actions_destroy(&actions);
  close(to_child[0]);
  close(from_child[1]);
  const char script[] = "dump\nquit\n";
  if (write(to_child[1], script, sizeof script - 1) < 0) std::abort();
  close(to_child[1]);
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(from_child[0], buffer, sizeof buffer);
    if (n <= 0 || std::find(buffer, buffer + n, '\n') != buffer + n) break;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  close(from_child[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return seconds;
}

void BM_HeadlessStartToFirstDump(benchmark::State& state) {
  Disc disc;
  StartToFirstDump(disc);  // the first run lays out the machine
  for (auto _ : state) state.SetIterationTime(StartToFirstDump(disc));
}
BENCHMARK(BM_HeadlessStartToFirstDump)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_HeadlessStartOnImageToFirstDump(benchmark::State& state) {
  Disc disc;
  const fs::path image = disc.Image();
  if (image.empty()) {
    state.SkipWithError("xorriso is missing: no image to start on");
    return;
  }
  StartToFirstDump(disc, image);
  for (auto _ : state) state.SetIterationTime(StartToFirstDump(disc, image));
}
BENCHMARK(BM_HeadlessStartOnImageToFirstDump)->Unit(benchmark::kMillisecond)->UseManualTime();

// The mount's own cost: the disc server started on the image until it says "ready", then ended.
void BM_DiscServerMountToReady(benchmark::State& state) {
  Disc disc;
  const fs::path image = disc.Image();
  if (image.empty()) {
    state.SkipWithError("xorriso is missing: no image to mount");
    return;
  }
  const fs::path point = disc.root / "mount";
  fs::create_directories(point);
  for (auto _ : state) {
    int from_child[2];
    if (pipe(from_child) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, from_child[1], 1);
    posix_spawn_file_actions_addclose(&actions, from_child[0]);
    std::vector<std::string> args = {NORVA_DISC_SERVER, image.string(), point.string()};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::abort();
    posix_spawn_file_actions_destroy(&actions);
    close(from_child[1]);
    char buffer[64];
    const ssize_t n = read(from_child[0], buffer, sizeof buffer);
    close(from_child[0]);
    state.PauseTiming();
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    if (n <= 0) {
      state.SkipWithError("the disc server did not mount the image (no FUSE here?)");
      break;
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DiscServerMountToReady)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
