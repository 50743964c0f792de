#include "platform/wine/wine_shell.h"

#include "platform/wine/host_spawn.h"
#include "platform/wine/wine_halves.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

extern char** environ;

namespace norva::platform::wine {
namespace {

// ShellExecute's results.
constexpr int kHandedOver = 42;
constexpr int kFileNotFound = 2;
constexpr int kNoAssociation = 31;

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower;
}

std::string Extension(std::string_view file) {
  const auto dot = file.find_last_of('.');
  const auto slash = file.find_last_of("\\/");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  return Lower(file.substr(dot + 1));
}

bool IsAddress(std::string_view file) {
  const std::string lower = Lower(file.substr(0, 8));
  return lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
}

std::vector<std::string> CommandOrDefault(const std::optional<std::string>& given, const char* fallback,
                                          bool record_only) {
  if (given) return SplitCommandWords(*given);
  if (record_only) return {};
  if (auto found = FindOnPath(fallback)) return {*found};
  return {};
}

}  // namespace

std::vector<std::string> SplitCommandWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

std::optional<std::string> FindOnPath(const std::string& program) {
  if (program.find('/') != std::string::npos) {
    if (access(program.c_str(), X_OK) == 0) return program;
    return std::nullopt;
  }
  const char* path = std::getenv("PATH");
  if (!path) return std::nullopt;
  std::string_view rest(path);
  while (!rest.empty()) {
    const auto colon = rest.find(':');
    std::string dir(rest.substr(0, colon));
    rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    // An empty PATH entry means the current folder.
    std::string candidate = dir.empty() ? std::string(1, '.') : std::move(dir);
    candidate.append(1, '/').append(program);
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

WineShell::WineShell(FileSystem& files, WineShellOptions options)
    : files_(files),
      prefix_(std::move(options.prefix)),
      runner_(CommandOrDefault(options.runner, "wine", options.record_only_by_default)),
      opener_(CommandOrDefault(options.opener, "xdg-open", options.record_only_by_default)),
      opener_named_(options.opener.has_value()),
      record_only_(options.record_only_by_default) {}

bool WineShell::PdfProgramRegistered() {
  if (opener_.empty()) return false;
  // A named opener is trusted to open anything; the desktop's opener is asked for its PDF handler.
  if (opener_named_) return true;
  const auto mime = FindOnPath("xdg-mime");
  if (!mime) return false;
  int out[2];
  if (pipe(out) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = *mime, query = "query", what = "default", type = "application/pdf";
  char* argv[] = {program.data(), query.data(), what.data(), type.data(), nullptr};
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string answer;
  if (failed == 0) {
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
      answer.append(buffer, static_cast<std::size_t>(n));
    waitpid(pid, nullptr, 0);
  }
  close(out[0]);
  return answer.find_first_not_of(" \t\r\n") != std::string::npos;
}

WineShell::~WineShell() {
  ReapChildren();
}

int WineShell::ShellExecute(std::string_view verb, std::string_view file, std::string_view params,
                            std::string_view dir, int show) {
  ReapChildren();
  LaunchRecord record;
  record.op = LaunchRecord::Op::kShell;
  record.verb = std::string(verb);
  record.file = std::string(file);
  record.params = std::string(params);
  record.dir = std::string(dir);
  record.show = show;
  log_.Add(record);
  last_failure_ = StartFailure::kNone;

  const std::string host_dir = files_.HostPath(dir.empty() ? files_.CurrentDir() : dir).value_or(".");
  if (IsAddress(file)) {
    if (opener_.empty()) return kNoAssociation;
    auto argv = opener_;
    argv.emplace_back(file);
    return Spawn(argv, host_dir, false) ? kHandedOver : kNoAssociation;
  }
  if (!files_.FileExists(file)) return kFileNotFound;
  const std::string host_file = files_.HostPath(file).value_or("");
  const std::string ext = Extension(file);
  const std::string verb_lower = Lower(verb);

  std::vector<std::string> argv;
  bool through_runner = true;
  // Installer packages and INF files get the DOS path Windows would give them: Windows Installer records it
  // as the package's source, and both read the files beside it through it.
  if (verb_lower == "install" && ext == "inf") {
    argv = {"rundll32", "setupapi,InstallHinfSection", "DefaultInstall", "132", std::string(file)};
  } else if (verb_lower == "open" && (ext == "exe" || ext == "com" || ext == "bat")) {
    argv = {host_file};
    for (auto& word : SplitCommandWords(params)) argv.push_back(word);
    last_failure_ = WhyWineCannotStart(runner_, host_file, wine_runs_32bit_);
    if (last_failure_ != StartFailure::kNone) return kNoAssociation;
  } else if (verb_lower == "open" && ext == "msi") {
    argv = {"msiexec", "/i", std::string(file)};
  } else if (verb_lower == "open" && ext == "lnk") {
    argv = {"start", "/unix", host_file};
  } else {
    through_runner = false;
    argv = {host_file};
  }
  const auto& program = through_runner ? runner_ : opener_;
  if (program.empty()) {
    if (through_runner && !record_only_) last_failure_ = StartFailure::kNoWine;
    return kNoAssociation;
  }
  argv.insert(argv.begin(), program.begin(), program.end());
  return Spawn(argv, host_dir, through_runner) ? kHandedOver : kNoAssociation;
}

bool WineShell::Spawn(std::vector<std::string> argv, const std::string& host_dir, bool with_prefix) {
  SpawnRequest request{std::move(argv), host_dir, std::nullopt, false};
  if (with_prefix) request.prefix = prefix_;
  const auto pid = SpawnHostProgram(request);
  if (!pid) return false;
  children_.push_back(*pid);
  return true;
}

void WineShell::ReapChildren() {
  // Handed-over programs run on their own; only their exit status is collected so that none is left a zombie.
  children_.erase(std::remove_if(children_.begin(), children_.end(),
                                 [](int pid) { return waitpid(pid, nullptr, WNOHANG) != 0; }),
                  children_.end());
}

}  // namespace norva::platform::wine
