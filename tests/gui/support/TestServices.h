#pragma once
// Doubles of the desktop services for the window tests: they answer from queues filled by
// the test and record what the program asked, so no test waits for a real dialog.
#include <QList>
#include <QPageLayout>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "platform/Services.h"

class QAction;
class QDialog;
class QPrinter;
class QWidget;

namespace orvela::test {

using platform::FileDialogRequest;
using platform::MessageButton;
using platform::MessageKind;

struct ShownMessage {
  MessageKind kind;
  QString text;
  QList<MessageButton> buttons;
  MessageButton defaultButton;
};

class MessageDouble final : public platform::MessageService {
 public:
  // The answer to the next message. Without one queued, a one-button box answers with its
  // button and a question with "Abbrechen" (or its default), and counts as unanswered.
  void answer(MessageButton button) { answers_.enqueue(button); }
  MessageButton show(QWidget* parent, MessageKind kind, const QString& text, const QList<MessageButton>& buttons,
                     MessageButton defaultButton) override;

  QList<ShownMessage> shown;
  int unansweredQuestions = 0;
  int pendingAnswers() const { return int(answers_.size()); }
  QStringList texts() const;
  // Forgets what was shown so far.
  void clear() { shown.clear(); unansweredQuestions = 0; }

 private:
  QQueue<MessageButton> answers_;
};

struct FileDialogCall {
  enum Kind { Open, Save, Folder } kind;
  FileDialogRequest request;  // for folders: title and directory
};

class FileDialogDouble final : public platform::FileDialogService {
 public:
  // The path the next dialog returns; an empty string or nothing queued means "cancelled".
  void answer(const QString& path) { answers_.enqueue(path); }
  QString openFile(QWidget* parent, const FileDialogRequest& request) override;
  QString saveFile(QWidget* parent, const FileDialogRequest& request) override;
  QString chooseFolder(QWidget* parent, const QString& title, const QString& start) override;

  QList<FileDialogCall> calls;
  int pendingAnswers() const { return int(answers_.size()); }

 private:
  QString next();
  QQueue<QString> answers_;
};

struct PrintCall {
  const QPrinter* printer;  // the printer the dialog was opened for
  int copiesOffered;        // its copy count when the dialog opened
  QString jobName;
  QString plainText;
  QPageLayout layout;  // what the print dialog opens with
  QString header, footer;  // of page 1 of 1
};

class PrintDouble final : public platform::PrintService {
 public:
  bool print(QWidget* parent, QPrinter& printer, const rtf::PagedDocument& pages, const QString& jobName) override;
  bool accept = true;  // false: the user cancels the print dialog
  std::function<void(QPrinter&)> choose;  // what the user sets in the dialog, if anything
  QList<PrintCall> calls;
};

class HelpDouble final : public platform::HelpService {
 public:
  void showHelp(QWidget*, int context) override { contexts.append(context); }
  QList<int> contexts;
};

class ShellDouble final : public platform::ShellService {
 public:
  void open(const QString& pathOrUrl) override { opened.append(pathOrUrl); }
  QStringList opened;
};

// Runs dialogs the way a user would, without a modal loop: `handler` fills the dialog and
// confirms or cancels it, and returns QDialog::Accepted or QDialog::Rejected. Without a
// handler every dialog is cancelled. Each dialog's objectName is recorded.
class ModalDouble final : public platform::ModalService {
 public:
  int run(QDialog& dialog) override;
  std::function<int(QDialog&)> handler;
  QStringList opened;
};

// One test's surroundings: a temporary configuration folder in place of the user's
// (XDG_CONFIG_HOME), a temporary folder for work files, and every service doubled in
// `services`, which the test hands to the frame, window or dialog it builds.
// Create one per test function (in init()), destroy it in cleanup().
class TestEnvironment {
 public:
  TestEnvironment();
  ~TestEnvironment();
  TestEnvironment(const TestEnvironment&) = delete;
  TestEnvironment& operator=(const TestEnvironment&) = delete;

  MessageDouble messages;
  FileDialogDouble fileDialogs;
  PrintDouble printing;
  HelpDouble help;
  ShellDouble shell;
  ModalDouble modals;
  platform::Services services;

  QString configDir() const { return config_.path(); }
  QString settingsPath() const;
  // Writes the settings file with the given lines as they are.
  void writeSettings(const QStringList& lines) const;
  QString readSettings() const;  // empty when there is no file
  // A path inside the temporary work folder (the file is not created).
  QString workPath(const QString& name) const;
  QString workDir() const { return work_.path(); }
  // The user's data folder of this test (XDG_DATA_HOME); recovery copies go below it.
  QString dataDir() const;

 private:
  QTemporaryDir config_;
  QTemporaryDir work_;
  QByteArray oldConfigHome_;
  bool hadConfigHome_;
};

// Finds a child (of any depth) by objectName and type; null when absent.
QAction* FindAction(QWidget* root, const QString& name);
// Triggers the named action and returns whether it was found and enabled.
bool TriggerAction(QWidget* root, const QString& name);

}  // namespace orvela::test
