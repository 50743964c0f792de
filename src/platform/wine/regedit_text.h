// The files of Wine's own registry tools ("Windows Registry Editor Version 5.00", UTF-16LE with a byte-order
// mark): what `reg export` writes, turned into the text of Wine's registry files so that one parser reads
// both, and the files that `regedit /S` imports to change the registry of a running wineserver.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norva::platform::wine {

inline constexpr std::string_view kMachineRootName = "HKEY_LOCAL_MACHINE";
inline constexpr std::string_view kUserRootName = "HKEY_CURRENT_USER";

// An export of the root `root_name` (its bytes as the file holds them) as the UTF-8 text of Wine's registry
// file of that branch: key paths relative to the root, values as exported. Keys of other roots are left
// out. nullopt when the bytes are no export.
std::optional<std::string> WineTextFromExport(std::string_view bytes, std::string_view root_name);

// Changes collected for one import. Paths and texts are UTF-8; a path is relative to its root.
class RegeditScript {
 public:
  // Deletes the key with all its subkeys.
  void DeleteKey(std::string_view root_name, std::string_view path);
  // An empty name deletes the key's default value.
  void DeleteValue(std::string_view root_name, std::string_view path, std::string_view name);
  // A string value (REG_SZ); the key is created when missing.
  void SetString(std::string_view root_name, std::string_view path, std::string_view name,
                 std::string_view value);

  bool empty() const { return text_.empty(); }
  // The file to import: UTF-16LE with its byte-order mark.
  std::string Bytes() const;

 private:
  std::string text_;  // the blocks after the header, UTF-8
};

// A name or text escaped for Wine's registry files: '\', '"', '[' and ']' behind a '\', control characters
// as C escapes, everything outside ASCII as \x with four hex digits, so that the text is plain ASCII as Wine
// writes it. For a key path, the separators come out as the "\\" the files use.
std::string EscapeRegText(std::string_view utf8);

}  // namespace norva::platform::wine
