#include "workfile/srcWorkfile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Cp1252Text.h"
#include "platform/ErrorReport.h"
#include "model/Edits.h"
#include "model/srcGlobalDef.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "platform/WindowPlaces.h"
#include "properties/srcAuditProperties.h"
#include "reports/ReportsPage.h"
#include "storage/WorkFileStorage.h"
#include "workfile/AuditOverviewPage.h"
#include "workfile/DescriptionPage.h"
#include "workfile/DocumentsPage.h"
#include "workfile/FindPanel.h"
#include "workfile/FindingsOverviewPage.h"
#include "workfile/ItemDetailPanel.h"
#include "workfile/RecoveryWriter.h"
#include "workfile/StructurePage.h"
#include "workfile/WorkFileHost.h"

namespace orvela {
namespace {

using platform::MessageButton;
using platform::MessageKind;

// Loading and saving: wait cursor and no input to the window until it is done.
class BusyWindow {
 public:
  explicit BusyWindow(QWidget* window) : window_(window), focus_(window->focusWidget()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    window_->setEnabled(false);
  }
  ~BusyWindow() {
    window_->setEnabled(true);
    // Disabling took the keyboard focus away; left so, the frame would hand it to the
    // next window in line when it is activated again (after the save dialog or a
    // message), and the user would type on in another work file.
    if (focus_ && focus_->isEnabled()) focus_->setFocus(Qt::OtherFocusReason);
    QApplication::restoreOverrideCursor();
  }
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

 private:
  QWidget* window_;
  QPointer<QWidget> focus_;
};

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The same file however the path is written.
bool SameFile(const QString& a, const QString& b) {
  if (a.isEmpty() || b.isEmpty()) return false;
  const auto canonical = [](const QString& path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QFileInfo(path).absoluteFilePath() : c;
  };
  return canonical(a) == canonical(b);
}

}  // namespace

class TfrmWorkFile::Context final : public WorkFileContext {
 public:
  explicit Context(TfrmWorkFile& window) : window_(window) {}
  WorkFileData& data() override { return window_.data_; }
  WorkFileEditor& editor() override { return window_.editor_; }
  QWidget* window() override { return &window_; }
  platform::Services& services() override { return window_.host_.services(); }
  StampSource stamps() override { return window_.host_.stampSource(); }
  QPrinter& printer() override { return window_.printer(); }

