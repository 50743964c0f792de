#include "platform/image/server/disc_file_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace norva::platform::image {
namespace {

// The disc never changes while it is served: the kernel may keep names and attributes for good.
constexpr double kForever = 86400.0;
// Reads of up to this many bytes in one request, and as much read-ahead.
constexpr unsigned kLargeRead = 1 << 20;

std::uint32_t EntryOf(fuse_ino_t inode) {
  return static_cast<std::uint32_t>(inode - 1);
}

}  // namespace

DiscFileSystem::DiscFileSystem(const DiscImage& disc, std::function<void()> on_ready)
    : disc_(disc), on_ready_(std::move(on_ready)), owner_(::getuid()), group_(::getgid()) {
  char serial[16];
  std::snprintf(serial, sizeof serial, "%08x\n", disc.volume_id().serial);
  for (ExtraFile extra :
       {ExtraFile{".windows-label", disc.volume_id().label + "\n"}, ExtraFile{".windows-serial", serial}}) {
    if (!disc.tree().Lookup(DiscTree::kRoot, extra.name)) extras_.push_back(std::move(extra));
  }
}

const fuse_lowlevel_ops& DiscFileSystem::Operations() {
  static const fuse_lowlevel_ops operations = [] {
    fuse_lowlevel_ops ops{};
    ops.init = Init;
    ops.lookup = Lookup;
    ops.getattr = GetAttr;
    ops.open = Open;
    ops.read = Read;
    ops.opendir = OpenDir;
    ops.readdir = ReadDir;
    ops.readdirplus = ReadDirPlus;
    ops.statfs = StatFs;
    return ops;
  }();
  return operations;
}

DiscFileSystem& DiscFileSystem::Of(fuse_req_t request) {
  return *static_cast<DiscFileSystem*>(fuse_req_userdata(request));
}

void DiscFileSystem::Init(void* user, fuse_conn_info* connection) {
  connection->max_readahead = std::max(connection->max_readahead, kLargeRead);
  // libfuse asks the kernel for requests of this many pages (max_write sets it for reads as well).
  connection->max_write = kLargeRead;
  // Data of plain images goes from the image's page cache to the kernel's request without a copy through
  // this process.
  connection->want |=
      connection->capable & (FUSE_CAP_ASYNC_READ | FUSE_CAP_SPLICE_WRITE | FUSE_CAP_SPLICE_MOVE);
  // The image never changes: no read needs to ask whether the file did. Every listing carries the
  // attributes (not only the first ones, as the kernel would choose by itself).
  connection->want &= ~(FUSE_CAP_AUTO_INVAL_DATA | FUSE_CAP_READDIRPLUS_AUTO);
  connection->want |= connection->capable & FUSE_CAP_READDIRPLUS;
  auto* self = static_cast<DiscFileSystem*>(user);
  if (self->on_ready_) self->on_ready_();
}

struct stat DiscFileSystem::Attributes(fuse_ino_t inode) const {
  struct stat status {};
  status.st_ino = inode;
  status.st_uid = owner_;
  status.st_gid = group_;
  status.st_blksize = kSectorSize;
  if (IsExtra(inode)) {
    status.st_mode = S_IFREG | 0444;
    status.st_nlink = 1;
    status.st_size = static_cast<off_t>(Extra(inode).content.size());
    status.st_mtime = disc_.tree().entry(DiscTree::kRoot).modified;
  } else {
    const DiscEntry& entry = disc_.tree().entry(EntryOf(inode));
    const bool folder = entry.kind == EntryKind::kFolder;
    status.st_mode = folder ? (S_IFDIR | 0555) : (S_IFREG | 0444);
    status.st_nlink = folder ? 2 : 1;
    status.st_size = static_cast<off_t>(entry.size);
    status.st_mtime = static_cast<time_t>(entry.modified);
  }
  status.st_atime = status.st_ctime = status.st_mtime;
  status.st_blocks = (status.st_size + 511) / 512;
  return status;
}

