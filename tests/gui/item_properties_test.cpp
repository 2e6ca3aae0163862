// The item properties dialog: same tabs and rules as the detail panel, written on "OK",
// its own findings list with selection-bound buttons and in-place editing.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "model/Cp1252.h"
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
#include "workfile/srcItemProperties.h"

using namespace orvela;
using test::Control;

namespace {

FieldList Item(const std::string& id) {
  return FieldList({"ID=" + id, "NAME=Kasse", "RISK=1 - gering", "DOCUMENTS=9",
                    "FINDINGS=" + ListToText({FieldList({"NAME=a"}), FieldList({"NAME=b"})}),
                    "WORKSTATE=uncompleted"});
}

// The same edits, whether the panel's or the dialog's form holds the controls.
void EditLikeAUser(QWidget* form) {
  Control<QLineEdit>(form, "editName")->setText("");
  Control<QComboBox>(form, "cmbRisk")->setCurrentIndex(1);
  Control<QListWidget>(form, "lbOU")->item(1)->setCheckState(Qt::Checked);
  Control<QComboBox>(form, "cmbWorkstate")->setCurrentIndex(2);
  Control<QPlainTextEdit>(form, "memoResult")->setPlainText("erledigt\nsiehe Akte");
  Control<QListWidget>(form, "lbDocuments")->item(0)->setCheckState(Qt::Checked);
  auto* view = Control<QTableView>(form, "vtFindings");
  view->selectionModel()->setCurrentIndex(view->model()->index(1, 1),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  Control<QToolButton>(form, "sbUpGen")->click();
}

}  // namespace

class ItemPropertiesTest : public QObject {
  Q_OBJECT
  std::unique_ptr<test::TestEnvironment> env;
  std::unique_ptr<test::ContextDouble> context;
  std::unique_ptr<StructurePage> page;
  ItemDetailPanel* panel = nullptr;

  RecordNode* top(int i) { return context->data().structure.root().child(std::size_t(i)); }
  void selectItem(int i) {
    page->focusItem(top(i));
  }

 private slots:
  void init() {
    env = std::make_unique<test::TestEnvironment>();
    context = std::make_unique<test::ContextDouble>(env->services);
    WorkFileData& d = context->data_;
    d.riskDefs = ListToText({FieldList({"ITEM=1", "VALUE=gering"}), FieldList({"ITEM=2", "VALUE=hoch"})});
    d.ouDefs = ListToText({FieldList({"ITEM=EK", "VALUE=Einkauf"}), FieldList({"ITEM=VK", "VALUE=Verkauf"})});
    FieldList doc = NewDocumentRecord();
    doc.setValue(key::ID, "4");
    d.documents.append(nullptr, doc);
    d.structure.append(nullptr, Item("1"));
    d.structure.append(nullptr, Item("2"));
    page = std::make_unique<StructurePage>(*context);
    panel = new ItemDetailPanel(*context, *page);
    page->reloadFromData();
  }
  void cleanup() {
    page.reset();
    context.reset();
    env.reset();
  }

  void doubleClickOnAFindingOpensIt() {
    // In the panel and in the dialog alike, on the finding that was double-clicked.
    const auto doubleClickSecond = [](QWidget* form) {
      Control<QTabWidget>(form, "PageControl1")->setCurrentIndex(3);
      QCoreApplication::processEvents();  // the tab's layout
      auto* view = Control<QTableView>(form, "vtFindings");
      const QPoint at = view->visualRect(view->model()->index(1, 1)).center();
      // As the system delivers it: press and release, then the second press as the double click.
      QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
      QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
    };
    QStringList opened;
    env->modals.handler = [&](QDialog& dialog) {
      if (dialog.windowTitle() == "Feststellungseigenschaften")
        opened << Control<QLineEdit>(&dialog, "editName")->text();
      else {
        dialog.show();
        doubleClickSecond(&dialog);
      }
      return int(QDialog::Rejected);
    };
    page->resize(900, 500);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    selectItem(0);
    doubleClickSecond(panel);
    QCOMPARE(opened, QStringList{"b"});
    selectItem(1);
    page->acEditItem();
    QCOMPARE(opened, (QStringList{"b", "b"}));
  }

  void writesTheSameRecordAsThePanel() {
    // Item 1 through the panel, item 2 through the dialog.
    selectItem(0);
    EditLikeAUser(panel);
    panel->acIDAcceptChanges();

    selectItem(1);
    int runs = 0;
    env->modals.handler = [&runs](QDialog& dialog) {
      ++runs;
      EditLikeAUser(&dialog);
      return int(QDialog::Accepted);
    };
    const int marksBefore = context->marks;
    page->acEditItem();  // "Eigenschaften" on the selected item
    QCOMPARE(runs, 1);
    QCOMPARE(context->marks, marksBefore + 1);

    std::vector<std::string> fromPanel = top(0)->record.lines();
    std::vector<std::string> fromDialog = top(1)->record.lines();
    QCOMPARE(fromPanel.front(), std::string("ID=1"));
    fromPanel.erase(fromPanel.begin());
    fromDialog.erase(fromDialog.begin());
    QCOMPARE(fromDialog, fromPanel);
    QVERIFY(!top(1)->record.hasKey(key::NAME));
    QCOMPARE(top(1)->record.value(key::DOCUMENTS), std::string("4"));
    QCOMPARE(top(1)->record.value(key::RESULT), std::string("erledigt\r\nsiehe Akte"));
    QCOMPARE(Names(top(1)->record), QStringList({"b", "a"}));
    // The unchanged panel shows what the dialog wrote, so a later accept keeps it.
    QCOMPARE(Control<QLineEdit>(panel, "editName")->text(), QString());
  }

