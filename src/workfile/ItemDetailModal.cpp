#include "workfile/ItemDetailModal.h"

#include <QDialog>

namespace orvela {
namespace {
ModalRunner& Runner() {
  static ModalRunner runner;
  return runner;
}
}  // namespace

int RunModal(QDialog& dialog) { return Runner() ? Runner()(dialog) : dialog.exec(); }

void SetModalRunner(ModalRunner runner) { Runner() = std::move(runner); }

}  // namespace orvela
