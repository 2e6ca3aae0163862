// Undo and redo in the work-file window: every kind of change taken back and done again
// gives the saved file of before and after, byte for byte; the menu names the step, the
// modified mark follows the saved state, and nothing typed is lost on the way.
#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

#include "app/srcMain.h"
#include "model/srcGlobalDef.h"
#include "platform/WorkFileContext.h"
#include "properties/srcAuditProperties.h"
#include "storage/WorkFileStorage.h"
#include "support/Doubles.h"
#include "support/FrameFixture.h"
#include "workfile/DescriptionEditor.h"
#include "workfile/DescriptionPage.h"
#include "workfile/DocumentsModel.h"
#include "workfile/DocumentsPage.h"
#include "workfile/DocumentsView.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

// Planung(Kasse, Lager), Bericht; two documents.
void FillSample(WorkFileData& d) {
  RecordNode* first = d.structure.root().child(0);
  for (const char* name : {"Kasse", "Lager"}) {
    FieldList r = NewStructureItemRecord(d.lastItemId);
    r.setValue(key::NAME, name);
    d.structure.append(first, r);
  }
  FieldList last = NewStructureItemRecord(d.lastItemId);
  last.setValue(key::NAME, "Bericht");
  d.structure.append(nullptr, last);
  for (const char* name : {"Vertrag", "Protokoll"}) {
    FieldList doc = NewDocumentRecord();
    doc.setValue(key::NAME, name);
    doc.setValue(key::ID, name[0] == 'V' ? "1" : "2");
    d.documents.append(nullptr, doc);
  }
  d.generalDefs = "ITEM=Prüfer,VALUE=Muster";
}

RecordNode* Item(TfrmWorkFile* w, std::size_t treeOrder) { return w->data().structure.inTreeOrder().at(treeOrder); }

QModelIndex DocIndex(TfrmWorkFile* w, int row) { return w->documentsPage()->model()->index(row, 0); }

void SelectItem(TfrmWorkFile* w, std::size_t treeOrder) { w->structurePage()->focusItem(Item(w, treeOrder)); }

void Trigger(TfrmWorkFile* w, const char* action) {
  if (!TriggerAction(w, QString::fromLatin1(action))) qFatal("action %s missing or disabled", action);
}

struct Change {
  const char* name;
  std::function<void(TfrmWorkFile*)> perform;
  int steps = 1;  // history steps the change makes
};

}  // namespace

class UndoRedoTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;

  TfrmWorkFile* openSample() {
    const QString path = fixture.env->workPath(QStringLiteral("projekt.owp"));
    WriteSampleWorkFile(path, "Planung", FillSample);
    TfrmWorkFile* w = fixture.frame->CreateWorkFileWindow();
    if (w->LoadWorkFile(path) != TfrmWorkFile::LoadOutcome::Loaded) qFatal("sample does not load");
    // Opened as a user would have it, so that showing a new item opens nothing more: what
    // is open is the view's, not a step of the history.
    w->structurePage()->tree()->expandAll();
    return w;
  }
  // Keys reach the window's commands as they reach a user's: frame active, focus in the tree.
  QWidget* focusTree(TfrmWorkFile* w) {
    fixture.frame->activateWindow();
    if (!QTest::qWaitForWindowActive(fixture.frame.get())) qFatal("frame not active");
    QWidget* tree = w->structurePage()->tree();
    tree->setFocus();
    return tree;
  }
  // The work file as "Speichern" would write it now (the stamps aside, which only a save sets).
  QByteArray fileOf(TfrmWorkFile* w) {
    const QString path = fixture.env->workPath(QStringLiteral("snapshot.owp"));
    WriteWorkFile(w->data(), path.toStdString());
    return ReadRawFile(path);
  }

 private slots:
  void init() { fixture.start(); }
  void cleanup() { fixture.stop(); }

  void everyKindOfChangeUndoesAndRedoes() {
    const Change changes[] = {
        {"new item", [](TfrmWorkFile* w) { SelectItem(w, 1); Trigger(w, "Neu1"); }},
        {"new sub-item", [](TfrmWorkFile* w) { SelectItem(w, 0); Trigger(w, "NeuesUnterelement1"); }},
        {"delete with sub-items", [](TfrmWorkFile* w) { SelectItem(w, 0); Trigger(w, "miStructDel1"); }},
        {"cut and paste",
         [](TfrmWorkFile* w) {
           SelectItem(w, 1);
           Trigger(w, "miStructCut1");
           SelectItem(w, 3);
           Trigger(w, "aufgleicherEbene1");
         },
         2},
        {"copy and paste as sub-item",
         [](TfrmWorkFile* w) {
           SelectItem(w, 3);
           Trigger(w, "miStructCopy1");
           SelectItem(w, 0);
           Trigger(w, "alsUnterelement1");
         }},
        {"drag and drop",
         [](TfrmWorkFile* w) {
           w->structurePage()->model()->moveItem(Item(w, 3), TreePosition{Item(w, 0), 0});
         }},
        {"panel accept with a new finding",
         [](TfrmWorkFile* w) {
           SelectItem(w, 2);
           auto* panel = w->structurePage()->detailPanel();
           Control<QLineEdit>(panel, "editName")->setText(QStringLiteral("Lager und Inventur"));
           Control<QToolButton>(panel, "SpeedButton1")->click();
           Control<QToolButton>(panel, "sbItemDetailOk")->click();
         }},
        {"item properties dialog",
         [this](TfrmWorkFile* w) {
           fixture.env->modals.handler = [](QDialog& dialog) {
             Control<QLineEdit>(&dialog, "editName")->setText(QStringLiteral("Bericht neu"));
             return int(QDialog::Accepted);
           };
           SelectItem(w, 3);
           Trigger(w, "miStructEdit1");
         }},
        {"new document",
         [](TfrmWorkFile* w) {
           w->documentsPage()->view()->setCurrentIndex(DocIndex(w, 0));
           Control<QToolButton>(w->documentsPage(), "sbNewDoc")->click();
         }},
        {"delete a document",
         [](TfrmWorkFile* w) {
           w->documentsPage()->view()->setCurrentIndex(DocIndex(w, 1));
           Control<QToolButton>(w->documentsPage(), "sbDelDoc")->click();
         }},
        {"rename a document in place",
         [](TfrmWorkFile* w) { w->documentsPage()->model()->setData(DocIndex(w, 0).siblingAtColumn(1), "Vertrag 2024"); }},
        {"move a document",
         [](TfrmWorkFile* w) {
           DocumentsModel* m = w->documentsPage()->model();
           m->moveDocument(DocIndex(w, 1), DocumentPlace{&w->data().documents.root(), 0});
         }},
        {"project properties",
         [](TfrmWorkFile* w) {
           TdlgAuditProperties dialog(w->context(), w);
           Control<QToolButton>(&dialog, "sbNewRisk")->click();
           dialog.accept();
         }},
        {"description",
         [](TfrmWorkFile* w) {
           w->workspace()->setCurrentIndex(TfrmWorkFile::Description);
           QTest::keyClicks(w->descriptionPage()->editor(), "Umfang der Pruefung");
           w->workspace()->setCurrentIndex(TfrmWorkFile::Structure);
         }},
    };
    for (const Change& change : changes) {
      TfrmWorkFile* w = openSample();
      const QByteArray before = fileOf(w);
      change.perform(w);
      const QByteArray after = fileOf(w);
      QVERIFY2(after != before, change.name);
      QVERIFY2(w->isModified() && w->isWindowModified(), change.name);
      for (int i = 0; i < change.steps; ++i) Trigger(w, "miEditUndo");
      QVERIFY2(fileOf(w) == before, change.name);
      QVERIFY2(!w->isModified() && !w->isWindowModified(), change.name);
      QVERIFY2(!FindAction(w, "miEditUndo")->isEnabled(), change.name);
      for (int i = 0; i < change.steps; ++i) Trigger(w, "miEditRedo");
      QVERIFY2(fileOf(w) == after, change.name);
      QVERIFY2(w->isModified(), change.name);
      w->closeWithoutQuestion();
    }
  }

  void theMenuNamesTheStepAndTheStatusBarTheDeletion() {
    TfrmWorkFile* w = openSample();
    SelectItem(w, 0);
    Trigger(w, "miStructDel1");
    QCOMPARE(FindAction(w, "miEditUndo")->text(), QString("Rückgängig: Element löschen"));
    QCOMPARE(FindAction(w, "miEditUndo")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(w->statusBar()->currentMessage(),
             QString("Element „Planung“ mit 2 Unterelementen gelöscht – Strg+Z stellt es wieder her."));
    QVERIFY(w->windowTitle().endsWith("[*]"));
    // The frame's toolbar offers the same step.
    QAction* tbUndo = fixture.frame->findChild<QAction*>("tbUndo");
    QVERIFY(tbUndo->isEnabled());
    QCOMPARE(tbUndo->toolTip(), QString("Rückgängig: Element löschen"));

    // Ctrl+Z in the tree brings it back, with the focus on it and the panel showing it.
    QTest::keyClick(focusTree(w), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->data().structure.count(), std::size_t(4));
    QCOMPARE(w->structurePage()->focusedItem(), Item(w, 0));
    QCOMPARE(Control<QLineEdit>(w, "editName")->text(), QString("Planung"));
    QCOMPARE(FindAction(w, "miEditRedo")->text(), QString("Wiederholen: Element löschen"));
    QTest::keyClick(focusTree(w), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(w->data().structure.count(), std::size_t(1));
  }

  void undoingIntoAnUnsavedStateMarksTheFileModified() {
    TfrmWorkFile* w = openSample();
    SelectItem(w, 0);
    Trigger(w, "Neu1");
    w->acFileSave();
    QVERIFY(!w->isModified());
    Trigger(w, "miEditUndo");
    QVERIFY(w->isModified());
    QVERIFY(w->isWindowModified());
    Trigger(w, "miEditRedo");
    QVERIFY(!w->isModified());
  }

  void pendingPanelEditsAreNeverLeftOut() {
    TfrmWorkFile* w = openSample();
    SelectItem(w, 3);
    auto* name = Control<QLineEdit>(w, "editName");
    // Save takes the pending edit over.
    name->setText(QStringLiteral("Bericht (Entwurf)"));
    w->acFileSave();
    std::string saved;
    {
      WorkFileData read;
      LoadWorkFile(read, w->GetFileName().toStdString(), {});
      saved = read.structure.root().child(1)->record.value(key::NAME);
    }
    QCOMPARE(saved, std::string("Bericht (Entwurf)"));
    QVERIFY(!w->isModified());

    // Enter in the name field accepts.
    name->setText(QStringLiteral("Bericht final"));
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(Item(w, 3)->record.value(key::NAME), std::string("Bericht final"));
    QVERIFY(w->structurePage()->tree()->isEnabled());

    // Undo with pending edits takes them as a step first: redo brings them back.
    name->setText(QStringLiteral("Bericht ungesichert"));
    w->acUndo();
    QCOMPARE(Item(w, 3)->record.value(key::NAME), std::string("Bericht final"));
    QCOMPARE(name->text(), QString("Bericht final"));
    w->acRedo();
    QCOMPARE(Item(w, 3)->record.value(key::NAME), std::string("Bericht ungesichert"));
  }

  void anUndoThatNoLongerFitsIsReportedAndForgotten() {
    TfrmWorkFile* w = openSample();
    SelectItem(w, 3);
    Trigger(w, "miStructDel1");
    // A fault takes the other items out behind the edit layer's back: the place the deleted
    // item would return to is gone.
    std::unique_ptr<RecordNode> taken = w->data().structure.take(Item(w, 0));
    w->structurePage()->model()->reload();
    fixture.env->messages.clear();
    Trigger(w, "miEditUndo");
    QCOMPARE(fixture.env->messages.shown.size(), 1);
    QVERIFY(fixture.env->messages.shown[0].text.contains("Element löschen"));
    QVERIFY(w->data().structure.empty());  // left as the fault made it, nothing half undone
    QVERIFY(!FindAction(w, "miEditUndo")->isEnabled());
    QVERIFY(!FindAction(w, "miEditRedo")->isEnabled());
    QVERIFY(w->isModified());
    w->data().structure.insert(nullptr, 0, std::move(taken));
    w->structurePage()->model()->reload();
  }

  void theFileKeysAreInTheMenus() {
    TfrmWorkFile* w = openSample();
    QCOMPARE(FindAction(w, "miFileSave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(FindAction(w, "miFileSaveAs")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QCOMPARE(fixture.frame->command("FileOpen1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(fixture.frame->command("FileClose1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    QCOMPARE(fixture.frame->command("FileExit1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(FindAction(w, "miEditRedo")->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    // Ctrl+S in the tree saves.
    SelectItem(w, 0);
    Trigger(w, "Neu1");
    QTest::keyClick(focusTree(w), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!w->isModified());
  }
};

QTEST_MAIN(UndoRedoTest)
#include "undo_redo_test.moc"
