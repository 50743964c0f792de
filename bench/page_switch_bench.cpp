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
#include "platform/wine/wine_ini_files.h"
#include "platform/wine/wine_machine.h"
#include "platform/wine/wine_processes.h"
#include "platform/wine/wine_shell.h"
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
    machine_ = platform::wine::WineMachine::Open({machine_dir_.path() / "prefix", disc_.path()}, &error);
    if (!machine_) throw std::runtime_error(error);
    ini_ = std::make_unique<platform::wine::WineIniFiles>(machine_->files(), machine_->system());
    shell_ = std::make_unique<platform::wine::WineShell>(
        machine_->files(),
        platform::wine::WineShellOptions{machine_->prefix(), std::nullopt, std::nullopt, true});
    platform::wine::WineProcessesOptions options;
    options.prefix = machine_->prefix();
    options.runner = shell_->runner();
    processes_ = std::make_unique<platform::wine::WineProcesses>(machine_->files(), machine_->system(),
                                                                 shell_->log(), options);
    platform_ = std::make_unique<platform::Platform>(
        platform::Platform{machine_->files(), machine_->drives(), *ini_, machine_->registry(),
                           machine_->system(), *shell_, *processes_});
    form_ = std::make_unique<menu::MainForm>(*platform_, host_, clock_, detector);
    form_->FormCreate();
    form_->FormShow();
    if (form_->Terminated()) throw std::runtime_error("the menu ended at start");
  }

  menu::MainForm& form() { return *form_; }

 private:
  test::TempDir disc_;
  test::TempDir machine_dir_;
  std::unique_ptr<platform::wine::WineMachine> machine_;
  std::unique_ptr<platform::wine::WineIniFiles> ini_;
  std::unique_ptr<platform::wine::WineShell> shell_;
  std::unique_ptr<platform::wine::WineProcesses> processes_;
  std::unique_ptr<platform::Platform> platform_;
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
