// When a wait for a started Windows program is over. Installer tools of every era hand their work over: an
// uninstaller copies itself to the temporary folder, starts the copy and exits at once; a setup's launcher
// unpacks the real setup and starts it. Waiting only for the started program detects the item too early, so
// the wait follows the programs it hands over to:
// - the started program, while it runs;
// - every program of the tree that runs from a temporary folder (where installer tools put their working
//   copies), while it runs;
// - the programs running when a followed program ended within `hand_over` of its start (a launcher that did
//   nothing but start them); the same rule applies to them in turn.
// Programs that are still running once no followed program runs (a tray helper, a game the setup started at
// its end) hold the wait for at most `grace`: they would otherwise hold the menu for as long as they run.
#pragma once

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace norva::platform::wine {

struct TreeWatchRules {
  std::chrono::milliseconds hand_over{5000};
  std::chrono::milliseconds grace{5000};
  // Folders whose programs are followed while they run, as host or DOS paths ("C:\windows\temp").
  std::vector<std::string> follow_dirs;
};

// One running process of the tree, as the process table shows it.
struct TreeProcess {
  int pid = 0;
  std::string program;  // the path the process was started from (a DOS path for a Windows program)
};

class TreeWatch {
 public:
  using Clock = std::chrono::steady_clock;

  // `root` is the started program, started at `start`.
  TreeWatch(TreeWatchRules rules, int root, Clock::time_point start);

  // One look at the tree at `now`: `running` is every process of the tree that still runs (the root while it
  // runs), without the machine's own background programs. True while the wait goes on.
  bool KeepWaiting(Clock::time_point now, const std::vector<TreeProcess>& running);

 private:
  bool InFollowedFolder(const std::string& program) const;

  TreeWatchRules rules_;
  std::map<int, Clock::time_point> first_seen_;
  std::set<int> followed_;
  Clock::time_point last_followed_end_;
};

// A path in one spelling for comparisons: lower case, forward slashes.
std::string ComparablePath(std::string_view path);

}  // namespace norva::platform::wine
