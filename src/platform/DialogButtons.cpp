#include "platform/DialogButtons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace orvela::platform {

QDialogButtonBox* OkCancelButtons(QDialog* dialog, bool okIsDefault, Qt::Orientation orientation) {
  auto* box = new QDialogButtonBox(orientation, dialog);
  auto* ok = new QPushButton(QStringLiteral("OK"), box);
  ok->setObjectName(QStringLiteral("OKBtn"));
  auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), box);
  cancel->setObjectName(QStringLiteral("CancelBtn"));
  if (okIsDefault) {
    ok->setDefault(true);
    box->addButton(ok, QDialogButtonBox::AcceptRole);
    box->addButton(cancel, QDialogButtonBox::RejectRole);
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  } else {
    // A button box makes its first accept button the default when it is shown, and a
    // dialog makes its first auto-default button the default; neither may happen here.
    for (QPushButton* b : {ok, cancel}) {
      b->setAutoDefault(false);
      box->addButton(b, QDialogButtonBox::ActionRole);
    }
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  }
  return box;
}

}  // namespace orvela::platform
