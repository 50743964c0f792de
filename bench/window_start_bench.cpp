// From process start to the first painted frame of the window on the sample disc, offscreen.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

void BM_WindowStart(benchmark::State& state) {
  const auto prefix = std::filesystem::temp_directory_path() / "norva-window-start-bench";
  std::filesystem::create_directories(prefix);
  std::vector<std::string> args = {NORVA_BINARY, "--disc",   NORVA_SAMPLE_DISC, "--machine", prefix.string(),
                                   "--screen",   "1024x768", "--runner",        "true"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("NORVA_EXIT_AFTER_FIRST_FRAME", "1", 1);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("cannot start norva");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("norva did not reach its first frame");
      break;
    }
  }
  std::filesystem::remove_all(prefix);
}
BENCHMARK(BM_WindowStart)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
