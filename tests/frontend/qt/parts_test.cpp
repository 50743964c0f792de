// The front end's parts on their own: the player's modes, the version chooser's layout and answers, the
// picture cache, the key map and the message box kinds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "components/image_list.h"
#include "frontend/qt/font_map.h"
#include "frontend/qt/model_painter.h"
#include "frontend/qt/music_module.h"
#include "frontend/qt/qt_host.h"
#include "frontend/qt/qt_image_loader.h"
#include "frontend/qt/qt_player.h"
#include "frontend/qt/qt_window.h"
#include "frontend/qt/version_chooser.h"
#include "support/temp_dir.h"

namespace norva::test {
namespace {

using frontend::qt::ModeOf;
using frontend::qt::QtPlayer;

TEST(QtPlayerTest, ModesAsTheMenuReadsThem) {
  EXPECT_EQ(ModeOf(false, QMediaPlayer::PlayingState, QMediaPlayer::BufferedMedia),
            components::kPlayerClosed);
  EXPECT_EQ(ModeOf(true, QMediaPlayer::PlayingState, QMediaPlayer::BufferedMedia),
            components::kPlayerPlaying);
  EXPECT_EQ(ModeOf(true, QMediaPlayer::StoppedState, QMediaPlayer::LoadedMedia), components::kPlayerStopped);
  EXPECT_EQ(ModeOf(true, QMediaPlayer::StoppedState, QMediaPlayer::EndOfMedia), components::kPlayerFinished);
  EXPECT_EQ(ModeOf(true, QMediaPlayer::PausedState, QMediaPlayer::BufferedMedia), components::kPlayerPaused);
}

TEST(QtPlayerTest, MissingModuleOrTuneIsNotReady) {
  TempDir dir;
  QtPlayer player;
  EXPECT_TRUE(player.SetModulePath((dir.path() / "elamp.esp").string()));
  EXPECT_FALSE(player.LoadModule());
  EXPECT_FALSE(player.OpenInput()) << "a tune opened without its module";
  EXPECT_FALSE(player.Play());
  EXPECT_EQ(player.Mode(), components::kPlayerClosed);

  const auto module = dir.Write("elamp.esp", "module");
  player.SetModulePath(module.string());
  EXPECT_TRUE(player.LoadModule());
  player.SetInputName((dir.path() / "music1.mp3").string());
  EXPECT_FALSE(player.OpenInput());
  EXPECT_FALSE(player.OpenOutput());
  EXPECT_FALSE(player.Play());
  EXPECT_FALSE(player.Pause());
  EXPECT_EQ(player.Mode(), components::kPlayerClosed);
}

TEST(ModulePlayerTest, LoadsTheMusicModuleOnFirstNeedAndIsSilentWithoutIt) {
  TempDir dir;
  frontend::qt::ModulePlayer player(QStringLiteral(NORVA_MUSIC_MODULE_FILE));
  EXPECT_EQ(player.Mode(), components::kPlayerClosed) << "asked before any tune";
  EXPECT_FALSE(player.loaded());
  EXPECT_TRUE(player.SetModulePath((dir.path() / "elamp.esp").string()));
  EXPECT_TRUE(player.loaded());
  EXPECT_FALSE(player.LoadModule()) << "the real player's answer: no module file";

  frontend::qt::ModulePlayer without(QString::fromStdString((dir.path() / "norva-music.so").string()));
  EXPECT_FALSE(without.SetModulePath((dir.path() / "elamp.esp").string()));
  EXPECT_FALSE(without.OpenInput());
  EXPECT_FALSE(without.Play());
  EXPECT_TRUE(without.UnloadModule());
  EXPECT_EQ(without.Mode(), components::kPlayerClosed);
}

TEST(VersionChooserTest, LayoutInCharacterUnits) {
  // cx 8, cy 16: margins 16 and 16, buttons 100 x 28 with 8 between, 20 between prompt and buttons.
  const auto wide = frontend::qt::LayoutChooser(8, 16, QSize(300, 32), 2);
  EXPECT_EQ(wide.message, QRect(16, 16, 300, 32));
  EXPECT_EQ(wide.client, QSize(332, 16 + 32 + 20 + 28 + 16));
  ASSERT_EQ(wide.buttons.size(), 2u);
  // The row (208 wide) is centred under the wider prompt.
  EXPECT_EQ(wide.buttons[0], QRect(62, 68, 100, 28));
  EXPECT_EQ(wide.buttons[1], QRect(170, 68, 100, 28));

  // A row wider than the prompt sets the width.
  const auto many = frontend::qt::LayoutChooser(8, 16, QSize(50, 16), 4);
  EXPECT_EQ(many.client.width(), 4 * 100 + 3 * 8 + 32);
  EXPECT_EQ(many.buttons.front().left(), 16);
  EXPECT_EQ(many.buttons.back().right() + 1, many.client.width() - 16);
}

TEST(VersionChooserTest, ButtonsAnswerElevenOnAndClosingAnswersNothing) {
  const QStringList labels{QStringLiteral("Single player"), QStringLiteral("Multiplayer")};
  frontend::qt::VersionChooser chooser(QStringLiteral("Norva CD v2"),
                                       QStringLiteral("Jakou verzi hry chcete spustit?"), labels,
                                       QRect(0, 0, 1024, 768));
  auto* message = chooser.findChild<QLabel*>(QStringLiteral("Message"));
  ASSERT_NE(message, nullptr);
  EXPECT_TRUE(message->wordWrap());
  EXPECT_LE(message->width(), 512);
  const auto buttons = chooser.findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 2);
  EXPECT_EQ(buttons[1]->text(), labels[1]);
  EXPECT_EQ(buttons[0]->geometry(), chooser.layout_units().buttons[0]);
  EXPECT_LT(buttons[0]->geometry().bottom(), chooser.height());
  // Centred on the screen.
  EXPECT_NEAR(chooser.x() + chooser.width() / 2, 512, 1);

