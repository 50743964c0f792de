// The window's artwork: pictures kept between runs, clip frames rendered alone, and the window's outline.
#include <gtest/gtest.h>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <filesystem>

#include "frontend/qt/artwork.h"
#include "frontend/qt/artwork_cache.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

using frontend::qt::Artwork;
using frontend::qt::ArtworkCache;

QString Q(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

// The mean difference of two pictures' channels, 0..255.
double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_ARGB32);
  const QImage y = b.convertToFormat(QImage::Format_ARGB32);
  if (x.size() != y.size()) return 255;
  double sum = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int i = 0; i < x.width(); ++i) {
      sum += std::abs(qRed(p[i]) - qRed(q[i])) + std::abs(qGreen(p[i]) - qGreen(q[i])) +
             std::abs(qBlue(p[i]) - qBlue(q[i])) + std::abs(qAlpha(p[i]) - qAlpha(q[i]));
    }
  }
  return sum / (4.0 * x.width() * x.height());
}

TEST(ArtworkCacheTest, KeepsPicturesForLaterRunsAndRefusesWhatIsNotWhole) {
  TempDir dir;
  QImage picture(7, 5, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) picture.setPixel(x, y, qPremultiply(qRgba(x * 30, y * 50, 90, x * 36)));
  picture.setDevicePixelRatio(1.5);
  ArtworkCache(Q(dir.path() / "set")).Store(QStringLiteral("main-003@1.5.px"), picture);

  ArtworkCache later(Q(dir.path() / "set"));
  const QImage kept = later.Load(QStringLiteral("main-003@1.5.px"));
  ASSERT_FALSE(kept.isNull());
  EXPECT_EQ(kept.devicePixelRatio(), 1.5);
  EXPECT_EQ(kept.format(), picture.format());
  EXPECT_EQ(MeanDifference(kept, picture), 0.0);

  // A file cut short (a full disk, a crash of another run) is not a picture.
  const auto file = dir.path() / "set" / "main-003@1.5.px";
  std::filesystem::resize_file(file, std::filesystem::file_size(file) - 1);
  EXPECT_TRUE(later.Load(QStringLiteral("main-003@1.5.px")).isNull());
  // Names are plain: nothing is written or read outside the folder.
  later.Store(QStringLiteral("../escaped.px"), picture);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "escaped.px"));
}

TEST(ArtworkCacheTest, OtherSetsAreRemovedOnceUnusedForTheirTime) {
  TempDir dir;
  const auto make_set = [&](const char* name, int days_ago) {
    const auto folder = dir.path() / name;
    std::filesystem::create_directories(folder);
    QFile used(Q(folder / ".used"));
    EXPECT_TRUE(used.open(QIODevice::WriteOnly));
    EXPECT_TRUE(
        used.setFileTime(QDateTime::currentDateTime().addDays(-days_ago), QFileDevice::FileModificationTime));
  };
  make_set("own", 100);
  make_set("old", 40);
  make_set("recent", 3);
  ArtworkCache(Q(dir.path() / "own")).RemoveStaleSets(30);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "own"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "old"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "recent")) << "another version still uses it";
  // Our own set is marked as used by this run.
  EXPECT_GT(QFileInfo(Q(dir.path() / "own" / ".used")).lastModified(),
            QDateTime::currentDateTime().addDays(-1));
}

TEST(ArtworkTest, AFrameIsItsPartOfTheStripAndAKeptPictureIsTheRenderedOne) {
  TempDir dir;
  Artwork first(QStringLiteral(":/art"), ArtworkCache(Q(dir.path())));
  const QString clip = first.ClipPath(9);
  const QSize strip_size = first.SizeOf(clip);
  ASSERT_EQ(strip_size.width() % frontend::qt::kClipStripFrames, 0) << "frames of whole pixels";
  const int frame_width = strip_size.width() / frontend::qt::kClipStripFrames;
  const QImage strip = first.Render(clip, 1.0);
  for (int frame : {0, 7, 15}) {
    const QImage alone = first.RenderFrame(clip, frame, 2.0);
    ASSERT_EQ(alone.size(), QSize(frame_width * 2, strip_size.height() * 2));
    const QImage part = strip.copy(frame * frame_width, 0, frame_width, strip_size.height());
    const QImage down = alone.scaled(part.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(MeanDifference(down, part), 1.0) << "frame " << frame;
  }
  // A later run maps what this one rendered, pixel for pixel.
  Artwork later(QStringLiteral(":/art"), ArtworkCache(Q(dir.path())));
  EXPECT_EQ(MeanDifference(later.RenderFrame(clip, 7, 2.0), first.RenderFrame(clip, 7, 2.0)), 0.0);
  const QString border = first.EntryPath("BorderImageList", 0);
  EXPECT_EQ(MeanDifference(later.Render(border, 1.5), first.Render(border, 1.5)), 0.0);
  EXPECT_EQ(later.Render(border, 1.5).devicePixelRatio(), 1.5);
  // The window's outline too.
  const QString mask = first.EntryPath("BorderImageList", 1);
  const QRegion outline = first.Outline(mask);
  EXPECT_FALSE(outline.isEmpty());
  EXPECT_EQ(later.Outline(mask), outline);
  EXPECT_EQ(outline, frontend::qt::MaskRegion(later.Render(mask, 1.0)));
}

TEST(MaskRegionTest, IsTheLightPartPixelForPixel) {
  // Rows that repeat, rows that change, a hole, a dark and a see-through part.
  QImage mask(64, 48, QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::black);
  QPainter painter(&mask);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::white);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QRectF(4, 3, 50, 40));
  painter.setBrush(Qt::black);
  painter.drawRect(20, 15, 10, 8);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.fillRect(QRect(0, 40, 64, 2), QColor(255, 255, 255, 60));
  painter.fillRect(QRect(60, 0, 4, 48), Qt::white);
  painter.end();
  const QRegion region = frontend::qt::MaskRegion(mask);
  int mismatches = 0;
  for (int y = 0; y < mask.height(); ++y) {
    for (int x = 0; x < mask.width(); ++x) {
      const QRgb p = reinterpret_cast<const QRgb*>(mask.constScanLine(y))[x];
      const bool light = qAlpha(p) >= 128 && qGray(p) >= 128;
      if (region.contains(QPoint(x, y)) != light) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  QImage dark(8, 8, QImage::Format_RGB32);
  dark.fill(Qt::black);
  EXPECT_TRUE(frontend::qt::MaskRegion(dark).isEmpty());
}

}  // namespace
}  // namespace norva::test
