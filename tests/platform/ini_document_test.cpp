#include "platform/ini_document.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace norva::platform {
namespace {

using namespace std::string_literals;
using Edit = IniDocument::Edit;
using Names = std::vector<std::string>;

// Rewrites the CR LF line ends of a test text to the given line end.
std::string WithEol(std::string_view text, std::string_view eol) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "\r\n") {
      out += eol;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

const std::string kStandard =
    "[section1]\r\nname1=val1\r\nname2=\"val2\"\r\nname3\r\nname4=a\r\n[section2]\r\n";

struct ReadCase {
  const char* what;
  std::string file;
  const char* section;
  const char* key;
  const char* default_value;
  std::string expected;
};

// A label that starts with a number names the behaviour of Windows' profile functions it pins, numbered as in
// our ini-semantics notes (gathered from Wine's conformance tests of kernel32).
const ReadCase kReadCases[] = {
    {"1 key case-insensitive", kStandard, "section1", "NaMe1", "default", "val1"},
    {"1 section case-insensitive", kStandard, "SECTION1", "name4", "default", "a"},
    {"2 double quotes stripped", kStandard, "section1", "name2", "default", "val2"},
    {"2 single quotes stripped", "[s]\r\nk='x'\r\n", "s", "k", "d", "x"},
    {"2 unbalanced quote kept", "[s]\r\nk=\"abc\r\n", "s", "k", "d", "\"abc"},
    {"2 mixed quotes kept", "[s]\r\nk=\"abc'\r\n", "s", "k", "d", "\"abc'"},
    {"2 lone quote kept", "[s]\r\nk=\"\r\n", "s", "k", "d", "\""},
    {"2 empty quotes", "[s]\r\nk=\"\"\r\n", "s", "k", "d", ""},
    {"2 one pair only, inside kept", "[s]\r\nk=\"\" x \"\"\r\n", "s", "k", "d", "\" x \""},
    {"3 missing key", kStandard, "section1", "notakey", "default", "default"},
    {"4 missing section", kStandard, "notasection", "name1", "default", "default"},
    {"5 empty section name", kStandard, "", "name1", "default", "default"},
    {"5 empty key name", kStandard, "section1", "", "default", "default"},
    {"6 empty default", kStandard, "section1", "notakey", "", ""},
    {"7 trailing blanks of default", kStandard, "s", "k", "default  ", "default"},
    {"7 inner blanks of default kept", kStandard, "s", "k", "one two  ", "one two"},
    {"7 leading blanks of default kept", kStandard, "s", "k", "  lead", "  lead"},
    {"11 empty section, default empty", kStandard, "section2", "name1", "", ""},
    {"12 empty value is a value", "[s]\r\nname2=\r\n", "s", "name2", "default", ""},
    {"12 key without = gives default", kStandard, "section1", "name3", "default", "default"},
    {"13 line and value trimmed", "[s]\r\n   Key   =   some value   \r\n", "s", "key", "d", "some value"},
    {"13 tabs and Ctrl-Z are blanks", "[s]\r\n\tk\t=\tv w\x1A\r\n\x1A", "s", "k", "d", "v w"},
    {"13 requested names trimmed", kStandard, "  section1 ", " name1 ", "d", "val1"},
    {"13 header name trimmed", "[  s  ]\r\nk=v\r\n", "s", "k", "d", "v"},
    {"14 split at the first =", "[s]\r\nurl=a=b\r\n", "s", "url", "d", "a=b"},
    {"15 inline comment kept", "[s]\r\nk=v ; note\r\n", "s", "k", "d", "v ; note"},
    {"15 comment line is no key", "[s]\r\n;k=1\r\n", "s", ";k", "d", "d"},
    {"15 indented comment", "[s]\r\n   ;k=1\r\nk=2\r\n", "s", "k", "d", "2"},
    {"15 # starts a key", "[s]\r\n#x=1\r\n", "s", "#x", "d", "1"},
    {"16 first duplicate key wins", "[s]\r\na=1\r\na=2\r\n", "s", "a", "d", "1"},
    {"16 first line decides even without =", "[s]\r\na\r\na=2\r\n", "s", "a", "d", "d"},
    {"17 later duplicate section not searched", "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n", "s", "b", "d", "d"},
    {"18 name runs to the last ]", "[a]b] tail\r\nk=v\r\n", "a]b", "k", "d", "v"},
    {"18 [ without ] is a key line", "[s]\r\n[abc=5\r\n", "s", "[abc", "d", "5"},
    {"19 lines before the first section", "key=val\r\n[s]\r\n", "", "key", "d", "d"},
    {"19 [] names the empty section", "key=x\r\n[]\r\nkey=val_e_section\r\n", "", "key", "d",
     "val_e_section"},
    {"20 empty key name", "[s]\r\n=val_no_key\r\n", "s", "", "d", "val_no_key"},
    {"21 UTF-8 BOM", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "d", "v"},
    {"NUL ends what a line says", "[s]\r\nk=ab\0cd\r\nm=1\r\n"s, "s", "k", "d", "ab"},
    {"NUL line does not hide the next", "[s]\r\nk=ab\0cd\r\nm=1\r\n"s, "s", "m", "d", "1"},
    {"accented names fold",
     "[\xC8"
     "ESK\xC9]\r\n\x8Aipka=1\r\n",
     "\xE8"
     "esk\xE9",
     "\x9A"
     "IPKA",
     "d", "1"},
    {"last line without line end", "[s]\r\nk=v", "s", "k", "d", "v"},
};

TEST(IniDocumentRead, WindowsProfileSemanticsForEveryLineEnd) {
  for (const std::string_view eol : {"\r\n", "\r", "\n"}) {
    for (const ReadCase& c : kReadCases) {
      const IniDocument document(WithEol(c.file, eol));
      EXPECT_EQ(document.ReadString(c.section, c.key, c.default_value), c.expected)
          << c.what << " (line end "
          << (eol == "\n"   ? "LF"
              : eol == "\r" ? "CR"
                            : "CRLF")
          << ")";
    }
  }
}

TEST(IniDocumentRead, FindTellsMissingFromEmpty) {
  const IniDocument document("[s]\r\nempty=\r\nbare\r\n");
  EXPECT_EQ(document.Find("s", "empty"), std::optional<std::string_view>(""));
  EXPECT_EQ(document.Find("s", "bare"), std::nullopt);
  EXPECT_EQ(document.Find("s", "none"), std::nullopt);
}

TEST(IniDocumentRead, LongLinesAreReadWhole) {
  const std::string value(100000, 'x');
  const IniDocument document("[s]\r\nk=" + value + "\r\nnext=1\r\n");
  EXPECT_EQ(document.ReadString("s", "k", ""), value);
  EXPECT_EQ(document.ReadString("s", "next", ""), "1");
}

TEST(IniDocumentEnumerate, KeysSkipLinesWithoutValueCommentsAndBlankNames) {
  // 23: name2 with an empty value is listed, name3 without '=' is not.
  const IniDocument document(
      "[s]\r\nname1=val1\r\nname2=\r\nname3\r\n;c=1\r\n=blank\r\nname4=val4\r\nNAME1=again\r\n[t]\r\nx="
      "1\r\n");
  EXPECT_EQ(document.KeyNames("S"), (Names{"name1", "name2", "name4", "NAME1"}));
  EXPECT_EQ(document.KeyNames("missing"), Names{});
}

TEST(IniDocumentEnumerate, SectionsInFileOrderWithTrimmedNamesAndRepeats) {
  EXPECT_EQ(IniDocument(kStandard).SectionNames(), (Names{"section1", "section2"}));
  EXPECT_EQ(IniDocument("pre=1\r\n[ section1 ]\r\n[section2]\r\n[]\r\n[Section1]\r\n").SectionNames(),
            (Names{"section1", "section2", "Section1"}));
  EXPECT_EQ(IniDocument("").SectionNames(), Names{});
  const IniDocument document("[a]\r\n[]\r\n");
  EXPECT_TRUE(document.HasSection(" A "));
  EXPECT_TRUE(document.HasSection(""));
  EXPECT_FALSE(document.HasSection("b"));
}

struct WriteStep {
  enum Op { kSet, kDelete, kErase } op;
  const char* section;
  const char* key;
  const char* value;
  Edit result;
};

struct WriteCase {
  const char* what;
  std::string before;
  std::vector<WriteStep> steps;
  std::string after;
};

const std::string kFiveKeys =
    "[App1]\r\nkey1=string1\r\nkey2=string2\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n[App3]\r\nkey5="
    "string5\r\n";

const WriteCase kWriteCases[] = {
    {"33 successive writes to a new file",
     "",
     {{WriteStep::kSet, "App1", "key1", "string1", Edit::kChanged},
      {WriteStep::kSet, "App1", "key2", "string2", Edit::kChanged},
      {WriteStep::kSet, "App1", "key3", "string3", Edit::kChanged},
      {WriteStep::kSet, "App2", "key4", "string4", Edit::kChanged},
      {WriteStep::kSet, "App3", "key5", "string5", Edit::kChanged}},
     kFiveKeys},
    {"34 delete a key, then again",
     kFiveKeys,
     {{WriteStep::kDelete, "App1", "key2", nullptr, Edit::kChanged},
      {WriteStep::kDelete, "App1", "key2", nullptr, Edit::kUnchanged},
      {WriteStep::kDelete, "Nowhere", "key2", nullptr, Edit::kUnchanged}},
     "[App1]\r\nkey1=string1\r\nkey3=string3\r\n[App2]\r\nkey4=string4\r\n[App3]\r\nkey5=string5\r\n"},
    {"35 erase sections",
     kFiveKeys,
     {{WriteStep::kErase, "app1", nullptr, nullptr, Edit::kChanged},
      {WriteStep::kErase, "App2", nullptr, nullptr, Edit::kChanged},
      {WriteStep::kErase, "App2", nullptr, nullptr, Edit::kUnchanged}},
     "[App3]\r\nkey5=string5\r\n"},
    {"36 deleting the last key keeps the section",
     "[App3]\r\nkey5=string5\r\n",
     {{WriteStep::kDelete, "App3", "key5", nullptr, Edit::kChanged}},
     "[App3]\r\n"},
    {"37 empty value", "", {{WriteStep::kSet, "App", "key", "", Edit::kChanged}}, "[App]\r\nkey=\r\n"},
    {"43 bytes before the first section kept",
     "Data \0 before \0 first \0 section"s,
     {{WriteStep::kSet, "section1", "key1", "string1", Edit::kChanged}},
     "Data \0 before \0 first \0 section\r\n[section1]\r\nkey1=string1\r\n"s},
    {"44 update in place keeps spelling, spacing and position",
     "[S]\r\n  MyKey   =   old  \r\nother=1\r\n",
     {{WriteStep::kSet, "s", "mykey", "  new value", Edit::kChanged}},
     "[S]\r\n  MyKey   =   new value\r\nother=1\r\n"},
    {"44 same value again is no change",
     "[s]\r\nk = \"v\"  \r\nn=v\r\n",
     {{WriteStep::kSet, "s", "k", "\"v\"", Edit::kUnchanged},
      {WriteStep::kSet, "s", "n", " v ", Edit::kUnchanged}},
     "[s]\r\nk = \"v\"  \r\nn=v\r\n"},
    {"key without = gets its value",
     "[s]\r\n  bare  \r\n",
     {{WriteStep::kSet, "s", "BARE", "1", Edit::kChanged}},
     "[s]\r\n  bare=1\r\n"},
    {"new key after the last key line, before blanks and comments",
     "; head\r\n\r\n[a]\r\nx=1\r\n\r\n; about b\r\n[b]\r\ny=2\r\n",
     {{WriteStep::kSet, "a", "z", "3", Edit::kChanged}},
     "; head\r\n\r\n[a]\r\nx=1\r\nz=3\r\n\r\n; about b\r\n[b]\r\ny=2\r\n"},
    {"new key right after the header of a section without keys",
     "[a]\r\n; note\r\n[b]\r\n",
     {{WriteStep::kSet, "a", "k", "v", Edit::kChanged}},
     "[a]\r\nk=v\r\n; note\r\n[b]\r\n"},
    {"LF file gets LF lines, missing last line end added",
     "[a]\nx=1",
     {{WriteStep::kSet, "a", "y", "2", Edit::kChanged}, {WriteStep::kSet, "b", "z", "3", Edit::kChanged}},
     "[a]\nx=1\ny=2\n[b]\nz=3\n"},
    {"header as the unterminated last line",
     "[a]",
     {{WriteStep::kSet, "A", "k", "v", Edit::kChanged}},
     "[a]\r\nk=v\r\n"},
    {"BOM and untouched lines kept",
     "\xEF\xBB\xBF; c\r\n[s]\r\n\tk\t=\t1\r\n",
     {{WriteStep::kSet, "t", "k", "2", Edit::kChanged}},
     "\xEF\xBB\xBF; c\r\n[s]\r\n\tk\t=\t1\r\n[t]\r\nk=2\r\n"},
    {"writes go to the first of duplicate keys and sections",
     "[s]\r\na=1\r\na=2\r\n[S]\r\na=3\r\n",
     {{WriteStep::kSet, "s", "a", "9", Edit::kChanged}},
     "[s]\r\na=9\r\na=2\r\n[S]\r\na=3\r\n"},
    {"delete removes every line of the key in the first section",
     "[s]\r\na=1\r\nb\r\nA=2\r\n[s]\r\na=3\r\n",
     {{WriteStep::kDelete, "s", "a", nullptr, Edit::kChanged}},
     "[s]\r\nb\r\n[s]\r\na=3\r\n"},
    {"erase removes every section of the name",
     "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n",
     {{WriteStep::kErase, "s", nullptr, nullptr, Edit::kChanged}},
     "[t]\r\n"},
    {"names are trimmed before they are written",
     "",
     {{WriteStep::kSet, " s ", " k ", "v", Edit::kChanged}, {WriteStep::kSet, "s", "k", "w", Edit::kChanged}},
     "[s]\r\nk=w\r\n"},
    {"writes that could not be read back are refused",
     "[s]\r\n",
     {{WriteStep::kSet, "s", "a=b", "v", Edit::kRefused},
      {WriteStep::kSet, "s", ";a", "v", Edit::kRefused},
      {WriteStep::kSet, "s", "[a]", "v", Edit::kRefused},
      {WriteStep::kSet, "s", "k", "line\r\n[x]", Edit::kRefused},
      {WriteStep::kSet, "s\n[t]", "k", "v", Edit::kRefused},
      {WriteStep::kSet, "s", "k\rx", "v", Edit::kRefused}},
     "[s]\r\n"},
};

TEST(IniDocumentWrite, EditsChangeOnlyTheLinesTheyAddress) {
  for (const WriteCase& c : kWriteCases) {
    IniDocument document(c.before);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const WriteStep& step = c.steps[i];
      Edit result = Edit::kRefused;
      switch (step.op) {
        case WriteStep::kSet:
          result = document.Set(step.section, step.key, step.value);
          break;
        case WriteStep::kDelete:
          result = document.DeleteKey(step.section, step.key);
          break;
        case WriteStep::kErase:
          result = document.EraseSection(step.section);
          break;
      }
      EXPECT_EQ(result, step.result) << c.what << ", step " << i;
    }
    EXPECT_EQ(document.Serialize(), c.after) << c.what;
  }
}

