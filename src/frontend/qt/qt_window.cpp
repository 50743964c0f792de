#include "frontend/qt/qt_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "components/animation.h"

namespace norva::frontend::qt {
namespace {

using components::Key;
using components::MouseButton;

std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return MouseButton::Left;
    case Qt::RightButton:
      return MouseButton::Right;
    case Qt::MiddleButton:
      return MouseButton::Middle;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<Key> KeyFromQt(int qt_key) {
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) {
    return static_cast<Key>(static_cast<int>(Key::A) + (qt_key - Qt::Key_A));
  }
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) {
    return static_cast<Key>(static_cast<int>(Key::Digit0) + (qt_key - Qt::Key_0));
  }
  switch (qt_key) {
    case Qt::Key_Escape:
      return Key::Esc;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return Key::Enter;
    case Qt::Key_Up:
      return Key::Up;
    case Qt::Key_Down:
      return Key::Down;
    case Qt::Key_Left:
      return Key::Left;
    case Qt::Key_Right:
      return Key::Right;
    case Qt::Key_PageUp:
      return Key::PageUp;
    case Qt::Key_PageDown:
      return Key::PageDown;
    case Qt::Key_Home:
      return Key::Home;
    case Qt::Key_End:
      return Key::End;
    default:
      return std::nullopt;
  }
}

QtWindow::QtWindow(menu::MainForm& form, const FontMap& fonts, QtImageLoader& pictures, RealTimeClock& time)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      form_(form),
      time_(time),
      painter_(artwork_, pictures, fonts) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  const auto& window = form_.window();
  setFixedSize(window.width, window.height);
  time_.next_frame = [this] { return NextAnimationFrame(); };
  connect(&time_, &RealTimeClock::Advanced, this, &QtWindow::Refresh);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) {
      form_.ApplicationActivate();
    } else {
      form_.ApplicationDeActivate();
    }
    AfterInput();
  });
}

void QtWindow::SetCodePage(platform::CodePage code_page) {
  painter_.code_page = code_page;
  shown_ = 0;
  update();
}

void QtWindow::Refresh() {
  const auto& window = form_.window();
  if (size() != QSize(window.width, window.height)) setFixedSize(window.width, window.height);
  const bool shaped = window.shaper() && window.shaper()->active;
  if (shaped != shaped_) {
    shaped_ = shaped;
    const QRegion shape = painter_.Shape(window);
    if (shaped && !shape.isEmpty()) {
      setMask(shape);
    } else {
      clearMask();
    }
  }
  const std::uint64_t fingerprint = ModelPainter::Fingerprint(window, false);
  const bool everything = fingerprint != shown_;
  shown_ = fingerprint;
  // The border animations change most often; a new frame repaints only its own rectangle.
  QRegion dirty;
  window.Visit([&](const components::Control& control) {
    if (control.kind() != components::ControlKind::Animation) return;
    const auto& animation = static_cast<const components::Animation&>(control);
    const int frame =
        control.Showing() && animation.open() ? animation.clip() * 1000 + animation.CurrentFrame() : -1;
    auto [it, added] = frames_.try_emplace(&control, frame);
    if (added || it->second == frame) return;
    it->second = frame;
    const auto r = window.RectInWindow(control);
    dirty += QRect(r.left, r.top, r.width, r.height);
  });
  if (everything) {
    update();
  } else if (!dirty.isEmpty()) {
    update(dirty);
  }
}

void QtWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter_.Paint(form_.window(), painter, devicePixelRatioF());
  ++paints_;
  emit Painted();
}

void QtWindow::AfterInput() {
  Refresh();
  time_.Schedule();
}

void QtWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  form_.window().MouseMove(p.x(), p.y());
  AfterInput();
}

void QtWindow::mousePressEvent(QMouseEvent* event) {
  auto button = ButtonOf(event->button());
  if (!button) return;
  const QPoint p = event->position().toPoint();
  form_.window().MouseDown(*button, p.x(), p.y());
  AfterInput();
}

void QtWindow::mouseReleaseEvent(QMouseEvent* event) {
  auto button = ButtonOf(event->button());
  if (!button) return;
  const QPoint p = event->position().toPoint();
  form_.window().MouseUp(*button, p.x(), p.y());
  AfterInput();
}

void QtWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a press like the first.
  mousePressEvent(event);
}

void QtWindow::leaveEvent(QEvent*) {
  form_.window().MouseLeave();
  AfterInput();
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
  auto key = KeyFromQt(event->key());
  if (!key) {
    QWidget::keyPressEvent(event);
    return;
  }
  form_.window().KeyDown(*key);
  AfterInput();
}

void QtWindow::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) return;
  const QPoint p = event->position().toPoint();
  form_.window().MouseWheel(delta, p.x(), p.y());
  AfterInput();
}

std::optional<std::int64_t> QtWindow::NextAnimationFrame() const {
  std::optional<std::int64_t> next;
  const std::int64_t now = form_.window().clock().Now();
  form_.window().Visit([&](const components::Control& control) {
    if (control.kind() != components::ControlKind::Animation || !control.Showing()) return;
    const auto& animation = static_cast<const components::Animation&>(control);
    if (!animation.active()) return;
    const std::int64_t frame = animation.frame_ms();
    const std::int64_t at = now - now % frame + frame;
    next = next ? std::min(*next, at) : at;
  });
  return next;
}

}  // namespace norva::frontend::qt
