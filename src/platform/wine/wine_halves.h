// Wine's two halves. A distribution may ship Wine's 32-bit half as a package of its own (Debian's
// wine32:i386); where it is installed, Debian's `wine` is the 32-bit loader, which starts Wine's own tools
// (cmd, reg, regedit) as 32-bit programs, and those see the 32-bit view of the registry.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/start_failure.h"

namespace norva::platform::wine {

// Whether the runner's words start Wine itself (rather than a stand-in of the tests or a wrapper of the
// user).
bool IsWineRunner(const std::vector<std::string>& runner);

// Whether the Wine of that runner has its 32-bit half: a 32-bit loader beside it or where Debian puts it, or
// 32-bit Windows libraries of a Wine that runs them in its 64-bit process.
bool WineRuns32Bit(const std::vector<std::string>& runner);

// Why that runner cannot start the program at `host_program`: kNone when it can, or when the runner is not
// Wine (a runner of the user's or of a test runs whatever it is given). `runs_32bit` holds what is known of
// Wine's 32-bit half; it is looked up the first time a program needs it.
StartFailure WhyWineCannotStart(const std::vector<std::string>& runner,
                                const std::filesystem::path& host_program, std::optional<bool>& runs_32bit);

// The same Wine's 64-bit loader, which starts Wine's tools as 64-bit programs in a 64-bit prefix: the
// runner's words with their first replaced; the words unchanged when the runner is 64-bit already or no
// 64-bit loader is found.
std::vector<std::string> Wine64Loader(const std::vector<std::string>& wine);

}  // namespace norva::platform::wine
