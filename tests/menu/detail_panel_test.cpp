// The detail panel of the selected item: flags, buttons, texts, the date, re-detection and the hover help.
#include <gtest/gtest.h>

#include "menu/detail_panel.h"
#include "menu/page_kinds.h"
#include "menu/panel_test_form.h"

namespace norva::menu {
namespace {

using catalog::TDemos;
using test::PanelTestForm;

std::string Catalog(int edition, int dvd = 0) {
  return "[Main]\r\nCD=0206\r\nVersion=" + std::to_string(edition) + "\r\nDVD=" + std::to_string(dvd) +
         "\r\n";
}

TDemos Demo(std::string name, int flags) {
  TDemos demo;
  demo.Name = demo.Title = std::move(name);
  demo.Flags = flags;
  demo.Date = "0603";
  return demo;
}

struct Flags {
  int playable, unplayable, cz, three_d, net;
  friend bool operator==(const Flags&, const Flags&) = default;
};

std::ostream& operator<<(std::ostream& out, const Flags& f) {
  return out << "{" << f.playable << ", " << f.unplayable << ", " << f.cz << ", " << f.three_d << ", "
             << f.net << "}";
}

Flags Shown(MainForm& form) {
  auto& c = form.controls();
  return {c.Flag_Playable->image, c.Flag_Unplayable->image, c.Flag_CZ->image, c.Flag_3D->image,
          c.Flag_Net->image};
}

// Button pictures and states: Readme, Web, Play, Uninstall.
std::vector<int> Buttons(MainForm& form) {
  auto& c = form.controls();
  std::vector<int> out;
  for (auto* b : {c.ReadmeImage, c.WebImage, c.PlayImage, c.StopImage}) {
    out.push_back(b->image);
    out.push_back(b->tag);
  }
  return out;
}

TEST(DetailPanel, FlagsOnCzechAndEnglishInterfaces) {
  PanelTestForm czech(Catalog(1));
  czech.Start();
  MainForm& form = czech.form();
  form.catalog().Demo[1] = Demo("CZECH", 36);
  form.catalog().Demo[2] = Demo("UNPLAYABLE", 24);
  form.catalog().DemoCount = 2;
  czech.Select(kPageDemos, 1);
  form.panel().SetDemos();
  EXPECT_EQ(Shown(form), (Flags{54, -1, 58, 60, -1})) << "3D, Czech and playable";
  czech.Select(kPageDemos, 2);
  form.panel().SetDemos();
  EXPECT_EQ(Shown(form), (Flags{-1, 56, -1, 60, -1})) << "3D and unplayable; the Demos page rule yields";

  // Other pages follow the value alone; the night scheme shows the second pictures.
  form.look().NightMode = 1;
  czech.Select(kPageFulls, 1);
  const std::pair<int, Flags> values[] = {
      {0, {-1, -1, -1, -1, -1}},  {3, {-1, -1, 59, -1, -1}},  {13, {-1, -1, 59, -1, 63}},
      {22, {-1, -1, -1, 61, -1}}, {33, {55, -1, -1, -1, 63}}, {37, {55, -1, 59, 61, 63}},
      {50, {55, -1, -1, -1, -1}},
  };
  for (auto [value, flags] : values) {
    form.panel().DoFlags(value);
    EXPECT_EQ(Shown(form), flags) << value;
  }

  PanelTestForm english(Catalog(0));
  english.Start();
  MainForm& en = english.form();
  en.catalog().Demo[1] = Demo("CZECH", 36);
  en.catalog().DemoCount = 1;
  en.controls().Flag_CZ->image = 118;
  english.Select(kPageDemos, 1);
  en.panel().SetDemos();
  EXPECT_EQ(Shown(en), (Flags{54, -1, 118, 60, -1})) << "the CZ slot keeps its placeholder";
  en.panel().SetOff();
  EXPECT_EQ(Shown(en), (Flags{-1, -1, 118, -1, -1}));
}

TEST(DetailPanel, DemosAndExtra2ButtonsAndTexts) {
  PanelTestForm disc(Catalog(0));
  disc.Start();
  MainForm& form = disc.form();
  TDemos demo = Demo("HERETIC II", 0);
  demo.FullName = "Heretic II: Corvus";
  demo.Firm = "Raven";
  demo.Describe0 = "English text";
  demo.Describe = "Czech text";
  demo.GameName = "heretic2.exe";
  demo.ReadmeName = "readme.txt";
  demo.NotInstalled = 1;
  form.catalog().Demo[1] = demo;
  form.catalog().Extra2[1] = demo;
  disc.Select(kPageDemos, 1);
  form.panel().SetDemos();
  auto& c = form.controls();
  EXPECT_EQ(c.NameLabel->caption, "Heretic II: Corvus");
  EXPECT_EQ(c.FirmLabel->caption, "Raven");
  EXPECT_EQ(c.DateLabel->caption, "JUNE 2003");
  EXPECT_EQ(c.TextLabel->caption, "English text");
  EXPECT_EQ(Buttons(form), (std::vector<int>{-1, 0, -1, 0, -1, 0, -1, 0}))
      << "no readme while not installed, no web; not installed and nothing to install: no Play";

  disc.Select(kPageExtra2, 1);
  form.panel().SetExtra2();
  EXPECT_EQ(Buttons(form), (std::vector<int>{-1, 0, -1, 0, 8, 1, -1, 0}))
      << "Extra2 plays whatever is installed";

  form.catalog().Demo[1].InstallName = "setup.exe";
  form.catalog().Demo[1].Installed = 1;
  form.catalog().Demo[1].NotInstalled = 0;
  form.catalog().Demo[1].InstalledDir = "C:\\Games\\Heretic2";
  form.catalog().Demo[1].Web = "www.raven.com";
  disc.Select(kPageDemos, 1);
  form.look().NightMode = 1;
  form.panel().SetDemos();
  EXPECT_EQ(Buttons(form), (std::vector<int>{21, 1, 22, 1, 23, 1, 24, 1})) << "night pictures at + 15";
}

TEST(DetailPanel, DateThatIsNotANumberStopsTheRefreshWithAnErrorBox) {
  PanelTestForm disc(Catalog(0));
  disc.Start();
  MainForm& form = disc.form();
  TDemos demo = Demo("BROKEN", 10);
  demo.Date = "XX04";
  demo.Describe0 = "never shown";
  demo.Web = "www.example.com";
  form.catalog().Demo[1] = demo;
  form.controls().TextLabel->caption = "before";
  disc.Select(kPageDemos, 1);
  disc.host().messages.clear();
  form.panel().SetDemos();
  ASSERT_EQ(disc.host().messages.size(), 1u);
  EXPECT_EQ(disc.host().messages[0].kind, MessageKind::kError);
  EXPECT_EQ(form.controls().NameLabel->caption, "BROKEN") << "the steps before the date ran";
  EXPECT_EQ(form.controls().TextLabel->caption, "before") << "the steps after it did not";
  EXPECT_EQ(form.controls().WebImage->tag, 0);
  EXPECT_EQ(form.controls().Flag_Net->image, -1);
}

class ForgetfulDetector : public catalog::InstalledDetector {
 public:
  void CheckDemo(TDemos& item) override {
    ++calls;
    item.Installed = 0;
    item.NotInstalled = 1;
  }
  int calls = 0;
};

TEST(DetailPanel, AnInstalledItemWhoseProgramIsGoneIsDetectedAgain) {
  ForgetfulDetector detector;
  PanelTestForm disc(Catalog(0), &detector);
  disc.Start();
  MainForm& form = disc.form();
  TDemos demo = Demo("GONE", 0);
  demo.Installed = 1;
  demo.InstalledDir = "C:\\Games\\Gone";
  demo.GameName = "gone.exe";
  demo.InstallName = "setup.exe";
  form.catalog().Demo[1] = demo;
  form.catalog().DemoCount = 1;
  disc.Select(kPageDemos, 1);
  detector.calls = 0;
  const int pumps = disc.host().pumps;
  form.panel().SetDemos();
  EXPECT_EQ(detector.calls, 1);
  EXPECT_GT(disc.host().pumps, pumps);
  EXPECT_EQ(form.controls().StopImage->tag, 0) << "the panel shows the state found again";

  // Present on disk: no detection.
  disc.disc().Write("Games/Here/here.exe", "MZ");
  auto& here = form.catalog().Demo[1];
  here.Installed = 1;
  here.InstalledDir = form.files().DiscRoot + "\\Games\\Here";
  here.GameName = "here.exe";
  form.panel().SetDemos();
  EXPECT_EQ(detector.calls, 1);
  EXPECT_EQ(form.controls().StopImage->tag, 1);
}

TEST(DetailPanel, ReadersUpdatesExtraAndFilms) {
  PanelTestForm disc(Catalog(1, 1));
  disc.Start();
  MainForm& form = disc.form();
  auto& data = form.catalog();
  TDemos document;
  document.Name = "NAVOD";
  document.InstallDir = "D:\\Readers\\Navod";
  document.ReadmeName = "navod.txt";
  document.Describe = "popis";
  data.Reader[1] = document;
  disc.Select(kPageReaders, 1);
  form.panel().SetReaders();
  EXPECT_EQ(Buttons(form), (std::vector<int>{6, 1, -1, 0, -1, 0, -1, 0})) << "a document: only Readme";
  EXPECT_EQ(data.Reader[1].InstalledDir, "D:\\Readers\\Navod");
  EXPECT_EQ(form.controls().TextLabel->caption, "popis");
  EXPECT_EQ(form.controls().Flag_CZ->image, 58);

  data.Update[1] = {"PATCH", "1.2", "patch12.exe", "", 0};
  disc.Select(kPageUpdates, 1);
  form.panel().SetUpdates();
  EXPECT_EQ(form.controls().NameLabel->caption, "PATCH 1.2");
  EXPECT_EQ(form.controls().PlayImage->tag, 1);

  TDemos extra;
  extra.Name = "TAPETY";
  extra.InstallDir = "D:\\Extra\\Tapety";
  extra.GameName = "tapety.exe";
  data.Extra[1] = extra;
  disc.Select(kPageExtra, 1);
  form.panel().SetExtra();
  EXPECT_EQ(data.Extra[1].InstalledDir, "D:\\Extra\\Tapety") << "runs from the disc";
  EXPECT_EQ(data.Extra[1].Runnable, 1);
  EXPECT_FALSE(form.controls().DIBImage4->visible) << "no picture";

  data.Movie[1].Name = "RUNAWAY";
  data.Movie[1].Date = "?";
  data.Movie[2].Name = "OBLIVION";
  data.Movie[2].Firm = "OBLA\xC8NO & SYN";  // a trailer's firm is not prepared by the catalog
  disc.Select(kPageFilms, 1);
  form.panel().SetFilms();
  EXPECT_EQ(form.controls().Flag_CZ->image, 58);
  EXPECT_FALSE(form.controls().Label2->visible) << "the DVD's first trailer needs no codec note";
  EXPECT_EQ(form.controls().DateLabel->caption, "NEOZN\xC1MENO");
  disc.Select(kPageFilms, 2);
  form.panel().SetFilms();
  EXPECT_EQ(form.controls().Flag_CZ->image, -1);
  EXPECT_TRUE(form.controls().Label2->visible);
  EXPECT_EQ(form.controls().FirmLabel->caption, "OBLA\xC8NO && SYN") << "the label shows the ampersand";
}

TEST(DetailPanel, ReadersDescriptionStaysOnAnEnglishInterface) {
  PanelTestForm disc(Catalog(0));
  disc.Start();
  MainForm& form = disc.form();
  form.catalog().Reader[1].Describe = "first";
  form.catalog().Reader[2].Describe = "second";
  form.controls().TextLabel->caption = "page text";
  for (int index : {1, 2}) {
    disc.Select(kPageReaders, index);
    form.panel().SetReaders();
    EXPECT_EQ(form.controls().TextLabel->caption, "page text");
  }
  disc.Select(kPageDemos, 0);
  form.panel().SetDemos();  // an empty page's End: no record is read
  EXPECT_EQ(form.controls().TextLabel->caption, "page text");
}

TEST(DetailPanel, HoverHelpOfDateFlagsAndButtons) {
  PanelTestForm disc(Catalog(0));
  disc.Start();
  MainForm& form = disc.form();
  auto& c = form.controls();
  TDemos demo = Demo("DEMO", 24);
  demo.InstallName = "setup.exe";
  demo.GameName = "demo.exe";
  demo.NotInstalled = 1;
  form.catalog().Demo[1] = demo;
  form.catalog().Driver[1] = demo;
  disc.Select(kPageDemos, 1);
  form.panel().SetDemos();

  auto hover = [&](const components::Control& control) {
    c.HelpLabel->caption.clear();
    const auto at = disc.Centre(control);
    form.window().MouseMove(at.x, at.y);
    return c.HelpLabel->caption;
  };
  EXPECT_EQ(hover(*c.DateLabel), "DATE OF RELEASE");
  EXPECT_EQ(hover(*c.Flag_Unplayable), "UNPLAYABLE");
  EXPECT_EQ(hover(*c.Flag_3D), "3D SUPPORT");
  EXPECT_EQ(hover(*c.Flag_Playable), "") << "the flag is off";
  EXPECT_EQ(hover(*c.ReadmeImage), "") << "a disabled button has no help";
  EXPECT_EQ(c.ReadmeImage->tag, 0);
  EXPECT_EQ(hover(*c.PlayImage), "INSTALL");
  EXPECT_EQ(c.PlayImage->image, 13);
  EXPECT_EQ(c.PlayImage->tag, 2);

  form.catalog().Demo[1].NotInstalled = 0;
  EXPECT_EQ(hover(*c.PlayImage), "RUN");

  disc.Select(kPageDrivers, 1);
  form.panel().SetDrivers();
  EXPECT_EQ(hover(*c.DateLabel), "LAST UPDATE");
  EXPECT_EQ(hover(*c.PlayImage), "INSTALL");
  c.DateLabel->caption.clear();
  EXPECT_EQ(hover(*c.DateLabel), "") << "no date, no help";

  disc.Select(kPageShots, 1);
  EXPECT_EQ(hover(*c.PlayImage), "") << "Shots: the hover picture only";
  EXPECT_EQ(c.PlayImage->tag, 2);
}

}  // namespace
}  // namespace norva::menu