 private:
  TfrmWorkFile& window_;
};

TfrmWorkFile::TfrmWorkFile(WorkFileHost& host, QWidget* parent)
    : QWidget(parent), host_(host), context_(std::make_unique<Context>(*this)) {
  setObjectName(QStringLiteral("frmWorkFile"));
  ResetWorkFileData(data_, host_.stampSource());
  editor_.addObserver(this);
  editor_.setFailureSink([this](const std::string& message) {
    platform::ShowApplicationError(host_.services(), FromUtf8(message), QStringLiteral("EditConflict"), platform::SenderText(this));
  });

  recovery_ = std::make_unique<RecoveryWriter>(*this, editor_, host_.services());
  createMenus();
  createTabs();
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(QStringLiteral("StatusBar"));
  statusBar_->setSizeGripEnabled(false);
  findPanel_ = new FindPanel(*this);
  findPanel_->addActionsTo(miEdit_);
  labelAccess_ = new QLabel(statusBar_);
  labelAccess_->setObjectName(QStringLiteral("labelAccess"));
  statusBar_->addPermanentWidget(labelAccess_);
  labelAccess_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(pcWorkspace_, 1);
  layout->addWidget(findPanel_);
  layout->addWidget(statusBar_);

  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
  connect(help, &QShortcut::activated, this, [this] { host_.services().help().showHelp(this, 300); });

  resize(695, 427);
  updateCaption();
  UpdateSaveButton();
  updateUndoActions();
}

TfrmWorkFile::~TfrmWorkFile() {
  editor_.removeObserver(this);
  // The pages observe the editor and reach it through the context: they go while both live.
  delete pcWorkspace_;
}

void TfrmWorkFile::historyChanged() {
  UpdateSaveButton();
  updateUndoActions();
}

void TfrmWorkFile::updateUndoActions() {
  const auto caption = [](const char* verb, const std::string& step) {
    return step.empty() ? QString::fromUtf8(verb) : QString::fromUtf8(verb) + QStringLiteral(": ") + FromUtf8(step);
  };
  miEditUndo_->setEnabled(editor_.canUndo());
  miEditUndo_->setText(caption("Rückgängig", editor_.undoName()));
  miEditRedo_->setEnabled(editor_.canRedo());
  miEditRedo_->setText(caption("Wiederholen", editor_.redoName()));
  host_.updateUndoButtons();
}

void TfrmWorkFile::commandFinished(const EditCommand& command, EditDirection direction) {
  findPanel_->dataChanged();
  if (pcWorkspace_->currentIndex() == Findings) findingsPage_->FillFindingsOverview();
  const QString name = FromUtf8(command.name());
  if (direction != EditDirection::Do) {
    statusBar_->showMessage((direction == EditDirection::Undo ? QStringLiteral("Rückgängig gemacht: ")
                                                              : QStringLiteral("Wiederholt: ")) +
                            name);
    return;
  }
  // Deleting asks nothing; the status bar says what went and how it comes back.
  const RecordNode* gone = command.focus().afterRevert;
  const bool itemGone = command.name() == edits::kDeleteItemName;
  if (!gone || (!itemGone && command.name() != edits::kDeleteDocumentName)) {
    statusBar_->clearMessage();
    return;
  }
  std::size_t inside = 0;
  for (const RecordNode* n = NextInTreeOrder(gone); n && n->isWithin(gone); n = NextInTreeOrder(n)) ++inside;
  const QString what = platform::FromCp1252(itemGone ? ItemDisplayText(*gone, false) : gone->record.value(key::NAME));
  QString text = (itemGone ? QStringLiteral("Element \u201E") : QStringLiteral("Dokument \u201E")) + what +
                 QStringLiteral("\u201C");
  if (inside > 0)
    text += QStringLiteral(" mit %1 %2").arg(inside).arg(itemGone ? QStringLiteral("Unterelementen")
                                                                  : QStringLiteral("untergeordneten Dokumenten"));
  statusBar_->showMessage(text + QStringLiteral(" gelöscht \u2013 Strg+Z stellt es wieder her."));
}

void TfrmWorkFile::acceptPendingEdits() {
  descriptionPage_->storeIfChanged();
  if (detailPanel_ && detailPanel_->isChanged()) detailPanel_->acIDAcceptChanges();
}

void TfrmWorkFile::acUndo() {
  acceptPendingEdits();
  editor_.undo();
}

void TfrmWorkFile::acRedo() {
  acceptPendingEdits();
  editor_.redo();
}

WorkFileContext& TfrmWorkFile::context() { return *context_; }

QPrinter& TfrmWorkFile::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void TfrmWorkFile::createTabs() {
  pcWorkspace_ = new QTabWidget(this);
  pcWorkspace_->setObjectName(QStringLiteral("pcWorkspace"));
  struct TabSpec {
    const char* name;
    const char* caption;
  };
  static constexpr TabSpec kTabs[] = {
      {"tsStructure", "Struktur"}, {"tsDocuments", "Dokumente"},     {"tsFindings", "Feststellungen"},
      {"tsReports", "Berichte"},   {"tsDescription", "Beschreibung"}, {"tsInfo", "Information"},
      {"tsOverview", "Übersicht"},
  };
  for (const TabSpec& tabSpec : kTabs) {
    auto* tab = new QWidget(pcWorkspace_);
    tab->setObjectName(QString::fromLatin1(tabSpec.name));
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    pcWorkspace_->addTab(tab, QString::fromUtf8(tabSpec.caption));
  }
  // One line per page.
  addPage(pcWorkspace_->widget(Structure), structurePage_ = new StructurePage(*context_));
  detailPanel_ = new ItemDetailPanel(*context_, *structurePage_);  // takes its place in the page
  addPage(pcWorkspace_->widget(Documents), documentsPage_ = new DocumentsPage(*context_));
  addPage(pcWorkspace_->widget(Findings), findingsPage_ = new FindingsOverviewPage(*context_, *structurePage_));
  addPage(pcWorkspace_->widget(Reports), reportsPage_ = new ReportsPage(*context_, reportsHost()));
  addPage(pcWorkspace_->widget(Description), descriptionPage_ = new DescriptionPage(*context_, descriptionHost()));
  addPage(pcWorkspace_->widget(Info), createInfoTab());
  addPage(pcWorkspace_->widget(Overview), overviewPage_ = new AuditOverviewPage(*context_, [this] {
            const LocalDateTime now = host_.stampSource().now();
            return CalendarDate{now.year, now.month, now.day};
          }));

  pcWorkspace_->setCurrentIndex(Structure);
  connect(pcWorkspace_, &QTabWidget::currentChanged, this, &TfrmWorkFile::pcWorkspaceChange);

  structurePage_->populateEditMenu(miEdit_);
  structurePage_->resetFilters();
  connect(structurePage_, &StructurePage::auditPropertiesRequested, this, [this] { ShowAuditProperties(*context_); });
  connect(findingsPage_, &FindingsOverviewPage::structureTabRequested, this,
          [this] { pcWorkspace_->setCurrentIndex(Structure); });
  connect(overviewPage_, &AuditOverviewPage::itemRequested, findingsPage_, &FindingsOverviewPage::showItem);
}

ReportsPageHost TfrmWorkFile::reportsHost() {
  return {[this] { return host_.settings().reportDir; }, [this](const QString& dir) { host_.settings().reportDir = dir; },
          [this] { return host_.stampSource().now(); },
          [this] { findingsPage_->FillFindingsOverview(); }, [this] { acceptPendingEdits(); }};
}

DescriptionPageHost TfrmWorkFile::descriptionHost() {
  return {[this] { return pcWorkspace_ && pcWorkspace_->currentIndex() == Description; },
          [this] { UpdateSaveButton(); }};
}

void TfrmWorkFile::addPage(QWidget* tab, QWidget* page) {
  page->setParent(tab);
  tab->layout()->addWidget(page);
}

QWidget* TfrmWorkFile::createInfoTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  struct Row {
    const char* caption;
    const char* name;
    QLabel** label;
  };
  const Row rows[] = {
      {"Dateiname:", "labelInfFilename", &labelInfFilename_},
      {"Datei erstellt von:", "labelInfCreator", &labelInfCreator_},
      {"Datei erstellt am:", "labelInfCreateDate", &labelInfCreateDate_},
      {"Datei zuletzt gespeichert von:", "labelInfLastUser", &labelInfLastUser_},
      {"Datei zuletzt gespeichert am:", "labelInfLastSavedAt", &labelInfLastSavedAt_},
  };
  int r = 0;
  for (const Row& row : rows) {
    auto* caption = new QLabel(QString::fromUtf8(row.caption), page);
    auto* value = new QLabel(page);
    value->setObjectName(QString::fromLatin1(row.name));
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setTextFormat(Qt::PlainText);
    caption->setBuddy(value);
    grid->addWidget(caption, r, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(value, r, 1, Qt::AlignLeft | Qt::AlignTop);
    *row.label = value;
    ++r;
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(r, 1);
  grid->setHorizontalSpacing(16);
  return page;
}

void TfrmWorkFile::createMenus() {
  auto menu = [this](const char* name, const char* caption, const char* hint) {
    auto* m = new QMenu(QString::fromUtf8(caption), this);
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setToolTip(QString::fromUtf8(hint));
    m->menuAction()->setStatusTip(QString::fromUtf8(hint));
    menus_.append(m);
    return m;
  };
  auto item = [this](QMenu* m, const char* name, const char* caption) {
    QAction* a = m->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };

  // The file commands that are the frame's are the frame's own actions, so they behave
  // exactly alike whichever menu bar shows them.
  QMenu* file = menu("miFile", "Datei", "Dateibefehle");
  file->addAction(host_.command(QStringLiteral("FileNew1")));
  file->addAction(host_.command(QStringLiteral("FileOpen1")));
  miReopen_ = file->addMenu(QStringLiteral("Neu öffnen"));
  miReopen_->setObjectName(QStringLiteral("miReopen"));
  miReopen_->menuAction()->setObjectName(QStringLiteral("miReopen"));
  file->addSeparator();
  miFileSave_ = item(file, "miFileSave", "Speichern");
  QAction* saveAs = item(file, "miFileSaveAs", "Speichern unter...");
  miFileSave_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  for (QAction* a : {miFileSave_, saveAs}) {
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(a);
  }
  file->addSeparator();
  file->addAction(host_.command(QStringLiteral("FileClose1")));
  file->addSeparator();
  file->addAction(host_.command(QStringLiteral("FileExit1")));
  connect(file, &QMenu::aboutToShow, this, &TfrmWorkFile::acOnClickFileMenu);
  connect(miFileSave_, &QAction::triggered, this, &TfrmWorkFile::acFileSave);
  connect(saveAs, &QAction::triggered, this, &TfrmWorkFile::acFileSaveAs);

  miEdit_ = menu("miEditStruct", "Bearbeiten", "");
  miEditUndo_ = item(miEdit_, "miEditUndo", "Rückgängig");
  miEditRedo_ = item(miEdit_, "miEditRedo", "Wiederholen");
  miEditUndo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  miEditRedo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (QAction* a : {miEditUndo_, miEditRedo_}) {
    // Keys of this window only; an editor with the focus keeps its own undo.
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(a);
  }
  miEditUndo_->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo")));
  miEditRedo_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo")));
  connect(miEditUndo_, &QAction::triggered, this, &TfrmWorkFile::acUndo);
  connect(miEditRedo_, &QAction::triggered, this, &TfrmWorkFile::acRedo);
  miEdit_->addSeparator();

  QMenu* options = menu("miOptions", "Optionen", "");
  QAction* settings = item(options, "miGeneralSettings", "Allgemeine Einstellungen...");
  QAction* properties = item(options, "miAuditProperties", "Projekteigenschaften...");
  connect(settings, &QAction::triggered, this, [this] { host_.acGeneralSettings(); });
  connect(properties, &QAction::triggered, this, [this] { ShowAuditProperties(*context_); });

  QMenu* window = menu("miWindow", "Fenster", "Fensterbezogene Anweisungen");
  for (const char* name : {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "WindowMinimizeAll1",
                           "WindowArrangeAll1"})
    window->addAction(host_.command(QString::fromLatin1(name)));
  connect(window, &QMenu::aboutToShow, this, [this, window] { host_.BuildWindowMenu(window); });

  QMenu* help = menu("miHelp", "Hilfe", "Hilfethemen");
  QAction* contents = item(help, "OrvelaHilfe1", "Orvela Hilfe");
  QAction* homepage = item(help, "OrvelaHomepage1", "Orvela Homepage");
  help->addSeparator();
  help->addAction(host_.command(QStringLiteral("HelpAbout1")));
  connect(contents, &QAction::triggered, this, [this] { host_.acHelpContents(); });
  connect(homepage, &QAction::triggered, this, [this] { host_.acHelpOVHomepage(); });
}

QString TfrmWorkFile::GetFileName() const { return FromUtf8(data_.fileName); }

QString TfrmWorkFile::captionText() const {
  const QFontMetrics metrics(font());
  return FromUtf8(DisplayName(data_.fileName, [&metrics](std::string_view text) {
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
  }));
}

// "[*]": the desktop's mark of unsaved changes, shown while the window is modified.
void TfrmWorkFile::updateCaption() {
  const QString readOnly = isReadOnly() ? QStringLiteral(" [schreibgeschützt]") : QString();
  setWindowTitle(captionText() + readOnly + QStringLiteral("[*]"));
}

void TfrmWorkFile::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange) updateCaption();
}

