#include "frontend/qt/model_painter.h"

#include <QFontMetricsF>
#include <QHash>
#include <algorithm>
#include <cmath>

#include "components/animation.h"
#include "components/container.h"
#include "components/fade_label.h"
#include "components/image_control.h"
#include "platform/code_page.h"

namespace norva::frontend::qt {
namespace {

using components::Control;
using components::ControlKind;

QColor FromColorRef(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

QRect ToQRect(const components::Rect& r) {
  return QRect(r.left, r.top, r.width, r.height);
}

// FNV-1a, enough to tell frames apart.
struct Hasher {
  std::uint64_t value = 1469598103934665603ull;
  void Add(std::uint64_t v) {
    for (int i = 0; i < 8; ++i) {
      value ^= (v >> (i * 8)) & 0xFF;
      value *= 1099511628211ull;
    }
  }
  void Add(const std::string& s) {
    for (unsigned char c : s) {
      value ^= c;
      value *= 1099511628211ull;
    }
    Add(s.size());
  }
};

// Capitals with the tallest accents of the editions' alphabets.
const QString& AccentedCapitals() {
  static const QString capitals = QString::fromUtf8(
      "\u00C1\u00C9\u00CD\u00D3\u00DA\u016E\u00DD\u010C\u010E\u011A\u0147\u0158\u0160\u0164\u017D\u00C4\u00D6"
      "\u00DC\u0130\u015E\u0102\u00C2");
  return capitals;
}

}  // namespace

qreal AccentRise(const QFont& font) {
  static QHash<QString, qreal> rises;
  const QString key = font.key();
  auto it = rises.constFind(key);
  if (it != rises.constEnd()) return *it;
  const QFontMetricsF metrics(font);
  const qreal rise = std::max(metrics.ascent(), -metrics.tightBoundingRect(AccentedCapitals()).top());
  rises.insert(key, rise);
  return rise;
}

LabelLine FitLabelLine(const QString& text, const QFont& font, int width) {
  const QFontMetricsF metrics(font);
  const qreal natural = metrics.horizontalAdvance(text);
  if (natural <= width) return {text, font, natural};
  // A caption a few pixels too wide keeps all its letters, set a little closer.
  const qreal squeeze = (natural - width) / static_cast<qreal>(text.size()) + 0.01;
  if (squeeze <= kMaxLetterSqueeze) {
    QFont closer = font;
    closer.setLetterSpacing(QFont::AbsoluteSpacing, -squeeze);
    const qreal advance = QFontMetricsF(closer).horizontalAdvance(text);
    if (advance <= width) return {text, closer, advance};
  }
  const QString elided = metrics.elidedText(text, Qt::ElideRight, width);
  return {elided, font, metrics.horizontalAdvance(elided)};
}

QString LabelText(const std::string& caption_utf8) {
  const QString text = QString::fromStdString(caption_utf8);
  QString shown;
  shown.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&')) {
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
        shown += QLatin1Char('&');
        ++i;
      }
      continue;
    }
    shown += text[i];
  }
  return shown;
}

const QImage* ModelPainter::PictureOf(const components::ImageControl& image, qreal dpr) {
  if (!image.ShowsPicture()) return nullptr;
  const components::ImageList& list = *image.images;
  if (!list.SourceFile(image.image).empty()) {
    const QImage& decoded = pictures_.Entry(list, image.image);
    return decoded.isNull() ? nullptr : &decoded;
  }
  const QImage& art = artwork_.Render(artwork_.EntryPath(list.name(), image.image), dpr);
  return art.isNull() ? nullptr : &art;
}

void ModelPainter::Paint(const components::Window& window, QPainter& painter, qreal dpr) {
  painter.fillRect(QRect(0, 0, window.width, window.height), Qt::black);
  for (const auto& control : window.controls()) PaintControl(*control, painter, dpr);
}

void ModelPainter::PaintControl(const Control& control, QPainter& painter, qreal dpr) {
  if (!control.visible) return;
  // Most repaints cover one animation's rectangle: skip what lies outside (auto-sized pictures may grow).
  const bool may_grow =
      control.kind() == ControlKind::Image && static_cast<const components::ImageControl&>(control).auto_size;
  if (!may_grow && painter.hasClipping() &&
      !painter.clipBoundingRect().intersects(QRectF(ToQRect(control.rect)))) {
    return;
  }
  switch (control.kind()) {
    case ControlKind::Image:
    case ControlKind::PictureButton:
      PaintImage(static_cast<const components::ImageControl&>(control), painter, dpr);
      break;
    case ControlKind::FadeLabel:
      PaintLabel(static_cast<const components::FadeLabel&>(control), painter);
      break;
    case ControlKind::Animation:
      PaintAnimation(static_cast<const components::Animation&>(control), painter, dpr);
      break;
    case ControlKind::Container: {
      const auto& container = static_cast<const components::Container&>(control);
      painter.save();
      painter.translate(control.rect.left, control.rect.top);
      painter.setClipRect(QRect(0, 0, control.rect.width, control.rect.height), Qt::IntersectClip);
      for (const auto& child : container.children()) PaintControl(*child, painter, dpr);
      painter.restore();
      break;
    }
  }
}

void ModelPainter::PaintImage(const components::ImageControl& image, QPainter& painter, qreal dpr) {
  if (image.opacity <= 0) return;
  const QImage* picture = PictureOf(image, dpr);
  if (!picture) return;
  painter.save();
  painter.setOpacity(image.opacity / 255.0);
  const QRect r = ToQRect(image.rect);
  if (image.stretch) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(r), *picture);
  } else {
    // At its own size from the top-left corner, cut to the control (an auto-sized control grows to fit).
    if (!image.auto_size) painter.setClipRect(r, Qt::IntersectClip);
    painter.drawImage(r.topLeft(), *picture);
  }
  painter.restore();
}