void DiscFileSystem::ReplyEntry(fuse_req_t request, fuse_ino_t inode) const {
  fuse_entry_param entry{};
  entry.ino = inode;
  entry.attr = Attributes(inode);
  entry.attr_timeout = kForever;
  entry.entry_timeout = kForever;
  fuse_reply_entry(request, &entry);
}

void DiscFileSystem::Lookup(fuse_req_t request, fuse_ino_t parent, const char* name) {
  const DiscFileSystem& self = Of(request);
  if (!self.Valid(parent) || self.IsExtra(parent)) {
    fuse_reply_err(request, ENOTDIR);
    return;
  }
  if (const auto found = self.disc_.tree().Lookup(EntryOf(parent), name)) {
    self.ReplyEntry(request, *found + 1);
    return;
  }
  if (parent == FUSE_ROOT_ID) {
    for (std::size_t i = 0; i < self.extras_.size(); ++i) {
      if (std::strcmp(self.extras_[i].name, name) == 0) {
        self.ReplyEntry(request, self.disc_.tree().size() + 1 + i);
        return;
      }
    }
  }
  // Not there, and never will be: the kernel may remember that, so that a name looked for again (Windows
  // programs and the menu try many) costs no request.
  fuse_entry_param missing{};
  missing.ino = 0;
  missing.entry_timeout = kForever;
  fuse_reply_entry(request, &missing);
}

void DiscFileSystem::GetAttr(fuse_req_t request, fuse_ino_t inode, fuse_file_info*) {
  const DiscFileSystem& self = Of(request);
  if (!self.Valid(inode)) {
    fuse_reply_err(request, ENOENT);
    return;
  }
  const struct stat status = self.Attributes(inode);
  fuse_reply_attr(request, &status, kForever);
}

void DiscFileSystem::Open(fuse_req_t request, fuse_ino_t inode, fuse_file_info* info) {
  const DiscFileSystem& self = Of(request);
  if (!self.Valid(inode)) {
    fuse_reply_err(request, ENOENT);
  } else if (!self.IsExtra(inode) && self.disc_.tree().entry(EntryOf(inode)).kind == EntryKind::kFolder) {
    fuse_reply_err(request, EISDIR);
  } else if ((info->flags & O_ACCMODE) != O_RDONLY) {
    fuse_reply_err(request, EROFS);
  } else {
    info->keep_cache = 1;  // the data never changes: what the page cache holds stays valid across opens
    fuse_reply_open(request, info);
  }
}

void DiscFileSystem::Read(fuse_req_t request, fuse_ino_t inode, size_t size, off_t offset, fuse_file_info*) {
  const DiscFileSystem& self = Of(request);
  if (self.IsExtra(inode)) {
    const std::string& content = self.Extra(inode).content;
    const std::size_t from = std::min(content.size(), static_cast<std::size_t>(offset));
    fuse_reply_buf(request, content.data() + from, std::min(size, content.size() - from));
    return;
  }
  std::size_t length = size;
  if (const auto run = self.disc_.RunOf(EntryOf(inode), static_cast<std::uint64_t>(offset), &length)) {
    fuse_bufvec data = FUSE_BUFVEC_INIT(length);
    data.buf[0].flags = static_cast<fuse_buf_flags>(FUSE_BUF_IS_FD | FUSE_BUF_FD_SEEK | FUSE_BUF_FD_RETRY);
    data.buf[0].fd = run->fd;
    data.buf[0].pos = static_cast<off_t>(run->position);
    fuse_reply_data(request, &data, FUSE_BUF_SPLICE_MOVE);
    return;
  }
  thread_local std::vector<char> buffer;
  buffer.resize(size);
  const std::int64_t got =
      self.disc_.Read(EntryOf(inode), static_cast<std::uint64_t>(offset), size, buffer.data());
  if (got < 0) {
    fuse_reply_err(request, EIO);
    return;
  }
  fuse_reply_buf(request, buffer.data(), static_cast<std::size_t>(got));
}

