#include "components/container.h"

#include <utility>

namespace norva::components {

Container::Container(std::string name) : Control(std::move(name)) {}

Container::~Container() = default;

}  // namespace norva::components
