#include "workfile/DescriptionPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "model/Edits.h"
#include "platform/ErrorReport.h"
#include "platform/Services.h"
#include "rtf/qt/PagedDocument.h"
#include "rtf/qt/QtFormats.h"
#include "rtf/qt/RichText.h"
#include "workfile/DescriptionEditor.h"
#include "workfile/DescriptionFonts.h"
#include "workfile/DescriptionUpDown.h"
#include "platform/WorkFileContext.h"

namespace orvela {
namespace {

// Sets a flag for the lifetime of the guard; it is cleared again also when a step throws.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = false; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
};

// The largest size the stored form of the description can hold (in points).
constexpr int kMaxFontPoints = 1638;

bool IsBulletList(const QTextList* list) {
  if (!list) return false;
  const QTextListFormat::Style style = list->format().style();
  return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
         style == QTextListFormat::ListSquare;
}

QString FamilyOf(const QTextCharFormat& format, const QTextDocument& document) {
  const QStringList families = format.fontFamilies().toStringList();
  if (!families.isEmpty()) return families.first();
  if (format.hasProperty(QTextFormat::FontFamily)) return format.property(QTextFormat::FontFamily).toString();
  return document.defaultFont().family();
}

double PointsOf(const QTextCharFormat& format, const QTextDocument& document) {
  const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : 0;
  return points > 0 ? points : document.defaultFont().pointSizeF();
}

}  // namespace

