// The blending panel: a control of the window that owns child controls and draws them over one another with
// their opacities. Children are clipped to the panel: outside its rectangle they neither show nor take input.
#pragma once

#include <memory>
#include <vector>

#include "components/control.h"

namespace norva::components {

class Container : public Control {
 public:
  explicit Container(std::string name);
  ~Container() override;

  ControlKind kind() const override { return ControlKind::Container; }

  // Children bottom to top (creation order). Made through Window::Create with this container as owner.
  const std::vector<std::unique_ptr<Control>>& children() const { return children_; }

 private:
  friend class Window;

  std::vector<std::unique_ptr<Control>> children_;
};

}  // namespace norva::components
