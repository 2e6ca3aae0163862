// The item detail panel beside the structure tree: loading, the changed state and the
// disabled tree, accept and reject, the findings list of the panel, refused characters.
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/ItemSignOff.h"
#include "model/srcGlobalDef.h"
#include "support/Doubles.h"
#include "support/TestServices.h"
#include "workfile/FindingsPage.h"
#include "workfile/ItemDetailForm.h"
#include "workfile/ItemDetailPanel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"

using namespace orvela;
using test::Control;

namespace {

FieldList Item(const std::string& id, const std::string& name, const std::string& findings = "") {
  FieldList r({"ID=" + id, "NAME=" + name, "WORKSTATE=<nicht definiert>"});
  r.setValue(key::FINDINGS, findings);
  return r;
}

std::string Findings(const std::vector<std::string>& names) {
  std::vector<FieldList> rows;
  for (const auto& n : names) rows.push_back(FieldList({"NAME=" + n}));
  return ListToText(rows);
}

QStringList Names(const std::vector<FieldList>& findings) {
  QStringList out;
  for (const auto& f : findings) out << QString::fromStdString(f.value(key::NAME));
  return out;
}

}  // namespace

class ItemDetailTest : public QObject {
  Q_OBJECT
  std::unique_ptr<test::TestEnvironment> env;
  std::unique_ptr<test::ContextDouble> context;
  std::unique_ptr<QWidget> host;  // stands in for the work-file window with its status bar
  StructurePage* page = nullptr;
  ItemDetailPanel* panel = nullptr;

  void build() {
    host = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(host.get());
    page = new StructurePage(*context);
    panel = new ItemDetailPanel(*context, *page);
    layout->addWidget(page);
    auto* bar = new QStatusBar(host.get());
    bar->setObjectName("StatusBar");
    layout->addWidget(bar);
    host->resize(900, 500);
    host->show();
    QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    page->reloadFromData();
  }
  template <class T>
  T* child(const char* name) {
    return Control<T>(panel, name);
  }
  RecordNode* top(int i) { return context->data().structure.root().child(std::size_t(i)); }
  bool okEnabled() { return child<QToolButton>("sbItemDetailOk")->isEnabled(); }
  bool treeEnabled() { return page->tree()->isEnabled(); }

 private slots:
  void init() {
    env = std::make_unique<test::TestEnvironment>();
    context = std::make_unique<test::ContextDouble>(env->services);
    WorkFileData& d = context->data_;
    d.riskDefs = ListToText({FieldList({"ITEM=1", "VALUE=gering"}), FieldList({"ITEM=2", "VALUE=hoch"})});
    d.ouDefs = ListToText({FieldList({"ITEM=EK", "VALUE=Einkauf"})});
    d.structure.append(nullptr, Item("1", "Kasse", Findings({"a", "b", "c"})));
    d.structure.append(nullptr, Item("2", "Lager"));
    d.lastItemId = 2;
  }
  void cleanup() {
    host.reset();
    context.reset();
    env.reset();
  }

  void loadsTheFocusedItemUnchanged() {
    build();
    QCOMPARE(panel->objectName(), QString("panelDetail"));
    QCOMPARE(page->detailPanel(), panel);
    QCOMPARE(panel->item(), top(0));
    QCOMPARE(child<QLabel>("labelID")->text(), QString("1"));
    QCOMPARE(child<QLineEdit>("editName")->text(), QString("Kasse"));
    QCOMPARE(child<QComboBox>("cmbRisk")->count(), 2);
    QCOMPARE(child<QComboBox>("cmbRisk")->currentIndex(), -1);
    QCOMPARE(child<QListWidget>("lbOU")->item(0)->text(), QString("EK - Einkauf"));
    QCOMPARE(child<QComboBox>("cmbWorkstate")->currentText(), QString("nicht definiert"));
    QCOMPARE(child<QTableView>("vtFindings")->model()->rowCount(), 3);
    auto* tabs = child<QTabWidget>("PageControl1");
    const QStringList captions{"Allgemein", "Beschreibung", "Ergebnis", "Feststellungen", "Dokumente"};
    for (int i = 0; i < captions.size(); ++i) QCOMPARE(tabs->tabText(i), captions[i]);
    // Filling the controls raised their notifications; the state came after.
    QVERIFY(!okEnabled());
    QVERIFY(!child<QToolButton>("sbItemDetailCancel")->isEnabled());
    QVERIFY(treeEnabled());
  }

