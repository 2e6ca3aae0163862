#pragma once
// The "OK" and "Abbrechen" buttons that most dialogs end with.
#include <Qt>

class QDialog;
class QDialogButtonBox;

namespace orvela::platform {

// "OK" (objectName OKBtn, the default button: Enter) and "Abbrechen" (CancelBtn, Esc),
// wired to the dialog's accept() and reject().
QDialogButtonBox* OkCancelButtons(QDialog* dialog, Qt::Orientation orientation = Qt::Horizontal);

}  // namespace orvela::platform
