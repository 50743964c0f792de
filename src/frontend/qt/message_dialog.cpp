#include "frontend/qt/message_dialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "frontend/qt/qt_window.h"

namespace norva::frontend::qt {
namespace {

// The plate's picture and the parts of it that keep their size when it is stretched: the corners with their
// rivets, the caption strip above and the button strip below (art/artwork/panels.py, make_artwork.py).
constexpr int kPlateWidth = 360;
constexpr int kPlateHeight = 150;
constexpr int kFixedLeft = 16;
constexpr int kFixedRight = 16;
constexpr int kFixedTop = 32;
constexpr int kFixedBottom = 52;
// The recess (dark, for the light text) starts below the caption strip and ends above the button strip.
constexpr int kRecessLeft = 8;
constexpr int kRecessTop = 22;
constexpr int kRecessBelow = 44;
constexpr int kCaptionLeft = 22;
constexpr QRect kCaptionStrip(0, 3, 0, 13);  // width: the box's

constexpr int kPadding = 12;
constexpr int kBadge = 32;
constexpr int kTextWidth = 400;  // the text wraps here
constexpr int kMinWidth = 300;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 8;

const char* kStyle =
    "QPushButton { background: #3a3e45; color: #f0ead8; border: 1px solid #8a8e96; border-radius: 3px;"
    " padding: 2px 10px; }"
    "QPushButton:default { border: 2px solid %1; background: #4a4f57; }"
    "QPushButton:pressed { background: #2a2d33; }";

QString BadgeName(menu::MessageKind kind) {
  switch (kind) {
    case menu::MessageKind::kError:
      return QStringLiteral("error");
    case menu::MessageKind::kWarning:
      return QStringLiteral("warning");
    case menu::MessageKind::kInformation:
      return QStringLiteral("information");
    case menu::MessageKind::kConfirmation:
      return QStringLiteral("question");
    case menu::MessageKind::kPlain:
      break;
  }
  return {};
}

// Draws `image` (a picture of the plate's size) stretched over `target`, keeping the fixed margins.
void DrawStretched(QPainter& painter, const QImage& image, const QRect& target) {
  const qreal dpr = image.devicePixelRatio();
  const int xs[4] = {0, kFixedLeft, kPlateWidth - kFixedRight, kPlateWidth};
  const int ys[4] = {0, kFixedTop, kPlateHeight - kFixedBottom, kPlateHeight};
  const int xt[4] = {0, kFixedLeft, target.width() - kFixedRight, target.width()};
  const int yt[4] = {0, kFixedTop, target.height() - kFixedBottom, target.height()};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const QRectF from(xs[column] * dpr, ys[row] * dpr, (xs[column + 1] - xs[column]) * dpr,
                        (ys[row + 1] - ys[row]) * dpr);
      const QRectF to(target.left() + xt[column], target.top() + yt[row], xt[column + 1] - xt[column],
                      yt[row + 1] - yt[row]);
      painter.drawImage(to, image, from);
    }
  }
}

}  // namespace

MessageDialog::MessageDialog(menu::MessageKind kind, const QString& caption, const QString& text,
                             menu::MessageBoxModel& model, platform::CodePage code_page, int night_mode,
                             const QString& font_family, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      kind_(kind),
      caption_(caption),
      model_(model),
      night_mode_(night_mode),
      text_(text),
      answer_(model.EscapeAnswer()) {
  setObjectName(QStringLiteral("MessageBox"));
  setWindowTitle(caption);
  setModal(true);
  setFocusPolicy(Qt::StrongFocus);
  QFont font(font_family);
  font.setPixelSize(13);
  setFont(font);
  const QColor lamp = night_mode_ == 1 ? QColor(0xcb, 0xba, 0xff) : QColor(0xff, 0xae, 0x2a);
  setStyleSheet(QString::fromLatin1(kStyle).arg(lamp.name()));

  const bool badge = !BadgeName(kind_).isEmpty();
  const QRect wrapped =
      fontMetrics().boundingRect(QRect(0, 0, kTextWidth, 4000), Qt::TextWordWrap | Qt::AlignLeft, text_);
  const int text_left = kRecessLeft + kPadding + (badge ? kBadge + kPadding : 0);
  const int inner_height = std::max(wrapped.height(), badge ? kBadge : 0);

  for (const auto& button : model_.buttons()) {
    auto* push = new QPushButton(QString::fromStdString(platform::AnsiToUtf8(button.text, code_page)), this);
    push->setObjectName(QStringLiteral("MessageButton%1").arg(buttons_.size() + 1));
    // The box's model has the keyboard: the buttons never take the focus themselves.
    push->setFocusPolicy(Qt::NoFocus);
    push->setAutoDefault(false);
    const auto answer = button.answer;
    connect(push, &QPushButton::clicked, this, [this, answer] { Answer(answer); });
    buttons_.push_back(push);
  }
  std::vector<int> widths;
  int row = 0;
  for (auto* push : buttons_) {
    widths.push_back(std::max(kButtonWidth, push->sizeHint().width()));
    row += widths.back();
  }
  row += kButtonGap * (static_cast<int>(buttons_.size()) - 1);

  const int width = std::max(
      {kMinWidth, text_left + wrapped.width() + kPadding + kRecessLeft, row + 2 * (kRecessLeft + kPadding)});
  const int height = kRecessTop + kPadding + inner_height + kPadding + kRecessBelow;
  setFixedSize(width, height);
  text_box_ = QRect(text_left, kRecessTop + kPadding + (inner_height - wrapped.height()) / 2, wrapped.width(),
                    wrapped.height());
  int x = (width - row) / 2;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->setGeometry(x, height - kRecessBelow + (kRecessBelow - kButtonHeight) / 2 - 2, widths[i],
                             kButtonHeight);
    x += widths[i] + kButtonGap;
  }
  ShowFocus();
}

