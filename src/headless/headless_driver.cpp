#include "headless/headless_driver.h"

#include <charconv>

#include "components/window.h"
#include "headless/state_dump.h"
#include "platform/code_page.h"
#include "strings/edition_code_page.h"

namespace norva::headless {
namespace {

using components::MouseButton;

std::optional<long long> Number(const std::string& text) {
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

long long NumberArg(const ScriptLine& line, std::size_t index, const char* what) {
  if (index >= line.words.size()) throw ScriptError(line.number, line.words[0] + " needs " + what);
  auto value = Number(line.words[index]);
  if (!value) throw ScriptError(line.number, "not a number: " + line.words[index]);
  return *value;
}

void ExpectWords(const ScriptLine& line, std::size_t least, std::size_t most) {
  if (line.words.size() < least || line.words.size() > most) {
    throw ScriptError(line.number, "wrong number of arguments for " + line.words[0]);
  }
}

// The control's rectangle in window coordinates.
components::Rect WindowRect(const components::Control& control) {
  components::Rect r = control.rect;
  for (auto* owner = control.owner(); owner; owner = owner->owner()) {
    r.left += owner->rect.left;
    r.top += owner->rect.top;
  }
  return r;
}

}  // namespace

HeadlessDriver::HeadlessDriver(menu::MainForm& form, HeadlessHost& host, components::Clock& clock,
                               Script& script, std::ostream& out, std::ostream& err)
    : form_(form), host_(host), clock_(clock), script_(script), out_(out), err_(err) {
  host_.SetModalLoop([this](DialogRecord& dialog) { RunModal(dialog); });
  host_.SetChooserLoop(
      [this](DialogRecord& dialog, menu::DirChooser& chooser) { RunChooser(dialog, chooser); });
  host_.SetUnpackLoop([this](DialogRecord& dialog, menu::UnpackForm& form) { RunUnpack(dialog, form); });
}

bool HeadlessDriver::Ended() const {
  return quit_ || script_ended_ || form_.Terminated();
}

int HeadlessDriver::Run() {
  try {
    form_.FormCreate();
    if (!form_.Terminated()) form_.FormShow();
    // The window comes up as the active application, as it does on a desktop.
    if (!form_.Terminated()) form_.ApplicationActivate();
    while (!Ended()) {
      auto line = script_.Next();
      if (!line) {
        script_ended_ = true;
        break;
      }
      Execute(*line);
    }
    // The end of the script ends the program as the exit spot does.
    if (!form_.Terminated()) form_.ExitSpotClick();
    form_.FormDestroy();
    out_.flush();
    return form_.ExitCode();
  } catch (const ScriptError& error) {
    out_.flush();
    err_ << "norva: script error: " << error.what() << '\n';
    return 2;
  }
}

bool HeadlessDriver::ExecuteAnyTime(const ScriptLine& line) {
  const std::string& command = line.words[0];
  if (command == "wait") {
    ExpectWords(line, 2, 2);
    const long long ms = NumberArg(line, 1, "a number of milliseconds");
    if (ms < 0) throw ScriptError(line.number, "wait needs a non-negative time");
    clock_.Advance(ms);
    return true;
  }
  if (command == "dump") {
    ExpectWords(line, 1, 1);
    Dump();
    return true;
  }
  return false;
}

void HeadlessDriver::Execute(const ScriptLine& line) {
  if (ExecuteAnyTime(line)) return;
  const std::string& command = line.words[0];
  if (command == "click") return Mouse(line, MouseButton::Left, true);
  if (command == "rclick") return Mouse(line, MouseButton::Right, true);
  if (command == "hover") return Mouse(line, MouseButton::Left, false);
  if (command == "key") {
    ExpectWords(line, 2, 2);
    auto key = components::KeyFromName(line.words[1]);
    if (!key) throw ScriptError(line.number, "unknown key: " + line.words[1]);
    form_.window().KeyDown(*key);
    return;
  }
  if (command == "wheel") return Wheel(line);
  if (command == "activate" || command == "deactivate") {
    ExpectWords(line, 1, 1);
    if (command == "activate") {
      form_.ApplicationActivate();
    } else {
      form_.ApplicationDeActivate();
    }
    return;
  }
  if (command == "quit") {
    ExpectWords(line, 1, 1);
    quit_ = true;
    return;
  }
  if (command == "answer")
    throw ScriptError(line.number, "answer: no message box or version chooser is open");
  if (command == "chooser") throw ScriptError(line.number, "chooser: the directory chooser is not open");
  if (command == "unpack-esc") throw ScriptError(line.number, "unpack-esc: the unpack window is not open");
  throw ScriptError(line.number, "unknown command: " + command);
}

void HeadlessDriver::RunModal(DialogRecord& dialog) {
  while (!dialog.answer) {
    if (script_ended_ || quit_) return;  // the dialog keeps its default answer
    auto line = script_.Next();
    if (!line) {
      script_ended_ = true;
      return;
    }
    if (ExecuteAnyTime(*line)) continue;
    if (line->words[0] == "answer") {
      Answer(*line, dialog);
      continue;
    }
    throw ScriptError(line->number,
                      line->words[0] + ": a " + dialog.kind + " dialog is open; answer it first");
  }
}

void HeadlessDriver::Answer(const ScriptLine& line, DialogRecord& dialog) {
  ExpectWords(line, 2, 2);
  const std::string& word = line.words[1];
  if (dialog.kind == "chooser" || dialog.kind == "unpack") {
    throw ScriptError(line.number, "answer: the open " + dialog.kind + " dialog takes no answer");
  }
  if (dialog.kind == "version") {
    // The chooser's buttons are numbered from 1; "cancel" closes it without a choice.
    if (word == "cancel") {
      dialog.answer = word;
      return;
    }
    const auto number = Number(word);
    if (!number || *number < 1 || *number > static_cast<long long>(dialog.buttons.size())) {
      throw ScriptError(line.number, "answer: the version chooser has no button " + word);
    }
    dialog.answer = word;
    return;
  }
  for (const auto& button : dialog.buttons) {
    std::string lower;
    for (char c : button) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lower == word) {
      dialog.answer = word;
      return;
    }
  }
  throw ScriptError(line.number, "answer: the open dialog has no button " + word);
}

std::string HeadlessDriver::Ansi(const std::string& utf8) const {
  return platform::Utf8ToAnsi(utf8, strings::EditionCodePage(form_.look().Edition));
}

bool HeadlessDriver::LetDialogTimerAct(const ScriptLine& line, components::Timer& timer) {
  if (!timer.enabled() || timer.interval() <= 0) return false;
  const auto due = clock_.NextDue();
  script_.PushBack(line);
  clock_.Advance(due ? std::max<std::int64_t>(*due - clock_.Now(), 0) : timer.interval());
  return true;
}

void HeadlessDriver::RunChooser(DialogRecord& dialog, menu::DirChooser& chooser) {
  while (!chooser.Closed()) {
    if (script_ended_ || quit_) return;  // the chooser gets its default answer
    auto line = script_.Next();
    if (!line) {
      script_ended_ = true;
      return;
    }
    if (ExecuteAnyTime(*line)) {
      dialog.edit = chooser.EditDir1;
      continue;
    }
    if (line->words[0] == "chooser") {
      Chooser(*line, dialog, chooser);
      continue;
    }
    if (LetDialogTimerAct(*line, chooser.Timer1)) continue;
    throw ScriptError(line->number, line->words[0] + ": a chooser dialog is open; use chooser commands");
  }
}

void HeadlessDriver::Chooser(const ScriptLine& line, DialogRecord& dialog, menu::DirChooser& chooser) {
  if (line.words.size() < 2)
    throw ScriptError(line.number, "chooser needs drive, folder, edit, ok or cancel");
  const std::string& what = line.words[1];
  // The text after the sub-command, blanks inside kept.
  std::string argument;
  if (const auto blank = line.rest_after_first.find_first_of(" \t"); blank != std::string::npos) {
    argument = line.rest_after_first.substr(line.rest_after_first.find_first_not_of(" \t", blank));
  }
  if (what == "ok" || what == "cancel") {
    ExpectWords(line, 2, 2);
    // A disabled OK button takes no click.
    if (what == "cancel") {
      chooser.CancelButtonClick();
    } else if (chooser.OKEnabled) {
      chooser.OKButtonClick();
    }
  } else if (what == "drive") {
    ExpectWords(line, 3, 3);
    const std::string& drive = line.words[2];
    const bool letter = (drive.size() == 1 || (drive.size() == 2 && drive[1] == ':')) &&
                        ((drive[0] >= 'A' && drive[0] <= 'Z') || (drive[0] >= 'a' && drive[0] <= 'z'));
    if (!letter) throw ScriptError(line.number, "chooser drive needs a drive letter such as D:");
    if (chooser.DriveListEnabled) chooser.DriveComboBox1Change(drive[0]);
  } else if (what == "folder") {
    if (argument.empty()) throw ScriptError(line.number, "chooser folder needs a folder");
    const std::string folder = Ansi(argument);
    // Only a folder the tree shows can be picked: an existing one on the drive shown.
    const bool same_drive = folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\' &&
                            (folder[0] & ~0x20) == (chooser.Drive & ~0x20);
    if (!same_drive || !form_.platform().files.DirExists(folder)) {
      throw ScriptError(line.number, "chooser folder: no folder " + argument + " on drive " +
                                         std::string(1, chooser.Drive) + ":");
    }
    if (chooser.FolderListEnabled) chooser.DirectoryListBox1Change(folder);
  } else if (what == "edit") {
    chooser.EditChange(Ansi(argument));
  } else {
    throw ScriptError(line.number, "chooser: unknown action " + what);
  }
  dialog.edit = chooser.EditDir1;
}

void HeadlessDriver::RunUnpack(DialogRecord& /*dialog*/, menu::UnpackForm& form) {
  unpack_esc_at_ = 0;
  unpack_pumps_ = 0;
  form.OnPump = [this, &form] {
    if (++unpack_pumps_ == unpack_esc_at_) form.FormKeyDown(components::Key::Esc);
  };
  while (!form.CloseRequested()) {
    if (script_ended_ || quit_) return;  // the window unpacks when its timer falls due
    auto line = script_.Next();
    if (!line) {
      script_ended_ = true;
      return;
    }
    if (ExecuteAnyTime(*line)) continue;
    if (line->words[0] == "unpack-esc") {
      ExpectWords(*line, 2, 2);
      unpack_esc_at_ = NumberArg(*line, 1, "a pump number");
      if (unpack_esc_at_ < 1) throw ScriptError(line->number, "unpack-esc needs a pump number from 1");
      continue;
    }
    if (LetDialogTimerAct(*line, form.Timer1)) continue;
    throw ScriptError(line->number, line->words[0] + ": the unpack window is open");
  }
}

void HeadlessDriver::Mouse(const ScriptLine& line, MouseButton button, bool click) {
  ExpectWords(line, 2, 4);
  if (line.words.size() == 3) throw ScriptError(line.number, line.words[0] + " needs both X and Y");
  components::Control* control = form_.window().Find(line.words[1]);
  if (!control) throw ScriptError(line.number, "no control named " + line.words[1]);
  const components::Rect r = WindowRect(*control);
  int x = r.left + r.width / 2;
  int y = r.top + r.height / 2;
  if (line.words.size() == 4) {
    x = r.left + static_cast<int>(NumberArg(line, 2, "X"));
    y = r.top + static_cast<int>(NumberArg(line, 3, "Y"));
  }
  pointer_x_ = x;
  pointer_y_ = y;
  auto& window = form_.window();
  window.MouseMove(x, y);
  if (!click || Ended()) return;
  window.MouseDown(button, x, y);
  if (Ended()) return;
  window.MouseUp(button, x, y);
}

void HeadlessDriver::Wheel(const ScriptLine& line) {
  ExpectWords(line, 2, 3);
  int delta = 0;
  if (line.words[1] == "up") {
    delta = components::kWheelNotch;
  } else if (line.words[1] == "down") {
    delta = -components::kWheelNotch;
  } else {
    throw ScriptError(line.number, "wheel wants up or down");
  }
  const int x = line.words.size() == 3 ? static_cast<int>(NumberArg(line, 2, "X")) : 100;
  pointer_x_ = x;
  form_.window().MouseWheel(delta, x, pointer_y_);
}

void HeadlessDriver::Dump() {
  out_ << DumpState(form_, host_, clock_) << std::endl;
}

}  // namespace norva::headless
