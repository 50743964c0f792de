// Paints the control model of a window: its controls bottom to top, containers clipping their children,
// pictures at their opacity, texts natively at the painter's resolution.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cstdint>

#include "components/animation.h"
#include "components/fade_label.h"
#include "components/image_control.h"
#include "components/window.h"
#include "frontend/qt/artwork.h"
#include "frontend/qt/font_map.h"
#include "frontend/qt/qt_image_loader.h"
#include "platform/code_page.h"

namespace norva::frontend::qt {

class ModelPainter {
 public:
  // None of the three is owned; all must outlive the painter.
  ModelPainter(Artwork& artwork, QtImageLoader& pictures, const FontMap& fonts)
      : artwork_(artwork), pictures_(pictures), fonts_(fonts) {}

  // Paints the whole window in window coordinates onto `painter`, whose device has `dpr` device pixels per
  // window pixel. The background is black.
  void Paint(const components::Window& window, QPainter& painter, qreal dpr);

  // The window's outline while its shaper is active: the inside (white) of the mask picture; an empty region
  // when the shaper is off or the mask is missing.
  QRegion Shape(const components::Window& window);

  // A fingerprint of everything Paint draws; equal fingerprints paint the same picture, so a front end
  // repaints only when it changes.
  // Animations are left out of it unless `with_animations`: their frames are followed one by one, so that a
  // new frame repaints only its own rectangle.
  static std::uint64_t Fingerprint(const components::Window& window, bool with_animations = true);

  // The code page of the captions (the edition's).
  platform::CodePage code_page = platform::CodePage::kCentralEuropean;

  // The picture an image control shows (artwork or a replaced file), or null.
  const QImage* PictureOf(const components::ImageControl& image, qreal dpr);

 private:
  void PaintControl(const components::Control& control, QPainter& painter, qreal dpr);
  void PaintImage(const components::ImageControl& image, QPainter& painter, qreal dpr);
  void PaintLabel(const components::FadeLabel& label, QPainter& painter);
  void PaintAnimation(const components::Animation& animation, QPainter& painter, qreal dpr);

  Artwork& artwork_;
  QtImageLoader& pictures_;
  const FontMap& fonts_;
};

// One line of a label as it is drawn: the caption, set a little closer when that makes it fit, else cut
// with an ellipsis ("…") at the end; its font and its width in pixels.
struct LabelLine {
  QString text;
  QFont font;
  qreal width = 0;
};
LabelLine FitLabelLine(const QString& text, const QFont& font, int width);
// Letters are set at most this many pixels closer before a line is cut instead.
inline constexpr qreal kMaxLetterSqueeze = 0.6;

// How far above the baseline the font's accented capitals reach (at least its ascent).
qreal AccentRise(const QFont& font);

// "&&" shown as one ampersand; a lone "&" (a shortcut mark in the window system) is not shown.
QString LabelText(const std::string& caption_utf8);

}  // namespace norva::frontend::qt
