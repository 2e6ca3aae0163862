#include "platform/SaveFileDialog.h"

#include <QFileInfo>

#include "platform/Services.h"

namespace orvela::platform {

SaveFileDialog::SaveFileDialog(QWidget* parent, const QString& title, const QString& directory, const QString& filter,
                               MessageService& messages)
    : QFileDialog(parent, title, directory, filter), messages_(messages) {
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  // The folder rule below needs the dialog to stay open when it refuses, which only the
  // dialog's own widgets allow; a desktop's dialog has closed by then.
  setOption(QFileDialog::DontUseNativeDialog);
}

void SaveFileDialog::accept() {
  const QStringList chosen = selectedFiles();
  if (!chosen.isEmpty()) {
    const QFileInfo file(chosen.constFirst());
    // A folder's name opens that folder (the dialog's own behaviour); a file needs its
    // folder to be there.
    if (!file.isDir() && !QFileInfo(file.absolutePath()).isDir()) {
      messages_.show(this, MessageKind::Warning,
                     QStringLiteral("Der Ordner ") + QDir::toNativeSeparators(file.absolutePath()) +
                         QStringLiteral(" existiert nicht!"),
                     {MessageButton::Ok}, MessageButton::Ok);
      return;
    }
  }
  QFileDialog::accept();
}

}  // namespace orvela::platform
