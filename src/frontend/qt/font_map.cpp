#include "frontend/qt/font_map.h"

#include <QByteArray>
#include <QFile>
#include <QFontDatabase>
#include <QResource>
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

#include <fontconfig/fontconfig.h>

#include "platform/wine/host_file.h"

namespace norva::frontend::qt {
namespace {

// The disc's fonts are a few hundred kilobytes; nothing larger is taken for a font.
constexpr std::uint64_t kMaxFontBytes = 32ULL * 1024 * 1024;

const QString kBundledFace = QStringLiteral(":/fonts/DejaVuSans.ttf");

// A font bundled in the program, handed to Qt where it lies in the program's memory (not copied).
int AddBundledFont(const QString& path) {
  const QResource resource(path);
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) {
    return QFontDatabase::addApplicationFont(path);
  }
  return QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
      reinterpret_cast<const char*>(resource.data()), static_cast<qsizetype>(resource.size())));
}

QString LoadFallback() {
  static const QString family = [] {
    const int id = AddBundledFont(kBundledFace);
    AddBundledFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"));
    const QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    return families.isEmpty() ? QStringLiteral("DejaVu Sans") : families.first();
  }();
  return family;
}

// Whether the bytes begin as a font file that Qt's FreeType reads: TrueType and OpenType fonts and
// collections, Windows .fon files, PostScript Type 1. Told from the first bytes, before any font
// configuration is read; a damaged font of a known kind is refused later, when it is registered.
bool IsFontFile(const QByteArray& bytes) {
  static const QByteArray kStarts[] = {
      QByteArray("\x00\x01\x00\x00", 4), "true",           "typ1",       "OTTO", "ttcf", "MZ",
      QByteArray("\x80\x01", 2),         "%!PS-AdobeFont", "%!FontType1"};
  return std::any_of(std::begin(kStarts), std::end(kStarts),
                     [&bytes](const QByteArray& start) { return bytes.startsWith(start); });
}

// The bytes of a regular file of at most kMaxFontBytes, read straight into the array Qt takes (a disc font
// is most of a megabyte: one buffer, not two).
std::optional<QByteArray> ReadFontFile(const std::string& host_path) {
  auto file = platform::wine::OpenHostFile::Open(host_path, kMaxFontBytes);
  if (!file) return std::nullopt;
  QByteArray bytes;
  // One byte more than the file has tells its end without another read buffer.
  bytes.resize(static_cast<qsizetype>(file->stamp().size) + 1);
  qsizetype filled = 0;
  for (;;) {
    // A file that grew since it was opened is read on, and refused past the limit.
    if (filled == bytes.size()) {
      if (static_cast<std::uint64_t>(filled) > kMaxFontBytes) return std::nullopt;
      bytes.resize(std::min<qsizetype>(filled * 2, static_cast<qsizetype>(kMaxFontBytes) + 1));
    }
    const long long got = file->Next(bytes.data() + filled, static_cast<std::size_t>(bytes.size() - filled));
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    filled += static_cast<qsizetype>(got);
  }
  bytes.truncate(filled);
  return bytes;
}

}  // namespace

void UseOwnFontConfiguration() {
  if (!QFile::exists(kBundledFace)) return;
  static const char kEmpty[] =
      "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"fonts.dtd\"><fontconfig></fontconfig>";
  FcConfig* config = FcConfigCreate();
  if (config == nullptr) return;
  if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kEmpty), FcTrue) &&
      FcConfigBuildFonts(config)) {
    FcConfigSetCurrent(config);  // takes its own reference
  }
  FcConfigDestroy(config);
}

bool FontMap::Add(const std::string& host_path) {
  if (loaded_.count(host_path)) return true;
  // Read by us rather than by Qt, so that a FIFO or device named as a font file cannot block the start.
  auto bytes = ReadFontFile(host_path);
  if (!bytes || !IsFontFile(*bytes)) return false;
  Loaded font;
  font.bytes = std::move(*bytes);
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