  void oneTypedAndDeletedCharacterStillAccepts() {
    build();
    auto* name = child<QLineEdit>("editName");
    const FieldList before = top(0)->record;
    name->setFocus();
    QTest::keyClick(name, Qt::Key_X);
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(name->text(), QString("Kasse"));
    QVERIFY(panel->isChanged());
    QVERIFY(okEnabled());
    QVERIFY(!treeEnabled());  // no switching to another item with edits pending

    QTest::mouseClick(child<QToolButton>("sbItemDetailOk"), Qt::LeftButton);
    QCOMPARE(context->marks, 1);
    QVERIFY(!panel->isChanged());
    QVERIFY(treeEnabled());
    QCOMPARE(top(0)->record.value(key::NAME), std::string("Kasse"));
    QCOMPARE(top(0)->record.value(key::FINDINGS), before.value(key::FINDINGS));
  }

  void acceptWritesTheControls() {
    build();
    child<QLineEdit>("editName")->setText("Kasse neu");
    child<QComboBox>("cmbRisk")->setCurrentIndex(1);
    child<QListWidget>("lbOU")->item(0)->setCheckState(Qt::Checked);
    child<QComboBox>("cmbWorkstate")->setCurrentIndex(2);
    child<QPlainTextEdit>("memoItem")->setPlainText("eins\nzwei\ndrei");
    panel->acIDAcceptChanges();
    const FieldList& r = top(0)->record;
    QCOMPARE(r.value(key::NAME), std::string("Kasse neu"));
    QCOMPARE(r.value(key::RISK), std::string("2 - hoch"));
    QCOMPARE(r.value(key::OU_X), std::string("\"EK - Einkauf\""));
    QVERIFY(!r.hasKey(key::OU_UX));
    QCOMPARE(r.value(key::WORKSTATE), std::string("completed"));
    QCOMPARE(r.value(key::DESCRIPTION), std::string("eins\r\nzwei\r\ndrei"));
    // The tree shows the new name at once.
    QCOMPARE(page->tree()->model()->index(0, 0).data().toString().contains("Kasse neu"), true);
  }

  void rejectAndFocusChangesDiscardEdits() {
    build();
    child<QLineEdit>("editName")->setText("verworfen");
    QTest::mouseClick(child<QToolButton>("sbItemDetailCancel"), Qt::LeftButton);
    QCOMPARE(child<QLineEdit>("editName")->text(), QString("Kasse"));
    QVERIFY(!panel->isChanged());

    // A menu command that focuses another item ends the edits without a question.
    child<QLineEdit>("editName")->setText("auch verworfen");
    QVERIFY(!treeEnabled());
    page->caNewNode();
    QVERIFY(panel->item() != top(0));
    QCOMPARE(panel->item(), page->focusedItem());
    QCOMPARE(child<QLineEdit>("editName")->text(),
             QString::fromStdString(page->focusedItem()->record.value(key::NAME)));
    QVERIFY(!panel->isChanged());
    QVERIFY(treeEnabled());
    QCOMPARE(top(0)->record.value(key::NAME), std::string("Kasse"));
    QCOMPARE(env->messages.shown.size(), 0);
  }

  void acceptGoesToTheShownItemAlsoWithoutSelection() {
    build();
    page->tree()->selectionModel()->clearSelection();  // Ctrl+click on the focused item
    QCOMPARE(page->selectedItem(), nullptr);
    QCOMPARE(page->focusedItem(), top(0));
    child<QLineEdit>("editName")->setText("Kasse 2");
    panel->acIDAcceptChanges();
    QVERIFY(!panel->isChanged());
    QCOMPARE(top(0)->record.value(key::NAME), std::string("Kasse 2"));
    QCOMPARE(top(1)->record.value(key::NAME), std::string("Lager"));
  }

