#pragma once
// The child window of one open work file: it owns the file's data from creation to
// close, shows it in the tabs of pcWorkspace and saves it.
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "model/EditObserver.h"
#include "model/WorkFileData.h"
#include "model/WorkFileEditor.h"
#include "platform/WorkFileContext.h"
#include "storage/FileStamp.h"
#include "storage/WorkFileStorage.h"
#include "workfile/FileAccess.h"

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QStatusBar;
class QTabWidget;

namespace orvela {

namespace platform {
struct LeftoverCopy;
}

class WorkFileHost;
class AuditOverviewPage;
class DescriptionPage;
class DocumentsPage;
class FindPanel;
class FindingsOverviewPage;
class ReportsPage;
class ItemDetailPanel;
class RecoveryWriter;
class StructurePage;
struct DescriptionPageHost;
struct ReportsPageHost;

class TfrmWorkFile : public QWidget, private EditObserver {
  Q_OBJECT
 public:
  enum TabIndex { Structure = 0, Documents = 1, Findings = 2, Reports = 3, Description = 4, Info = 5, Overview = 6 };
  enum class LoadOutcome { Loaded, ReadFailed, ParseFailed };

  // A new window in its initial state: untitled, unchanged, empty data stamped as created
  // now by the frame's stamp source.
  explicit TfrmWorkFile(WorkFileHost& host, QWidget* parent = nullptr);
  ~TfrmWorkFile() override;

  // What the tab pages and dialogs work on.
  WorkFileContext& context();
  WorkFileData& data() { return data_; }
  const WorkFileData& data() const { return data_; }
  WorkFileHost& host() const { return host_; }
  // Every change of data() runs here, with its undo history.
  WorkFileEditor& editor() { return editor_; }
  // The one printer of the window, shared by the reports tab and the description: the
  // printer, copies and range chosen in the print dialog are offered again at the next print.
  QPrinter& printer();

  // Fills the window from a work file. A file that cannot be read is reported and leaves
  // the window empty and untitled; one whose text cannot be parsed reaches the error report
  // and the caller closes the window (DiscardWindow).
  LoadOutcome LoadWorkFile(const QString& path);
  // Fills the new window from the recovery copy of a window lost in an ended run and shows
  // it as modified, named `fileName` (empty: untitled). The copy becomes this window's.
  // Content that cannot be parsed reaches the error report; the caller then closes the
  // window and the copy stays.
  bool RestoreRecoveryCopy(const platform::LeftoverCopy& copy, const QString& fileName);
  // The recovery copy of this window's unsaved changes.
  RecoveryWriter& recovery() { return *recovery_; }
  // Writes the work file to `path` with the system calls of the services' fileOps(); a
  // failure is reported here. Modified is left alone.
  // Over the file the window read or last wrote, a file changed by another program since
  // is only replaced after the user's "Überschreiben".
  bool SaveWorkFile(const QString& path);
  // How the window holds its file against other programs (set after opening).
  void setAccess(WorkFileAccess access);
  bool isReadOnly() const { return accessMode_ == WorkFileAccess::Mode::ReadOnly; }
  WorkFileAccess::Mode accessMode() const { return accessMode_; }
  void SetUntitled();
  QString GetFileName() const;
  bool isModified() const { return data_.modified; }
  void MarkModified();
  void UpdateSaveButton();
  void acActivate();

  // The commands of the window's own menu.
  // "Rückgängig" and "Wiederholen": edits still pending in the panel or the description
  // editor become a step first, so that nothing typed is lost.
  void acUndo();
  void acRedo();
  // Edits pending in the item detail panel and the description editor go into the data.
  void acceptPendingEdits();
  void acFileSave();
  void acFileSaveAs();
  // True when the window may close; asks to save a modified work file.
  bool acFormCloseQuery();
  void acOnClickFileMenu();
  void pcWorkspaceChange(int index);

