// A private-profile (INI) file of the Windows machine, kept as one host file.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_document.h"
#include "platform/ini_file.h"
#include "platform/wine/profile_host_file.h"

namespace norva::platform::wine {

// Reads go to a parsed copy of the file that is read again whenever the file's stamp (size, times, identity)
// changes. Reads ask for the stamp at most once per `recheck` interval, so that a burst of reads (the catalog
// load reads thousands of keys) costs one stat(), and edits by other programs are seen within that interval.
// Writes always start from the file as it is at that moment, so they never undo another program's edit. Each
// write that changes something rewrites the whole file atomically; writing what the file already says writes
// nothing.
// A missing file reads as empty and the first write creates it; a file that exists but cannot be read reads
// as empty and is never written, so that its contents are not lost. One thread at a time.
class PrivateProfileFile final : public IniFile {
 public:
  static constexpr std::chrono::milliseconds kDefaultRecheck{20};

  // `dos_name` is what FileName() reports; `host_path` the file on the host, nullopt when the DOS path leads
  // nowhere (the file then reads as empty and every write fails). A `recheck` of zero asks at every call.
  PrivateProfileFile(std::string dos_name, std::optional<std::filesystem::path> host_path,
                     std::chrono::milliseconds recheck = kDefaultRecheck);

  const std::string& FileName() const override { return dos_name_; }
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool DeleteKey(std::string_view section, std::string_view key) override;
  bool EraseSection(std::string_view section) override;
  std::vector<std::string> ReadSections() override;
  std::vector<std::string> ReadSection(std::string_view section) override;
  bool SectionExists(std::string_view section) override;

 private:
  // Brings the parsed copy up to date with the host file; unless `now`, only when the interval has passed.
  void Refresh(bool now = false);
  // Refreshes, applies `edit` to the copy and writes the result when it changed something.
  template <typename EditFn>
  bool Modify(EditFn edit);

  std::string dos_name_;
  std::optional<std::filesystem::path> host_path_;
  std::chrono::steady_clock::duration recheck_;
  std::chrono::steady_clock::time_point checked_at_;
  IniDocument document_;
  std::optional<HostFileStamp> stamp_;  // of the file the copy was parsed from; nullopt forces a read
  bool readable_ = true;                // false when the file exists but could not be read
};

}  // namespace norva::platform::wine
