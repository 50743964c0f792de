#include "platform/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace norva::platform {
namespace {

// "Příliš žluťoučký kůň úpěl ďábelské ódy. ŠŤŽ" in UTF-8 and in Windows-1250.
constexpr const char* kCzechUtf8 =
    "P\u0159\u00edli\u0161 \u017elu\u0165ou\u010dk\u00fd k\u016f\u0148 \u00fap\u011bl "
    "\u010f\u00e1belsk\u00e9 "
    "\u00f3dy. \u0160\u0164\u017d";
constexpr const char* kCzech1250 =
    "P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 \xFAp\xECl \xEF\xE1\x62\x65lsk\xE9 \xF3\x64y. "
    "\x8A\x8D\x8E";
// "ğĞıİşŞçÇöÖüÜ" in UTF-8 and in Windows-1254.
constexpr const char* kTurkishUtf8 =
    "\u011f\u011e\u0131\u0130\u015f\u015e\u00e7\u00c7\u00f6\u00d6\u00fc\u00dc";
constexpr const char* kTurkish1254 = "\xF0\xD0\xFD\xDD\xFE\xDE\xE7\xC7\xF6\xD6\xFC\xDC";

TEST(CodePage, CzechAndTurkishLettersRoundTrip) {
  EXPECT_EQ(AnsiToUtf8(kCzech1250, CodePage::kCentralEuropean), kCzechUtf8);
  EXPECT_EQ(Utf8ToAnsi(kCzechUtf8, CodePage::kCentralEuropean), kCzech1250);
  EXPECT_EQ(AnsiToUtf8(kTurkish1254, CodePage::kTurkish), kTurkishUtf8);
  EXPECT_EQ(Utf8ToAnsi(kTurkishUtf8, CodePage::kTurkish), kTurkish1254);
}

TEST(CodePage, EveryDefinedByteRoundTrips) {
  for (const CodePage code_page : {CodePage::kCentralEuropean, CodePage::kTurkish}) {
    int defined = 0;
    for (int i = 1; i < 256; ++i) {
      const std::string byte(1, static_cast<char>(i));
      const std::string utf8 = AnsiToUtf8(byte, code_page);
      if (utf8 == "\uFFFD") continue;
      ++defined;
      EXPECT_EQ(Utf8ToAnsi(utf8, code_page), byte) << "byte " << i << " of " << static_cast<int>(code_page);
    }
    EXPECT_GE(defined, 248);  // 1250 leaves 5 bytes undefined, 1254 leaves 7
  }
}

TEST(CodePage, BytesWithoutCharacterBecomeReplacementCharacter) {
  EXPECT_EQ(AnsiToUtf8("a\x81"
                       "b",
                       CodePage::kCentralEuropean),
            "a\uFFFD"
            "b");
  EXPECT_EQ(AnsiToUtf8("\x8E", CodePage::kTurkish), "\uFFFD");          // undefined in 1254 ...
  EXPECT_EQ(AnsiToUtf8("\x8E", CodePage::kCentralEuropean), "\u017D");  // ... Ž in 1250
  EXPECT_EQ(AnsiToUtf8("\x80", CodePage::kTurkish), "\u20AC");
  EXPECT_EQ(AnsiToUtf8(std::string("a\0b", 3), CodePage::kCentralEuropean), std::string("a\0b", 3));
}

TEST(CodePage, CharactersWithoutByteBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToAnsi("\u011f", CodePage::kCentralEuropean), "?");  // ğ is not in 1250
  EXPECT_EQ(Utf8ToAnsi("\u0159", CodePage::kTurkish), "?");          // ř is not in 1254
  EXPECT_EQ(Utf8ToAnsi("x\u65e5\U0001F600y", CodePage::kCentralEuropean), "x??y");
  EXPECT_EQ(Utf8ToAnsi("\u20ac", CodePage::kCentralEuropean), "\x80");
}

TEST(CodePage, MalformedUtf8GivesOneQuestionMarkPerBadByte) {
  EXPECT_EQ(Utf8ToAnsi("a\xC3", CodePage::kCentralEuropean), "a?");            // cut short
  EXPECT_EQ(Utf8ToAnsi("\xC0\xAF", CodePage::kCentralEuropean), "??");         // overlong '/'
  EXPECT_EQ(Utf8ToAnsi("\xED\xA0\x80z", CodePage::kCentralEuropean), "???z");  // surrogate
  EXPECT_EQ(Utf8ToAnsi("\xFF\xC3\xA9", CodePage::kCentralEuropean), "?\xE9");  // bad lead, then é
}

TEST(CodePage, ConversionsFromManyThreadsAgree) {
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &failures] {
      const CodePage code_page = t % 2 == 0 ? CodePage::kCentralEuropean : CodePage::kTurkish;
      const char* ansi = t % 2 == 0 ? kCzech1250 : kTurkish1254;
      const char* utf8 = t % 2 == 0 ? kCzechUtf8 : kTurkishUtf8;
      for (int i = 0; i < 200; ++i) {
        if (AnsiToUtf8(ansi, code_page) != utf8 || Utf8ToAnsi(utf8, code_page) != ansi) ++failures[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(8, 0));
}

}  // namespace
}  // namespace norva::platform
