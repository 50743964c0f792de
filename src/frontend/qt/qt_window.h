// The menu's top-level window: a frameless widget that shows the form's control model and feeds it the
// user's input. It repaints only when what it shows changed, and follows the model's size and shape.
#pragma once

#include <QWidget>
#include <cstdint>
#include <map>
#include <optional>

#include "frontend/qt/artwork.h"
#include "frontend/qt/font_map.h"
#include "frontend/qt/model_painter.h"
#include "frontend/qt/qt_image_loader.h"
#include "frontend/qt/real_time_clock.h"
#include "menu/main_form.h"

namespace norva::frontend::qt {

// The model key of a Qt key pressed with `modifiers`; nothing for keys the menu does not know.
std::optional<components::Key> KeyFromQt(int qt_key, Qt::KeyboardModifiers modifiers = {});
// Whether the event is a press of Tab or Shift+Tab, which the menu's windows take for their own focus rather
// than Qt's between widgets.
bool IsTabPress(const QEvent* event);

class QtWindow : public QWidget {
  Q_OBJECT

 public:
  // Nothing is owned; all must outlive the window.
  QtWindow(menu::MainForm& form, const FontMap& fonts, QtImageLoader& pictures, RealTimeClock& time);

  // Brings the widget in line with the model: size, shape, and a repaint when the picture changed.
  void Refresh();
  void SetCodePage(platform::CodePage code_page);

  ModelPainter& painter() { return painter_; }
  // Number of paints so far (for tests and the start benchmark).
  int paints() const { return paints_; }

 signals:
  void Painted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // After input: the model may have started timers and changed controls.
  void AfterInput();
  // The keyboard focus's frame over the painted model, in the colours of the scheme.
  void PaintFocusMark(QPainter& painter) const;
  // The clock time of the next animation frame while an animation plays.
  std::optional<std::int64_t> NextAnimationFrame() const;

  menu::MainForm& form_;
  RealTimeClock& time_;
  Artwork artwork_;
  ModelPainter painter_;
  std::uint64_t shown_ = 0;  // fingerprint of everything but the animations, the focus mark included
  // Per animation control: the frame on screen (-1 while not shown).
  std::map<const components::Control*, int> frames_;
  bool shaped_ = false;
  int paints_ = 0;
};

}  // namespace norva::frontend::qt
