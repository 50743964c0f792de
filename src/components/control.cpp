#include "components/control.h"

#include <utility>

#include "components/container.h"

namespace norva::components {

namespace {

// Handlers are copied before they run, so that one may replace itself (or another) safely.
template <typename Handler, typename... Args>
void Raise(const Handler& handler, Args... args) {
  Handler copy = handler;
  if (copy) copy(args...);
}

}  // namespace

Control::Control(std::string name) : name_(std::move(name)) {}

Control::~Control() = default;

bool Control::Showing() const {
  for (const Control* c = this; c != nullptr; c = c->owner_) {
    if (!c->visible) return false;
  }
  return true;
}

void Control::RaiseMouseEnter() {
  MouseEntered();
  Raise(OnMouseEnter);
}

void Control::RaiseMouseLeave() {
  MouseLeft();
  Raise(OnMouseLeave);
}

void Control::RaiseMouseMove(int x, int y) {
  Raise(OnMouseMove, x, y);
}

void Control::RaiseMouseDown(MouseButton button, int x, int y) {
  Raise(OnMouseDown, button, x, y);
}

void Control::RaiseMouseUp(MouseButton button, int x, int y) {
  Raise(OnMouseUp, button, x, y);
}

void Control::RaiseClick() {
  Raise(OnClick);
}

}  // namespace norva::components
