#include "frontend/qt/qt_image_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>
#include <iterator>

#include "platform/wine/host_file.h"

namespace norva::frontend::qt {
namespace {

// The menu loads a file just before it shows it; more than a gallery's worth waiting is not kept.
constexpr std::size_t kLoadedKept = 8;

// The Qt name of a picture's kind by its first bytes: the menu's bitmaps and JPEG files; empty for others.
QByteArray KindOf(const QByteArray& data) {
  if (data.startsWith("BM")) return QByteArrayLiteral("bmp");
  if (data.startsWith("\xFF\xD8\xFF")) return QByteArrayLiteral("jpeg");
  return {};
}

}  // namespace

QImage QtImageLoader::Read(const std::string& host_path, std::string* error) {
  // The bytes are read by us, not by Qt: only a regular file is opened, and never so that it can block.
  const auto bytes = platform::wine::ReadRegularHostFile(host_path, components::kMaxPictureBytes);
  if (!bytes) {
    if (error) *error = "cannot open the file";
    return QImage();
  }
  QByteArray data = QByteArray::fromRawData(bytes->data(), static_cast<qsizetype>(bytes->size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  // The kind comes from the content: a .jpg that holds a bitmap still loads. The menu's two kinds are told
  // by their first bytes, so that Qt does not load every picture plugin it has to ask each of them.
  const QByteArray kind = KindOf(data);
  QImageReader reader(&buffer, kind);
  reader.setAutoDetectImageFormat(kind.isEmpty());
  reader.setDecideFormatFromContent(kind.isEmpty());
  QImage image = reader.read();
  if (image.isNull() && error) {
    switch (reader.error()) {
      case QImageReader::UnsupportedFormatError:
        *error = "not a JPEG file or bitmap";
        break;
      default:
        *error = "the picture is damaged";
        break;
    }
  }
  return image;
}

components::ImageLoadResult QtImageLoader::Load(const std::string& host_path) {
  components::ImageLoadResult result;
  const QImage image = Read(host_path, &result.error);
  ++decodes_;
  if (image.isNull()) return result;
  loaded_.emplace_back(host_path, image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  if (loaded_.size() > kLoadedKept) loaded_.pop_front();
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  result.image.width = rgb.width();
  result.image.height = rgb.height();
  result.image.rgb.resize(static_cast<std::size_t>(rgb.width()) * rgb.height() * 3);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = rgb.constScanLine(y);
    std::copy(row, row + rgb.width() * 3,
              result.image.rgb.begin() + static_cast<std::ptrdiff_t>(y) * rgb.width() * 3);
  }
  return result;
}

const QImage& QtImageLoader::Entry(const components::ImageList& list, int index) {
  static const QImage kNone;
  const std::string& source = list.SourceFile(index);
  if (source.empty()) return kNone;
  auto& cached = entries_[{&list, index}];
  const std::uint64_t generation = list.Generation(index);
  if (cached.generation != generation) {
    cached.generation = generation;
    const auto fresh = std::find_if(loaded_.rbegin(), loaded_.rend(),
                                    [&source](const auto& loaded) { return loaded.first == source; });
    if (fresh != loaded_.rend()) {
      cached.image = std::move(fresh->second);
      loaded_.erase(std::next(fresh).base());
    } else {
      cached.image = Read(source, nullptr).convertToFormat(QImage::Format_ARGB32_Premultiplied);
      ++decodes_;
    }
  }
  return cached.image;
}

}  // namespace norva::frontend::qt
