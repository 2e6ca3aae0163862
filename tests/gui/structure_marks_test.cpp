// What the structure tree shows of an item beyond its name: the marks of work state and
// risk beside its images, the tooltip with the whole name, and long names scrolling sideways.
#include <QHelpEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "model/DelimitedText.h"
#include "model/Edits.h"
#include "model/EvidenceFields.h"
#include "model/ItemSignOff.h"
#include "model/srcGlobalDef.h"
#include "support/Doubles.h"
#include "support/DrawnChecks.h"
#include "support/TestServices.h"
#include "workfile/StructureMarks.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"

using namespace orvela;

namespace {

std::string RiskDefs(const std::vector<std::string>& items) {
  std::vector<FieldList> rows;
  for (const std::string& item : items) rows.push_back(FieldList({"ITEM=" + item.substr(0, 1), "VALUE=" + item.substr(4)}));
  return ListToText(rows);
}

RecordNode* Add(WorkFileData& data, RecordNode* parent, const std::string& name, const std::string& workState,
                const std::string& risk = "") {
  FieldList r = NewStructureItemRecord(data.lastItemId);
  r.setValue(key::NAME, name);
  r.setValue(key::WORKSTATE, workState);
  r.setValue(key::RISK, risk);
  return data.structure.append(parent, r);
}

// Where the pictures stand in an item's decoration: the page image, then the marks.
constexpr int kImage = 16;
int SlotCentre(int slot) { return kImage + 3 + slot * 10 + 4; }

}  // namespace

class StructureMarksTest : public QObject {
  Q_OBJECT
  std::unique_ptr<test::TestEnvironment> env;
  std::unique_ptr<test::ContextDouble> context;
  std::unique_ptr<StructurePage> page;

  QImage decoration(const RecordNode* node) const {
    return page->model()->data(page->model()->indexOf(node), Qt::DecorationRole).value<QPixmap>().toImage();
  }
  // The colour at the middle of a slot, or at `dy` from it.
  static QColor at(const QImage& image, int slot, int dy = 0) { return image.pixelColor(SlotCentre(slot), 8 + dy); }
  static bool reddish(const QColor& c) { return c.alpha() > 200 && c.red() > 180 && c.green() < 100; }
  static bool greenish(const QColor& c) { return c.alpha() > 200 && c.green() > 120 && c.red() < 130; }

 private slots:
  void init() {
    env = std::make_unique<test::TestEnvironment>();
    context = std::make_unique<test::ContextDouble>(env->services);
    context->data_.riskDefs = RiskDefs({"1 - gering", "2 - mittel", "3 - hoch", "4 - sehr hoch"});
    page = std::make_unique<StructurePage>(*context);
    page->resize(700, 400);
  }
  void cleanup() {
    page.reset();
    context.reset();
    env.reset();
  }

