// The hourglass for the length of a scope: shown when made, the default cursor back on every way out.
#pragma once

#include "menu/host.h"

namespace norva::menu {

class BusyCursor {
 public:
  explicit BusyCursor(Host& host) : host_(host) { host_.SetBusyCursor(true); }
  ~BusyCursor() { host_.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Host& host_;
};

}  // namespace norva::menu
