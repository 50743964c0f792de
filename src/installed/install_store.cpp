#include "installed/install_store.h"

#include <utility>

namespace norva::installed {
namespace {

constexpr std::string_view kRootLegacyStore = "C:\\norva.ini";
constexpr std::string_view kWindowsLegacyStore = "C:\\windows\\norva.ini";

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

std::string_view WithoutTrailingBackslash(std::string_view path) {
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

}  // namespace

std::string IssueSection(std::string_view issue_code) {
  return "CD" + std::string(issue_code);
}

bool IsDiscLabelKey(std::string_view issue_code) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  auto letter_or_digit = [&digit](char c) {
    return digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  };
  return issue_code.size() == 4 && letter_or_digit(issue_code[0]) && letter_or_digit(issue_code[1]) &&
         digit(issue_code[2]) && digit(issue_code[3]);
}

std::string DirEntryKey(std::string_view name) {
  return std::string(name);
}

std::string RecordEntryKey(std::string_view name) {
  return std::string(name) + "_";
}

std::string UninstallerEntryKey(std::string_view name) {
  return std::string(name) + "__";
}

std::string FormatRecordEntry(const RecordFields& fields) {
  return fields.RunFile + "," + fields.RegUninstall + "," + fields.Uninstall + "," + fields.DiscCode;
}

std::string DiscCode(std::uint8_t cd) {
  return cd >= 10 ? std::to_string(cd) : std::string();
}

InstallStore::InstallStore(platform::IniFile& store, platform::IniFiles& ini_files,
                           platform::FileSystem& files, std::string windows_dir, std::string issue_code)
    : store_(store),
      ini_files_(ini_files),
      files_(files),
      windows_dir_(std::move(windows_dir)),
      issue_code_(std::move(issue_code)),
      section_(IssueSection(issue_code_)) {}

bool InstallStore::WriteDirEntry(std::string_view name, std::string_view dir) {
  return store_.WriteString(section_, DirEntryKey(name), dir);
}

bool InstallStore::WriteRecordEntry(std::string_view name, const RecordFields& fields) {
  return store_.WriteString(section_, RecordEntryKey(name), FormatRecordEntry(fields));
}

bool InstallStore::WriteUninstallerEntry(std::string_view name, std::string_view command) {
  return store_.WriteString(section_, UninstallerEntryKey(name), command);
}

void InstallStore::DeleteEntries(std::string_view name) {
  DeleteEntries(issue_code_, name);
}

void InstallStore::DeleteEntries(std::string_view issue_code, std::string_view name) {
  const std::string section = IssueSection(issue_code);
  // A store that cannot be written keeps its keys; detection runs again on the next visit.
  store_.DeleteKey(section, DirEntryKey(name));
  store_.DeleteKey(section, RecordEntryKey(name));
  store_.DeleteKey(section, UninstallerEntryKey(name));
}

std::string InstallStore::ReadStoredDir(std::string_view name) {
  std::string dir = store_.ReadString(section_, DirEntryKey(name), "");
  if (!dir.empty() || !files_.FileExists(kRootLegacyStore)) return dir;
  dir = ReadLegacy(kRootLegacyStore, name);
  // When the Windows folder is C:\windows the second legacy file is the store itself.
  if (dir.empty() && !SameTextIgnoringCase(WithoutTrailingBackslash(windows_dir_), "C:\\WINDOWS") &&
      files_.FileExists(kWindowsLegacyStore)) {
    dir = ReadLegacy(kWindowsLegacyStore, name);
  }
  return dir;
}

std::string InstallStore::ReadLegacy(std::string_view path, std::string_view name) {
  auto legacy = ini_files_.Open(path);
  if (!legacy) return {};
  return legacy->ReadString(section_, DirEntryKey(name), "");
}

}  // namespace norva::installed
