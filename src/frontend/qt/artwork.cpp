#include "frontend/qt/artwork.h"

#include <QDataStream>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cmath>
#include <vector>

namespace norva::frontend::qt {
namespace {

const QString kEmbeddedRoot = QStringLiteral(":/art");

// An opaque picture is kept without its alpha channel, so that painting it is a copy rather than a blend.
QImage WithoutUnusedAlpha(QImage image) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0, width = image.width(); x < width; ++x) {
      if (qAlpha(row[x]) != 255) return image;
    }
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

// Renders `view` (a part of the drawing, in its own units) into a picture of `size` window pixels at `dpr`.
QImage Rasterize(QSvgRenderer& renderer, const QRectF& view, QSizeF size, qreal dpr) {
  const QRectF whole = renderer.viewBoxF();
  renderer.setViewBox(view);
  QImage image(static_cast<int>(std::ceil(size.width() * dpr)),
               static_cast<int>(std::ceil(size.height() * dpr)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
  painter.end();
  renderer.setViewBox(whole);
  image.setDevicePixelRatio(dpr);
  return WithoutUnusedAlpha(std::move(image));
}

}  // namespace

QSize SvgDeclaredSize(const QByteArray& start) {
  const qsizetype open = start.indexOf("<svg");
  if (open < 0) return {};
  const qsizetype close = start.indexOf('>', open);
  if (close < 0) return {};
  const QString tag = QString::fromLatin1(start.mid(open, close - open));
  static const QRegularExpression kWidth(QStringLiteral("\\swidth=\"(\\d+)\""));
  static const QRegularExpression kHeight(QStringLiteral("\\sheight=\"(\\d+)\""));
  const auto width = kWidth.match(tag);
  const auto height = kHeight.match(tag);
  if (!width.hasMatch() || !height.hasMatch()) return {};
  return QSize(width.captured(1).toInt(), height.captured(1).toInt());
}

QRegion MaskRegion(const QImage& mask) {
  // Row by row, the runs of light pixels; a row equal to the one above widens that band instead of adding
  // one, as the region's banded form wants (and a border's rows mostly repeat).
  std::vector<QRect> rects;
  std::vector<std::pair<int, int>> runs, band;  // [left, right) of the current row, of the open band
  std::size_t band_start = 0;                   // the open band's first rectangle in `rects`
  int band_top = 0;
  const auto close_band = [&](int bottom) {
    for (std::size_t i = 0; i < band.size(); ++i) {
      rects[band_start + i].setBottom(bottom - 1);
    }
  };
  const bool direct =
      mask.format() == QImage::Format_ARGB32_Premultiplied || mask.format() == QImage::Format_RGB32;
  const QImage image = direct ? mask : mask.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int width = image.width();
  const int height = image.height();
  // Inside where the mask is light; anti-aliased edges split at mid-grey.
  const auto inside = [](QRgb pixel) { return qAlpha(pixel) >= 128 && qGray(pixel) >= 128; };
  for (int y = 0; y < height; ++y) {
    runs.clear();
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    while (x < width) {
      while (x < width && !inside(row[x])) ++x;
      const int left = x;
      while (x < width && inside(row[x])) ++x;
      if (x > left) runs.emplace_back(left, x);
    }
    if (runs == band && !band.empty()) continue;
    close_band(y);
    band = runs;
    band_top = y;
    band_start = rects.size();
    for (const auto& [left, right] : runs)
      rects.emplace_back(QPoint(left, band_top), QPoint(right - 1, band_top));
  }
  close_band(height);
  QRegion region;
  if (!rects.empty()) region.setRects(rects.data(), static_cast<int>(rects.size()));
  return region;
}

Artwork::Artwork(QString root)
    : Artwork(root, ArtworkCache(root == kEmbeddedRoot ? ArtworkCache::DefaultFolder() : QString())) {}

Artwork::Artwork(QString root, ArtworkCache cache) : root_(std::move(root)), cache_(std::move(cache)) {}

Artwork::~Artwork() = default;

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
  QSize size;
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) size = SvgDeclaredSize(file.read(1024));
  if (size.isEmpty()) {
    // Not declared in plain numbers at the start: the renderer works it out.
    QSvgRenderer renderer(path);
    if (renderer.isValid()) size = renderer.defaultSize();
  }
  sizes_.emplace(path, size);
  return size;
}

