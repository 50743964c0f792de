// A disc image served as a read-only FUSE file system (the low-level interface: inode numbers are entry
// indexes, so that a lookup is one hash probe). Besides the disc's files the root holds the two files that
// Wine reads for the label and serial of a drive without a device, unless the disc has files of those names.
#pragma once

#define FUSE_USE_VERSION 312
#include <fuse_lowlevel.h>

#include <functional>
#include <string>

#include "platform/image/disc_image.h"

namespace norva::platform::image {

class DiscFileSystem {
 public:
  // `on_ready` runs once the kernel has started the session: the mount is live. The image outlives this.
  DiscFileSystem(const DiscImage& disc, std::function<void()> on_ready);

  // The operations to pass to fuse_session_new with this object as user data.
  static const fuse_lowlevel_ops& Operations();

 private:
  struct ExtraFile {
    const char* name;
    std::string content;
  };

  static DiscFileSystem& Of(fuse_req_t request);
  static void Init(void* user, fuse_conn_info* connection);
  static void Lookup(fuse_req_t request, fuse_ino_t parent, const char* name);
  static void GetAttr(fuse_req_t request, fuse_ino_t inode, fuse_file_info* info);
  static void Open(fuse_req_t request, fuse_ino_t inode, fuse_file_info* info);
  static void Read(fuse_req_t request, fuse_ino_t inode, size_t size, off_t offset, fuse_file_info* info);
  static void OpenDir(fuse_req_t request, fuse_ino_t inode, fuse_file_info* info);
  static void ReadDir(fuse_req_t request, fuse_ino_t inode, size_t size, off_t offset, fuse_file_info* info);
  static void ReadDirPlus(fuse_req_t request, fuse_ino_t inode, size_t size, off_t offset,
                          fuse_file_info* info);
  static void List(fuse_req_t request, fuse_ino_t inode, size_t size, off_t offset, bool plus);
  static void StatFs(fuse_req_t request, fuse_ino_t inode);

  bool IsExtra(fuse_ino_t inode) const { return inode > disc_.tree().size(); }
  const ExtraFile& Extra(fuse_ino_t inode) const { return extras_[inode - disc_.tree().size() - 1]; }
  bool Valid(fuse_ino_t inode) const { return inode >= 1 && inode <= disc_.tree().size() + extras_.size(); }
  struct stat Attributes(fuse_ino_t inode) const;
  void ReplyEntry(fuse_req_t request, fuse_ino_t inode) const;

  const DiscImage& disc_;
  std::function<void()> on_ready_;
  std::vector<ExtraFile> extras_;
  uid_t owner_;
  gid_t group_;
};

}  // namespace norva::platform::image
