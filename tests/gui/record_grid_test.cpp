// The shared record grid: the item model over a list of records and the delegate that
// paints and edits every record grid.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include "model/DelimitedText.h"
#include "platform/RecordGridDelegate.h"
#include "platform/RecordListModel.h"

using namespace orvela;
using namespace orvela::platform;

namespace {

std::vector<FieldList> Entries(std::initializer_list<const char*> items) {
  std::vector<FieldList> rows;
  for (const char* item : items) rows.push_back(FieldList({std::string("ITEM=") + item, "VALUE=v"}));
  return rows;
}

QString Items(const std::vector<FieldList>& rows) {
  QString s;
  for (const FieldList& r : rows) s += r.value("ITEM").empty() ? QString("?") : QString::fromStdString(r.value("ITEM"));
  return s;
}

std::vector<RecordColumn> DefColumns() {
  return {RecordColumn::position(38), RecordColumn::field("Eigenschaft", 120, "ITEM", true),
          RecordColumn::field("Einstellung", 160, "VALUE", false)};
}

// Exposes the option the delegate prepares for painting.
class ProbeDelegate : public RecordGridDelegate {
 public:
  using RecordGridDelegate::RecordGridDelegate;
  QStyleOptionViewItem optionFor(const QModelIndex& index, const QPalette& palette) const {
    QStyleOptionViewItem option;
    option.palette = palette;
    initStyleOption(&option, index);
    return option;
  }
};

}  // namespace

class RecordGridTest : public QObject {
  Q_OBJECT