QString Artwork::CacheName(const QString& path, int frame, qreal dpr) const {
  if (!path.startsWith(root_ + QLatin1Char('/')) || !path.endsWith(QStringLiteral(".svg"))) return {};
  QString name = path.mid(root_.size() + 1);
  name.chop(4);
  name.replace(QLatin1Char('/'), QLatin1Char('-'));
  if (frame >= 0) name += QStringLiteral("-f%1").arg(frame);
  return name + QLatin1Char('@') + QString::number(dpr, 'g', 6) + QStringLiteral(".px");
}

QSvgRenderer* Artwork::RendererOf(const QString& path) {
  auto& renderer = renderers_[path];
  if (!renderer) renderer = std::make_unique<QSvgRenderer>(path);
  return renderer->isValid() ? renderer.get() : nullptr;
}

QImage Artwork::KeepInCache(const QString& name, QImage image) {
  cache_.Store(name, image);
  // The kept file's pages are the system's to drop and read again; the rendered copy would be ours for good.
  QImage mapped = cache_.Load(name);
  return mapped.isNull() ? image : mapped;
}

const QImage& Artwork::Keep(const QString& path, int frame, qreal dpr, QImage image) {
  return rendered_.insert_or_assign(std::make_tuple(path, frame, dpr), std::move(image)).first->second;
}

const QImage& Artwork::Render(const QString& path, qreal dpr) {
  static const QImage kNone;
  if (path.isEmpty()) return kNone;
  auto it = rendered_.find(std::make_tuple(path, -1, dpr));
  if (it != rendered_.end()) return it->second;
  const QString name = CacheName(path, -1, dpr);
  QImage image = cache_.Load(name);
  if (image.isNull()) {
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
      image = Rasterize(renderer, renderer.viewBoxF(), renderer.defaultSize(), dpr);
      image = KeepInCache(name, std::move(image));
    }
  }
  return Keep(path, -1, dpr, std::move(image));
}

QRegion Artwork::Outline(const QString& path) {
  const QString name = CacheName(path, -1, 1.0).replace(QStringLiteral(".px"), QStringLiteral(".region"));
  if (const auto kept = cache_.LoadData(name)) {
    QDataStream in(*kept);
    QRegion region;
    in >> region;
    if (in.status() == QDataStream::Ok && in.atEnd()) return region;
  }
  const QImage& mask = Render(path, 1.0);
  if (mask.isNull()) return {};
  const QRegion region = MaskRegion(mask);
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out << region;
  cache_.StoreData(name, bytes);
  return region;
}

const QImage& Artwork::RenderFrame(const QString& path, int frame, qreal dpr) {
  static const QImage kNone;
  if (path.isEmpty() || frame < 0 || frame >= kClipStripFrames) return kNone;
  auto it = rendered_.find(std::make_tuple(path, frame, dpr));
  if (it != rendered_.end()) return it->second;
  const QString name = CacheName(path, frame, dpr);
  QImage image = cache_.Load(name);
  if (image.isNull()) {
    if (QSvgRenderer* renderer = RendererOf(path)) {
      const QRectF strip = renderer->viewBoxF();
      const qreal width = strip.width() / kClipStripFrames;
      const QSize size = renderer->defaultSize();
      image = Rasterize(*renderer, QRectF(strip.left() + frame * width, strip.top(), width, strip.height()),
                        QSizeF(size.width() / static_cast<qreal>(kClipStripFrames), size.height()), dpr);
      image = KeepInCache(name, std::move(image));
    }
  }
  return Keep(path, frame, dpr, std::move(image));
}

}  // namespace norva::frontend::qt
