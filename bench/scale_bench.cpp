// Large machines, measured side by side with what the host's own tools take for the same data in the same
// run. Each figure is a whole process start; the goals are checked on the fastest of several runs.
//
// 1. A disc whose menu folder is spelled differently from what the catalog asks ("Norva" for "NORVA") with
//    100,000 files in its root: headless start to the first dump, and a walk through every page, with and
//    without those files, against `ls -f ROOT | wc -l`.
//    Goal: with the files <= without them + 2 x the listing.
// 2. A prefix whose system.reg has 23 MB (generated here, shaped like a prefix with a .NET runtime): headless
//    start to the first dump and its peak memory, against a prefix with a fresh prefix's 1.7 MB system.reg
//    and against `grep -c '^\[' system.reg`.
//    Goals: time <= small start + 3 x the grep; peak memory <= the file's size + 30 MB.
//
// Usage: scale_bench [runs]   (default 11)
//        scale_bench --system-reg FILE BYTES   (only writes such a system.reg, for a look at it)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Run {
  double seconds = 0;  // wall time
  double peak_mb = 0;
};

// Where the commands' standard output goes: a file, not /dev/null, since GNU grep stops at its first match
// when its output is /dev/null.
std::string output_file;

// Runs a command with standard output to `output_file`; its wall time and peak resident memory.
Run Spawn(const std::vector<std::string>& args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> copy = args;
  std::vector<char*> argv;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  const auto start = Clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) std::abort();
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) {
    std::fprintf(stderr, "scale_bench: %s failed\n", args[0].c_str());
    std::exit(1);
  }
  Run run;
  run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  run.peak_mb = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return run;
}

// Each command's wall time over `runs` runs taken in turns (so that a busy moment of the machine hits all):
// the fastest, the least disturbed by whatever else the machine runs, and the median; peak memory is the
// largest seen.
struct Figures {
  double fastest = 0;
  double median = 0;
  double peak_mb = 0;
};

std::vector<Figures> Measure(const std::vector<std::vector<std::string>>& commands, int runs) {
  std::vector<std::vector<Run>> all(commands.size());
  for (const auto& command : commands) Spawn(command);  // warm the caches
  for (int r = 0; r < runs; ++r) {
    for (std::size_t c = 0; c < commands.size(); ++c) all[c].push_back(Spawn(commands[c]));
  }
  std::vector<Figures> figures;
  for (auto& runs_of : all) {
    std::sort(runs_of.begin(), runs_of.end(),
              [](const Run& x, const Run& y) { return x.seconds < y.seconds; });
    Figures f;
    f.fastest = runs_of.front().seconds;
    f.median = runs_of[runs_of.size() / 2].seconds;
    for (const Run& run : runs_of) f.peak_mb = std::max(f.peak_mb, run.peak_mb);
    figures.push_back(f);
  }
  return figures;
}

std::vector<std::string> Norva(const fs::path& disc, const fs::path& machine, const fs::path& script) {
  return {NORVA_BINARY,     "--headless", "--disc", disc.string(), "--machine",
          machine.string(), "--clock",    "12:00",  "--script",    script.string()};
}

