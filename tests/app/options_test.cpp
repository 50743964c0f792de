// The command line: every option, and the mistakes a person makes typing it.
#include "app/options.h"

#include <gtest/gtest.h>

namespace norva::app {
namespace {

std::optional<Options> Parse(std::vector<std::string> args, std::string* error = nullptr) {
  std::string ignored;
  return ParseOptions(args, error ? error : &ignored);
}

TEST(ParseOptions, EveryOptionTogether) {
  const auto o = Parse({"--disc", "/media/cd", "--machine", "/tmp/m", "--runner", "wine64 --x", "--opener",
                        "xdg-open", "--screen", "800x600", "--clock", "21:05", "--scale", "1.5", "--headless",
                        "--script", "s.txt", "T"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->disc, "/media/cd");
  EXPECT_EQ(o->machine, "/tmp/m");
  EXPECT_EQ(o->runner, "wine64 --x");
  EXPECT_EQ(o->opener, "xdg-open");
  EXPECT_EQ(o->screen_width, 800);
  EXPECT_EQ(o->screen_height, 600);
  EXPECT_EQ(o->clock_minutes, 21 * 60 + 5);
  EXPECT_EQ(o->scale, 1.5);
  EXPECT_TRUE(o->headless);
  EXPECT_EQ(o->script, "s.txt");
  EXPECT_TRUE(o->show_install_commands);
}

TEST(ParseOptions, ADiscGivenAloneIsTheDisc) {
  const auto o = Parse({"--headless", "/home/u/Norva 12-2006.cue", "T"});
  ASSERT_TRUE(o);
  EXPECT_EQ(o->disc, "/home/u/Norva 12-2006.cue");
  EXPECT_TRUE(o->show_install_commands);
}

TEST(ParseOptions, NothingGivenMeansDefaults) {
  const auto o = Parse({});
  ASSERT_TRUE(o);
  EXPECT_FALSE(o->disc || o->machine || o->runner || o->opener || o->screen_width || o->clock_minutes);
  EXPECT_FALSE(o->headless);
  EXPECT_FALSE(o->show_install_commands);
}

TEST(ParseOptions, MistakesAreExplained) {
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  for (const Case& c :
       {Case{{"--disc"}, "--disc needs a value"}, Case{{"--screen", "1024"}, "WIDTHxHEIGHT"},
        Case{{"--screen", "0x768"}, "WIDTHxHEIGHT"}, Case{{"--screen", "1024x768x2"}, "WIDTHxHEIGHT"},
        Case{{"--clock", "24:00"}, "HH:MM"}, Case{{"--clock", "7:60"}, "HH:MM"},
        Case{{"--clock", "noon"}, "HH:MM"}, Case{{"--script", "s.txt"}, "--script needs --headless"},
        Case{{"--disc", "a.iso", "b.iso"}, "two discs given: a.iso and b.iso"},
        Case{{"a.iso", "--disc", "b"}, "two discs given"}, Case{{"--scale", "0.25"}, "0.5 to 4"},
        Case{{"--scale", "2x"}, "0.5 to 4"}, Case{{"--verbose"}, "unknown argument: --verbose"}}) {
    std::string error;
    EXPECT_FALSE(Parse(c.args, &error)) << c.says;
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace norva::app
