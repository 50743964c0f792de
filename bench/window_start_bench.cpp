// From process start to the first painted frame of the window on the sample disc, offscreen, against a bare
// Qt program that paints one window of the same size. Both say "first frame" on standard output when it is
// painted and then quit; they are run in turns, so that the machine's moods fall on both alike. Prints the
// medians and their ratio at the desktop's scale and at twice it, the same for the whole process (its end
// included), and one start with an empty artwork cache (the first start after an install or an artwork
// change).
//
//   window_start_bench [RUNS]   (default 10)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
using Clock = std::chrono::steady_clock;

struct Times {
  double first_frame = -1;  // milliseconds from the start
  double end = -1;
};

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Runs the program to its end; its standard error goes nowhere (the offscreen platform's notices).
Times TimedRun(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = Clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  Times times;
  if (spawned != 0) {
    close(out[0]);
    return times;
  }
  std::string said;
  char buffer[256];
  ssize_t got = 0;
  while (said.find('\n') == std::string::npos && (got = read(out[0], buffer, sizeof buffer)) > 0) {
    said.append(buffer, static_cast<std::size_t>(got));
  }
  const auto frame = Clock::now();
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  const auto end = Clock::now();
  if (said.rfind("first frame", 0) != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return times;
  times.first_frame = Ms(start, frame);
  times.end = Ms(start, end);
  return times;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Result {
  Times menu;
  Times bare;
};

// `runs` starts of each, in turns; the menu at `scale` and the bare program at the same scale factor.
bool Measure(int runs, const char* scale, const fs::path& machine, Result* result) {
  std::vector<std::string> menu = {NORVA_BINARY, "--disc",   NORVA_SAMPLE_DISC, "--machine", machine.string(),
                                   "--screen",   "1024x768", "--runner",        "true"};
  if (scale) {
    menu.push_back("--scale");
    menu.push_back(scale);
  }
  std::vector<double> menu_frames, menu_ends, bare_frames, bare_ends;
  for (int i = 0; i < runs; ++i) {
    if (scale) setenv("QT_SCALE_FACTOR", scale, 1);
    const Times bare = TimedRun({NORVA_BARE_WINDOW});
    unsetenv("QT_SCALE_FACTOR");
    const Times own = TimedRun(menu);
    if (bare.first_frame < 0 || own.first_frame < 0) {
      std::fprintf(stderr, "window_start_bench: %s did not reach its first frame\n",
                   own.first_frame < 0 ? "norva" : "the bare program");
      return false;
    }
    menu_frames.push_back(own.first_frame);
    menu_ends.push_back(own.end);
    bare_frames.push_back(bare.first_frame);
    bare_ends.push_back(bare.end);
  }
  *result = {{Median(menu_frames), Median(menu_ends)}, {Median(bare_frames), Median(bare_ends)}};
  return true;
}

void Print(const char* scale, const Result& r) {
  std::printf(
      "  %s  first frame: norva %6.1f ms  bare Qt %6.1f ms  ratio %.2f   whole process: %6.1f / %6.1f ms"
      "  ratio %.2f\n",
      scale, r.menu.first_frame, r.bare.first_frame, r.menu.first_frame / r.bare.first_frame, r.menu.end,
      r.bare.end, r.menu.end / r.bare.end);
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
  const Times cold = TimedRun({NORVA_BINARY, "--disc", NORVA_SAMPLE_DISC, "--machine",
                               (scratch / "machine").string(), "--screen", "1024x768", "--runner", "true"});
  Result once{}, twice{};
  const bool ok = cold.first_frame >= 0 && Measure(runs, nullptr, scratch / "machine", &once) &&
                  Measure(runs, "2", scratch / "machine", &twice);
  fs::remove_all(scratch);
  if (!ok) {
    std::fprintf(stderr, "window_start_bench: no measurement\n");
    return 1;
  }
  std::printf("start of the window, median of %d in turns (offscreen, 1024x768, the sample disc)\n", runs);
  Print("1x", once);
  Print("2x", twice);
  std::printf("  first start with an empty artwork cache (1x): first frame %.1f ms\n", cold.first_frame);
  return 0;
}
