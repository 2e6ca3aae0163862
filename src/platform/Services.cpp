#include "platform/Services.h"

#include <QDesktopServices>
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
#include "platform/ShellOpen.h"

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

QFileDialog* MakeFileDialog(QWidget* parent, const FileDialogRequest& request) {
  auto* dialog = new QFileDialog(parent, request.title, request.directory, request.filter);
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
  QString openFile(QWidget* parent, const FileDialogRequest& request) override {
    QFileDialog* dialog = MakeFileDialog(parent, request);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
  }
  QString saveFile(QWidget* parent, const FileDialogRequest& request) override {
    QFileDialog* dialog = MakeFileDialog(parent, request);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    return RunFileDialog(dialog);
  }
  QString chooseFolder(QWidget* parent, const QString& title, const QString& start) override {
    return QFileDialog::getExistingDirectory(parent, title, start);
  }
};

class QtPrinting final : public PrintService {
 public:
  bool print(QWidget* parent, QTextDocument* document, const QString& jobName) override {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobName);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    document->print(&printer);
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

template <class Interface, class Production>
struct Slot {
  Interface* override = nullptr;
  Interface& get() {
    if (override) return *override;
    static Production production;
    return production;
  }
};

Slot<MessageService, BoxMessages>& MessageSlot() { static Slot<MessageService, BoxMessages> s; return s; }
Slot<FileDialogService, QtFileDialogs>& FileSlot() { static Slot<FileDialogService, QtFileDialogs> s; return s; }
Slot<PrintService, QtPrinting>& PrintSlot() { static Slot<PrintService, QtPrinting> s; return s; }
Slot<HelpService, WindowHelp>& HelpSlot() { static Slot<HelpService, WindowHelp> s; return s; }
Slot<ShellService, DesktopShell>& ShellSlot() { static Slot<ShellService, DesktopShell> s; return s; }

}  // namespace

MessageService& Services::messages() { return MessageSlot().get(); }
FileDialogService& Services::fileDialogs() { return FileSlot().get(); }
PrintService& Services::printing() { return PrintSlot().get(); }
HelpService& Services::help() { return HelpSlot().get(); }
ShellService& Services::shell() { return ShellSlot().get(); }

void Services::setMessages(MessageService* service) { MessageSlot().override = service; }
void Services::setFileDialogs(FileDialogService* service) { FileSlot().override = service; }
void Services::setPrinting(PrintService* service) { PrintSlot().override = service; }
void Services::setHelp(HelpService* service) { HelpSlot().override = service; }
void Services::setShell(ShellService* service) { ShellSlot().override = service; }

void ShowMessage(QWidget* parent, MessageKind kind, const QString& text) {
  Services::messages().show(parent, kind, text, {MessageButton::Ok}, MessageButton::Ok);
}

MessageButton AskQuestion(QWidget* parent, MessageKind kind, const QString& text, const QList<MessageButton>& buttons,
                          MessageButton defaultButton) {
  return Services::messages().show(parent, kind, text, buttons, defaultButton);
}

}  // namespace orvela::platform
