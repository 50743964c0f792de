#include "frontend/qt/qt_text_fit.h"

#include <QFontMetrics>

#include "frontend/qt/model_painter.h"

namespace norva::frontend::qt {

bool QtTextFit::FitsLine(std::string_view text, const components::Font& font, int width) {
  const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  // A line that fits only set closer still shows every letter; a cut one ends in an ellipsis.
  return FitLabelLine(shown, fonts_.Font(font), width).text == shown;
}

bool QtTextFit::FitsBox(std::string_view text, const components::Font& font, int width, int height) {
  const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFontMetrics metrics(fonts_.Font(font));
  const QRect needed =
      metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::AlignTop | Qt::TextWordWrap, shown);
  return needed.height() <= height;
}

}  // namespace norva::frontend::qt
