// A private-profile (INI) file of the Windows machine, kept as one host file.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/ini_document.h"
#include "platform/ini_file.h"
#include "platform/wine/profile_host_file.h"

namespace norva::platform::wine {

// Reads go to a parsed copy of the file that is read again whenever the file's stamp (size, times, identity)
// changes. Reads ask for the stamp at most once per `recheck` interval, so that a burst of reads (the catalog
// load reads thousands of keys) costs one stat(), and edits by other programs are seen within that interval.
// Writes always start from the file as it is at that moment, so they never undo another program's edit. Each
// write that changes something rewrites the whole file atomically; writing what the file already says writes
// nothing. Inside an update (BeginUpdate) the changes are kept as a list of edits and made to the file once,
// when the update ends, again on the file as it is then.
// A missing file reads as empty and the first write creates it; a file that exists but cannot be read (or is
// no regular file) reads as empty and is never written, so that its contents are not lost.
// A file with a byte-order mark (UTF-8, UTF-16) keeps its encoding: names and values are converted between it
// and the machine's ANSI code page, which `code_page` holds (Windows-1250 when null). One thread at a time.
class PrivateProfileFile final : public IniFile {
 public:
  static constexpr std::chrono::milliseconds kDefaultRecheck{20};

  // `dos_name` is what FileName() reports; `host_path` the file on the host, nullopt when the DOS path leads
  // nowhere (the file then reads as empty and every write fails). A `recheck` of zero asks at every call.
  PrivateProfileFile(std::string dos_name, std::optional<std::filesystem::path> host_path,
                     std::chrono::milliseconds recheck = kDefaultRecheck,
                     std::shared_ptr<const CodePage> code_page = nullptr);
  // Ends an update left open.
  ~PrivateProfileFile() override;

  const std::string& FileName() const override { return dos_name_; }
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) override;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  bool DeleteKey(std::string_view section, std::string_view key) override;
  bool EraseSection(std::string_view section) override;
  std::vector<std::string> ReadSections() override;
  std::vector<std::string> ReadSection(std::string_view section) override;
  bool SectionExists(std::string_view section) override;
  void BeginUpdate() override;
  bool EndUpdate() override;

  // How many times the file was rewritten through this object.
  std::size_t rewrites() const { return rewrites_; }

 private:
  // One change, applied to a document of either encoding; texts are held in the ANSI code page.
  using EditFn = std::function<IniDocument::Edit(IniDocument&)>;

  // Brings the parsed copy up to date with the host file; unless `now`, only when the interval has passed.
  // A copy read again gets the changes of the open update once more.
  void Refresh(bool now = false);
  // Refreshes, applies `edit` to the copy and writes the result when it changed something (at the end of
  // the update, inside one).
  bool Modify(EditFn edit);
  bool WriteFile();
  CodePage AnsiCodePage() const;
  // A text of the caller in the document's encoding, and back.
  std::string ToDocument(const IniDocument& document, std::string_view ansi) const;
  std::string FromDocument(std::string_view text) const;

  std::string dos_name_;
  std::optional<std::filesystem::path> host_path_;
  std::chrono::steady_clock::duration recheck_;
  std::shared_ptr<const CodePage> code_page_;
  std::chrono::steady_clock::time_point checked_at_;
  IniDocument document_;
  std::optional<HostFileStamp> stamp_;  // of the file the copy was parsed from; nullopt forces a read
  bool readable_ = true;                // false when the file exists but could not be read
  int update_depth_ = 0;
  std::vector<EditFn> pending_;  // the changes of the open update, in order
  std::size_t rewrites_ = 0;
};

}  // namespace norva::platform::wine
