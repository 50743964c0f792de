// A switch to a Demos page of 30 items (installed detection of all 30 included) and one panel refresh, on a
// form over a scratch Wine machine with the full-capacity catalog.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

#include "catalog/full_catalog.h"
#include "components/clock.h"
#include "menu/main_form.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "platform/wine/wine_platform.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"

namespace {

using namespace norva;

// The menu started and shown on the catalog, as the program does.
class BenchForm {
 public:
  // `detector` null: the form's own detector on the scratch machine.
  explicit BenchForm(catalog::InstalledDetector* detector = nullptr) {
    disc_.Write("NORVA.EXE", "MZ");
    disc_.Write("Norva/NORVAXP.ini", test::FullCatalogText());
    std::string error;
    machine_ = platform::wine::WinePlatform::Open(
        {machine_dir_.path() / "prefix", disc_.path(), std::nullopt, std::nullopt, true}, &error);
    if (!machine_) throw std::runtime_error(error);
    form_ = std::make_unique<menu::MainForm>(machine_->platform(), host_, clock_, detector);
    form_->FormCreate();
    form_->FormShow();
    if (form_->Terminated()) throw std::runtime_error("the menu ended at start");
  }

  menu::MainForm& form() { return *form_; }

 private:
  test::TempDir disc_;
  test::TempDir machine_dir_;
  std::unique_ptr<platform::wine::WinePlatform> machine_;
  components::Clock clock_;
  test::RecordingHost host_;
  std::unique_ptr<menu::MainForm> form_;
};

void BM_SwitchToDemosPage(benchmark::State& state) {
  BenchForm bench;
  auto& form = bench.form();
  if (form.catalog().DemoCount != 30) state.SkipWithError("the catalog should have 30 demos");
  for (auto _ : state) form.pages().SelectPage(menu::kPageDemos);
}
BENCHMARK(BM_SwitchToDemosPage)->Unit(benchmark::kMicrosecond);

// The same switch with detection answering at once: the page's own share of the work.
class NoDetection : public catalog::InstalledDetector {
 public:
  void CheckDemo(catalog::TDemos&) override {}
};

void BM_SwitchToDemosPageWithoutDetection(benchmark::State& state) {
  NoDetection detector;
  BenchForm bench(&detector);
  for (auto _ : state) bench.form().pages().SelectPage(menu::kPageDemos);
}
BENCHMARK(BM_SwitchToDemosPageWithoutDetection)->Unit(benchmark::kMicrosecond);

void BM_ProcessPage(benchmark::State& state) {
  BenchForm bench;
  auto& form = bench.form();
  form.ItemIndex = 7;
  for (auto _ : state) form.pages().ProcessPage();
}
BENCHMARK(BM_ProcessPage)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
