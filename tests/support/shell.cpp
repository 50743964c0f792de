#include "support/shell.h"

#include <sys/wait.h>

#include <cstdio>

#include "support/fake_runner.h"

namespace norva::test {

int RunShell(const std::string& command, std::string* output) {
  FILE* pipe = popen(("(" + command + ") 2>&1 </dev/null").c_str(), "r");
  if (pipe == nullptr) return -1;
  std::string text;
  char buffer[4096];
  std::size_t read = 0;
  while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, read);
  const int status = pclose(pipe);
  if (output != nullptr) *output = std::move(text);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HaveProgram(const std::string& program) {
  return RunShell("command -v " + ShellQuote(program)) == 0;
}

}  // namespace norva::test