TEST(IniDocumentWrite, EditsAreVisibleToLaterLookups) {
  IniDocument document("[s]\r\na=1\r\nb\r\n");
  ASSERT_EQ(document.Set("s", "b", "2"), Edit::kChanged);
  ASSERT_EQ(document.Set("s", "c", "3"), Edit::kChanged);
  ASSERT_EQ(document.Set("file_section", "k", "4"), Edit::kChanged);
  EXPECT_EQ(document.ReadString("s", "b", "d"), "2");
  EXPECT_EQ(document.ReadString("S", "C", "d"), "3");
  EXPECT_EQ(document.ReadString("FILE_SECTION", "k", "d"), "4");
  EXPECT_EQ(document.KeyNames("s"), (Names{"a", "b", "c"}));
  EXPECT_EQ(document.SectionNames(), (Names{"s", "file_section"}));  // 28: new sections come last

  ASSERT_EQ(document.DeleteKey("s", "a"), Edit::kChanged);
  EXPECT_EQ(document.ReadString("s", "a", "gone"), "gone");
  EXPECT_EQ(document.ReadString("s", "c", "d"), "3");
  ASSERT_EQ(document.EraseSection("s"), Edit::kChanged);
  EXPECT_FALSE(document.HasSection("s"));
  EXPECT_EQ(document.ReadString("file_section", "k", "d"), "4");
  ASSERT_EQ(document.Set("s", "x", "5"), Edit::kChanged);
  EXPECT_EQ(document.SectionNames(), (Names{"file_section", "s"}));
  EXPECT_EQ(document.Serialize(), "[file_section]\r\nk=4\r\n[s]\r\nx=5\r\n");
}

