#include "frontend/qt/artwork_cache.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstring>

namespace norva::frontend::qt {
namespace {

// A kept picture's file: this header, then its rows as QImage holds them. 64 bytes keep the rows aligned
// for the painter's vector code.
struct Header {
  char magic[8];
  quint32 width;
  quint32 height;
  quint32 bytes_per_line;
  quint32 format;
  double device_pixel_ratio;
  char reserved[32];
};
static_assert(sizeof(Header) == 64);

constexpr char kMagic[8] = {'N', 'O', 'R', 'V', 'A', 'P', 'X', '1'};
// Pictures with an alpha channel, and opaque ones without.
bool IsKeptFormat(quint32 format) {
  return format == QImage::Format_ARGB32_Premultiplied || format == QImage::Format_RGB32;
}

bool IsPlainName(const QString& name) {
  if (name.isEmpty() || name.startsWith(QLatin1Char('.'))) return false;
  for (const QChar c : name) {
    if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('.') && c != QLatin1Char('-') &&
        c != QLatin1Char('_') && c != QLatin1Char('@')) {
      return false;
    }
  }
  return true;
}

}  // namespace

ArtworkCache::ArtworkCache(QString folder) : folder_(std::move(folder)) {}

QString ArtworkCache::DefaultFolder() {
#ifdef NORVA_ART_SET
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
  if (base.isEmpty()) return {};
  return base + QStringLiteral("/norva/art/") + QStringLiteral(NORVA_ART_SET) + QStringLiteral("-qt") +
         QString::fromLatin1(qVersion());
#else
  return {};
#endif
}

QImage ArtworkCache::Load(const QString& name) {
  if (!enabled() || !IsPlainName(name)) return {};
  auto file = std::make_unique<QFile>(folder_ + QLatin1Char('/') + name);
  if (!file->open(QIODevice::ReadOnly)) return {};
  const qint64 size = file->size();
  if (size < static_cast<qint64>(sizeof(Header))) return {};
  const uchar* data = file->map(0, size);
  if (!data) return {};
  Header header;
  std::memcpy(&header, data, sizeof header);
  const qint64 rows = static_cast<qint64>(header.bytes_per_line) * header.height;
  if (std::memcmp(header.magic, kMagic, sizeof kMagic) != 0 || !IsKeptFormat(header.format) ||
      header.width == 0 || header.height == 0 || header.bytes_per_line < header.width * 4 ||
      header.bytes_per_line % 4 != 0 || size != static_cast<qint64>(sizeof(Header)) + rows ||
      !(header.device_pixel_ratio > 0)) {
    return {};
  }
  QImage image(data + sizeof(Header), static_cast<int>(header.width), static_cast<int>(header.height),
               static_cast<qsizetype>(header.bytes_per_line), static_cast<QImage::Format>(header.format));
  image.setDevicePixelRatio(header.device_pixel_ratio);
  // The mapping outlives the descriptor: a start maps a hundred pictures and need not hold their files open.
  file->close();
  mapped_.push_back(std::move(file));
  return image;
}

void ArtworkCache::Store(const QString& name, const QImage& image) {
  if (!enabled() || !IsPlainName(name) || image.isNull() || !IsKeptFormat(image.format()) || !MakeFolder()) {
    return;
  }
  Header header{};
  std::memcpy(header.magic, kMagic, sizeof kMagic);
  header.width = static_cast<quint32>(image.width());
  header.height = static_cast<quint32>(image.height());
  header.bytes_per_line = static_cast<quint32>(image.bytesPerLine());
  header.format = static_cast<quint32>(image.format());
  header.device_pixel_ratio = image.devicePixelRatio();
  // Written aside and renamed into place, so that another run never maps half a picture.
  QSaveFile file(folder_ + QLatin1Char('/') + name);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(reinterpret_cast<const char*>(&header), sizeof header);
  file.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
  file.commit();  // a full disk leaves no file; the picture is rendered again next time
}

bool ArtworkCache::MakeFolder() {
  if (!made_) {
    made_ = true;
    if (!QDir().mkpath(folder_)) folder_.clear();  // an unwritable cache home: nothing is kept
  }
  return enabled();
}

std::optional<QByteArray> ArtworkCache::LoadData(const QString& name) const {
  if (!enabled() || !IsPlainName(name)) return std::nullopt;
  QFile file(folder_ + QLatin1Char('/') + name);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return file.readAll();
}

void ArtworkCache::StoreData(const QString& name, const QByteArray& bytes) {
  if (!enabled() || !IsPlainName(name) || !MakeFolder()) return;
  QSaveFile file(folder_ + QLatin1Char('/') + name);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(bytes);
  file.commit();  // not kept on a full disk; worked out again next time
}

void ArtworkCache::RemoveStaleSets(int days) const {
  if (!enabled()) return;
  const QFileInfo own(folder_);
  if (!own.isDir()) return;
  // Our own set is marked as used, so that other versions leave it alone.
  QFile stamp(folder_ + QStringLiteral("/.used"));
  if (stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) stamp.close();
  const QDateTime limit = QDateTime::currentDateTimeUtc().addDays(-days);
  const QDir parent = own.dir();
  for (const QFileInfo& set : parent.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (set.fileName() == own.fileName()) continue;
    const QFileInfo used(set.filePath() + QStringLiteral("/.used"));
    const QDateTime last = used.exists() ? used.lastModified() : set.lastModified();
    if (last.toUTC() < limit) QDir(set.filePath()).removeRecursively();
  }
}

}  // namespace norva::frontend::qt
