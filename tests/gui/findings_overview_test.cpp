// The tab "Feststellungen": the list lvRepFindings as a snapshot of the item records, and
// the double-click that leads to an item on the structure tab, in a real work-file window.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <memory>

#include "app/srcMain.h"
#include "model/DelimitedText.h"
#include "support/Doubles.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/FindingsOverviewPage.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

std::string Findings(const std::vector<FieldList>& findings) { return ListToText(findings); }

// Top level: "Planung" (two findings) with the collapsed sub-item "Interviews" (one
// finding), and "Bericht" (one finding). IDs after loading: 1, 2, 3.
void FillSample(WorkFileData& d) {
  d.structure.clear();
  RecordNode* planning = d.structure.append(
      nullptr, FieldList({"ID=1", "NAME=Planung",
                          "FINDINGS=" + Findings({FieldList({"NAME=Auftrag fehlt", "TYPE=", "DEADLINE=01.01.1900"}),
                                                  FieldList({"NAME=Ma\xDF" "nahme A", "TYPE=2", "RISK=3 - hoch",
                                                             "OU=\"EK - Einkauf\",\"KB - Kreditoren\"", "EVIDENCE=1,2",
                                                             "DEADLINE=30.09.2026", "DESCRIPTION=Zeile 1\r\nZeile 2"})})}));
  d.structure.append(planning, FieldList({"ID=2", "NAME=Interviews",
                                          "FINDINGS=" + Findings({FieldList({"NAME=Protokoll", "TYPE=-1"})})}));
  d.structure.append(nullptr, FieldList({"ID=3", "NAME=Bericht",
                                         "FINDINGS=" + Findings({FieldList({"NAME=Entwurf", "TYPE=1"})})}));
}

}  // namespace

class FindingsOverviewTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<TfrmMain> frame;
  TfrmWorkFile* window = nullptr;

  FindingsOverviewPage* page() const { return window->findingsPage(); }
  QTableView* list() const { return Control<QTableView>(window, "lvRepFindings"); }
  QAbstractItemModel* model() const { return list()->model(); }
  QString cell(int row, int column) const { return model()->index(row, column).data().toString(); }
  QStringList column(int c) const {
    QStringList texts;
    for (int r = 0; r < model()->rowCount(); ++r) texts << cell(r, c);
    return texts;
  }
  void showTab(int index) { window->workspace()->setCurrentIndex(index); }
  RecordNode* item(const std::string& name) const {
    RecordNode* found = nullptr;
    window->data().structure.forEach([&](RecordNode& n) {
      if (!found && n.record.value("NAME") == name) found = &n;
    });
    return found;
  }
  void doubleClickRow(int row) {
    const QRect rect = list()->visualRect(model()->index(row, 1));
    QVERIFY(rect.isValid());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
  }
  // A change typed into the detail panel and not accepted.
  void typePendingName(const QString& text) {
    auto* name = Control<QLineEdit>(window, "editName");
    name->setText(text);
    QVERIFY(!window->structurePage()->tree()->isEnabled());
  }

 private slots:
  void init() {
    env = std::make_unique<TestEnvironment>();
    frame = std::make_unique<TfrmMain>(env->services);
    frame->setStampSource(SteppingStamps());
    frame->show();
    const QString path = env->workPath("feststellungen.owp");
    WriteSampleWorkFile(path, "Planung", FillSample);
    window = frame->CreateWorkFileWindow();
    QCOMPARE(window->LoadWorkFile(path), TfrmWorkFile::LoadOutcome::Loaded);
    window->parentWidget()->resize(1000, 600);
  }
  void cleanup() {
    window = nullptr;
    frame.reset();
    env.reset();
  }

  void listLayoutAndEmptyStart() {
    QTableView* view = list();
    QAbstractItemModelTester tester(view->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(view->model()->rowCount(), 0);  // nothing until the tab is entered
    const QStringList captions{"#",      "Objekt ID", "Elementbezeichnung", "Typ",         "Risiko", "OE",
                               "Nachweis", "Termin",  "Beschreibung",       "Status",      "Verantwortlich"};
    const QList<int> widths{30, 70, 120, 110, 110, 80, 50, 70, 180, 90, 110};
    for (int c = 0; c < captions.size(); ++c) {
      QCOMPARE(view->model()->headerData(c, Qt::Horizontal).toString(), captions[c]);
      QVERIFY(view->horizontalHeader()->sectionSize(c) >= widths[c]);  // wider where the caption needs it
    }
    QVERIFY(view->showGrid());
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(!view->isSortingEnabled());
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
  }

  void rowsAreTheSnapshotOfTheLastVisit() {
    showTab(TfrmWorkFile::Findings);
    QAbstractItemModelTester tester(model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    // The collapsed sub-item is listed, each item's findings follow it in tree order.
    QCOMPARE(column(0), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(column(1), (QStringList{"1", "1", "2", "3"}));
    QCOMPARE(column(2), (QStringList{"Auftrag fehlt", "Maßnahme A", "Protokoll", "Entwurf"}));
    QCOMPARE(column(3), (QStringList{"nicht definiert", "Maßnahme", "", "Empfehlung"}));
    QCOMPARE(cell(1, 4), QString("3 - hoch"));
    QCOMPARE(cell(1, 5), QString("\"EK - Einkauf\",\"KB - Kreditoren\""));
    QCOMPARE(cell(1, 6), QString("1,2"));
    QCOMPARE(column(7), (QStringList{"", "30.09.2026", "", ""}));
    // One line in the list, the whole text in the tooltip.
    QCOMPARE(cell(1, 8), QString("Zeile 1 Zeile 2"));
    QCOMPARE(model()->index(1, 8).data(Qt::ToolTipRole).toString(), QString("Zeile 1\r\nZeile 2"));

    // A finding added while the tab is shown appears on the next visit, not before.
    RecordNode* report = item("Bericht");
    report->record.setValue("FINDINGS", Findings({FieldList({"NAME=Entwurf"}), FieldList({"NAME=Verteiler"})}));
    QCOMPARE(model()->rowCount(), 4);
    showTab(TfrmWorkFile::Documents);
    QCOMPARE(model()->rowCount(), 4);  // other tabs leave it alone
    showTab(TfrmWorkFile::Findings);
    QCOMPARE(column(2), (QStringList{"Auftrag fehlt", "Maßnahme A", "Protokoll", "Entwurf", "Verteiler"}));
    QCOMPARE(page()->rows().size(), std::size_t(5));
  }

  void doubleClickLeadsToTheItem() {
    StructurePage* structure = window->structurePage();
    RecordNode* interviews = item("Interviews");
    QVERIFY(!structure->tree()->isExpanded(structure->model()->indexOf(interviews->parent())));
    showTab(TfrmWorkFile::Findings);
    doubleClickRow(2);  // "Protokoll" of item 2

    QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Structure));
    QCOMPARE(structure->focusedItem(), interviews);
    QCOMPARE(structure->selectedItem(), interviews);
    QVERIFY(structure->tree()->isExpanded(structure->model()->indexOf(interviews->parent())));
    QCOMPARE(frame->focusWidget(), static_cast<QWidget*>(structure->tree()));
    QCOMPARE(Control<QLineEdit>(window, "editName")->text(), QString("Interviews"));

    // The keyboard does the same.
    showTab(TfrmWorkFile::Findings);
    list()->setFocus();
    list()->selectRow(3);
    QTest::keyClick(list(), Qt::Key_Return);
    QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Structure));
    QCOMPARE(structure->focusedItem(), item("Bericht"));
  }

  void itemGoneSinceTheSnapshotDoesNothing() {
    showTab(TfrmWorkFile::Findings);
    RecordNode* before = window->structurePage()->focusedItem();
    item("Bericht")->record.setValue("ID", "99");  // the row still names 3
    doubleClickRow(3);
    QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Findings));
    QCOMPARE(window->structurePage()->focusedItem(), before);
    QVERIFY(env->messages.shown.isEmpty());

    // Without a selected row there is nothing to follow.
    list()->clearSelection();
    page()->lvRepFindingsDblClick();
    QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Findings));
  }

  void pendingPanelEditsSurviveTheJump() {
    StructurePage* structure = window->structurePage();
    RecordNode* planning = item("Planung");
    structure->focusItem(planning);
    typePendingName("Planung neu");
    showTab(TfrmWorkFile::Findings);

    // The item that has the focus: the tab changes, the panel is not reloaded.
    doubleClickRow(0);
    QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Structure));
    QCOMPARE(structure->focusedItem(), planning);
    QCOMPARE(Control<QLineEdit>(window, "editName")->text(), QString("Planung neu"));
    QVERIFY(env->messages.shown.isEmpty());

    // Another item: loading it would discard the edits, so the panel keeps them and says so.
    showTab(TfrmWorkFile::Findings);
    doubleClickRow(3);
    QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Structure));
    QCOMPARE(structure->focusedItem(), planning);
    QCOMPARE(Control<QLineEdit>(window, "editName")->text(), QString("Planung neu"));
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Information);
    QCOMPARE(item("Planung")->record.value("NAME"), std::string("Planung"));
  }

  void filtersByStatusAndOverdue() {
    // "Maßnahme A" is due on 30.09.2026, the others have no deadline. Give it a follow-up
    // through the edit layer, as the panel would.
    RecordNode* planning = item("Planung");
    std::vector<FieldList> findings = TextToList(planning->record.value("FINDINGS"));
    findings[1].setValue("RESPONSIBLE", "Einkauf");
    FieldList record = planning->record;
    record.setValue("FINDINGS", ListToText(findings));
    window->structurePage()->model()->setItemRecord(planning, record, "Änderungen übernehmen");
    showTab(TfrmWorkFile::Findings);
    QCOMPARE(column(9), (QStringList{"offen", "offen", "offen", "offen"}));
    QCOMPARE(column(10), (QStringList{"", "Einkauf", "", ""}));

    auto* status = Control<QComboBox>(window, "cmbStatusFilter");
    auto* overdue = Control<QCheckBox>(window, "cbOverdue");
    QCOMPARE(status->itemText(0), QString("alle"));
    const auto shown = [&] {
      QStringList names;
      for (int r = 0; r < model()->rowCount(); ++r)
        if (!list()->isRowHidden(r)) names << cell(r, 2);
      return names;
    };
    struct Step {
      const char* statusOfMassnahme;  // STATUS of "Maßnahme A"
      int statusFilter;                // index in the box: 0 "alle", 1 "offen" ...
      bool overdueOnly;
      QStringList expected;
    };
    const Step steps[] = {
        {"", 0, false, {"Auftrag fehlt", "Maßnahme A", "Protokoll", "Entwurf"}},
        {"", 1, false, {"Auftrag fehlt", "Maßnahme A", "Protokoll", "Entwurf"}},
        {"", 2, false, {}},
        {"", 0, true, {"Maßnahme A"}},
        {"1", 0, true, {"Maßnahme A"}},
        {"1", 2, false, {"Maßnahme A"}},
        {"1", 1, false, {"Auftrag fehlt", "Protokoll", "Entwurf"}},
        {"2", 0, true, {}},  // done: no longer overdue
        {"2", 3, false, {"Maßnahme A"}},
        {"3", 4, true, {}},
    };
    for (const Step& step : steps) {
      findings[1].setValue("STATUS", step.statusOfMassnahme);
      record = planning->record;
      record.setValue("FINDINGS", ListToText(findings));
      window->structurePage()->model()->setItemRecord(planning, record, "Änderungen übernehmen");
      page()->FillFindingsOverview();
      status->setCurrentIndex(step.statusFilter);
      overdue->setChecked(step.overdueOnly);
      QCOMPARE(shown(), step.expected);
    }
    // A new snapshot keeps the filter.
    page()->FillFindingsOverview();
    QCOMPARE(shown(), QStringList());
  }

  void exportWritesTheShownRows() {
    auto* button = Control<QPushButton>(window, "sbExportFindings");
    QVERIFY(!button->isEnabled());  // nothing to export before the tab is filled
    showTab(TfrmWorkFile::Findings);
    QVERIFY(button->isEnabled());
    list()->setRowHidden(2, true);  // a row filtered out of the list is not exported

    const QString path = env->workPath("export.csv");
    env->fileDialogs.answer(path);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(env->fileDialogs.calls.size(), 1);
    const FileDialogRequest& asked = env->fileDialogs.calls[0].request;
    QCOMPARE(asked.selectedFile, QString("feststellungen - Feststellungen.csv"));
    QCOMPARE(asked.directory, env->workDir());
    QCOMPARE(asked.defaultSuffix, QString("csv"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected =
        "\xEF\xBB\xBF#;Objekt ID;Elementbezeichnung;Typ;Risiko;OE;Nachweis;Termin;Beschreibung;Status;Verantwortlich\r\n"
        "1;1;Auftrag fehlt;nicht definiert;;;;;;offen;\r\n"
        "2;1;Ma\xC3\x9Fnahme A;Ma\xC3\x9Fnahme;3 - hoch;\"\"\"EK - Einkauf\"\",\"\"KB - Kreditoren\"\"\";1,2;30.09.2026;"
        "\"Zeile 1\r\nZeile 2\";offen;\r\n"
        "4;3;Entwurf;Empfehlung;;;;;;offen;\r\n";
    QCOMPARE(file.readAll(), expected);
    QVERIFY(env->messages.shown.isEmpty());

    // From the list's context menu; cancelling the dialog writes nothing.
    QVERIFY(TriggerAction(window, "miExportFindings"));
    QCOMPARE(env->fileDialogs.calls.size(), 2);
    QCOMPARE(QDir(env->workDir()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"export.csv", "feststellungen.owp"}));

    // A folder that cannot be written: the error is shown, nothing else happens.
    env->fileDialogs.answer(env->workPath("fehlt/export.csv"));
    QVERIFY(TriggerAction(window, "miExportFindings"));
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Error);
    QVERIFY(env->messages.shown[0].text.startsWith("Die Datei kann nicht gespeichert werden!"));
  }
};

QTEST_MAIN(FindingsOverviewTest)
#include "findings_overview_test.moc"
