// The bytes of one private-profile (INI) file held in memory, read and edited with the Windows semantics.
//
// Parsing never fails: every byte sequence is a document. Lines end in CR LF, LF or a lone CR. The encoding
// follows the byte-order mark, as Windows reads profiles: UTF-8 (EF BB BF) or UTF-16 little- or big-endian
// (FF FE, FE FF) make a Unicode document, whose texts (names, values, lines) are UTF-8 in memory and which
// Serialize() gives back in its own encoding with its mark; anything else is an ANSI document whose texts
// are the file's bytes. Each line is trimmed of blanks (IsIniBlank) before it is
// classified: empty, a comment (first character ';'), a section header ('[' up to the last ']' on the line,
// the name trimmed) or a key line (the name before the first '=', the value after it; a line without '=' is a
// key without a value). Everything after a NUL byte on a line is ignored when the line is classified, as the
// C functions of Windows see it, but kept in the bytes. Lines before the first header belong to no section
// and cannot be queried.
//
// Lookups and edits address the first section of a name and the first key of a name in it; names match under
// IniNamesEqual (IniNamesEqualUtf8 in a Unicode document) after trimming. Edits change only the lines they
// address: Serialize() gives back every other line byte for byte.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ini_text.h"

namespace norva::platform {

enum class IniEncoding { kAnsi, kUtf8, kUtf16Le, kUtf16Be };

class IniDocument {
 public:
  enum class Edit { kUnchanged, kChanged, kRefused };

  // An empty ANSI document (a file that does not exist yet).
  IniDocument();
  explicit IniDocument(std::string_view bytes);

  IniEncoding encoding() const { return encoding_; }
  // Texts in and out are UTF-8 rather than the file's ANSI bytes.
  bool unicode() const { return encoding_ != IniEncoding::kAnsi; }
  // Lines refer into the document's own storage, which moves along but is not copied.
  IniDocument(const IniDocument&) = delete;
  IniDocument& operator=(const IniDocument&) = delete;
  IniDocument(IniDocument&&) = default;
  IniDocument& operator=(IniDocument&&) = default;

  // The value of a key line with '=': trimmed, one pair of surrounding quotes (" or ') removed. nullopt when
  // the section or key is missing or the key has no '='. The view lives until the next edit.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  // Find, or the default with its trailing spaces removed (as GetPrivateProfileString returns it).
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;

  bool HasSection(std::string_view section) const;
  // Names of the sections in file order, a repeated section as often as it appears; empty names are skipped.
  std::vector<std::string> SectionNames() const;
  // Names of the keys with '=' of the first section of that name, in file order; empty names are skipped.
  std::vector<std::string> KeyNames(std::string_view section) const;

  // Sets a value. An existing key keeps its line, indentation and spelling; only the text after '=' changes
  // (the value loses its leading blanks). A new key goes after the last key line of its section, a new
  // section with its key at the end of the file. kRefused for names or values that could not be read back as
  // written: a line break or NUL anywhere, a key containing '=' or starting with '[' or ';'.
  Edit Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every line of that key in the first section of that name, so that the key then reads as missing.
  Edit DeleteKey(std::string_view section, std::string_view key);
  // Removes every section of that name with all its lines.
  Edit EraseSection(std::string_view section);

  std::string Serialize() const;

 private:
  enum class Kind { kBlank, kComment, kHeader, kKey, kKeyWithoutValue };

  // All views point into storage_ (or at string literals), so parsing copies no text.
  struct Line {
    std::string_view raw;  // the bytes without the line end
    std::string_view eol;  // "\r\n", "\n", "\r", or "" for a last line without one
    Kind kind = Kind::kBlank;
    std::string_view name;
    std::string_view value;
    // kKey: where the value text starts in raw; kKeyWithoutValue: where the name ends.
    std::size_t value_pos = 0;
  };

  using NameIndex = std::unordered_map<std::string_view, std::size_t, IniNameHash, IniNameEqual>;

  struct Section {
    std::optional<Line> header;  // none for the lines before the first header
    std::vector<Line> lines;
    NameIndex keys;  // first line of each key name
  };

  static Line ParseLine(std::string_view raw, std::string_view eol);
  // Keeps a line's new text alive for as long as the document.
  std::string_view Keep(std::string text);
  void IndexKeys(Section& section) const;
  NameIndex MakeIndex(std::size_t buckets) const;
  bool NamesEqual(std::string_view a, std::string_view b) const;
  void IndexSections();
  const Section* FindSection(std::string_view section) const;
  Line* LastLine();
  void TerminateLastLine();

  std::vector<std::unique_ptr<const std::string>> storage_;  // the file's text, then edited lines
  IniEncoding encoding_ = IniEncoding::kAnsi;
  std::string_view bom_;           // the byte-order mark as the file had it
  std::string odd_byte_;           // a UTF-16 file's odd last byte, written back after the text
  std::string_view eol_;           // line end for new lines: the file's first one, else CR LF
  std::vector<Section> sections_;  // [0] holds the lines before the first header
  NameIndex section_index_;        // first section of each name
};

}  // namespace norva::platform
