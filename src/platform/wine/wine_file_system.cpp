#include "platform/wine/wine_file_system.h"

#include <system_error>

#include "platform/unicode_text.h"
#include "platform/wine/atomic_write.h"
#include "platform/wine/host_file.h"
#include "platform/wine/prefix.h"
#include "platform/wine/wine_folder.h"

namespace norva::platform::wine {
namespace fs = std::filesystem;

namespace {

bool HasOwnerWrite(fs::perms perms) {
  return (perms & fs::perms::owner_write) != fs::perms::none;
}

bool IsReadOnly(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  return !ec && fs::exists(status) && !HasOwnerWrite(status.permissions());
}

}  // namespace

WineFileSystem::WineFileSystem(fs::path prefix)
    : prefix_(std::move(prefix)), host_folders_(HostFolders::FromEnvironment(prefix_)) {}

bool WineFileSystem::CoversHostFolder(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  // A path on no drive reaches no folder of the host.
  return host && host_folders_.Covers(*host);
}

fs::path WineFileSystem::DriveRoot(char letter) const {
  const fs::path link = DriveLinkPath(prefix_, letter);
  std::error_code ec;
  if (fs::symlink_status(link, ec).type() == fs::file_type::not_found) return {};
  // Host paths read better, and survive a changed working directory, when the link is followed.
  fs::path target = fs::canonical(link, ec);
  return ec ? link : target;
}

fs::path WineFileSystem::MatchComponent(const fs::path& dir, const std::string& name_utf8) {
  std::error_code ec;
  const fs::path exact = dir / name_utf8;
  if (fs::symlink_status(exact, ec).type() != fs::file_type::not_found) return exact;
  const std::string match = listings_.Match(dir, name_utf8);
  return match.empty() ? fs::path() : dir / match;
}

void WineFileSystem::Changed(const fs::path& host) {
  listings_.Forget(host.parent_path());
}

std::optional<fs::path> WineFileSystem::Resolve(std::string_view dos_path) {
  const std::optional<DosPath> parsed = ParseDosPath(dos_path, current_);
  if (!parsed) return std::nullopt;
  fs::path host = DriveRoot(parsed->drive);
  if (host.empty()) return std::nullopt;
  bool existing = true;
  for (const std::string& component : parsed->components) {
    const std::string utf8 = AnsiToUtf8(component, *code_page_);
    if (existing) {
      std::error_code ec;
      if (fs::is_directory(host, ec)) {
        const fs::path match = MatchComponent(host, utf8);
        if (!match.empty()) {
          host = match;
          continue;
        }
      }
      existing = false;
    }
    host /= utf8;
  }
  return host;
}

std::optional<std::uint64_t> WineFileSystem::FreeSpace(std::string_view dos_path) {
  std::optional<fs::path> host = Resolve(dos_path);
  if (!host) return std::nullopt;
  // A folder that is not made yet lies on the file system of its nearest existing ancestor.
  std::error_code ec;
  fs::path probe = *host;
  while (!probe.empty() && !fs::exists(probe, ec) && probe != probe.parent_path())
    probe = probe.parent_path();
  const fs::space_info space = fs::space(probe, ec);
  if (ec) return std::nullopt;
  return space.available;
}

std::optional<std::string> WineFileSystem::HostPath(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  if (!host) return std::nullopt;
  return host->string();
}

bool WineFileSystem::FileExists(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  std::error_code ec;
  return host && fs::is_regular_file(*host, ec);
}

bool WineFileSystem::DirExists(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  std::error_code ec;
  return host && fs::is_directory(*host, ec);
}

std::optional<std::string> WineFileSystem::ReadFile(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  if (!host) return std::nullopt;
  return ReadRegularHostFile(*host);
}

bool WineFileSystem::WriteFileAtomic(std::string_view dos_path, std::string_view bytes) {
  const std::optional<fs::path> host = Resolve(dos_path);
  std::error_code ec;
  if (!host || !fs::is_directory(host->parent_path(), ec)) return false;
  if (fs::is_directory(*host, ec)) return false;
  // A read-only file refuses writes on Windows; replacing it here would bypass that.
  if (IsReadOnly(*host)) return false;
  Changed(*host);
  return WriteHostFileAtomic(*host, bytes);
}

std::optional<std::vector<DirEntry>> WineFileSystem::ListDir(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  std::error_code ec;
  if (!host || !fs::is_directory(*host, ec)) return std::nullopt;
  std::vector<DirEntry> entries;
  for (fs::directory_iterator it(*host, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string host_name = it->path().filename().string();
    DirEntry entry;
    entry.name = Utf8ToAnsi(host_name, *code_page_);
    std::error_code entry_ec;
    entry.is_link = it->is_symlink(entry_ec);
    fs::file_status status = fs::status(it->path(), entry_ec);
    if (entry_ec || !fs::exists(status)) status = fs::symlink_status(it->path(), entry_ec);
    entry.is_dir = fs::is_directory(status);
    entry.read_only = !HasOwnerWrite(status.permissions());
    entry.hidden = host_name.starts_with('.');
    if (fs::is_regular_file(status)) {
      const std::uintmax_t size = fs::file_size(it->path(), entry_ec);
      entry.size = entry_ec ? 0 : size;
    }
    entries.push_back(std::move(entry));
  }
  if (ec) return std::nullopt;
  return entries;
}

std::unique_ptr<Folder> WineFileSystem::OpenFolder(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  if (!host) return nullptr;
  return WineFolder::Open(*host, *code_page_);
}

bool WineFileSystem::CreateDir(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  std::error_code ec;
  if (!host || !fs::is_directory(host->parent_path(), ec)) return false;
  Changed(*host);
  return fs::create_directory(*host, ec) && !ec;
}

bool WineFileSystem::IsDriveRoot(std::string_view dos_path) const {
  const std::optional<DosPath> parsed = ParseDosPath(dos_path, current_);
  return parsed && parsed->components.empty();
}

bool WineFileSystem::RemoveFile(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  if (!host || IsDriveRoot(dos_path)) return false;
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(*host, ec);
  if (ec || !fs::exists(own) || fs::is_directory(own)) return false;
  if (fs::is_symlink(own)) {
    // A link to a folder is removed as a folder, never as a file.
    if (fs::is_directory(*host, ec)) return false;
  } else if (!HasOwnerWrite(own.permissions())) {
    return false;  // Windows refuses to delete a read-only file
  }
  Changed(*host);
  return fs::remove(*host, ec) && !ec;
}

bool WineFileSystem::RemoveDir(std::string_view dos_path) {
  const std::optional<fs::path> host = Resolve(dos_path);
  // A drive's root folder is the drive itself, never removed.
  if (!host || IsDriveRoot(dos_path)) return false;
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(*host, ec);
  if (ec) return false;
  if (fs::is_symlink(own)) {
    // Only the link goes; whatever it leads to stays.
    if (!fs::is_directory(*host, ec)) return false;
    Changed(*host);
    return fs::remove(*host, ec) && !ec;
  }
  if (!fs::is_directory(own) || !HasOwnerWrite(own.permissions())) return false;
  if (!fs::is_empty(*host, ec) || ec) return false;
  Changed(*host);
  return fs::remove(*host, ec) && !ec;
}

bool WineFileSystem::SetReadOnly(std::string_view dos_path, bool read_only) {
  const std::optional<fs::path> host = Resolve(dos_path);
  std::error_code ec;
  if (!host || !fs::exists(*host, ec)) return false;
  fs::permissions(*host, fs::perms::owner_write, read_only ? fs::perm_options::remove : fs::perm_options::add,
                  ec);
  return !ec;
}

std::string WineFileSystem::CurrentDir() {
  return FormatDosPath(current_);
}

bool WineFileSystem::SetCurrentDir(std::string_view dos_path) {
  const std::optional<DosPath> parsed = ParseDosPath(dos_path, current_);
  if (!parsed || !DirExists(FormatDosPath(*parsed))) return false;
  current_ = *parsed;
  return true;
}

}  // namespace norva::platform::wine