  void marksShowWorkStateAndRisk() {
    WorkFileData& d = context->data_;
    struct Case {
      const char* name;
      std::string workState, risk;
      // Work-state slot: its upper and lower half filled; risk slot: none, green, red.
      bool upperFilled, lowerFilled;
      enum { NoRisk, Low, High } risk_;
    };
    const Case cases[] = {
        {"not defined, no risk", "<nicht definiert>", "", false, false, Case::NoRisk},
        {"begun, lowest risk", "uncompleted", "1 - gering", false, true, Case::Low},
        {"completed, highest risk", "completed", "4 - SEHR HOCH", true, true, Case::High},
        {"unknown state counts as not defined; unknown risk shows none", "fertig", "9 - extrem", false, false,
         Case::NoRisk},
    };
    std::vector<RecordNode*> nodes;
    for (const Case& c : cases) nodes.push_back(Add(d, nullptr, c.name, c.workState, c.risk));
    page->reloadFromData();
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const Case& c = cases[i];
      const QImage image = decoration(nodes[i]);
      QVERIFY2(image.width() == kImage + MarksWidth(), c.name);
      QVERIFY2((at(image, 0, -2).alpha() > 200) == c.upperFilled, c.name);
      QVERIFY2((at(image, 0, 2).alpha() > 200) == c.lowerFilled, c.name);
      const QColor risk = at(image, 1);
      if (c.risk_ == Case::NoRisk) QVERIFY2(risk.alpha() == 0, c.name);
      if (c.risk_ == Case::Low) QVERIFY2(greenish(risk), c.name);
      if (c.risk_ == Case::High) QVERIFY2(reddish(risk), c.name);
      // The page image stands unchanged in front of the marks.
      QCOMPARE(image.copy(0, 0, kImage, kImage), decoration(nodes[0]).copy(0, 0, kImage, kImage));
    }
    test::SaveScreen(page.get(), "structure-marks");
  }

  // Sign-offs show in the third slot: nothing for an open item, a tick once prepared, a filled
  // disc once reviewed, a red triangle when the content changed after the review.
  void signOffMarkShowsTheReviewState() {
    WorkFileData& d = context->data_;
    enum class Sign { Open, Prepared, Reviewed, Changed };
    struct Case {
      const char* name;
      Sign sign;
      int minBlue, maxBlue;  // blue pixels in the slot's box: a tick covers few, a filled disc many
      bool red;
      const char* tooltipLine;
    };
    const Case cases[] = {
        {"open", Sign::Open, 0, 0, false, nullptr},
        {"prepared", Sign::Prepared, 4, 20, false, "Abzeichnung: bearbeitet"},
        {"reviewed", Sign::Reviewed, 24, 64, false, "Abzeichnung: geprüft"},
        {"changed after review", Sign::Changed, 0, 0, true, "Abzeichnung: nach Prüfung geändert"},
    };
    std::vector<RecordNode*> nodes;
    for (const Case& c : cases) {
      RecordNode* node = Add(d, nullptr, c.name, "completed");
      FieldList& r = node->record;
      if (c.sign != Sign::Open) r.setValue(key::PREPARED_BY, "pruefer1");
      if (c.sign == Sign::Reviewed || c.sign == Sign::Changed) {
        r.setValue(key::REVIEWED_BY, "leitung");
        r.setValue(key::REVIEW_DIGEST, ItemContentDigest(r));
      }
      if (c.sign == Sign::Changed) r.setValue(key::RESULT, "danach ergänzt");
      nodes.push_back(node);
    }
    page->reloadFromData();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      const Case& c = cases[i];
      const QImage image = decoration(nodes[i]);
      int blue = 0, red = 0;
      for (int y = 4; y < 12; ++y)
        for (int x = SlotCentre(2) - 4; x < SlotCentre(2) + 4; ++x) {
          const QColor p = image.pixelColor(x, y);
          if (p.alpha() > 150 && p.blue() > 140 && p.red() < 120) ++blue;
          if (reddish(p)) ++red;
        }
      QVERIFY2(blue >= c.minBlue && blue <= c.maxBlue, qPrintable(QString("%1: %2 blue").arg(c.name).arg(blue)));
      QVERIFY2((red > 4) == c.red, c.name);
      const QString tip = page->model()->data(page->model()->indexOf(nodes[i]), Qt::ToolTipRole).toString();
      QVERIFY2(c.tooltipLine ? tip.endsWith(QString("\n") + c.tooltipLine) : !tip.contains("Abzeichnung"), c.name);
    }
  }

  void riskMarkFollowsTheDefinitionsAndTheItem() {
    WorkFileData& d = context->data_;
    RecordNode* item = Add(d, nullptr, "Kasse", "completed", "1 - gering");
    page->reloadFromData();
    QSignalSpy changed(page->model(), &QAbstractItemModel::dataChanged);
    QVERIFY(greenish(at(decoration(item), 1)));

    // The list turned round: the same entry is now the highest.
    context->editor().execute(edits::SetDefinitionLists({"", RiskDefs({"4 - sehr hoch", "1 - gering"}), "", ""}));
    QVERIFY(!changed.isEmpty());
    QVERIFY(reddish(at(decoration(item), 1)));

    // The item's risk taken away: no risk mark.
    FieldList record = item->record;
    record.setValue(key::RISK, "");
    changed.clear();
    context->editor().execute(edits::SetItemRecord(*item, record, "Eigenschaften"));
    QVERIFY(!changed.isEmpty());
    QCOMPARE(at(decoration(item), 1).alpha(), 0);
  }

  void tooltipShowsTheWholeNameAndTheMarks() {
    WorkFileData& d = context->data_;
    const std::string longName(180, 'x');
    RecordNode* item = Add(d, nullptr, "Inventur " + longName, "uncompleted", "3 - hoch");
    RecordNode* plain = Add(d, nullptr, "Kasse", "completed");
    page->reloadFromData();
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    QCOMPARE(page->model()->data(page->model()->indexOf(plain), Qt::ToolTipRole).toString(),
             QString("Kasse\nBearbeitungsstatus: vollständig bearbeitet"));

    // Hovering the item in the tree shows it.
    QTreeView* tree = page->tree();
    const QRect row = tree->visualRect(page->model()->indexOf(item));
    QHelpEvent help(QEvent::ToolTip, row.center(), tree->viewport()->mapToGlobal(row.center()));
    QCoreApplication::sendEvent(tree->viewport(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QString::fromStdString("Inventur " + longName) +
                                   "\nBearbeitungsstatus: unvollständig\nRisiko: 3 - hoch");
    QToolTip::hideText();
  }

  void longNamesScrollSidewaysInsteadOfBeingCut() {
    WorkFileData& d = context->data_;
    RecordNode* top = Add(d, nullptr, "Planung", "completed");
    const QString longName = "Sehr langer Name " + QString(120, QChar('w'));
    RecordNode* deep = Add(d, Add(d, top, "Bereich", "completed"), longName.toStdString(), "completed");
    page->reloadFromData();
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    QTreeView* tree = page->tree();
    tree->expandAll();
    const QModelIndex index = page->model()->indexOf(deep);
    QTRY_VERIFY(tree->header()->sectionSize(0) >= tree->visualRect(index).left() + kImage + MarksWidth() +
                                                       tree->fontMetrics().horizontalAdvance(longName));
    QTRY_VERIFY(tree->horizontalScrollBar()->maximum() > 0);  // the range follows the layout, later
    test::SaveScreen(page.get(), "structure-long-names");

    // Out of sight again, the column is the view's width and nothing scrolls.
    tree->collapseAll();
    QTRY_COMPARE(tree->header()->sectionSize(0), tree->viewport()->width());
    QTRY_COMPARE(tree->horizontalScrollBar()->maximum(), 0);
    // Everything right of a short name is still the item's row (drops there go above or below it).
    const QRect topRow = tree->visualRect(page->model()->indexOf(top));
    QCOMPARE(tree->indexAt(QPoint(tree->viewport()->width() - 3, topRow.center().y())), page->model()->indexOf(top));
  }
};

QTEST_MAIN(StructureMarksTest)
#include "structure_marks_test.moc"