void DiscFileSystem::OpenDir(fuse_req_t request, fuse_ino_t inode, fuse_file_info* info) {
  const DiscFileSystem& self = Of(request);
  if (!self.Valid(inode)) {
    fuse_reply_err(request, ENOENT);
  } else if (self.IsExtra(inode) || self.disc_.tree().entry(EntryOf(inode)).kind != EntryKind::kFolder) {
    fuse_reply_err(request, ENOTDIR);
  } else {
    info->keep_cache = 1;
    info->cache_readdir = 1;
    fuse_reply_open(request, info);
  }
}

void DiscFileSystem::ReadDir(fuse_req_t request, fuse_ino_t inode, size_t size, off_t offset,
                             fuse_file_info*) {
  List(request, inode, size, offset, false);
}

// A listing with each entry's attributes: a program that lists a folder and then looks at its files (as the
// menu and Windows programs do) costs one request, not one for each file.
void DiscFileSystem::ReadDirPlus(fuse_req_t request, fuse_ino_t inode, size_t size, off_t offset,
                                 fuse_file_info*) {
  List(request, inode, size, offset, true);
}

void DiscFileSystem::List(fuse_req_t request, fuse_ino_t inode, size_t size, off_t offset, bool plus) {
  const DiscFileSystem& self = Of(request);
  const DiscTree& tree = self.disc_.tree();
  const DiscEntry& folder = tree.entry(EntryOf(inode));
  const std::size_t extras = inode == FUSE_ROOT_ID ? self.extras_.size() : 0;
  // Positions: 0 ".", 1 "..", then the folder's entries, then (in the root) the extra files.
  const std::size_t count = 2 + folder.child_count + extras;
  std::vector<char> reply(size);
  std::size_t used = 0;
  for (auto position = static_cast<std::size_t>(offset); position < count; ++position) {
    struct stat status {};
    const char* name;
    if (position < 2) {
      name = position == 0 ? "." : "..";
      status.st_ino = position == 0 ? inode : folder.parent + 1;
      status.st_mode = S_IFDIR;
    } else if (position < 2 + folder.child_count) {
      const std::uint32_t child = folder.first_child + static_cast<std::uint32_t>(position - 2);
      name = tree.entry(child).name.c_str();
      status.st_ino = child + 1;
      status.st_mode = tree.entry(child).kind == EntryKind::kFolder ? S_IFDIR : S_IFREG;
    } else {
      const std::size_t extra = position - 2 - folder.child_count;
      name = self.extras_[extra].name;
      status.st_ino = tree.size() + 1 + extra;
      status.st_mode = S_IFREG;
    }
    std::size_t needed = 0;
    if (plus) {
      fuse_entry_param entry{};
      entry.ino = status.st_ino;
      entry.attr = position < 2 ? status : self.Attributes(status.st_ino);
      entry.attr_timeout = kForever;
      entry.entry_timeout = kForever;
      needed = fuse_add_direntry_plus(request, reply.data() + used, size - used, name, &entry,
                                      static_cast<off_t>(position + 1));
    } else {
      needed = fuse_add_direntry(request, reply.data() + used, size - used, name, &status,
                                 static_cast<off_t>(position + 1));
    }
    if (needed > size - used) break;
    used += needed;
  }
  fuse_reply_buf(request, reply.data(), used);
}

void DiscFileSystem::StatFs(fuse_req_t request, fuse_ino_t) {
  const DiscFileSystem& self = Of(request);
  struct statvfs status {};
  status.f_bsize = status.f_frsize = kSectorSize;
  status.f_blocks = self.disc_.layout().sector_count;
  status.f_files = self.disc_.tree().size() + self.extras_.size();
  status.f_namemax = 255;
  status.f_flag = ST_RDONLY;
  fuse_reply_statfs(request, &status);
}

}  // namespace norva::platform::image