std::vector<std::string> Shell(const std::string& command) {
  return {"/bin/sh", "-c", command};
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool Check(const char* what, double value, double limit) {
  const bool ok = value <= limit;
  std::printf("  goal %-44s %8.3f <= %8.3f  %s\n", what, value, limit, ok ? "met" : "MISSED");
  return ok;
}

// --- The disc with 100,000 files in its root -------------------------------------------------------------

bool DiscWithManyFiles(const fs::path& work, int runs) {
  const fs::path plain = work / "disc-plain";
  const fs::path crowded = work / "disc-crowded";
  fs::copy(NORVA_TEST_DISC, plain, fs::copy_options::recursive);
  fs::copy(NORVA_TEST_DISC, crowded, fs::copy_options::recursive);
  if (!fs::exists(crowded / "Norva") || fs::exists(crowded / "NORVA")) {
    std::fprintf(stderr, "scale_bench: the test disc's menu folder is expected as \"Norva\"\n");
    return false;
  }
  for (int i = 0; i < 100000; ++i) WriteFile(crowded / ("file" + std::to_string(i) + ".dat"), "");
  // A disc is old: its folder has not changed for a while (a listing made within two seconds of a change
  // to the folder is not kept).
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));

  const fs::path start = work / "start.script";
  WriteFile(start, "dump\nquit\n");
  std::string walk_text;
  for (int i = 1; i <= 6; ++i) walk_text += "click DIBSection" + std::to_string(i) + "\nkey Down\nkey Down\n";
  walk_text += "wheel down 620\nwait 1000\n";
  for (int i = 7; i <= 11; ++i)
    walk_text += "click DIBSection" + std::to_string(i) + "\nkey Down\nkey Down\n";
  walk_text += "dump\nquit\n";
  const fs::path walk = work / "walk.script";
  WriteFile(walk, walk_text);

  const auto m =
      Measure({Norva(plain, work / "machine-plain", start), Norva(crowded, work / "machine-crowded", start),
               Norva(plain, work / "machine-plain", walk), Norva(crowded, work / "machine-crowded", walk),
               Shell("ls -f '" + crowded.string() + "' | wc -l")},
              runs);
  std::printf("Disc root with 100,000 files, menu folder spelled \"Norva\" (%d runs: fastest / median)\n",
              runs);
  std::printf("  start to first dump:   %.3f / %.3f s without the files, %.3f / %.3f s with them\n",
              m[0].fastest, m[0].median, m[1].fastest, m[1].median);
  std::printf("  start + every page:    %.3f / %.3f s without the files, %.3f / %.3f s with them\n",
              m[2].fastest, m[2].median, m[3].fastest, m[3].median);
  std::printf("  ls -f ROOT | wc -l:    %.3f / %.3f s\n", m[4].fastest, m[4].median);
  bool ok = Check("start, fastest s (without + 2 x ls)", m[1].fastest, m[0].fastest + 2 * m[4].fastest);
  ok = Check("start + every page, fastest s (without + 2 x ls)", m[3].fastest,
             m[2].fastest + 2 * m[4].fastest) &&
       ok;
  return ok;
}

// --- The prefix with a 23 MB system.reg ------------------------------------------------------------------

std::string Guid(std::mt19937& random) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(random()),
                static_cast<unsigned>(random() & 0xFFFF), static_cast<unsigned>(random() & 0xFFFF),
                static_cast<unsigned>(random() & 0xFFFF),
                static_cast<unsigned long long>(random()) << 16 | (random() & 0xFFFF));
  return text;
}

// A system.reg of about `bytes` bytes in Wine's layout: sorted key blocks with the modification time, COM
// classes, assembly registrations and installer data as a .NET runtime leaves them, and the keys the menu
// reads (shell folders, drive types, an uninstall entry) among them.
std::string SystemReg(std::size_t bytes) {
  std::mt19937 random(2006);
  std::string text =
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1700000000\n"
      "#time=1da1b2c3d4e5f60\n\"Common Desktop\"=\"C:\\\\users\\\\Public\\\\Desktop\"\n"
      "\"Common Programs\"=\"C:\\\\ProgramData\\\\Microsoft\\\\Windows\\\\Start Menu\\\\Programs\"\n\n"
      "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Game] 1700000000\n"
      "#time=1da1b2c3d4e5f60\n\"UninstallString\"=\"C:\\\\Games\\\\Game\\\\unins000.exe\"\n\n"
      "[Software\\\\Wine\\\\Drives] 1700000000\n#time=1da1b2c3d4e5f60\n\"c:\"=\"hd\"\n\n";
  const char* const kNamespaces[] = {"System",
                                     "System.Xml",
                                     "System.Data",
                                     "System.Web",
                                     "Microsoft.VisualBasic",
                                     "System.Windows.Forms",
                                     "System.Drawing",
                                     "System.EnterpriseServices"};
  // The parts in the proportions of such a file: COM classes, native image records, and one key with the
  // assemblies of the global cache as its values. Wine writes keys sorted; each part is sorted in itself.
  const std::size_t classes_end = bytes * 5 / 10;
  const std::size_t images_end = bytes * 8 / 10;
  int n = 0;
  auto type = [&](const std::string& space) { return space + ".Type" + std::to_string(n++); };
  while (text.size() < classes_end) {
    const std::string guid = Guid(random);
    const std::string space = kNamespaces[random() % 8];
    const std::string name = type(space);
    text += "[Software\\\\Classes\\\\CLSID\\\\" + guid + "] 1700000000\n#time=1da1b2c3d4e5f60\n@=\"" + name +
            "\"\n\n";
    text += "[Software\\\\Classes\\\\CLSID\\\\" + guid +
            "\\\\InprocServer32] 1700000000\n#time=1da1b2c3d4e5f60\n@=\"mscoree.dll\"\n\"Assembly\"=\"" +
            space + ", Version=4.0.0.0, Culture=neutral, PublicKeyToken=b77a5c561934e089\"\n\"Class\"=\"" +
            name + "\"\n\"RuntimeVersion\"=\"v4.0.30319\"\n\"ThreadingModel\"=\"Both\"\n\n";
  }
  text += "[Software\\\\Classes\\\\Installer\\\\Assemblies\\\\Global] 1700000000\n#time=1da1b2c3d4e5f60\n";
  while (text.size() < images_end) {
    text += "\"" + type(kNamespaces[random() % 8]) +
            ",version=\\\"4.0.0.0\\\",culture=\\\"neutral\\\",publicKeyToken=\\\"B77A5C561934E089\\\"" +
            "\"=hex(7):4e,00,65,00,74,00,46,00,78,00,46,00,72,00,61,00,6d,00,65,00,77,00,6f,00,\\\n"
            "  72,00,6b,00,00,00,00,00\n";
  }
  text += "\n";
  while (text.size() < bytes) {
    text += "[Software\\\\Microsoft\\\\Fusion\\\\NativeImagesIndex\\\\v4.0.30319_64\\\\" + Guid(random) +
            "] 1700000000\n#time=1da1b2c3d4e5f60\n\"DisplayName\"=\"" + type(kNamespaces[random() % 8]) +
            "\"\n\"MVID\"=hex:" + std::to_string(random() % 90 + 10) +
            ",3f,92,11,aa,bb,cc,dd,ee,ff,00,11,22,33,44,55\n\"Status\"=dword:00000001\n\n";
  }
  return text;
}

