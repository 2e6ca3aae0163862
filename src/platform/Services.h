#pragma once
// The desktop services the program asks for: message boxes, file and folder pickers,
// printing, help, opening files and addresses through the desktop, running a dialog
// modally, the cut item waiting for its paste, the remembered window places and the
// system calls of saving. Each is an
// interface with one production implementation. The frame owns one Services object and
// hands it to every window and dialog; a test builds its own with doubles that answer
// and record.
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QDialog;
class QPrinter;
class QWidget;

namespace orvela::rtf {
class PagedDocument;
}

namespace orvela {
class FileOps;
}

namespace orvela::platform {

class PendingCut;
class WindowPlaces;

enum class MessageKind { Warning, Error, Information, Confirmation };  // "Warnung", "Fehler", "Informationen", "Bestätigen"
// "OK", "Abbrechen", "&Ja", "&Nein", "Schreibgeschützt öffnen", "Trotzdem öffnen", "Überschreiben",
// "Speichern unter...", "&Wiederherstellen", "&Verwerfen"
enum class MessageButton { None, Ok, Cancel, Yes, No, OpenReadOnly, OpenAnyway, Overwrite, SaveAs, Restore, Discard };

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Shows a modal message; returns the button chosen (None when closed otherwise).
  virtual MessageButton show(QWidget* parent, MessageKind kind, const QString& text,
                             const QList<MessageButton>& buttons, MessageButton defaultButton) = 0;
};

struct FileDialogRequest {
  QString title;
  QString filter;         // Qt form: "Orvela Workfile (*.owp)"
  QString defaultSuffix;  // without the dot: "owp"
  QString directory;      // starting folder; empty means the system's default
  QString selectedFile;   // proposed file name
  bool overwritePrompt = true;  // save dialogs: ask before replacing an existing file
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // Each returns the chosen path, or an empty string when cancelled.
  virtual QString openFile(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual QString saveFile(QWidget* parent, const FileDialogRequest& request) = 0;
  virtual QString chooseFolder(QWidget* parent, const QString& title, const QString& start) = 0;
};

class PrintService {
 public:
  virtual ~PrintService() = default;
  // Shows the print dialog for `printer`, opened with the paper and orientation of the
  // pages, and prints them on it as job `jobName`; false when cancelled. The printer, copies
  // and range chosen stay in `printer`, so that a caller keeping it offers them again.
  virtual bool print(QWidget* parent, QPrinter& printer, const rtf::PagedDocument& pages,
                     const QString& jobName) = 0;
};

class HelpService {
 public:
  virtual ~HelpService() = default;
  // Opens the program's help at a context number (0, 120, 180, 200, 230, 240, 300).
  virtual void showHelp(QWidget* parent, int context) = 0;
};

class ShellService {
 public:
  virtual ~ShellService() = default;
  // Opens a path or address with its associated program; failures are silent.
  virtual void open(const QString& pathOrUrl) = 0;
};

class ModalService {
 public:
  virtual ~ModalService() = default;
  // Runs a prepared dialog modally; returns QDialog::Accepted or QDialog::Rejected.
  virtual int run(QDialog& dialog) = 0;
};

// One program's set of services. Built with the production implementations; a test puts
// in doubles (ownership stays with the caller) and nullptr puts the production one back.
class Services {
 public:
  Services();
  ~Services();
  Services(const Services&) = delete;
  Services& operator=(const Services&) = delete;

  MessageService& messages() const;
  FileDialogService& fileDialogs() const;
  PrintService& printing() const;
  HelpService& help() const;
  ShellService& shell() const;
  ModalService& modals() const;
  FileOps& fileOps() const;
  // The one item cut in any window of the program and waiting for its paste.
  PendingCut& pendingCut() const;
  // Where the windows were and which folders the file dialogs showed last ([Window]).
  WindowPlaces& places() const;

  void setMessages(MessageService* service) { messages_ = service; }
  void setFileDialogs(FileDialogService* service) { fileDialogs_ = service; }
  void setPrinting(PrintService* service) { printing_ = service; }
  void setHelp(HelpService* service) { help_ = service; }
  void setShell(ShellService* service) { shell_ = service; }
  void setModals(ModalService* service) { modals_ = service; }
  void setFileOps(FileOps* ops) { fileOps_ = ops; }

  // Shorthands for the common one-button and question boxes and for running a dialog.
  void showMessage(QWidget* parent, MessageKind kind, const QString& text) const;
  MessageButton ask(QWidget* parent, MessageKind kind, const QString& text, const QList<MessageButton>& buttons,
                    MessageButton defaultButton) const;
  int runModal(QDialog& dialog) const { return modals().run(dialog); }

 private:
  struct Production;
  std::unique_ptr<Production> own_;
  MessageService* messages_ = nullptr;
  FileDialogService* fileDialogs_ = nullptr;
  PrintService* printing_ = nullptr;
  HelpService* help_ = nullptr;
  ShellService* shell_ = nullptr;
  ModalService* modals_ = nullptr;
  FileOps* fileOps_ = nullptr;
};

}  // namespace orvela::platform
