// The tab "Übersicht" in a real work-file window: where it stands, the figures following
// every change of the data, the overdue findings leading to their items, the drawing and
// the printout.
#include <QAbstractItemModelTester>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <functional>
#include <memory>

#include "model/DelimitedText.h"
#include "model/Edits.h"
#include "model/srcGlobalDef.h"
#include "support/Doubles.h"
#include "support/FrameFixture.h"
#include "workfile/AuditOverviewChart.h"
#include "workfile/AuditOverviewPage.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

constexpr LocalDateTime kNow{2026, 3, 15, 9, 30, 0};

std::string Findings(const std::vector<FieldList>& findings) { return ListToText(findings); }

// "Einkauf" (completed) with "Bestellung" (uncompleted, a finding overdue since 01.03.2026
// and one due on 01.04.2026), and "Lager" (not defined, a finding overdue since 10.02.2026).
void FillSample(WorkFileData& d) {
  d.structure.clear();
  RecordNode* purchase = d.structure.append(nullptr, FieldList({"ID=1", "NAME=Einkauf", "WORKSTATE=completed"}));
  d.structure.append(purchase, FieldList({"ID=2", "NAME=Bestellung", "WORKSTATE=uncompleted",
                                          "FINDINGS=" + Findings({FieldList({"NAME=Vier Augen", "TYPE=2", "RISK=hoch",
                                                                             "DEADLINE=01.03.2026"}),
                                                                  FieldList({"NAME=Limit", "TYPE=1",
                                                                             "DEADLINE=01.04.2026"})})}));
  d.structure.append(nullptr, FieldList({"ID=3", "NAME=Lager", "WORKSTATE=<nicht definiert>",
                                         "FINDINGS=" + Findings({FieldList({"NAME=Inventur", "TYPE=0",
                                                                            "DEADLINE=10.02.2026"})})}));
}

// How many pixels of the drawing have `color` (the colours of bars and swatches are their own).
int Pixels(QWidget* chart, QColor color) {
  const QImage image = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == color.rgb();
  return n;
}
const QColor kDoneColour(0x3B, 0x8E, 0x3E);
const QColor kOverdueColour(0xC6, 0x28, 0x28);

}  // namespace

class AuditOverviewTest;
using Change = std::function<void(AuditOverviewTest*)>;
using StateCounts = std::array<std::size_t, kWorkStateCount>;  // not defined, uncompleted, completed

class AuditOverviewTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;
  TfrmWorkFile* window = nullptr;

  AuditOverviewPage* page() const { return window->overviewPage(); }
  QTableView* overdue() const { return Control<QTableView>(window, "lvOverdueFindings"); }
  QStringList overdueColumn(int column) const {
    QStringList texts;
    for (int r = 0; r < overdue()->model()->rowCount(); ++r) texts << overdue()->model()->index(r, column).data().toString();
    return texts;
  }
  RecordNode* item(const std::string& name) const {
    RecordNode* found = nullptr;
    window->data().structure.forEach([&](RecordNode& n) {
      if (!found && n.record.value(key::NAME) == name) found = &n;
    });
    return found;
  }
  void showTab(int index) { window->workspace()->setCurrentIndex(index); }
  StateCounts area(std::size_t i) const { return page()->overview().areas.at(i).byWorkState; }
  // A changed copy of an item's record, run as the detail panel does.
  void changeItem(const std::string& name, const std::function<void(FieldList&)>& change) {
    RecordNode* node = item(name);
    QVERIFY(node);
    FieldList record = node->record;
    change(record);
    QVERIFY(window->editor().execute(edits::SetItemRecord(*node, record, edits::kAcceptPanelName)));
  }

 private slots:
  void init() {
    fixture.start();
    fixture.frame->setStampSource(SteppingStamps("PC1/pruefer", kNow));
    const QString path = fixture.env->workPath("uebersicht.owp");
    WriteSampleWorkFile(path, "Einkauf", FillSample);
    window = fixture.frame->CreateWorkFileWindow();
    QCOMPARE(window->LoadWorkFile(path), TfrmWorkFile::LoadOutcome::Loaded);
    window->parentWidget()->resize(1000, 650);
  }
  void cleanup() {
    window = nullptr;
    fixture.stop();
  }

  void figuresOfTheLoadedFile() {
    // The tab's order and caption are checked with the others in workfile_window_test.
    QVERIFY(window->workspace()->widget(TfrmWorkFile::Overview)->isAncestorOf(page()));
    showTab(TfrmWorkFile::Overview);
    QAbstractItemModelTester tester(overdue()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(page()->overview().areas.size(), std::size_t(2));
    QCOMPARE(area(0), (StateCounts{0, 1, 1}));
    QCOMPARE(area(1), (StateCounts{1, 0, 0}));
    QCOMPARE(Control<QLabel>(window, "labelOverviewDate")->text(), QString("Stand: 15.03.2026 (Termine gemessen an diesem Tag)"));
    // Longest overdue first, with the item that carries the finding.
    QCOMPARE(overdueColumn(0), (QStringList{"10.02.2026", "01.03.2026"}));
    QCOMPARE(overdueColumn(1), (QStringList{"3", "2"}));
    QCOMPARE(overdueColumn(2), (QStringList{"Lager", "Bestellung"}));
    QCOMPARE(overdueColumn(3), (QStringList{"Inventur", "Vier Augen"}));
    QCOMPARE(overdueColumn(4), (QStringList{"", "hoch"}));
    QCOMPARE(Control<QLabel>(window, "labelOverdue")->text(), QString("Ü&berfällige Feststellungen (2):"));
  }

  void followsEveryChange_data() {
    QTest::addColumn<Change>("change");
    QTest::addColumn<StateCounts>("firstArea");
    QTest::addColumn<std::size_t>("areas");
    QTest::addColumn<QStringList>("overdueNames");

    QTest::newRow("work state") << Change([](AuditOverviewTest* t) {
      t->changeItem("Bestellung", [](FieldList& r) { r.setValue(key::WORKSTATE, "completed"); });
    }) << StateCounts{0, 0, 2} << std::size_t(2) << QStringList{"Inventur", "Vier Augen"};
    QTest::newRow("deadline moved") << Change([](AuditOverviewTest* t) {
      t->changeItem("Lager", [](FieldList& r) {
        r.setValue(key::FINDINGS, Findings({FieldList({"NAME=Inventur", "DEADLINE=01.05.2026"})}));
      });
    }) << StateCounts{0, 1, 1} << std::size_t(2) << QStringList{"Vier Augen"};
    QTest::newRow("new item") << Change([](AuditOverviewTest* t) {
      QVERIFY(t->window->editor().execute(edits::NewItem(t->item("Lager"))));
    }) << StateCounts{0, 1, 1} << std::size_t(3) << QStringList{"Inventur", "Vier Augen"};
    QTest::newRow("sub-item") << Change([](AuditOverviewTest* t) {
      QVERIFY(t->window->editor().execute(edits::NewChildItem(t->item("Bestellung"))));
    }) << StateCounts{1, 1, 1} << std::size_t(2) << QStringList{"Inventur", "Vier Augen"};
    QTest::newRow("item deleted") << Change([](AuditOverviewTest* t) {
      QVERIFY(t->window->editor().execute(edits::DeleteItem(*t->item("Bestellung"))));
    }) << StateCounts{0, 0, 1} << std::size_t(2) << QStringList{"Inventur"};
    QTest::newRow("deleted and undone") << Change([](AuditOverviewTest* t) {
      QVERIFY(t->window->editor().execute(edits::DeleteItem(*t->item("Einkauf"))));
      t->window->acUndo();
    }) << StateCounts{0, 1, 1} << std::size_t(2) << QStringList{"Inventur", "Vier Augen"};
  }

  void followsEveryChange() {
    QFETCH(Change, change);
    QFETCH(StateCounts, firstArea);
    QFETCH(std::size_t, areas);
    QFETCH(QStringList, overdueNames);
    showTab(TfrmWorkFile::Overview);
    QSignalSpy recounts(overdue()->model(), &QAbstractItemModel::modelReset);
    change(this);
    QTRY_VERIFY(recounts.count() > 0);
    QCOMPARE(page()->overview().areas.size(), areas);
    QCOMPARE(area(0), firstArea);
    QCOMPARE(overdueColumn(3), overdueNames);
  }

  void burstIsCountedOnce() {
    showTab(TfrmWorkFile::Overview);
    QSignalSpy resets(overdue()->model(), &QAbstractItemModel::modelReset);
    for (int i = 0; i < 5; ++i) QVERIFY(window->editor().execute(edits::NewItem(item("Lager"))));
    QCOMPARE(page()->overview().areas.size(), std::size_t(2));  // not yet: the burst may go on
    QTRY_COMPARE(page()->overview().areas.size(), std::size_t(7));
    QCoreApplication::processEvents();
    QCOMPARE(resets.count(), 1);
  }

  void hiddenTabCountsWhenShown() {
    showTab(TfrmWorkFile::Overview);
    showTab(TfrmWorkFile::Structure);
    QSignalSpy resets(overdue()->model(), &QAbstractItemModel::modelReset);
    changeItem("Lager", [](FieldList& r) { r.setValue(key::FINDINGS, ""); });
    QCoreApplication::processEvents();
    QCOMPARE(resets.count(), 0);  // nothing counted for a tab nobody sees
    showTab(TfrmWorkFile::Overview);
    QCOMPARE(overdueColumn(3), QStringList{"Vier Augen"});
  }

  void drawingShowsTheFigures() {
    showTab(TfrmWorkFile::Overview);
    auto* chart = Control<AuditOverviewChart>(window, "AuditOverviewChart");
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const int done = Pixels(chart, kDoneColour);
    QVERIFY(Pixels(chart, kOverdueColour) > 0);
    // Nothing done and nothing overdue: the red bar goes, the green is left in the legend.
    changeItem("Einkauf", [](FieldList& r) { r.setValue(key::WORKSTATE, "uncompleted"); });
    changeItem("Lager", [](FieldList& r) { r.setValue(key::FINDINGS, ""); });
    changeItem("Bestellung", [](FieldList& r) { r.setValue(key::FINDINGS, ""); });
    QTRY_VERIFY(page()->overview().overdue.empty());
    QCOMPARE(Pixels(chart, kOverdueColour), 0);
    QVERIFY(Pixels(chart, kDoneColour) > 0);
    QVERIFY(Pixels(chart, kDoneColour) < done / 4);
    // Every bar and heading has room: the drawing asks for the height it needs.
    QVERIFY(chart->height() >= chart->minimumSizeHint().height());
  }

  void barsExplainThemselves() {
    showTab(TfrmWorkFile::Overview);
    auto* chart = Control<AuditOverviewChart>(window, "AuditOverviewChart");
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // The tooltips from top to bottom, each once.
    QStringList tips;
    for (int y = 0; y < chart->height(); y += 3) {
      QHelpEvent help(QEvent::ToolTip, QPoint(chart->width() / 2, y), chart->mapToGlobal(QPoint(chart->width() / 2, y)));
      QCoreApplication::sendEvent(chart, &help);
      const QString tip = QToolTip::isVisible() ? QToolTip::text() : QString();
      if (!tip.isEmpty() && (tips.isEmpty() || tips.last() != tip)) tips << tip;
      QToolTip::hideText();
    }
    QCOMPARE(tips, (QStringList{"Einkauf: 1 vollständig bearbeitet, 1 unvollständig, 0 nicht definiert",
                                "Lager: 0 vollständig bearbeitet, 0 unvollständig, 1 nicht definiert",
                                "hoch: 1", "ohne Risiko: 2", "nicht definiert: 1", "Empfehlung: 1", "Maßnahme: 1",
                                "überfällig: 2", "in 30 Tagen fällig: 1", "später fällig: 0", "umgesetzt: 0", "ohne Termin: 0"}));
    // A screen reader gets the same, and the figures as they change.
    QCOMPARE(chart->accessibleDescription(), tips.join('\n'));
    changeItem("Lager", [](FieldList& r) { r.setValue(key::WORKSTATE, "completed"); });
    QTRY_VERIFY(chart->accessibleDescription().contains("Lager: 1 vollständig bearbeitet, 0 unvollständig, 0 nicht definiert"));
  }

  void clickLeadsToTheItem() {
    StructurePage* structure = window->structurePage();
    showTab(TfrmWorkFile::Overview);
    struct Case {
      int row;
      const char* item;
      bool keyboard;
    };
    for (const Case c : {Case{1, "Bestellung", false}, Case{0, "Lager", true}}) {
      showTab(TfrmWorkFile::Overview);
      if (c.keyboard) {
        overdue()->setFocus();
        overdue()->selectRow(c.row);
        QTest::keyClick(overdue(), Qt::Key_Return);
      } else {
        const QRect rect = overdue()->visualRect(overdue()->model()->index(c.row, 2));
        QVERIFY(rect.isValid());
        QTest::mouseClick(overdue()->viewport(), Qt::LeftButton, {}, rect.center());
      }
      QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Structure));
      QCOMPARE(structure->focusedItem(), item(c.item));
      QCOMPARE(structure->selectedItem(), item(c.item));
    }
  }

  void printsTheDrawingAndTheOverdueFindings() {
    showTab(TfrmWorkFile::Overview);
    QTest::mouseClick(Control<QPushButton>(window, "sbPrintOverview"), Qt::LeftButton);
    QCOMPARE(fixture.env->printing.calls.size(), 1);
    const PrintCall& call = fixture.env->printing.calls.first();
    QCOMPARE(call.jobName, QString("Übersicht: uebersicht.owp"));
    QCOMPARE(call.layout.pageSize().id(), QPageSize::A4);
    const QString text = call.plainText;
    for (const char* expected : {"Übersicht: uebersicht.owp", "Stand: 15.03.2026", "Überfällige Feststellungen (2)",
                                 "10.02.2026", "Inventur", "Vier Augen", "Bestellung"})
      QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!text.contains("Limit"));  // due later, not overdue
    // The drawing goes as pictures: one object character each.
    QVERIFY(text.contains(QChar(QChar::ObjectReplacementCharacter)));

    // Printed right after a change, before the tab has counted it: the paper shows the data
    // as it is.
    changeItem("Lager", [](FieldList& r) { r.setValue(key::FINDINGS, ""); });
    changeItem("Bestellung", [](FieldList& r) { r.setValue(key::FINDINGS, ""); });
    fixture.env->printing.accept = false;  // cancelled: nothing else happens
    page()->printOverview();
    QCOMPARE(fixture.env->printing.calls.size(), 2);
    const QString after = fixture.env->printing.calls.last().plainText;
    QVERIFY(after.contains("Keine überfälligen Feststellungen."));
    QVERIFY(!after.contains("Inventur"));
    QVERIFY(fixture.env->messages.shown.isEmpty());
  }
};

QTEST_MAIN(AuditOverviewTest)
#include "audit_overview_test.moc"
