// The window on the test disc: input reaches the controls the model says, the outline follows the window
// mode, and the label fades run on real timers.
#include <gtest/gtest.h>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <numeric>
#include "components/fade_label.h"
#include "frontend/qt/message_dialog.h"
#include "frontend/qt/qt_form.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "menu/settings_page.h"
#include "menu/window_effects.h"
#include "support/fake_runner.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

QPoint CentreOf(const components::Window& window, const components::Control& control) {
  const auto r = window.RectInWindow(control);
  return QPoint(r.left + r.width / 2, r.top + r.height / 2);
}

class QtWindowTest : public ::testing::Test {
 protected:
  QtForm Start(int enhanced = 1) {
    return QtForm({.disc = SourceDir() / "tests" / "data" / "disc",
                   .prefix = dir_.path() / "prefix",
                   .enhanced = enhanced});
  }
  TempDir dir_;
};

TEST_F(QtWindowTest, ClicksAndKeysReachTheControlsTheModelFinds) {
  QtForm run = Start();
  auto& form = run.form();
  auto& window = form.window();
  ASSERT_EQ(form.selection().ItemIndex, 1);

  // A click on the second list row selects it; the model's hit test names the same row.
  const QPoint row2 = CentreOf(window, *form.controls().DemosLabel[2]);
  EXPECT_EQ(window.HitTest(row2.x(), row2.y()), form.controls().DemosLabel[2]);
  QTest::mouseMove(&run.window(), row2);
  QTest::mouseClick(&run.window(), Qt::LeftButton, {}, row2);
  EXPECT_EQ(form.selection().ItemIndex, 2);
  EXPECT_EQ(window.hovered(), form.controls().DemosLabel[2]);

  QTest::keyClick(&run.window(), Qt::Key_Down);
  EXPECT_EQ(form.selection().ItemIndex, 3);
  QTest::keyClick(&run.window(), Qt::Key_Home);
  EXPECT_EQ(form.selection().ItemIndex, 1);

  // A right click on a row is no click: the selection stays.
  QTest::mouseClick(&run.window(), Qt::RightButton, {}, row2);
  EXPECT_EQ(form.selection().ItemIndex, 1);
}

TEST_F(QtWindowTest, TheOutlineFollowsTheWindowMode) {
  QtForm run = Start();
  auto& form = run.form();
  ASSERT_EQ(form.settings().EnhancedSetting, 1);
  EXPECT_EQ(run.window().size(), QSize(818, 742));
  const QRegion shape = run.window().mask();
  ASSERT_FALSE(shape.isEmpty());
  // The panel lies inside the outline; the shape is not the whole rectangle.
  EXPECT_TRUE(shape.contains(QPoint(85 + 319, 173 + 241)));
  long long inside = 0;
  for (const QRect& r : shape) inside += static_cast<long long>(r.width()) * r.height();
  EXPECT_LT(inside, 818LL * 742);

  // The border-panel switch on the Settings page, clicked as a person would.
  form.settings_page().SetSettingsPage();
  run.window().Refresh();
  QTest::mouseClick(&run.window(), Qt::LeftButton, {}, CentreOf(form.window(), *form.controls().Play[1]));
  ASSERT_EQ(form.settings().EnhancedSetting, 0);
  EXPECT_TRUE(run.window().mask().isEmpty());
  EXPECT_EQ(run.window().size(), QSize(638, 482));

  QTest::mouseClick(&run.window(), Qt::LeftButton, {}, CentreOf(form.window(), *form.controls().Play[1]));
  ASSERT_EQ(form.settings().EnhancedSetting, 1);
  EXPECT_FALSE(run.window().mask().isEmpty());
  EXPECT_EQ(run.window().size(), QSize(818, 742));
}

TEST_F(QtWindowTest, SimpleModeStartsWithoutAnOutlineAndWithTheMenusCaption) {
  QtForm run = Start(0);
  EXPECT_TRUE(run.window().mask().isEmpty());
  EXPECT_EQ(run.window().size(), QSize(638, 482));
  ASSERT_FALSE(run.form().look().Caption.empty());
  EXPECT_EQ(run.window().windowTitle().toStdString(), run.form().look().Caption);
}

