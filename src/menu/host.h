// What the menu asks of its front end: the front end's services, and the menu's two modal dialogs.
// Implemented by the window, by the headless driver and by test doubles that record the calls.
#pragma once

#include "components/front_end.h"

namespace norva::menu {

class DirChooser;
class UnpackForm;

using components::BusyCursor;
using components::DialogLook;
using components::MessageAnswer;
using components::MessageButtons;
using components::MessageKind;
using components::ScreenSize;

class Host : public components::FrontEnd {
 public:
  // The directory chooser, modal: shows the dialog, hands the user's input to its handlers (FormActivate
  // when shown, Timer1Timer when its enabled timer falls due, the drive, folder and edit changes, OK and
  // Cancel) and returns once the chooser is closed.
  virtual void ShowChooser(DirChooser& chooser) = 0;
  // The unpack window, modal: shows it, calls FormActivate, Timer1Timer when its enabled timer falls due and
  // FormKeyDown for keys; lets pending events run (with repaints) whenever the form's OnPump asks, as often
  // as it needs to stay responsive; once the form asks to close, calls FormClose and returns.
  virtual void ShowUnpack(UnpackForm& form) = 0;
};

}  // namespace norva::menu