void TfrmWorkFile::SetUntitled() {
  data_.fileName.clear();
  diskStamp_.reset();
  setAccess({});
}

void TfrmWorkFile::setAccess(WorkFileAccess access) {
  lock_ = std::move(access.lock);
  accessMode_ = access.mode;
  updateAccessLabel();
  updateCaption();
  UpdateSaveButton();
  if (accessMode_ == WorkFileAccess::Mode::Unprotected)
    host_.services().showMessage(this, MessageKind::Information, UnprotectedMessage(GetFileName()));
}

void TfrmWorkFile::updateAccessLabel() {
  switch (accessMode_) {
    case WorkFileAccess::Mode::Editing:
      labelAccess_->clear();
      break;
    case WorkFileAccess::Mode::ReadOnly:
      labelAccess_->setText(QStringLiteral("Schreibgeschützt"));
      break;
    case WorkFileAccess::Mode::Unprotected:
      labelAccess_->setText(kUnprotectedNote);
      break;
  }
  labelAccess_->setVisible(accessMode_ != WorkFileAccess::Mode::Editing);
}

void TfrmWorkFile::MarkModified() {
  data_.modified = true;
  UpdateSaveButton();
}

void TfrmWorkFile::UpdateSaveButton() {
  setWindowModified(data_.modified);
  const bool named = !data_.fileName.empty() && !isReadOnly();
  host_.setSaveEnabled(named);
  miFileSave_->setEnabled(named);
}

