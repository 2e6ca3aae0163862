// The toolbar StandardToolBar of the description tab, left to right as the user sees it.
#include <QButtonGroup>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "workfile/DescriptionFonts.h"
#include "workfile/DescriptionPage.h"
#include "workfile/DescriptionUpDown.h"

// The pictures live in a static library, where the linker drops them unless they are
// registered by hand.
static void RegisterDescriptionIcons() { Q_INIT_RESOURCE(description_icons); }

namespace orvela {
namespace {

QToolButton* NewButton(QToolBar* bar, const char* name, const char* hint, const char* icon, bool toggle) {
  auto* button = new QToolButton(bar);
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(QString::fromUtf8(hint));
  button->setStatusTip(button->toolTip());
  button->setAccessibleName(button->toolTip());
  button->setIcon(QIcon(QStringLiteral(":/icons/description/") + QString::fromLatin1(icon)));
  button->setCheckable(toggle);
  button->setAutoRaise(true);
  bar->addWidget(button);
  return button;
}

}  // namespace

void DescriptionPage::createToolbar() {
  RegisterDescriptionIcons();
  QToolBar* bar = StandardToolBar_ = new QToolBar(this);
  bar->setObjectName(QStringLiteral("StandardToolBar"));
  bar->setIconSize(QSize(16, 16));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);

  cmbFont_ = new QComboBox(bar);
  cmbFont_->setObjectName(QStringLiteral("cmbFont"));
  cmbFont_->setToolTip(QStringLiteral("Schriftart"));
  cmbFont_->setEditable(true);
  cmbFont_->setInsertPolicy(QComboBox::NoInsert);
  cmbFont_->setMaxVisibleItems(10);
  cmbFont_->setFixedWidth(173);
  QStringList fonts = ListFontNames();
  std::sort(fonts.begin(), fonts.end(),
            [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
  cmbFont_->addItems(fonts);
  bar->addWidget(cmbFont_);
  // An entry picked from the list applies at once; a typed name when Enter confirms it.
  connect(cmbFont_, &QComboBox::activated, this, [this] { cmbFontChange(); });
  connect(cmbFont_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    if (UpdatingToolbar) return;
    const QString typed = cmbFont_->currentText().trimmed();
    const int index = cmbFont_->findText(typed, Qt::MatchFixedString);
    if (index >= 0) {
      cmbFont_->setCurrentIndex(index);
      cmbFontChange();
    } else if (!typed.isEmpty()) {
      applyFontFamily(typed);
    }
  });
  bar->addSeparator();

  editFontSize_ = new QLineEdit(QStringLiteral("0"), bar);
  editFontSize_->setObjectName(QStringLiteral("editFontSize"));
  editFontSize_->setToolTip(QStringLiteral("Schriftgrösse"));
  editFontSize_->setAccessibleName(editFontSize_->toolTip());
  editFontSize_->setFixedWidth(editFontSize_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
  udFontSize_ = new DescriptionUpDown(*editFontSize_, 0, 100, bar);
  udFontSize_->setObjectName(QStringLiteral("udFontSize"));
  udFontSize_->setToolTip(editFontSize_->toolTip());
  bar->addWidget(editFontSize_);
  bar->addWidget(udFontSize_);
  connect(editFontSize_, &QLineEdit::textChanged, this, [this] { editFontSizeChange(); });
  bar->addSeparator();

  tbBold_ = NewButton(bar, "tbBold", "fett", "bold.png", true);
  tbItalic_ = NewButton(bar, "tbItalic", "kursiv", "italic.png", true);
  tbUnderline_ = NewButton(bar, "tbUnderline", "unterstrichen", "underline.png", true);
  connect(tbBold_, &QToolButton::clicked, this, &DescriptionPage::tbBoldClick);
  connect(tbItalic_, &QToolButton::clicked, this, &DescriptionPage::tbItalicClick);
  connect(tbUnderline_, &QToolButton::clicked, this, &DescriptionPage::tbUnderlineClick);
  bar->addSeparator();

  alignGroup_ = new QButtonGroup(this);
  alignGroup_->setExclusive(true);
  tbLeftAlign_ = NewButton(bar, "tbLeftAlign", "linksbündig", "align_left.png", true);
  tbCenterAlign_ = NewButton(bar, "tbCenterAlign", "zentriert", "align_center.png", true);
  tbRightAlign_ = NewButton(bar, "tbRightAlign", "rechtsbündig", "align_right.png", true);
  alignGroup_->addButton(tbLeftAlign_, AlignLeftCode);
  alignGroup_->addButton(tbCenterAlign_, AlignCenterCode);
  alignGroup_->addButton(tbRightAlign_, AlignRightCode);
  connect(alignGroup_, &QButtonGroup::idClicked, this, &DescriptionPage::AlignButtonClick);
  bar->addSeparator();

  tbBullets_ = NewButton(bar, "tbBullets", "Aufzählung", "bullets.png", true);
  connect(tbBullets_, &QToolButton::clicked, this, &DescriptionPage::tbBulletsClick);
  bar->addSeparator();

  tbPrintDescription_ = NewButton(bar, "tbPrintDescription", "Beschreibung drucken", "print.png", false);
  connect(tbPrintDescription_, &QToolButton::clicked, this, &DescriptionPage::acPrintDescription);
}

}  // namespace orvela
