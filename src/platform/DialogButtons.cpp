#include "platform/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace orvela::platform {

QDialogButtonBox* OkCancelButtons(QDialog* dialog, Qt::Orientation orientation) {
  auto* box = new QDialogButtonBox(orientation, dialog);
  auto* ok = new QPushButton(QStringLiteral("OK"), box);
  ok->setObjectName(QStringLiteral("OKBtn"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), box);
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  box->addButton(ok, QDialogButtonBox::AcceptRole);
  box->addButton(cancel, QDialogButtonBox::RejectRole);
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return box;
}

}  // namespace orvela::platform
