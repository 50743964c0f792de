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

bool WineFileSystem::WriteFileAtomic(std::string_view dos_path, std::string_view bytes, Error* error) {
  const std::optional<fs::path> host = Resolve(dos_path);
  std::error_code ec;
  const auto fail = [&](const char* cause) {
    Error::Set(error, std::string("writing ") + std::string(dos_path) + ": " + cause);
    return false;
  };
  if (!host) return fail("no such drive, or not a drive path");
  if (!fs::is_directory(host->parent_path(), ec)) return fail("its folder does not exist");
  if (fs::is_directory(*host, ec)) return fail("it is a folder");
  // A read-only file refuses writes on Windows; replacing it here would bypass that.
  if (IsReadOnly(*host)) return fail("the file is read-only");
  Changed(*host);
  if (WriteHostFileAtomic(*host, bytes, error)) return true;
  Error::AddPrefix(error, "writing " + std::string(dos_path));
  return false;
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

bool WineFileSystem::CreateDir(std::string_view dos_path, Error* error) {
  const std::optional<fs::path> host = Resolve(dos_path);
  std::error_code ec;
  const auto fail = [&](const std::string& cause) {
    Error::Set(error, "creating the folder " + std::string(dos_path) + ": " + cause);
    return false;
  };
  if (!host) return fail("no such drive, or not a drive path");
  if (!fs::is_directory(host->parent_path(), ec)) return fail("the folder above it does not exist");
  Changed(*host);
  if (fs::create_directory(*host, ec) && !ec) return true;
  return fail(ec ? ec.message() : "it exists already");
}

bool WineFileSystem::IsDriveRoot(std::string_view dos_path) const {
  const std::optional<DosPath> parsed = ParseDosPath(dos_path, current_);
  return parsed && parsed->components.empty();
}

bool WineFileSystem::RemoveFile(std::string_view dos_path, Error* error) {
  const std::optional<fs::path> host = Resolve(dos_path);
  const auto fail = [&](const std::string& cause) {
    Error::Set(error, "deleting " + std::string(dos_path) + ": " + cause);
    return false;
  };
  if (!host || IsDriveRoot(dos_path)) return fail("not a file's path");
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(*host, ec);
  if (ec || !fs::exists(own)) return fail("no such file");
  if (fs::is_directory(own)) return fail("it is a folder");
  if (fs::is_symlink(own)) {
    // A link to a folder is removed as a folder, never as a file.
    if (fs::is_directory(*host, ec)) return fail("it is a link to a folder");
  } else if (!HasOwnerWrite(own.permissions())) {
    return fail("the file is read-only");  // Windows refuses to delete a read-only file
  }
  Changed(*host);
  if (fs::remove(*host, ec) && !ec) return true;
  return fail(ec ? ec.message() : "no such file");
}

bool WineFileSystem::RemoveDir(std::string_view dos_path, Error* error) {
  const std::optional<fs::path> host = Resolve(dos_path);
  const auto fail = [&](const std::string& cause) {
    Error::Set(error, "removing the folder " + std::string(dos_path) + ": " + cause);
    return false;
  };
  // A drive's root folder is the drive itself, never removed.
  if (!host || IsDriveRoot(dos_path)) return fail("not a folder that can be removed");
  std::error_code ec;
  const fs::file_status own = fs::symlink_status(*host, ec);
  if (ec) return fail(ec.message());
  if (fs::is_symlink(own)) {
    // Only the link goes; whatever it leads to stays.
    if (!fs::is_directory(*host, ec)) return fail("it is a link to a file");
    Changed(*host);
    if (fs::remove(*host, ec) && !ec) return true;
    return fail(ec ? ec.message() : "no such folder");
  }
  if (!fs::is_directory(own)) return fail("no such folder");
  if (!HasOwnerWrite(own.permissions())) return fail("the folder is read-only");
  if (!fs::is_empty(*host, ec) || ec) return fail(ec ? ec.message() : "the folder is not empty");
  Changed(*host);
  if (fs::remove(*host, ec) && !ec) return true;
  return fail(ec ? ec.message() : "no such folder");
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
