#include "platform/wine/wine_processes.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/wine/host_spawn.h"
#include "platform/wine/wine_halves.h"
#include "platform/wine/wine_shell.h"

namespace norva::platform::wine {
namespace {

std::string LowerExtension(std::string_view path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of("\\/:");
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return {};
  std::string ext(path.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext;
}

bool IsProgram(std::string_view path) {
  const std::string ext = LowerExtension(path);
  return ext == "exe" || ext == "com" || ext == "bat" || ext == "cmd";
}

std::string WithBackslash(std::string dir) {
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  return dir;
}

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 1;
}

std::optional<std::string> DeriveWineserver(const std::vector<std::string>& runner) {
  if (!IsWineRunner(runner)) return std::nullopt;
  const std::filesystem::path program(runner.front());
  if (program.has_parent_path()) {
    const auto beside = program.parent_path() / "wineserver";
    if (access(beside.c_str(), X_OK) == 0) return beside.string();
  }
  return FindOnPath("wineserver");
}

}  // namespace

std::filesystem::path DefaultWaiter() {
#ifdef NORVA_WAITER
  return MenuHelperProgram("norva-waiter", NORVA_WAITER);
#else
  return MenuHelperProgram("norva-waiter", nullptr);
#endif
}

CommandSplit SplitCommandText(std::string_view text, const std::function<bool(const std::string&)>& exists) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  text = text.substr(first);
  CommandSplit split;
  std::string_view rest;
  if (text.front() == '"') {
    const auto close = text.find('"', 1);
    split.program = std::string(text.substr(1, close == std::string_view::npos ? text.npos : close - 1));
    rest = close == std::string_view::npos ? std::string_view() : text.substr(close + 1);
  } else {
    // The shortest run of words that names a file: "C:\Program Files\Game\game.exe -x" finds the program
    // after two words.
    std::size_t end = 0;
    std::optional<std::size_t> found;
    while (end != std::string_view::npos && !found) {
      end = text.find_first_of(" \t", text.find_first_not_of(" \t", end));
      const std::string candidate(text.substr(0, end));
      if (exists(candidate) || exists(candidate + ".exe")) found = end;
    }
    const std::size_t cut = found ? *found : text.find_first_of(" \t");
    split.program = std::string(text.substr(0, cut));
    rest = cut == std::string_view::npos ? std::string_view() : text.substr(cut);
  }
  split.arguments = SplitCommandWords(rest);
  return split;
}

WineProcesses::WineProcesses(FileSystem& files, SystemInfo& system, LaunchLog& log,
                             WineProcessesOptions options)
    : files_(files),
      system_(system),
      log_(log),
      options_(std::move(options)),
      wineserver_(options_.wineserver ? options_.wineserver : DeriveWineserver(options_.runner)),
      waiter_(options_.waiter ? *options_.waiter : DefaultWaiter()),
      wine_runs_32bit_(options_.wine_runs_32bit) {}

WineProcesses::~WineProcesses() {
  for (auto& [handle, child] : children_) {
    if (child.ended_fd >= 0) close(child.ended_fd);
    detached_.push_back(child);
  }
  ReapDetached();
}

