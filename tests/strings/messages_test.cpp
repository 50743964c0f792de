#include "strings/messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "strings/message_tables.h"

namespace norva::strings {
namespace {

// strings.ini in memory: only [MAIN] reads matter here; the value can change between reads.
class FakeStringsIni : public platform::IniFile {
 public:
  std::map<std::string, std::string> main;  // key -> value of section [MAIN]
  int reads = 0;

  const std::string& FileName() const override { return name_; }
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) override {
    ++reads;
    if (section != "MAIN") return std::string(default_value);
    const auto it = main.find(std::string(key));
    return it == main.end() ? std::string(default_value) : it->second;
  }
  bool WriteString(std::string_view, std::string_view, std::string_view) override { return false; }
  bool DeleteKey(std::string_view, std::string_view) override { return false; }
  bool EraseSection(std::string_view) override { return false; }
  std::vector<std::string> ReadSections() override { return {}; }
  std::vector<std::string> ReadSection(std::string_view) override { return {}; }
  bool SectionExists(std::string_view section) override { return section == "MAIN"; }

 private:
  std::string name_ = "D:\\NORVA\\strings.ini";
};

constexpr int kCompiledLanguages[] = {0, 1, 3, 4, 5, 6};
constexpr int kUsedOffsets[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 13, 14, 15, 16, 31, 32, 33, 34,
                                35, 40, 41, 50, 51, 52, 53, 54, 55, 61, 73, 74, 75, 76, 77, 78, 80, 81,
                                82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99};

Messages Edition(int edition, platform::IniFile* ini = nullptr) {
  Messages messages;
  messages.SetEdition(edition, ini);
  return messages;
}

int CountOf(std::string_view text, std::string_view part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + part.size()))
    ++count;
  return count;
}

