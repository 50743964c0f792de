// Which font family draws a label's font. The window design names "Tahoma" and "Square721 AT"; the disc's
// own font files are used when they loaded as fonts, else the bundled DejaVu Sans stands in.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <vector>

#include "components/fade_label.h"

namespace norva::frontend::qt {

class FontMap {
 public:
  // Loads the bundled fallback font (once per process).
  FontMap();

  // Loads a font file for this run; false when it is not a font. The families it brings are remembered.
  bool Add(const std::string& host_path);
  void Remove(const std::string& host_path);

  // The family that draws `name`: a loaded family of that name; for the design's display font a loaded disc
  // font; else the fallback.
  QString Family(const std::string& name) const;
  // The QFont of a label's font: family, pixel size, weight.
  QFont Font(const components::Font& font) const;

  const QString& fallback() const { return fallback_; }

 private:
  struct Loaded {
    int id = -1;
    QStringList families;
  };
  std::map<std::string, Loaded> loaded_;  // by host path, in load order of the paths
  std::vector<std::string> order_;
  QString fallback_;
};

}  // namespace norva::frontend::qt
