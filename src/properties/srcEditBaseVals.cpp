#include "properties/srcEditBaseVals.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/srcGlobalDef.h"
#include "platform/Cp1252Text.h"
#include "platform/DialogButtons.h"
#include "platform/Services.h"
#include "platform/WindowSize.h"

namespace orvela {

using platform::FromCp1252;
using platform::ToCp1252;

TdlgEditBaseVals::TdlgEditBaseVals(platform::Services& services, QWidget* parent)
    : QDialog(parent), services_(services), editItem_(new QLineEdit(this)), editValue_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("dlgEditBaseVals"));
  setWindowTitle(QStringLiteral("Werte bearbeiten"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  editItem_->setObjectName(QStringLiteral("editItem"));
  editValue_->setObjectName(QStringLiteral("editValue"));
  for (QLineEdit* edit : {editItem_, editValue_}) edit->setValidator(new platform::Cp1252Validator(edit));

  auto* form = new QFormLayout;
  auto* itemLabel = new QLabel(QStringLiteral("&Eigenschaft:"), this);
  auto* valueLabel = new QLabel(QStringLiteral("&Wert:"), this);
  itemLabel->setBuddy(editItem_);
  valueLabel->setBuddy(editValue_);
  form->addRow(itemLabel, editItem_);
  form->addRow(valueLabel, editValue_);

  QDialogButtonBox* buttons = platform::OkCancelButtons(this);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch();
  layout->addWidget(buttons);
  platform::FixSizeAtLeast(this, QSize(340, 110));
}

void TdlgEditBaseVals::setEntry(const FieldList& entry) {
  editItem_->setText(FromCp1252(entry.value(key::ITEM)));
  editValue_->setText(FromCp1252(entry.value(key::VALUE)));
}

void TdlgEditBaseVals::applyTo(FieldList& entry) const {
  // accept() has made sure that both texts convert.
  entry.setValue(key::ITEM, ToCp1252(editItem_->text()).value_or(entry.value(key::ITEM)));
  entry.setValue(key::VALUE, ToCp1252(editValue_->text()).value_or(entry.value(key::VALUE)));
}

void TdlgEditBaseVals::accept() {
  for (QLineEdit* edit : {editItem_, editValue_}) {
    const QString refusal = platform::Cp1252RefusalText(edit->text());
    if (refusal.isEmpty()) continue;
    services_.showMessage(this, platform::MessageKind::Warning, refusal);
    edit->setFocus();
    return;
  }
  QDialog::accept();
}

void TdlgEditBaseVals::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    services_.help().showHelp(this, 200);
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace orvela
