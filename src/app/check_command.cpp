#include "app/check_command.h"

#include <stdlib.h>

#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <memory>

#include "catalog/catalog.h"
#include "check/catalog_check.h"
#include "frontend/qt/font_map.h"
#include "frontend/qt/log_filter.h"
#include "frontend/qt/qt_text_fit.h"
#include "headless/headless_image_loader.h"
#include "menu/font_files.h"
#include "platform/wine/image_mount.h"
#include "platform/wine/wine_platform.h"

namespace norva::app {
namespace {

namespace fs = std::filesystem;

// A prefix of its own for the check's run, removed at the end: the check never touches the user's machine.
class ScratchPrefix {
 public:
  ScratchPrefix() {
    std::string pattern = (fs::temp_directory_path() / "norva-check-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchPrefix() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  ScratchPrefix(const ScratchPrefix&) = delete;
  ScratchPrefix& operator=(const ScratchPrefix&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

int CannotRead(const std::string& disc, const std::string& why) {
  std::cerr << "norva: cannot check " << disc << ": " << why << '\n';
  return 2;
}

}  // namespace

int RunCheck(int argc, char** argv, const std::string& disc, bool json) {
  std::error_code ec;
  std::unique_ptr<platform::wine::ImageMount> image;
  fs::path folder = disc;
  std::string error;
  if (fs::is_regular_file(disc, ec)) {
    // An image is served as a folder, as the menu serves it for a run.
    platform::wine::ImageMountOptions image_options;
    image_options.image = disc;
    image_options.server = platform::wine::DefaultDiscServer();
    image_options.base = platform::wine::DefaultMountBase();
    image = platform::wine::ImageMount::Open(image_options, &error);
    if (!image) return CannotRead(disc, error);
    folder = image->folder();
  } else if (!fs::is_directory(disc, ec)) {
    return CannotRead(disc, "no such folder or image");
  }

  ScratchPrefix prefix;
  if (prefix.path().empty()) return CannotRead(disc, "no temporary folder for the check's prefix");
  platform::wine::WinePlatformOptions machine_options;
  machine_options.prefix = prefix.path();
  machine_options.disc = folder;
  machine_options.record_only_by_default = true;
  auto machine = platform::wine::WinePlatform::Open(machine_options, &error);
  if (!machine) return CannotRead(disc, error);
  auto& files = machine->platform().files;
  const std::string root = std::string(1, machine->machine().disc_letter()) + ":";
  const std::string norva_dir = root + "\\NORVA\\";
  if (!files.FileExists(norva_dir + "norvaxp.ini")) return CannotRead(disc, "it has no \\NORVA\\NORVAXP.INI");
  auto catalog_ini = machine->platform().ini.Open(norva_dir + "norvaxp.ini");

  // Texts are measured by the window's own fitting, on the offscreen platform: no display is needed.
  frontend::qt::InstallLogFilter();
  frontend::qt::UseOwnFontConfiguration();
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  frontend::qt::FontMap fonts;
  for (const std::string_view name : menu::kFontFiles) {
    if (auto host = files.HostPath(norva_dir + std::string(name))) fonts.Add(*host);
  }
  frontend::qt::QtTextFit text_fit(fonts);

  check::CheckInputs inputs{*catalog_ini, files, root};
  inputs.archives = machine->platform().archives;
  inputs.decode_picture = headless::DecodePicture;
  inputs.text_fit = &text_fit;
  inputs.case_sensitive = image == nullptr;
  inputs.on_code_page = [&](platform::CodePage code_page) { machine->machine().SetAnsiCodePage(code_page); };
  auto catalog = std::make_unique<catalog::Catalog>();
  check::Findings findings;
  check::CheckCatalog(inputs, *catalog, findings);

  for (const check::Finding& finding : findings.all()) {
    std::cout << (json ? check::FormatJson(finding) : check::FormatLine("NORVAXP.INI", finding)) << '\n';
  }
  const int errors = findings.Count(check::Severity::kError);
  if (!json) {
    const auto counted = [](int count, const char* word) {
      return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
    };
    std::cerr << disc << ": " << counted(errors, "error") << ", "
              << counted(findings.Count(check::Severity::kWarning), "warning") << ", "
              << counted(findings.Count(check::Severity::kNote), "note") << "\n";
  }
  return errors > 0 ? 1 : 0;
}

}  // namespace norva::app
