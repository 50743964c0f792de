// The directory chooser and the unpack window on screen: their pictures (compared with reviewed references),
// use by the keyboard alone, the message box in the edition's words, and the unpacking started and finished
// by the window itself.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>

#include "frontend/qt/chooser_dialog.h"
#include "frontend/qt/font_map.h"
#include "frontend/qt/message_dialog.h"
#include "frontend/qt/qt_form.h"
#include "frontend/qt/unpack_dialog.h"
#include "menu/dir_chooser.h"
#include "menu/unpack_form.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

namespace fs = std::filesystem;
using frontend::qt::ChooserDialog;
using frontend::qt::UnpackDialog;

// The face the dialogs get from the window: the bundled DejaVu Sans.
QString Face() {
  static const frontend::qt::FontMap fonts;
  return fonts.fallback();
}

// Saves the picture for review (NORVA_UPDATE_SCREENSHOTS=1) or compares it with its reference.
void Look(const QImage& shot, const std::string& name) {
  ASSERT_FALSE(shot.isNull());
  const auto reference = SourceDir() / "tests" / "data" / "screenshots" / (name + ".png");
  const char* update = std::getenv("NORVA_UPDATE_SCREENSHOTS");
  if ((update && std::string(update) == "1") || !fs::exists(reference)) {
    const auto out = fs::path(NORVA_SCREENSHOT_OUT) / (name + ".png");
    fs::create_directories(out.parent_path());
    ASSERT_TRUE(shot.save(QString::fromStdString(out.string())));
    GTEST_SKIP() << "wrote " << out << " for review";
  }
  const QImage expected =
      QImage(QString::fromStdString(reference.string())).convertToFormat(QImage::Format_RGB32);
  const QImage actual = shot.convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(actual.size(), expected.size());
  double sum = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const QRgb a = actual.pixel(x, y);
      const QRgb b = expected.pixel(x, y);
      sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
    }
  }
  EXPECT_LT(sum / (3.0 * 255.0 * actual.width() * actual.height()), 0.02) << name;
}

class InstallDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(NORVA_SAMPLE_DISC) / "NORVA.EXE"))
      GTEST_SKIP() << "the sample disc is not built";
  }
  std::unique_ptr<QtForm> Start(int hour) {
    return std::make_unique<QtForm>(QtFormOptions{
        .disc = NORVA_SAMPLE_DISC, .prefix = dir_.path() / "prefix", .clock_minutes = hour * 60});
  }
  TempDir dir_;
};

TEST_F(InstallDialogsTest, ChooserLooksLikeTheWindowAndWorksByKeyboard) {
  auto q = Start(12);
  menu::DirChooser chooser(q->form().services(), q->form().window(), q->form().look(), q->form().selection(),
                           q->form().files(), q->form().catalog().Demo[1]);
  ChooserDialog dialog(chooser, platform::CodePage::kCentralEuropean, Face(), nullptr);
  dialog.show();
  QTest::qWait(50);
  Look(dialog.grab().toImage(), "chooser_day");

  auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("EditDir1"));
  auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("DirectoryListBox1"));
  auto* drives = dialog.findChild<QComboBox*>(QStringLiteral("DriveComboBox1"));
  auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OKButton"));
  ASSERT_TRUE(edit && tree && drives && ok);
  EXPECT_EQ(edit->text(), QStringLiteral("C:\\Skyhopper"));
  EXPECT_TRUE(edit->hasFocus());
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClicks(edit, QStringLiteral("2"));
  EXPECT_EQ(chooser.EditDir1, "C:\\Skyhopper2");

  // Tab to the tree, a folder below C: by arrows; Tab to the drive list, the disc by arrows.
  QTest::keyClick(&dialog, Qt::Key_Tab);
  EXPECT_TRUE(tree->hasFocus());
  QTest::keyClick(tree, Qt::Key_Down);
  EXPECT_NE(chooser.Folder, "C:\\");
  EXPECT_EQ(edit->text(), QString::fromStdString(chooser.Folder + "\\Skyhopper"));
  QTest::keyClick(&dialog, Qt::Key_Tab);
  EXPECT_TRUE(drives->hasFocus());
  QTest::keyClick(drives, Qt::Key_Down);
  EXPECT_EQ(chooser.Drive, 'D');
  EXPECT_FALSE(ok->isEnabled()) << "the disc cannot take an installation";
  QTest::keyClick(drives, Qt::Key_Up);
  EXPECT_TRUE(ok->isEnabled());

  // Esc cancels.
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_TRUE(chooser.Closed());
  EXPECT_EQ(chooser.ChosenDir(), "");
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(InstallDialogsTest, MessageBoxSpeaksTheEditionAndAnswersByKeyboard) {
  menu::MessageBoxModel model(menu::MessageButtons::kYesNo, 1);
  frontend::qt::MessageDialog box(menu::MessageKind::kConfirmation, QStringLiteral("Norva CD 12-2006"),
                                  QStringLiteral("Chcete nainstalovat toto demo do adresáře C:\\SKYHOPPER ?"),
                                  model, platform::CodePage::kCentralEuropean, 0, Face(), nullptr);
  ASSERT_EQ(box.buttons().size(), 2u);
  EXPECT_EQ(box.buttons()[0]->text(), QStringLiteral("Ano"));
  EXPECT_EQ(box.buttons()[1]->text(), QStringLiteral("Ne"));
  box.show();
  QTest::qWait(50);
  Look(box.grab().toImage(), "message_cs");
  box.hide();
  // Right to Ne, Enter answers with it.
  QTimer::singleShot(0, &box, [&box] {
    QTest::keyClick(&box, Qt::Key_Right);
    QTest::keyClick(&box, Qt::Key_Return);
  });
  EXPECT_EQ(box.Ask(), menu::MessageAnswer::kNo);
}

