// The window as painted, compared with reviewed reference pictures in tests/data/screenshots. A missing
// reference, or NORVA_UPDATE_SCREENSHOTS=1, writes the picture into the build folder for a person to review.
#include <gtest/gtest.h>
#include <QImage>
#include <QTest>
#include <cstdlib>

#include "frontend/qt/qt_form.h"
#include "menu/pages.h"
#include "menu/pictures.h"
#include "menu/settings_page.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

// Mean absolute difference per channel, as a share of full scale; 1.0 for pictures of different sizes.
double MeanDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return 1.0;
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int row = 0; row < x.height(); ++row) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
    for (int col = 0; col < x.width(); ++col) {
      sum += std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col])) +
             std::abs(qBlue(p[col]) - qBlue(q[col]));
    }
  }
  return sum / (3.0 * 255.0 * x.width() * x.height());
}

void Compare(const QImage& shot, const std::string& name) {
  ASSERT_FALSE(shot.isNull());
  const auto reference = SourceDir() / "tests" / "data" / "screenshots" / (name + ".png");
  const char* update = std::getenv("NORVA_UPDATE_SCREENSHOTS");
  const bool updating = update && std::string(update) == "1";
  if (updating || !std::filesystem::exists(reference)) {
    const auto out = std::filesystem::path(NORVA_SCREENSHOT_OUT) / (name + ".png");
    std::filesystem::create_directories(out.parent_path());
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string())));
    if (updating) GTEST_SKIP() << "wrote " << out << "; review it and copy it to " << reference;
    FAIL() << "no reference " << reference << "; wrote " << out << " for review";
  }
  const QImage expected(QString::fromStdString(reference.string()));
  const double difference = MeanDifference(shot, expected);
  EXPECT_LT(difference, 0.02) << name << " differs from " << reference << " by " << difference * 100 << "%";
}

class ScreenshotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disc_ = NORVA_SAMPLE_DISC;
    if (!std::filesystem::exists(disc_ / "NORVA.EXE"))
      GTEST_SKIP() << "the sample disc is not built: " << disc_;
  }
  QtFormOptions Options(int hour, int enhanced) {
    return {
        .disc = disc_, .prefix = dir_.path() / "prefix", .clock_minutes = hour * 60, .enhanced = enhanced};
  }
  std::filesystem::path disc_;
  TempDir dir_;
};

TEST_F(ScreenshotTest, DemosPageByDayAndNightInBothModes) {
  for (int hour : {12, 22}) {
    for (int enhanced : {1, 0}) {
      TempDir prefix;
      auto options = Options(hour, enhanced);
      options.prefix = prefix.path();
      QtForm run(options);
      ASSERT_EQ(run.form().look().NightMode, hour == 22 ? 1 : 0);
      run.Wait(50);
      Compare(run.Grab(),
              std::string("demos_") + (hour == 22 ? "night" : "day") + (enhanced ? "_border" : "_simple"));
    }
  }
}

TEST_F(ScreenshotTest, OpenGallery) {
  QtForm run(Options(12, 1));
  run.form().pictures().DIBImage4Click();
  // The open fade: at most seven ticks of 10 ms with effects on, at once with them off.
  run.Wait(300);
  ASSERT_TRUE(run.form().controls().DIBImage2->visible) << "the first demo has no gallery on the sample disc";
  EXPECT_EQ(run.form().controls().DIBImage2->opacity, 255) << "the open fade has run";
  Compare(run.Grab(), "gallery");
}

TEST_F(ScreenshotTest, SettingsPage) {
  QtForm run(Options(12, 1));
  run.form().settings_page().SetSettingsPage();
  run.Wait(50);
  Compare(run.Grab(), "settings");
}

}  // namespace
}  // namespace norva::test