void TfrmWorkFile::acActivate() { UpdateSaveButton(); }

TfrmWorkFile::LoadOutcome TfrmWorkFile::LoadWorkFile(const QString& path) {
  std::vector<std::string> warnings;
  LoadResult result;
  {
    BusyWindow busy(this);
    result = orvela::LoadWorkFile(data_, path.toStdString(), [&warnings](LoadWarning, const std::string& text) {
      warnings.push_back(text);
    });
  }
  // The reading goes on after these; they are shown once the window takes input again.
  const platform::Services& services = host_.services();
  for (const std::string& text : warnings) services.showMessage(this, MessageKind::Error, FromUtf8(text));
  switch (result.status) {
    case LoadResult::Status::ReadFailed:
      services.showMessage(this, MessageKind::Error, FromUtf8(result.message));
      return LoadOutcome::ReadFailed;
    case LoadResult::Status::ParseFailed:
      platform::ShowApplicationError(services, FromUtf8(result.message),
                                     platform::ErrorKindName(xml::XmlError("", 0, 0)), platform::SenderText(this));
      return LoadOutcome::ParseFailed;
    case LoadResult::Status::Ok:
      break;
  }
  diskStamp_ = result.stamp;
  updateCaption();
  // The window was activated while it had no name; now the save button can follow it.
  UpdateSaveButton();
  afterLoad();
  return LoadOutcome::Loaded;
}

