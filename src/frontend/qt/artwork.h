// The window's own pictures: SVG sources embedded under the resource prefix /art, rendered on demand at the
// device pixel ratio and kept for the rest of the run.
//
//   DIBImageList1 entry n     main/NNN.svg
//   ControlsImageList entry n controls/NN.svg
//   BorderImageList 0 / 1     border/border.svg / border/mask.svg
//   animation clip n          anim/clipN.svg (a strip of kClipStripFrames frames side by side)
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <map>
#include <string>
#include <tuple>

namespace norva::frontend::qt {

inline constexpr int kClipStripFrames = 16;

class Artwork {
 public:
  // `root`: the folder that holds main/, controls/, ... (":/art" for the embedded artwork).
  explicit Artwork(QString root = QStringLiteral(":/art"));

  // The resource path of an image list's entry; empty when the list has no artwork of its own.
  QString EntryPath(const std::string& list_name, int index) const;
  QString ClipPath(int clip) const;

  // The picture's size in window pixels (the SVG's width and height); empty when there is no such file.
  QSize SizeOf(const QString& path);
  // The picture rendered at `dpr` device pixels per window pixel (its devicePixelRatio is set, so it paints
  // at its window size). A null image when the file is missing or not a picture.
  const QImage& Render(const QString& path, qreal dpr);

  // Drops every rendered picture (the device pixel ratio changed, or memory is wanted back).
  void Clear() { rendered_.clear(); }

 private:
  QString root_;
  std::map<QString, QSize> sizes_;
  std::map<std::tuple<QString, qreal>, QImage> rendered_;
};

}  // namespace norva::frontend::qt
