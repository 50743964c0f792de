#include "platform/wine/process_table.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <map>
#include <string_view>

namespace norva::platform::wine {
namespace {

struct Entry {
  int parent = 0;
  char state = '?';
  std::string name;
};

std::string ReadSmallFile(const std::string& path) {
  std::string text;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  std::array<char, 4096> buffer{};
  for (ssize_t n; (n = read(fd, buffer.data(), buffer.size())) > 0;) {
    text.append(buffer.data(), static_cast<std::size_t>(n));
    if (text.size() > 65536) break;  // a command line this long tells nothing more
  }
  close(fd);
  return text;
}

// "pid (name) state parent ...": the name may itself hold blanks and parentheses, so it ends at the last ')'.
bool ParseStat(const std::string& stat, Entry& entry) {
  const auto open_paren = stat.find('(');
  const auto close_paren = stat.rfind(')');
  if (open_paren == std::string::npos || close_paren == std::string::npos || close_paren + 4 > stat.size())
    return false;
  entry.name = stat.substr(open_paren + 1, close_paren - open_paren - 1);
  entry.state = stat[close_paren + 2];
  entry.parent = std::atoi(stat.c_str() + close_paren + 4);
  return true;
}

std::string LowerBaseName(std::string_view path) {
  const auto cut = path.find_last_of("\\/");
  std::string base(cut == std::string_view::npos ? path : path.substr(cut + 1));
  for (char& c : base) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return base;
}

}  // namespace

bool IsWineBackgroundProgram(const std::string& name, const std::vector<std::string>& args) {
  if (name.starts_with("wineserver")) return true;
  if (args.empty()) return false;
  const std::string base = LowerBaseName(args[0]);
  const std::string path = ComparablePath(args[0]);
  const bool system_folder = path.find("/windows/system32/") != std::string::npos ||
                             path.find("/windows/syswow64/") != std::string::npos;
  if (!system_folder) return false;
  for (const char* background : {"services.exe", "winedevice.exe", "plugplay.exe", "svchost.exe", "rpcss.exe",
                                 "wineboot.exe", "winemenubuilder.exe", "conhost.exe", "mscorsvw.exe"}) {
    if (base == background) return true;
  }
  // The desktop process; an explorer window the user opens is a program like any other.
  if (base == "explorer.exe") {
    for (const std::string& arg : args) {
      if (ComparablePath(arg) == "/desktop" || ComparablePath(arg).starts_with("/desktop=")) return true;
    }
  }
  return false;
}

std::string ProgramOf(const std::string& name, const std::vector<std::string>& args) {
  if (args.empty()) return {};
  // The kernel keeps the first 15 characters of the name.
  if (args.size() > 1 && !name.empty() && LowerBaseName(args[1]).substr(0, 15) == LowerBaseName(name) &&
      LowerBaseName(args[0]).substr(0, 15) != LowerBaseName(name)) {
    return args[1];
  }
  return args[0];
}

std::vector<TreeProcess> RunningDescendants(int ancestor) {
  std::map<int, Entry> table;
  if (DIR* proc = opendir("/proc")) {
    while (const dirent* item = readdir(proc)) {
      char* end = nullptr;
      const long pid = std::strtol(item->d_name, &end, 10);
      if (end == item->d_name || *end != '\0') continue;
      Entry entry;
      if (ParseStat(ReadSmallFile(std::string("/proc/") + item->d_name + "/stat"), entry))
        table[static_cast<int>(pid)] = entry;
    }
    closedir(proc);
  }
  std::vector<TreeProcess> result;
  for (const auto& [pid, entry] : table) {
    if (entry.state == 'Z' || entry.state == 'X') continue;  // ended, not yet collected
    bool below = false;
    // A bounded walk: the table is a snapshot, and a parent number seen mid-change must not loop.
    int parent = entry.parent;
    for (std::size_t steps = 0; parent > 1 && steps < table.size(); ++steps) {
      if (parent == ancestor) {
        below = true;
        break;
      }
      const auto up = table.find(parent);
      if (up == table.end()) break;
      parent = up->second.parent;
    }
    if (!below) continue;
    const std::string cmdline = ReadSmallFile("/proc/" + std::to_string(pid) + "/cmdline");
    std::vector<std::string> args;
    for (std::size_t at = 0; at < cmdline.size();) {
      const auto zero = cmdline.find('\0', at);
      const std::size_t stop = zero == std::string::npos ? cmdline.size() : zero;
      args.push_back(cmdline.substr(at, stop - at));
      at = stop + 1;
    }
    // Wine pads a Windows process's argument area with empty words.
    while (!args.empty() && args.back().empty()) args.pop_back();
    if (IsWineBackgroundProgram(entry.name, args)) continue;
    result.push_back({pid, ProgramOf(entry.name, args)});
  }
  return result;
}

}  // namespace norva::platform::wine
