#include "frontend/qt/font_map.h"

#include <QByteArray>
#include <QFontDatabase>
#include <algorithm>
#include <cstdint>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "platform/wine/host_file.h"

namespace norva::frontend::qt {
namespace {

// The disc's fonts are a few hundred kilobytes; nothing larger is taken for a font.
constexpr std::uint64_t kMaxFontBytes = 32ULL * 1024 * 1024;

QString LoadFallback() {
  static const QString family = [] {
    // The system's own copy of the face is used when it has one: loading a font for the process costs the
    // start a few milliseconds.
    const QString wanted = QStringLiteral("DejaVu Sans");
    if (QFontDatabase::hasFamily(wanted) &&
        QFontDatabase::isSmoothlyScalable(wanted, QStringLiteral("Bold"))) {
      return wanted;
    }
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    return families.isEmpty() ? wanted : families.first();
  }();
  return family;
}

// Whether the bytes are a font file: FreeType, which draws Qt's fonts, opens it. Needs no font
// configuration, so that it can be answered before one is read.
bool IsFontFile(const QByteArray& bytes) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return false;
  FT_Face face = nullptr;
  const bool opened = FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte*>(bytes.constData()),
                                         static_cast<FT_Long>(bytes.size()), 0, &face) == 0;
  if (opened) FT_Done_Face(face);
  FT_Done_FreeType(library);
  return opened;
}

}  // namespace

std::future<void> ReadFontConfigurationAhead() {
  // The configuration is process-wide: Qt's font database then finds it read.
  return std::async(std::launch::async, [] { FcInit(); });
}

FontMap::FontMap(std::shared_future<void> configuration) : configuration_(std::move(configuration)) {}

bool FontMap::Add(const std::string& host_path) {
  if (loaded_.count(host_path)) return true;
  // Read by us rather than by Qt, so that a FIFO or device named as a font file cannot block the start.
  const auto bytes = platform::wine::ReadRegularHostFile(host_path, kMaxFontBytes);
  if (!bytes) return false;
  Loaded font;
  font.bytes = QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
  if (!IsFontFile(font.bytes)) return false;
  if (prepared_) Register(font);
  loaded_[host_path] = std::move(font);
  order_.push_back(host_path);
  return true;
}

void FontMap::Register(Loaded& font) const {
  font.id = QFontDatabase::addApplicationFontFromData(font.bytes);
  font.bytes.clear();
  if (font.id >= 0) font.families = QFontDatabase::applicationFontFamilies(font.id);
}

void FontMap::Prepare() const {
  if (prepared_) return;
  prepared_ = true;
  if (configuration_.valid()) configuration_.wait();
  fallback_ = LoadFallback();
  for (const auto& path : order_) Register(loaded_.at(path));
}

const QString& FontMap::fallback() const {
  Prepare();
  return fallback_;
}

void FontMap::Remove(const std::string& host_path) {
  auto it = loaded_.find(host_path);
  if (it == loaded_.end()) return;
  if (it->second.id >= 0) QFontDatabase::removeApplicationFont(it->second.id);
  loaded_.erase(it);
  order_.erase(std::remove(order_.begin(), order_.end(), host_path), order_.end());
}

QString FontMap::Family(const std::string& name) const {
  Prepare();
  const QString wanted = QString::fromStdString(name);
  for (const auto& path : order_) {
    for (const auto& family : loaded_.at(path).families) {
      if (family.compare(wanted, Qt::CaseInsensitive) == 0) return family;
    }
  }
  // The disc fonts carry the design's display face; Tahoma is a system font the disc never brings.
  if (wanted.startsWith(QStringLiteral("Square721"), Qt::CaseInsensitive)) {
    for (const auto& path : order_) {
      const auto& families = loaded_.at(path).families;
      if (!families.isEmpty()) return families.first();
    }
  }
  return fallback_;
}

QFont FontMap::Font(const components::Font& font) const {
  QFont result(Family(font.name));
  result.setPixelSize(std::max(1, font.size));
  result.setBold(font.bold);
  result.setHintingPreference(QFont::PreferNoHinting);
  return result;
}

}  // namespace norva::frontend::qt
