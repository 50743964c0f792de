// The image control: shows one entry of an image list, blended over what lies beneath with its opacity.
#pragma once

#include "components/control.h"

namespace norva::components {

class ImageList;

class ImageControl : public Control {
 public:
  explicit ImageControl(std::string name);

  ControlKind kind() const override { return ControlKind::Image; }

  // True when `image` names an entry of `images` (otherwise the control shows nothing, but still takes the
  // mouse within its rectangle).
  bool ShowsPicture() const;

  ImageList* images = nullptr;  // not owned; the window owns its image lists
  int image = -1;               // entry shown; -1 shows nothing
  int opacity = 255;            // 0 (invisible) .. 255 (opaque)
  int tag = 0;                  // free value for the menu (e.g. a button's state)
  bool stretch = false;         // scale the picture to the rectangle instead of drawing it at its own size
  bool auto_size = false;       // the rectangle takes the size of the picture when the front end draws it
};

}  // namespace norva::components
