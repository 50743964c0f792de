// Drives the menu from a script: start-up, then one command per line as the menu asks for input, with modal
// dialogs answered by the lines that follow them. The clock is virtual and moves only with `wait`.
#pragma once

#include <ostream>

#include "components/clock.h"
#include "headless/headless_host.h"
#include "headless/script.h"
#include "menu/main_form.h"

namespace norva::headless {

class HeadlessDriver {
 public:
  // Nothing is owned. `out` gets the dumps, `err` the script errors.
  HeadlessDriver(menu::MainForm& form, HeadlessHost& host, components::Clock& clock, Script& script,
                 std::ostream& out, std::ostream& err);

  // Runs the program to its end and returns the exit status: 0 after a normal end, 1 when the menu ended
  // itself with an error message, 2 after a script error.
  int Run();

 private:
  // Runs one line on the idle menu.
  void Execute(const ScriptLine& line);
  // Runs lines while `dialog` is open, until one answers it; the end of the script leaves it unanswered.
  void RunModal(DialogRecord& dialog);
  // The commands that are allowed at any time; false when the line is none of them.
  bool ExecuteAnyTime(const ScriptLine& line);
  void Answer(const ScriptLine& line, DialogRecord& dialog);
  void Mouse(const ScriptLine& line, components::MouseButton button, bool click);
  void Wheel(const ScriptLine& line);
  void Dump();
  bool Ended() const;

  menu::MainForm& form_;
  HeadlessHost& host_;
  components::Clock& clock_;
  Script& script_;
  std::ostream& out_;
  std::ostream& err_;
  bool script_ended_ = false;
  bool quit_ = false;
  int pointer_x_ = 0;
  int pointer_y_ = 0;
};

}  // namespace norva::headless
