// Replacing a host file so that a crash or a failed write never leaves it half-written.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace norva::platform::wine {

// Writes `bytes` into a new file beside `target`, flushes it to disk and renames it over `target`. A target
// that is a symbolic link keeps the link: its final file is replaced instead. The permissions of an existing
// target carry over. False (with `error` set when given) leaves the previous file whole.
bool WriteHostFileAtomic(const std::filesystem::path& target, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace norva::platform::wine
