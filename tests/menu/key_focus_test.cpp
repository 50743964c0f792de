// The main window by keyboard alone: the Tab order over what a click could reach, Enter as a click on the
// focused control (on the list: on Play), and the keys for the pages, the settings and the exit.
#include "menu/key_focus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "menu/menu_test_form.h"
#include "menu/page_kinds.h"
#include "menu/pictures.h"

namespace norva::test {
namespace {

using components::Key;
using Target = menu::KeyFocus::Target;

// Skyhopper has a home page and an archive to install; Rally has neither. Two pages: Demos and Installed.
constexpr const char* kCatalog =
    "[Main]\r\nCD=0206\r\nVersion=0\r\nDemos=2\r\n"
    "[Demo1]\r\nName=Skyhopper\r\nInstallDir=Skyhopper\r\nInstallName=skyhop.rar\r\nInstallType=2\r\n"
    "GameName=skyhop.exe\r\nWeb=www.example.com\r\n"
    "[Demo2]\r\nName=Rally\r\nInstallDir=Rally\r\n";

bool Called(const RecordingHost& host, const std::string& call) {
  return std::find(host.calls.begin(), host.calls.end(), call) != host.calls.end();
}

TEST(KeyFocus, TabVisitsWhatAClickCouldReachAndShiftTabGoesBack) {
  MenuTestForm t(kCatalog);
  t.Start();
  auto& focus = t.form().key_focus();
  EXPECT_EQ(focus.FocusMark(), std::nullopt) << "no mark before the keyboard moved the focus";
  // Readme and Uninstall are off: Skyhopper has no readme and is not installed.
  const std::vector<Target> order = {
      Target::kWeb,      Target::kPlay,      menu::KeyFocus::Icon(1), menu::KeyFocus::Icon(2),
      Target::kExitSpot, Target::kSetupSpot, Target::kIndigoSpot,     Target::kList};
  for (const Target expected : order) {
    t.Key(Key::Tab);
    EXPECT_EQ(focus.Focused(), expected) << static_cast<int>(expected);
  }
  for (auto it = order.rbegin() + 1; it != order.rend(); ++it) {
    t.Key(Key::ShiftTab);
    EXPECT_EQ(focus.Focused(), *it) << static_cast<int>(*it);
  }
  t.Key(Key::ShiftTab);
  EXPECT_EQ(focus.Focused(), Target::kList);

  // The mark frames the focused control, within the panel.
  t.Key(Key::Tab);
  t.Key(Key::Tab);
  const auto mark = focus.FocusMark();
  ASSERT_TRUE(mark.has_value());
  EXPECT_TRUE(mark->Encloses(t.form().window().RectInWindow(*t.controls().PlayImage)));
  // The list's keys work wherever the focus is; Rally's Play is off, so the focus is back on the list.
  t.Key(Key::Down);
  EXPECT_EQ(t.form().selection().ItemIndex, 2);
  EXPECT_EQ(focus.Focused(), Target::kList);
}

TEST(KeyFocus, EnterClicksTheFocusedControlAndOnTheListPlay) {
  MenuTestForm t(kCatalog);
  t.Start();
  auto& f = t.form();
  t.Key(Key::Enter);
  EXPECT_TRUE(Called(t.host(), "ShowChooser")) << "Play installs the demo that is not installed";

  // Shift+Tab from the list wraps to the last spot; Space activates like Enter.
  t.Key(Key::ShiftTab);
  t.Key(Key::ShiftTab);
  ASSERT_EQ(f.key_focus().Focused(), Target::kSetupSpot);
  t.Key(Key::Space);
  EXPECT_EQ(f.selection().PageKind, menu::kPageSettings);

  // Under the open gallery (its frame and picture over the panel) the focus falls back to the list, which
  // shows no mark, and Enter reaches no button. Only the exit spot, which stays above the gallery, takes
  // the focus then.
  t.Key(Key::F1);
  t.controls().DIBImage1->visible = true;
  t.controls().DIBImage2->visible = true;
  ASSERT_TRUE(f.pictures().GalleryShown());
  EXPECT_EQ(f.key_focus().Focused(), Target::kList);
  EXPECT_EQ(f.key_focus().FocusMark(), std::nullopt);
  const auto calls = t.host().calls.size();
  t.Key(Key::Enter);
  EXPECT_EQ(t.host().calls.size(), calls);
  t.Key(Key::Tab);
  EXPECT_EQ(f.key_focus().Focused(), Target::kExitSpot);
  t.Key(Key::Tab);
  EXPECT_EQ(f.key_focus().Focused(), Target::kExitSpot);
}

TEST(KeyFocus, FunctionKeysSelectPagesAndSettingsAndAltF4Exits) {
  MenuTestForm t(kCatalog);
  t.Start();
  auto& f = t.form();
  t.Key(Key::F2);
  EXPECT_EQ(f.selection().PageKind, menu::kPageInstalled);
  EXPECT_EQ(f.selection().SelectedIcon, 2);
  t.Key(Key::F3);
  EXPECT_EQ(f.selection().PageKind, menu::kPageInstalled) << "slot 3 is empty";
  t.Key(Key::F1);
  EXPECT_EQ(f.selection().PageKind, menu::kPageDemos);
  t.Key(Key::F12);
  EXPECT_EQ(f.selection().PageKind, menu::kPageSettings);
  EXPECT_FALSE(Called(t.host(), "Terminate 0"));
  t.Key(Key::AltF4);
  EXPECT_TRUE(f.Terminated());
  EXPECT_TRUE(Called(t.host(), "Terminate 0"));
}

}  // namespace
}  // namespace norva::test
