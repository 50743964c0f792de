// norva: the autorun menu of the cover disc. Parses the command line, opens the Windows machine, and runs the
// menu under the chosen front end.
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include <QApplication>
#include <QMessageBox>

#include "app/check_command.h"
#include "app/options.h"
#include "components/clock.h"
#include "frontend/qt/artwork_cache.h"
#include "frontend/qt/font_map.h"
#include "frontend/qt/log_filter.h"
#include "frontend/qt/music_module.h"
#include "frontend/qt/qt_host.h"
#include "frontend/qt/qt_image_loader.h"
#include "frontend/qt/qt_window.h"
#include "frontend/qt/quit_signals.h"
#include "frontend/qt/real_time_clock.h"
#include "headless/headless_driver.h"
#include "headless/headless_host.h"
#include "headless/headless_image_loader.h"
#include "headless/headless_player.h"
#include "menu/main_form.h"
#include "menu/music.h"
#include "platform/wine/image_mount.h"
#include "platform/wine/mounted_discs.h"
#include "platform/wine/prefix.h"
#include "platform/wine/wine_machine.h"
#include "platform/wine/wine_platform.h"

namespace {

int LocalMinutesNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_hour * 60 + local.tm_min;
}

int RunHeadless(const norva::app::Options& options, norva::platform::Platform& platform,
                norva::platform::wine::WineMachine& machine) {
  using namespace norva;
  std::ifstream script_file;
  if (options.script) {
    script_file.open(*options.script);
    if (!script_file) {
      std::cerr << "norva: cannot read the script " << *options.script << '\n';
      return 2;
    }
  }
  std::istream& in = options.script ? static_cast<std::istream&>(script_file) : std::cin;

  components::Clock clock;
  const menu::ScreenSize screen{options.screen_width.value_or(1024), options.screen_height.value_or(768)};
  headless::HeadlessHost host(clock, screen, options.clock_minutes.value_or(LocalMinutesNow()));
  headless::HeadlessPlayer player(clock);
  headless::HeadlessImageLoader pictures;
  auto form = std::make_unique<menu::MainForm>(platform, host, clock, nullptr);
  form->files().ShowInstallCommands = options.show_install_commands;
  form->OnAnsiCodePage = [&machine](platform::CodePage code_page) { machine.SetAnsiCodePage(code_page); };
  form->music().SetPlayer(&player);
  form->SetImageLoader(&pictures);
  headless::Script script(in);
  headless::HeadlessDriver driver(*form, host, clock, script, std::cout, std::cerr);
  return driver.Run();
}

int RunWindow(int argc, char** argv, const norva::app::Options& options, norva::platform::Platform& platform,
              norva::platform::wine::WineMachine& machine) {
  using namespace norva;
  frontend::qt::InstallLogFilter();
  frontend::qt::ChooseMediaBackend();
  frontend::qt::UseOwnFontConfiguration();
  // The user's scale multiplies the desktop's own through Qt's high-DPI scaling; the artwork and the texts
  // are drawn at the device pixel ratio that results, the shape and the hot spots follow in window units.
  if (options.scale) {
    bool set = false;
    const double desktop = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
    qputenv("QT_SCALE_FACTOR", QByteArray::number((set && desktop > 0 ? desktop : 1.0) * *options.scale));
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("norva"));
  // The installed desktop entry's name, by which the desktop gives the window its icon and its menu entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.norva.Norva"));
  frontend::qt::QuitSignals quit_signals;

  components::Clock clock;
  frontend::qt::RealTimeClock time(clock);
  frontend::qt::QtHostOptions host_options;
  if (options.screen_width && options.screen_height) {
    host_options.screen = menu::ScreenSize{*options.screen_width, *options.screen_height};
  }
  host_options.start_minutes = options.clock_minutes;
  frontend::qt::QtHost host(clock, time, host_options);
  frontend::qt::ModulePlayer player;
  frontend::qt::QtImageLoader pictures;
  auto form = std::make_unique<menu::MainForm>(platform, host, clock, nullptr);
  form->files().ShowInstallCommands = options.show_install_commands;
  form->music().SetPlayer(&player);
  form->SetImageLoader(&pictures);
  frontend::qt::QtWindow window(*form, host.fonts(), pictures, time);
  form->OnAnsiCodePage = [&](platform::CodePage code_page) {
    machine.SetAnsiCodePage(code_page);
    host.SetCodePage(code_page);
    window.SetCodePage(code_page);
  };
  host.SetWindow(&window);
  // For the start-time measurement: say so on standard output and end once the first frame is painted.
  if (qEnvironmentVariableIsSet("NORVA_EXIT_AFTER_FIRST_FRAME")) {
    QObject::connect(&window, &frontend::qt::QtWindow::Painted, &application, [] {
      std::cout << "first frame" << std::endl;
      QCoreApplication::exit(0);
    });
  }

  form->FormCreate();
  int status = form->ExitCode();
  if (!form->Terminated()) {
    window.show();
    form->FormShow();
    window.Refresh();
    time.Schedule();
    if (!form->Terminated()) {
      if (QGuiApplication::applicationState() == Qt::ApplicationActive) form->ApplicationActivate();
      status = application.exec();
    }
    if (form->Terminated()) status = form->ExitCode();
  }
  form->FormDestroy();
  // The rendered artwork of versions no longer started goes; ours is marked as used.
  frontend::qt::ArtworkCache(frontend::qt::ArtworkCache::DefaultFolder()).RemoveStaleSets(30);
  return status;
}

