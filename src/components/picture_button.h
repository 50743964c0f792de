// A small action button: a plain image control showing an entry of the action-button list, with its state
// in `tag` as the menu defines it.
#pragma once

#include <string>
#include <utility>

#include "components/image_control.h"

namespace norva::components {

class PictureButton : public ImageControl {
 public:
  explicit PictureButton(std::string name) : ImageControl(std::move(name)) {}

  ControlKind kind() const override { return ControlKind::PictureButton; }
};

}  // namespace norva::components
