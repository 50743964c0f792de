// The base of every visible control of the control model: a named rectangle inside its owner with
// visibility, an enabled state and mouse handlers. Controls are made and owned by a Window (directly, or
// through one of its containers) and live as long as the window; z-order is the order of creation within the
// owner, later controls on top.
#pragma once

#include <functional>
#include <string>

#include "components/geometry.h"
#include "components/input.h"

namespace norva::components {

class Clock;
class Container;
class Window;

enum class ControlKind { Image, PictureButton, FadeLabel, Container, Animation };

class Control {
 public:
  explicit Control(std::string name);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  virtual ControlKind kind() const = 0;

  // The name from the window design, unique within its window ("DemosLabel3", "PlayImage").
  const std::string& name() const { return name_; }
  // The container the control sits in; null for the window's own controls.
  Container* owner() const { return owner_; }
  // The window that owns the control; null until the control is added to one.
  Window* window() const { return window_; }

  // True when the control and every container around it are visible.
  bool Showing() const;

  Rect rect;  // pixels, relative to the owner (or to the window)
  bool visible = true;
  // A disabled control takes no mouse input: the pointer reaches whatever lies beneath it.
  bool enabled = true;

  // Mouse handlers, raised by the window. x, y are in the control's own coordinates (0, 0 is its top-left
  // corner). A handler may change any control, its own handlers included.
  std::function<void()> OnMouseEnter;
  std::function<void()> OnMouseLeave;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(MouseButton button, int x, int y)> OnMouseDown;
  std::function<void(MouseButton button, int x, int y)> OnMouseUp;
  // A left-button press and release over this control.
  std::function<void()> OnClick;

 protected:
  // Hooks for controls with behaviour of their own; run before the handler of the same event.
  virtual void MouseEntered() {}
  virtual void MouseLeft() {}
  // Called once when the control joins a window, for controls that keep time.
  virtual void AttachClock(Clock&) {}

 private:
  friend class Window;

  void RaiseMouseEnter();
  void RaiseMouseLeave();
  void RaiseMouseMove(int x, int y);
  void RaiseMouseDown(MouseButton button, int x, int y);
  void RaiseMouseUp(MouseButton button, int x, int y);
  void RaiseClick();

  std::string name_;
  Container* owner_ = nullptr;
  Window* window_ = nullptr;
};

}  // namespace norva::components