void TfrmWorkFile::afterLoad() {
  // Numbered before the pages show anything, so that no page holds an old identifier.
  RenumberItems(data_);
  showReadData();
}

void TfrmWorkFile::showReadData() {
  editor_.clearHistory();
  structurePage_->reloadFromData();
  documentsPage_->reloadFromData();
  descriptionPage_->reloadFromData();
  if (overviewPage_->isVisible()) overviewPage_->refresh();
  findPanel_->dataChanged();
}

bool TfrmWorkFile::SaveWorkFile(const QString& path) { return saveTo(path) == SaveOutcome::Saved; }

TfrmWorkFile::SaveOutcome TfrmWorkFile::saveTo(const QString& path) {
  // The description lives in its editor until it is stored.
  descriptionPage_->storeIfChanged();
  // Only the file this window read or wrote is compared: any other was chosen in the save
  // dialog, which asked before overwriting it.
  const QString before = GetFileName();
  std::optional<FileStamp> expected;
  if (diskStamp_ && SameFile(path, before)) expected = diskStamp_;
  for (;;) {
    if (expected && !FileUnchangedSince(path.toStdString(), *expected)) {
      switch (AskChangedOnDisk(host_.services(), this)) {
        case MessageButton::Overwrite:
          // What is there now is what the user agreed to replace; a change after the
          // answer is asked about again.
          expected = StampOfFile(path.toStdString());
          break;
        case MessageButton::SaveAs: {
          const QString other = askSavePath();
          return other.isEmpty() ? SaveOutcome::Cancelled : saveTo(other);
        }
        default:
          return SaveOutcome::Cancelled;
      }
    }
    const SaveResult result = writeFile(path, expected ? &*expected : nullptr);
    if (result.changedOnDisk) continue;  // changed while it was being written: ask
    if (!result.ok) {
      host_.services().showMessage(this, MessageKind::Error, FromUtf8(result.message));
      return SaveOutcome::Failed;
    }
    adoptSavedFile(before, result.stamp);
    return SaveOutcome::Saved;
  }
}

void TfrmWorkFile::adoptSavedFile(const QString& before, const FileStamp& stamp) {
  diskStamp_ = stamp;
  const QString now = GetFileName();
  if (!SameFile(now, before) || isReadOnly()) {
    lock_.reset();  // the old file is no longer this window's
    setAccess(ClaimSavedFile(now, host_.lockEnvironment()));
  }
  updateCaption();
}

SaveResult TfrmWorkFile::writeFile(const QString& path, const FileStamp* expected) {
  // The stamps are an edit of their own, outside the history; the writer then stamps the
  // same values again.
  const std::string savedBy = host_.stampSource().userStamp();
  const LocalDateTime savedAt = host_.stampSource().now();
  editor_.execute(edits::StampSave(savedBy, DateTimeText(savedAt)));
  const StampSource sameStamps{[savedBy] { return savedBy; }, [savedAt] { return savedAt; }};
  SaveResult result;
  {
    BusyWindow busy(this);
    result = orvela::SaveWorkFile(data_, path.toStdString(), sameStamps, host_.services().fileOps(), expected);
  }
  return result;
}

