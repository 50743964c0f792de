#include "components/window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "components/clock.h"
#include "components/fade_label.h"
#include "components/image_control.h"

namespace norva::components {
namespace {

// A 200 × 100 window: a background image, a panel at (50, 20) holding two overlapping images, and a label on
// the window above the panel's right part. Every event is logged as "Name:event".
class WindowTest : public ::testing::Test {
 protected:
  WindowTest()
      : window_("Form", 200, 100, clock_),
        back_(window_.Create<ImageControl>(nullptr, "Back", {0, 0, 200, 100})),
        panel_(window_.Create<Container>(nullptr, "Panel", {50, 20, 100, 60})),
        lower_(window_.Create<ImageControl>(&panel_, "Lower", {10, 10, 40, 40})),
        upper_(window_.Create<ImageControl>(&panel_, "Upper", {30, 30, 40, 40})),
        label_(window_.Create<FadeLabel>(nullptr, "Label", {130, 40, 60, 20})) {
    window_.Visit([this](Control& c) { Watch(c); });
    window_.OnMouseMove = [this](int x, int y) {
      Log("Form:move " + std::to_string(x) + "," + std::to_string(y));
    };
  }

  void Log(const std::string& entry) { log_.push_back(entry); }

  void Watch(Control& c) {
    const std::string n = c.name();
    c.OnMouseEnter = [this, n] { Log(n + ":enter"); };
    c.OnMouseLeave = [this, n] { Log(n + ":leave"); };
    c.OnMouseMove = [this, n](int x, int y) {
      Log(n + ":move " + std::to_string(x) + "," + std::to_string(y));
    };
    c.OnMouseDown = [this, n](MouseButton, int x, int y) {
      Log(n + ":down " + std::to_string(x) + "," + std::to_string(y));
    };
    c.OnMouseUp = [this, n](MouseButton, int x, int y) {
      Log(n + ":up " + std::to_string(x) + "," + std::to_string(y));
    };
    c.OnClick = [this, n] { Log(n + ":click"); };
  }

  std::string HitName(int x, int y) const {
    const Control* hit = window_.HitTest(x, y);
    return hit != nullptr ? hit->name() : "-";
  }

