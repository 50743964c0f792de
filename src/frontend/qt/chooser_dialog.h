// The directory chooser on screen: the dialog plate of our artwork with the folder text, the folder tree of
// the drive shown (names as the Windows machine sees them), the drive list and OK/Cancel. Everything it does
// goes to the chooser's handlers; it works with the keyboard alone (Tab between the parts, arrows in the
// tree and the list, Enter for OK, Esc for Cancel).
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "frontend/qt/artwork.h"
#include "menu/dir_chooser.h"
#include "platform/code_page.h"

namespace norva::frontend::qt {

class ChooserDialog : public QDialog {
  Q_OBJECT

 public:
  // `chooser` is borrowed for the dialog's life. `font_family` draws the texts.
  ChooserDialog(menu::DirChooser& chooser, platform::CodePage code_page, const QString& font_family,
                QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  QString Text(const std::string& ansi) const;
  std::string Ansi(const QString& text) const;
  // Widgets from the chooser's state; closes the dialog once the chooser is closed.
  void Sync();
  void FillDrives();
  // The tree of the chooser's drive, opened down to its folder.
  void FillTree();
  QTreeWidgetItem* AddFolder(QTreeWidgetItem* parent, const std::string& path, const std::string& name);
  void LoadChildren(QTreeWidgetItem* item);
  void DriveChosen(int index);
  void FolderChosen(QTreeWidgetItem* item);
  void OkClicked();

  menu::DirChooser& chooser_;
  platform::CodePage code_page_;
  Artwork artwork_;
  QLineEdit* edit_;
  QTreeWidget* tree_;
  QComboBox* drives_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QTimer timer_;
  char tree_drive_ = 0;
  bool syncing_ = false;
};

}  // namespace norva::frontend::qt
