// A switch to a Demos page of 30 items (installed detection of all 30 included) and one panel refresh, on a
// form over a scratch Wine machine with the full-capacity catalog; and the same switch on a real Wine prefix
// (the one the tests' fixture made with wineboot), with and without a wineserver running for it.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>

#include "catalog/full_catalog.h"
#include "components/clock.h"
#include "menu/main_form.h"
#include "menu/page_kinds.h"
#include "menu/pages.h"
#include "platform/wine/wine_platform.h"
#include "support/recording_host.h"
#include "support/temp_dir.h"
#include "support/wine_prefix.h"

namespace {

using namespace norva;

// The menu started and shown on the catalog, as the program does.
class BenchForm {
 public:
  // `detector` null: the form's own detector on the scratch machine. `real_prefix`: a copy of that prefix
  // instead of an empty folder.
  explicit BenchForm(catalog::InstalledDetector* detector = nullptr,
                     const std::optional<std::filesystem::path>& real_prefix = std::nullopt) {
    if (real_prefix)
      copy_ = std::make_unique<test::WinePrefixCopy>(*real_prefix, machine_dir_.path() / "prefix");
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
  platform::wine::WinePlatform& machine() { return *machine_; }
  test::WinePrefixCopy& copy() { return *copy_; }

 private:
  test::TempDir disc_;
  test::TempDir machine_dir_;
  std::unique_ptr<test::WinePrefixCopy> copy_;
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
  form.selection().ItemIndex = 7;
  for (auto _ : state) form.view().ProcessPage();
}
BENCHMARK(BM_ProcessPage)->Unit(benchmark::kMicrosecond);

// The prefix made by `ctest -R wine.prefix.setup` (NORVA_WINE_FIXTURE, else build/wine-fixture).
std::optional<std::filesystem::path> RealPrefix(benchmark::State& state) {
  if (std::getenv("NORVA_WINE_FIXTURE") == nullptr) setenv("NORVA_WINE_FIXTURE", NORVA_WINE_FIXTURE, 0);
  std::string why;
  std::optional<std::filesystem::path> prefix = test::WinePrefixCopy::Fixture(&why);
  if (!prefix)
    state.SkipWithError(("no real Wine prefix: " + why + "; run ctest -R wine.prefix.setup").c_str());
  return prefix;
}

// Thirty demos detected on a real prefix whose registry is read from its files.
void BM_SwitchToDemosPageOnARealPrefix(benchmark::State& state) {
  const auto prefix = RealPrefix(state);
  if (!prefix) return;
  BenchForm bench(nullptr, prefix);
  for (auto _ : state) bench.form().pages().SelectPage(menu::kPageDemos);
  state.counters["wine_calls"] = bench.machine().machine().registry().snapshots_taken();
}
BENCHMARK(BM_SwitchToDemosPageOnARealPrefix)->Unit(benchmark::kMicrosecond);

// The same while a wineserver runs for the prefix (as while a game started from the menu runs): every page
// switch reads the registry through Wine, one call for the page.
void BM_SwitchToDemosPageWhileAWineserverRuns(benchmark::State& state) {
  const auto prefix = RealPrefix(state);
  if (!prefix) return;
  BenchForm bench(nullptr, prefix);
  bench.copy().StartServer();
  auto& registry = bench.machine().machine().registry();
  const int before = registry.snapshots_taken();
  for (auto _ : state) {
    registry.ForgetSnapshot();  // a page visited later than the snapshot's short life
    bench.form().pages().SelectPage(menu::kPageDemos);
  }
  state.counters["wine_calls_per_switch"] =
      static_cast<double>(registry.snapshots_taken() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SwitchToDemosPageWhileAWineserverRuns)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
