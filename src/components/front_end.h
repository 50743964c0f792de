// What the menu and the install procedures ask of their front end: the things only a front end can do
// (message boxes, the version choice, fonts, the screen, the event loop). The menu's own dialogs are added by
// menu::Host. Texts are ANSI in the edition's code page; the front end converts them for display.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wait_handle.h"

namespace norva::components {

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

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // A modal message box; returns when the user has answered. The caption is the application title.
  virtual MessageAnswer ShowMessage(MessageKind kind, std::string_view caption, std::string_view text,
                                    MessageButtons buttons) = 0;

  // The version chooser: a modal box with `prompt` and one button per label in a row. Returns the index of
  // the pressed button (0-based), nothing when the box was closed otherwise.
  virtual std::optional<std::size_t> ChooseVersion(std::string_view caption, std::string_view prompt,
                                                   const std::vector<std::string>& labels) = 0;

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
  // Keeps handling events until `still_running` answers false: it is asked after every batch of events,
  // whenever `wake` (the awaited thing's end; none for nothing to watch) wakes the front end, and at `until`
  // when one is given. Sleeps between events; never spins.
  virtual void WaitWhile(const std::function<bool()>& still_running, platform::WaitHandle wake,
                         std::optional<std::chrono::steady_clock::time_point> until = std::nullopt) = 0;
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

// The hourglass for the length of a scope: shown when made, the default cursor back on every way out.
class BusyCursor {
 public:
  explicit BusyCursor(FrontEnd& front_end) : front_end_(front_end) { front_end_.SetBusyCursor(true); }
  ~BusyCursor() { front_end_.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  FrontEnd& front_end_;
};

}  // namespace norva::components
