// Drives the menu from a script: start-up, then one command per line as the menu asks for input, with modal
// dialogs answered by the lines that follow them. The clock is virtual and moves only with `wait`.
#pragma once

#include <ostream>

#include "components/clock.h"
#include "headless/headless_host.h"
#include "headless/script.h"
#include "menu/dir_chooser.h"
#include "menu/main_form.h"
#include "menu/unpack_form.h"

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
  // Runs lines for the open directory chooser until it closes.
  void RunChooser(DialogRecord& dialog, menu::DirChooser& chooser);
  void Chooser(const ScriptLine& line, DialogRecord& dialog, menu::DirChooser& chooser);
  // Runs lines for the open unpack window until its unpacking has run.
  void RunUnpack(DialogRecord& dialog, menu::UnpackForm& form);
  // A line that does not address the open dialog while the dialog's own timer is due to act: the time
  // passes until it acts, and the line goes to what that brings up. False when no timer is pending.
  bool LetDialogTimerAct(const ScriptLine& line, components::Timer& timer);
  // Script text (UTF-8) in the edition's code page.
  std::string Ansi(const std::string& utf8) const;
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
  // The open unpack window's message pumps so far, and the one that gets an Esc (0: none).
  long long unpack_pumps_ = 0;
  long long unpack_esc_at_ = 0;
  int pointer_x_ = 0;
  int pointer_y_ = 0;
};

}  // namespace norva::headless
