// The state dump of the headless driver: one JSON object with every top-level key always present.
#pragma once

#include <string>

#include "components/clock.h"
#include "headless/headless_host.h"
#include "menu/main_form.h"

namespace norva::headless {

// One line of JSON (UTF-8), without a line break.
std::string DumpState(const menu::MainForm& form, const HeadlessHost& host, const components::Clock& clock);

}  // namespace norva::headless