TEST_F(InstallDialogsTest, UnpackWindowShowsItsProgressAndUnpacksByItself) {
  auto q = Start(21);
  q->form().selection().ItemIndex = 1;
  menu::UnpackForm form(q->form().services(), q->form().window(), q->form().look(), q->form().selection(),
                        q->form().files(), q->form().catalog().Demo[1], "C:\\GAME");
  fs::create_directories(dir_.path() / "prefix" / "drive_c" / "GAME");
  UnpackDialog dialog(form, platform::CodePage::kCentralEuropean, Face(), q->clock_time(), nullptr);
  dialog.show();
  QTest::qWait(30);
  Look(dialog.grab().toImage(), "unpack_night");
  EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isVisible(); }, 5000));
  EXPECT_EQ(form.Percents.back(), "100%");
  EXPECT_EQ(form.ChosenDir(), "C:\\GAME");
  EXPECT_TRUE(fs::exists(dir_.path() / "prefix" / "drive_c" / "GAME" / "skyhop.exe"));
}

TEST_F(InstallDialogsTest, AnArchiveItemInstallsFromTheWindow) {
  auto q = Start(12);
  // A person who takes every suggestion: OK in the chooser, Yes to the question.
  std::vector<std::string> seen;
  QTimer person;
  QObject::connect(&person, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    // The press comes later from the event loop: a press inside this tick would open the next box inside
    // it, where this timer cannot tick again.
    QAbstractButton* press = nullptr;
    if (auto* box = qobject_cast<frontend::qt::MessageDialog*>(modal)) {
      std::string words;
      for (auto* button : box->buttons()) words += "|" + button->text().toStdString();
      seen.push_back(box->text().toStdString() + words);
      // Enter: the focused button, which is the first (Yes) when the box opens.
      QTimer::singleShot(0, box, [box] { QTest::keyClick(box, Qt::Key_Return); });
    } else if (auto* chooser = qobject_cast<ChooserDialog*>(modal)) {
      seen.push_back("chooser");
      press = chooser->findChild<QPushButton*>(QStringLiteral("OKButton"));
    }
    if (press) QTimer::singleShot(0, press, [press] { press->click(); });
  });
  person.start(50);
  const auto r = q->form().window().RectInWindow(*q->form().controls().PlayImage);
  QTest::mouseClick(&q->window(), Qt::LeftButton, {}, QPoint(r.left + r.width / 2, r.top + r.height / 2));
  person.stop();
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], "chooser");
  EXPECT_EQ(seen[1], "Chcete nainstalovat toto demo do adresáře C:\\SKYHOPPER ?|Ano|Ne");
  const auto& item = q->form().catalog().Demo[1];
  EXPECT_EQ(item.Installed, 1);
  EXPECT_EQ(item.InstalledDir, "C:\\Skyhopper");
  EXPECT_TRUE(q->form().controls().Play[1]->visible);
}

}  // namespace
}  // namespace norva::test