  void cancelWritesNothing() {
    selectItem(0);
    const FieldList before = top(0)->record;
    env->modals.handler = [](QDialog& dialog) {
      Control<QLineEdit>(&dialog, "editName")->setText("anders");
      return int(QDialog::Rejected);
    };
    page->acEditItem();
    QCOMPARE(top(0)->record, before);
    QCOMPARE(context->marks, 0);
  }

  void signOffsComeWithOk() {
    struct Case {
      const char* name;
      std::vector<const char*> buttons;  // clicked in this order
      const char* note;
      bool confirm;
      SignOffState shown;  // what the dialog showed before closing
      SignOffState state;  // what the item holds after it
      std::string reviewer;
    };
    const Case cases[] = {
        {"cancelled", {"btnSignPrepared", "btnSignReviewed"}, "x", false, SignOffState::Reviewed, SignOffState::Open, ""},
        {"prepared", {"btnSignPrepared"}, "", true, SignOffState::Prepared, SignOffState::Prepared, ""},
        {"both, with a note", {"btnSignPrepared", "btnSignReviewed"}, "Bitte\nergänzen", true, SignOffState::Reviewed,
         SignOffState::Reviewed, "PC1/pruefer"},
        {"signed and taken back", {"btnSignPrepared", "btnSignReviewed", "btnRemoveSignOff"}, "", true,
         SignOffState::Prepared, SignOffState::Prepared, ""},
    };
    for (const Case& c : cases) {
      const QByteArray trace = c.name;
      top(0)->record = Item("1");
      const int marks = context->marks;
      QString state;
      env->modals.handler = [&](QDialog& dialog) {
        for (const char* b : c.buttons) Control<QPushButton>(&dialog, b)->click();
        Control<QPlainTextEdit>(&dialog, "memoReviewNote")->setPlainText(QString::fromUtf8(c.note));
        state = Control<QLabel>(&dialog, "labelSignOff")->text();
        return int(c.confirm ? QDialog::Accepted : QDialog::Rejected);
      };
      QCOMPARE(EditItemProperties(*context, *page, top(0)), c.confirm);
      QCOMPARE(context->marks, marks + (c.confirm ? 1 : 0));  // one step, whatever was signed
      QVERIFY2(ItemSignOffState(top(0)->record) == c.state, trace);
      QCOMPARE(state, QString::fromStdString(Cp1252ToUtf8(SignOffStateText(c.shown))));
      QCOMPARE(top(0)->record.value(key::REVIEWED_BY), c.reviewer);
      if (c.confirm) QCOMPARE(QString::fromStdString(Cp1252ToUtf8(top(0)->record.value(key::REVIEW_NOTE))),
                              QString::fromUtf8(c.note).replace("\n", "\r\n"));
    }
  }

  void dialogLayoutAndHelp() {
    TdlgItemProperties dialog(*context, *top(0));
    QCOMPARE(dialog.windowTitle(), QString("Elementeigenschaften"));
    auto* tabs = Control<QTabWidget>(&dialog, "PageControl1");
    QCOMPARE(tabs->count(), 6);
    QCOMPARE(tabs->tabText(3), QString("Feststellungen"));
    QCOMPARE(Control<QLabel>(&dialog, "labelID")->text(), QString("1"));
    QCOMPARE(Control<QComboBox>(&dialog, "cmbWorkstate")->currentIndex(), 1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    QCOMPARE(env->help.contexts, QList<int>{230});
  }

  void dialogFindingButtonsFollowTheSelection() {
    TdlgItemProperties dialog(*context, *top(0));
    auto* view = Control<QTableView>(&dialog, "vtFindings");
    const char* bound[] = {"sbDelDoc", "sbUpGen", "sbDownGen", "sbEditFinding"};
    QVERIFY(Control<QToolButton>(&dialog, "sbNewDoc")->isEnabled());
    for (const char* name : bound) QVERIFY2(!Control<QToolButton>(&dialog, name)->isEnabled(), name);
    view->selectionModel()->setCurrentIndex(view->model()->index(0, 1),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (const char* name : bound) QVERIFY2(Control<QToolButton>(&dialog, name)->isEnabled(), name);

    // A new finding of the dialog has all seven fields empty, directly after the focused one.
    Control<QToolButton>(&dialog, "sbNewDoc")->click();
    const auto& findings = dialog.form()->findingsPage()->findings();
    QCOMPARE(findings.size(), std::size_t(3));
    QCOMPARE(findings[1], NewDialogFindingRecord());
    QCOMPARE(view->currentIndex().row(), 1);
  }

  void inPlaceEditingOfNameAndDescription() {
    TdlgItemProperties dialog(*context, *top(0));
    auto* view = Control<QTableView>(&dialog, "vtFindings");
    QAbstractItemModel* model = view->model();
    QVERIFY(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(model->flags(model->index(0, 6)) & Qt::ItemIsEditable);
    QVERIFY(!(model->flags(model->index(0, 2)) & Qt::ItemIsEditable));
    QVERIFY(model->setData(model->index(0, 6), "Beschreibung"));
    QVERIFY(model->setData(model->index(0, 1), ""));
    const FieldList& f = dialog.form()->findingsPage()->findings()[0];
    QVERIFY(!f.hasKey(key::NAME));
    QCOMPARE(f.value(key::DESCRIPTION), std::string("Beschreibung"));
    // The item itself changes only on "OK".
    QCOMPARE(Names(top(0)->record), QStringList({"a", "b"}));
  }

 private:
  static QStringList Names(const FieldList& item) {
    QStringList out;
    for (const auto& f : TextToList(item.value(key::FINDINGS))) out << QString::fromStdString(f.value(key::NAME));
    return out;
  }
};

QTEST_MAIN(ItemPropertiesTest)
#include "item_properties_test.moc"
