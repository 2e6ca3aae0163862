// The structure tab: tree over the work-file data, filter strip, commands, clipboard,
// drag and drop, driven offscreen.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "model/srcGlobalDef.h"
#include "support/Doubles.h"
#include "support/TestServices.h"
#include "workfile/StructureClipboard.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"

using namespace orvela;

namespace {

using FakeContext = test::ContextDouble;

RecordNode* Add(WorkFileData& data, RecordNode* parent, const std::string& name,
                const std::string& workstate = "<nicht definiert>", const std::string& findings = "") {
  FieldList r;
  r.setValue(key::ID, "0");
  r.setValue(key::NAME, name);
  r.setValue(key::FINDINGS, findings);
  r.setValue(key::WORKSTATE, workstate);
  return data.structure.append(parent, r);
}

QString Shape(const RecordNode& parent) {
  QStringList parts;
  for (std::size_t i = 0; i < parent.childCount(); ++i) {
    const RecordNode& c = *parent.child(i);
    QString s = QString::fromStdString(c.record.value(key::NAME));
    if (c.childCount()) s += "(" + Shape(c) + ")";
    parts << s;
  }
  return parts.join(",");
}

QString Ids(const RecordTree& tree) {
  QStringList ids;
  tree.forEach([&ids](const RecordNode& n) { ids << QString::fromStdString(n.record.value(key::ID)); });
  return ids.join(" ");
}

// One work-file window's worth: data, page, and a model checker watching every change.
struct Window {
  explicit Window(platform::Services& services) : context(services), page(context) {
    tester = std::make_unique<QAbstractItemModelTester>(page.model(),
                                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
    page.resize(900, 500);
  }
  // A(B,C(D)),E, renumbered as after reading a file.
  void fillSample() {
    WorkFileData& d = context.data();
    a = Add(d, nullptr, "A");
    b = Add(d, a, "B");
    c = Add(d, a, "C");
    dd = Add(d, c, "D");
    e = Add(d, nullptr, "E");
    RenumberItems(d);
    page.reloadFromData();
  }
  QModelIndex indexOf(const RecordNode* n) const { return page.model()->indexOf(n); }
  QString shape() { return Shape(context.data().structure.root()); }

  FakeContext context;
  StructurePage page;
  std::unique_ptr<QAbstractItemModelTester> tester;
  RecordNode *a = nullptr, *b = nullptr, *c = nullptr, *dd = nullptr, *e = nullptr;
};

}  // namespace

class StructureTreeTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    env_ = std::make_unique<test::TestEnvironment>();
    QGuiApplication::clipboard()->clear();
    w_ = std::make_unique<Window>(env_->services);
    w_->page.show();
    w_->page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w_->page));
  }
  void cleanup() {
    w_.reset();
    env_.reset();
  }

  void layoutAndNames() {
    StructurePage& p = w_->page;
    auto* tree = p.findChild<QTreeView*>("vtStructure");
    QVERIFY(tree);
    QVERIFY(tree->isHeaderHidden());
    QCOMPARE(tree->width(), 309);
    QVERIFY(p.findChild<QWidget*>("panelDetail"));
    QCOMPARE(p.findChild<QLabel*>("laSelectItems")->text(), QString("Auswahl:"));
    auto* kind = p.findChild<QComboBox*>("cmbKindSelect");
    auto* select = p.findChild<QComboBox*>("cmbSelect");
    QCOMPARE(kind->count(), 3);
    QCOMPARE(kind->itemText(2), QString("verbergen"));
    QCOMPARE(select->count(), 9);
    QCOMPARE(select->itemText(8), QString("nach Prüfung geändert"));
    QCOMPARE(select->itemText(2), QString("nicht vollständig bearbeitet"));
    QCOMPARE(kind->currentIndex(), 0);
    QCOMPARE(select->currentIndex(), 0);
    QVERIFY(!kind->isEditable());
    auto* level = p.findChild<QCheckBox*>("cmbShowLevel");
    QCOMPARE(level->text(), QString("Gliederung anzeigen"));
    QVERIFY(!level->isChecked());
    auto* props = p.findChild<QToolButton*>("sbAuditProperties");
    QCOMPARE(props->toolTip(), QString("Eigenschaften bearbeiten"));
    QSignalSpy propsWanted(&p, &StructurePage::auditPropertiesRequested);
    props->click();
    QCOMPARE(propsWanted.count(), 1);

    QMenu* menu = p.contextMenu();
    QCOMPARE(menu->objectName(), QString("menuStructure"));
    for (const char* name : {"miStructEdit", "New1", "NewChild1", "miStructCut", "miStructCopy", "miStructPaste",
                             "asChild1", "asSibling1", "miStructDel"})
      QVERIFY2(test::FindAction(&p, name), name);
    QVERIFY(!test::FindAction(&p, "miStructEdit")->isVisible());
    QCOMPARE(test::FindAction(&p, "miStructCopy")->statusTip(), QString("seletiertes Element in Zwischenablage kopieren"));

    // The detail panel replaces the placeholder and keeps the splitter where it was.
    auto* panel = new QWidget;
    p.setDetailPanel(panel);
    QCOMPARE(p.detailPanel(), panel);
    QCOMPARE(panel->objectName(), QString("panelDetail"));
    QCOMPARE(p.findChildren<QWidget*>("panelDetail").size(), 1);
    QCOMPARE(tree->width(), 309);
  }

  void noEditingInPlaceDoubleClickToggles() {
    w_->fillSample();
    StructureTreeView* tree = w_->page.tree();
    const QModelIndex a = w_->indexOf(w_->a);
    tree->setCurrentIndex(a);
    QTest::keyClick(tree, Qt::Key_F2);
    QVERIFY(!tree->viewport()->findChild<QLineEdit*>());
    QVERIFY(!(w_->page.model()->flags(a) & Qt::ItemIsEditable));
    const QPoint pos = tree->visualRect(a).center();
    // What a mouse sends for a double click.
    auto doubleClick = [&] {
      QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, pos);
      QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, pos);
      QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, pos);
    };
    QVERIFY(!tree->isExpanded(a));
    doubleClick();
    QVERIFY(tree->isExpanded(a));
    QVERIFY(w_->a->expanded);
    doubleClick();
    QVERIFY(!tree->isExpanded(a));
    QVERIFY(!w_->a->expanded);
  }

  void newItemsAndIds() {
    FakeContext& ctx = w_->context;
    QSignalSpy focus(&w_->page, &StructurePage::focusedItemChanged);
    QVERIFY(test::TriggerAction(&w_->page, "New1"));
    RecordNode* first = w_->page.focusedItem();
    QVERIFY(first);
    QCOMPARE(first->record.value(key::NAME), std::string("Neues Element - 1"));
    QCOMPARE(first->record.value(key::ID), std::string("1"));
    QCOMPARE(w_->page.selectedItem(), first);
    QCOMPARE(focus.last().at(0).value<RecordNode*>(), first);
    QVERIFY(test::TriggerAction(&w_->page, "New1"));
    QCOMPARE(w_->shape(), QString("Neues Element - 1,Neues Element - 2"));
    QCOMPARE(ctx.marks, 2);

    // New sub-item: last under the focused item, which opens.
    w_->page.focusItem(first);
    QVERIFY(test::TriggerAction(&w_->page, "NewChild1"));
    QCOMPARE(w_->shape(), QString("Neues Element - 1(Neues Element - 3),Neues Element - 2"));
    QVERIFY(w_->page.tree()->isExpanded(w_->indexOf(first)));
    QCOMPARE(w_->page.focusedItem()->parent(), first);
  }

  void newAfterReadingContinuesTheCount() {
    w_->fillSample();
    w_->page.focusItem(w_->b);
    QVERIFY(test::TriggerAction(&w_->page, "New1"));
    QCOMPARE(w_->shape(), QString("A(B,Neues Element - 6,C(D)),E"));
    QCOMPARE(Ids(w_->context.data().structure), QString("1 2 6 3 4 5"));
  }

  void deleteRenumbersAndMovesFocus() {
    w_->fillSample();
    FakeContext& ctx = w_->context;
    w_->page.focusItem(w_->b);
    QSignalSpy focus(&w_->page, &StructurePage::focusedItemChanged);
    QVERIFY(test::TriggerAction(&w_->page, "miStructDel"));
    QCOMPARE(w_->shape(), QString("A(C(D)),E"));
    QCOMPARE(Ids(ctx.data().structure), QString("1 2 3 4"));
    QCOMPARE(ctx.data().lastItemId, 4);
    QCOMPARE(w_->page.focusedItem(), w_->c);
    QCOMPARE(focus.last().at(0).value<RecordNode*>(), w_->c);

    // A focused sub-item of the deleted item does not keep the focus either.
    w_->page.focusItem(w_->dd);
    w_->page.model()->deleteItem(w_->c);
    QCOMPARE(w_->page.focusedItem(), w_->a);

    // Deleting the last items leaves the counter, so numbering goes on.
    w_->page.focusItem(w_->e);
    QVERIFY(test::TriggerAction(&w_->page, "miStructDel"));
    w_->page.focusItem(w_->a);
    QVERIFY(test::TriggerAction(&w_->page, "miStructDel"));
    QCOMPARE(w_->page.focusedItem(), nullptr);
    QCOMPARE(focus.last().at(0).value<RecordNode*>(), nullptr);
    QCOMPARE(ctx.data().lastItemId, 1);
    QVERIFY(test::TriggerAction(&w_->page, "New1"));
    QCOMPARE(w_->page.focusedItem()->record.value(key::ID), std::string("2"));
  }

  void outlineNumbers() {
    WorkFileData& d = w_->context.data();
    for (int i = 1; i <= 12; ++i) Add(d, nullptr, "T" + std::to_string(i));
    RecordNode* kasse = Add(d, d.structure.root().child(9), "Kasse");
    for (int i = 0; i < 3; ++i) d.structure.append(d.structure.root().child(11), FieldList({"ID=9"}));
    w_->page.reloadFromData();
    StructureModel* m = w_->page.model();
    const QModelIndex noName = w_->indexOf(d.structure.root().child(11)->child(2));
    QCOMPARE(m->data(w_->indexOf(kasse)).toString(), QString("Kasse"));
    QCOMPARE(m->data(noName).toString(), QString("<noname>"));
    w_->page.findChild<QCheckBox*>("cmbShowLevel")->click();
    QCOMPARE(m->data(w_->indexOf(kasse)).toString(), QString("10.1 - Kasse"));
    QCOMPARE(m->data(noName).toString(), QString("12.3 - <noname>"));
    QCOMPARE(m->data(m->index(0, 0)).toString(), QString("1 - T1"));
    // Painting with the outline on walks only what is shown.
    w_->page.tree()->expandAll();
    QVERIFY(!w_->page.tree()->grab().isNull());
  }

  void filters_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("criterion");
    QTest::addColumn<QStringList>("matching");
    const QStringList all{"folder", "undefined", "uncompleted", "completed", "findings", "nostate"};
    const QStringList crit[] = {{},
                                {"folder", "undefined"},
                                {"uncompleted"},
                                {"completed"},
                                {"findings"},
                                {"folder", "undefined", "uncompleted", "completed", "nostate"}};
    const char* kinds[] = {"none", "mark", "hide"};
    for (int k = 0; k < 3; ++k)
      for (int c = 0; c < 6; ++c)
        QTest::addRow("%s-%d", kinds[k], c) << k << c << (k == 0 ? QStringList() : crit[c]);
  }

  void filters() {
    QFETCH(int, kind);
    QFETCH(int, criterion);
    QFETCH(QStringList, matching);
    WorkFileData& d = w_->context.data();
    RecordNode* folder = Add(d, nullptr, "folder");
    Add(d, folder, "undefined");
    Add(d, folder, "uncompleted", "uncompleted");
    Add(d, nullptr, "completed", "completed");
    Add(d, nullptr, "findings", "Completed", "NAME=Mangel");
    d.structure.append(nullptr, FieldList({"ID=6", "NAME=nostate"}));
    w_->page.reloadFromData();
    w_->page.tree()->expandAll();

    w_->page.findChild<QComboBox*>("cmbKindSelect")->setCurrentIndex(kind);
    w_->page.findChild<QComboBox*>("cmbSelect")->setCurrentIndex(criterion);
    StructureModel* m = w_->page.model();
    d.structure.forEach([&](const RecordNode& n) {
      const QString name = QString::fromStdString(n.record.value(key::NAME));
      const QModelIndex i = w_->indexOf(&n);
      const bool match = matching.contains(name);
      QCOMPARE(m->data(i, StructureModel::StateImageRole).toInt(), kind == 1 && match ? 4 : -1);
      QCOMPARE(m->data(i, StructureModel::GreyedRole).toBool(), kind == 2 && match);
      QCOMPARE(m->data(i, Qt::ForegroundRole).isValid(), kind == 2 && match);
      // Work state and findings never change the item image.
      QCOMPARE(m->data(i, StructureModel::ItemImageRole).toInt(), n.childCount() ? 0 : 1);
    });
    QVERIFY(!w_->page.tree()->grab().isNull());

    // Back to "<keine Auswahl>": every item plain again.
    w_->page.findChild<QComboBox*>("cmbKindSelect")->setCurrentIndex(0);
    d.structure.forEach([&](const RecordNode& n) {
      QCOMPARE(m->data(w_->indexOf(&n), StructureModel::StateImageRole).toInt(), -1);
      QCOMPARE(m->data(w_->indexOf(&n), StructureModel::GreyedRole).toBool(), false);
    });
  }

  void copyThenPasteTwiceAsSubItem() {
    w_->fillSample();
    StructurePage& p = w_->page;
    p.menuStructurePopup();
    QVERIFY(!test::FindAction(&p, "miStructPaste")->isEnabled());
    p.focusItem(w_->c);
    const int marks = w_->context.marks;
    QVERIFY(test::TriggerAction(&p, "miStructCopy"));
    QCOMPARE(w_->context.marks, marks);  // copying changes nothing
    p.menuStructurePopup();
    QVERIFY(test::FindAction(&p, "miStructPaste")->isEnabled());

    const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
    QVERIFY(clip->hasFormat(kStructureMimeType));
    QCOMPARE(clip->text(), QString("C\n\tD"));
    QCOMPARE(clip->data("text/csv"), QByteArray("C\r\n,D"));
    QVERIFY(clip->html().contains("<li>C</li><ul><li>D</li></ul>"));
    QVERIFY(clip->data("text/rtf").startsWith("{\\rtf1"));

    p.focusItem(w_->e);
    QVERIFY(test::TriggerAction(&p, "asChild1"));
    QVERIFY(test::TriggerAction(&p, "asChild1"));
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E(C(D),C(D))"));
    QCOMPARE(Ids(w_->context.data().structure), QString("1 2 3 4 5 6 7 8 9"));
    QCOMPARE(w_->context.data().lastItemId, 9);
    QCOMPARE(w_->context.marks, marks + 2);
    QCOMPARE(p.focusedItem(), w_->e);
    QVERIFY(p.tree()->isExpanded(w_->indexOf(w_->e)));

    // On the same level: directly after the focused item.
    p.focusItem(w_->a);
    QVERIFY(test::TriggerAction(&p, "asSibling1"));
    QCOMPARE(w_->shape(), QString("A(B,C(D)),C(D),E(C(D),C(D))"));
  }

  void textOnTheClipboardIsNotPasted() {
    w_->fillSample();
    QGuiApplication::clipboard()->setText("Planung");
    w_->page.menuStructurePopup();
    QVERIFY(!test::FindAction(&w_->page, "asSibling1")->isEnabled());
    const int marks = w_->context.marks;
    w_->page.caPasteNodeAsSibling();
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E"));
    QCOMPARE(w_->context.marks, marks);

    // Data of the tree's format that cannot be read changes nothing either.
    auto* broken = new QMimeData;
    broken->setData(kStructureMimeType, QByteArray("\x05\0\0\0", 4));
    QGuiApplication::clipboard()->setMimeData(broken);
    w_->page.caPasteNodeAsChild();
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E"));
    QCOMPARE(w_->context.marks, marks);
  }

  void cutInOnePagePasteInAnother() {
    w_->fillSample();
    Window other(env_->services);
    Add(other.context.data(), nullptr, "X");
    RenumberItems(other.context.data());
    other.page.reloadFromData();
    other.page.show();

    w_->page.focusItem(w_->c);
    const std::string recordOfD = w_->dd->record.value(key::DESCRIPTION);
    QVERIFY(test::TriggerAction(&w_->page, "miStructCut"));
    QVERIFY(w_->context.data().modified);
    StructureModel* m = w_->page.model();
    // Drawn as cut, with its sub-items, until it is pasted.
    QVERIFY(m->data(w_->indexOf(w_->c), StructureModel::CutRole).toBool());
    QVERIFY(m->data(w_->indexOf(w_->dd), StructureModel::CutRole).toBool());
    QVERIFY(m->data(w_->indexOf(w_->c), Qt::FontRole).value<QFont>().italic());
    QVERIFY(!m->data(w_->indexOf(w_->b), StructureModel::CutRole).toBool());
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E"));

    w_->context.data().modified = false;  // as if saved meanwhile
    other.page.focusItem(other.context.data().structure.root().child(0));
    QVERIFY(test::TriggerAction(&other.page, "asSibling1"));
    QCOMPARE(w_->shape(), QString("A(B),E"));
    QCOMPARE(other.shape(), QString("X,C(D)"));
    QCOMPARE(Ids(other.context.data().structure), QString("1 2 3"));
    QVERIFY(other.context.data().modified);
    QVERIFY(w_->context.data().modified);          // the giving window changed too
    QCOMPARE(w_->page.focusedItem(), w_->b);       // focus left the item that went
    QCOMPARE(Ids(w_->context.data().structure), QString("1 2 5"));  // not renumbered there
    RecordNode* moved = other.context.data().structure.root().child(1);
    // The same records, renumbered here (the giving window keeps its own item for undo).
    QCOMPARE(moved->record.value(key::NAME), std::string("C"));
    QCOMPARE(moved->child(0)->record.value(key::DESCRIPTION), recordOfD);
    QVERIFY(!other.page.model()->data(other.indexOf(moved), StructureModel::CutRole).toBool());

    // A second paste inserts copies of what was cut.
    QVERIFY(test::TriggerAction(&other.page, "asSibling1"));
    QCOMPARE(other.shape(), QString("X,C(D),C(D)"));
    QCOMPARE(w_->shape(), QString("A(B),E"));
  }

  void cutFromAClosedWindowPastesAsCopy() {
    w_->fillSample();
    {
      Window closing(env_->services);
      Add(closing.context.data(), nullptr, "Z");
      closing.page.reloadFromData();
      closing.page.focusItem(closing.context.data().structure.root().child(0));
      QVERIFY(test::TriggerAction(&closing.page, "miStructCut"));
    }  // the window closes with its data
    w_->page.focusItem(w_->e);
    QVERIFY(test::TriggerAction(&w_->page, "asSibling1"));
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E,Z"));
  }

  void cutItemNeverGoesIntoItsOwnSubtree() {
    w_->fillSample();
    w_->page.focusItem(w_->a);
    QVERIFY(test::TriggerAction(&w_->page, "miStructCut"));
    w_->page.focusItem(w_->dd);
    const int marks = w_->context.marks;
    QVERIFY(test::TriggerAction(&w_->page, "asChild1"));
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E"));
    QCOMPARE(w_->context.marks, marks);
    // Still cut: a paste elsewhere moves it.
    w_->page.focusItem(w_->e);
    QVERIFY(test::TriggerAction(&w_->page, "asSibling1"));
    QCOMPARE(w_->shape(), QString("E,A(B,C(D))"));
    QCOMPARE(Ids(w_->context.data().structure), QString("1 2 3 4 5"));
  }

  void cutIsGivenUpWhenTheClipboardChanges() {
    w_->fillSample();
    w_->page.focusItem(w_->b);
    QVERIFY(test::TriggerAction(&w_->page, "miStructCut"));
    QVERIFY(w_->page.model()->data(w_->indexOf(w_->b), StructureModel::CutRole).toBool());
    QGuiApplication::clipboard()->setText("anderes");
    QVERIFY(!w_->page.model()->data(w_->indexOf(w_->b), StructureModel::CutRole).toBool());

    // Deleting a cut item gives the cut up; the clipboard data then pastes as a copy.
    QVERIFY(test::TriggerAction(&w_->page, "miStructCut"));
    w_->page.focusItem(w_->b);
    QVERIFY(test::TriggerAction(&w_->page, "miStructDel"));
    w_->page.focusItem(w_->e);
    QVERIFY(test::TriggerAction(&w_->page, "asSibling1"));
    QCOMPARE(w_->shape(), QString("A(C(D)),E,B"));
  }

  void dropPositions() {
    w_->fillSample();
    StructureTreeView* tree = w_->page.tree();
    StructureModel* m = w_->page.model();
    tree->expandAll();
    const QRect rb = tree->visualRect(w_->indexOf(w_->b));
    const QRect re = tree->visualRect(w_->indexOf(w_->e));
    using Z = DropZone;
    struct Case {
      const char* name;
      QPoint pos;
      RecordNode* item;
      DropZone zone;
    };
    const Case cases[] = {
        {"on the text", QPoint(rb.left() + 30, rb.center().y()), w_->b, Z::OnItem},
        {"on the image", QPoint(rb.left() + 3, rb.center().y()), w_->b, Z::OnItem},
        {"indentation, upper half", QPoint(rb.left() - 4, rb.top() + 1), w_->b, Z::Above},
        {"indentation, lower half", QPoint(rb.left() - 4, rb.bottom() - 1), w_->b, Z::Below},
        {"right of the text, upper half", QPoint(rb.right() - 5, rb.top() + 1), w_->b, Z::Above},
        {"right of the text, lower half", QPoint(rb.right() - 5, rb.bottom() - 1), w_->b, Z::Below},
        {"below the last item", QPoint(re.left() + 5, re.bottom() + 20), nullptr, Z::Nowhere},
    };
    for (const Case& k : cases) {
      const StructureTreeView::DropTarget t = tree->dropTargetAt(k.pos);
      QVERIFY2(t.item == k.item && t.zone == k.zone, k.name);
    }

    // Driving drops: E onto B's text, D above B, B below E, A below the last item.
    struct Drop {
      RecordNode* dragged;
      QPoint pos;
      const char* shape;
    };
    const Drop drops[] = {
        {w_->e, QPoint(rb.left() + 30, rb.center().y()), "A(B(E),C(D))"},
    };
    for (const Drop& k : drops) {
      QMimeData* mime = m->startDrag(k.dragged);
      QVERIFY(tree->dropAt(k.pos, mime));
      m->finishDrag();
      delete mime;
      QCOMPARE(w_->shape(), QString(k.shape));
    }
    QVERIFY(tree->isExpanded(w_->indexOf(w_->b)));

    auto dropAtItem = [&](RecordNode* dragged, RecordNode* target, bool upper) {
      const QRect r = tree->visualRect(w_->indexOf(target));
      QMimeData* mime = m->startDrag(dragged);
      const bool ok = tree->dropAt(QPoint(r.left() - 4, upper ? r.top() + 1 : r.bottom() - 1), mime);
      m->finishDrag();
      delete mime;
      return ok;
    };
    QVERIFY(dropAtItem(w_->dd, w_->b, true));
    QCOMPARE(w_->shape(), QString("A(D,B(E),C)"));
    QVERIFY(dropAtItem(w_->a, w_->a, false));  // below itself: stays
    QCOMPARE(w_->shape(), QString("A(D,B(E),C)"));
    QVERIFY(dropAtItem(w_->e, w_->a, false));
    QCOMPARE(w_->shape(), QString("A(D,B,C),E"));

    {
      const QRect last = tree->visualRect(w_->indexOf(w_->e));
      QMimeData* mime = m->startDrag(w_->c);
      QVERIFY(tree->dropAt(QPoint(last.left() + 5, last.bottom() + 20), mime));
      m->finishDrag();
      delete mime;
      QCOMPARE(w_->shape(), QString("C,A(D,B),E"));
    }
    // No renumbering: moved items keep their numbers; every drop marked the file.
    QCOMPARE(w_->c->record.value(key::ID), std::string("3"));
    QVERIFY(w_->context.marks >= 5);
  }

  void dropIntoOwnSubtreeIsRefused() {
    w_->fillSample();
    StructureTreeView* tree = w_->page.tree();
    StructureModel* m = w_->page.model();
    tree->expandAll();
    const int marks = w_->context.marks;
    QMimeData* mime = m->startDrag(w_->a);
    for (RecordNode* target : {w_->a, w_->c, w_->dd}) {
      const QRect r = tree->visualRect(w_->indexOf(target));
      const QPoint onText(r.left() + 30, r.center().y());
      QVERIFY(!tree->dropPositionAt(onText));
      QVERIFY(!tree->dropAt(onText, mime));
    }
    QVERIFY(!m->dropMimeData(mime, Qt::MoveAction, 0, 0, w_->indexOf(w_->c)));
    m->finishDrag();
    delete mime;
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E"));
    QCOMPARE(w_->context.marks, marks);
  }

  void dragsFromElsewhereAreRefused() {
    w_->fillSample();
    Window other(env_->services);
    Add(other.context.data(), nullptr, "X");
    other.page.reloadFromData();
    QMimeData* foreign = other.page.model()->startDrag(other.context.data().structure.root().child(0));
    QVERIFY(!w_->page.model()->canDropMimeData(foreign, Qt::MoveAction, 0, 0, {}));
    QVERIFY(!w_->page.model()->dropMimeData(foreign, Qt::MoveAction, 0, 0, {}));

    // A drag entering from outside (no source in this tree) is ignored, even with our format.
    StructureTreeView* tree = w_->page.tree();
    QDragEnterEvent enter(tree->visualRect(w_->indexOf(w_->a)).center(), Qt::MoveAction, foreign, Qt::LeftButton, {});
    QCoreApplication::sendEvent(tree->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
    other.page.model()->finishDrag();
    delete foreign;
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E"));
  }

  void expansionFollowsTheData() {
    WorkFileData& d = w_->context.data();
    RecordNode* a = Add(d, nullptr, "A");
    RecordNode* b = Add(d, a, "B");
    Add(d, b, "C");
    RecordNode* e = Add(d, nullptr, "E");
    Add(d, e, "F");
    a->expanded = true;
    b->expanded = true;
    w_->page.reloadFromData();
    StructureTreeView* tree = w_->page.tree();
    QVERIFY(tree->isExpanded(w_->indexOf(a)));
    QVERIFY(tree->isExpanded(w_->indexOf(b)));
    QVERIFY(!tree->isExpanded(w_->indexOf(e)));
    QCOMPARE(w_->page.focusedItem(), a);  // the first top-level item after reading

    tree->collapse(w_->indexOf(a));
    QVERIFY(!a->expanded);
    tree->expand(w_->indexOf(e));
    QVERIFY(e->expanded);

    // A subtree moved here keeps its open branches.
    w_->page.focusItem(b);
    QVERIFY(test::TriggerAction(&w_->page, "miStructCut"));
    w_->page.focusItem(e);
    QVERIFY(test::TriggerAction(&w_->page, "asChild1"));
    QVERIFY(tree->isExpanded(w_->indexOf(b)));
  }

  void focusItemOpensTheWay() {
    w_->fillSample();
    QSignalSpy focus(&w_->page, &StructurePage::focusedItemChanged);
    w_->page.focusItem(w_->dd);
    QVERIFY(w_->page.tree()->isExpanded(w_->indexOf(w_->a)));
    QVERIFY(w_->page.tree()->isExpanded(w_->indexOf(w_->c)));
    QCOMPARE(w_->page.focusedItem(), w_->dd);
    QCOMPARE(w_->page.selectedItem(), w_->dd);
    QCOMPARE(focus.last().at(0).value<RecordNode*>(), w_->dd);
  }

  void contextMenuSelectsTheItemUnderThePointer() {
    w_->fillSample();
    StructureTreeView* tree = w_->page.tree();
    w_->page.focusItem(w_->a);
    const QPoint onE = tree->visualRect(w_->indexOf(w_->e)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, onE, tree->viewport()->mapToGlobal(onE));
    QCoreApplication::sendEvent(tree->viewport(), &click);
    QCOMPARE(w_->page.focusedItem(), w_->e);
    QCOMPARE(w_->page.selectedItem(), w_->e);
    QTRY_VERIFY(w_->page.contextMenu()->isVisible());
    QVERIFY(test::FindAction(&w_->page, "miStructDel")->isEnabled());
    w_->page.contextMenu()->close();

    // From the keyboard (menu key) the menu opens for the focused item, which stays.
    w_->page.focusItem(w_->a);
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(1, 1), tree->viewport()->mapToGlobal(QPoint(1, 1)));
    QCoreApplication::sendEvent(tree->viewport(), &key);
    QTRY_VERIFY(w_->page.contextMenu()->isVisible());
    QCOMPARE(w_->page.focusedItem(), w_->a);
    w_->page.contextMenu()->close();
    w_->page.focusItem(w_->e);

    const QPoint empty(5, tree->viewport()->height() - 5);
    QContextMenuEvent onNothing(QContextMenuEvent::Mouse, empty, tree->viewport()->mapToGlobal(empty));
    QCoreApplication::sendEvent(tree->viewport(), &onNothing);
    QCOMPARE(w_->page.focusedItem(), w_->e);
    w_->page.contextMenu()->close();
  }

  void keyboard() {
    w_->fillSample();
    StructureTreeView* tree = w_->page.tree();
    tree->setFocus();
    w_->page.focusItem(w_->a);
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(w_->page.focusedItem(), w_->e);  // A is closed
    QTest::keyClick(tree, Qt::Key_Insert);
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E,Neues Element - 6"));
    QTest::keyClick(tree, Qt::Key_Insert, Qt::AltModifier);
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E,Neues Element - 6(Neues Element - 7)"));
    QTest::keyClick(tree, Qt::Key_Delete);
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E,Neues Element - 6"));
    w_->page.focusItem(w_->e);
    QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(tree, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E,E,Neues Element - 6"));
    QTest::keyClick(tree, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E(E),E,Neues Element - 6"));
    QTest::keyClick(tree, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(w_->page.model()->data(w_->indexOf(w_->e), StructureModel::CutRole).toBool());
    // The strip is reached with the tab key.
    QTest::keyClick(tree, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w_->page.findChild<QWidget*>("cmbKindSelect"));
  }

  void editMenuAndDisabledTree() {
    w_->fillSample();
    QMenu bearbeiten("Bearbeiten");
    bearbeiten.setObjectName("miEditStruct");
    w_->page.populateEditMenu(&bearbeiten);
    const char* names[] = {"miStructEdit1", "Neu1", "NeuesUnterelement1", "miStructCut1", "miStructCopy1",
                           "miStructPaste1", "alsUnterelement1", "aufgleicherEbene1", "miStructDel1"};
    for (const char* n : names) QVERIFY2(test::FindAction(&w_->page, n), n);
    QAction* props = test::FindAction(&w_->page, "miStructEdit1");
    QVERIFY(props->isVisible());
    QCOMPARE(test::FindAction(&w_->page, "Neu1")->statusTip(),
             QString("neues Element hinzufügen (unter aktuell selektiertem Element)"));

    w_->page.tree()->selectionModel()->clearSelection();
    emit bearbeiten.aboutToShow();
    for (const char* n : {"miStructEdit1", "miStructCut1", "miStructCopy1", "miStructDel1", "miStructPaste1"})
      QVERIFY2(!test::FindAction(&w_->page, n)->isEnabled(), n);
    QVERIFY(test::FindAction(&w_->page, "Neu1")->isEnabled());
    QVERIFY(test::FindAction(&w_->page, "NeuesUnterelement1")->isEnabled());

    w_->page.focusItem(w_->b);
    emit bearbeiten.aboutToShow();
    QVERIFY(props->isEnabled());
    QSignalSpy edit(&w_->page, &StructurePage::editItemRequested);
    props->trigger();
    QCOMPARE(edit.count(), 1);
    QCOMPARE(edit.at(0).at(0).value<RecordNode*>(), w_->b);

    // While the detail panel holds edits the tree takes nothing, the menu still works.
    w_->page.setTreeEnabled(false);
    QTest::keyClick(w_->page.tree(), Qt::Key_Delete);
    QCOMPARE(w_->shape(), QString("A(B,C(D)),E"));
    QVERIFY(test::TriggerAction(&w_->page, "Neu1"));
    QCOMPARE(w_->shape(), QString("A(B,Neues Element - 6,C(D)),E"));
  }

  void renumberedAfterDeleteAndPasteOnly() {
    w_->fillSample();
    QSignalSpy renumbered(&w_->page, &StructurePage::structureRenumbered);
    w_->page.focusItem(w_->b);
    QVERIFY(test::TriggerAction(&w_->page, "New1"));
    QCOMPARE(renumbered.count(), 0);
    QVERIFY(test::TriggerAction(&w_->page, "miStructDel"));
    QCOMPARE(renumbered.count(), 1);
    QCOMPARE(Ids(w_->context.data().structure), QString("1 2 3 4 5"));
  }

 private:
  std::unique_ptr<test::TestEnvironment> env_;
  std::unique_ptr<Window> w_;
};

QTEST_MAIN(StructureTreeTest)
#include "structure_tree_test.moc"