bool PrefixWithLargeRegistry(const fs::path& work, int runs) {
  const fs::path small_machine = work / "machine-small-reg";
  const fs::path large_machine = work / "machine-large-reg";
  const fs::path script = work / "start.script";
  WriteFile(script, "dump\nquit\n");
  // The first start lays out each machine; then the registries are put in place.
  Spawn(Norva(NORVA_TEST_DISC, small_machine, script));
  Spawn(Norva(NORVA_TEST_DISC, large_machine, script));
  WriteFile(small_machine / "system.reg", SystemReg(1'700'000));
  WriteFile(large_machine / "system.reg", SystemReg(23'000'000));
  const double file_mb = static_cast<double>(fs::file_size(large_machine / "system.reg")) / (1024.0 * 1024.0);

  const auto m =
      Measure({Norva(NORVA_TEST_DISC, small_machine, script), Norva(NORVA_TEST_DISC, large_machine, script),
               Shell("grep -c '^\\[' '" + (large_machine / "system.reg").string() + "'")},
              runs);
  std::printf("Prefix with a %.1f MB system.reg (%d runs: fastest / median; peak memory the largest seen)\n",
              file_mb, runs);
  std::printf("  start to first dump:   %.3f / %.3f s and %.1f MB with a 1.7 MB system.reg\n", m[0].fastest,
              m[0].median, m[0].peak_mb);
  std::printf("                         %.3f / %.3f s and %.1f MB with the large one\n", m[1].fastest,
              m[1].median, m[1].peak_mb);
  std::printf("  grep -c '^\\[':          %.3f / %.3f s\n", m[2].fastest, m[2].median);
  bool ok = Check("start, fastest s (small + 3 x grep)", m[1].fastest, m[0].fastest + 3 * m[2].fastest);
  ok = Check("peak memory, MB (file + 30 MB)", m[1].peak_mb, file_mb + 30) && ok;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--system-reg") {
    WriteFile(argv[2], SystemReg(static_cast<std::size_t>(std::atoll(argv[3]))));
    return 0;
  }
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
  const fs::path work = fs::temp_directory_path() / ("norva-scale-" + std::to_string(getpid()));
  fs::create_directories(work);
  output_file = (work / "output").string();
  bool ok = DiscWithManyFiles(work, runs);
  ok = PrefixWithLargeRegistry(work, runs) && ok;
  std::error_code ignored;
  fs::remove_all(work, ignored);
  return ok ? 0 : 1;
}