int CodePoints(std::string_view utf8) {
  return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

TEST(MessagesTest, EnglishTextsAreThoseOfTheProgram) {
  const std::vector<std::pair<int, std::string>> expected = {
      {1, "INSTALLED"},
      {2, "DEMOS"},
      {3, "SOFTWARE"},
      {4, "EXTRA"},
      {5, "UPDATES"},
      {6, "DRIVERS"},
      {7, "SHOTS"},
      {8, "TRAILERS"},
      {9, ""},
      {11, "Would you like to delete all files in %1 ?"},
      {13, "All files are stored  in directory \\SHAREWARE"},
      {14, "Would you like to install this demo in %1 ?"},
      {15, "Can''t create directory!"},
      {16, "Directory selection"},
      {31, "Would you like to install this program to %1 ?"},
      {32, "Where do you want to install it?"},
      {33, "Here you can uninstall all programs installed with this engine from any CD!"},
      {34,
       "After uninstallation process some files has been left in directory %1. These are usually savegames, "
       "pictures or temporary files, that wasn't deleted. Do you want to delete them (recommended)?"},
      {35, "Do you really want to delete %1 MB ?"},
      {40, "Installing"},
      {41, "in"},
      {50, "Do you really want to quit this installation?"},
      {51, "There is not enough free space in %1 (%2 MB needed). Install anyway?"},
      {52,
       "Windows programs cannot start on this computer: Wine is not installed. Install Wine (on Debian or "
       "Ubuntu: sudo apt-get install wine) and try again."},
      {53,
       "%1 is a 32-bit Windows program, but the 32-bit part of Wine is not installed. Install it (on Debian "
       "or Ubuntu: sudo dpkg --add-architecture i386 && sudo apt-get update && sudo apt-get install "
       "wine32:i386) and try again."},
      {54, "%1 is not a Windows program that Wine can run (a DOS program or a damaged file)."},
      {55,
       "The installation failed: no file could be created in %1 (the folder is read-only or "
       "write-protected)."},
      {61,
       "Updates are programs, made by game developers, which corrects \"bugs\" or adds some new features. "
       "Before updating, we recommend you to back-up the original installation."},
      {73, "BORDER PANEL"},
      {74, "EFFECTS"},
      {75, "MUSIC"},
      {76, "DATE OF RELEASE"},
      {77,
       "This month you're listening to music from game Necromania: Trap of Darkness from Darksoft and "
       "Cinemax."},
      {78, "LAST UPDATE"},
      {79, ""},
      {80, "Requires DivX codec (in Drivers)."},
      {81, "RUN"},
      {82, "UNINSTALL"},
      {83, "README"},
      {84, "HOMEPAGE"},
      {85, "VYPNOUT"},
      {86, "UNPLAYABLE"},
      {87, "ZAPNOUT"},
      {88, "3D SUPPORT"},
      {89, "PLAYABLE"},
      {90, "EXIT"},
      {91, "SETTINGS"},
      {92, "STATUS: DISABLED"},
      {93, "STATUS: ENABLED"},
      {94, "Enables border panel and its animations (recommended for resolution higher then 1024x768)."},
      {95,
       "Special effects like tranparency while loading pictures. Owners of slower computers should turn this "
       "off."},
      {96, "INSTALL"},
      {97, "NETPLAY"},
      {98,
       "V \xC8"
       "E\x8ATIN\xCC"},  // "V ČEŠTINĚ" in Windows-1250
      {99, "ILLUMINATION"},
  };
  const Messages english = Edition(0);
  for (const auto& [k, text] : expected) EXPECT_EQ(english.LoadString(k), text) << "k = " << k;
  // Nothing beyond the listed offsets is carried.
  EXPECT_EQ(EnglishMessages().size(), expected.size() - 2);
}

TEST(MessagesTest, EveryCompiledLanguageHoldsEveryUsedOffset) {
  for (int language : kCompiledLanguages) {
    const Messages messages = Edition(language);
    for (int k : kUsedOffsets) {
      const bool english_extra2 = language == 0 && k == 9;
      EXPECT_EQ(messages.LoadString(language * 100 + k).empty(), english_extra2)
          << "language " << language << ", k = " << k;
    }
    EXPECT_EQ(messages.LoadString(language * 100 + 79), "") << "language " << language;
    for (const MessageText& message : BuiltInMessages(language)) {
      EXPECT_TRUE(std::find(std::begin(kUsedOffsets), std::end(kUsedOffsets), message.offset) !=
                  std::end(kUsedOffsets))
          << "language " << language << " carries unused k = " << message.offset;
    }
  }
  EXPECT_EQ(Edition(1).LoadString(109), "ONLINE DEMA");
}

TEST(MessagesTest, PlaceholderStandsInTheSameMessagesAsInEnglish) {
  const Messages english = Edition(0);
  for (int language : kCompiledLanguages) {
    const Messages messages = Edition(language);
    for (int k : kUsedOffsets) {
      const int in_english = CountOf(english.LoadString(k), "%1");
      EXPECT_LE(in_english, 1);
      EXPECT_EQ(CountOf(messages.LoadString(language * 100 + k), "%1"), in_english)
          << "language " << language << ", k = " << k;
    }
  }
  for (int k : {11, 14, 31, 34, 35}) EXPECT_EQ(CountOf(english.LoadString(k), "%1"), 1) << k;
}

TEST(MessagesTest, CompiledTextsAreWindows1250WithoutReplacement) {
  for (int language : kCompiledLanguages) {
    const Messages messages = Edition(language);
    for (const MessageText& message : BuiltInMessages(language)) {
      const std::string ansi = messages.LoadString(language * 100 + message.offset);
      SCOPED_TRACE(testing::Message() << "language " << language << ", k = " << message.offset);
      // One byte per character, and no character fell back to '?'.
      EXPECT_EQ(static_cast<int>(ansi.size()), CodePoints(message.utf8));
      EXPECT_EQ(CountOf(ansi, "?"), CountOf(message.utf8, "?"));
      EXPECT_EQ(platform::AnsiToUtf8(ansi, platform::CodePage::kCentralEuropean), message.utf8);
    }
  }
  // Romanian uses the cedilla letters of the code page: "Doriţi să ştergeţi".
  EXPECT_EQ(Edition(3).LoadString(311).substr(0, 18), "Dori\xFEi s\xE3 \xBAterge\xFEi");
}

TEST(MessagesTest, NumbersOutsideTheCompiledBlocksAreEmpty) {
  const Messages english = Edition(0);
  for (int number : {-1, 0, 10, 100, 205, 299, 700, 1000})
    EXPECT_EQ(english.LoadString(number), "") << number;
  // The number carries the language: an English edition asking for 502 gets the German caption.
  EXPECT_EQ(english.LoadString(502), "DEMOS");
  EXPECT_EQ(english.LoadString(699), Edition(6).LoadString(699));
}

TEST(MessagesTest, TurkishEditionReadsStringsIniEachTime) {
  FakeStringsIni ini;
  ini.main = {{"A202", "DEMOLAR"}, {"A301", "Ocak"}, {"A298", "\xDDPTAL"}};
  const Messages turkish = Edition(2, &ini);

  EXPECT_EQ(turkish.LoadString(202), "DEMOLAR");
  EXPECT_EQ(turkish.LoadString(205), "");          // A205 missing: the Updates caption is empty
  EXPECT_EQ(turkish.LoadString(301), "Ocak");      // date texts lie beyond the block
  EXPECT_EQ(turkish.LoadString(298), "\xDDPTAL");  // Windows-1254 bytes pass unchanged
  EXPECT_EQ(turkish.LoadString(2), "");            // the compiled English block is not consulted

  ini.main["A202"] = "DEMO";
  ini.main["A205"] = "G\xDDNCELLEMELER";
  EXPECT_EQ(turkish.LoadString(202), "DEMO");
  EXPECT_EQ(turkish.LoadString(205), "G\xDDNCELLEMELER");

  const std::string long_text(400, 'x');
  ini.main["A211"] = long_text + " %1 ?";
  EXPECT_EQ(turkish.LoadSpecial(211, "C:\\OYUN"), long_text + " C:\\OYUN ?");
}

TEST(MessagesTest, TurkishEditionWithoutStringsIniIsEmpty) {
  EXPECT_EQ(Edition(2).LoadString(202), "");
  EXPECT_EQ(Edition(2).LoadString(250), "");
  EXPECT_EQ(Edition(2).LoadSpecial(211, "x"), "");
}

TEST(MessagesTest, TurkishMessagesNewerThanStringsIniHaveBuiltInTexts) {
  FakeStringsIni ini;
  ini.main = {{"A202", "DEMOLAR"}};
  // The free-space question is not in the discs' strings.ini: the program carries it (Windows-1254).
  EXPECT_EQ(Edition(2, &ini).LoadSpecial(251, "C:\\OYUN"),
            "C:\\OYUN i\xE7inde yeterli bo\xFE alan yok (%2 MB gerekli). Yine de kurulsun mu?");
  EXPECT_EQ(Edition(2).LoadString(251), Edition(2, &ini).LoadString(251));
  EXPECT_EQ(Edition(2).LoadString(255).substr(0, 18),
            "Kurulum ba\xFE"
            "ar\xFDs\xFDz:");
  ini.main["A251"] = "YER YOK %1";  // a disc that has it wins
  EXPECT_EQ(Edition(2, &ini).LoadString(251), "YER YOK %1");
  ini.main["A251"] = "";
  EXPECT_EQ(Edition(2, &ini).LoadString(251), "");
}

TEST(MessagesTest, StringsIniIsIgnoredOutsideTheTurkishEdition) {
  FakeStringsIni ini;
  ini.main = {{"A2", "FROM FILE"}};
  Messages messages;
  messages.SetEdition(2, &ini);
  EXPECT_EQ(messages.LoadString(2), "FROM FILE");
  messages.SetEdition(0, &ini);
  const int reads = ini.reads;
  EXPECT_EQ(messages.LoadString(2), "DEMOS");
  EXPECT_EQ(ini.reads, reads);
}

TEST(MessagesTest, LoadSpecialReplacesOnlyTheFirstPlaceholder) {
  const Messages english = Edition(0);
  EXPECT_EQ(english.LoadSpecial(14, "C:\\GAMES\\"), "Would you like to install this demo in C:\\GAMES\\ ?");
  EXPECT_EQ(english.LoadSpecial(35, "12"), "Do you really want to delete 12 MB ?");
  EXPECT_EQ(english.LoadSpecial(2, "C:\\GAMES\\"), "DEMOS");  // no placeholder: unchanged
  EXPECT_EQ(english.LoadSpecial(9, "x"), "");
  EXPECT_EQ(english.LoadSpecial(14, ""), "Would you like to install this demo in  ?");
  // A value that itself holds "%1" is inserted as it is, not expanded again.
  EXPECT_EQ(english.LoadSpecial(11, "%1%1"), "Would you like to delete all files in %1%1 ?");

  FakeStringsIni ini;
  ini.main = {{"A211", "%1 ve %1"}};
  EXPECT_EQ(Edition(2, &ini).LoadSpecial(211, "A"), "A ve %1");
}

TEST(MessagesTest, LongValuesMakeTextsOverTheOldLengthLimit) {
  const std::string dir = "C:\\" + std::string(280, 'D');
  const std::string text = Edition(1).LoadSpecial(134, dir);
  const std::string plain = Edition(1).LoadString(134);
  ASSERT_EQ(text.size(), plain.size() - 2 + dir.size());
  EXPECT_NE(text.find(dir), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 10), plain.substr(plain.size() - 10));
}

}  // namespace
}  // namespace norva::strings