  void emptyWorkFile() {
    // No item, nothing to edit: the panel takes no input, so typing cannot leave edits
    // that would later ask to be saved.
    context->data_.structure.clear();
    build();
    QCOMPARE(panel->item(), nullptr);
    QVERIFY(!panel->isEnabled());
    QCOMPARE(child<QLineEdit>("editName")->text(), QString());
    QCOMPARE(child<QComboBox>("cmbWorkstate")->count(), 0);
    QTest::keyClicks(child<QLineEdit>("editName"), "x");
    QCOMPARE(child<QLineEdit>("editName")->text(), QString());
    QVERIFY(!panel->isChanged());
    QCOMPARE(context->marks, 0);

    // The first item makes it editable; deleting the last one ends that again.
    page->caNewNode();
    QVERIFY(panel->isEnabled());
    QCOMPARE(panel->item(), top(0));
    page->caDeleteNode();
    QCOMPARE(panel->item(), nullptr);
    QVERIFY(!panel->isEnabled());
    QVERIFY(!panel->isChanged());
  }

  void shownIdFollowsTheNumbering() {
    context->data_.structure.append(nullptr, Item("3", "Bank"));
    build();
    for (const auto& [id, name] : {std::pair{"1", "Lager"}, std::pair{"1", "Bank"}}) {
      page->caDeleteNode();  // the focused, first item; the focus goes to the next
      QCOMPARE(child<QLineEdit>("editName")->text(), QString(name));
      QCOMPARE(child<QLabel>("labelID")->text(), QString(id));
      QCOMPARE(QString::fromStdString(panel->item()->record.value(key::ID)), QString(id));
    }
  }

