// The tree walks of the file-tree utilities against the host's own tools on identical trees of 100,000 files
// in 5,000 folders, side by side in one run: SizeofTree against `du -sb`, SearchTree (a name that is nowhere,
// so the whole tree is walked) against `find -name`, RemoveTree against `rm -rf`. Each round builds fresh
// trees, runs both sides in alternating order, and the medians of the rounds give the ratios.
//
//   file_tree_bench [rounds] [folder]
//
// rounds: 5 unless given. folder: where the trees are made (a scratch folder below it); by default the
// system's temporary folder. A tmpfs such as /dev/shm takes the disk out and compares the walks themselves.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "installed/file_tree.h"
#include "installed/system_folders.h"
#include "platform/wine/wine_machine.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace norva;
using Clock = std::chrono::steady_clock;

constexpr int kTopFolders = 50;
constexpr int kSubFolders = 99;      // below each top folder: 50 + 50 * 99 = 5,000 folders
constexpr int kFilesPerFolder = 20;  // 5,000 * 20 = 100,000 files

void BuildTree(const fs::path& root) {
  const std::string bytes(199, 'x');
  auto fill = [&](const fs::path& dir, int seed) {
    fs::create_directories(dir);
    for (int f = 0; f < kFilesPerFolder; ++f) {
      std::ofstream(dir / ("file" + std::to_string(f) + ".dat"), std::ios::binary)
          .write(bytes.data(), (seed + f) % static_cast<int>(bytes.size()));
    }
  };
  for (int t = 0; t < kTopFolders; ++t) {
    const fs::path top = root / ("Top" + std::to_string(t));
    fill(top, t);
    for (int s = 0; s < kSubFolders; ++s) fill(top / ("Sub" + std::to_string(s)), t * kSubFolders + s);
  }
}

// Runs a host program with its output thrown away; the seconds it took, process start included.
double RunTool(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start " + args[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(args[0] + " failed");
  return seconds;
}

double Time(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Pair {
  const char* ours;
  const char* tool;
  std::vector<double> ours_seconds;
  std::vector<double> tool_seconds;
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  test::TempDir scratch;
  const fs::path prefix = argc > 2 ? fs::path(argv[2]) / ("file_tree_bench." + std::to_string(getpid()))
                                   : scratch.path() / "prefix";
  // The scratch prefix goes on every way out (a TempDir removes its own).
  struct RemoveAtEnd {
    fs::path path;
    ~RemoveAtEnd() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  } remove_at_end{prefix};
  std::string error;
  auto machine = platform::wine::WineMachine::Open({prefix, std::nullopt}, &error);
  if (!machine) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const installed::SystemFolders folders = installed::LoadSystemInfo(machine->system(), machine->registry());
  installed::FileTree tree(machine->files(), folders);
  const fs::path c_drive = machine->prefix() / "drive_c";
  const fs::path ours = c_drive / "Ours";
  const fs::path theirs = c_drive / "Theirs";
  const std::string dos = "C:\\Ours";

  Pair size{"SizeofTree", "du -sb", {}, {}};
  Pair search{"SearchTree", "find -name", {}, {}};
  Pair remove{"RemoveTree", "rm -rf", {}, {}};
  for (int round = 0; round < rounds; ++round) {
    BuildTree(ours);
    BuildTree(theirs);
    const bool ours_first = round % 2 == 0;
    std::int64_t total = 0;
    std::string found = "x";
    auto both = [&](Pair& pair, const std::function<void()>& mine, std::vector<std::string> tool) {
      if (ours_first) pair.ours_seconds.push_back(Time(mine));
      pair.tool_seconds.push_back(RunTool(std::move(tool)));
      if (!ours_first) pair.ours_seconds.push_back(Time(mine));
    };
    both(size, [&] { total = tree.SizeofTree(dos); }, {"du", "-sb", theirs.string()});
    both(search, [&] { found = tree.SearchTree(dos, "nowhere.exe", 1000); },
         {"find", theirs.string(), "-name", "nowhere.exe"});
    both(remove, [&] { tree.RemoveTree(dos); }, {"rm", "-rf", theirs.string()});
    if (total <= 0 || !found.empty() || fs::exists(ours) || fs::exists(theirs)) {
      std::fprintf(stderr, "a walk gave a wrong result (size %lld, found \"%s\")\n",
                   static_cast<long long>(total), found.c_str());
      return 1;
    }
  }
  std::printf("%d rounds in %s, %d folders, %d files; medians\n", rounds, prefix.parent_path().c_str(),
              kTopFolders * (1 + kSubFolders), kTopFolders * (1 + kSubFolders) * kFilesPerFolder);
  for (const Pair* pair : {&size, &search, &remove}) {
    const double mine = Median(pair->ours_seconds);
    const double tool = Median(pair->tool_seconds);
    std::printf("%-11s %8.1f ms   %-10s %8.1f ms   ratio %.2f\n", pair->ours, mine * 1000, pair->tool,
                tool * 1000, mine / tool);
  }
  return 0;
}
