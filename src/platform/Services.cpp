#include "platform/Services.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QUrl>

#include "platform/HelpWindow.h"
#include "platform/SaveFileDialog.h"
#include "platform/PendingCut.h"
#include "platform/ShellOpen.h"
#include "platform/WindowPlaces.h"
#include "rtf/qt/PagedDocument.h"
#include "storage/SafeFileWriter.h"

namespace orvela::platform {
namespace {

QString CaptionOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return QStringLiteral("Warnung");
    case MessageKind::Error: return QStringLiteral("Fehler");
    case MessageKind::Information: return QStringLiteral("Informationen");
    case MessageKind::Confirmation: return QStringLiteral("Bestätigen");
  }
  return {};
}

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Confirmation: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

struct ButtonInfo {
  MessageButton button;
  const char* text;
  QMessageBox::ButtonRole role;
};

constexpr ButtonInfo kButtons[] = {
    {MessageButton::Ok, "OK", QMessageBox::AcceptRole},
    {MessageButton::Cancel, "Abbrechen", QMessageBox::RejectRole},
    {MessageButton::Yes, "&Ja", QMessageBox::YesRole},
    {MessageButton::No, "&Nein", QMessageBox::NoRole},
    {MessageButton::OpenReadOnly, "&Schreibgeschützt öffnen", QMessageBox::AcceptRole},
    {MessageButton::OpenAnyway, "&Trotzdem öffnen", QMessageBox::DestructiveRole},
    {MessageButton::Overwrite, "&Überschreiben", QMessageBox::DestructiveRole},
    {MessageButton::SaveAs, "&Speichern unter...", QMessageBox::AcceptRole},
    {MessageButton::Restore, "&Wiederherstellen", QMessageBox::AcceptRole},
    {MessageButton::Discard, "&Verwerfen", QMessageBox::DestructiveRole},
};

class BoxMessages final : public MessageService {
 public:
  MessageButton show(QWidget* parent, MessageKind kind, const QString& text, const QList<MessageButton>& buttons,
                     MessageButton defaultButton) override {
    QMessageBox box(IconOf(kind), CaptionOf(kind), text, QMessageBox::NoButton, parent);
    QList<QPair<QAbstractButton*, MessageButton>> made;
    for (MessageButton b : buttons) {
      for (const ButtonInfo& info : kButtons) {
        if (info.button != b) continue;
        QPushButton* pushed = box.addButton(QString::fromUtf8(info.text), info.role);
        made.append({pushed, b});
        if (b == defaultButton) box.setDefaultButton(pushed);
        if (b == MessageButton::Cancel || (buttons.size() == 1)) box.setEscapeButton(pushed);
      }
    }
    box.exec();
    for (const auto& [pushed, b] : made)
      if (box.clickedButton() == pushed) return b;
    return MessageButton::None;
  }
};

QFileDialog* MakeFileDialog(QFileDialog* dialog, const FileDialogRequest& request) {
  dialog->setDefaultSuffix(request.defaultSuffix);
  if (!request.selectedFile.isEmpty()) dialog->selectFile(request.selectedFile);
  dialog->setSizeGripEnabled(true);
  return dialog;
}

QString RunFileDialog(QFileDialog* dialog) {
  QString chosen;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
    chosen = dialog->selectedFiles().constFirst();
  delete dialog;
  return chosen;
}

class QtFileDialogs final : public FileDialogService {
 public:
  explicit QtFileDialogs(const Services& services) : services_(services) {}
  QString openFile(QWidget* parent, const FileDialogRequest& request) override {
    QFileDialog* dialog = MakeFileDialog(new QFileDialog(parent, request.title, request.directory, request.filter),
                                         request);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
  }
  QString saveFile(QWidget* parent, const FileDialogRequest& request) override {
    QFileDialog* dialog = MakeFileDialog(
        new SaveFileDialog(parent, request.title, request.directory, request.filter, services_.messages()), request);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    return RunFileDialog(dialog);
  }
  QString chooseFolder(QWidget* parent, const QString& title, const QString& start) override {
    return QFileDialog::getExistingDirectory(parent, title, start);
  }

 private:
  const Services& services_;  // the messages of the refusals (doubled in tests)
};

class QtPrinting final : public PrintService {
 public:
  bool print(QWidget* parent, QPrinter& printer, const rtf::PagedDocument& pages, const QString& jobName) override {
    printer.setDocName(jobName);
    printer.setFullPage(true);  // the pages bring their own margins
    const QPageLayout layout = pages.pageLayout();
    printer.setPageLayout(layout);
    // A range kept from a longer document would print nothing here.
    const int pageCount = pages.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.pageRanges().lastPage() > pageCount) {
      printer.setPrintRange(QPrinter::AllPages);
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, pageCount);
    if (dialog.exec() != QDialog::Accepted) return false;
    // Choosing a printer loads its defaults; its default orientation must not turn the pages.
    printer.setPageOrientation(layout.orientation());
    pages.paint(printer, printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges());
    return true;
  }
};

class WindowHelp final : public HelpService {
 public:
  void showHelp(QWidget* /*parent*/, int context) override { HelpWindow::showContext(context); }
};

class DesktopShell final : public ShellService {
 public:
  void open(const QString& pathOrUrl) override {
    const QString expanded = ExpandEnvironmentNames(pathOrUrl);
    if (expanded.isEmpty()) return;
    QDesktopServices::openUrl(UrlForShell(expanded));  // the result is ignored on purpose
  }
};

class ExecModals final : public ModalService {
 public:
  int run(QDialog& dialog) override { return dialog.exec(); }
};

}  // namespace

struct Services::Production {
  explicit Production(const Services& owner) : fileDialogs(owner) {}
  BoxMessages messages;
  QtFileDialogs fileDialogs;
  QtPrinting printing;
  WindowHelp help;
  DesktopShell shell;
  ExecModals modals;
  PendingCut pendingCut;
  WindowPlaces places;
};

Services::Services() : own_(std::make_unique<Production>(*this)) {}
Services::~Services() = default;

MessageService& Services::messages() const { return messages_ ? *messages_ : own_->messages; }
FileDialogService& Services::fileDialogs() const { return fileDialogs_ ? *fileDialogs_ : own_->fileDialogs; }
PrintService& Services::printing() const { return printing_ ? *printing_ : own_->printing; }
HelpService& Services::help() const { return help_ ? *help_ : own_->help; }
ShellService& Services::shell() const { return shell_ ? *shell_ : own_->shell; }
ModalService& Services::modals() const { return modals_ ? *modals_ : own_->modals; }
FileOps& Services::fileOps() const { return fileOps_ ? *fileOps_ : SystemFileOps(); }
PendingCut& Services::pendingCut() const { return own_->pendingCut; }
WindowPlaces& Services::places() const { return own_->places; }

void Services::showMessage(QWidget* parent, MessageKind kind, const QString& text) const {
  messages().show(parent, kind, text, {MessageButton::Ok}, MessageButton::Ok);
}

MessageButton Services::ask(QWidget* parent, MessageKind kind, const QString& text, const QList<MessageButton>& buttons,
                            MessageButton defaultButton) const {
  return messages().show(parent, kind, text, buttons, defaultButton);
}

}  // namespace orvela::platform