  // The close question has already been answered (the program is ending) or the window
  // must go without one (its file could not be parsed).
  void closeWithoutQuestion();

  // The caption for the current file name: "unbenannt" or the path shortened to 300
  // pixels in this window's font.
  QString captionText() const;

  // The menus that replace the frame's while this window is the active one.
  const QList<QMenu*>& menus() const { return menus_; }
  QMenu* editMenu() const { return miEdit_; }
  QTabWidget* workspace() const { return pcWorkspace_; }
  StructurePage* structurePage() const { return structurePage_; }
  DocumentsPage* documentsPage() const { return documentsPage_; }
  FindingsOverviewPage* findingsPage() const { return findingsPage_; }
  ReportsPage* reportsPage() const { return reportsPage_; }
  DescriptionPage* descriptionPage() const { return descriptionPage_; }
  AuditOverviewPage* overviewPage() const { return overviewPage_; }
  QStatusBar* statusBar() const { return statusBar_; }
  FindPanel* findPanel() const { return findPanel_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  class Context;
  void createMenus();
  void createTabs();
  QWidget* createInfoTab();
  void addPage(QWidget* tab, QWidget* page);
  // What the reports and description pages ask of the window and the frame.
  ReportsPageHost reportsHost();
  DescriptionPageHost descriptionHost();
  void updateCaption();
  void updateInfoLabels();
  // The save dialog of "Speichern unter...": the chosen path, empty when cancelled.
  QString askSavePath();
  enum class SaveOutcome { Saved, Failed, Cancelled };
  // SaveWorkFile with the changed-on-disk question; "Speichern unter..." there saves to
  // the chosen file instead.
  SaveOutcome saveTo(const QString& path);
  // The file is now `path`, as written: its stamp, and its lock when the name is new.
  // `before`: the file's name before this save.
  void adoptSavedFile(const QString& before, const FileStamp& stamp);
  // The stamps of the save and the writing itself; the caller reports a failure.
  SaveResult writeFile(const QString& path, const FileStamp* expected);
  void updateAccessLabel();
  void afterLoad();
  // The pages show the data just read, with a fresh history.
  void showReadData();
  void historyChanged() override;
  void commandFinished(const EditCommand& command, EditDirection direction) override;
  void updateUndoActions();

  WorkFileHost& host_;
  WorkFileData data_;
  WorkFileEditor editor_{data_};
  std::unique_ptr<Context> context_;
  std::unique_ptr<QPrinter> printer_;  // made at the first print
  std::unique_ptr<RecoveryWriter> recovery_;
  bool closeApproved_ = false;
  WorkFileAccess::Mode accessMode_ = WorkFileAccess::Mode::Editing;
  std::unique_ptr<WorkFileLock> lock_;
  std::optional<FileStamp> diskStamp_;  // the file as last read or written

  QTabWidget* pcWorkspace_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QList<QMenu*> menus_;
  QMenu* miEdit_ = nullptr;
  QMenu* miReopen_ = nullptr;
  QAction* miFileSave_ = nullptr;
  QAction* miEditUndo_ = nullptr;
  QAction* miEditRedo_ = nullptr;
  StructurePage* structurePage_ = nullptr;
  ItemDetailPanel* detailPanel_ = nullptr;
  DocumentsPage* documentsPage_ = nullptr;
  FindingsOverviewPage* findingsPage_ = nullptr;
  ReportsPage* reportsPage_ = nullptr;
  DescriptionPage* descriptionPage_ = nullptr;
  AuditOverviewPage* overviewPage_ = nullptr;
  FindPanel* findPanel_ = nullptr;
  QLabel* labelAccess_ = nullptr;
  QLabel* labelInfFilename_ = nullptr;
  QLabel* labelInfCreator_ = nullptr;
  QLabel* labelInfCreateDate_ = nullptr;
  QLabel* labelInfLastUser_ = nullptr;
  QLabel* labelInfLastSavedAt_ = nullptr;
};

}  // namespace orvela
