// The window shaper: while active, the window is cut to the outline of its mask picture (black is
// transparent). A non-visual part of the window; front ends read it, the menu switches it.
#pragma once

#include <string>
#include <utility>

namespace norva::components {

class Shaper {
 public:
  Shaper(std::string name, std::string mask) : mask(std::move(mask)), name_(std::move(name)) {}

  const std::string& name() const { return name_; }

  bool active = false;
  std::string mask;  // name of the mask picture among the window's artwork

 private:
  std::string name_;
};

}  // namespace norva::components
