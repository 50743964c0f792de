#include "platform/wine/host_tree_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/unicode_text.h"

namespace norva::platform::wine {
namespace {

namespace fs = std::filesystem;

enum class Kind { kMissing, kDir, kFile, kLink, kOther };

Kind KindOf(const fs::path& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return Kind::kMissing;
  if (S_ISLNK(st.st_mode)) return Kind::kLink;
  if (S_ISDIR(st.st_mode)) return Kind::kDir;
  if (S_ISREG(st.st_mode)) return Kind::kFile;
  return Kind::kOther;
}

}  // namespace

std::string HostTreeWriter::Match(const fs::path& dir, const std::string& name) {
  auto [it, fresh] = listings_.try_emplace(dir);
  if (fresh) {
    // Of several names that differ only in case, the smallest wins, as in the path resolution.
    std::error_code ec;
    for (fs::directory_iterator entry(dir, ec), end; !ec && entry != end; entry.increment(ec)) {
      std::string on_disk = entry->path().filename().string();
      auto& slot = it->second[FoldCase(on_disk)];
      if (slot.empty() || on_disk < slot) slot = std::move(on_disk);
    }
  }
  const auto found = it->second.find(FoldCase(name));
  return found == it->second.end() ? std::string() : found->second;
}

void HostTreeWriter::Remember(const fs::path& dir, const std::string& name) {
  auto it = listings_.find(dir);
  if (it != listings_.end()) it->second[FoldCase(name)] = name;
}

void HostTreeWriter::Forget(const fs::path& dir, const std::string& name) {
  auto it = listings_.find(dir);
  if (it != listings_.end()) it->second.erase(FoldCase(name));
}

HostTreeWriter::Place HostTreeWriter::Folder(const std::vector<std::string>& components) {
  fs::path dir = root_;
  for (const std::string& name : components) {
    const std::string existing = Match(dir, name);
    if (existing.empty()) {
      if (mkdir((dir / name).c_str(), 0755) != 0 && errno != EEXIST) return {Status::kFailed, {}};
      Remember(dir, name);
      dir /= name;
      if (KindOf(dir) != Kind::kDir) return {Status::kFailed, {}};
      continue;
    }
    dir /= existing;
    switch (KindOf(dir)) {
      case Kind::kDir:
        break;
      case Kind::kLink:
        return {Status::kRefused, {}};
      default:
        return {Status::kFailed, {}};
    }
  }
  return {Status::kOk, dir};
}

HostTreeWriter::Place HostTreeWriter::NewEntry(const std::vector<std::string>& components) {
  if (components.empty()) return {Status::kFailed, {}};
  const std::vector<std::string> parents(components.begin(), components.end() - 1);
  Place folder = Folder(parents);
  if (folder.status != Status::kOk) return folder;
  const std::string& name = components.back();
  const std::string existing = Match(folder.path, name);
  if (!existing.empty()) {
    const fs::path old = folder.path / existing;
    switch (KindOf(old)) {
      case Kind::kDir:
        return {Status::kFailed, {}};
      case Kind::kMissing:
        break;
      default:
        // Replaced, not overwritten: a link or a hard link must not carry the new data elsewhere.
        if (unlink(old.c_str()) != 0) return {Status::kFailed, {}};
    }
    Forget(folder.path, existing);
  }
  Remember(folder.path, name);
  return {Status::kOk, folder.path / name};
}

HostTreeWriter::Place HostTreeWriter::ExistingFile(const std::vector<std::string>& components) {
  if (components.empty()) return {Status::kFailed, {}};
  fs::path path = root_;
  for (std::size_t i = 0; i < components.size(); ++i) {
    const std::string existing = Match(path, components[i]);
    if (existing.empty()) return {Status::kFailed, {}};
    path /= existing;
    const Kind kind = KindOf(path);
    if (kind == Kind::kLink) return {Status::kRefused, {}};
    if (kind != (i + 1 == components.size() ? Kind::kFile : Kind::kDir)) return {Status::kFailed, {}};
  }
  return {Status::kOk, path};
}

}  // namespace norva::platform::wine