  void findingsOperations() {
    enum Op { New, Up, Down, Delete };
    struct Case {
      const char* name;
      int focused;  // -1: none
      Op op;
      QStringList after;
      int focusAfter;
    };
    const Case cases[] = {
        {"new without focus appends", -1, New, {"a", "b", "c", "Neue Feststellung"}, 3},
        {"new after the second", 1, New, {"a", "b", "Neue Feststellung", "c"}, 2},
        {"up on the first stays", 0, Up, {"a", "b", "c"}, 0},
        {"up on the second", 1, Up, {"b", "a", "c"}, 0},
        {"down on the last goes to the top", 2, Down, {"c", "a", "b"}, 0},
        {"delete the selected", 1, Delete, {"a", "c"}, -2},
        {"delete without selection", -1, Delete, {"a", "b", "c"}, -2},
    };
    build();
    auto* view = child<QTableView>("vtFindings");
    FindingsPage* findings = panel->form()->findingsPage();
    for (const Case& c : cases) {
      const QByteArray trace = c.name;
      panel->acIDRejectChanges();
      QVERIFY2(!panel->isChanged(), trace);
      QCOMPARE(view->model()->rowCount(), 3);
      if (c.focused >= 0)
        view->selectionModel()->setCurrentIndex(view->model()->index(c.focused, 1),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      switch (c.op) {
        case New: QTest::mouseClick(child<QToolButton>("SpeedButton1"), Qt::LeftButton); break;
        case Up: QTest::mouseClick(child<QToolButton>("sbUpGen"), Qt::LeftButton); break;
        case Down: QTest::mouseClick(child<QToolButton>("sbDownGen"), Qt::LeftButton); break;
        case Delete: QTest::mouseClick(child<QToolButton>("SpeedButton2"), Qt::LeftButton); break;
      }
      QVERIFY2(Names(findings->findings()) == c.after, trace + ": " + Names(findings->findings()).join(",").toUtf8());
      if (c.focusAfter >= -1) QCOMPARE(view->currentIndex().row(), c.focusAfter);
      QVERIFY2(panel->isChanged(), trace);  // also when nothing moved
      // The item's findings change only at accept.
      QCOMPARE(top(0)->record.value(key::FINDINGS), Findings({"a", "b", "c"}));
    }
    // Accepting writes the list at once, so that reports see it.
    view->selectionModel()->setCurrentIndex(view->model()->index(2, 1),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    panel->acIDRejectChanges();
    QTest::mouseClick(child<QToolButton>("sbDownGen"), Qt::LeftButton);  // nothing focused after the reload
    findings->acNewFindItem();
    panel->acIDAcceptChanges();
    const auto stored = TextToList(top(0)->record.value(key::FINDINGS));
    QCOMPARE(Names(stored), (QStringList{"a", "b", "c", "Neue Feststellung"}));
    QCOMPARE(stored.back(), NewPanelFindingRecord());

    // Deleting every finding and accepting removes FINDINGS.
    for (int i = 0; i < 4; ++i) {
      view->selectionModel()->setCurrentIndex(view->model()->index(0, 1),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      findings->acDelFindItem();
    }
    panel->acIDAcceptChanges();
    QVERIFY(!top(0)->record.hasKey(key::FINDINGS));
  }

  void panelFindingButtonsStayEnabledAndListIsReadOnly() {
    build();
    for (const char* name : {"SpeedButton1", "SpeedButton2", "sbUpGen", "sbDownGen", "sbEditFinding"})
      QVERIFY2(child<QToolButton>(name)->isEnabled(), name);
    QCOMPARE(child<QToolButton>("SpeedButton1")->toolTip(), QString("neuen Eintrag hinzufügen"));
    auto* view = child<QTableView>("vtFindings");
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(view->model()->headerData(7, Qt::Horizontal).toString(), QString("Deadline"));
    QCOMPARE(view->columnWidth(1), 120);
  }

  void cancelledFindingDialogKeepsItsNormalisationsInTheWorkingCopy() {
    build();
    FindingsPage* findings = panel->form()->findingsPage();
    findings->acNewFindItem();
    panel->acIDAcceptChanges();
    auto* view = child<QTableView>("vtFindings");
    view->selectionModel()->setCurrentIndex(view->model()->index(3, 1),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    int runs = 0;
    env->modals.handler = [&runs](QDialog&) {
      ++runs;
      return int(QDialog::Rejected);
    };
    QTest::mouseClick(child<QToolButton>("sbEditFinding"), Qt::LeftButton);
    QCOMPARE(runs, 1);
    QVERIFY(!panel->isChanged());
    QCOMPARE(findings->findings()[3].value(key::TYPE), std::string("0"));
    QCOMPARE(findings->findings()[3].value(key::DEADLINE), std::string("01.01.1900"));
    QCOMPARE(view->model()->index(3, 7).data().toString(), QString("01.01.1900"));
    QVERIFY(!TextToList(top(0)->record.value(key::FINDINGS))[3].value(key::TYPE).size());

    env->modals.handler = [](QDialog&) { return int(QDialog::Accepted); };
    QTest::mouseClick(child<QToolButton>("sbEditFinding"), Qt::LeftButton);
    QVERIFY(panel->isChanged());
  }

  void signOffsTakeEffectAtOnceAndChangesAfterReviewShow() {
    build();
    auto* state = child<QLabel>("labelSignOff");
    auto* changedMark = child<QLabel>("labelChangedAfterReview");
    auto* result = child<QPlainTextEdit>("memoResult");
    QCOMPARE(state->text(), QString("offen"));
    QCOMPARE(child<QLabel>("labelPrepared")->text(), QString("Bearbeitet: noch nicht abgezeichnet"));
    QVERIFY(!child<QPushButton>("btnRemoveSignOff")->isEnabled());
    // The buttons sit on the tab "Abzeichnung", not the one shown.
    const auto click = [&](const char* button) { child<QPushButton>(button)->click(); };
    const auto stateOf = [&] { return ItemSignOffState(top(0)->record); };

    // Each sign-off is one step of its own name, with the user and time of the session.
    click("btnSignPrepared");
    QCOMPARE(context->marks, 1);
    QCOMPARE(context->editor().undoName(), std::string("Als bearbeitet abzeichnen"));
    QCOMPARE(top(0)->record.value(key::PREPARED_BY), std::string("PC1/pruefer"));
    QCOMPARE(top(0)->record.value(key::PREPARED_AT), std::string("09.12.2024 14:03:05"));
    QCOMPARE(child<QLabel>("labelPrepared")->text(), QString("Bearbeitet von PC1/pruefer am 09.12.2024 14:03:05"));
    QCOMPARE(state->text(), QString("bearbeitet"));
    QVERIFY(!panel->isChanged());
    QVERIFY(treeEnabled());

    click("btnSignReviewed");
    QCOMPARE(stateOf(), SignOffState::Reviewed);
    QCOMPARE(state->text(), QString("geprüft"));
    QVERIFY(changedMark->isHidden());

    // A review note is no content: the review stands.
    child<QPlainTextEdit>("memoReviewNote")->setPlainText("Belege\nnachfordern");
    panel->acIDAcceptChanges();
    QCOMPARE(top(0)->record.value(key::REVIEW_NOTE), std::string("Belege\r\nnachfordern"));
    QCOMPARE(stateOf(), SignOffState::Reviewed);

    // Content accepted after the review marks the item; typed but not accepted, it does not.
    result->setPlainText("neu");
    QCOMPARE(state->text(), QString("geprüft"));
    panel->acIDAcceptChanges();
    QCOMPARE(stateOf(), SignOffState::ChangedAfterReview);
    QCOMPARE(state->text(), QString("nach Prüfung geändert"));
    QVERIFY(!changedMark->isHidden());

    // Undo takes the change back, and with it the mark.
    QVERIFY(context->editor().undo());
    QCOMPARE(state->text(), QString("geprüft"));
    QVERIFY(context->editor().redo());
    QCOMPARE(state->text(), QString("nach Prüfung geändert"));

    // Signing with pending edits writes both in one step; the review covers the edits.
    child<QLineEdit>("editName")->setText("Kasse 2");
    const int marks = context->marks;
    click("btnSignReviewed");
    QCOMPARE(context->marks, marks + 1);
    QCOMPARE(top(0)->record.value(key::NAME), std::string("Kasse 2"));
    QCOMPARE(stateOf(), SignOffState::Reviewed);
    // ...and not what is typed after it.
    result->setPlainText("noch neuer");
    panel->acIDAcceptChanges();
    QCOMPARE(stateOf(), SignOffState::ChangedAfterReview);

    // Removing takes the review back first, then the preparation.
    click("btnRemoveSignOff");
    QCOMPARE(stateOf(), SignOffState::Prepared);
    QCOMPARE(context->editor().undoName(), std::string("Abzeichnung entfernen"));
    QCOMPARE(top(0)->record.value(key::REVIEW_NOTE), std::string("Belege\r\nnachfordern"));
    click("btnRemoveSignOff");
    QCOMPARE(stateOf(), SignOffState::Open);
    QCOMPARE(state->text(), QString("offen"));
    QVERIFY(!child<QPushButton>("btnRemoveSignOff")->isEnabled());
  }

  void characterOutsideTheCharacterSetIsRefusedVisibly() {
    build();
    auto* name = child<QLineEdit>("editName");
    auto* memo = child<QPlainTextEdit>("memoResult");
    name->setText("Kasse \u2192 neu \u20AC");  // the arrow has no Windows-1252 byte, the euro sign has
    QCOMPARE(name->text(), QString("Kasse  neu \u20AC"));
    memo->setPlainText("a\u2603b");
    QCOMPARE(memo->toPlainText(), QString("ab"));
    auto* bar = host->findChild<QStatusBar*>("StatusBar");
    QVERIFY(bar->currentMessage().contains("U+2603"));
    panel->acIDAcceptChanges();
    QCOMPARE(top(0)->record.value(key::NAME), std::string("Kasse  neu \x80"));
    QCOMPARE(top(0)->record.value(key::RESULT), std::string("ab"));
  }
};

QTEST_MAIN(ItemDetailTest)
#include "item_detail_test.moc"
