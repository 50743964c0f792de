// norva-waiter: runs one program for the menu's wait and ends when that program and the programs it handed
// its work over to have ended (see tree_watch.h), then, when asked, gives the prefix's wineserver a bounded
// time to save the registry. Its exit status is the program's. The menu waits for this process instead of
// the program itself: the wait then ends at the right time and stays a wait on one process.
//
//   norva-waiter [--hand-over MS] [--grace MS] [--follow DIR]... [--settle WINESERVER] [--settle-limit MS]
//                -- PROGRAM [ARGUMENTS...]
//
// It makes itself the reaper of the programs' orphans, so that programs whose parent has ended (Wine starts
// every Windows process that way) stay visible as its descendants.
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/wine/process_table.h"
#include "platform/wine/tree_watch.h"

extern char** environ;

namespace {

using norva::platform::wine::TreeWatch;
using norva::platform::wine::TreeWatchRules;
using std::chrono::milliseconds;

constexpr int kCannotStart = 127;
// How often the tree is looked at when no child has ended in between.
constexpr milliseconds kLookEvery{500};

struct Request {
  TreeWatchRules rules;
  std::optional<std::string> wineserver;
  milliseconds settle_limit{5000};
  std::vector<std::string> program;
};

std::optional<Request> ParseArguments(int argc, char** argv) {
  Request request;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--") {
      request.program.assign(argv + i + 1, argv + argc);
      break;
    }
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[++i];
    if (word == "--hand-over") {
      request.rules.hand_over = milliseconds(std::atol(value.c_str()));
    } else if (word == "--grace") {
      request.rules.grace = milliseconds(std::atol(value.c_str()));
    } else if (word == "--follow") {
      request.rules.follow_dirs.push_back(value);
    } else if (word == "--settle") {
      request.wineserver = value;
    } else if (word == "--settle-limit") {
      request.settle_limit = milliseconds(std::atol(value.c_str()));
    } else {
      return std::nullopt;
    }
  }
  if (request.program.empty()) return std::nullopt;
  return request;
}

std::optional<pid_t> Spawn(const std::vector<std::string>& words, const sigset_t& mask) {
  std::vector<std::string> copy = words;
  std::vector<char*> args;
  for (std::string& word : copy) args.push_back(word.data());
  args.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setsigmask(&attributes, &mask);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
  pid_t pid = 0;
  const int failed = posix_spawnp(&pid, args[0], nullptr, &attributes, args.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (failed != 0) {
    std::fprintf(stderr, "norva-waiter: cannot start %s: %s\n", args[0], std::strerror(failed));
    return std::nullopt;
  }
  return pid;
}

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 1;
}

// Collects every ended child; the program's status is kept.
void ReapChildren(pid_t program, std::optional<int>& program_status) {
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(-1, &status, WNOHANG);
    if (done <= 0) {
      if (done < 0 && errno == EINTR) continue;
      return;
    }
    if (done == program) program_status = status;
  }
}

// Sleeps until a child ends or `limit` has passed.
void Nap(const sigset_t& child_ended, milliseconds limit) {
  timespec timeout{static_cast<time_t>(limit.count() / 1000),
                   static_cast<long>(limit.count() % 1000) * 1000000L};
  sigtimedwait(&child_ended, nullptr, &timeout);
}

// `wineserver -w` ends when the server has saved the registry and exited; a server that other programs keep
// alive is given up on after the limit.
void Settle(const std::string& wineserver, milliseconds limit, const sigset_t& mask,
            const sigset_t& child_ended) {
  const auto pid = Spawn({wineserver, "-w"}, mask);
  if (!pid) return;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(*pid, &status, WNOHANG);
    if (done == *pid || (done < 0 && errno != EINTR)) return;
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    Nap(child_ended, std::min(left, kLookEvery));
  }
  kill(*pid, SIGKILL);
  waitpid(*pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Request> request = ParseArguments(argc, argv);
  if (!request) {
    std::fprintf(stderr,
                 "usage: norva-waiter [--hand-over MS] [--grace MS] [--follow DIR]... [--settle WINESERVER] "
                 "[--settle-limit MS] -- PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  // Without this the programs' orphans would go to the system's reaper, out of sight.
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  sigset_t child_ended;
  sigemptyset(&child_ended);
  sigaddset(&child_ended, SIGCHLD);
  sigset_t original;
  sigprocmask(SIG_BLOCK, &child_ended, &original);

  const auto start = TreeWatch::Clock::now();
  const std::optional<pid_t> program = Spawn(request->program, original);
  if (!program) return kCannotStart;
  TreeWatch watch(request->rules, *program, start);
  std::optional<int> program_status;
  for (;;) {
    ReapChildren(*program, program_status);
    if (!watch.KeepWaiting(TreeWatch::Clock::now(), norva::platform::wine::RunningDescendants(getpid())))
      break;
    Nap(child_ended, kLookEvery);
  }
  if (!program_status) {
    int status = 0;
    while (waitpid(*program, &status, 0) < 0 && errno == EINTR) {
    }
    program_status = status;
  }
  if (request->wineserver) Settle(*request->wineserver, request->settle_limit, original, child_ended);
  return ExitCodeOf(*program_status);
}
