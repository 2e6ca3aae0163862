#pragma once
// The main frame window: one child window per open work file, the menus and toolbar of
// the program, the settings held for the run and the recent-files list.
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <optional>

#include "model/WorkFileData.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "workfile/WorkFileHost.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace orvela {

class TfrmWorkFile;

class TfrmMain : public QMainWindow, public WorkFileHost {
  Q_OBJECT
 public:
  // `arguments`: the command-line arguments after the program name; the first names a
  // work file to open when the window is first shown. The frame owns its services.
  explicit TfrmMain(const QStringList& arguments = {}, QWidget* parent = nullptr);
  // A frame working with services made elsewhere (a test's doubles); not owned, they
  // must outlive the frame.
  explicit TfrmMain(platform::Services& services, const QStringList& arguments = {}, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // The services every window and dialog of this frame works with.
  platform::Services& services() override { return services_; }

  // Settings read at start. The settings dialog edits them through settings().
  platform::GeneralSettings& settings() override { return settings_; }
  const platform::GeneralSettings& settings() const { return settings_; }
  QString reportDir() const { return settings_.reportDir; }
  void setReportDir(const QString& dir) { settings_.reportDir = dir; }
  const QStringList& recentFiles() const { return settings_.recentFiles; }

  // Accepted without reading when the integrity test is switched off. Throws FileError
  // when the file exists but cannot be read.
  bool CheckWorkFile(const QString& path) const;

  // Where new windows take their user and time stamps from (tests fix them).
  void setStampSource(StampSource stamps) { stamps_ = std::move(stamps); }
  const StampSource& stampSource() const override { return stamps_; }
  // The lock owner: this frame's user stamp, the system's host, login and process id.
  LockEnvironment lockEnvironment() const override;

  QMdiArea* mdiArea() const { return mdiArea_; }
  QList<TfrmWorkFile*> workFileWindows() const;
  // The current work-file window, also while the frame itself is not the active window.
  TfrmWorkFile* activeWorkFile() const;
  // A command of the action list alMain by name (FileNew1, WindowCascade1, ...).
  QAction* command(const QString& name) const override;
  QAction* saveButton() const { return sbFileSave_; }
  void setSaveEnabled(bool enabled) override;
  void updateUndoButtons() override;

  // Opening and creating work files.
  void acFileNew();
  void acFileOpen();
  void miReopenClick(QAction* item);
  void OpenFromCommandLine(const QString& path);
  void OpenDroppedFiles(const QStringList& paths);
  bool IsFileOpen(const QString& fileName);
  TfrmWorkFile* CreateWorkFileWindow();
  void AddRecentFile(const QString& fileName);
  // Fills `submenu` with one entry per recent file; clicking one runs miReopenClick.
  void BuildReopenMenu(QMenu* submenu) override;
  void BuildWindowMenu(QMenu* menu) override;

  // Other commands of the frame.
  void acGeneralSettings() override;
  void acHelpAbout();
  void acHelpOVHomepage() override;
  void acHelpContents() override;
  void sbFileSaveClick();
  void acFileClose();

  // The start-up steps that run once, after the window is first shown.
  void FormShow();
  // Offers each recovery copy an ended run left behind, to restore or delete.
  void OfferRecoveryCopies();

  // Called by a work-file window whose menus should now stand in the menu bar.
  void showMenusOf(TfrmWorkFile* window);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Exactly one of `own` and `handedIn` is set.
  TfrmMain(std::unique_ptr<platform::Services> own, platform::Services* handedIn, const QStringList& arguments,
           QWidget* parent);
  void createActions();
  void createMenus();
  void createToolBar();
  void subWindowActivated(QMdiSubWindow* window);
  void updateWindowCommands();
  // The steps common to opening a file by the dialog, the recent list, the command line
  // and a drop, after the way-specific tests. Null when the file could not be loaded.
  TfrmWorkFile* OpenWorkFile(const QString& path);
  // CheckWorkFile with a read failure reported; nothing when it was reported.
  std::optional<bool> TestFile(const QString& path);
  // The file-open test of the command line and drops: missing files are passed over.
  void OpenQuietly(const QString& path);
  // The refusals shared by every way of opening (already open, damaged), in this order;
  // true when a window was opened for the file.
  bool OpenUnlessOpenOrDamaged(const QString& path);
  bool WriteRecentFiles();

  std::unique_ptr<platform::Services> ownServices_;
  platform::Services& services_;
  QStringList arguments_;
  platform::GeneralSettings settings_;
  StampSource stamps_;
  QMdiArea* mdiArea_;
  QObject* alMain_ = nullptr;
  QToolBar* tb2_ = nullptr;
  QAction* sbFileSave_ = nullptr;
  QAction* tbUndo_ = nullptr;
  QAction* tbRedo_ = nullptr;
  QPointer<TfrmWorkFile> lastActive_;  // the work-file window active before the current one
  QMenu* miReopen_ = nullptr;
  QList<QMenu*> frameMenus_;
  bool shown_ = false;
};

}  // namespace orvela
