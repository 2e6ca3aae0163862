#pragma once
// The "OK" and "Abbrechen" buttons that most dialogs end with.
#include <Qt>

class QDialog;
class QDialogButtonBox;

namespace orvela::platform {

// "OK" (objectName OKBtn) and "Abbrechen" (CancelBtn, also Esc) wired to the dialog's
// accept() and reject(). With `okIsDefault` Enter confirms the dialog; without it no
// button is the default, so Enter confirms nothing (a focused button still takes Enter
// only where the dialog passes it on).
QDialogButtonBox* OkCancelButtons(QDialog* dialog, bool okIsDefault = true,
                                  Qt::Orientation orientation = Qt::Horizontal);

}  // namespace orvela::platform
