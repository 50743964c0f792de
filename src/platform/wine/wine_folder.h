// A folder of the Wine prefix held open by its descriptor: listings and changes act on entries relative to it
// (openat, fstatat, unlinkat), so a walk neither resolves a path per entry nor can be sent elsewhere by a
// link that appears while it runs.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/folder.h"

namespace norva::platform::wine {

class WineFolder : public Folder {
 public:
  // Opens the folder at a host path (following links on the way); null when it is no folder.
  static std::unique_ptr<Folder> Open(const std::filesystem::path& host, CodePage code_page);

  ~WineFolder() override;
  WineFolder(const WineFolder&) = delete;
  WineFolder& operator=(const WineFolder&) = delete;

  std::vector<DirEntry> List(bool details) override;
  std::unique_ptr<Folder> Open(std::string_view name) override;
  bool RemoveFile(std::string_view name, bool even_read_only) override;
  bool RemoveDir(std::string_view name) override;
  bool SetReadOnly(std::string_view name, bool read_only) override;

 private:
  WineFolder(int fd, CodePage code_page) : fd_(fd), code_page_(code_page) {}
  // The host name of an ANSI name; empty when it could name something outside this folder.
  std::string HostName(std::string_view name) const;

  int fd_;
  CodePage code_page_;
};

}  // namespace norva::platform::wine
