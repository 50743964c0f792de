#include "components/window.h"

#include <stdexcept>

#include "components/clock.h"

namespace norva::components {

namespace {

// Topmost hit among `children` (bottom to top) at a point in their owner's coordinates.
Control* HitAmong(const std::vector<std::unique_ptr<Control>>& children, int x, int y) {
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    Control& control = **it;
    if (!control.visible || !control.enabled || !control.rect.Contains(x, y)) continue;
    if (control.kind() == ControlKind::Container) {
      const auto& container = static_cast<const Container&>(control);
      if (Control* child = HitAmong(container.children(), x - control.rect.left, y - control.rect.top)) {
        return child;
      }
    }
    return &control;
  }
  return nullptr;
}

template <typename Handler, typename... Args>
void Raise(const Handler& handler, Args... args) {
  Handler copy = handler;
  if (copy) copy(args...);
}

}  // namespace

Window::Window(std::string name, int width, int height, Clock& clock)
    : width(width), height(height), name_(std::move(name)), clock_(clock) {}

// Every timer, the controls' own included, leaves the clock as it is destroyed.
Window::~Window() {
  hovered_ = nullptr;
  pressed_ = nullptr;
  controls_.clear();
}

void Window::ClaimName(const std::string& name) {
  if (name.empty()) throw std::invalid_argument("a window component needs a name");
  if (!names_.emplace(name, 0).second) {
    throw std::invalid_argument("window " + name_ + " already has a component named " + name);
  }
}

void Window::Adopt(Container* owner, std::unique_ptr<Control> control) {
  if (owner != nullptr && owner->window() != this) {
    throw std::invalid_argument("control " + control->name() + ": its owner belongs to another window");
  }
  ClaimName(control->name());
  Control* made = control.get();
  made->owner_ = owner;
  made->window_ = this;
  by_name_.emplace(made->name(), made);
  creation_order_.push_back(made);
  made->AttachClock(clock_);
  if (owner != nullptr) {
    owner->children_.push_back(std::move(control));
  } else {
    controls_.push_back(std::move(control));
  }
}

ImageList& Window::CreateImageList(std::string name, int width, int height, int count) {
  ClaimName(name);
  image_lists_.push_back(std::make_unique<ImageList>(std::move(name), width, height, count));
  return *image_lists_.back();
}

Timer& Window::CreateTimer(std::string name, int interval_ms) {
  ClaimName(name);
  timers_.push_back(std::make_unique<Timer>(std::move(name), interval_ms));
  clock_.Register(*timers_.back());
  return *timers_.back();
}

Shaper& Window::CreateShaper(std::string name, std::string mask) {
  if (shaper_) throw std::logic_error("window " + name_ + " already has a shaper");
  ClaimName(name);
  shaper_ = std::make_unique<Shaper>(std::move(name), std::move(mask));
  return *shaper_;
}

Control* Window::Find(std::string_view name) const {
  auto it = by_name_.find(name);
  return it == by_name_.end() ? nullptr : it->second;
}

Timer* Window::FindTimer(std::string_view name) const {
  for (const auto& timer : timers_) {
    if (timer->name() == name) return timer.get();
  }
  return nullptr;
}

ImageList* Window::FindImageList(std::string_view name) const {
  for (const auto& list : image_lists_) {
    if (list->name() == name) return list.get();
  }
  return nullptr;
}

void Window::Visit(const std::function<void(Control&)>& fn) const {
  for (Control* control : creation_order_) fn(*control);
}

Rect Window::RectInWindow(const Control& control) const {
  Rect rect = control.rect;
  for (const Container* owner = control.owner(); owner != nullptr; owner = owner->owner()) {
    rect.left += owner->rect.left;
    rect.top += owner->rect.top;
  }
  return rect;
}

Point Window::ToLocal(const Control& control, int x, int y) const {
  const Rect rect = RectInWindow(control);
  return {x - rect.left, y - rect.top};
}

Control* Window::HitTest(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return nullptr;
  return HitAmong(controls_, x, y);
}

void Window::Hover(Control* target) {
  if (target == hovered_) return;
  Control* left_behind = hovered_;
  hovered_ = target;
  if (left_behind != nullptr) left_behind->RaiseMouseLeave();
  // The leave handler may have moved the pointer's target on; only enter what is still hovered.
  if (target != nullptr && hovered_ == target) target->RaiseMouseEnter();
}

void Window::MouseMove(int x, int y) {
  Control* target = HitTest(x, y);
  Hover(target);
  if (target != nullptr) {
    const Point local = ToLocal(*target, x, y);
    target->RaiseMouseMove(local.x, local.y);
  } else if (x >= 0 && y >= 0 && x < width && y < height) {
    Raise(OnMouseMove, x, y);
  }
}

void Window::MouseDown(MouseButton button, int x, int y) {
  Control* target = HitTest(x, y);
  Hover(target);
  if (pressed_ == nullptr) {
    pressed_ = target;
    pressed_button_ = button;
  }
  if (target != nullptr) {
    const Point local = ToLocal(*target, x, y);
    target->RaiseMouseDown(button, local.x, local.y);
  }
}

void Window::MouseUp(MouseButton button, int x, int y) {
  Control* target = HitTest(x, y);
  Hover(target);
  Control* receiver = target;
  bool click = false;
  if (pressed_ != nullptr && button == pressed_button_) {
    // The release belongs to the control that got the press.
    receiver = pressed_;
    click = button == MouseButton::Left && target == pressed_;
    pressed_ = nullptr;
  }
  if (receiver != nullptr) {
    const Point local = ToLocal(*receiver, x, y);
    receiver->RaiseMouseUp(button, local.x, local.y);
    if (click) receiver->RaiseClick();
  }
}

void Window::MouseLeave() {
  Hover(nullptr);
}

void Window::KeyDown(Key key) {
  Raise(OnKeyDown, key);
}

bool Window::Reachable(const Control& control) const {
  const Rect r = RectInWindow(control);
  return HitTest(r.left + r.width / 2, r.top + r.height / 2) == &control;
}

bool Window::ClickControl(Control& control) {
  if (!Reachable(control)) return false;
  control.RaiseClick();
  return true;
}

void Window::MouseWheel(int delta, int x, int y) {
  Raise(OnMouseWheel, delta, x, y);
}

}  // namespace norva::components
