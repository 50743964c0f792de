#include "frontend/qt/qt_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "components/animation.h"
#include "menu/key_focus.h"

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

std::optional<Key> KeyFromQt(int qt_key, Qt::KeyboardModifiers modifiers) {
  if (qt_key == Qt::Key_F4 && modifiers.testFlag(Qt::AltModifier)) return Key::AltF4;
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F12) {
    return static_cast<Key>(static_cast<int>(Key::F1) + (qt_key - Qt::Key_F1));
  }
  if (qt_key == Qt::Key_Tab && modifiers.testFlag(Qt::ShiftModifier)) return Key::ShiftTab;
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
    case Qt::Key_Tab:
      return Key::Tab;
    case Qt::Key_Backtab:
      return Key::ShiftTab;
    case Qt::Key_Space:
      return Key::Space;
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
  const QString title = QString::fromStdString(platform::AnsiToUtf8(window.caption, painter_.code_page));
  if (!title.isEmpty() && title != windowTitle()) setWindowTitle(title);
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
  std::uint64_t fingerprint = ModelPainter::Fingerprint(window, false);
  if (const auto mark = form_.key_focus().FocusMark()) {
    for (const int v : {mark->left, mark->top, mark->width, mark->height, form_.look().NightMode})
      fingerprint = (fingerprint ^ static_cast<std::uint64_t>(v + 1)) * 1099511628211ULL;
  }
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
  PaintFocusMark(painter);
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

void QtWindow::PaintFocusMark(QPainter& painter) const {
  const auto mark = form_.key_focus().FocusMark();
  if (!mark) return;
  // A lit rim in the scheme's lamp colour with a soft glow, between dark edges: it stands out on the light
  // wells and on the dark metal alike, and from the lit frame of a pressed page key.
  const bool night = form_.look().NightMode == 1;
  const QColor lamp = night ? QColor(0xa9, 0x8c, 0xff) : QColor(0xff, 0xae, 0x2a);
  const QColor dark(0x10, 0x10, 0x14, 230);
  const QRectF r = QRectF(mark->left, mark->top, mark->width, mark->height).adjusted(2, 2, -2, -2);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  QColor halo = lamp;
  halo.setAlpha(70);
  painter.setPen(QPen(halo, 4.0));
  painter.drawRoundedRect(r, 5, 5);
  painter.setPen(QPen(dark, 3.0));
  painter.drawRoundedRect(r, 4, 4);
  painter.setPen(QPen(lamp, 1.5, Qt::DashLine, Qt::FlatCap));
  painter.drawRoundedRect(r, 4, 4);
  painter.restore();
}

bool IsTabPress(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

bool QtWindow::event(QEvent* event) {
  if (IsTabPress(event)) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QWidget::event(event);
}

void QtWindow::keyPressEvent(QKeyEvent* event) {
  auto key = KeyFromQt(event->key(), event->modifiers());
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
