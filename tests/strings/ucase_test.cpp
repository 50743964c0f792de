#include "strings/ucase.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace norva::strings {
namespace {

TEST(UCaseTest, CzechWordsBecomeCapitals) {
  // "příliš žluťoučký kůň" / "PŘÍLIŠ ŽLUŤOUČKÝ KŮŇ" in Windows-1250.
  EXPECT_EQ(UCase("p\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2"),
            "P\xD8\xCDLI\x8A \x8ELU\x8DOU\xC8K\xDD K\xD9\xD2");
}

TEST(UCaseTest, ChangesOnlyAsciiLettersAndTheFourteenCentralEuropeanOnes) {
  const std::set<int> lower_national = {0x9A, 0x9D, 0x9E, 0xE1, 0xE8, 0xE9, 0xEC,
                                        0xED, 0xF2, 0xF3, 0xF8, 0xF9, 0xFA, 0xFD};
  for (int b = 0; b < 256; ++b) {
    const std::string in(1, static_cast<char>(b));
    const std::string out = UCase(in);
    ASSERT_EQ(out.size(), 1u) << b;
    const int got = static_cast<unsigned char>(out[0]);
    if (b >= 'a' && b <= 'z') {
      EXPECT_EQ(got, b - 32) << b;
    } else if (lower_national.count(b) != 0) {
      // Each of these capitals sits 0x10 or 0x20 below its small letter in the code page.
      EXPECT_EQ(got, b < 0xC0 ? b - 0x10 : b - 0x20) << b;
    } else {
      EXPECT_EQ(got, b) << b;
    }
  }
  // ä ô ľ ö ü keep their case.
  EXPECT_EQ(UCase("\xE4\xF4\xBE\xF6\xFC"), "\xE4\xF4\xBE\xF6\xFC");
}

TEST(UCaseTest, LongTextAndEmbeddedZeroAreHandledWhole) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += (i % 2 == 0) ? 'a' : '\xE8';
  const std::string upper = UCase(text);
  ASSERT_EQ(upper.size(), 300u);
  for (int i = 0; i < 300; ++i) EXPECT_EQ(upper[i], (i % 2 == 0) ? 'A' : '\xC8') << i;

  EXPECT_EQ(UCase(std::string("a\0b", 3)), std::string("A\0B", 3));
  EXPECT_EQ(UCase(""), "");
}

}  // namespace
}  // namespace norva::strings
