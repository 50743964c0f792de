#include "frontend/qt/chooser_dialog.h"

#include <QHeaderView>
#include <QPainter>
#include <QShowEvent>

namespace norva::frontend::qt {
namespace {

// Where the item data of a tree row keeps its DOS path (ANSI bytes).
constexpr int kPathRole = Qt::UserRole;
constexpr int kLoadedRole = Qt::UserRole + 1;

// Light texts on the dark recess of the plate.
const char* kStyle =
    "QLineEdit, QTreeWidget, QComboBox { background: #1d2024; color: #e8e2d0; border: 1px solid #6b6f76;"
    " selection-background-color: #b5832a; selection-color: #101010; }"
    "QLineEdit:read-only { color: #9a968a; }"
    "QTreeWidget:disabled, QComboBox:disabled { color: #7a776e; }"
    "QLineEdit:focus, QTreeWidget:focus, QComboBox:focus { border: 1px solid #e0a53a; }"
    "QPushButton { background: #3a3e45; color: #f0ead8; border: 1px solid #8a8e96; border-radius: 3px;"
    " padding: 2px; }"
    "QPushButton:default { border: 2px solid #e0a53a; }"
    "QPushButton:focus { background: #4a4f57; }"
    "QPushButton:disabled { color: #6f6c64; border-color: #55585e; }";

QString DriveText(const menu::DirChooser::DriveItem& drive) {
  QString text = QStringLiteral("%1:").arg(QChar::fromLatin1(drive.letter));
  switch (drive.type) {
    case platform::DriveType::kCdRom:
      return text + QStringLiteral("  CD-ROM");
    case platform::DriveType::kRemovable:
      return text + QStringLiteral("  removable");
    case platform::DriveType::kRemote:
      return text + QStringLiteral("  network");
    default:
      return text;
  }
}

}  // namespace

ChooserDialog::ChooserDialog(menu::DirChooser& chooser, platform::CodePage code_page,
                             const QString& font_family, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      chooser_(chooser),
      code_page_(code_page),
      edit_(new QLineEdit(this)),
      tree_(new QTreeWidget(this)),
      drives_(new QComboBox(this)),
      ok_(new QPushButton(QStringLiteral("&OK"), this)),
      cancel_(new QPushButton(QStringLiteral("&Cancel"), this)) {
  setObjectName(QStringLiteral("TForm3"));
  setWindowTitle(Text(chooser_.Caption));
  setModal(true);
  setFixedSize(menu::DirChooser::kWidth, menu::DirChooser::kHeight);
  QFont font(font_family);
  font.setPixelSize(12);
  setFont(font);
  setStyleSheet(QString::fromLatin1(kStyle));

  edit_->setObjectName(QStringLiteral("EditDir1"));
  edit_->setGeometry(16, 26, 291, 22);
  tree_->setObjectName(QStringLiteral("DirectoryListBox1"));
  tree_->setGeometry(16, 54, 190, 130);
  tree_->setHeaderHidden(true);
  tree_->setIndentation(12);
  drives_->setObjectName(QStringLiteral("DriveComboBox1"));
  drives_->setGeometry(214, 54, 93, 22);
  ok_->setObjectName(QStringLiteral("OKButton"));
  ok_->setGeometry(214, 128, 93, 24);
  ok_->setDefault(true);
  cancel_->setObjectName(QStringLiteral("CancelButton"));
  cancel_->setGeometry(214, 160, 93, 24);
  setTabOrder(edit_, tree_);
  setTabOrder(tree_, drives_);
  setTabOrder(drives_, ok_);
  setTabOrder(ok_, cancel_);

  connect(edit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { chooser_.EditChange(Ansi(text)); });
  connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { LoadChildren(item); });
  connect(tree_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item, QTreeWidgetItem*) { FolderChosen(item); });
  connect(drives_, qOverload<int>(&QComboBox::activated), this, [this](int index) { DriveChosen(index); });
  connect(ok_, &QPushButton::clicked, this, [this] { OkClicked(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });

  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] {
    chooser_.Timer1Timer();
    Sync();
  });
  FillDrives();
  Sync();
}

QString ChooserDialog::Text(const std::string& ansi) const {
  return QString::fromStdString(platform::AnsiToUtf8(ansi, code_page_));
}

std::string ChooserDialog::Ansi(const QString& text) const {
  return platform::Utf8ToAnsi(text.toStdString(), code_page_);
}

void ChooserDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QString plate = chooser_.NightMode == 1 ? QStringLiteral(":/art/dialogs/chooser_night.svg")
                                                : QStringLiteral(":/art/dialogs/chooser.svg");
  const QImage& image = artwork_.Render(plate, devicePixelRatioF());
  if (image.isNull()) {
    painter.fillRect(rect(), QColor(0x2a, 0x2d, 0x33));
  } else {
    painter.drawImage(QPointF(0, 0), image);
  }
  // The plate's title strip carries the chooser's caption in the lamp colour (art/artwork/panels.py).
  QFont bold = font();
  bold.setBold(true);
  bold.setPixelSize(11);
  painter.setFont(bold);
  painter.setPen(chooser_.NightMode == 1 ? QColor(0xcb, 0xba, 0xff) : QColor(0xff, 0xae, 0x2a));
  const QRect strip(22, 3, width() - 36, 13);
  painter.drawText(strip, Qt::AlignLeft | Qt::AlignVCenter,
                   painter.fontMetrics().elidedText(Text(chooser_.Caption), Qt::ElideRight, strip.width()));
}

void ChooserDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  chooser_.FormActivate();
  if (chooser_.Timer1.enabled()) timer_.start(chooser_.Timer1.interval());
  (chooser_.EditReadOnly ? static_cast<QWidget*>(ok_) : static_cast<QWidget*>(edit_))->setFocus();
}

void ChooserDialog::reject() {
  if (!chooser_.Closed()) chooser_.CancelButtonClick();
  QDialog::reject();
}

void ChooserDialog::FillDrives() {
  drives_->clear();
  for (const auto& drive : chooser_.Drives())
    drives_->addItem(DriveText(drive), QChar::fromLatin1(drive.letter));
}

void ChooserDialog::Sync() {
  if (chooser_.Closed()) {
    timer_.stop();
    if (!chooser_.ChosenDir().empty()) {
      accept();
    } else {
      QDialog::reject();
    }
    return;
  }
  syncing_ = true;
  if (edit_->text() != Text(chooser_.EditDir1)) edit_->setText(Text(chooser_.EditDir1));
  edit_->setReadOnly(chooser_.EditReadOnly);
  tree_->setEnabled(chooser_.FolderListEnabled);
  drives_->setEnabled(chooser_.DriveListEnabled);
  ok_->setEnabled(chooser_.OKEnabled);
  const int drive = drives_->findData(QChar::fromLatin1(chooser_.Drive));
  if (drive >= 0) drives_->setCurrentIndex(drive);
  if (tree_drive_ != chooser_.Drive) FillTree();
  syncing_ = false;
}

QTreeWidgetItem* ChooserDialog::AddFolder(QTreeWidgetItem* parent, const std::string& path,
                                          const std::string& name) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
  item->setText(0, Text(name));
  item->setData(0, kPathRole, QByteArray::fromStdString(path));
  item->setData(0, kLoadedRole, false);
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  return item;
}

void ChooserDialog::LoadChildren(QTreeWidgetItem* item) {
  if (item->data(0, kLoadedRole).toBool()) return;
  item->setData(0, kLoadedRole, true);
  const std::string path = item->data(0, kPathRole).toByteArray().toStdString();
  const std::string prefix = path.ends_with('\\') ? path : path + "\\";
  const auto names = chooser_.SubFolders(path);
  for (const auto& name : names) AddFolder(item, prefix + name, name);
  if (names.empty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void ChooserDialog::FillTree() {
  const bool was = syncing_;
  syncing_ = true;
  tree_->clear();
  tree_drive_ = chooser_.Drive;
  const std::string root = std::string(1, chooser_.Drive) + ":\\";
  QTreeWidgetItem* item = AddFolder(nullptr, root, root);
  tree_->expandItem(item);
  tree_->setCurrentItem(item);
  syncing_ = was;
}

void ChooserDialog::DriveChosen(int index) {
  if (syncing_) return;
  const QString letter = drives_->itemData(index).toString();
  if (letter.isEmpty()) return;
  chooser_.DriveComboBox1Change(letter.at(0).toLatin1());
  Sync();
}

void ChooserDialog::FolderChosen(QTreeWidgetItem* item) {
  if (syncing_ || item == nullptr) return;
  chooser_.DirectoryListBox1Change(item->data(0, kPathRole).toByteArray().toStdString());
  Sync();
}

void ChooserDialog::OkClicked() {
  chooser_.EditChange(Ansi(edit_->text()));
  chooser_.OKButtonClick();
  Sync();
}

}  // namespace norva::frontend::qt
