// The text rules of private-profile files: which bytes are blanks and when two section or key names are the
// same.
#pragma once

#include <cstddef>
#include <string_view>

namespace norva::platform {

// Blanks as private-profile files count them: space, tab, CR, LF, VT, FF and Ctrl-Z (the DOS end-of-file mark
// found at the end of files copied from CD-ROMs).
bool IsIniBlank(char c);
std::string_view TrimIni(std::string_view text);

// Names match without regard to letter case: ASCII letters and the accented letters of Windows-1250, whose
// upper/lower pairs in 0xC0..0xFE and 0x8A/0x9A, 0x8C/0x9C also cover the Turkish letters of Windows-1254.
bool IniNamesEqual(std::string_view a, std::string_view b);
// The same for names in UTF-8 (files with a byte-order mark), under FoldCase; bytes that are no UTF-8 must
// be equal as they are.
bool IniNamesEqualUtf8(std::string_view a, std::string_view b);

// Hash and equality for maps keyed by names under IniNamesEqual, or IniNamesEqualUtf8 when `utf8`; both
// accept std::string_view lookups.
struct IniNameHash {
  using is_transparent = void;
  bool utf8 = false;
  std::size_t operator()(std::string_view name) const;
};
struct IniNameEqual {
  using is_transparent = void;
  bool utf8 = false;
  bool operator()(std::string_view a, std::string_view b) const {
    return utf8 ? IniNamesEqualUtf8(a, b) : IniNamesEqual(a, b);
  }
};

}  // namespace norva::platform
