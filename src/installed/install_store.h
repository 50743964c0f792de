// The install store norva.ini: per issue of the disc, which items were installed and where. Its layout is
// shared with every issue of the menu, so the section and key names below must never change:
//
//   [CD<IssueCode>]                       one section per inserted issue, e.g. [CD0105]
//   <Name>=<installed folder>             DirEntry
//   <Name>_=RunFile,RegUninstall,Uninstall,DiscCode
//                                         RecordEntry (commas, never quoted)
//   <Name>__=<uninstaller command line>   UninstallerEntry (only when one is known)
//
// Texts are single-byte strings in the edition's ANSI code page, stored exactly as given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/ini_file.h"

namespace norva::installed {

// "CD" + the four-character issue code.
std::string IssueSection(std::string_view issue_code);

// Whether an issue code may be the [Main] key of its disc label: four letters or digits, the last two (the
// year of MMYY) digits. [Main] also holds the menu's settings (Language, Enhanced, Slow, Music), none of
// which has that form, so a catalog cannot overwrite a setting with its label; and the Installed page looks
// labels up only for issue sections whose year is a number.
bool IsDiscLabelKey(std::string_view issue_code);
std::string DirEntryKey(std::string_view name);          // <Name>
std::string RecordEntryKey(std::string_view name);       // <Name>_
std::string UninstallerEntryKey(std::string_view name);  // <Name>__

// The four fields of a RecordEntry.
struct RecordFields {
  std::string RunFile;       // program file relative to the installed folder
  std::string RegUninstall;  // subkey under the uninstall registry key
  std::string Uninstall;     // the catalog's uninstall command list
  std::string DiscCode;      // see DiscCode() below; may be empty
};

// The fields joined by single commas, in order, without quoting.
std::string FormatRecordEntry(const RecordFields& fields);

// The DiscCode of an item's CD byte: its decimal text when it is 10 or more (an item that runs only from its
// own issue's disc), else empty.
std::string DiscCode(std::uint8_t cd);

// Reads and writes the entries of the inserted issue in the open store. The store file, the INI opener and
// the file system are borrowed and must outlive this object.
class InstallStore {
 public:
  // `windows_dir` is the machine's Windows folder (with or without trailing backslash); `issue_code` that of
  // the inserted disc.
  InstallStore(platform::IniFile& store, platform::IniFiles& ini_files, platform::FileSystem& files,
               std::string windows_dir, std::string issue_code);

  const std::string& IssueCode() const { return issue_code_; }
  platform::IniFile& File() { return store_; }

  // Each write reaches the file at once; false when the store could not be written.
  bool WriteDirEntry(std::string_view name, std::string_view dir);
  bool WriteRecordEntry(std::string_view name, const RecordFields& fields);
  bool WriteUninstallerEntry(std::string_view name, std::string_view command);

  // Removes the three keys of the item (a missing key is no error) from the inserted issue's section, or from
  // the named issue's section.
  void DeleteEntries(std::string_view name);
  void DeleteEntries(std::string_view issue_code, std::string_view name);

  // The item's DirEntry under the inserted issue, else from the read-only legacy stores C:\norva.ini and
  // C:\windows\norva.ini (the latter only when the Windows folder is elsewhere). Empty when none has it.
  std::string ReadStoredDir(std::string_view name);

 private:
  std::string ReadLegacy(std::string_view path, std::string_view name);

  platform::IniFile& store_;
  platform::IniFiles& ini_files_;
  platform::FileSystem& files_;
  std::string windows_dir_;
  std::string issue_code_;
  std::string section_;
};

}  // namespace norva::installed