std::optional<ProcessHandle> WineProcesses::Create(std::string_view command_text,
                                                   std::string_view working_dir, int /*show*/, bool wait,
                                                   Error* error) {
  ReapDetached();
  LaunchRecord record;
  record.op = LaunchRecord::Op::kCreate;
  record.cmd = std::string(command_text);
  record.dir = std::string(working_dir);
  record.wait = wait;
  const std::size_t index = log_.Add(record);
  last_failure_ = StartFailure::kNone;
  const auto fail = [&](const std::string& cause) -> std::optional<ProcessHandle> {
    Error::Set(error, "starting " + std::string(command_text) + ": " + cause);
    return std::nullopt;
  };
  if (options_.runner.empty()) {
    if (options_.record_only) return fail("programs are only recorded here, not run");
    last_failure_ = StartFailure::kNoWine;
    return fail("nothing on this machine runs Windows programs (Wine is not installed)");
  }

  // A bare program name is looked for where CreateProcess looks: the working folder, then the system and
  // Windows folders.
  const auto resolve = [&](const std::string& name) -> std::optional<std::string> {
    std::vector<std::string> places;
    if (name.find_first_of("\\:") != std::string::npos) {
      places = {name};
    } else {
      places = {WithBackslash(std::string(working_dir)) + name,
                WithBackslash(system_.SystemDirectory()) + name,
                WithBackslash(system_.WindowsDirectory()) + name};
    }
    for (const auto& place : places) {
      if (files_.FileExists(place)) return place;
      if (LowerExtension(place).empty() && files_.FileExists(place + ".exe")) return place + ".exe";
    }
    return std::nullopt;
  };
  const CommandSplit split =
      SplitCommandText(command_text, [&](const std::string& name) { return resolve(name).has_value(); });
  const auto program = resolve(split.program);
  if (!program) return fail("there is no program " + split.program);
  if (!IsProgram(*program)) return fail(*program + " is not a program");
  const auto host_program = files_.HostPath(*program);
  const auto host_dir = files_.HostPath(working_dir);
  std::error_code folder_error;
  if (!host_program || !host_dir || !std::filesystem::is_directory(*host_dir, folder_error))
    return fail("the working folder " + std::string(working_dir) + " does not exist");
  last_failure_ = WhyWineCannotStart(options_.runner, *host_program, wine_runs_32bit_);
  switch (last_failure_) {
    case StartFailure::kNone:
      break;
    case StartFailure::kNoWine:
      return fail("nothing on this machine runs Windows programs (Wine is not installed)");
    case StartFailure::kNo32BitWine:
      return fail("it is a 32-bit program, and Wine's 32-bit half is not installed");
    case StartFailure::kNotWindowsProgram:
      return fail("Wine cannot run it (a DOS program, or a damaged file)");
  }

  std::vector<std::string> argv = options_.runner;
  argv.push_back(*host_program);
  argv.insert(argv.end(), split.arguments.begin(), split.arguments.end());
  std::vector<std::string> waiter = wait ? WaiterWords(argv) : std::vector<std::string>();
  SpawnRequest request{waiter.empty() ? argv : waiter, *host_dir, options_.prefix, true};
  // The waiter starts the runner itself: it must be there, as a runner we started would have to be.
  if (!waiter.empty() && !FindOnPath(options_.runner.front()))
    return fail("the runner " + options_.runner.front() + " is not on the PATH");
  const auto pid = SpawnHostProgram(request);
  if (!pid) return fail("the host could not start " + request.argv.front());
  log_.at(index).started = true;

  const ProcessHandle handle = next_handle_++;
  children_[handle] = Child{*pid, OpenEndedDescriptor(*pid), index, wait, !waiter.empty(), std::nullopt};
  return handle;
}

std::vector<std::string> WineProcesses::WaiterWords(const std::vector<std::string>& argv) {
  if (waiter_.empty()) return {};
  std::vector<std::string> words = {waiter_.string(), "--hand-over",
                                    std::to_string(options_.hand_over.count()), "--grace",
                                    std::to_string(options_.grace.count())};
  // Installer tools put their working copies in the temporary folders: the DOS paths are what a Windows
  // process shows, the host paths what a program of the runner's own shows.
  std::vector<std::string> temp_dirs = {system_.WindowsDirectory() + "\\temp"};
  for (const char* name : {"TEMP", "TMP"}) {
    if (auto dir = system_.GetEnv(name)) temp_dirs.push_back(*dir);
  }
  for (const std::string& dir : temp_dirs) {
    words.insert(words.end(), {"--follow", dir});
    if (auto host = files_.HostPath(dir)) words.insert(words.end(), {"--follow", *host});
  }
  if (wineserver_) {
    words.insert(words.end(),
                 {"--settle", *wineserver_, "--settle-limit", std::to_string(options_.settle_limit.count())});
  }
  words.push_back("--");
  words.insert(words.end(), argv.begin(), argv.end());
  return words;
}

