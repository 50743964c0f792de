// What the menu asks of its front end: the things only a front end can do. Implemented by the window, by the
// headless driver and by test doubles that record the calls. Texts are ANSI in the edition's code page; the
// front end converts them for display.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norva::menu {

class DirChooser;
class UnpackForm;

enum class MessageKind { kError, kWarning, kInformation, kConfirmation, kPlain };
enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MessageAnswer { kOk, kCancel, kYes, kNo };

// How the front end's own dialogs speak and look: the interface language (the words on message box buttons)
// and the colour scheme (NightMode).
struct DialogLook {
  int language = 0;
  int night_mode = 0;
};

struct ScreenSize {
  int width = 0;
  int height = 0;
};

class Host {
 public:
  virtual ~Host() = default;

  // A modal message box; returns when the user has answered. The caption is the application title.
  virtual MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                                    MessageButtons buttons) = 0;

  // The version chooser: a modal box with `prompt` and one button per label in a row. Returns the index of
  // the pressed button (0-based), nothing when the box was closed otherwise.
  virtual std::optional<std::size_t> ChooseVersion(std::string_view caption, std::string_view prompt,
                                                   const std::vector<std::string>& labels) = 0;

  // The directory chooser, modal: shows the dialog, hands the user's input to its handlers (FormActivate
  // when shown, Timer1Timer when its enabled timer falls due, the drive, folder and edit changes, OK and
  // Cancel) and returns once the chooser is closed.
  virtual void ShowChooser(DirChooser& chooser) = 0;
  // The unpack window, modal: shows it, calls FormActivate, Timer1Timer when its enabled timer falls due and
  // FormKeyDown for keys; lets pending events run (with repaints) whenever the form's OnPump asks, as often
  // as it needs to stay responsive; once the form asks to close, calls FormClose and returns.
  virtual void ShowUnpack(UnpackForm& form) = 0;

  // Makes a font file usable by the window for this run; false when it is not a font the front end can load.
  virtual bool AddFontResource(const std::string& host_path) = 0;
  virtual void RemoveFontResource(const std::string& host_path) = 0;

  virtual ScreenSize Screen() = 0;
  // The local hour of the day, 0..23.
  virtual int LocalHour() = 0;

  // Moves and sizes the top-level window (screen coordinates).
  virtual void PlaceWindow(int left, int top, int width, int height) = 0;
  // Hands the pressed left button to the window system's move (the window follows the pointer).
  virtual void StartSystemMove() = 0;

  // Runs the pending events and due timers once and returns (Application.ProcessMessages).
  virtual void ProcessMessages() = 0;
  // Keeps handling events until `still_running` answers false: it is asked after every batch of events and
  // whenever `wake_fd` (a descriptor that becomes readable when the awaited thing ends; -1 for none) wakes
  // the front end. Sleeps between events; never spins.
  virtual void WaitWhile(const std::function<bool()>& still_running, int wake_fd) = 0;
  // The hourglass cursor while true, the default cursor after.
  virtual void SetBusyCursor(bool busy) = 0;

  // Told when the interface language or the colour scheme changes (the catalog is read, the colour-scheme
  // spot is clicked); until then dialogs speak English by day. Nothing by default.
  virtual void SetDialogLook(const DialogLook& look) { (void)look; }

  // Brings the menu's window to the front (after an install's programs had the screen). Nothing by default.
  virtual void BringToFront() {}

  // Ends the message loop; the program then exits with this status.
  virtual void Terminate(int exit_code) = 0;
};

}  // namespace norva::menu
