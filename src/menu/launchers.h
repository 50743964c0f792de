// Starting programs and documents on this machine, from this disc. A launch that fails for a reason of the
// machine is told in a message box in the interface language.
#pragma once

#include "install/launcher.h"
#include "menu/menu_services.h"
#include "menu/menu_state.h"

namespace norva::menu {

class Launchers {
 public:
  // All are the form's and outlive this object.
  Launchers(Services services, const MenuFiles& files, const Appearance& look)
      : services_(services), files_(files), look_(look) {}

  // A launcher for the disc that is in now (it keeps no state).
  install::Launcher Make() const;

 private:
  Services services_;
  const MenuFiles& files_;
  const Appearance& look_;
};

}  // namespace norva::menu