TEST_F(QtWindowTest, LabelFadesRunOnRealTime) {
  QtForm run = Start();
  auto& form = run.form();
  components::FadeLabel& row = *form.controls().DemosLabel[3];
  ASSERT_TRUE(row.hover_fade);
  const QPoint at = CentreOf(form.window(), row);
  QTest::mouseMove(&run.window(), at);
  EXPECT_EQ(form.window().hovered(), &row);
  // Ten frames of 50 ms: well inside a second of real time, and not at once.
  EXPECT_LT(row.fade_step(), row.fade_frames);
  const QImage before = run.Grab();
  run.Wait(row.fade_frames * row.fade_interval + 300);
  EXPECT_EQ(row.fade_step(), row.fade_frames);
  EXPECT_EQ(row.ShownColor(), row.hover_color);
  EXPECT_NE(run.Grab(), before) << "the faded label was not repainted";

  // Leaving fades back.
  QTest::mouseMove(&run.window(), QPoint(2, 2));
  run.Wait(row.fade_frames * row.fade_interval + 300);
  EXPECT_EQ(row.fade_step(), 0);
  EXPECT_EQ(row.ShownColor(), row.color);
}

// An uninstall from the Installed page: the hourglass while the uninstaller runs, the leftover question as
// the window's message box, and the normal cursor back afterwards.
TEST_F(QtWindowTest, UninstallShowsTheHourglassAndAsksInAMessageBox) {
  const auto c_drive = dir_.path() / "prefix" / "drive_c";
  dir_.Write("prefix/drive_c/windows/norva.ini",
             "[CD0105]\r\nQUAKE=C:\\Games\\Quake\r\nQUAKE_=QUAKE.EXE,,,\r\n"
             "QUAKE__=C:\\Games\\Quake\\UNINST.EXE\r\n");
  dir_.Write("prefix/drive_c/Games/Quake/QUAKE.EXE", "MZ");
  dir_.Write("prefix/drive_c/Games/Quake/save/s1.sav", "save");
  WriteWindowsProgram(c_drive / "Games" / "Quake" / "UNINST.EXE", "sleep 0.5; rm -f QUAKE.EXE UNINST.EXE\n");
  QtForm run({.disc = SourceDir() / "tests" / "data" / "disc",
              .prefix = dir_.path() / "prefix",
              .enhanced = 1,
              .runner = FakeRunnerCommand()});
  auto& form = run.form();
  form.pages().SelectPage(menu::kPageInstalled);
  run.window().Refresh();
  ASSERT_EQ(form.installed_rows().InstalledCount, 1);
  const char* shots = std::getenv("NORVA_SCREENSHOT_DIR");  // for a person to look at
  if (shots != nullptr) run.Grab().save(QString(shots) + "/installed_page.png");

  bool hourglass = false;
  QString asked;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    if (form.activity().InstallOrUninstallRunning && cursor != nullptr && cursor->shape() == Qt::WaitCursor)
      hourglass = true;
    if (auto* box = qobject_cast<frontend::qt::MessageDialog*>(QApplication::activeModalWidget())) {
      asked = box->text();
      if (const char* out = std::getenv("NORVA_SCREENSHOT_DIR"))
        box->grab().save(QString(out) + "/leftover.png");
      box->buttons().front()->click();  // Yes
    }
  });
  watch.start(20);
  QTest::mouseClick(&run.window(), Qt::LeftButton, {}, CentreOf(form.window(), *form.controls().StopImage));
  watch.stop();

  EXPECT_TRUE(hourglass);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(asked.contains("C:\\GAMES\\QUAKE")) << asked.toStdString();
  EXPECT_FALSE(std::filesystem::exists(c_drive / "Games" / "Quake"));
  EXPECT_EQ(form.installed_rows().InstalledCount, 0);
}

}  // namespace
}  // namespace norva::test
