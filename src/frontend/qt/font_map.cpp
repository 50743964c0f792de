#include "frontend/qt/font_map.h"

#include <QByteArray>
#include <QFontDatabase>
#include <algorithm>
#include <cstdint>

#include "platform/wine/host_file.h"

namespace norva::frontend::qt {
namespace {

// The disc's fonts are a few hundred kilobytes; nothing larger is taken for a font.
constexpr std::uint64_t kMaxFontBytes = 32ULL * 1024 * 1024;

QString LoadFallback() {
  static const QString family = [] {
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    return families.isEmpty() ? QStringLiteral("DejaVu Sans") : families.first();
  }();
  return family;
}

}  // namespace

FontMap::FontMap() : fallback_(LoadFallback()) {}

bool FontMap::Add(const std::string& host_path) {
  if (loaded_.count(host_path)) return true;
  // Read by us rather than by Qt, so that a FIFO or device named as a font file cannot block the start.
  const auto bytes = platform::wine::ReadRegularHostFile(host_path, kMaxFontBytes);
  if (!bytes) return false;
  const int id = QFontDatabase::addApplicationFontFromData(
      QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())));
  if (id < 0) return false;
  loaded_[host_path] = {id, QFontDatabase::applicationFontFamilies(id)};
  order_.push_back(host_path);
  return true;
}

void FontMap::Remove(const std::string& host_path) {
  auto it = loaded_.find(host_path);
  if (it == loaded_.end()) return;
  QFontDatabase::removeApplicationFont(it->second.id);
  loaded_.erase(it);
  order_.erase(std::remove(order_.begin(), order_.end(), host_path), order_.end());
}

QString FontMap::Family(const std::string& name) const {
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
