// The finding properties dialog and EditFinding: what the controls show, the
// normalisations on opening, OK and cancel, and a deadline that is not a date.
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"
#include "support/Doubles.h"
#include "support/TestServices.h"
#include "workfile/srcFindingProperties.h"

using namespace orvela;
using test::Control;

namespace {
const std::string kRiskDefs =
    ListToText({FieldList({"ITEM=1", "VALUE=gering"}), FieldList({"ITEM=2", "VALUE=hoch"})});
const std::vector<std::string> kUnits{"EK - Einkauf", "VK - Verkauf"};
const std::vector<std::string> kDocuments{"1 - Vertrag (a.pdf)", "3 - Liste (b.xls)"};
}  // namespace

class FindingPropertiesTest : public QObject {
  Q_OBJECT
  std::unique_ptr<test::TestEnvironment> env;
  int runs = 0;

  // Runs EditFinding with a user who does `act` in the open dialog and then confirms
  // (or cancels).
  bool edit(FieldList& record, const std::function<void(QDialog&)>& act, bool confirm) {
    env->modals.handler = [&, confirm](QDialog& dialog) {
      ++runs;
      act(dialog);
      return int(confirm ? QDialog::Accepted : QDialog::Rejected);
    };
    return EditFinding(env->services, record, kUnits, kDocuments, kRiskDefs, nullptr);
  }

 private slots:
  void init() {
    env = std::make_unique<test::TestEnvironment>();
    runs = 0;
  }
  void cleanup() {
    env.reset();
  }

  void showsTheRecord() {
    FieldList record({"NAME=Lager", "TYPE=1", "RISK=2 - HOCH", "OU=\"VK - Verkauf\"", "EVIDENCE=3",
                      "DESCRIPTION=a\r\nb", "DEADLINE=15.03.2026"});
    edit(record, [](QDialog& d) {
      QCOMPARE(d.windowTitle(), QString("Feststellungseigenschaften"));
      auto* tabs = Control<QTabWidget>(&d, "PageControl1");
      QCOMPARE(tabs->count(), 3);
      QCOMPARE(tabs->tabText(1), QString("Nachweise"));
      QCOMPARE(Control<QLineEdit>(&d, "editName")->text(), QString("Lager"));
      auto* type = Control<QComboBox>(&d, "cmbType");
      QCOMPARE(type->count(), 3);
      QCOMPARE(type->currentText(), QString("Empfehlung"));
      QCOMPARE(type->itemText(2), QString("Maßnahme"));
      QCOMPARE(Control<QComboBox>(&d, "cmbRisk")->currentText(), QString("2 - hoch"));
      auto* ou = Control<QListWidget>(&d, "lbOU");
      QCOMPARE(ou->count(), 2);
      QCOMPARE(ou->item(1)->checkState(), Qt::Checked);
      QCOMPARE(Control<QListWidget>(&d, "lbEvidence")->item(1)->checkState(), Qt::Checked);
      QCOMPARE(Control<QPlainTextEdit>(&d, "memoDescription")->toPlainText(), QString("a\nb"));
      QCOMPARE(Control<QDateEdit>(&d, "cmbDate")->date(), QDate(2026, 3, 15));
    }, false);
    QCOMPARE(runs, 1);
  }

  void okWritesTheControlsInOrder() {
    FieldList record = NewPanelFindingRecord();
    const bool ok = edit(record, [](QDialog& d) {
      // The empty date shows as not defined.
      QCOMPARE(Control<QDateEdit>(&d, "cmbDate")->text(), QString("<nicht definiert>"));
      Control<QLineEdit>(&d, "editName")->setText("Inventur");
      Control<QComboBox>(&d, "cmbType")->setCurrentIndex(2);
      Control<QComboBox>(&d, "cmbRisk")->setCurrentIndex(0);
      Control<QListWidget>(&d, "lbOU")->item(0)->setCheckState(Qt::Checked);
      Control<QListWidget>(&d, "lbEvidence")->item(1)->setCheckState(Qt::Checked);
      Control<QPlainTextEdit>(&d, "memoDescription")->setPlainText("eins\nzwei");
      Control<QDateEdit>(&d, "cmbDate")->setDate(QDate(2026, 6, 30));
    }, true);
    QVERIFY(ok);
    QCOMPARE(record.lines(), (std::vector<std::string>{"NAME=Inventur", "TYPE=2", "RISK=1 - gering",
                                                       "DESCRIPTION=eins\r\nzwei", "DEADLINE=30.06.2026",
                                                       "OU=\"EK - Einkauf\"", "EVIDENCE=3"}));
  }

  void calendarOfTheEmptyDateOpensAtToday() {
    FieldList record = NewPanelFindingRecord();
    edit(record, [](QDialog& d) {
      auto* date = Control<QDateEdit>(&d, "cmbDate");
      QCalendarWidget* calendar = date->calendarWidget();
      d.show();
      calendar->parentWidget()->show();  // the drop-down of the date field
      QCOMPARE(calendar->yearShown(), QDate::currentDate().year());
      QCOMPARE(calendar->monthShown(), QDate::currentDate().month());
      calendar->parentWidget()->hide();
      QCOMPARE(date->date(), QDate(1900, 1, 1));  // only the page moved, not the date
    }, true);
    QCOMPARE(record.value(key::DEADLINE), std::string("01.01.1900"));
  }

  void cancelKeepsOnlyTheNormalisations() {
    FieldList record = NewPanelFindingRecord();
    QVERIFY(!edit(record, [](QDialog& d) { Control<QLineEdit>(&d, "editName")->setText("weg"); }, false));
    QCOMPARE(record.value(key::NAME), std::string("Neue Feststellung"));
    QCOMPARE(record.value(key::TYPE), std::string("0"));
    QCOMPARE(record.value(key::DEADLINE), std::string("01.01.1900"));
  }

  void typedRiskAndUnknownType() {
    FieldList record({"NAME=x", "TYPE=5", "DEADLINE=01.01.1900"});
    edit(record, [](QDialog& d) {
      QCOMPARE(Control<QComboBox>(&d, "cmbType")->currentIndex(), -1);
      auto* risk = Control<QComboBox>(&d, "cmbRisk");
      QVERIFY(risk->isEditable());
      risk->setEditText("eigenes Risiko");
    }, true);
    QCOMPARE(record.value(key::TYPE), std::string("-1"));
    QCOMPARE(record.value(key::RISK), std::string("eigenes Risiko"));
    QCOMPARE(record.value(key::DEADLINE), std::string("01.01.1900"));

    // Reopened, the typed text matches no entry: the box is empty and OK removes RISK.
    edit(record, [](QDialog& d) { QCOMPARE(Control<QComboBox>(&d, "cmbRisk")->currentText(), QString()); }, true);
    QVERIFY(!record.hasKey(key::RISK));
  }

  void deadlineInAnotherFormatOpensNoDialog() {
    FieldList record({"NAME=x", "DEADLINE=2026-03-15"});
    QVERIFY(!edit(record, [](QDialog&) {}, true));
    QCOMPARE(runs, 0);
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, platform::MessageKind::Error);
    QVERIFY(env->messages.shown[0].text.contains("'2026-03-15' ist kein gültiges Datum"));
    QCOMPARE(record.value(key::TYPE), std::string("0"));
    QCOMPARE(record.value(key::DEADLINE), std::string("2026-03-15"));
  }

  void helpContext() {
    TdlgFindingProperties dialog(env->services);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    QCOMPARE(env->help.contexts, QList<int>{200});
  }
};

QTEST_MAIN(FindingPropertiesTest)
#include "finding_properties_test.moc"
