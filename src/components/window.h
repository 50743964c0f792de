// The top-level surface of the control model. A window owns its controls (its own, and through its
// containers theirs), its image lists, its named timers and its shaper; they all live as long as the window.
// It turns raw input into control events: the pointer's position finds the topmost control under it, which
// gets enter, leave, move, down, up and click; keys and the wheel go to the window's own handlers.
//
// Names are unique within a window across controls, timers, image lists and the shaper, as in the window
// design; making a second component of the same name is a programming error and throws std::invalid_argument.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "components/container.h"
#include "components/control.h"
#include "components/geometry.h"
#include "components/image_list.h"
#include "components/input.h"
#include "components/shaper.h"
#include "components/timer.h"

namespace norva::components {

class Clock;

class Window {
 public:
  // `clock` is not owned and must outlive the window; the window's timers and time-keeping controls are
  // registered with it.
  Window(std::string name, int width, int height, Clock& clock);
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const std::string& name() const { return name_; }
  Clock& clock() const { return clock_; }

  std::string caption;  // ANSI text of the title bar and task bar
  int left = 0;         // position on the screen, pixels
  int top = 0;
  int width;  // client size, pixels
  int height;

  // Makes a control of type T (a Control with a constructor taking its name) inside `owner`, or on the
  // window itself when `owner` is null, on top of the owner's other controls. `owner` must belong to this
  // window.
  template <typename T>
  T& Create(Container* owner, std::string name, Rect rect) {
    static_assert(std::is_base_of_v<Control, T>);
    auto control = std::make_unique<T>(std::move(name));
    T& made = *control;
    made.rect = rect;
    Adopt(owner, std::move(control));
    return made;
  }
  ImageList& CreateImageList(std::string name, int width, int height, int count);
  // The timer starts disabled.
  Timer& CreateTimer(std::string name, int interval_ms);
  // At most one shaper per window; a second call throws std::logic_error.
  Shaper& CreateShaper(std::string name, std::string mask);

  // Lookups by name; null when there is none.
  Control* Find(std::string_view name) const;
  template <typename T>
  T* FindAs(std::string_view name) const {
    return dynamic_cast<T*>(Find(name));
  }
  Timer* FindTimer(std::string_view name) const;
  ImageList* FindImageList(std::string_view name) const;
  Shaper* shaper() const { return shaper_.get(); }

  // The window's own controls and containers, bottom to top.
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
  const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }
  const std::vector<std::unique_ptr<ImageList>>& image_lists() const { return image_lists_; }
  // Every control of the window, its containers' children included, in creation order.
  void Visit(const std::function<void(Control&)>& fn) const;

  // A control's rectangle in window coordinates.
  Rect RectInWindow(const Control& control) const;
  // The topmost visible, enabled control at a window point, or null. Over a container the topmost such
  // child under the point comes first, then the container's own surface; a child is hit only inside its
  // container's rectangle, and nothing inside an invisible or disabled container is hit.
  Control* HitTest(int x, int y) const;
  // The control the pointer is over (the last one that got enter), or null.
  Control* hovered() const { return hovered_; }

  // Raw pointer input in window coordinates. A move raises leave on the control left and enter on the one
  // reached (whenever the control under the pointer changes), then move on the control under the pointer,
  // or the window's OnMouseMove when the point is over no control inside the window. A button press goes to
  // the control under the pointer; its release goes to the same control (wherever the pointer is then), and
  // a left-button release over that same control also raises its click.
  void MouseMove(int x, int y);
  void MouseDown(MouseButton button, int x, int y);
  void MouseUp(MouseButton button, int x, int y);
  // The pointer left the window: leave on the hovered control.
  void MouseLeave();
  void KeyDown(Key key);
  // Whether a click at the centre of `control` would reach it: it is the topmost visible, enabled control
  // there.
  bool Reachable(const Control& control) const;
  // A click given without the pointer (by the keyboard): raises `control`'s click when it is Reachable;
  // hover and pressed state stay as they are. False when the click reached nothing.
  bool ClickControl(Control& control);
  // `delta` in wheel units (kWheelNotch per notch, positive away from the user); x, y window coordinates.
  void MouseWheel(int delta, int x, int y);

  std::function<void(Key key)> OnKeyDown;
  std::function<void(int delta, int x, int y)> OnMouseWheel;
  // Moves over the window's bare surface (no control under the pointer).
  std::function<void(int x, int y)> OnMouseMove;

 private:
  void Adopt(Container* owner, std::unique_ptr<Control> control);
  void ClaimName(const std::string& name);
  // Sets the hovered control, raising leave and enter as needed.
  void Hover(Control* target);
  Point ToLocal(const Control& control, int x, int y) const;

  std::string name_;
  Clock& clock_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<Control*> creation_order_;
  std::map<std::string, Control*, std::less<>> by_name_;
  std::map<std::string, int, std::less<>> names_;  // every component name in use
  std::vector<std::unique_ptr<Timer>> timers_;
  std::vector<std::unique_ptr<ImageList>> image_lists_;
  std::unique_ptr<Shaper> shaper_;

  Control* hovered_ = nullptr;
  Control* pressed_ = nullptr;  // got the button press now held
  MouseButton pressed_button_ = MouseButton::Left;
};

}  // namespace norva::components
