// The unpack window on screen: a borderless plate of our artwork with a copy animation of our own, the three
// labels of what is installed where and the percentage. It starts the unpacking when the form's timer falls
// due, keeps the window system served while the archive is written (on a time budget, not per block), passes
// Esc to the form and closes once the form asks to.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include "frontend/qt/artwork.h"
#include "menu/unpack_form.h"
#include "platform/code_page.h"

namespace norva::frontend::qt {

class RealTimeClock;

class UnpackDialog : public QDialog {
  Q_OBJECT

 public:
  // Longest time between two runs of the event loop while the unpacking works.
  static constexpr int kPumpBudgetMs = 15;

  // `form` and `time` are borrowed for the dialog's life.
  UnpackDialog(menu::UnpackForm& form, platform::CodePage code_page, const QString& font_family,
               RealTimeClock& time, QWidget* parent);
  ~UnpackDialog() override;

  // Repaints so far, and how long the unpacking itself took and how often the window was painted meanwhile
  // (for the benchmark).
  int paints() const { return paints_; }
  qint64 unpack_us() const { return unpack_us_; }
  int unpack_paints() const { return unpack_paints_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void reject() override;

 private:
  void Pump();
  void Start();
  void Finish();
  void PaintAnimation(QPainter& painter, const QRectF& box) const;

  menu::UnpackForm& form_;
  platform::CodePage code_page_;
  QString font_family_;
  RealTimeClock& time_;
  Artwork artwork_;
  QTimer start_;
  QTimer frames_;
  QElapsedTimer since_pump_;
  QElapsedTimer animation_;
  bool running_ = false;
  bool finished_ = false;
  int paints_ = 0;
  qint64 unpack_us_ = 0;
  int unpack_paints_ = 0;
};

}  // namespace norva::frontend::qt
