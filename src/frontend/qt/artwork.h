// The window's own pictures: SVG sources embedded under the resource prefix /art, rendered on demand at the
// device pixel ratio and kept for the rest of the run (and, through the artwork cache, for later runs).
//
//   DIBImageList1 entry n     main/NNN.svg
//   ControlsImageList entry n controls/NN.svg
//   BorderImageList 0 / 1     border/border.svg / border/mask.svg
//   animation clip n          anim/clipN.svg (a strip of kClipStripFrames frames side by side)
#pragma once

#include <QImage>
#include <QRegion>
#include <QSize>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "frontend/qt/artwork_cache.h"

class QSvgRenderer;

namespace norva::frontend::qt {

inline constexpr int kClipStripFrames = 16;

class Artwork {
 public:
  // `root`: the folder that holds main/, controls/, ... (":/art" for the embedded artwork). The embedded
  // artwork is kept in the default cache unless `cache` is given.
  explicit Artwork(QString root = QStringLiteral(":/art"));
  Artwork(QString root, ArtworkCache cache);
  ~Artwork();

  // The resource path of an image list's entry; empty when the list has no artwork of its own.
  QString EntryPath(const std::string& list_name, int index) const;
  QString ClipPath(int clip) const;

  // The picture's size in window pixels (the SVG's width and height); empty when there is no such file.
  QSize SizeOf(const QString& path);
  // The picture rendered at `dpr` device pixels per window pixel (its devicePixelRatio is set, so it paints
  // at its window size). A null image when the file is missing or not a picture.
  const QImage& Render(const QString& path, qreal dpr);
  // Frame `frame` (0 .. kClipStripFrames - 1) of a clip's strip, rendered alone at `dpr`.
  const QImage& RenderFrame(const QString& path, int frame, qreal dpr);

  // The light part (the inside) of a mask picture, in window pixels; kept in the cache like a picture.
  QRegion Outline(const QString& path);

  // Drops every rendered picture held in memory (the device pixel ratio changed, or memory is wanted back).
  void Clear() { rendered_.clear(); }

 private:
  // The picture's name in the cache: its path below the root and the scale, e.g. "anim-clip4-f3@1.5".
  QString CacheName(const QString& path, int frame, qreal dpr) const;
  QSvgRenderer* RendererOf(const QString& path);
  // Stores a rendered picture and answers its mapped copy (the picture itself without a cache).
  QImage KeepInCache(const QString& name, QImage image);
  const QImage& Keep(const QString& path, int frame, qreal dpr, QImage image);

  QString root_;
  ArtworkCache cache_;  // before the pictures: a cached picture's pixels live in the cache's mappings
  std::map<QString, QSize> sizes_;
  std::map<std::tuple<QString, int, qreal>, QImage> rendered_;
  std::map<QString, std::unique_ptr<QSvgRenderer>> renderers_;  // clips only: one parse for all frames
};

// The light part of a mask picture (mid-grey and above, mostly opaque), in the picture's pixels.
QRegion MaskRegion(const QImage& mask);

// The width and height of an SVG's root element, read from its start without parsing the drawing; empty when
// they are not plain numbers there.
QSize SvgDeclaredSize(const QByteArray& start);

}  // namespace norva::frontend::qt
