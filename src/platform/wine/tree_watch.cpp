#include "platform/wine/tree_watch.h"

#include <algorithm>

namespace norva::platform::wine {

std::string ComparablePath(std::string_view path) {
  std::string result(path);
  for (char& c : result) {
    if (c == '\\') c = '/';
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

TreeWatch::TreeWatch(TreeWatchRules rules, int root, Clock::time_point start)
    : rules_(std::move(rules)), last_followed_end_(start) {
  for (std::string& dir : rules_.follow_dirs) {
    dir = ComparablePath(dir);
    if (!dir.empty() && dir.back() != '/') dir += '/';
  }
  first_seen_[root] = start;
  followed_.insert(root);
}

bool TreeWatch::InFollowedFolder(const std::string& program) const {
  const std::string path = ComparablePath(program);
  return std::any_of(rules_.follow_dirs.begin(), rules_.follow_dirs.end(),
                     [&](const std::string& dir) { return !dir.empty() && path.starts_with(dir); });
}

bool TreeWatch::KeepWaiting(Clock::time_point now, const std::vector<TreeProcess>& running) {
  std::set<int> alive;
  for (const TreeProcess& process : running) {
    alive.insert(process.pid);
    if (first_seen_.emplace(process.pid, now).second && InFollowedFolder(process.program))
      followed_.insert(process.pid);
  }
  bool handed_over = false;
  for (auto it = followed_.begin(); it != followed_.end();) {
    if (alive.count(*it)) {
      ++it;
      continue;
    }
    if (now - first_seen_[*it] <= rules_.hand_over) handed_over = true;
    last_followed_end_ = now;
    it = followed_.erase(it);
  }
  // Ended processes are forgotten, so that a number the system hands out again counts as a new process.
  std::erase_if(first_seen_, [&](const auto& entry) { return !alive.count(entry.first); });
  if (handed_over) followed_.insert(alive.begin(), alive.end());
  if (!followed_.empty()) return true;
  return !alive.empty() && now - last_followed_end_ < rules_.grace;
}

}  // namespace norva::platform::wine
