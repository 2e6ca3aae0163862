#pragma once
// The desktop services the program asks for: message boxes, file and folder pickers,
// printing, help, opening files and addresses through the desktop. Each is an interface
// with one production implementation; tests install doubles that answer and record.
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;
class QTextDocument;

namespace orvela::platform {

enum class MessageKind { Warning, Error, Information, Confirmation };  // "Warnung", "Fehler", "Informationen", "Bestätigen"
enum class MessageButton { None, Ok, Cancel, Yes, No };               // "OK", "Abbrechen", "&Ja", "&Nein"

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
  // Shows the print dialog and prints the document as job `jobName`; false when cancelled.
  virtual bool print(QWidget* parent, QTextDocument* document, const QString& jobName) = 0;
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

// The services in force. Production ones are installed on first use; a test replaces any
// of them (ownership stays with the caller) and puts nullptr back to restore the default.
struct Services {
  static MessageService& messages();
  static FileDialogService& fileDialogs();
  static PrintService& printing();
  static HelpService& help();
  static ShellService& shell();

  static void setMessages(MessageService* service);
  static void setFileDialogs(FileDialogService* service);
  static void setPrinting(PrintService* service);
  static void setHelp(HelpService* service);
  static void setShell(ShellService* service);
};

// Shorthands for the common one-button and question boxes.
void ShowMessage(QWidget* parent, MessageKind kind, const QString& text);
MessageButton AskQuestion(QWidget* parent, MessageKind kind, const QString& text,
                          const QList<MessageButton>& buttons, MessageButton defaultButton);

}  // namespace orvela::platform
