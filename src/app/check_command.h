// `norva --check DISC|IMAGE [--json]`: the catalog check run on a disc folder or image, its findings on
// standard output. Exit status 0 without errors, 1 with errors, 2 when the disc cannot be read.
#pragma once

#include <string>

namespace norva::app {

int RunCheck(int argc, char** argv, const std::string& disc, bool json);

}  // namespace norva::app
