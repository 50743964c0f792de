// A private-profile (INI) file with the Windows semantics: sections and keys match without regard to letter
// case, the first match wins, values are trimmed and lose one pair of surrounding quotes, missing keys give
// the default. Texts are single-byte strings in the machine's ANSI code page, exactly as the file holds them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace norva::platform {

class IniFile {
 public:
  virtual ~IniFile() = default;

  // The DOS path of the file, e.g. "C:\windows\norva.ini".
  virtual const std::string& FileName() const = 0;

  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 std::string_view default_value) = 0;
  // Every write reaches the file at once and replaces it atomically; the rest of the file is kept byte for
  // byte. False when the file could not be written (the previous file is then whole). Inside an update (see
  // BeginUpdate) a write reaches the file when the update ends.
  virtual bool WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
  virtual bool DeleteKey(std::string_view section, std::string_view key) = 0;
  virtual bool EraseSection(std::string_view section) = 0;
  // Section names in file order.
  virtual std::vector<std::string> ReadSections() = 0;
  // Key names of a section in file order.
  virtual std::vector<std::string> ReadSection(std::string_view section) = 0;
  virtual bool SectionExists(std::string_view section) = 0;

  // One user action (a page's detection, an install) may change many keys; between BeginUpdate and the
  // matching EndUpdate (updates nest; the outermost counts) the writes change the file as reads see it, and
  // the file is rewritten once, when the update ends. A write that could not reach the file (a read-only
  // file) still fails at once. EndUpdate answers whether the file was written. Use IniUpdate rather than
  // the pair, and do not keep an update open while waiting for a program: its changes are not yet on disk.
  virtual void BeginUpdate() {}
  virtual bool EndUpdate() { return true; }

  // The integer reading of the VCL: decimal, or hexadecimal after "0x"/"$"; anything else gives the default.
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t default_value);
  // ReadInteger with the default as 0/1; any non-zero number is true.
  bool ReadBool(std::string_view section, std::string_view key, bool default_value);
  bool WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);
  bool ValueExists(std::string_view section, std::string_view key);
};

// Holds an update of the file (when there is one) for the lifetime of the object.
class IniUpdate {
 public:
  explicit IniUpdate(IniFile* file) : file_(file) {
    if (file_ != nullptr) file_->BeginUpdate();
  }
  ~IniUpdate() {
    // A store that cannot be written keeps its previous state; the callers' writes are guarded anyway.
    if (file_ != nullptr) file_->EndUpdate();
  }
  IniUpdate(const IniUpdate&) = delete;
  IniUpdate& operator=(const IniUpdate&) = delete;

 private:
  IniFile* file_;
};

class IniFiles {
 public:
  virtual ~IniFiles() = default;
  // Opens a private-profile file by DOS path; a bare file name ("norva.ini") means the file in the Windows
  // folder. The file need not exist: reads then give defaults and the first write creates it.
  virtual std::unique_ptr<IniFile> Open(std::string_view path) = 0;
};

}  // namespace norva::platform
