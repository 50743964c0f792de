#include "frontend/qt/unpack_dialog.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShowEvent>
#include <cmath>

#include "frontend/qt/real_time_clock.h"

namespace norva::frontend::qt {
namespace {

constexpr int kFrameMs = 40;  // 25 frames a second
constexpr int kCycleMs = 1200;
const QRectF kAnimationBox(153, 24, 120, 34);
const int kLabelTops[3] = {60, 80, 100};
const QRectF kPercentBox(14, 122, 398, 26);

QColor ColorOf(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

void PaintFolder(QPainter& painter, const QRectF& r, const QColor& body, const QColor& edge) {
  QPainterPath path;
  path.moveTo(r.left(), r.top() + 4);
  path.lineTo(r.left() + r.width() * 0.35, r.top() + 4);
  path.lineTo(r.left() + r.width() * 0.45, r.top());
  path.lineTo(r.right(), r.top());
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  painter.setPen(QPen(edge, 1.0));
  painter.setBrush(body);
  painter.drawPath(path);
  painter.setBrush(body.lighter(125));
  painter.drawRect(QRectF(r.left(), r.top() + 8, r.width(), r.height() - 8));
}

}  // namespace

UnpackDialog::UnpackDialog(menu::UnpackForm& form, platform::CodePage code_page, const QString& font_family,
                           RealTimeClock& time, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      form_(form),
      code_page_(code_page),
      font_family_(font_family),
      time_(time) {
  setObjectName(QStringLiteral("TUnpackForm"));
  setModal(true);
  setFixedSize(menu::UnpackForm::kWidth, menu::UnpackForm::kHeight);
  setFocusPolicy(Qt::StrongFocus);
  start_.setSingleShot(true);
  connect(&start_, &QTimer::timeout, this, &UnpackDialog::Start);
  frames_.setInterval(kFrameMs);
  connect(&frames_, &QTimer::timeout, this, [this] { update(kAnimationBox.toAlignedRect()); });
  form_.OnPump = [this] { Pump(); };
  // The percentage changes often; only its own box is painted again for it.
  form_.OnChange = [this] {
    update(kPercentBox.toAlignedRect());
    if (!form_.AnimationActive) update(kAnimationBox.toAlignedRect());
  };
  animation_.start();
  since_pump_.start();
}

UnpackDialog::~UnpackDialog() {
  form_.OnPump = nullptr;
  form_.OnChange = nullptr;
}

void UnpackDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  setFocus();
  form_.FormActivate();
  frames_.start();
  if (form_.Timer1.enabled()) start_.start(form_.Timer1.interval());
}

void UnpackDialog::Start() {
  running_ = true;
  QElapsedTimer took;
  took.start();
  const int paints = paints_;
  form_.Timer1Timer();
  unpack_us_ = took.nsecsElapsed() / 1000;
  unpack_paints_ = paints_ - paints;
  running_ = false;
  if (form_.CloseRequested()) Finish();
}

void UnpackDialog::Pump() {
  // Blocks come far more often than the screen needs; the window system runs on a time budget instead.
  if (since_pump_.elapsed() < kPumpBudgetMs) return;
  since_pump_.restart();
  QCoreApplication::processEvents();
  time_.CatchUp();
}

void UnpackDialog::Finish() {
  if (finished_) return;
  finished_ = true;
  frames_.stop();
  form_.FormClose();
  repaint();
  accept();
}

void UnpackDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    form_.FormKeyDown(components::Key::Esc);
    // While the unpacking runs, the window closes when it returns; before it began, at once.
    if (form_.CloseRequested() && !running_) {
      start_.stop();
      Finish();
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

void UnpackDialog::reject() {
  // The window closes only through the form (Esc on the Demos page, the end of the unpacking).
}

void UnpackDialog::paintEvent(QPaintEvent*) {
  ++paints_;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QString plate = form_.NightMode == 1 ? QStringLiteral(":/art/dialogs/unpack_night.svg")
                                             : QStringLiteral(":/art/dialogs/unpack.svg");
  const QImage& image = artwork_.Render(plate, devicePixelRatioF());
  if (image.isNull()) {
    painter.fillRect(rect(), QColor(0x2a, 0x2d, 0x33));
  } else {
    painter.drawImage(QPointF(0, 0), image);
  }
  PaintAnimation(painter, kAnimationBox);
  const QColor text = ColorOf(form_.LabelColor);
  QFont font(font_family_);
  font.setBold(true);
  font.setPixelSize(13);
  painter.setFont(font);
  painter.setPen(text);
  for (int i = 0; i < 3; ++i) {
    const QString label = QString::fromStdString(platform::AnsiToUtf8(form_.PackLabel[i], code_page_));
    const QRectF box(20, kLabelTops[i], width() - 40, 20);
    painter.drawText(box, Qt::AlignCenter,
                     painter.fontMetrics().elidedText(label, Qt::ElideMiddle, box.width()));
  }
  font.setPixelSize(20);
  painter.setFont(font);
  painter.drawText(kPercentBox, Qt::AlignCenter, QString::fromStdString(form_.Label1));
}

void UnpackDialog::PaintAnimation(QPainter& painter, const QRectF& box) const {
  const bool night = form_.NightMode == 1;
  const QColor body = night ? QColor(0x8c, 0x7a, 0xc8) : QColor(0xd9, 0xa4, 0x3c);
  const QColor edge = night ? QColor(0x3a, 0x2f, 0x66) : QColor(0x6a, 0x48, 0x12);
  const QRectF from(box.left(), box.bottom() - 22, 30, 22);
  const QRectF to(box.right() - 30, box.bottom() - 22, 30, 22);
  PaintFolder(painter, from, body, edge);
  PaintFolder(painter, to, body, edge);
  if (!form_.AnimationActive) return;
  // A sheet flies from one folder to the other on an arc, turning as it goes.
  const double t = static_cast<double>(animation_.elapsed() % kCycleMs) / kCycleMs;
  const double x = from.center().x() + (to.center().x() - from.center().x()) * t;
  const double y = from.top() - 2 - std::sin(t * M_PI) * (box.height() - 14);
  painter.save();
  painter.translate(x, y);
  painter.rotate(-20 + 40 * t);
  painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 0.8));
  painter.setBrush(QColor(0xf6, 0xf3, 0xea));
  painter.drawRect(QRectF(-6, -8, 12, 16));
  painter.setPen(QPen(QColor(0x88, 0x88, 0x99), 0.8));
  for (int line = 0; line < 3; ++line)
    painter.drawLine(QPointF(-4, -4 + 4 * line), QPointF(4, -4 + 4 * line));
  painter.restore();
}

}  // namespace norva::frontend::qt
