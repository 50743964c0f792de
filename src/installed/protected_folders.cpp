#include "installed/protected_folders.h"

#include <algorithm>
#include <optional>

#include "installed/path_text.h"
#include "strings/ucase.h"

namespace norva::installed {
namespace {

// Windows drops trailing dots and blanks of a name, so "C:\WINDOWS. " is the Windows folder too.
std::string TrimTrailingDotsAndBlanks(std::string name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  return name;
}

// Folders of the Windows drive that a 64-bit Windows (and Wine's prefixes) has besides the machine's folders.
constexpr const char* kSharedWindowsFolders[] = {"Program Files (x86)",
                                                 "Program Files\\Common Files",
                                                 "Program Files (x86)\\Common Files",
                                                 "ProgramData",
                                                 "users\\Public",
                                                 "windows\\syswow64"};

bool StartsWith(const std::vector<std::string>& whole, const std::vector<std::string>& prefix) {
  return prefix.size() <= whole.size() && std::equal(prefix.begin(), prefix.end(), whole.begin());
}

}  // namespace

ProtectedFolders::ProtectedFolders(const SystemFolders& folders, std::string_view current_dir)
    : current_dir_(current_dir) {
  if (!folders.WindowsDir.empty()) {
    const std::vector<std::string> windows = Key(folders.WindowsDir);
    if (!windows.empty()) windows_drive_ = windows.front()[0];
  }
  for (const std::string* folder :
       {&folders.WindowsDir, &folders.SystemDir, &folders.ProgramFilesDir, &folders.CommonDesktopDir,
        &folders.CommonProgramsDir, &folders.UserDesktopDir, &folders.UserProgramsDir}) {
    if (folder->empty()) continue;
    std::vector<std::string> key = Key(*folder);
    if (!key.empty()) folders_.push_back(std::move(key));
  }
  for (const char* shared : kSharedWindowsFolders) {
    folders_.push_back(Key(std::string{windows_drive_, ':', '\\'} + shared));
  }
}

// The drive ("C:") and the folded names of an absolute path; empty when the text names no drive path.
std::vector<std::string> ProtectedFolders::Key(std::string_view path) const {
  const std::optional<std::string> absolute = AbsoluteDosPath(path, current_dir_);
  if (!absolute) return {};
  const std::string upper = strings::UCase(*absolute);
  std::vector<std::string> key{upper.substr(0, 2)};
  std::size_t start = 3;
  while (start < upper.size()) {
    std::size_t end = upper.find('\\', start);
    if (end == std::string::npos) end = upper.size();
    std::string name = TrimTrailingDotsAndBlanks(upper.substr(start, end - start));
    if (!name.empty()) key.push_back(std::move(name));
    start = end + 1;
  }
  return key;
}

bool ProtectedFolders::Covers(std::string_view path) const {
  const std::vector<std::string> key = Key(path);
  if (key.size() <= 1) return true;  // a drive root, or no drive path at all
  if (key[0][0] == windows_drive_ && key[1] == "USERS" && key.size() <= 3) return true;
  return std::any_of(folders_.begin(), folders_.end(),
                     [&](const std::vector<std::string>& folder) { return StartsWith(folder, key); });
}

}  // namespace norva::installed
