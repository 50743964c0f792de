// The command line of norva.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace norva::app {

struct Options {
  std::optional<std::string> disc;     // --disc DIR|IMAGE, or DIR|IMAGE alone: started from that disc
  std::optional<std::string> machine;  // --machine DIR: the Windows machine (Wine prefix)
  std::optional<std::string> runner;   // --runner CMD
  std::optional<std::string> opener;   // --opener CMD
  std::optional<int> screen_width;     // --screen WxH
  std::optional<int> screen_height;
  std::optional<int> clock_minutes;  // --clock HH:MM, minutes after midnight
  std::optional<double> scale;       // --scale F: the window's size, times the desktop's scaling
  bool headless = false;
  std::optional<std::string> script;   // --script FILE (headless only)
  bool show_install_commands = false;  // T
  std::optional<std::string> check;    // --check DIR|IMAGE: check the disc's catalog and end
  bool json = false;                   // --json: the check's findings as JSON, one object a line
};

// Parses argv[1..]; on a mistake returns nullopt and sets `error` to a one-line explanation.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error);

extern const char kUsage[];

}  // namespace norva::app
