// The picture decoder of the window: QImageReader (JPEG through libjpeg-turbo, Windows bitmaps), the kind
// taken from the file's content. Entries of an image list that were replaced from a file are decoded once
// per replacement (the entry's generation) and kept until the entry is replaced again; the menu loads a file
// before it puts it into a list, and that decode is the one the entry shows.
#pragma once

#include <QImage>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <utility>

#include "components/image_list.h"
#include "components/image_loader.h"

namespace norva::frontend::qt {

class QtImageLoader : public components::ImageLoader {
 public:
  components::ImageLoadResult Load(const std::string& host_path) override;

  // The decoded picture of a file, as a QImage; `error` (optional) gets the reason of a failure.
  static QImage Read(const std::string& host_path, std::string* error);

  // The picture of an entry replaced from a file (null when the entry holds artwork, or the file does not
  // decode). `list` must outlive the loader's use of it.
  const QImage& Entry(const components::ImageList& list, int index);
  // Number of files decoded so far, for tests of the cache rule.
  int decodes() const { return decodes_; }

 private:
  struct Cached {
    std::uint64_t generation = 0;
    QImage image;
  };
  std::map<std::pair<const components::ImageList*, int>, Cached> entries_;
  // Files loaded by the menu and not yet shown, newest last; a few at most.
  std::deque<std::pair<std::string, QImage>> loaded_;
  int decodes_ = 0;
};

}  // namespace norva::frontend::qt
