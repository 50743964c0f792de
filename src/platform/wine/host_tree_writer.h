// Creates folders, files and links below one host folder for the archive extraction, never outside it:
// names are matched without regard to letter case as Wine does, no existing link is ever followed (a folder
// reached through a link is refused), and a file is always created anew, so nothing is written through a link
// or into another name of a hard-linked file.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace norva::platform::wine {

class HostTreeWriter {
 public:
  // `root` must be an existing folder; it is taken as it is (links above it are the machine's own).
  explicit HostTreeWriter(std::filesystem::path root) : root_(std::move(root)) {}

  enum class Status { kOk, kRefused, kFailed };
  struct Place {
    Status status = Status::kFailed;
    std::filesystem::path path;  // the host path of the entry (valid with kOk)
  };

  // The folder below the root for these components, created where missing. kRefused when one of them is an
  // existing link; kFailed when one is a file or cannot be created.
  Place Folder(const std::vector<std::string>& components);
  // The host path for a new file, link or folder named by the last component, with its folder created. An
  // existing file or link of that name is removed first; an existing folder fails.
  Place NewEntry(const std::vector<std::string>& components);
  // The existing regular file named by the components, reached without links; kFailed when there is none.
  Place ExistingFile(const std::vector<std::string>& components);

 private:
  // The existing entry of `dir` (a host folder below the root) whose name matches `name` without regard to
  // letter case, or empty.
  std::string Match(const std::filesystem::path& dir, const std::string& name);
  void Remember(const std::filesystem::path& dir, const std::string& name);
  void Forget(const std::filesystem::path& dir, const std::string& name);

  std::filesystem::path root_;
  // Per folder visited: folded name -> name on disk.
  std::map<std::filesystem::path, std::unordered_map<std::string, std::string>> listings_;
};

}  // namespace norva::platform::wine
