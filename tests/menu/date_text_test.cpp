// The release-date text of the detail panel in every interface language.
#include <gtest/gtest.h>

#include "catalog/fake_ini_file.h"
#include "menu/date_text.h"

namespace norva::menu {
namespace {

std::string Date(std::string_view code, int language) {
  strings::Messages messages;
  messages.SetEdition(language, nullptr);
  const DateText date = CreateDate(code, language, messages);
  EXPECT_TRUE(date.ok()) << code << ": " << date.error;
  return date.text;
}

TEST(CreateDate, EnglishCodes) {
  const std::pair<const char*, const char*> cases[] = {
      {"0603", "JUNE 2003"},     {"0998", "SEPT. 98"},
      {"3Q04", "AUTUMN 2004"},   {"1Q05", "SPRING 2005"},
      {"4Q2006", "WINTER 2006"}, {"0003", "OUT NOW"},
      {"?", "UNKNOWN"},          {"?Q", ""},
      {"0337", "MARCH 37"},      {"052005", "MAY 2005"},
      {"9903", "UNKNOWN"},       {"5204", "SUMMER 2004"},
      {"1304", " 2004"},         {"", ""},
      {"06", "JUNE "},           {"1236", "DECEMBER 2036"},
  };
  for (auto [code, text] : cases) EXPECT_EQ(Date(code, 0), text) << code;
}

TEST(CreateDate, SeasonCodeOutsideOneToFourShowsTheYearAlone) {
  EXPECT_EQ(Date("5Q04", 0), "2004");
  EXPECT_EQ(Date("?Q2001", 1), "2001");
}

TEST(CreateDate, BuiltInLanguagesUpperCaseOnlyPlainLetters) {
  EXPECT_EQ(Date("1203", 1), "PROSINEC 2003");
  EXPECT_EQ(Date("0203", 1), "\xDANOR 2003");
  EXPECT_EQ(Date("0003", 1), "JI\x8E VY\x8ALO");
  EXPECT_EQ(Date("0304", 5), "M\xE4RZ 2004") << "the umlaut keeps its case";
  EXPECT_EQ(Date("1Q04", 5), "FR\xFCHLING 2004");
  EXPECT_EQ(Date("1Q04", 3), "PRIM\xE3VAR\xE3 2004");
  EXPECT_EQ(Date("3Q99", 4), "JESE\xF2 99");
  EXPECT_EQ(Date("?", 4), "NEZN\xE1ME");
}

TEST(CreateDate, IndonesianAndUnknownLanguagesShowNoDate) {
  EXPECT_EQ(Date("0603", 6), "");
  EXPECT_EQ(Date("0603", 7), "");
  EXPECT_EQ(Date("?", 6), "");
}

TEST(CreateDate, TurkishNamesComeFromStringsIni) {
  test::FakeIniFile strings_ini(
      "[MAIN]\r\nA301=Ocak\r\nA306=Haziran\r\nA312=Aral\xFDk\r\nA313=\xDDlkbahar\r\nA316=K\xFD\xFE\r\n"
      "A317=\xc7\x31kt\xfd\r\nA318=Bilinmiyor\r\n",
      "D:\\Norva\\strings.ini");
  strings::Messages messages;
  messages.SetEdition(2, &strings_ini);
  auto date = [&](std::string_view code) { return CreateDate(code, 2, messages).text; };
  EXPECT_EQ(date("0603"), "HAZIRAN 2003");
  EXPECT_EQ(date("1203"), "ARAL\xFDK 2003") << "the dotless i of Windows-1254 is not a..z";
  EXPECT_EQ(date("1Q04"), "\xDDLKBAHAR 2004");
  EXPECT_EQ(date("4Q04"), "K\xFD\xFE 2004");
  EXPECT_EQ(date("?"), "BILINMIYOR");
  EXPECT_EQ(date("0704"), " 2004") << "a month missing from strings.ini leaves the blank and the year";
}

TEST(CreateDate, CodesThatAreNotNumbersAreErrors) {
  strings::Messages messages;
  for (const char* code : {"AB03", "0x03", "06x3", "Q103"}) {
    const DateText date = CreateDate(code, 0, messages);
    EXPECT_FALSE(date.ok()) << code;
    EXPECT_EQ(date.text, "") << code;
  }
  EXPECT_NE(CreateDate("AB03", 0, messages).error.find("'AB'"), std::string::npos);
  EXPECT_TRUE(CreateDate("06200x", 0, messages).ok()) << "only a two-character year is converted";
}

}  // namespace
}  // namespace norva::menu
