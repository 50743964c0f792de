// The real program in its window (offscreen) on the sample disc, with music on and a bare machine's audio
// stack, kept running past the start timer and a change of tune, then asked to end: it must end normally.
// The program runs as a child, so a crash fails this test and nothing else.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The sample disc with short tunes (their first 24 KB, about a second and a half), so that a tune ends and
// the next one starts within the run. Everything else is the disc itself, linked.
fs::path ShortTuneDisc(const fs::path& scratch) {
  const fs::path disc = scratch / "disc";
  fs::create_directories(disc / "Norva");
  for (const auto& entry : fs::directory_iterator(NORVA_SAMPLE_DISC)) {
    if (entry.path().filename() != "Norva") {
      fs::create_symlink(entry.path(), disc / entry.path().filename());
      continue;
    }
    for (const auto& file : fs::directory_iterator(entry.path())) {
      const auto name = file.path().filename().string();
      const fs::path target = disc / "Norva" / name;
      if (name != "music1.mp3" && name != "music2.mp3") {
        fs::create_symlink(file.path(), target);
        continue;
      }
      std::string bytes = TempDir::ReadFile(file.path());
      bytes.resize(std::min<std::size_t>(bytes.size(), 24 * 1024));
      std::ofstream(target, std::ios::binary) << bytes;
    }
  }
  return disc;
}

std::vector<std::string> BareMachineEnvironment() {
  std::vector<std::string> env;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    // The program chooses its own media backend; the GStreamer and runtime settings are the test's.
    if (text.starts_with("QT_MEDIA_BACKEND=") || text.starts_with("GST_") || text.starts_with("QT_QPA_") ||
        text.starts_with("XDG_RUNTIME_DIR=")) {
      continue;
    }
    env.push_back(text);
  }
  env.push_back("QT_QPA_PLATFORM=offscreen");
  env.push_back(std::string("GST_PLUGIN_SYSTEM_PATH_1_0=") + NORVA_EMPTY_DIR);
  env.push_back(std::string("GST_PLUGIN_PATH_1_0=") + NORVA_EMPTY_DIR);
  env.push_back(std::string("GST_REGISTRY_1_0=") + NORVA_EMPTY_DIR + "/gstreamer-registry.bin");
  env.push_back(std::string("XDG_RUNTIME_DIR=") + NORVA_AUDIO_RUNTIME);
  return env;
}

// Waits up to `limit` for the child; the wait status, or nothing while it still runs.
std::optional<int> WaitFor(pid_t child, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) return status;
    std::this_thread::sleep_for(50ms);
  } while (std::chrono::steady_clock::now() < end);
  return std::nullopt;
}

TEST(WindowRun, MusicPastTheStartTimerAndATuneChangeThenAQuitEndsNormally) {
  if (!fs::exists(fs::path(NORVA_SAMPLE_DISC) / "Norva" / "music1.mp3"))
    GTEST_SKIP() << "no sample disc built";
  TempDir scratch;
  const fs::path disc = ShortTuneDisc(scratch.path());
  const fs::path log = scratch.path() / "stderr.txt";

  std::vector<std::string> args = {
      NORVA_PROGRAM, "--disc", disc.string(), "--machine", (scratch.path() / "machine").string(),
      "--clock",     "12:00"};
  std::vector<std::string> env = BareMachineEnvironment();
  std::vector<char*> argv, envp;
  for (auto& a : args) argv.push_back(a.data());
  for (auto& e : env) envp.push_back(e.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, NORVA_PROGRAM, &actions, nullptr, argv.data(), envp.data()), 0);
  posix_spawn_file_actions_destroy(&actions);

  // The start timer fires after 5 s and starts the first tune; the music watch looks every 5 s and, once the
  // short tune has ended, starts the other one (at 10 s at the latest).
  const auto early = WaitFor(child, 12s);
  if (early) {
    ADD_FAILURE() << "the program ended by itself, status " << *early << ":\n" << TempDir::ReadFile(log);
    return;
  }
  ::kill(child, SIGTERM);
  auto status = WaitFor(child, 15s);
  if (!status) {
    ::kill(child, SIGKILL);
    status = WaitFor(child, 5s);
    ADD_FAILURE() << "the program did not end when asked";
    return;
  }
  const std::string printed = TempDir::ReadFile(log);
  ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status) << ":\n" << printed;
  EXPECT_EQ(WEXITSTATUS(*status), 0) << printed;
  // What a bare machine prints and a user cannot act on stays off the terminal.
  for (const char* noise : {"CRITICAL", "XDG_RUNTIME_DIR", ">>>>", "PulseAudio", "[mp3"}) {
    EXPECT_EQ(printed.find(noise), std::string::npos) << noise << " in:\n" << printed;
  }
}

}  // namespace
}  // namespace norva::test
