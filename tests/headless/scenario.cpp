#include "headless/scenario.h"

#include <sstream>

#include "components/clock.h"
#include "headless/headless_driver.h"
#include "headless/headless_host.h"
#include "headless/headless_image_loader.h"
#include "headless/headless_player.h"
#include "menu/main_form.h"
#include "menu/music.h"
#include "platform/wine/wine_platform.h"
#include "support/temp_dir.h"

namespace norva::test {

ScenarioResult Scenario::Run() const {
  ScenarioResult result;
  std::string error;
  auto machine = platform::wine::WinePlatform::Open({prefix, disc, runner, std::nullopt, true}, &error);
  if (!machine) {
    result.exit_code = -1;
    result.err = error;
    return result;
  }
  platform::Platform& platform = machine->platform();
  components::Clock clock;
  headless::HeadlessHost host(clock, {screen_width, screen_height}, clock_minutes);
  headless::HeadlessPlayer player(clock);
  headless::HeadlessImageLoader pictures;
  auto form = std::make_unique<menu::MainForm>(platform, host, clock, nullptr);
  form->OnAnsiCodePage = [&machine](platform::CodePage code_page) {
    machine->machine().SetAnsiCodePage(code_page);
  };
  form->music().SetPlayer(&player);
  form->SetImageLoader(&pictures);
  std::istringstream in(script);
  std::ostringstream out, err;
  headless::Script lines(in);
  headless::HeadlessDriver driver(*form, host, clock, lines, out, err);
  result.exit_code = driver.Run();
  result.out = out.str();
  result.err = err.str();
  std::istringstream dumped(result.out);
  for (std::string line; std::getline(dumped, line);) {
    if (!line.empty() && line[0] == '{') result.dumps.push_back(nlohmann::ordered_json::parse(line));
  }
  return result;
}

std::filesystem::path TestDisc() {
  return SourceDir() / "tests" / "data" / "disc";
}

}  // namespace norva::test
