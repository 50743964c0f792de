// Runs host programs for tests that check files with independent tools.
#pragma once

#include <string>

namespace norva::test {

// Runs `command` with sh, standard input empty; its standard output and errors go to `*output` (when given).
// Returns the exit code, or -1 when it did not exit normally.
int RunShell(const std::string& command, std::string* output = nullptr);

// Whether `program` is found on the PATH.
bool HaveProgram(const std::string& program);

}  // namespace norva::test
