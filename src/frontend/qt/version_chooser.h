// The version chooser: a message-box-like dialog with a word-wrapped prompt and one push button per version
// in a centred row. Sizes are in the box's layout units: the average character width `cx` (the width of the
// 52 letters A-Z a-z divided by 52) and the text height `cy`.
#pragma once

#include <QDialog>
#include <QFontMetrics>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace norva::frontend::qt {

struct ChooserLayout {
  QSize client;                // the dialog's inner size
  QRect message;               // the prompt label
  std::vector<QRect> buttons;  // left to right
};

// The units of a font.
int AverageCharWidth(const QFontMetrics& metrics);
// The layout for a prompt of `message` size and `count` buttons: margins 2·cx (sides) and 1·cy (top and
// bottom), 1.25·cy between prompt and buttons, buttons 12.5·cx × 1.75·cy with 1·cx between them.
ChooserLayout LayoutChooser(int cx, int cy, QSize message, int count);

class VersionChooser : public QDialog {
  Q_OBJECT

 public:
  // `screen`: the screen's available size; the prompt wraps at half its width and the box is centred on it.
  VersionChooser(const QString& caption, const QString& prompt, const QStringList& labels, QRect screen,
                 QWidget* parent = nullptr);

  const ChooserLayout& layout_units() const { return layout_; }

  // Runs the box: the index of the pressed button (0-based), nothing when it was closed otherwise.
  std::optional<std::size_t> Choose();

 private:
  ChooserLayout layout_;
};

}  // namespace norva::frontend::qt
