// Rendered artwork kept on disk between runs, so that a start draws its pictures without rendering their
// sources again. One file a picture and scale, holding its premultiplied pixels as they are in memory; a
// picture is mapped from its file, not read, so a start pays only for the pages it paints.
//
// The folder is named after the artwork set (a hash of every source and of the renderer's version), so that
// new artwork never meets old pixels; the folders of other sets are removed once they have not been used for
// a while (another installed version may still use its own).
#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace norva::frontend::qt {

class ArtworkCache {
 public:
  // `folder`: the artwork set's folder; empty for no cache (nothing is kept).
  explicit ArtworkCache(QString folder = {});

  // The default cache of the embedded artwork: <cache home>/norva/art/<set>; empty when there is no set id.
  static QString DefaultFolder();

  // The kept picture of `name` (a file name: letters, digits, '.', '-', '_'), or a null image when there is
  // none or its file is not whole. The pixels stay mapped for the cache's lifetime.
  QImage Load(const QString& name);
  // Keeps `image` under `name`; a failure to write is not an error (the picture is rendered again next time).
  void Store(const QString& name, const QImage& image);

  // Other things worked out from the artwork (a window outline): their bytes, or nothing.
  std::optional<QByteArray> LoadData(const QString& name) const;
  void StoreData(const QString& name, const QByteArray& bytes);

  // Removes the folders of other artwork sets beside this one that have not been used for `days` days.
  void RemoveStaleSets(int days) const;

  bool enabled() const { return !folder_.isEmpty(); }

 private:
  // Makes the folder on the first write; false when it cannot be made (the cache is then off).
  bool MakeFolder();

  QString folder_;
  bool made_ = false;  // the folder was checked or made in this run
  std::vector<std::unique_ptr<QFile>> mapped_;
};

}  // namespace norva::frontend::qt
