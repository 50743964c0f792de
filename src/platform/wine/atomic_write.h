// Replacing a host file so that a crash or a failed write never leaves it half-written.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace norva::platform::wine {

// Writes `bytes` into a new file beside `target`, flushes it to disk, renames it over `target` and flushes
// the folder, so that the new file survives a crash once this returns true. A target that is a symbolic
// link keeps the link: its final file is replaced instead. The permissions of an existing target carry over.
// False (with the cause in `error` when given) leaves the previous file whole.
//
// The temporary file is named ".<name>.norva-<pid>-<n>.tmp". A process killed during a write leaves it
// behind; the first write to a target in each process removes those of processes that no longer run (see
// RemoveStaleTempFilesOnce).
bool WriteHostFileAtomic(const std::filesystem::path& target, std::string_view bytes, Error* error = nullptr);

// Removes the temporary files that writes to `target` left behind in processes that no longer run (and
// any with this process's id, which a process that ran before under the same id left). The number removed.
int RemoveStaleTempFiles(const std::filesystem::path& target);
// RemoveStaleTempFiles the first time it is asked for a target (a link: the file it names) in this process.
void RemoveStaleTempFilesOnce(const std::filesystem::path& target);

}  // namespace norva::platform::wine
