#include "menu/screen_test_form.h"

#include <stdexcept>

#include "menu/music.h"
#include "menu/window_effects.h"

namespace norva::test {

ScreenTestForm::ScreenTestForm() {
  disc_.Write("NORVA.EXE", "MZ");
  disc_.Write("Norva/NORVAXP.ini",
              "[Main]\r\nCD=0206\r\nVersion=0\r\nDemos=2\r\n"
              "[Demo1]\r\nName=Alpha\r\n[Demo2]\r\nName=Beta\r\n");
  disc_.Write("Norva/elamp.esp", "module");
  disc_.Write("Norva/music1.mp3", std::string(16000, 'a'));
  disc_.Write("Norva/music2.mp3", std::string(32000, 'b'));
}

void ScreenTestForm::Start(int hour) {
  std::string error;
  const auto prefix = machine_dir_.path() / "prefix";
  machine_ =
      platform::wine::WinePlatform::Open({prefix, disc_.path(), std::nullopt, std::nullopt, true}, &error);
  if (!machine_) throw std::runtime_error(error);
  if (!store_seed_.empty())
    machine_dir_.Write("prefix/drive_c/windows/norva.ini", "[Main]\r\n" + store_seed_);
  host_.hour = hour;
  form_ = std::make_unique<menu::MainForm>(machine_->platform(), host_, clock_, nullptr);
  form_->music().SetPlayer(&player_);
  auto random = std::make_unique<QueuedRandom>();
  random_ = random.get();
  form_->effects().SetRandomSource(std::move(random));
  form_->FormCreate();
  form_->FormShow();
  if (form_->Terminated()) throw std::runtime_error("the menu ended at start");
  form_->ApplicationActivate();
}

int ScreenTestForm::StoreValue(const std::string& key) {
  return machine_->platform().ini.Open("norva.ini")->ReadInteger("Main", key, -1);
}

void ScreenTestForm::Click(int x, int y) {
  auto& window = form_->window();
  window.MouseMove(x, y);
  window.MouseDown(components::MouseButton::Left, x, y);
  window.MouseUp(components::MouseButton::Left, x, y);
}

void ScreenTestForm::Click(const components::Control& control) {
  const auto r = form_->window().RectInWindow(control);
  Click(r.left + r.width / 2, r.top + r.height / 2);
}

void ScreenTestForm::MoveTo(const components::Control& control) {
  const auto r = form_->window().RectInWindow(control);
  form_->window().MouseMove(r.left + r.width / 2, r.top + r.height / 2);
}

}  // namespace norva::test
