// Small operations on DOS path texts.
#pragma once

#include <string>
#include <string_view>

namespace norva::installed {

// A folder path with a trailing backslash; an empty path stays empty and a path that has one keeps it.
std::string PostFixDir(std::string_view path);

}  // namespace norva::installed
