#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "install/lnk_writer.h"
#include "install/shell_linker.h"
#include "strings/ucase.h"

namespace norva::install {
namespace {

using platform::CodePage;

// Files of one folder level under "C:\Programs", matched without regard to case; sizes may be claimed
// larger than the content to stand for huge files.
class FolderFiles : public platform::FileSystem {
 public:
  struct File {
    std::string bytes;
    std::uint64_t claimed_size = 0;
    bool is_dir = false;
  };

  std::optional<std::string> HostPath(std::string_view) override { return std::nullopt; }
  bool FileExists(std::string_view path) override { return Find(path) && !Find(path)->is_dir; }
  bool DirExists(std::string_view path) override { return Find(path) && Find(path)->is_dir; }
  std::optional<std::string> ReadFile(std::string_view path) override {
    ++reads;
    const File* file = Find(path);
    if (!file || file->is_dir) return std::nullopt;
    return file->bytes;
  }
  bool WriteFileAtomic(std::string_view, std::string_view, platform::Error*) override { return false; }
  std::optional<std::vector<platform::DirEntry>> ListDir(std::string_view path) override {
    if (strings::UCase(path) != "C:\\PROGRAMS") return std::nullopt;
    std::vector<platform::DirEntry> entries;
    for (const auto& [name, file] : files) {
      platform::DirEntry entry;
      entry.name = name;
      entry.is_dir = file.is_dir;
      entry.size = file.claimed_size ? file.claimed_size : file.bytes.size();
      entries.push_back(entry);
    }
    return entries;
  }
  bool CreateDir(std::string_view, platform::Error*) override { return false; }
  bool RemoveFile(std::string_view, platform::Error*) override { return false; }
  bool RemoveDir(std::string_view, platform::Error*) override { return false; }
  bool SetReadOnly(std::string_view, bool) override { return false; }
  std::string CurrentDir() override { return "C:\\"; }
  bool SetCurrentDir(std::string_view) override { return true; }

  std::map<std::string, File> files;  // name inside C:\Programs -> file
  int reads = 0;

 private:
  const File* Find(std::string_view path) const {
    for (const auto& [name, file] : files) {
      if (strings::UCase(path) == strings::UCase("C:\\Programs\\" + name)) return &file;
    }
    return nullptr;
  }
};

test::LnkSpec GameLink() {
  test::LnkSpec link;
  link.target = "C:\\Hry\\Hra\\HRA.EXE";
  link.working_dir = "C:\\Hry\\Hra";
  return link;
}

TEST(GetLinkInfo, ReadsTheShortcutWhateverTheCaseOfItsName) {
  FolderFiles files;
  files.files["Hra.lnk"].bytes = test::WriteShellLink(GameLink());
  TLinkInfo info;
  ASSERT_TRUE(GetLinkInfo(files, "C:\\PROGRAMS\\HRA.LNK", CodePage::kCentralEuropean, info));
  EXPECT_EQ(info.Path, "C:\\Hry\\Hra\\HRA.EXE");
  EXPECT_EQ(info.WorkingDirectory, "C:\\Hry\\Hra");
}

TEST(GetLinkInfo, FailsWithAClearedRecordForMissingFoldersHugeAndBrokenFiles) {
  FolderFiles files;
  files.files["Folder.lnk"].is_dir = true;
  files.files["Huge.lnk"] = {test::WriteShellLink(GameLink()), kMaxShellLinkSize + 1, false};
  files.files["Text.lnk"].bytes = "not a shortcut";
  for (const char* path : {"C:\\Programs\\Missing.lnk", "C:\\Programs\\Folder.lnk", "C:\\Programs\\Huge.lnk",
                           "C:\\Programs\\Text.lnk", "C:\\Other\\Hra.lnk", "Hra.lnk", "C:\\Programs\\"}) {
    TLinkInfo info;
    info.Path = "stale";
    info.HasIDList = true;
    EXPECT_FALSE(GetLinkInfo(files, path, CodePage::kCentralEuropean, info)) << path;
    EXPECT_TRUE(info.Path.empty()) << path;
    EXPECT_FALSE(info.HasIDList) << path;
  }
  EXPECT_EQ(files.reads, 1) << "only the small text file is read; the huge one is refused unread";
}

}  // namespace
}  // namespace norva::install
