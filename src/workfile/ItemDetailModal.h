#pragma once
// How the item detail panel's dialogs are run. Normally QDialog::exec(); the window tests
// put in a runner that fills and confirms the dialog the way a user would, so that no
// test waits for a modal loop.
#include <functional>

class QDialog;

namespace orvela {

using ModalRunner = std::function<int(QDialog&)>;

// Runs the dialog modally; returns QDialog::Accepted or QDialog::Rejected.
int RunModal(QDialog& dialog);
// An empty runner restores exec().
void SetModalRunner(ModalRunner runner);

}  // namespace orvela
