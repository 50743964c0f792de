#include "menu/panel_test_form.h"

#include <stdexcept>

namespace norva::test {

PanelTestForm::PanelTestForm(const std::string& catalog_ini, catalog::InstalledDetector* detector)
    : detector_(detector) {
  disc_.Write("NORVA.EXE", "MZ");
  disc_.Write("Norva/NORVAXP.ini", catalog_ini);
}

void PanelTestForm::Start(int hour) {
  std::string error;
  machine_ = platform::wine::WineMachine::Open({machine_dir_.path() / "prefix", disc_.path()}, &error);
  if (!machine_) throw std::runtime_error(error);
  ini_ = std::make_unique<platform::wine::WineIniFiles>(machine_->files(), machine_->system());
  shell_ = std::make_unique<platform::wine::WineShell>(
      machine_->files(),
      platform::wine::WineShellOptions{machine_->prefix(), std::nullopt, std::nullopt, true});
  platform::wine::WineProcessesOptions process_options;
  process_options.prefix = machine_->prefix();
  process_options.runner = shell_->runner();
  processes_ = std::make_unique<platform::wine::WineProcesses>(machine_->files(), machine_->system(),
                                                               shell_->log(), process_options);
  platform_ = std::make_unique<platform::Platform>(
      platform::Platform{machine_->files(), machine_->drives(), *ini_, machine_->registry(),
                         machine_->system(), *shell_, *processes_});
  host_.hour = hour;
  form_ = std::make_unique<menu::MainForm>(*platform_, host_, clock_, detector_);
  form_->SetImageLoader(&loader_);
  form_->FormCreate();
  form_->FormShow();
  if (form_->Terminated()) throw std::runtime_error("the menu ended at start");
}

void PanelTestForm::Select(int kind, int index) {
  form_->PageKind = kind;
  form_->ItemIndex = index;
  form_->TopIndex = 1;
}

components::Point PanelTestForm::Centre(const components::Control& control) const {
  const components::Rect rect = form_->window().RectInWindow(control);
  return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

}  // namespace norva::test
