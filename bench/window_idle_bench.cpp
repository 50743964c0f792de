// The window at rest and at work on the sample disc, offscreen: the CPU it takes while only the border
// animations run (target under 2% of one core), and the peak memory after stepping through every gallery
// of the Demos page (target under 120 MB).
#include <sys/resource.h>
#include <QApplication>

#include <cstdio>
#include <filesystem>

#include "frontend/qt/qt_form.h"
#include "menu/item_list.h"
#include "menu/pages.h"
#include "menu/pictures.h"
#include "support/temp_dir.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace norva;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  test::TempDir dir;
  test::QtForm run({.disc = NORVA_SAMPLE_DISC, .prefix = dir.path() / "prefix", .enhanced = 1});

  // The border animations begin five seconds after the start.
  run.Wait(5500);
  const double cpu_before = CpuSeconds();
  const int paints_before = run.window().paints();
  constexpr int kIdleMs = 10000;
  run.Wait(kIdleMs);
  const double idle = (CpuSeconds() - cpu_before) / (kIdleMs / 1000.0) * 100.0;
  std::printf("idle CPU with animations: %.2f%% of one core (%d frames in %d s; target < 2%%)\n", idle,
              run.window().paints() - paints_before, kIdleMs / 1000);

  // Every gallery of every page, as a person stepping through the whole disc would.
  auto& form = run.form();
  int pictures = 0;
  for (int kind : {1, 10, 8, 7, 2, 3, 6, 11}) {
    form.pages().SelectPage(kind);
    const int count = form.item_list().AssignTempNumber(kind);
    for (int item = 1; item <= count; ++item) {
      form.selection().ItemIndex = item;
      form.view().ProcessPage();
      form.pictures().DIBImage4Click();
      run.Wait(100);
      if (!form.pictures().GalleryShown()) continue;
      ++pictures;
      for (int step = 0; step < 99 && form.controls().RightArrow->visible; ++step) {
        form.pictures().RightArrowClick();
        run.Wait(20);
        run.Grab();
        ++pictures;
      }
      form.pictures().CloseGallery();
      run.Wait(100);
    }
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak RSS after %d gallery pictures: %.1f MB (target < 120 MB)\n", pictures,
              static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}