  QTimer::singleShot(0, buttons[1], &QPushButton::click);
  EXPECT_EQ(chooser.Choose(), 1u);
  QTimer::singleShot(0, &chooser, &QDialog::reject);
  EXPECT_EQ(chooser.Choose(), std::nullopt);
}

TEST(QtImageLoaderTest, DecodesByContentAndOncePerReplacement) {
  TempDir dir;
  QImage red(3, 2, QImage::Format_RGB32);
  red.fill(QColor(255, 0, 0));
  // A bitmap under a .jpg name still loads.
  const auto bmp = (dir.path() / "shot.jpg").string();
  ASSERT_TRUE(red.save(QString::fromStdString(bmp), "BMP"));
  frontend::qt::QtImageLoader loader;
  const auto loaded = loader.Load(bmp);
  ASSERT_TRUE(loaded.ok()) << loaded.error;
  EXPECT_EQ(loaded.image.width, 3);
  EXPECT_EQ(loaded.image.height, 2);
  ASSERT_EQ(loaded.image.rgb.size(), 18u);
  EXPECT_EQ(loaded.image.rgb[0], 255);
  EXPECT_EQ(loaded.image.rgb[1], 0);
  components::ImageList list("DIBImageList2", 0, 0, 3);
  EXPECT_TRUE(loader.Entry(list, 1).isNull()) << "an entry without a file has no decoded picture";
  // The menu's load before it puts the file into the list is the decode the entry shows.
  list.ReplaceEntry(1, bmp);
  EXPECT_EQ(loader.Entry(list, 1).size(), QSize(3, 2));
  loader.Entry(list, 1);
  EXPECT_EQ(loader.decodes(), 1);
  EXPECT_FALSE(loader.Load((dir.path() / "none.jpg").string()).ok());
  EXPECT_FALSE(loader.Load(dir.Write("text.jpg", "not a picture").string()).ok());
  QImage blue(5, 5, QImage::Format_RGB32);
  blue.fill(Qt::blue);
  ASSERT_TRUE(blue.save(QString::fromStdString(bmp), "BMP"));
  list.ReplaceEntry(1, bmp);
  EXPECT_EQ(loader.Entry(list, 1).size(), QSize(5, 5));
  EXPECT_EQ(loader.decodes(), 4);
}

TEST(FontMapTest, DiscFontsDrawTheDisplayFaceAndWhatIsNoFontIsRefused) {
  TempDir dir;
  // A disc's font under its disguise.
  const std::string font = (dir.path() / "bb.jpg").string();
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", font);
  frontend::qt::FontMap fonts;
  EXPECT_TRUE(fonts.Add(font));
  EXPECT_FALSE(fonts.Add(dir.Write("bc.jpg", std::string("\xFF\xD8\xFF\xE0 a picture", 14)).string()));
  EXPECT_FALSE(fonts.Add((dir.path() / "missing.jpg").string()));
  ASSERT_EQ(::mkfifo((dir.path() / "pipe.jpg").c_str(), 0600), 0);
  EXPECT_FALSE(fonts.Add((dir.path() / "pipe.jpg").string())) << "and it did not block";
  // Registered when a text first asks: the display face is the disc's, Tahoma the fallback.
  EXPECT_EQ(fonts.Family("Square721 AT"), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(fonts.Family("Tahoma"), fonts.fallback());
  EXPECT_EQ(fonts.fallback(), QStringLiteral("DejaVu Sans"));
  fonts.Remove(font);
  EXPECT_EQ(fonts.Family("Square721 AT"), fonts.fallback());
}

TEST(QtFrontEndTest, OneLineLabelsEndWithAnEllipsisInsteadOfACutLetter) {
  const frontend::qt::FontMap fonts;
  const QFont title = fonts.Font({.name = "Tahoma", .size = 13, .bold = true});
  const QString text = QStringLiteral("SKYHOPPER: BAL\u00D3NEM P\u0158ES MRAKY");
  const auto cut = frontend::qt::FitLabelLine(text, title, 225);
  EXPECT_TRUE(cut.text.endsWith(QChar(0x2026))) << cut.text.toStdString();
  EXPECT_TRUE(text.startsWith(cut.text.chopped(1)));
  EXPECT_LE(cut.width, 225);

  // A caption a little too wide keeps every letter, set closer.
  const qreal natural = QFontMetricsF(title).horizontalAdvance(text);
  const auto closer = frontend::qt::FitLabelLine(text, title, static_cast<int>(natural) - 3);
  EXPECT_EQ(closer.text, text);
  EXPECT_LE(closer.width, static_cast<int>(natural) - 3);

  EXPECT_GE(frontend::qt::AccentRise(title), QFontMetricsF(title).ascent());
  EXPECT_EQ(frontend::qt::LabelText("OBLA\u010CNO && SYN"), QStringLiteral("OBLA\u010CNO & SYN"));
}

TEST(QtFrontEndTest, KeyMap) {
  using components::Key;
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_Escape), Key::Esc);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_Enter), Key::Enter);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_Return), Key::Enter);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_Z), Key::Z);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_9), Key::Digit9);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_PageDown), Key::PageDown);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_F1), Key::F1);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_F4, Qt::AltModifier), Key::AltF4);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_Backtab, Qt::ShiftModifier), Key::ShiftTab);
  EXPECT_EQ(frontend::qt::KeyFromQt(Qt::Key_Insert), std::nullopt);
}

}  // namespace
}  // namespace norva::test