menu::MessageAnswer MessageDialog::Ask() {
  if (parentWidget()) {
    const QRect owner = parentWidget()->frameGeometry();
    move(owner.center() - QPoint(width() / 2, height() / 2));
  }
  exec();
  return answer_;
}

void MessageDialog::ShowFocus() {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->setDefault(static_cast<int>(i) == model_.focus());
}

void MessageDialog::Answer(menu::MessageAnswer answer) {
  answer_ = answer;
  accept();
}

void MessageDialog::reject() {
  // Esc, or closing the box from outside.
  answer_ = model_.EscapeAnswer();
  QDialog::reject();
}

bool MessageDialog::event(QEvent* event) {
  // Tab and Shift+Tab move between the buttons through the model, not through Qt's focus chain.
  if (IsTabPress(event)) {
    keyPressEvent(static_cast<QKeyEvent*>(event));
    return true;
  }
  return QDialog::event(event);
}

void MessageDialog::keyPressEvent(QKeyEvent* event) {
  const auto key = KeyFromQt(event->key(), event->modifiers());
  if (!key) {
    event->ignore();
    return;
  }
  const auto answer = model_.KeyDown(*key);
  if (answer) {
    Answer(*answer);
  } else {
    ShowFocus();
  }
}

void MessageDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && windowHandle()) windowHandle()->startSystemMove();
}

void MessageDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QString suffix = night_mode_ == 1 ? QStringLiteral("_night") : QString();
  const QImage& plate =
      artwork_.Render(QStringLiteral(":/art/dialogs/message%1.svg").arg(suffix), devicePixelRatioF());
  if (plate.isNull()) {
    painter.fillRect(rect(), QColor(0x2a, 0x2d, 0x33));
  } else {
    DrawStretched(painter, plate, rect());
  }
  QFont bold = font();
  bold.setBold(true);
  bold.setPixelSize(11);
  painter.setFont(bold);
  painter.setPen(night_mode_ == 1 ? QColor(0xcb, 0xba, 0xff) : QColor(0xff, 0xae, 0x2a));
  const QRect strip(kCaptionLeft, kCaptionStrip.top(), width() - kCaptionLeft - 14, kCaptionStrip.height());
  painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter,
                   painter.fontMetrics().elidedText(caption_, Qt::ElideRight, strip.width()));

  const QString badge = BadgeName(kind_);
  if (!badge.isEmpty()) {
    const QImage& image = artwork_.Render(QStringLiteral(":/art/dialogs/kind_%1%2.svg").arg(badge, suffix),
                                          devicePixelRatioF());
    const int top = kRecessTop + (height() - kRecessTop - kRecessBelow - kBadge) / 2;
    if (!image.isNull()) painter.drawImage(QPointF(kRecessLeft + kPadding, top), image);
  }
  painter.setFont(font());
  painter.setPen(QColor(0xe8, 0xe2, 0xd0));
  painter.drawText(text_box_, Qt::TextWordWrap | Qt::AlignLeft, text_);
}

}  // namespace norva::frontend::qt
