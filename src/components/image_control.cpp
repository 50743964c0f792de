#include "components/image_control.h"

#include <utility>

#include "components/image_list.h"

namespace norva::components {

ImageControl::ImageControl(std::string name) : Control(std::move(name)) {}

bool ImageControl::ShowsPicture() const {
  return images != nullptr && images->Contains(image);
}

}  // namespace norva::components
