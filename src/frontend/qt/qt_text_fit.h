// The catalog check's text measure: the window's own line fitting (FitLabelLine) and word wrap, with the
// fonts the window would use. Needs a QGuiApplication.
#pragma once

#include "check/catalog_check.h"
#include "frontend/qt/font_map.h"

namespace norva::frontend::qt {

class QtTextFit : public check::TextFit {
 public:
  // `fonts` is borrowed (the disc's font files added to it, as the window adds them).
  explicit QtTextFit(const FontMap& fonts) : fonts_(fonts) {}

  bool FitsLine(std::string_view text, const components::Font& font, int width) override;
  bool FitsBox(std::string_view text, const components::Font& font, int width, int height) override;

 private:
  const FontMap& fonts_;
};

}  // namespace norva::frontend::qt
