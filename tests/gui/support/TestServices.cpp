#include "support/TestServices.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTextDocument>
#include <QWidget>
#include <map>
#include <optional>

#include "platform/Settings.h"
#include "rtf/qt/PagedDocument.h"

namespace orvela::test {

MessageButton MessageDouble::show(QWidget*, MessageKind kind, const QString& text, const QList<MessageButton>& buttons,
                                  MessageButton defaultButton) {
  shown.append({kind, text, buttons, defaultButton});
  if (!answers_.isEmpty()) return answers_.dequeue();
  if (buttons.size() == 1) return buttons.constFirst();
  ++unansweredQuestions;
  return buttons.contains(MessageButton::Cancel) ? MessageButton::Cancel : defaultButton;
}

QStringList MessageDouble::texts() const {
  QStringList t;
  for (const ShownMessage& m : shown) t.append(m.text);
  return t;
}

QString FileDialogDouble::next() { return answers_.isEmpty() ? QString() : answers_.dequeue(); }

QString FileDialogDouble::openFile(QWidget*, const FileDialogRequest& request) {
  calls.append({FileDialogCall::Open, request});
  return next();
}

QString FileDialogDouble::saveFile(QWidget*, const FileDialogRequest& request) {
  calls.append({FileDialogCall::Save, request});
  return next();
}

QString FileDialogDouble::chooseFolder(QWidget*, const QString& title, const QString& start) {
  FileDialogRequest request;
  request.title = title;
  request.directory = start;
  calls.append({FileDialogCall::Folder, request});
  return next();
}

bool PrintDouble::print(QWidget*, QPrinter& printer, const rtf::PagedDocument& pages, const QString& jobName) {
  calls.append({&printer, printer.copyCount(), jobName, pages.body().toPlainText(), pages.pageLayout(), pages.headerText(1, 1), pages.footerText(1, 1)});
  if (accept && choose) choose(printer);
  return accept;
}

int ModalDouble::run(QDialog& dialog) {
  opened.append(dialog.objectName());
  return handler ? handler(dialog) : int(QDialog::Rejected);
}

namespace {
// The user's folders that each test replaces by its own, as the test program found them:
// the cache (temporary reports) and the data folder (recovery copies).
struct Home {
  const char* variable;
  const char* subfolder;
};
constexpr Home kHomes[] = {{"XDG_CACHE_HOME", "/cache"}, {"XDG_DATA_HOME", "/data"}};

const std::optional<QByteArray>& OriginalHome(const Home& home) {
  static const std::map<std::string, std::optional<QByteArray>> originals = [] {
    std::map<std::string, std::optional<QByteArray>> found;
    for (const Home& h : kHomes)
      found[h.variable] = qEnvironmentVariableIsSet(h.variable) ? std::optional(qgetenv(h.variable)) : std::nullopt;
    return found;
  }();
  return originals.at(home.variable);
}
}  // namespace

TestEnvironment::TestEnvironment()
    : oldConfigHome_(qgetenv("XDG_CONFIG_HOME")), hadConfigHome_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
  qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
  for (const Home& home : kHomes) {
    OriginalHome(home);
    qputenv(home.variable, (config_.path() + QString::fromLatin1(home.subfolder)).toLocal8Bit());
  }
  services.setMessages(&messages);
  services.setFileDialogs(&fileDialogs);
  services.setPrinting(&printing);
  services.setHelp(&help);
  services.setShell(&shell);
  services.setModals(&modals);
}

TestEnvironment::~TestEnvironment() {
  if (hadConfigHome_)
    qputenv("XDG_CONFIG_HOME", oldConfigHome_);
  else
    qunsetenv("XDG_CONFIG_HOME");
  for (const Home& home : kHomes) {
    if (OriginalHome(home))
      qputenv(home.variable, *OriginalHome(home));
    else
      qunsetenv(home.variable);
  }
}

QString TestEnvironment::dataDir() const { return config_.path() + QStringLiteral("/data"); }

QString TestEnvironment::settingsPath() const { return platform::SettingsFilePath(); }

void TestEnvironment::writeSettings(const QStringList& lines) const {
  QFile file(settingsPath());
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the test settings file");
  for (const QString& line : lines) file.write(line.toUtf8() + '\n');
}

QString TestEnvironment::readSettings() const {
  QFile file(settingsPath());
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QString TestEnvironment::workPath(const QString& name) const { return QDir(work_.path()).filePath(name); }

QAction* FindAction(QWidget* root, const QString& name) {
  return root ? root->findChild<QAction*>(name) : nullptr;
}

bool TriggerAction(QWidget* root, const QString& name) {
  QAction* action = FindAction(root, name);
  if (!action || !action->isEnabled()) return false;
  action->trigger();
  return true;
}

}  // namespace orvela::test
