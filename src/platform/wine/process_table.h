// The host's process table as the wait for a started program needs it: the processes below one of ours, with
// the path each was started from. Wine's own background programs (its server, services, device drivers and
// the desktop) are left out: they end by themselves once the prefix's programs have ended.
#pragma once

#include <string>
#include <vector>

#include "platform/wine/tree_watch.h"

namespace norva::platform::wine {

// Every live process whose chain of parents reaches `ancestor` (not `ancestor` itself), without Wine's
// background programs.
std::vector<TreeProcess> RunningDescendants(int ancestor);

// Whether a process is part of Wine's machinery rather than a program of the prefix: `name` is the kernel's
// name of the process, `args` its argument words (a Windows process shows its DOS command line there).
bool IsWineBackgroundProgram(const std::string& name, const std::vector<std::string>& args);

// The path a process was started from: its first argument word, or the script that the interpreter named
// there runs (the kernel names a process that a #! line started after the script).
std::string ProgramOf(const std::string& name, const std::vector<std::string>& args);

}  // namespace norva::platform::wine
