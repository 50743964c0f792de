// From process start to the first painted frame of the window on the sample disc, offscreen, against a bare
// Qt program that paints one window of the same size: both end once their first frame is painted, and they
// are run in turns so that the machine's moods fall on both alike. Prints the medians and their ratio, at the
// desktop's scale and at twice it, and one start with an empty artwork cache (the first start after an
// install or an artwork change).
//
//   window_start_bench [RUNS]   (default 10)
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Runs the program to its end and returns the wall time in milliseconds; negative when it failed.
double TimedRun(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Pair {
  double menu;
  double bare;
};

// `runs` starts of each, in turns; the menu at `scale` (the bare program at the same scale factor).
bool Measure(int runs, const char* scale, const fs::path& machine, Pair* result) {
  std::vector<std::string> menu = {NORVA_BINARY, "--disc",   NORVA_SAMPLE_DISC, "--machine", machine.string(),
                                   "--screen",   "1024x768", "--runner",        "true"};
  if (scale) {
    menu.push_back("--scale");
    menu.push_back(scale);
  }
  std::vector<double> menu_times, bare_times;
  for (int i = 0; i < runs; ++i) {
    if (scale) setenv("QT_SCALE_FACTOR", scale, 1);
    const double bare = TimedRun({NORVA_BARE_WINDOW});
    unsetenv("QT_SCALE_FACTOR");
    const double own = TimedRun(menu);
    if (bare < 0 || own < 0) {
      std::fprintf(stderr, "window_start_bench: %s did not reach its first frame\n",
                   own < 0 ? "norva" : "the bare program");
      return false;
    }
    menu_times.push_back(own);
    bare_times.push_back(bare);
  }
  *result = {Median(menu_times), Median(bare_times)};
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const fs::path scratch = fs::temp_directory_path() / "norva-window-start-bench";
  fs::remove_all(scratch);
  fs::create_directories(scratch / "machine");
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("NORVA_EXIT_AFTER_FIRST_FRAME", "1", 1);
  unsetenv("QT_SCALE_FACTOR");

  // The first start after an install: nothing rendered yet.
  setenv("XDG_CACHE_HOME", (scratch / "cache").c_str(), 1);
  const double cold = TimedRun({NORVA_BINARY, "--disc", NORVA_SAMPLE_DISC, "--machine",
                                (scratch / "machine").string(), "--screen", "1024x768", "--runner", "true"});
  Pair once{}, twice{};
  const bool ok = cold >= 0 && Measure(runs, nullptr, scratch / "machine", &once) &&
                  Measure(runs, "2", scratch / "machine", &twice);
  fs::remove_all(scratch);
  if (!ok) return 1;
  std::printf("start to first frame, median of %d in turns (offscreen, 1024x768, the sample disc)\n", runs);
  std::printf("  1x: norva %6.1f ms   bare Qt %6.1f ms   ratio %.2f\n", once.menu, once.bare,
              once.menu / once.bare);
  std::printf("  2x: norva %6.1f ms   bare Qt %6.1f ms   ratio %.2f\n", twice.menu, twice.bare,
              twice.menu / twice.bare);
  std::printf("  first start with an empty artwork cache (1x): %.1f ms\n", cold);
  return 0;
}
