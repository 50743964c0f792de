// Numbered messages of the interface language. Message k of a language is number Language × 100 + k; the
// Turkish edition (2) takes every number from section [MAIN] of strings.ini (key "A<number>"), every other
// edition from the blocks compiled into the program. A missing message is the empty text.
#pragma once

#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace norva::strings {

class Messages {
 public:
  // edition: 0..6 (0 English, 1 Czech, 2 Turkish, 3 Romanian, 4 Slovak, 5 German, 6 Indonesian).
  // strings_ini is borrowed, not owned: it must outlive this object or the next SetEdition. It is consulted
  // only for edition 2 and may be null (every message is then empty).
  void SetEdition(int edition, platform::IniFile* strings_ini);

  // The message with that number, as single-byte text: Windows-1250 from the compiled-in blocks, or the bytes
  // of strings.ini unchanged (Windows-1254) for the Turkish edition. strings.ini is read on every call.
  std::string LoadString(int number) const;

  // LoadString(number) with its first "%1" replaced by value; a message without "%1" is returned unchanged.
  std::string LoadSpecial(int number, std::string_view value) const;

 private:
  int edition_ = 0;
  platform::IniFile* strings_ini_ = nullptr;
};

}  // namespace norva::strings