 private slots:
  void showsPositionsFieldsAndHeaders() {
    auto rows = Entries({"a", "b"});
    rows[1].setValue("ITEM", "\xC4nderung \x80");  // Windows-1252: Ä, €
    RecordListModel model(rows, DefColumns());
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.index(1, 0).data().toString(), QString("2"));
    QCOMPARE(model.index(1, 1).data().toString(), QString("Änderung €"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("#"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QString("Einstellung"));
    QCOMPARE(model.columns()[1].width, 120);
  }

  void headerShowsCaptionsAndColumnsResizeByDragging() {
    auto rows = Entries({"a"});
    RecordListModel model(rows, DefColumns());
    QTableView view;
    view.setModel(&model);
    for (int c = 0; c < model.columnCount(); ++c) view.setColumnWidth(c, model.columns()[c].width);
    view.resize(400, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QHeaderView* header = view.horizontalHeader();
    QVERIFY(header->isVisible());
    QVERIFY2(header->height() >= header->fontMetrics().height(), "the captions have room");
    QCOMPARE(header->sectionSize(1), 120);

    // Drag the border between "Eigenschaft" and "Einstellung" 30 pixels to the right.
    const int border = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
    const int y = header->height() / 2;
    QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border, y));
    QTest::mouseMove(header->viewport(), QPoint(border + 15, y));
    QTest::mouseMove(header->viewport(), QPoint(border + 30, y));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border + 30, y));
    QCOMPARE(header->sectionSize(1), 150);
  }

  void computedColumnShowsTextButEditsStoredValue() {
    std::vector<FieldList> rows{FieldList({"TYPE=1"})};
    auto column = RecordColumn::field("Typ", 80, "TYPE", true);
    column.text = [](const FieldList& r) { return r.value("TYPE") == "1" ? std::string("Empfehlung") : std::string(); };
    RecordListModel model(rows, {column});
    QCOMPARE(model.index(0, 0).data(Qt::DisplayRole).toString(), QString("Empfehlung"));
    QCOMPARE(model.index(0, 0).data(Qt::EditRole).toString(), QString("1"));
  }

  void editingFollowsTheColumnTable() {
    auto rows = Entries({"a"});
    RecordListModel model(rows, DefColumns());
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));  // "#"
    QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(0, 2)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, 2), "x"));
    QVERIFY(!model.setData(model.index(0, 0), "x"));
    QCOMPARE(rows[0].lines(), (std::vector<std::string>{"ITEM=a", "VALUE=v"}));
  }

  void setDataConvertsOrRefuses() {
    struct Case {
      const char* name;
      QString typed;
      bool accepted;
      std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"Windows-1252 text", QString("Größe €"), true, {"ITEM=Gr\xF6\xDF" "e \x80", "VALUE=v"}},
        {"empty text removes the field", QString(), true, {"VALUE=v"}},
        {"a character outside Windows-1252 is refused", QString("Ω-Wert"), false, {"ITEM=a", "VALUE=v"}},
    };
    for (const Case& c : cases) {
      auto rows = Entries({"a"});
      RecordListModel model(rows, DefColumns());
      QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
      QCOMPARE(model.setData(model.index(0, 1), c.typed), c.accepted);
      QVERIFY2(rows[0].lines() == c.lines, c.name);
      QCOMPARE(changed.count(), c.accepted ? 1 : 0);
    }
  }

  void listCommandsKeepViewsConsistent() {
    struct Case {
      const char* name;
      const char* command;  // "add", "up", "down", "remove"
      std::optional<int> focused;
      QString order;
      std::optional<int> focusAfter;
    };
    const Case cases[] = {
        {"add after the focused row", "add", 0, "a?bc", 1},
        {"add at the end without focus", "add", std::nullopt, "abc?", 3},
        {"up moves before the previous row", "up", 2, "acb", 1},
        {"up on the first row changes nothing", "up", 0, "abc", 0},
        {"down moves behind the next row", "down", 0, "bac", 1},
        {"down on the last row moves it to the top", "down", 2, "cab", 0},
        {"up without focus changes nothing", "up", std::nullopt, "abc", std::nullopt},
        {"down without focus changes nothing", "down", std::nullopt, "abc", std::nullopt},
        {"remove a middle row", "remove", 1, "ac", std::nullopt},
    };
    for (const Case& c : cases) {
      auto rows = Entries({"a", "b", "c"});
      // The position column last: the model tester follows the rows by their column 0,
      // whose text must travel with them.
      RecordListModel model(rows, {RecordColumn::field("Eigenschaft", 120, "ITEM", true), RecordColumn::position(38)});
      QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
      // Persistent indexes on every row show whether the changes were announced as what
      // they are.
      QList<QPersistentModelIndex> tracked;
      for (int r = 0; r < 3; ++r) tracked.append(model.index(r, 0));
      std::optional<int> focus;
      const std::string command = c.command;
      if (command == "add") {
        focus = model.addDefEntry(c.focused);
        QCOMPARE(rows[static_cast<std::size_t>(*focus)].lines(), (std::vector<std::string>{"ITEM=", "VALUE="}));
      } else if (command == "up") {
        focus = model.moveUp(c.focused);
      } else if (command == "down") {
        focus = model.moveDown(c.focused);
      } else {
        QVERIFY(model.removeRecord(*c.focused));
      }
      const QString order = Items(rows);
      QVERIFY2(order == c.order, c.name);
      QVERIFY2(focus == c.focusAfter, c.name);
      for (const QPersistentModelIndex& p : tracked) {
        if (!p.isValid()) continue;  // the removed row
        QVERIFY2(p.data().toString().size() == 1, c.name);
        QVERIFY2(rows[static_cast<std::size_t>(p.row())].value("ITEM") == p.data().toString().toStdString(), c.name);
      }
      for (int r = 0; r < model.rowCount(); ++r) QCOMPARE(model.index(r, 1).data().toString(), QString::number(r + 1));
    }
  }

  void singleRowDownStaysAndRemoveOutsideFails() {
    auto rows = Entries({"a"});
    RecordListModel model(rows, DefColumns());
    QCOMPARE(model.moveDown(0), std::optional<int>(0));
    QVERIFY(!model.removeRecord(1));
    QVERIFY(!model.removeRecord(-1));
    QCOMPARE(rows.size(), std::size_t(1));
  }

  void delegateShadesPositionColumnAndOddRows() {
    auto rows = Entries({"a", "b", "c", "d"});
    RecordListModel model(rows, DefColumns());
    ProbeDelegate delegate(nullptr, 0);
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 10, 10));
    palette.setColor(QPalette::ToolTipBase, QColor(20, 20, 20));
    struct Case {
      int row, column;
      QColor background;  // invalid: no own background
    };
    const Case cases[] = {{0, 0, QColor(10, 10, 10)}, {1, 0, QColor(10, 10, 10)}, {0, 1, QColor()},
                          {1, 1, QColor(20, 20, 20)}, {2, 2, QColor()},           {3, 2, QColor(20, 20, 20)}};
    for (const Case& c : cases) {
      const QStyleOptionViewItem option = delegate.optionFor(model.index(c.row, c.column), palette);
      if (c.background.isValid())
        QCOMPARE(option.backgroundBrush.color(), c.background);
      else
        QCOMPARE(option.backgroundBrush.style(), Qt::NoBrush);
    }
  }

  void editorRefusesCharactersOutsideWindows1252() {
    auto rows = Entries({"a", "b"});
    RecordListModel model(rows, DefColumns());
    QTableView view;
    auto* delegate = new RecordGridDelegate(&view);
    view.setItemDelegate(delegate);
    view.setModel(&model);
    view.show();
    view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QSignalSpy refused(delegate, &RecordGridDelegate::inputRefused);

    view.setCurrentIndex(model.index(0, 1));
    view.edit(model.index(0, 1));
    auto* editor = view.viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTRY_VERIFY(editor->hasFocus());
    editor->selectAll();
    QTest::keyClicks(editor, "x");
    QKeyEvent omega(QEvent::KeyPress, 0x03A9, Qt::NoModifier, QString("Ω"));
    QApplication::sendEvent(editor, &omega);
    QCOMPARE(editor->text(), QString("xΩ"));  // typed as it is, nothing dropped
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(refused.count(), 1);
    QVERIFY(refused.first().first().toString().contains("„Ω“"));
    QCoreApplication::processEvents();
    QVERIFY(editor->isVisible());  // still open for the user to correct
    QCOMPARE(rows[0].value("ITEM"), std::string("a"));

    editor->setText("xy");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(rows[0].value("ITEM"), std::string("xy"));
    QCOMPARE(refused.count(), 1);

    // Leaving the cell with a refused text closes the editor, and says that it did.
    view.edit(model.index(1, 1));
    QTRY_VERIFY(view.viewport()->findChild<QLineEdit*>() && view.viewport()->findChild<QLineEdit*>()->hasFocus());
    editor = view.viewport()->findChild<QLineEdit*>();
    editor->setText("Ω");
    view.setFocus();
    QTRY_COMPARE(refused.count(), 2);
    QVERIFY(refused.last().first().toString().contains("nicht übernommen"));
    QCOMPARE(rows[1].value("ITEM"), std::string("b"));
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  RecordGridTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "record_grid_test.moc"
