#include "menu/menu_test_form.h"

#include <stdexcept>

namespace norva::test {

std::string CatalogText(const std::vector<CatalogKind>& kinds, const std::string& main) {
  std::string text = "[Main]\r\nCD=0206\r\n" + main;
  for (const auto& kind : kinds) text += kind.count_key + "=" + std::to_string(kind.names.size()) + "\r\n";
  for (const auto& kind : kinds) {
    for (std::size_t i = 0; i < kind.names.size(); ++i) {
      const std::string n = std::to_string(i + 1);
      const std::string name = kind.names[i].empty() ? kind.prefix + " " + n : kind.names[i];
      text += "[" + kind.prefix + n + "]\r\nName=" + name + "\r\nInstallDir=Item" + n + "\r\n";
    }
  }
  return text;
}

CatalogKind Numbered(std::string count_key, std::string prefix, int count) {
  return {std::move(count_key), std::move(prefix), std::vector<std::string>(count)};
}

MenuTestForm::MenuTestForm(const std::string& catalog_ini) {
  disc_.Write("NORVA.EXE", "MZ");
  disc_.Write("Norva/NORVAXP.ini", catalog_ini);
  // The dialogs as a person who does nothing leaves them: the chooser cancelled, the unpacking run.
  host_.on_chooser = [](menu::DirChooser& chooser) { chooser.CancelButtonClick(); };
  host_.on_unpack = [this](menu::UnpackForm& form) { RunUnpack(form); };
}

void MenuTestForm::RunUnpack(menu::UnpackForm& form) {
  form.OnPump = [this] { host_.ProcessMessages(); };
  form.FormActivate();
  if (form.Timer1.enabled()) form.Timer1Timer();
  form.FormClose();
}

void MenuTestForm::Start(int hour, catalog::InstalledDetector* detector) {
  std::string error;
  machine_ = platform::wine::WinePlatform::Open(
      {machine_dir_.path() / "prefix", disc_.path(), runner, std::nullopt, true}, &error);
  if (!machine_) throw std::runtime_error(error);
  host_.hour = hour;
  form_ = std::make_unique<menu::MainForm>(machine_->platform(), host_, clock_, detector);
  form_->FormCreate();
  form_->FormShow();
  if (form_->Terminated()) throw std::runtime_error("the menu ended at start");
}

void MenuTestForm::Keys(std::string_view names) {
  for (char c : names) {
    auto key = components::KeyFromName(std::string_view(&c, 1));
    if (!key) throw std::invalid_argument("no such key");
    Key(*key);
  }
}

void MenuTestForm::Wheel(bool down, int x) {
  form_->window().MouseWheel(down ? -components::kWheelNotch : components::kWheelNotch, x, 300);
}

void MenuTestForm::Hover(std::string_view name) {
  auto* control = form_->window().Find(name);
  if (control == nullptr) throw std::invalid_argument("no such control");
  const auto r = form_->window().RectInWindow(*control);
  form_->window().MouseMove(r.left + r.width / 2, r.top + r.height / 2);
}

void MenuTestForm::Click(std::string_view name) {
  Hover(name);
  auto* control = form_->window().Find(name);
  const auto r = form_->window().RectInWindow(*control);
  const int x = r.left + r.width / 2;
  const int y = r.top + r.height / 2;
  form_->window().MouseDown(components::MouseButton::Left, x, y);
  form_->window().MouseUp(components::MouseButton::Left, x, y);
}

void MenuTestForm::ClickIcon(int slot) {
  form_->controls().DIBSection[slot]->OnClick();
}

}  // namespace norva::test