void TfrmWorkFile::acFileSave() {
  if (data_.fileName.empty() || isReadOnly()) return;
  acceptPendingEdits();
  if (SaveWorkFile(GetFileName())) editor_.markSaved();
  UpdateSaveButton();
}

QString TfrmWorkFile::askSavePath() {
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Save File");
  request.filter = QStringLiteral("Orvela Workfile (*.owp)");
  request.defaultSuffix = QStringLiteral("owp");
  request.overwritePrompt = true;
  if (!data_.fileName.empty()) {
    request.directory = QFileInfo(GetFileName()).absolutePath();
    request.selectedFile = GetFileName();
  } else {
    request.directory = host_.services().places().startFolder(platform::FolderKind::Save, host_.settings().workingDir);
  }
  const QString path = host_.services().fileDialogs().saveFile(this, request);
  host_.services().places().chosen(platform::FolderKind::Save, path);
  return path;
}

void TfrmWorkFile::acFileSaveAs() {
  const QString path = askSavePath();
  if (path.isEmpty()) return;
  acceptPendingEdits();
  if (SaveWorkFile(path)) editor_.markSaved();
  UpdateSaveButton();
}

bool TfrmWorkFile::acFormCloseQuery() {
  // Edits still pending in the detail panel are work too: closing must not drop them
  // without asking. "Ja" takes them over before saving, "Nein" discards them.
  const bool panelPending = detailPanel_ && detailPanel_->isChanged();
  if (!data_.modified && !panelPending) return true;
  const QString name = data_.fileName.empty() ? QStringLiteral("<unbenannt>") : GetFileName();
  const MessageButton answer =
      host_.services().ask(this, MessageKind::Confirmation, QStringLiteral("Änderungen in ") + name +
                                                                 QStringLiteral(" speichern?"),
                            {MessageButton::Yes, MessageButton::No, MessageButton::Cancel}, MessageButton::Yes);
  switch (answer) {
    case MessageButton::No:
      return true;
    case MessageButton::Yes:
      break;
    default:
      return false;  // "Abbrechen", or the box closed otherwise
  }
  if (panelPending) detailPanel_->acIDAcceptChanges();
  if (!data_.fileName.empty() && !isReadOnly()) {
    const QString fileName = GetFileName();
    switch (saveTo(fileName)) {
      case SaveOutcome::Saved:
        editor_.markSaved();
        return true;
      case SaveOutcome::Cancelled:
        return false;
      case SaveOutcome::Failed:
        break;
    }
    host_.services().showMessage(this, MessageKind::Error,
                                 QStringLiteral("Fehler beim Speichern von ") + fileName + QStringLiteral(" !"));
    return false;
  }
  const QString path = askSavePath();
  if (path.isEmpty()) return false;
  if (!SaveWorkFile(path)) return false;
  editor_.markSaved();
  return true;
}

void TfrmWorkFile::closeWithoutQuestion() {
  closeApproved_ = true;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
    sub->close();
  else
    close();
}

void TfrmWorkFile::closeEvent(QCloseEvent* event) {
  if (closeApproved_ || acFormCloseQuery()) {
    closeApproved_ = true;
    lock_.reset();
    event->accept();
  } else {
    event->ignore();
  }
}

void TfrmWorkFile::acOnClickFileMenu() {
  miFileSave_->setEnabled(!data_.fileName.empty() && !isReadOnly());
  host_.BuildReopenMenu(miReopen_);
}

void TfrmWorkFile::pcWorkspaceChange(int index) {
  // Whatever the new tab reads sees the description as it stands.
  descriptionPage_->storeIfChanged();
  if (index == Findings) findingsPage_->FillFindingsOverview();
  if (index == Reports) reportsPage_->tabShown();
  if (index == Info) updateInfoLabels();
}

void TfrmWorkFile::updateInfoLabels() {
  labelInfFilename_->setText(GetFileName());
  labelInfCreator_->setText(platform::FromCp1252(data_.createdBy));
  labelInfCreateDate_->setText(platform::FromCp1252(data_.createdAt));
  labelInfLastUser_->setText(platform::FromCp1252(data_.savedBy));
  labelInfLastSavedAt_->setText(platform::FromCp1252(data_.savedAt));
}

}  // namespace orvela
