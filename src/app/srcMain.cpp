#include "app/srcMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "app/FramePlace.h"
#include "app/ProgramResources.h"
#include "app/WindowListMenu.h"
#include "app/ToolbarIcons.h"
#include "dialogs/srcAbout.h"
#include "dialogs/srcGeneralSettings.h"
#include "model/TextUtils.h"
#include "platform/ErrorReport.h"
#include "platform/Services.h"
#include "platform/Stamps.h"
#include "platform/WindowPlaces.h"
#include "storage/Envelope.h"
#include "workfile/srcWorkfile.h"

namespace orvela {

TfrmMain::TfrmMain(const QStringList& arguments, QWidget* parent)
    : TfrmMain(std::make_unique<platform::Services>(), nullptr, arguments, parent) {}

TfrmMain::TfrmMain(platform::Services& services, const QStringList& arguments, QWidget* parent)
    : TfrmMain(nullptr, &services, arguments, parent) {}

TfrmMain::TfrmMain(std::unique_ptr<platform::Services> own, platform::Services* handedIn,
                   const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent),
      ownServices_(std::move(own)),
      services_(handedIn ? *handedIn : *ownServices_),
      arguments_(arguments),
      stamps_(platform::SystemStamps()),
      mdiArea_(new QMdiArea(this)) {
  InitProgramResources();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Orvela"));
  setWindowIcon(ProgramIcon());
  setAcceptDrops(true);

  mdiArea_->setObjectName(QStringLiteral("mdiArea"));
  mdiArea_->setBackground(palette().brush(QPalette::Dark));
  mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdiArea_);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TfrmMain::subWindowActivated);

  createActions();
  createMenus();
  createToolBar();
  statusBar()->setObjectName(QStringLiteral("StatusBar"));

  settings_ = platform::ReadGeneralSettings();
  services_.places().load();
  RestoreFramePlace(this, services_.places());
}

TfrmMain::~TfrmMain() {
  // The work-file windows must not call back into this frame while they go.
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) disconnect(sub, nullptr, this, nullptr);
  disconnect(mdiArea_, nullptr, this, nullptr);
  // They go before this frame's own parts, the services among them, which they use to the end.
  qDeleteAll(mdiArea_->subWindowList());
}

bool TfrmMain::CheckWorkFile(const QString& path) const {
  return orvela::CheckWorkFile(path.toStdString(), settings_.noFileIntegrityCheck);
}

QList<TfrmWorkFile*> TfrmMain::workFileWindows() const {
  QList<TfrmWorkFile*> windows;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder))
    if (auto* w = qobject_cast<TfrmWorkFile*>(sub->widget())) windows.append(w);
  return windows;
}

TfrmWorkFile* TfrmMain::activeWorkFile() const {
  QMdiSubWindow* sub = mdiArea_->currentSubWindow();
  return sub ? qobject_cast<TfrmWorkFile*>(sub->widget()) : nullptr;
}

void TfrmMain::BuildWindowMenu(QMenu* menu) {
  QList<WindowListEntry> entries;
  for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
    const auto* w = qobject_cast<TfrmWorkFile*>(sub->widget());
    if (!w) continue;
    const QString path = w->GetFileName();
    entries.append({path.isEmpty() ? w->captionText() : QFileInfo(path).fileName(), sub});
  }
  FillWindowList(menu, entries, mdiArea_->currentSubWindow());
}

void TfrmMain::showMenusOf(TfrmWorkFile* window) {
  QMenuBar* bar = menuBar();
  for (QAction* a : bar->actions()) bar->removeAction(a);
  for (QMenu* menu : window ? window->menus() : frameMenus_) bar->addMenu(menu);
}

void TfrmMain::subWindowActivated(QMdiSubWindow*) {
  // Null also arrives when the frame loses focus to another program; the current window
  // then stays what it was.
  TfrmWorkFile* current = activeWorkFile();
  // Switching to another work file takes over what was still pending in the one left.
  if (current && lastActive_ && lastActive_ != current) lastActive_->acceptPendingEdits();
  if (current) lastActive_ = current;
  showMenusOf(current);
  updateWindowCommands();
  updateUndoButtons();
  if (current)
    current->acActivate();
  else
    sbFileSave_->setEnabled(false);
}

void TfrmMain::sbFileSaveClick() {
  if (TfrmWorkFile* w = activeWorkFile()) w->acFileSave();
}

void TfrmMain::acFileClose() {
  if (QMdiSubWindow* sub = mdiArea_->currentSubWindow()) sub->close();
}

void TfrmMain::setSaveEnabled(bool enabled) { sbFileSave_->setEnabled(enabled); }

void TfrmMain::acGeneralSettings() { ShowGeneralSettings(services_, this, settings_); }

void TfrmMain::acHelpAbout() { ShowAbout(services_, this); }

void TfrmMain::acHelpOVHomepage() { services_.shell().open(TdlgAbout::homepageAddress()); }

void TfrmMain::acHelpContents() { services_.help().showHelp(this, 0); }

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_) return;
  shown_ = true;
  // After the frame is on screen, so that messages of the start-up appear over it.
  QTimer::singleShot(0, this, &TfrmMain::FormShow);
}

void TfrmMain::FormShow() {
  // Lost work first: the file named on the command line may be one of those it belongs to.
  OfferRecoveryCopies();
  const QString first = arguments_.isEmpty() ? QString() : arguments_.constFirst();
  if (arguments_.isEmpty() && settings_.newFileOnStartup) acFileNew();
  if (!first.isEmpty()) OpenFromCommandLine(first);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  // The most recently used window is asked first; one refusal keeps everything open.
  QList<QMdiSubWindow*> order = mdiArea_->subWindowList(QMdiArea::ActivationHistoryOrder);
  std::reverse(order.begin(), order.end());
  QList<TfrmWorkFile*> windows;
  for (QMdiSubWindow* sub : order)
    if (auto* w = qobject_cast<TfrmWorkFile*>(sub->widget())) windows.append(w);
  for (TfrmWorkFile* w : windows) {
    if (!w->acFormCloseQuery()) {
      event->ignore();
      return;
    }
  }
  for (TfrmWorkFile* w : windows) w->closeWithoutQuestion();
  RememberFramePlace(this, services_.places());
  if (!WriteRecentFiles() || !services_.places().save()) {
    const std::string path = platform::SettingsFilePath().toStdString();
    platform::ShowApplicationError(
        services_, FileError("Die Einstellungsdatei " + path + " kann nicht geschrieben werden!", path), this);
  }
  event->accept();
}

bool TfrmMain::WriteRecentFiles() {
  return platform::WriteSettingsValues({{QStringLiteral("RecentFiles"), platform::RecentFilesText(settings_.recentFiles)}});
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.append(url.toLocalFile());
  event->acceptProposedAction();
  // Opened after the drop has been released, so that the messages do not hold up the
  // program the files came from.
  QTimer::singleShot(0, this, [this, paths] { OpenDroppedFiles(paths); });
}

}  // namespace orvela