// A start that ends before the menu exists (an image that cannot be opened) is still told in a window: the
// menu may have been started from a file manager, with nobody reading its standard error.
void ShowStartError(int argc, char** argv, const std::string& error) {
  norva::frontend::qt::InstallLogFilter();
  QApplication application(argc, argv);
  QString text = QString::fromStdString(error);
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  QMessageBox::critical(nullptr, QStringLiteral("Norva"), text);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace norva;
  std::string error;
  auto options = app::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
  if (!options) {
    std::cerr << "norva: " << error << '\n' << app::kUsage;
    return 2;
  }
  if (options->check) return app::RunCheck(argc, argv, *options->check, options->json);

  platform::wine::WinePlatformOptions machine_options;
  machine_options.prefix = platform::wine::ChoosePrefixFromEnvironment(
      options->machine ? std::optional<std::filesystem::path>(*options->machine) : std::nullopt);
  // A disc image is served as a folder for the run; the folder then is the disc.
  std::unique_ptr<platform::wine::ImageMount> image;
  std::error_code ec;
  if (options->disc && std::filesystem::is_regular_file(*options->disc, ec)) {
    platform::wine::ImageMountOptions image_options;
    image_options.image = *options->disc;
    image_options.server = platform::wine::DefaultDiscServer();
    image_options.base = platform::wine::DefaultMountBase();
    image = platform::wine::ImageMount::Open(image_options, &error);
    if (!image) {
      std::cerr << "norva: " << error << '\n';
      if (!options->headless) ShowStartError(argc, argv, error);
      return 1;
    }
    machine_options.disc = image->folder();
  } else if (options->disc) {
    machine_options.disc = *options->disc;
  } else {
    // Discs the desktop has mounted get drive letters, for the drive scan to find.
    machine_options.mounted_discs = platform::wine::FindMountedMenuDiscs();
  }
  machine_options.runner = options->runner;
  machine_options.opener = options->opener;
  machine_options.record_only_by_default = options->headless;
  auto machine = platform::wine::WinePlatform::Open(machine_options, &error);
  if (!machine) {
    std::cerr << "norva: " << error << '\n';
    return 1;
  }
  if (options->headless) return RunHeadless(*options, machine->platform(), machine->machine());
  if (machine->shell().runner().empty()) {
    std::cerr << "norva: no Wine found: Windows programs cannot start; install wine or name a runner with "
                 "--runner CMD\n";
  }
  if (machine->shell().opener().empty()) {
    std::cerr
        << "norva: no xdg-open found: readmes, web pages and trailers cannot open; install xdg-utils or "
           "name an opener with --opener CMD\n";
  }
  return RunWindow(argc, argv, *options, machine->platform(), machine->machine());
}
