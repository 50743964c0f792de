// Which font family draws a label's font. The window design names "Tahoma" and "Square721 AT"; the disc's
// own font files are used when they loaded as fonts, else DejaVu Sans stands in (the bundled copy where the
// system has none).
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <vector>

#include "components/fade_label.h"

namespace norva::frontend::qt {

// The window draws with the disc's fonts and the bundled DejaVu Sans only, so the font library is given an
// empty configuration of its own instead of reading the system's (a few dozen XML files, the larger part of
// a start's work); text then also looks the same on every machine. Call before the application object is
// made. Does nothing when the bundled face is missing from the build (the system's fonts are used then).
void UseOwnFontConfiguration();

class FontMap {
 public:
  // Looks nothing up yet: fonts are registered with Qt when a text first asks for one.
  FontMap() = default;

  // Takes a font file for this run; false when it is not a font. The families it brings are remembered.
  bool Add(const std::string& host_path);
  void Remove(const std::string& host_path);

  // The family that draws `name`: a loaded family of that name; for the design's display font a loaded disc
  // font; else the fallback.
  QString Family(const std::string& name) const;
  // The QFont of a label's font: family, pixel size, weight.
  QFont Font(const components::Font& font) const;

  // The fallback face (once per process): the bundled DejaVu Sans, else the system's.
  const QString& fallback() const;

 private:
  struct Loaded {
    QByteArray bytes;  // until registered
    int id = -1;
    QStringList families;
  };
  // Registers the fonts taken so far.
  void Prepare() const;
  void Register(Loaded& font) const;

  mutable bool prepared_ = false;
  mutable std::map<std::string, Loaded> loaded_;  // by host path
  std::vector<std::string> order_;                // the paths in the order they were taken
  mutable QString fallback_;
};

}  // namespace norva::frontend::qt
