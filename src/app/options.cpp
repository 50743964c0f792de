#include "app/options.h"

#include <charconv>

namespace norva::app {

const char kUsage[] =
    "usage: norva [--disc DIR|IMAGE] [--machine DIR] [--runner CMD] [--opener CMD] [--screen WxH]\n"
    "             [--clock HH:MM] [--scale F] [--headless [--script FILE]] [DIR|IMAGE] [T]\n"
    "       norva --check DIR|IMAGE [--json]\n"
    "--scale F: the window F times its size (0.5 to 4), on top of the desktop's own scaling\n"
    "--check: report the faults of the disc's catalog, a line each (--json: a JSON object each); exit "
    "status\n"
    "         0 without errors, 1 with errors, 2 when the disc cannot be read\n"
    "IMAGE: a disc image (.iso, .cue/.bin, .nrg, .mds/.mdf, .ccd/.img), opened for the run without root\n";

namespace {

std::optional<int> ParseNumber(std::string_view text) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// "AxB" split at `separator` into two numbers.
std::optional<std::pair<int, int>> ParsePair(std::string_view text, char separator) {
  const auto at = text.find(separator);
  if (at == std::string_view::npos) return std::nullopt;
  auto first = ParseNumber(text.substr(0, at));
  auto second = ParseNumber(text.substr(at + 1));
  if (!first || !second) return std::nullopt;
  return std::make_pair(*first, *second);
}

std::optional<double> ParseDecimal(std::string_view text) {
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) {
        *error = arg + " needs a value";
        return std::nullopt;
      }
      return args[++i];
    };
    if (arg == "--disc" || arg == "--machine" || arg == "--runner" || arg == "--opener" ||
        arg == "--script" || arg == "--check") {
      auto v = value();
      if (!v) return std::nullopt;
      if (arg == "--disc") {
        if (options.disc) {
          *error = "two discs given: " + *options.disc + " and " + *v;
          return std::nullopt;
        }
        options.disc = *v;
      }
      if (arg == "--machine") options.machine = *v;
      if (arg == "--runner") options.runner = *v;
      if (arg == "--opener") options.opener = *v;
      if (arg == "--script") options.script = *v;
      if (arg == "--check") options.check = *v;
    } else if (arg == "--screen") {
      auto v = value();
      if (!v) return std::nullopt;
      auto size = ParsePair(*v, 'x');
      if (!size || size->first <= 0 || size->second <= 0) {
        *error = "--screen wants WIDTHxHEIGHT, e.g. 1024x768";
        return std::nullopt;
      }
      options.screen_width = size->first;
      options.screen_height = size->second;
    } else if (arg == "--clock") {
      auto v = value();
      if (!v) return std::nullopt;
      auto time = ParsePair(*v, ':');
      if (!time || time->first < 0 || time->first > 23 || time->second < 0 || time->second > 59) {
        *error = "--clock wants HH:MM, e.g. 21:30";
        return std::nullopt;
      }
      options.clock_minutes = time->first * 60 + time->second;
    } else if (arg == "--scale") {
      auto v = value();
      if (!v) return std::nullopt;
      auto scale = ParseDecimal(*v);
      if (!scale || *scale < 0.5 || *scale > 4) {
        *error = "--scale wants a number from 0.5 to 4, e.g. 1.5";
        return std::nullopt;
      }
      options.scale = *scale;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--headless") {
      options.headless = true;
    } else if (arg == "T") {
      options.show_install_commands = true;
    } else if (!arg.starts_with("-")) {
      // A disc folder or image given as it is, as a file manager passes one opened with the menu.
      if (options.disc) {
        *error = "two discs given: " + *options.disc + " and " + arg;
        return std::nullopt;
      }
      options.disc = arg;
    } else {
      *error = "unknown argument: " + arg;
      return std::nullopt;
    }
  }
  if (options.json && !options.check) {
    *error = "--json needs --check";
    return std::nullopt;
  }
  if (options.check && (options.disc || options.headless)) {
    *error = "--check runs alone: it takes the disc itself";
    return std::nullopt;
  }
  if (options.script && !options.headless) {
    *error = "--script needs --headless";
    return std::nullopt;
  }
  return options;
}

}  // namespace norva::app