TEST(IniDocumentWrite, UntouchedBytesSurviveAParseAndSerialise) {
  const std::string odd =
      "\xEF\xBB\xBFjunk before\r\n\r\n  [ A ]  trailing\n\tk = v \r;c\r\n\r\n=x\r\n[b\r\nlast=\0x\x1A"s;
  IniDocument document(odd);
  EXPECT_EQ(document.Serialize(), odd);
  ASSERT_EQ(document.Set("other", "k", "v"), Edit::kChanged);
  EXPECT_EQ(document.Serialize().substr(0, odd.size()), odd);
}

}  // namespace
}  // namespace norva::platform

namespace norva::platform {
namespace {

// The UTF-16 bytes of an ASCII/Latin text with its byte-order mark.
std::string Utf16(std::u16string_view text, bool little_endian) {
  std::string bytes = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += little_endian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST(IniDocumentEncoding, UnicodeFilesAreReadByTheirMarkAndKeepTheirEncoding) {
  for (const bool little_endian : {true, false}) {
    const std::string file =
        Utf16(u"[Main]\r\nMusic=0\r\n[CD0105]\r\nK\u016F\u0148=C:\\Hry\r\n", little_endian);
    IniDocument document(file);
    EXPECT_EQ(document.encoding(), little_endian ? IniEncoding::kUtf16Le : IniEncoding::kUtf16Be);
    EXPECT_EQ(document.Serialize(), file);
    EXPECT_EQ(document.ReadString("main", "music", ""), "0");
    // Names match without regard to case beyond ASCII: "KŮŇ" finds "Kůň".
    EXPECT_EQ(document.ReadString("CD0105", "K\xC5\xAE\xC5\x87", ""), "C:\\Hry");
    ASSERT_EQ(document.Set("Main", "Slow", "1"), IniDocument::Edit::kChanged);
    EXPECT_EQ(document.Serialize(),
              Utf16(u"[Main]\r\nMusic=0\r\nSlow=1\r\n[CD0105]\r\nK\u016F\u0148=C:\\Hry\r\n", little_endian));
  }
  // What UTF-8 cannot hold comes back as it was: a lone surrogate, an odd last byte; and a pair as well.
  const std::string damaged = Utf16(u"[s]\r\nk=\xD800x\U0001F600\r\n", true) + "\x41";
  EXPECT_EQ(IniDocument(damaged).Serialize(), damaged);
  const std::string utf8 = "\xEF\xBB\xBF[S]\nk=v\n";
  IniDocument with_mark(utf8);
  EXPECT_EQ(with_mark.encoding(), IniEncoding::kUtf8);
  EXPECT_EQ(with_mark.Serialize(), utf8);
  EXPECT_FALSE(IniDocument("[S]\nk=v\n").unicode());
}

}  // namespace
}  // namespace norva::platform
