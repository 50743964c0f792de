// Why a Windows program could not be started, where this machine rather than the command is the cause: the
// person at the menu can mend these, so the menu tells them.
#pragma once

namespace norva::platform {

enum class StartFailure {
  kNone,               // started, or refused for a reason of the command (no such file, not a program)
  kNoWine,             // nothing here runs Windows programs
  kNo32BitWine,        // a 32-bit (or 16-bit) Windows program, and Wine's 32-bit half is not installed
  kNotWindowsProgram,  // a DOS program or a damaged file: Wine cannot run it
};

}  // namespace norva::platform
