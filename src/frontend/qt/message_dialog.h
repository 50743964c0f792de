// The menu's message box on screen: a plate of our artwork stretched to the message, the caption in its
// title strip, a badge for the kind of message, the word-wrapped text and a centred row of buttons in the
// interface language. The keyboard goes to the box's model (arrows and Tab between the buttons, Enter and
// Space for the focused one, Esc for Cancel or No); a click on a button answers with it. The box has no frame
// of its own; it is dragged by its plate.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QString>
#include <vector>

#include "frontend/qt/artwork.h"
#include "menu/host.h"
#include "menu/message_box.h"
#include "platform/code_page.h"

namespace norva::frontend::qt {

class MessageDialog : public QDialog {
  Q_OBJECT

 public:
  // `model` is borrowed for the box's life; its button words are ANSI in `code_page`. `font_family` draws
  // the texts.
  MessageDialog(menu::MessageKind kind, const QString& caption, const QString& text,
                menu::MessageBoxModel& model, platform::CodePage code_page, int night_mode,
                const QString& font_family, QWidget* parent);

  // Shows the box modally and returns the user's answer.
  menu::MessageAnswer Ask();

  const QString& text() const { return text_; }
  const std::vector<QPushButton*>& buttons() const { return buttons_; }

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void reject() override;

 private:
  void Answer(menu::MessageAnswer answer);
  // The focused button looks like the default one.
  void ShowFocus();

  menu::MessageKind kind_;
  QString caption_;
  menu::MessageBoxModel& model_;
  int night_mode_;
  Artwork artwork_;
  QRect text_box_;
  QString text_;
  std::vector<QPushButton*> buttons_;
  menu::MessageAnswer answer_;
};

}  // namespace norva::frontend::qt
