#include "workfile/srcEditDoc.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <QToolTip>

#include "model/srcGlobalDef.h"
#include "platform/Cp1252Text.h"
#include "platform/Services.h"
#include "platform/WindowPlaces.h"

namespace orvela {

namespace {

// Stored multi-line text has CR LF line breaks; the edit control works with LF.
QString ShownLines(const std::string& stored) {
  QString text = platform::FromCp1252(stored);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  return text;
}

QString StoredLines(QString shown) { return shown.replace(u'\n', QStringLiteral("\r\n")); }

}  // namespace

TdlgEditDoc::TdlgEditDoc(platform::Services& services, const FieldList& document, QWidget* parent)
    : QDialog(parent),
      services_(services),
      editName_(new QLineEdit(this)),
      cmbType_(new QComboBox(this)),
      editLink_(new QLineEdit(this)),
      sbLink_(new QToolButton(this)),
      memoDescription_(new QPlainTextEdit(this)) {
  setObjectName(QStringLiteral("TdlgEditDoc"));
  setWindowTitle(QStringLiteral("Dokumenteigenschaften"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  editName_->setObjectName(QStringLiteral("editName"));
  cmbType_->setObjectName(QStringLiteral("cmbType"));
  editLink_->setObjectName(QStringLiteral("editLink"));
  sbLink_->setObjectName(QStringLiteral("sbLink"));
  memoDescription_->setObjectName(QStringLiteral("memoDescription"));

  cmbType_->setEditable(true);
  cmbType_->setInsertPolicy(QComboBox::NoInsert);
  for (int i = 0; i < kDocTypeCount; ++i) cmbType_->addItem(platform::FromCp1252(DocTypeDisplayText(i)));
  sbLink_->setText(QStringLiteral("..."));
  sbLink_->setToolTip(QStringLiteral("Datei auswählen"));
  memoDescription_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoDescription_->setTabChangesFocus(true);
  editName_->setMinimumWidth(340);
  memoDescription_->setMinimumHeight(120);
  editLink_->installEventFilter(this);

  auto* grid = new QGridLayout;
  const auto label = [this](const char* text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setBuddy(buddy);
    return l;
  };
  grid->addWidget(label("Bezeichnung:", editName_), 0, 0);
  grid->addWidget(editName_, 0, 1);
  grid->addWidget(label("Typ:", cmbType_), 1, 0);
  grid->addWidget(cmbType_, 1, 1);
  grid->addWidget(label("Link:", editLink_), 2, 0);
  auto* linkRow = new QHBoxLayout;
  linkRow->addWidget(editLink_, 1);
  linkRow->addWidget(sbLink_);
  grid->addLayout(linkRow, 2, 1);
  grid->addWidget(label("Beschreibung:", memoDescription_), 3, 0, Qt::AlignTop);
  grid->addWidget(memoDescription_, 3, 1);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  ok->setObjectName(QStringLiteral("btnOK"));
  cancel->setObjectName(QStringLiteral("btnCancel"));
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &TdlgEditDoc::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TdlgEditDoc::reject);
  connect(sbLink_, &QToolButton::clicked, this, &TdlgEditDoc::chooseLinkFile);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog frame

  editName_->setText(platform::FromCp1252(document.value(key::NAME)));
  cmbType_->setCurrentIndex(0);
  cmbType_->setCurrentIndex(DocTypeIndex(document.value(key::TYPE)));
  editLink_->setText(platform::FromCp1252(document.value(key::REFERENCE)));
  memoDescription_->setPlainText(ShownLines(document.value(key::DESCRIPTION)));
}

std::optional<int> TdlgEditDoc::selectedType() const {
  const int current = cmbType_->currentIndex();
  if (current >= 0 && cmbType_->itemText(current) == cmbType_->currentText()) return current;
  // A typed text that is exactly one of the entries counts as choosing it.
  const int typed = cmbType_->findText(cmbType_->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (typed >= 0) return typed;
  return std::nullopt;
}

DocumentEdit TdlgEditDoc::edit() const { return result_; }

void TdlgEditDoc::accept() {
  struct Field {
    QWidget* widget;
    const char* label;
    QString text;
    std::string* target;
  };
  DocumentEdit edit;
  const Field fields[] = {
      {editName_, "Bezeichnung", editName_->text(), &edit.name},
      {editLink_, "Link", editLink_->text(), &edit.reference},
      {memoDescription_, "Beschreibung", StoredLines(memoDescription_->toPlainText()), &edit.description},
  };
  for (const Field& field : fields) {
    const std::optional<std::string> bytes = platform::ToCp1252(field.text);
    if (!bytes) {
      services_.showMessage(this, platform::MessageKind::Warning,
                            QStringLiteral("%1\nBitte ändern Sie das Feld „%2“.")
                                .arg(platform::Cp1252RefusalText(field.text), QString::fromUtf8(field.label)));
      field.widget->setFocus();
      return;
    }
    *field.target = *bytes;
  }
  edit.typeIndex = selectedType();
  result_ = edit;
  QDialog::accept();
}

QString TdlgEditDoc::linkToolTip() const {
  QStyleOptionFrame option;
  option.initFrom(editLink_);
  option.rect = editLink_->rect();
  option.lineWidth = editLink_->hasFrame() ? editLink_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, editLink_) : 0;
  QRect inner = editLink_->style()->subElementRect(QStyle::SE_LineEditContents, &option, editLink_);
  inner = inner.marginsRemoved(editLink_->textMargins());
  constexpr int kLineEditMargin = 2;  // QLineEdit keeps this much space on either side of the text
  const QString text = editLink_->text();
  return editLink_->fontMetrics().horizontalAdvance(text) > inner.width() - 2 * kLineEditMargin ? text : QString();
}

bool TdlgEditDoc::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editLink_ && event->type() == QEvent::ToolTip) {
    const QString tip = linkToolTip();
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(editLink_->mapToGlobal(QPoint(0, editLink_->height())), tip, editLink_);
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TdlgEditDoc::chooseLinkFile() {
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Öffnen");  // all files: no filter
  const QFileInfo current(editLink_->text());
  if (current.isAbsolute() && current.exists()) {
    request.directory = current.absolutePath();
    request.selectedFile = current.fileName();
  } else {
    request.directory = services_.places().values().folders[std::size_t(platform::FolderKind::Documents)];
  }
  const QString chosen = services_.fileDialogs().openFile(this, request);
  services_.places().chosen(platform::FolderKind::Documents, chosen);
  if (!chosen.isEmpty()) editLink_->setText(QDir::toNativeSeparators(chosen));
}

void TdlgEditDoc::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    services_.help().showHelp(this, kHelpContext);
    return;
  }
  QDialog::keyPressEvent(event);
}

void TdlgEditDoc::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (const QScreen* screen = this->screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

}  // namespace orvela
