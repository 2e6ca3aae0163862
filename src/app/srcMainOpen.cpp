// The ways to a new work-file window: new (empty or from the template), the open dialog,
// the recent-files submenu, the command line and files dropped onto the frame.
#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "app/RecentFiles.h"
#include "app/srcMain.h"
#include "model/Cp1252.h"
#include "model/TextUtils.h"
#include "platform/ErrorReport.h"
#include "platform/LockIdentity.h"
#include "platform/Services.h"
#include "platform/WindowPlaces.h"
#include "storage/Envelope.h"
#include "workfile/srcWorkfile.h"

namespace orvela {
namespace {

using platform::MessageKind;

const QString kAlreadyOpen = QStringLiteral("Die Datei ist bereits geöffnet!");
const QString kDoesNotExist = QStringLiteral("Die Datei existiert nicht!");

QString Damaged(const QString& path) { return QStringLiteral("Die Datei ") + path + QStringLiteral(" ist beschädigt!"); }

// A folder counts as not existing.
bool FileExists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isDir();
}

// The one path of a file however it is reached (symbolic links to it or to a folder on
// its way, "." and ".."); letter case counts. A path that does not lead to a file is
// compared as written.
QString CanonicalPath(const QString& path) {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

}  // namespace

std::optional<bool> TfrmMain::TestFile(const QString& path) {
  try {
    return CheckWorkFile(path);
  } catch (const std::exception& error) {
    // The file is there but cannot be read: the error report, and no window.
    platform::ShowApplicationError(services_, error, this);
    return std::nullopt;
  }
}

TfrmWorkFile* TfrmMain::CreateWorkFileWindow() {
  auto* window = new TfrmWorkFile(*this);
  QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  sub->setWindowIcon(windowIcon());
  sub->resize(695, 427);
  connect(sub, &QObject::destroyed, this, [this] {
    // The window is gone from the list only once this has returned.
    QMetaObject::invokeMethod(this, [this] { subWindowActivated(nullptr); }, Qt::QueuedConnection);
  });
  window->show();
  mdiArea_->setActiveSubWindow(sub);
  updateWindowCommands();
  return window;
}

LockEnvironment TfrmMain::lockEnvironment() const {
  return platform::SystemLockEnvironment(Cp1252ToUtf8(stamps_.userStamp()));
}

TfrmWorkFile* TfrmMain::OpenWorkFile(const QString& path) {
  // The lock first, so that what is read is what this window then holds.
  std::optional<WorkFileAccess> access = ClaimWorkFile(services_, this, path, lockEnvironment());
  if (!access) return nullptr;
  TfrmWorkFile* window = CreateWorkFileWindow();
  switch (window->LoadWorkFile(path)) {
    case TfrmWorkFile::LoadOutcome::Loaded:
      window->setAccess(std::move(*access));
      return window;
    case TfrmWorkFile::LoadOutcome::ReadFailed:
      return nullptr;  // reported; the empty window stays, as after any failed read
    case TfrmWorkFile::LoadOutcome::ParseFailed:
      window->closeWithoutQuestion();  // no half-filled window
      return nullptr;
  }
  return nullptr;
}

void TfrmMain::acFileNew() {
  const QString& templ = settings_.templatePath;
  if (templ.isEmpty()) {
    CreateWorkFileWindow();
    return;
  }
  const std::optional<bool> accepted = TestFile(templ);
  if (!accepted) return;
  if (!*accepted) {
    services_.showMessage(this, MessageKind::Error, QStringLiteral("Die Vorlagendatei ") + templ + QStringLiteral(" ist beschädigt!"));
    return;
  }
  if (!FileExists(templ)) {
    services_.showMessage(this, MessageKind::Warning,
                QStringLiteral("Die Vorlagendatei ") + templ + QStringLiteral(" existiert nicht!"));
    return;
  }
  TfrmWorkFile* window = CreateWorkFileWindow();
  const TfrmWorkFile::LoadOutcome outcome = window->LoadWorkFile(templ);
  if (outcome == TfrmWorkFile::LoadOutcome::ParseFailed) {
    window->closeWithoutQuestion();
    return;
  }
  // Whatever was read, the template itself must never become the file that is saved.
  window->SetUntitled();
}

bool TfrmMain::OpenUnlessOpenOrDamaged(const QString& path) {
  if (IsFileOpen(path)) {
    services_.showMessage(this, MessageKind::Information, kAlreadyOpen);
    return false;
  }
  const std::optional<bool> accepted = TestFile(path);
  if (!accepted) return false;
  if (!*accepted) {
    services_.showMessage(this, MessageKind::Error, Damaged(path));
    return false;
  }
  OpenWorkFile(path);
  return true;
}

void TfrmMain::acFileOpen() {
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Öffnen");
  request.filter = QStringLiteral("Orvela Workfile (*.owp)");
  request.defaultSuffix = QStringLiteral("owp");
  request.directory = services_.places().startFolder(platform::FolderKind::Open, settings_.workingDir);
  const QString path = services_.fileDialogs().openFile(this, request);
  if (path.isEmpty()) return;
  services_.places().chosen(platform::FolderKind::Open, path);
  if (OpenUnlessOpenOrDamaged(path)) AddRecentFile(path);
}

void TfrmMain::miReopenClick(QAction* item) {
  if (!item || item == miReopen_->menuAction()) return;
  const QString path = item->data().toString();
  if (path.isEmpty()) return;
  if (!FileExists(path)) {
    services_.showMessage(this, MessageKind::Information, kDoesNotExist);
    return;
  }
  if (OpenUnlessOpenOrDamaged(path)) AddRecentFile(path);
}

void TfrmMain::OpenQuietly(const QString& path) {
  if (!FileExists(path)) return;
  OpenUnlessOpenOrDamaged(path);
}

void TfrmMain::OpenFromCommandLine(const QString& path) {
  // A relative name is taken from the folder the program was started in, and shown and
  // saved under its full path.
  OpenQuietly(path.isEmpty() ? path : QFileInfo(path).absoluteFilePath());
}

void TfrmMain::OpenDroppedFiles(const QStringList& paths) {
  for (const QString& path : paths) OpenQuietly(path);
}

bool TfrmMain::IsFileOpen(const QString& fileName) {
  if (fileName.isEmpty()) return false;
  const QString wanted = CanonicalPath(fileName);
  for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
    auto* w = qobject_cast<TfrmWorkFile*>(sub->widget());
    if (w && !w->GetFileName().isEmpty() && CanonicalPath(w->GetFileName()) == wanted) {
      mdiArea_->setActiveSubWindow(sub);
      sub->raise();
      return true;
    }
  }
  return false;
}

void TfrmMain::AddRecentFile(const QString& fileName) { orvela::AddRecentFile(settings_.recentFiles, fileName); }

void TfrmMain::BuildReopenMenu(QMenu* submenu) {
  const QStringList& list = settings_.recentFiles;
  if (list.isEmpty()) {
    submenu->menuAction()->setEnabled(false);
    submenu->clear();
    return;
  }
  submenu->menuAction()->setEnabled(true);
  submenu->clear();
  for (qsizetype i = 0; i < list.size(); ++i) {
    // "&" in a path would otherwise turn into an access key and vanish from the caption.
    QString caption = list[i];
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* item = submenu->addAction(caption);
    item->setObjectName(QStringLiteral("miFile%1").arg(i));
    item->setData(list[i]);
    connect(item, &QAction::triggered, this, [this, item] { miReopenClick(item); });
  }
}

}  // namespace orvela
