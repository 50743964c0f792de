// The headless script: one command per line, read lazily so that standard input can drive the menu live.
#pragma once

#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace norva::headless {

struct ScriptLine {
  int number = 0;                  // 1-based line number in the script
  std::vector<std::string> words;  // the line split at blanks; never empty
  std::string
      rest_after_first;  // the text after the first word, trimmed (for "chooser folder PATH" and the like)
};

// A script error: reported with its line number, ends the program with status 2.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

class Script {
 public:
  explicit Script(std::istream& in) : in_(in) {}
  // The next command line, skipping blank lines and lines starting with '#'; nullopt at the end.
  std::optional<ScriptLine> Next();
  // Hands `line` out again on the next call (a line read for one dialog that belongs to what comes next).
  void PushBack(ScriptLine line) { pending_ = std::move(line); }

 private:
  std::istream& in_;
  std::optional<ScriptLine> pending_;
  int line_number_ = 0;
};

}  // namespace norva::headless