void ModelPainter::PaintLabel(const components::FadeLabel& label, QPainter& painter) {
  if (label.opacity <= 0 || label.caption.empty()) return;
  painter.save();
  painter.setOpacity(label.opacity / 255.0);
  const QFont font = fonts_.Font(label.font);
  painter.setFont(font);
  painter.setPen(FromColorRef(label.ShownColor()));
  const QRect r = ToQRect(label.rect);
  const QString text = LabelText(platform::AnsiToUtf8(label.caption, code_page));
  if (label.word_wrap) {
    int flags = Qt::AlignTop | Qt::TextWordWrap;
    switch (label.alignment) {
      case components::Alignment::Left:
        flags |= Qt::AlignLeft;
        break;
      case components::Alignment::Center:
        flags |= Qt::AlignHCenter;
        break;
      case components::Alignment::Right:
        flags |= Qt::AlignRight;
        break;
    }
    painter.setClipRect(r, Qt::IntersectClip);
    painter.drawText(r, flags, text);
    painter.restore();
    return;
  }
  const LabelLine line = FitLabelLine(text, font, r.width());
  painter.setFont(line.font);
  const QFontMetricsF metrics(line.font);
  const qreal rise = AccentRise(line.font);
  const int baseline = r.top() + qRound(label.room_for_accents ? rise : metrics.ascent());
  qreal x = r.left();
  if (label.alignment == components::Alignment::Center) x += (r.width() - line.width) / 2;
  if (label.alignment == components::Alignment::Right) x += r.width() - line.width;
  // The box cuts the line at its sides only: accents above it and descenders below it stay whole.
  const qreal top = std::min<qreal>(r.top(), baseline - rise - 1);
  const qreal bottom = std::max<qreal>(r.top() + r.height(), baseline + metrics.descent() + 1);
  painter.setClipRect(QRectF(r.left(), top, r.width(), bottom - top), Qt::IntersectClip);
  painter.drawText(QPointF(std::round(x), baseline), line.text);
  painter.restore();
}

void ModelPainter::PaintAnimation(const components::Animation& animation, QPainter& painter, qreal dpr) {
  if (!animation.open()) return;
  const QString path = artwork_.ClipPath(animation.clip());
  const int frame = std::clamp(animation.CurrentFrame(), 0, kClipStripFrames - 1);
  const QImage& picture = artwork_.RenderFrame(path, frame, dpr);
  if (picture.isNull()) return;
  const QRect r = ToQRect(animation.rect);
  painter.save();
  painter.setClipRect(r, Qt::IntersectClip);
  // At the frame's own size in window pixels.
  painter.drawImage(QPointF(r.left(), r.top()), picture);
  painter.restore();
}

QRegion ModelPainter::Shape(const components::Window& window) {
  const components::Shaper* shaper = window.shaper();
  if (!shaper || !shaper->active) return {};
  for (const auto& list : window.image_lists()) {
    for (int i = 0; i < list->count(); ++i) {
      if (list->DisplayName(i) != shaper->mask) continue;
      return artwork_.Outline(artwork_.EntryPath(list->name(), i));
    }
  }
  return {};
}

std::uint64_t ModelPainter::Fingerprint(const components::Window& window, bool with_animations) {
  Hasher h;
  h.Add(static_cast<std::uint64_t>(window.width));
  h.Add(static_cast<std::uint64_t>(window.height));
  h.Add(window.shaper() && window.shaper()->active ? 1 : 0);
  window.Visit([&h, with_animations](const Control& c) {
    if (!with_animations && c.kind() == ControlKind::Animation) return;
    h.Add(static_cast<std::uint64_t>(c.visible));
    if (!c.visible) return;
    h.Add((static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.rect.left)) << 32) |
          static_cast<std::uint32_t>(c.rect.top));
    h.Add((static_cast<std::uint64_t>(static_cast<std::uint32_t>(c.rect.width)) << 32) |
          static_cast<std::uint32_t>(c.rect.height));
    switch (c.kind()) {
      case ControlKind::Image:
      case ControlKind::PictureButton: {
        const auto& image = static_cast<const components::ImageControl&>(c);
        h.Add(reinterpret_cast<std::uintptr_t>(image.images));
        h.Add(static_cast<std::uint64_t>(image.image));
        h.Add(static_cast<std::uint64_t>(image.opacity) | (image.stretch ? 1ull << 40 : 0));
        if (image.ShowsPicture()) h.Add(image.images->Generation(image.image));
        break;
      }
      case ControlKind::FadeLabel: {
        const auto& label = static_cast<const components::FadeLabel&>(c);
        h.Add(label.caption);
        h.Add(label.font.name);
        h.Add(static_cast<std::uint64_t>(label.ShownColor()) |
              (static_cast<std::uint64_t>(label.opacity) << 32));
        h.Add(static_cast<std::uint64_t>(label.font.size) | (label.font.bold ? 1ull << 40 : 0) |
              (static_cast<std::uint64_t>(label.alignment) << 48) | (label.word_wrap ? 1ull << 56 : 0) |
              (label.room_for_accents ? 1ull << 57 : 0));
        break;
      }
      case ControlKind::Animation: {
        const auto& animation = static_cast<const components::Animation&>(c);
        h.Add(static_cast<std::uint64_t>(animation.clip()));
        h.Add(static_cast<std::uint64_t>(animation.CurrentFrame()));
        break;
      }
      case ControlKind::Container:
        break;
    }
  });
  return h.value;
}

}  // namespace norva::frontend::qt