void WineProcesses::Collect(Child& child, bool block) {
  if (child.exit_code || child.pid < 0) return;
  int status = 0;
  pid_t done = 0;
  do {
    done = waitpid(child.pid, &status, block ? 0 : WNOHANG);
  } while (done < 0 && errno == EINTR);
  if (done == child.pid) {
    child.exit_code = ExitCodeOf(status);
  } else if (done < 0) {
    // Not our child any more (collected elsewhere): report it ended rather than running for ever.
    child.exit_code = 1;
  }
  if (child.exit_code && !child.settle) log_.at(child.log_index).exit_code = child.exit_code;
}

std::optional<int> WineProcesses::ExitCode(ProcessHandle process) {
  const auto found = children_.find(process);
  if (found == children_.end()) return std::nullopt;
  Collect(found->second, false);
  return found->second.exit_code;
}

WaitHandle WineProcesses::Ended(ProcessHandle process) {
  const auto found = children_.find(process);
  return found == children_.end() ? WaitHandle() : WaitHandle(found->second.ended_fd);
}

void WineProcesses::Wait(ProcessHandle process) {
  const auto found = children_.find(process);
  if (found != children_.end()) Collect(found->second, true);
}

void WineProcesses::Close(ProcessHandle process) {
  const auto found = children_.find(process);
  if (found == children_.end()) return;
  Child child = found->second;
  children_.erase(found);
  if (child.ended_fd >= 0) close(child.ended_fd);
  Collect(child, false);
  if (child.settle) {
    // Past its limit the wait for the wineserver is given up, as the blocking settle gives it up: only the
    // waiting client ends, the server itself goes on.
    if (!child.exit_code) {
      ::kill(child.pid, SIGKILL);
      detached_.push_back(child);
    }
    if (options_.waited_program_ended) options_.waited_program_ended();
  } else if (!child.exit_code) {
    detached_.push_back(child);
  } else if (child.wait && child.settled) {
    if (options_.waited_program_ended) options_.waited_program_ended();
  } else if (child.wait) {
    SettleWineserver();
  }
}

std::optional<ProcessHandle> WineProcesses::BeginSettle(ProcessHandle process) {
  const auto found = children_.find(process);
  if (found == children_.end() || !found->second.wait || found->second.settled || !wineserver_)
    return std::nullopt;
  const auto pid = SpawnHostProgram({{*wineserver_, "-w"}, {}, options_.prefix, true});
  if (!pid) return std::nullopt;
  // The program's own close then has nothing left to settle: the settle's close tells the end.
  found->second.settled = true;
  found->second.wait = false;
  const ProcessHandle handle = next_handle_++;
  Child settle;
  settle.pid = *pid;
  settle.ended_fd = OpenEndedDescriptor(*pid);
  settle.settle = true;
  children_[handle] = settle;
  return handle;
}

void WineProcesses::SettleWineserver() {
  // The prefix's wineserver keeps the registry in memory; after an install or uninstall it is given a bounded
  // time to write it out and exit, so that the menu reads what the program left behind. A server that stays
  // (another program of the prefix still runs) is fine: the registry then reads through Wine itself.
  if (wineserver_) RunHostProgram({{*wineserver_, "-w"}, {}, options_.prefix, true}, options_.settle_limit);
  if (options_.waited_program_ended) options_.waited_program_ended();
}

void WineProcesses::ReapDetached() {
  std::erase_if(detached_, [](const Child& child) { return waitpid(child.pid, nullptr, WNOHANG) != 0; });
}

}  // namespace norva::platform::wine
