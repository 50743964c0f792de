// The whole headless start: process start, Windows machine, store, disc, full-capacity catalog, up to the
// first line of the state dump.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
  ~Disc() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};

// Starts norva with "dump" on its standard input and returns once the first dump line has arrived.
void StartToFirstDump(const Disc& disc) {
  int to_child[2];
  int from_child[2];
  if (pipe(to_child) != 0 || pipe(from_child) != 0) std::abort();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, to_child[0], 0);
  posix_spawn_file_actions_adddup2(&actions, from_child[1], 1);
  posix_spawn_file_actions_addclose(&actions, to_child[1]);
  posix_spawn_file_actions_addclose(&actions, from_child[0]);
  const std::string disc_dir = (disc.root / "disc").string();
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
  close(from_child[0]);
  int status = 0;
  waitpid(pid, &status, 0);
}

void BM_HeadlessStartToFirstDump(benchmark::State& state) {
  Disc disc;
  StartToFirstDump(disc);  // the first run lays out the machine
  for (auto _ : state) StartToFirstDump(disc);
}
BENCHMARK(BM_HeadlessStartToFirstDump)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
