// What kind of program a file is, read from its header, and whether Wine can run it: a 32-bit (or 16-bit)
// Windows program needs Wine's 32-bit half (see wine_halves.h).
#pragma once

#include <filesystem>

#include "platform/start_failure.h"

namespace norva::platform::wine {

enum class ProgramKind {
  kUnreadable,  // no such file, or it cannot be read
  kWindows64,   // PE32+ for x86-64
  kWindows32,   // PE32 (the programs of every disc of the era)
  kWindows16,   // NE: a program for Windows 3.x
  kOtherPe,     // a PE file for another processor
  kDos,         // an MZ header without a Windows header, or a .COM image
  kScript,      // .bat and .cmd: run by Wine's command interpreter
  kNotAProgram,
};

ProgramKind KindOfProgram(const std::filesystem::path& host_file);

// Why Wine (the runner) cannot run a program of that kind; kNone when it can, or when the kind cannot be
// told. `has_32bit` is asked only for programs that need it.
StartFailure WineCanRun(ProgramKind kind, bool has_32bit);

}  // namespace norva::platform::wine
