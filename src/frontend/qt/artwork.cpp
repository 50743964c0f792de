#include "frontend/qt/artwork.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

namespace norva::frontend::qt {

Artwork::Artwork(QString root) : root_(std::move(root)) {}

QString Artwork::EntryPath(const std::string& list_name, int index) const {
  if (index < 0) return {};
  if (list_name == "DIBImageList1") {
    return root_ + QStringLiteral("/main/%1.svg").arg(index, 3, 10, QLatin1Char('0'));
  }
  if (list_name == "ControlsImageList") {
    return root_ + QStringLiteral("/controls/%1.svg").arg(index, 2, 10, QLatin1Char('0'));
  }
  if (list_name == "BorderImageList") {
    if (index == 0) return root_ + QStringLiteral("/border/border.svg");
    if (index == 1) return root_ + QStringLiteral("/border/mask.svg");
  }
  return {};
}

QString Artwork::ClipPath(int clip) const {
  return root_ + QStringLiteral("/anim/clip%1.svg").arg(clip);
}

QSize Artwork::SizeOf(const QString& path) {
  if (path.isEmpty()) return {};
  auto it = sizes_.find(path);
  if (it != sizes_.end()) return it->second;
  QSvgRenderer renderer(path);
  const QSize size = renderer.isValid() ? renderer.defaultSize() : QSize();
  sizes_.emplace(path, size);
  return size;
}

const QImage& Artwork::Render(const QString& path, qreal dpr) {
  static const QImage kNone;
  if (path.isEmpty()) return kNone;
  const auto key = std::make_tuple(path, dpr);
  auto it = rendered_.find(key);
  if (it != rendered_.end()) return it->second;
  QImage image;
  QSvgRenderer renderer(path);
  if (renderer.isValid()) {
    const QSize size = renderer.defaultSize();
    image = QImage(static_cast<int>(std::ceil(size.width() * dpr)),
                   static_cast<int>(std::ceil(size.height() * dpr)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
    painter.end();
    image.setDevicePixelRatio(dpr);
  }
  return rendered_.emplace(key, std::move(image)).first->second;
}

}  // namespace norva::frontend::qt
