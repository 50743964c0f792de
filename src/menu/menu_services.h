// The services the menu's objects use: the machine, the front end and the edition's messages. None of them
// is owned here; the program's start-up makes them and they outlive the menu.
#pragma once

#include "menu/host.h"
#include "platform/platform.h"
#include "strings/messages.h"

namespace norva::menu {

struct Services {
  platform::Platform& platform;
  Host& host;
  const strings::Messages& messages;
};

}  // namespace norva::menu
