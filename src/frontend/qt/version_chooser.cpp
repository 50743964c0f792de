#include "frontend/qt/version_chooser.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace norva::frontend::qt {
namespace {

constexpr int kFirstResult = 11;

int Units(double count, int unit) {
  return static_cast<int>(std::lround(count * unit));
}

}  // namespace

int AverageCharWidth(const QFontMetrics& metrics) {
  return metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
         52;
}

ChooserLayout LayoutChooser(int cx, int cy, QSize message, int count) {
  ChooserLayout layout;
  const int margin_x = Units(2, cx);
  const int margin_y = cy;
  const int button_w = Units(12.5, cx);
  const int button_h = Units(1.75, cy);
  const int gap = cx;
  const int row = count > 0 ? count * button_w + (count - 1) * gap : 0;
  const int inner = std::max(message.width(), row);
  layout.message = QRect(QPoint(margin_x, margin_y), message);
  const int buttons_top = margin_y + message.height() + Units(1.25, cy);
  layout.client = QSize(inner + 2 * margin_x, buttons_top + (count > 0 ? button_h : 0) + margin_y);
  int left = (layout.client.width() - row) / 2;
  for (int i = 0; i < count; ++i) {
    layout.buttons.emplace_back(left, buttons_top, button_w, button_h);
    left += button_w + gap;
  }
  return layout;
}

VersionChooser::VersionChooser(const QString& caption, const QString& prompt, const QStringList& labels,
                               QRect screen, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setWindowTitle(caption);
  setModal(true);
  const QFontMetrics metrics(font());
  const int cx = AverageCharWidth(metrics);
  const int cy = metrics.height();
  const QRect text = metrics.boundingRect(QRect(0, 0, std::max(1, screen.width() / 2), 0),
                                          Qt::TextWordWrap | Qt::AlignLeft, prompt);
  layout_ = LayoutChooser(cx, cy, text.size(), static_cast<int>(labels.size()));

  auto* message = new QLabel(prompt, this);
  message->setObjectName(QStringLiteral("Message"));
  message->setWordWrap(true);
  message->setGeometry(layout_.message);
  for (int i = 0; i < static_cast<int>(labels.size()); ++i) {
    auto* button = new QPushButton(labels[i], this);
    button->setGeometry(layout_.buttons[static_cast<std::size_t>(i)]);
    if (i == 0) button->setDefault(true);
    connect(button, &QPushButton::clicked, this, [this, i] { done(kFirstResult + i); });
  }
  setFixedSize(layout_.client);
  move(screen.center() - QPoint(layout_.client.width() / 2, layout_.client.height() / 2));
}

std::optional<std::size_t> VersionChooser::Choose() {
  // exec's own results (rejected, accepted) lie below the buttons' ones.
  const int result = exec();
  if (result < kFirstResult) return std::nullopt;
  return static_cast<std::size_t>(result - kFirstResult);
}

}  // namespace norva::frontend::qt