DescriptionPage::DescriptionPage(WorkFileContext& context, DescriptionPageHost host, QWidget* parent)
    : QWidget(parent), context_(context), host_(std::move(host)) {
  setObjectName(QStringLiteral("DescriptionPage"));
  createToolbar();  // the font box is filled and sorted here
  reDescription_ = new DescriptionEditor(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(StandardToolBar_);
  layout->addWidget(reDescription_, 1);
  setFocusProxy(reDescription_);

  // The usual keys of a word processor for the three style buttons.
  struct Key {
    QKeySequence::StandardKey key;
    QToolButton* button;
  };
  for (const Key& k : {Key{QKeySequence::Bold, tbBold_}, Key{QKeySequence::Italic, tbItalic_},
                       Key{QKeySequence::Underline, tbUnderline_}}) {
    auto* shortcut = new QShortcut(QKeySequence(k.key), reDescription_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(shortcut, &QShortcut::activated, k.button, &QToolButton::click);
  }

  connect(reDescription_, &QTextEdit::cursorPositionChanged, this, &DescriptionPage::reDescriptionSelectionChange);
  connect(reDescription_, &QTextEdit::selectionChanged, this, &DescriptionPage::reDescriptionSelectionChange);
  connect(reDescription_, &QTextEdit::textChanged, this, &DescriptionPage::reDescriptionChange);

  reDescriptionSelectionChange();
  {
    FlagGuard filling(filling_);
    const QFont font = DefaultDescriptionFont();
    reDescription_->setFont(font);
    reDescription_->document()->setDefaultFont(font);
  }
  reloadFromData();  // empty in a new window
  context_.editor().addObserver(this);
}

DescriptionPage::~DescriptionPage() { context_.editor().removeObserver(this); }

void DescriptionPage::fieldChanged(DataField field) {
  if (field == DataField::Description && !storing_) reloadFromData();
}

void DescriptionPage::reloadFromData() {
  {
    FlagGuard filling(filling_);
    editorModified_ = false;
    rtf::SetEditorContent(*reDescription_->document(), context_.data().description);
    reDescription_->moveCursor(QTextCursor::Start);
  }
  unstored_ = false;
  reDescriptionSelectionChange();
}

void DescriptionPage::storeToData() {
  FlagGuard storing(storing_);
  context_.editor().execute(edits::SetDescription(rtf::RichTextOf(*reDescription_->document())));
  unstored_ = false;
}

void DescriptionPage::storeIfChanged() {
  if (unstored_) storeToData();
}

std::string DescriptionPage::plainText() const { return rtf::PlainTextOf(*reDescription_->document()); }

QTextCharFormat DescriptionPage::CurrentTextAttributes() const {
  // QTextEdit keeps both in one place: the selection's format, or without a selection the
  // format the next typed character gets (the text at the caret keeps its own).
  return reDescription_->currentCharFormat();
}

void DescriptionPage::reDescriptionChange() {
  if (!filling_) {
    editorModified_ = true;
    unstored_ = true;
  }
  // Assigned, not only raised: emptying and filling the editor leave the work file
  // unchanged, as far as the other changes in the history allow.
  context_.data().modified = context_.editor().isModified() || (editorModified_ && host_.descriptionTabShown());
  host_.updateSaveButton();
}

void DescriptionPage::reDescriptionSelectionChange() {
  FlagGuard updating(UpdatingToolbar);
  const QTextDocument& document = *reDescription_->document();
  const QTextCharFormat format = CurrentTextAttributes();
  tbBold_->setChecked(format.fontWeight() >= QFont::DemiBold);
  tbItalic_->setChecked(format.fontItalic());
  tbUnderline_->setChecked(format.fontUnderline());
  editFontSize_->setText(QString::number(qRound(PointsOf(format, document))));
  const QString family = FamilyOf(format, document);
  const int index = cmbFont_->findText(family, Qt::MatchFixedString);
  cmbFont_->setCurrentIndex(index);
  if (index < 0) cmbFont_->setEditText(family);

  const QTextCursor cursor = reDescription_->textCursor();
  tbBullets_->setChecked(IsBulletList(cursor.currentList()));
  setAlignmentButtons(cursor.blockFormat().alignment());
}

void DescriptionPage::setAlignmentButtons(Qt::Alignment alignment) {
  QToolButton* down = tbLeftAlign_;
  if (alignment & Qt::AlignHCenter) {
    down = tbCenterAlign_;
  } else if (alignment & Qt::AlignJustify) {
    down = nullptr;  // justified text has no button of its own
  } else if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) {
    down = tbRightAlign_;
  }
  if (down) {
    down->setChecked(true);
    return;
  }
  alignGroup_->setExclusive(false);
  for (QAbstractButton* button : alignGroup_->buttons()) button->setChecked(false);
  alignGroup_->setExclusive(true);
}

void DescriptionPage::applyCharFormat(const QTextCharFormat& format) {
  reDescription_->mergeCurrentCharFormat(format);
}

void DescriptionPage::tbBoldClick() {
  if (UpdatingToolbar) return;
  QTextCharFormat format;
  format.setFontWeight(tbBold_->isChecked() ? QFont::Bold : QFont::Normal);
  applyCharFormat(format);
}

void DescriptionPage::tbItalicClick() {
  if (UpdatingToolbar) return;
  QTextCharFormat format;
  format.setFontItalic(tbItalic_->isChecked());
  applyCharFormat(format);
}

void DescriptionPage::tbUnderlineClick() {
  if (UpdatingToolbar) return;
  QTextCharFormat format;
  format.setFontUnderline(tbUnderline_->isChecked());
  applyCharFormat(format);
}

void DescriptionPage::editFontSizeChange() {
  if (UpdatingToolbar) return;
  const QString text = editFontSize_->text();
  bool ok = false;
  const int points = text.trimmed().toInt(&ok);
  if (!ok) {
    const QString message = QStringLiteral("'") + text + QStringLiteral("' ist kein gültiger ganzzahliger Wert");
    platform::ShowApplicationError(context_.services(), message, platform::ErrorKindName(std::invalid_argument("")),
                                   platform::SenderText(editFontSize_));
    return;
  }
  // 0 is where the arrows stop; no font is drawn at that size.
  if (points < 1) return;
  QTextCharFormat format;
  format.setFontPointSize(std::min(points, kMaxFontPoints));
  applyCharFormat(format);
}

void DescriptionPage::cmbFontChange() {
  if (UpdatingToolbar) return;
  const int index = cmbFont_->currentIndex();
  if (index < 0) return;  // no entry selected
  applyFontFamily(cmbFont_->itemText(index));
}

void DescriptionPage::applyFontFamily(const QString& family) {
  QTextCharFormat format;
  format.setFontFamilies(QStringList{family});
  applyCharFormat(format);
}

void DescriptionPage::AlignButtonClick(int code) {
  if (UpdatingToolbar) return;
  static constexpr Qt::Alignment kAlignment[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
  if (code < 0 || code >= int(std::size(kAlignment))) return;
  QTextBlockFormat format;
  format.setAlignment(kAlignment[code]);
  QTextCursor cursor = reDescription_->textCursor();
  cursor.mergeBlockFormat(format);
}

void DescriptionPage::tbBulletsClick() {
  if (UpdatingToolbar) return;
  setBullets(tbBullets_->isChecked());
}

void DescriptionPage::setBullets(bool on) {
  QTextCursor cursor = reDescription_->textCursor();
  cursor.beginEditBlock();
  if (on) {
    QTextListFormat list;
    list.setStyle(QTextListFormat::ListDisc);
    list.setIndent(1);
    cursor.createList(list);
  } else {
    QTextDocument& document = *reDescription_->document();
    const QTextBlock last = document.findBlock(cursor.selectionEnd());
    for (QTextBlock block = document.findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
      if (QTextList* list = block.textList()) {
        list->remove(block);
        QTextBlockFormat format = block.blockFormat();
        format.setIndent(0);
        format.clearProperty(rtf::qt::kListLeftIndentProperty);
        format.clearProperty(rtf::qt::kListFirstIndentProperty);
        QTextCursor(block).setBlockFormat(format);
      }
      if (block == last) break;
    }
  }
  cursor.endEditBlock();
}

void DescriptionPage::acPrintDescription() {
  // The description has no page of its own: A4 portrait, no headers.
  const rtf::PagedDocument pages(*reDescription_->document(), rtf::DefaultPageSetup(), {}, QDateTime::currentDateTime());
  context_.services().printing().print(context_.window(), context_.printer(), pages, QStringLiteral("Beschreibung"));
}

}  // namespace orvela
