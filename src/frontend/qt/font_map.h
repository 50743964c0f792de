// Which font family draws a label's font. The window design names "Tahoma" and "Square721 AT"; the disc's
// own font files are used when they loaded as fonts, else DejaVu Sans stands in (the bundled copy where the
// system has none).
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <future>
#include <map>
#include <string>
#include <vector>

#include "components/fade_label.h"

namespace norva::frontend::qt {

// Reads the system's font configuration on another thread, so that the window's first text does not wait
// for it after the menu has read its disc; the future is ready once it is read. Needs no application object.
std::future<void> ReadFontConfigurationAhead();

class FontMap {
 public:
  // Looks nothing up yet: fonts are registered with Qt when a text first asks for one, once `configuration`
  // (the system's font configuration read ahead, when given) is ready, so that a start reads its disc
  // meanwhile.
  explicit FontMap(std::shared_future<void> configuration = {});

  // Takes a font file for this run; false when it is not a font. The families it brings are remembered.
  bool Add(const std::string& host_path);
  void Remove(const std::string& host_path);

  // The family that draws `name`: a loaded family of that name; for the design's display font a loaded disc
  // font; else the fallback.
  QString Family(const std::string& name) const;
  // The QFont of a label's font: family, pixel size, weight.
  QFont Font(const components::Font& font) const;

  // The fallback face (once per process): the system's DejaVu Sans, else the bundled copy, loaded.
  const QString& fallback() const;

 private:
  struct Loaded {
    QByteArray bytes;  // until registered
    int id = -1;
    QStringList families;
  };
  // Registers the fonts taken so far, after the configuration is read.
  void Prepare() const;
  void Register(Loaded& font) const;

  mutable std::shared_future<void> configuration_;
  mutable bool prepared_ = false;
  mutable std::map<std::string, Loaded> loaded_;  // by host path
  std::vector<std::string> order_;                // the paths in the order they were taken
  mutable QString fallback_;
};

}  // namespace norva::frontend::qt
