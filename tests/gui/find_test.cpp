// The find bar of the work-file window: every kind of place found and shown, the order of
// F3 and Shift+F3, items greyed out by the filter, search texts the file cannot hold, and
// hits that follow the edits of the data.
#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTreeView>
#include <memory>

#include "app/srcMain.h"
#include "model/DelimitedText.h"
#include "properties/srcAuditProperties.h"
#include "support/Doubles.h"
#include "support/DrawnChecks.h"
#include "support/FrameFixture.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/DocumentsModel.h"
#include "workfile/DocumentsPage.h"
#include "workfile/DocumentsView.h"
#include "workfile/FindPanel.h"
#include "workfile/FindResultsModel.h"
#include "workfile/ItemDetailForm.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

// "Kasse" in every kind of place: the name, description and result of items, a finding of
// a collapsed sub-item, a document, the risk list and the description (twice).
void FillSample(WorkFileData& d) {
  d.structure.clear();
  RecordNode* planning = d.structure.append(
      nullptr, FieldList({"ID=1", "NAME=Planung", "DESCRIPTION=Erst pr\xFC" "fen\r\ndann die Kasse z\xE4hlen",
                          "RESULT=ohne Befund: kasse"}));
  d.structure.append(planning,
                     FieldList({"ID=2", "NAME=Interviews",
                                "FINDINGS=" + ListToText({FieldList({"NAME=Protokoll fehlt"}),
                                                          FieldList({"NAME=Beleg", "DESCRIPTION=KASSE offen"})})}));
  d.structure.append(nullptr, FieldList({"ID=3", "NAME=Kassenbericht", "WORKSTATE=completed"}));
  d.documents.append(nullptr, FieldList({"NAME=Vertrag", "REFERENCE=<nicht definiert>", "TYPE=Document", "ID=1"}));
  d.documents.append(nullptr, FieldList({"NAME=Anlage Kasse", "REFERENCE=<nicht definiert>", "TYPE=Document",
                                          "ID=2"}));
  d.riskDefs = ListToText({FieldList({"ITEM=1", "VALUE=hoch"}), FieldList({"ITEM=2", "VALUE=Kasse mittel"})});
  d.description = "{\\rtf1\\ansi Projekt Kasse\\par zweite kasse\\par}";
}

const QStringList kPlaces = {
    "1 Planung (Beschreibung)",
    "1 Planung (Ergebnis)",
    "1.1 Interviews \u2013 Feststellung \u201EBeleg\u201C (Beschreibung)",
    "2 Kassenbericht (Name)",
    "Dokument \u201E" "Anlage Kasse\u201C (Name)",
    "Projekteigenschaften \u2013 Risikodefinition, Zeile 2 (Wert)",
    "Beschreibung",
    "Beschreibung",
};

}  // namespace

class FindTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;
  TestEnvironment* env = nullptr;
  TfrmMain* frame = nullptr;
  TfrmWorkFile* window = nullptr;

  FindPanel* panel() const { return window->findPanel(); }
  QLineEdit* box() const { return Control<QLineEdit>(window, "edFind"); }
  QTreeView* list() const { return Control<QTreeView>(window, "lvFindResults"); }
  QString count() const { return Control<QLabel>(window, "laFindCount")->text(); }
  QStringList places() const {
    QStringList texts;
    for (int r = 0; r < list()->model()->rowCount(); ++r) texts << list()->model()->index(r, 0).data().toString();
    return texts;
  }
  int currentRow() const { return list()->currentIndex().row(); }
  RecordNode* item(const std::string& name) const {
    RecordNode* found = nullptr;
    window->data().structure.forEach([&](RecordNode& n) {
      if (!found && n.record.value("NAME") == name) found = &n;
    });
    return found;
  }
  // Ctrl+F, the text typed, and the pause after typing.
  void find(const QString& text) {
    QTest::keyClick(window->structurePage()->tree(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(panel()->isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box()));
    box()->clear();
    QTest::keyClicks(box(), text);
    QTRY_VERIFY(!count().isEmpty());
  }
  void doubleClickRow(int row) {
    const QRect rect = list()->visualRect(list()->model()->index(row, 1));
    QVERIFY(rect.isValid());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
  }
  ItemDetailForm* form() const { return Control<ItemDetailForm>(window, "PageControl1"); }

 private slots:
  void init() {
    fixture.start();
    env = fixture.env.get();
    frame = fixture.frame.get();
    const QString path = env->workPath("suchen.owp");
    WriteSampleWorkFile(path, "Planung", FillSample);
    window = frame->CreateWorkFileWindow();
    QCOMPARE(window->LoadWorkFile(path), TfrmWorkFile::LoadOutcome::Loaded);
    frame->resize(1100, 800);
    window->parentWidget()->resize(1000, 680);
    // The keys of the window reach it only while the frame is the active window.
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame));
    QVERIFY(!panel()->isVisible());
  }
  void cleanup() {
    window = nullptr;
    frame = nullptr;
    env = nullptr;
    fixture.stop();
  }

  void typingSearchesAfterAPause() {
    QAbstractItemModelTester tester(list()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QTest::keyClick(window->structurePage()->tree(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(box(), "kasse");
    // Typing itself never waits for a search: the list fills after the pause.
    QCOMPARE(list()->model()->rowCount(), 0);
    QTRY_COMPARE(count(), QString("8 Treffer"));
    QCOMPARE(places(), kPlaces);
    QCOMPARE(list()->model()->headerData(0, Qt::Horizontal).toString(), QString("Fundstelle"));
    QCOMPARE(list()->model()->headerData(1, Qt::Horizontal).toString(), QString("Text"));
    QCOMPARE(list()->model()->index(0, 1).data().toString(), QString("Erst pr\u00FC" "fen dann die Kasse z\u00E4hlen"));
    // The hit is drawn in bold: where it stands in that text.
    QCOMPARE(list()->model()->index(0, 1).data(FindResultsModel::HitRangeRole).toPoint(), QPoint(21, 5));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box()));
    const QStringList faults = CheckDrawn(frame);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    SaveScreen(frame, "find_bar");

    // Esc closes the bar; the page has the keyboard again.
    QTest::keyClick(box(), Qt::Key_Escape);
    QVERIFY(!panel()->isVisible());
    QVERIFY(window->isAncestorOf(QApplication::focusWidget()));
  }

  void eachKindOfPlaceIsShown() {
    find("kasse");
    QCOMPARE(places(), kPlaces);
    StructurePage* structure = window->structurePage();
    int dialogList = -1, dialogRow = -1;
    env->modals.handler = [&](QDialog& dialog) {
      auto& properties = static_cast<TdlgAuditProperties&>(dialog);
      dialogList = properties.pageControl()->currentIndex();
      dialogRow = properties.grid(TdlgAuditProperties::Risk)->currentIndex().row();
      return int(QDialog::Rejected);
    };
    struct Case {
      int row;
      int tab;
      std::function<void()> check;
    };
    const auto memoSelection = [this](const char* name) {
      return Control<QPlainTextEdit>(window, name)->textCursor().selectedText();
    };
    const Case cases[] = {
        {0, TfrmWorkFile::Structure, [&] {
           QCOMPARE(structure->focusedItem(), item("Planung"));
           QCOMPARE(form()->currentIndex(), 1);
           QCOMPARE(memoSelection("memoItem"), QString("Kasse"));
         }},
        {1, TfrmWorkFile::Structure, [&] {
           QCOMPARE(form()->currentIndex(), 2);
           QCOMPARE(memoSelection("memoResult"), QString("kasse"));
         }},
        {2, TfrmWorkFile::Structure, [&] {
           // The collapsed sub-item is opened, its second finding selected.
           QCOMPARE(structure->focusedItem(), item("Interviews"));
           QVERIFY(structure->tree()->isExpanded(structure->model()->indexOf(item("Planung"))));
           QCOMPARE(form()->currentIndex(), 3);
           QCOMPARE(form()->findingsPage()->view()->currentIndex().row(), 1);
         }},
        {3, TfrmWorkFile::Structure, [&] {
           QCOMPARE(structure->focusedItem(), item("Kassenbericht"));
           QCOMPARE(form()->currentIndex(), 0);
           QCOMPARE(Control<QLineEdit>(window, "editName")->selectedText(), QString("Kasse"));
         }},
        {4, TfrmWorkFile::Documents, [&] {
           DocumentsPage* documents = window->documentsPage();
           const QModelIndex current = documents->view()->currentIndex();
           QCOMPARE(documents->model()->node(current)->record.value("NAME"), std::string("Anlage Kasse"));
         }},
        {5, TfrmWorkFile::Documents, [&] {
           QCOMPARE(env->modals.opened.last(), QString("dlgAuditProperties"));
           QCOMPARE(dialogList, int(TdlgAuditProperties::Risk));
           QCOMPARE(dialogRow, 1);
         }},
        {6, TfrmWorkFile::Description, [&] {
           QCOMPARE(Control<QTextEdit>(window, "reDescription")->textCursor().selectedText(), QString("Kasse"));
           QCOMPARE(Control<QTextEdit>(window, "reDescription")->textCursor().selectionStart(), 8);
         }},
        {7, TfrmWorkFile::Description, [&] {
           // The second occurrence, not the first again.
           QCOMPARE(Control<QTextEdit>(window, "reDescription")->textCursor().selectedText(), QString("kasse"));
           QVERIFY(Control<QTextEdit>(window, "reDescription")->textCursor().selectionStart() > 8);
         }},
    };
    for (const Case& c : cases) {
      const QByteArray label = "row " + QByteArray::number(c.row);
      doubleClickRow(c.row);
      QVERIFY2(window->workspace()->currentIndex() == c.tab, label.constData());
      c.check();
      if (QTest::currentTestFailed()) {
        qWarning("in %s", label.constData());
        return;
      }
    }
    // Enter on a row shows it too.
    list()->setFocus();
    list()->setCurrentIndex(list()->model()->index(3, 0));
    QTest::keyClick(list(), Qt::Key_Return);
    QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Structure));
    QCOMPARE(structure->focusedItem(), item("Kassenbericht"));
  }

  void f3GoesThroughTheHitsInOrder() {
    find("kasse");
    struct Step {
      Qt::KeyboardModifiers modifiers;
      int row;
    };
    // F3 from the start, round at the end; Shift+F3 back, round at the start.
    const Step steps[] = {{Qt::NoModifier, 0}, {Qt::NoModifier, 1}, {Qt::ShiftModifier, 0}, {Qt::ShiftModifier, 7},
                          {Qt::NoModifier, 0}, {Qt::NoModifier, 1}, {Qt::NoModifier, 2}};
    int n = 0;
    for (const Step& s : steps) {
      QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window;
      QTest::keyClick(target, Qt::Key_F3, s.modifiers);
      QVERIFY2(currentRow() == s.row, QByteArray("step " + QByteArray::number(n)).constData());
      ++n;
    }
    // From the last hit F3 goes round and says so.
    list()->setCurrentIndex(list()->model()->index(6, 0));
    panel()->showHit(7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    QCOMPARE(currentRow(), 0);
    QCOMPARE(window->statusBar()->currentMessage(), QString("Suche am Anfang fortgesetzt."));

    // Enter in the box goes on to the next hit and leaves the focus in the box.
    box()->setFocus();
    QTest::keyClick(box(), Qt::Key_Return);
    QCOMPARE(currentRow(), 1);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(box()));
    // The menu names the keys.
    QCOMPARE(Control<QAction>(window, "miEditFindNext")->shortcut(), QKeySequence(Qt::Key_F3));
    QCOMPARE(Control<QAction>(window, "miEditFindPrevious")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    QCOMPARE(Control<QAction>(window, "miEditFind")->text(), QString("Suchen..."));
  }

  void itemsGreyedOutByTheFilterAreFoundAndSaySo() {
    Control<QComboBox>(window, "cmbKindSelect")->setCurrentIndex(2);  // "verbergen"
    Control<QComboBox>(window, "cmbSelect")->setCurrentIndex(3);      // "vollständig bearbeitet"
    find("kasse");
    QCOMPARE(places()[3], QString("2 Kassenbericht (Name) (ausgefiltert)"));
    QCOMPARE(places()[0], kPlaces[0]);
    doubleClickRow(3);
    QCOMPARE(window->structurePage()->focusedItem(), item("Kassenbericht"));
    QCOMPARE(window->statusBar()->currentMessage(),
             QString("Das Element \u201EKassenbericht\u201C ist durch den Filter ausgegraut."));
    // Another filter: the list says so at once.
    Control<QComboBox>(window, "cmbSelect")->setCurrentIndex(1);
    QCOMPARE(places()[3], kPlaces[3]);
    doubleClickRow(0);
    QVERIFY(window->statusBar()->currentMessage().isEmpty());
  }

  void textsTheFileCannotHoldFindNothing() {
    struct Case {
      const char* name;
      QString text;
      QString count;
    };
    const QString cannot = "0 Treffer \u2013 der Text enth\u00E4lt Zeichen, die eine Arbeitsdatei nicht enthalten kann";
    const Case cases[] = {
        {"arrow", "Kasse \u2192", cannot},
        {"emoji", QString::fromUtf8("\xF0\x9F\x98\x80"), cannot},
        {"long text", QString(100000, QLatin1Char('k')), "0 Treffer"},
        {"control characters", QString("\x01\x11\x7F"), "0 Treffer"},
        {"Windows-1252 capitals", "KASSE", "8 Treffer"},
    };
    QTest::keyClick(window->structurePage()->tree(), Qt::Key_F, Qt::ControlModifier);
    for (const Case& c : cases) {
      box()->setText(c.text);
      QTRY_VERIFY2(count() == c.count, qPrintable(QString(c.name) + ": " + count()));
      // F3 with nothing found changes nothing.
      const int tab = window->workspace()->currentIndex();
      if (list()->model()->rowCount() == 0) {
        QTest::keyClick(box(), Qt::Key_F3);
        QCOMPARE(window->workspace()->currentIndex(), tab);
      }
    }
  }

  void reviewNoteIsShownOnTheSignOffTab() {
    RecordNode* kassenbericht = item("Kassenbericht");
    FieldList record = kassenbericht->record;
    record.setValue("REVIEW-NOTE", "Zahlen\r\nnachpruefen");
    window->structurePage()->model()->setItemRecord(kassenbericht, record, "Änderungen übernehmen");
    find("nachpr");
    QCOMPARE(places(), QStringList{"2 Kassenbericht (Prüfungshinweis)"});  // the outline number
    panel()->showHit(0);
    QCOMPARE(window->structurePage()->focusedItem(), kassenbericht);
    QCOMPARE(form()->currentIndex(), 5);
    QCOMPARE(Control<QPlainTextEdit>(window, "memoReviewNote")->textCursor().selectedText(), QString("nachpr"));
  }

  void hitsFollowTheEdits() {
    find("kasse");
    StructureModel* structure = window->structurePage()->model();
    // The sub-item with the finding goes with its parent; the hits in it go too.
    structure->deleteItem(item("Planung"));
    QStringList after = kPlaces.mid(3);
    after[0] = "1 Kassenbericht (Name)";  // numbered anew
    QCOMPARE(places(), after);
    QCOMPARE(count(), QString("5 Treffer"));
    window->acUndo();
    QCOMPARE(places(), kPlaces);
    // Edits pending in the panel are taken over before a hit is shown.
    window->structurePage()->focusItem(item("Kassenbericht"));
    Control<QLineEdit>(window, "editName")->setText("Kassenbericht neu");
    panel()->showHit(0);
    QCOMPARE(item("Kassenbericht neu") != nullptr, true);
    QCOMPARE(places()[3], QString("2 Kassenbericht neu (Name)"));
    // While the bar is closed nothing is searched; opening it finds again.
    box()->setFocus();
    QTest::keyClick(box(), Qt::Key_Escape);
    QVERIFY(!panel()->isVisible());
    structure->deleteItem(item("Kassenbericht neu"));
    QCOMPARE(list()->model()->rowCount(), 0);
    QTest::keyClick(window->structurePage()->tree(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(count(), QString("7 Treffer"));
  }
};

QTEST_MAIN(FindTest)
#include "find_test.moc"
