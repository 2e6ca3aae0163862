// The project properties dialog and its entry dialog, driven by their controls.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "model/DelimitedText.h"
#include "platform/ErrorReport.h"
#include "properties/srcAuditProperties.h"
#include "properties/srcEditBaseVals.h"
#include "support/Doubles.h"
#include "support/DrawnChecks.h"
#include "support/TestServices.h"

using namespace orvela;
using orvela::test::ContextDouble;
using orvela::test::TestEnvironment;

namespace {

std::string Entry(const char* item, const char* value) {
  return FieldList({std::string("ITEM=") + item, std::string("VALUE=") + value}).commaText();
}

std::string List(std::initializer_list<std::string> entries) {
  std::string text;
  for (const std::string& e : entries) text += (text.empty() ? "" : std::string(1, kListSeparator)) + e;
  return text;
}

struct Lists {
  std::string general, risk, ou, staff;
};

Lists ListsOf(const WorkFileData& d) { return {d.generalDefs, d.riskDefs, d.ouDefs, d.staffDefs}; }

bool operator==(const Lists& a, const Lists& b) {
  return a.general == b.general && a.risk == b.risk && a.ou == b.ou && a.staff == b.staff;
}

// Whether an in-place editor is open in the grid.
bool Editing(const QTableView* grid) {
  const auto* editor = grid->viewport()->findChild<QLineEdit*>();
  return editor && editor->isVisible();
}

QString ItemsOf(const std::vector<FieldList>& rows) {
  QString s;
  for (const FieldList& r : rows) s += QString::fromStdString(r.value("ITEM")) + ";";
  return s;
}

}  // namespace

class AuditPropertiesTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<ContextDouble> window;
  std::unique_ptr<TdlgAuditProperties> dialog;

  template <class T>
  T* child(const char* name) {
    return test::Control<T>(dialog.get(), name);
  }

  void open() {
    dialog = std::make_unique<TdlgAuditProperties>(*window);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
  }

  void selectRow(QTableView* grid, int row, int column = 1) {
    grid->setFocus();
    grid->selectionModel()->setCurrentIndex(grid->model()->index(row, column),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }

 private slots:
  void init() {
    env = std::make_unique<TestEnvironment>();
    window = std::make_unique<ContextDouble>(env->services);
    window->data_.generalDefs = List({Entry("Mandant", "Muster AG"), Entry("Jahr", "2026")});
    window->data_.riskDefs = List({Entry("1", "gering"), Entry("2", "mittel"), Entry("3", "hoch")});
    window->data_.ouDefs = List({Entry("EK", "Einkauf")});
    window->data_.staffDefs = List({Entry("mm", "Max Muster"), Entry("eb", "Erika Beispiel")});
  }
  void cleanup() {
    dialog.reset();
    window.reset();
    env.reset();
  }

  void layoutCaptionsAndColumns() {
    open();
    QCOMPARE(dialog->windowTitle(), QString("Projekteigenschaften"));
    QVERIFY(dialog->width() >= 427 && dialog->height() >= 211);  // larger where the font needs it
    auto* pc1 = child<QTabWidget>("pc1");
    const QStringList captions{"Allgemein", "Risikodefinition", "Organisationseinheiten", "Mitarbeiter"};
    QCOMPARE(pc1->count(), 4);
    for (int i = 0; i < 4; ++i) QCOMPARE(pc1->tabText(i), captions[i]);
    QVERIFY(pc1->isTabVisible(0) && pc1->isTabVisible(1) && pc1->isTabVisible(2));
    QVERIFY(!pc1->isTabVisible(3));  // the staff list cannot be reached
    QCOMPARE(pc1->currentIndex(), 0);

    struct Grid {
      const char* name;
      const char* item;
      int itemWidth;
      const char* value;
    };
    const Grid grids[] = {{"vtGeneral", "Eigenschaft", 120, "Einstellung"},
                          {"vtRisk", "Wert", 80, "Beschreibung"},
                          {"vtOU", "Kurzbezeichnung", 100, "Bezeichnung"},
                          {"vtStaff", "ID / Kurzname", 120, "Name"}};
    for (const Grid& g : grids) {
      auto* grid = child<QTableView>(g.name);
      auto* model = grid->model();
      QCOMPARE(model->columnCount(), 3);
      QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("#"));
      QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString::fromUtf8(g.item));
      QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QString::fromUtf8(g.value));
      // At least the design widths; wider where a caption or an entry needs it.
      QVERIFY(grid->columnWidth(0) >= 38);
      QVERIFY(grid->columnWidth(1) >= g.itemWidth);
      QVERIFY(grid->columnWidth(2) >= 160);
      QCOMPARE(grid->horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
      QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
      QCOMPARE(grid->selectionMode(), QAbstractItemView::SingleSelection);
      QVERIFY(grid->showGrid());
    }
    auto* risk = child<QTableView>("vtRisk");
    QCOMPARE(risk->model()->index(2, 0).data().toString(), QString("3"));
    QCOMPARE(risk->model()->index(2, 1).data().toString(), QString("3"));
    QCOMPARE(risk->model()->index(2, 2).data().toString(), QString("hoch"));
  }

  void buttonHints() {
    open();
    struct Hint {
      const char* button;
      const char* hint;
    };
    const Hint hints[] = {
        {"sbNewDoc", "neuen Eintrag hinzufügen"},
        {"sbDelDoc", "markierten Eintrag löschen"},
        {"sbUpGen", "markierten Eintrag nach oben schieben"},
        {"sbDownGen", "markierten Eintrag nach unten schieben"},
        {"sbEditValGen", "markierten Eintrag bearbeiten"},
        {"sbNewRisk", "neuen Eintrag hinzufügen"},
        {"sbUpRisk", "markierten Eintrag nach oben schiebe"},
        {"sbEditValRisk", ""},
        {"sbNewOU", "neues Element hinzufügen"},
        {"sbDelOU", "markierten Eintrag löschen"},
        {"sbEditValOU", ""},
        {"sbNewStaff", "neuen Eintrag hinzufügen"},
        {"sbDownStaff", "markierten Eintrag nach unten schieben"},
    };
    for (const Hint& h : hints) QCOMPARE(child<QToolButton>(h.button)->toolTip(), QString::fromUtf8(h.hint));
    QVERIFY(!dialog->findChild<QToolButton*>("sbEditValStaff"));
  }

  void okWithoutChangesWritesAllFourAndMarksModified() {
    const Lists before = ListsOf(window->data_);
    open();
    child<QPushButton>("OKBtn")->click();
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(window->marks, 1);
    QVERIFY(window->data_.modified);
    QVERIFY(ListsOf(window->data_) == before);
  }

  void staffListCannotBeReached() {
    open();
    // Neither by Ctrl+Tab, the keys on the tab bar nor the wheel.
    const QStringList reached = test::CheckHiddenTabsUnreachable(dialog.get());
    QVERIFY2(reached.isEmpty(), qPrintable(reached.join('\n')));
    // Clicking a tab leaves every shown tab in reach.
    QTabBar* bar = child<QTabWidget>("pc1")->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCOMPARE(bar->currentIndex(), 1);
    for (int i = 0; i < 3; ++i) QVERIFY2(bar->rect().contains(bar->tabRect(i)), qPrintable(bar->tabText(i)));
  }

  void staffEntriesPassThroughEveryConfirmation() {
    // Quoted more than needed, as another writer may have stored it: the records stay.
    window->data_.staffDefs = List({"\"ITEM=mm\",\"VALUE=Max Muster\"", Entry("eb", "Erika")});
    const auto records = TextToList(window->data_.staffDefs);
    for (int round = 0; round < 3; ++round) {
      open();
      child<QToolButton>("sbNewDoc")->click();  // changes elsewhere in the dialog
      child<QPushButton>("OKBtn")->click();
      QVERIFY(TextToList(window->data_.staffDefs) == records);
    }
    QCOMPARE(window->marks, 3);
  }

  void cancelAndEscapeChangeNothing() {
    const Lists before = ListsOf(window->data_);
    for (const bool escape : {false, true}) {
      open();
      auto* general = child<QTableView>("vtGeneral");
      child<QToolButton>("sbNewDoc")->click();
      general->model()->setData(general->model()->index(0, 1), "geändert");
      selectRow(general, 1);
      child<QToolButton>("sbDelDoc")->click();
      selectRow(child<QTableView>("vtRisk"), 2);
      child<QToolButton>("sbDownRisk")->click();
      QCOMPARE(ItemsOf(dialog->entries(TdlgAuditProperties::Risk)), QString("3;1;2;"));
      if (escape)
        QTest::keyClick(general, Qt::Key_Escape);
      else
        child<QPushButton>("CancelBtn")->click();
      QVERIFY(!dialog->isVisible());
      QCOMPARE(dialog->result(), int(QDialog::Rejected));
      QVERIFY(ListsOf(window->data_) == before);
      QCOMPARE(window->marks, 0);
      QVERIFY(!window->data_.modified);
    }
  }

  void enterDoesNotConfirm() {
    open();
    auto* ok = child<QPushButton>("OKBtn");
    QVERIFY(!ok->isDefault());
    auto* general = child<QTableView>("vtGeneral");
    selectRow(general, 0);
    QTest::keyClick(general, Qt::Key_Return);
    QTest::keyClick(dialog.get(), Qt::Key_Enter);
    QVERIFY(dialog->isVisible());
    QVERIFY(!ok->isDefault());
    QCOMPARE(window->marks, 0);
    // A focused button is still pressed with Enter.
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Return);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(window->marks, 1);
  }

  void newEntryGoesAfterTheFocusedOne() {
    open();
    auto* risk = child<QTableView>("vtRisk");
    selectRow(risk, 0);
    child<QToolButton>("sbNewRisk")->click();
    const auto& rows = dialog->entries(TdlgAuditProperties::Risk);
    QCOMPARE(ItemsOf(rows), QString("1;;2;3;"));
    QCOMPARE(rows[1].lines(), (std::vector<std::string>{"ITEM=", "VALUE="}));
    QCOMPARE(risk->currentIndex().row(), 1);
    QCOMPARE(risk->selectionModel()->selectedRows().value(0).row(), 1);
    QVERIFY(!Editing(risk));  // no editor opens by itself

    // Without a focused entry the new one goes to the end.
    auto* ou = child<QTableView>("vtOU");
    QVERIFY(!ou->currentIndex().isValid());
    child<QToolButton>("sbNewOU")->click();
    QCOMPARE(ItemsOf(dialog->entries(TdlgAuditProperties::OrgUnits)), QString("EK;;"));
    QCOMPARE(ou->currentIndex().row(), 1);

    child<QPushButton>("OKBtn")->click();
    QCOMPARE(window->data_.riskDefs, List({Entry("1", "gering"), "ITEM=,VALUE=", Entry("2", "mittel"),
                                           Entry("3", "hoch")}));
  }

  void upAndDownWithTheWrapOfTheLastEntry() {
    struct Case {
      const char* name;
      int row;
      const char* button;
      const char* order;
      int focusAfter;
    };
    const Case cases[] = {
        {"up on the first changes nothing", 0, "sbUpRisk", "1;2;3;", 0},
        {"down on the last moves it to the top", 2, "sbDownRisk", "3;1;2;", 0},
        {"up in the middle", 1, "sbUpRisk", "2;1;3;", 0},
        {"down in the middle", 1, "sbDownRisk", "1;3;2;", 2},
    };
    for (const Case& c : cases) {
      open();
      auto* risk = child<QTableView>("vtRisk");
      selectRow(risk, c.row);
      child<QToolButton>(c.button)->click();
      QVERIFY2(ItemsOf(dialog->entries(TdlgAuditProperties::Risk)) == c.order, c.name);
      QVERIFY2(risk->currentIndex().row() == c.focusAfter, c.name);
      QVERIFY2(risk->selectionModel()->isRowSelected(c.focusAfter, {}), c.name);
      for (int r = 0; r < 3; ++r) QCOMPARE(risk->model()->index(r, 0).data().toString(), QString::number(r + 1));
    }
  }

  void buttonsFollowTheSelection() {
    open();
    auto* general = child<QTableView>("vtGeneral");
    const char* needSelection[] = {"sbDelDoc", "sbUpGen", "sbDownGen", "sbEditValGen"};
    for (const char* b : needSelection) QVERIFY2(!child<QToolButton>(b)->isEnabled(), b);
    QVERIFY(child<QToolButton>("sbNewDoc")->isEnabled());

    selectRow(general, 1);
    for (const char* b : needSelection) QVERIFY2(child<QToolButton>(b)->isEnabled(), b);

    child<QToolButton>("sbDelDoc")->click();  // without a question
    QVERIFY(env->messages.shown.isEmpty());
    QCOMPARE(ItemsOf(dialog->entries(TdlgAuditProperties::General)), QString("Mandant;"));
    // The grid selects the neighbour of a deleted entry; the buttons say so.
    QCOMPARE(general->selectionModel()->selectedRows().size(), 1);
    for (const char* b : needSelection) QVERIFY2(child<QToolButton>(b)->isEnabled(), b);
    child<QToolButton>("sbDelDoc")->click();
    QVERIFY(dialog->entries(TdlgAuditProperties::General).empty());
    for (const char* b : needSelection) QVERIFY2(!child<QToolButton>(b)->isEnabled(), b);
    QVERIFY(child<QToolButton>("sbNewDoc")->isEnabled());
  }

  void entryDialogWritesItemThenValue() {
    open();
    auto* general = child<QTableView>("vtGeneral");
    selectRow(general, 1);
    child<QToolButton>("sbEditValGen")->click();
    auto* entry = dialog->findChild<TdlgEditBaseVals*>();
    QVERIFY(entry);
    QCOMPARE(entry->windowTitle(), QString("Werte bearbeiten"));
    QCOMPARE(entry->editItem()->text(), QString("Jahr"));
    QCOMPARE(entry->editValue()->text(), QString("2026"));

    // An empty ITEM removes the field; the entry keeps its place.
    entry->editItem()->clear();
    entry->editValue()->setText("Geschäftsjahr 2026");
    entry->findChild<QPushButton*>("OKBtn")->click();
    const auto& rows = dialog->entries(TdlgAuditProperties::General);
    QCOMPARE(rows.size(), std::size_t(2));
    QCOMPARE(rows[1].lines(), (std::vector<std::string>{"VALUE=Gesch\xE4" "ftsjahr 2026"}));
    QCOMPARE(general->model()->index(1, 1).data().toString(), QString());
    QCOMPARE(general->model()->index(1, 2).data().toString(), QString("Geschäftsjahr 2026"));
  }

  void entryDialogCancelAndNoSelection() {
    open();
    auto* risk = child<QTableView>("vtRisk");
    QVERIFY(!dialog->EditDefinitionEntry(risk));  // nothing selected: nothing opens
    // A double-click opens the entry dialog as well.
    risk->setFocus();
    const QRect cell = risk->visualRect(risk->model()->index(1, 2));
    QTest::mouseClick(risk->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(risk->viewport(), Qt::LeftButton, {}, cell.center());
    auto* entry = dialog->findChild<TdlgEditBaseVals*>();
    QVERIFY(entry);
    QTRY_VERIFY(entry->isVisible());
    QTest::keyClick(entry->editValue(), Qt::Key_F1);
    QCOMPARE(env->help.contexts, QList<int>{200});
    entry->editValue()->setText("anders");
    entry->findChild<QPushButton*>("CancelBtn")->click();
    QCOMPARE(ItemsOf(dialog->entries(TdlgAuditProperties::Risk)), QString("1;2;3;"));
    QCOMPARE(dialog->entries(TdlgAuditProperties::Risk)[1].value("VALUE"), std::string("mittel"));
    QVERIFY(!dialog->EditDefinitionEntry(child<QTableView>("vtStaff")));  // staff has no entry dialog
  }

  void entryDialogRefusesCharactersTheFileCannotHold() {
    open();
    selectRow(child<QTableView>("vtOU"), 0);
    TdlgEditBaseVals* entry = dialog->EditDefinitionEntry(child<QTableView>("vtOU"));
    QVERIFY(entry);
    entry->editValue()->setText("Einkauf → Lager");
    entry->findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, platform::MessageKind::Warning);
    QVERIFY(env->messages.shown[0].text.contains("„→“"));
    QVERIFY(entry->isVisible());  // the typed text is still there to correct
    QCOMPARE(dialog->entries(TdlgAuditProperties::OrgUnits)[0].value("VALUE"), std::string("Einkauf"));
    entry->editValue()->setText("Einkauf - Lager");
    entry->findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(dialog->entries(TdlgAuditProperties::OrgUnits)[0].value("VALUE"), std::string("Einkauf - Lager"));
  }

  void inPlaceEditOfColumnsOneAndTwo() {
    open();
    auto* general = child<QTableView>("vtGeneral");
    struct Case {
      int column;
      const char* typed;
      const char* key;
    };
    for (const Case& c : {Case{1, "Auftraggeber", "ITEM"}, Case{2, "Beispiel GmbH", "VALUE"}}) {
      selectRow(general, 0, c.column);
      QTest::keyClick(general, Qt::Key_F2);
      auto* editor = general->viewport()->findChild<QLineEdit*>();
      QVERIFY(editor);
      QTRY_VERIFY(editor->hasFocus());
      editor->selectAll();
      QTest::keyClicks(editor, c.typed);
      QTest::keyClick(editor, Qt::Key_Return);
      QTRY_COMPARE(dialog->entries(TdlgAuditProperties::General)[0].value(c.key), std::string(c.typed));
      QVERIFY(dialog->isVisible());  // Enter in the editor confirms the cell, not the dialog
      QTRY_VERIFY(!Editing(general));
    }
    // Column "#" cannot be edited.
    selectRow(general, 0, 0);
    QTest::keyClick(general, Qt::Key_F2);
    QVERIFY(!Editing(general));

    // OK while an editor is open takes its text along.
    selectRow(general, 1, 2);
    QTest::keyClick(general, Qt::Key_F2);
    auto* editor = general->viewport()->findChild<QLineEdit*>();
    QTRY_VERIFY(editor && editor->hasFocus());
    // A character the file cannot hold keeps the dialog and the editor open.
    editor->setText("2027 ✓");
    QTest::mouseClick(child<QPushButton>("OKBtn"), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QVERIFY(Editing(general));
    QCOMPARE(window->marks, 0);
    editor->setText("2027");
    QTest::mouseClick(child<QPushButton>("OKBtn"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(window->data_.generalDefs,
             List({Entry("Auftraggeber", "Beispiel GmbH"), Entry("Jahr", "2027")}));
  }

  void f1OpensHelp200() {
    open();
    child<QTableView>("vtGeneral")->setFocus();
    QTest::keyClick(child<QTableView>("vtGeneral"), Qt::Key_F1);
    QCOMPARE(env->help.contexts, QList<int>{200});
    QVERIFY(dialog->isVisible());
  }
};

int main(int argc, char** argv) {
  platform::OrvelaApplication app(argc, argv);
  AuditPropertiesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "audit_properties_test.moc"