  Clock clock_;
  Window window_;
  ImageControl& back_;
  Container& panel_;
  ImageControl& lower_;
  ImageControl& upper_;
  FadeLabel& label_;
  std::vector<std::string> log_;
};

TEST_F(WindowTest, HitTestFindsTopmostVisibleEnabledControl) {
  EXPECT_EQ(HitName(5, 5), "Back");
  EXPECT_EQ(HitName(55, 25), "Panel");  // the panel's own surface
  EXPECT_EQ(HitName(65, 35), "Lower");
  EXPECT_EQ(HitName(85, 55), "Upper");   // overlap: the later child is on top
  EXPECT_EQ(HitName(135, 45), "Label");  // a window control above the panel
  EXPECT_EQ(HitName(200, 50), "-");      // right edge is outside
  EXPECT_EQ(HitName(-1, 50), "-");

  upper_.visible = false;
  EXPECT_EQ(HitName(85, 55), "Lower");
  lower_.enabled = false;  // disabled controls let the pointer through
  EXPECT_EQ(HitName(85, 55), "Panel");
  panel_.visible = false;
  upper_.visible = true;
  EXPECT_EQ(HitName(85, 55), "Back");  // nothing of an invisible panel is hit
  EXPECT_FALSE(upper_.Showing());
}

TEST_F(WindowTest, ChildrenAreClippedToTheirContainer) {
  ImageControl& sticking_out = window_.Create<ImageControl>(&panel_, "Out", {80, 40, 60, 60});
  EXPECT_EQ(HitName(135, 65), "Out");
  EXPECT_EQ(HitName(140, 85), "Back");  // below the panel's bottom edge
  EXPECT_EQ(window_.RectInWindow(sticking_out), (Rect{130, 60, 60, 60}));
}

TEST_F(WindowTest, EnterLeaveSequenceFollowsThePointer) {
  window_.MouseMove(5, 5);
  window_.MouseMove(6, 5);
  window_.MouseMove(65, 35);
  window_.MouseMove(85, 55);
  window_.MouseMove(135, 45);
  window_.MouseMove(250, 45);  // off the window
  window_.MouseMove(251, 45);
  EXPECT_EQ(log_, (std::vector<std::string>{"Back:enter", "Back:move 5,5", "Back:move 6,5", "Back:leave",
                                            "Lower:enter", "Lower:move 5,5", "Lower:leave", "Upper:enter",
                                            "Upper:move 5,5", "Upper:leave", "Label:enter", "Label:move 5,5",
                                            "Label:leave"}));
  EXPECT_EQ(window_.hovered(), nullptr);
}

TEST_F(WindowTest, BareSurfaceMovesGoToTheWindowAndLeavingTheWindowRaisesLeave) {
  back_.visible = false;
  window_.MouseMove(10, 90);
  window_.MouseMove(135, 45);
  window_.MouseLeave();
  window_.MouseMove(10, 91);
  EXPECT_EQ(log_, (std::vector<std::string>{"Form:move 10,90", "Label:enter", "Label:move 5,5", "Label:leave",
                                            "Form:move 10,91"}));
}

TEST_F(WindowTest, ClickOnlyWhenReleasedOverTheControlThatGotThePress) {
  window_.MouseMove(65, 35);
  window_.MouseDown(MouseButton::Left, 65, 35);
  window_.MouseUp(MouseButton::Left, 66, 36);
  EXPECT_EQ(log_, (std::vector<std::string>{"Lower:enter", "Lower:move 5,5", "Lower:down 5,5", "Lower:up 6,6",
                                            "Lower:click"}));
  log_.clear();

  // Pressed on Lower, released over Upper: the release goes to Lower, nobody clicks.
  window_.MouseDown(MouseButton::Left, 65, 35);
  window_.MouseUp(MouseButton::Left, 85, 55);
  EXPECT_EQ(log_,
            (std::vector<std::string>{"Lower:down 5,5", "Lower:leave", "Upper:enter", "Lower:up 25,25"}));
  log_.clear();

  // Released over a control that got no press: no click there either.
  window_.MouseDown(MouseButton::Left, 5, 5);
  window_.MouseUp(MouseButton::Left, 85, 55);
  EXPECT_EQ(log_, (std::vector<std::string>{"Upper:leave", "Back:enter", "Back:down 5,5", "Back:leave",
                                            "Upper:enter", "Back:up 85,55"}));
  log_.clear();

  // The right button presses and releases but never clicks.
  window_.MouseDown(MouseButton::Right, 85, 55);
  window_.MouseUp(MouseButton::Right, 85, 55);
  EXPECT_EQ(log_, (std::vector<std::string>{"Upper:down 5,5", "Upper:up 5,5"}));
}

TEST_F(WindowTest, ClickHandlerMayHideItsControl) {
  upper_.OnClick = [this] { upper_.visible = false; };
  window_.MouseDown(MouseButton::Left, 85, 55);
  window_.MouseUp(MouseButton::Left, 85, 55);
  window_.MouseMove(85, 55);
  EXPECT_EQ(window_.hovered(), &lower_);
}

TEST_F(WindowTest, KeysAndWheelGoToTheWindow) {
  std::vector<Key> keys;
  int wheel = 0;
  window_.OnKeyDown = [&](Key k) { keys.push_back(k); };
  window_.OnMouseWheel = [&](int delta, int x, int) { wheel += delta * x; };
  window_.KeyDown(Key::PageDown);
  window_.KeyDown(Key::Digit0);
  window_.MouseWheel(-kWheelNotch, 2, 0);
  EXPECT_EQ(keys, (std::vector<Key>{Key::PageDown, Key::Digit0}));
  EXPECT_EQ(wheel, -240);
}

TEST_F(WindowTest, NamesAreUniqueAndFindable) {
  EXPECT_EQ(window_.Find("Upper"), &upper_);
  EXPECT_EQ(window_.FindAs<FadeLabel>("Label"), &label_);
  EXPECT_EQ(window_.FindAs<FadeLabel>("Upper"), nullptr);
  EXPECT_EQ(window_.Find("Nothing"), nullptr);
  EXPECT_THROW(window_.Create<ImageControl>(&panel_, "Label", {}), std::invalid_argument);
  window_.CreateTimer("Timer1", 100);
  EXPECT_THROW(window_.CreateImageList("Timer1", 1, 1, 1), std::invalid_argument);
  EXPECT_NE(window_.FindTimer("Timer1"), nullptr);
  EXPECT_FALSE(window_.FindTimer("Timer1")->enabled());

  std::vector<std::string> order;
  window_.Visit([&](Control& c) { order.push_back(c.name()); });
  EXPECT_EQ(order, (std::vector<std::string>{"Back", "Panel", "Lower", "Upper", "Label"}));
  EXPECT_EQ(upper_.owner(), &panel_);
  EXPECT_EQ(label_.owner(), nullptr);
}

TEST_F(WindowTest, OwnerFromAnotherWindowIsRefused) {
  Window other("Other", 10, 10, clock_);
  EXPECT_THROW(other.Create<ImageControl>(&panel_, "X", {}), std::invalid_argument);
  EXPECT_EQ(other.Find("X"), nullptr);
}

}  // namespace
}  // namespace norva::components
