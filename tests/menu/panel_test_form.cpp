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
  machine_ = platform::wine::WinePlatform::Open(
      {machine_dir_.path() / "prefix", disc_.path(), std::nullopt, std::nullopt, true}, &error);
  if (!machine_) throw std::runtime_error(error);
  host_.hour = hour;
  form_ = std::make_unique<menu::MainForm>(machine_->platform(), host_, clock_, detector_);
  form_->SetImageLoader(&loader_);
  form_->FormCreate();
  form_->FormShow();
  if (form_->Terminated()) throw std::runtime_error("the menu ended at start");
}

void PanelTestForm::Select(int kind, int index) {
  form_->selection().PageKind = kind;
  form_->selection().ItemIndex = index;
  form_->selection().TopIndex = 1;
}

components::Point PanelTestForm::Centre(const components::Control& control) const {
  const components::Rect rect = form_->window().RectInWindow(control);
  return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

}  // namespace norva::test
