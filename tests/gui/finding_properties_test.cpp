// The finding properties dialog and EditFinding: what the controls show, the
// normalisations on opening, OK and cancel, and a deadline that is not a date.
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"
#include "support/Doubles.h"
#include "support/TestServices.h"
#include "workfile/DeadlineEdit.h"
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
      QCOMPARE(tabs->count(), 4);
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
      QCOMPARE(Control<DeadlineEdit>(&d, "cmbDate")->date(), QDate(2026, 3, 15));
    }, false);
    QCOMPARE(runs, 1);
  }

  void okWritesTheControlsInOrder() {
    FieldList record = NewPanelFindingRecord();
    const bool ok = edit(record, [](QDialog& d) {
      // The empty date shows as not defined.
      auto* date = Control<DeadlineEdit>(&d, "cmbDate");
      QCOMPARE(date->text(), QString());
      QCOMPARE(date->lineEdit()->placeholderText(), QString("<nicht definiert>"));
      Control<QLineEdit>(&d, "editName")->setText("Inventur");
      Control<QComboBox>(&d, "cmbType")->setCurrentIndex(2);
      Control<QComboBox>(&d, "cmbRisk")->setCurrentIndex(0);
      Control<QListWidget>(&d, "lbOU")->item(0)->setCheckState(Qt::Checked);
      Control<QListWidget>(&d, "lbEvidence")->item(1)->setCheckState(Qt::Checked);
      Control<QPlainTextEdit>(&d, "memoDescription")->setPlainText("eins\nzwei");
      Control<DeadlineEdit>(&d, "cmbDate")->setDate(QDate(2026, 6, 30));
    }, true);
    QVERIFY(ok);
    QCOMPARE(record.lines(), (std::vector<std::string>{"NAME=Inventur", "TYPE=2", "RISK=1 - gering",
                                                       "DESCRIPTION=eins\r\nzwei", "DEADLINE=30.06.2026",
                                                       "OU=\"EK - Einkauf\"", "EVIDENCE=3"}));
  }

  void followUpShownAndWritten() {
    struct Case {
      const char* name;
      std::vector<std::string> stored;  // follow-up lines on opening
      int shownStatus;
      QDate shownDoneAt;
      std::function<void(QDialog&)> act;
      const char* typedDoneAt;            // nullptr: the field is left alone
      std::vector<std::string> written;  // follow-up lines after OK; empty + refused: stays open
      bool refused;
    };
    const Case cases[] = {
        {"nothing set, nothing written", {}, 0, DeadlineEdit::kEmptyDate, [](QDialog&) {}, nullptr, {}, false},
        {"every field",
         {},
         0,
         DeadlineEdit::kEmptyDate,
         [](QDialog& d) {
           Control<QComboBox>(&d, "cmbStatus")->setCurrentIndex(2);
           Control<QLineEdit>(&d, "editResponsible")->setText("Frau Kühn");
           Control<QPlainTextEdit>(&d, "memoResponse")->setPlainText("Wird\nerledigt");
         },
         "3.2.2026",
         {"STATUS=2", "RESPONSE=Wird\r\nerledigt", "RESPONSIBLE=Frau K\xFChn", "DONE-AT=03.02.2026"},
         false},
        {"stored values shown and kept",
         {"STATUS=3", "RESPONSE=a", "RESPONSIBLE=b", "DONE-AT=01.03.2026"},
         3,
         QDate(2026, 3, 1),
         [](QDialog&) {},
         nullptr,
         {"STATUS=3", "RESPONSE=a", "RESPONSIBLE=b", "DONE-AT=01.03.2026"},
         false},
        {"unknown status and done date kept", {"STATUS=7", "DONE-AT=irgendwann"}, 0, DeadlineEdit::kEmptyDate,
         [](QDialog&) {}, nullptr, {"STATUS=7", "DONE-AT=irgendwann"}, false},
        {"done date emptied", {"DONE-AT=01.03.2026"}, 0, QDate(2026, 3, 1), [](QDialog&) {}, "", {}, false},
        {"done date no date", {}, 0, DeadlineEdit::kEmptyDate, [](QDialog&) {}, "gestern", {}, true},
    };
    for (const Case& c : cases) {
      const QByteArray trace = c.name;
      env->messages.clear();
      std::vector<std::string> lines{"NAME=x", "TYPE=1", "DEADLINE=01.01.1900"};
      lines.insert(lines.end(), c.stored.begin(), c.stored.end());
      FieldList record(lines);
      bool stayedOpen = false;
      QString tabCaption, secondStatus;
      int statusCount = 0, statusShown = -1, tabAfterRefusal = -1;
      QDate doneShown;
      env->modals.handler = [&](QDialog& d) {
        d.show();
        auto* tabs = Control<QTabWidget>(&d, "PageControl1");
        tabCaption = tabs->tabText(3);
        auto* status = Control<QComboBox>(&d, "cmbStatus");
        statusCount = status->count();
        secondStatus = status->itemText(1);
        statusShown = status->currentIndex();
        auto* doneAt = Control<DeadlineEdit>(&d, "cmbDoneAt");
        doneShown = doneAt->date();
        c.act(d);
        if (c.typedDoneAt) {
          doneAt->lineEdit()->clear();
          QTest::keyClicks(doneAt->lineEdit(), c.typedDoneAt);
        }
        Control<QPushButton>(&d, "OKBtn")->click();
        stayedOpen = d.isVisible();
        tabAfterRefusal = tabs->currentIndex();
        d.hide();
        return stayedOpen ? int(QDialog::Rejected) : d.result();
      };
      EditFinding(env->services, record, kUnits, kDocuments, kRiskDefs, nullptr);
      QCOMPARE(tabCaption, QString("Umsetzung"));
      QCOMPARE(statusCount, 4);
      QCOMPARE(secondStatus, QString("in Umsetzung"));
      QVERIFY2(statusShown == c.shownStatus, trace);
      QVERIFY2(doneShown == c.shownDoneAt, trace);
      QVERIFY2(stayedOpen == c.refused, trace);
      if (c.refused) QCOMPARE(tabAfterRefusal, 3);  // the field with the fault is shown
      QCOMPARE(env->messages.shown.size(), c.refused ? 1 : 0);
      if (c.refused) continue;
      std::vector<std::string> expected{"NAME=x", "TYPE=1", "DEADLINE=01.01.1900"};
      expected.insert(expected.end(), c.written.begin(), c.written.end());
      QVERIFY2(record.lines() == expected, trace + ": " + QByteArray::fromStdString(record.commaText()));
    }
  }

  void calendarOpensAtTodayWhenEmptyAndPicksADate() {
    FieldList record = NewPanelFindingRecord();
    edit(record, [](QDialog& d) {
      auto* date = Control<DeadlineEdit>(&d, "cmbDate");
      QCalendarWidget* calendar = date->calendarWidget();
      d.show();
      QTest::keyClick(date->lineEdit(), Qt::Key_Down, Qt::AltModifier);
      QVERIFY(calendar->isVisible());
      QCOMPARE(calendar->yearShown(), QDate::currentDate().year());
      QCOMPARE(calendar->monthShown(), QDate::currentDate().month());
      QCOMPARE(date->date(), QDate(1900, 1, 1));  // only the page moved, not the date
      emit calendar->clicked(QDate(2027, 4, 9));
      QVERIFY(!calendar->isVisible());
      QCOMPARE(date->text(), QString("09.04.2027"));
      // Dropped down again, it shows the field's date.
      date->showCalendar();
      QCOMPARE(calendar->selectedDate(), QDate(2027, 4, 9));
      calendar->window()->hide();
    }, true);
    QCOMPARE(record.value(key::DEADLINE), std::string("09.04.2027"));
  }

  void typedDeadline() {
    struct Case {
      const char* name;
      const char* before;  // DEADLINE on opening
      const char* typed;
      const char* after;  // DEADLINE written; nullptr: refused, the dialog stays open
    };
    const Case cases[] = {
        {"two-digit day and month", "01.01.1900", "15.03.2026", "15.03.2026"},
        {"one-digit day and month", "01.01.1900", "5.3.2026", "05.03.2026"},
        {"blanks around it", "01.01.1900", " 7.11.2026 ", "07.11.2026"},
        {"emptied: no deadline", "15.03.2026", "", "01.01.1900"},
        {"impossible date", "01.01.1900", "31.02.2026", nullptr},
        {"no date at all", "15.03.2026", "morgen", nullptr},
    };
    for (const Case& c : cases) {
      const QByteArray trace = c.name;
      env->messages.clear();
      FieldList record({"NAME=x", std::string("DEADLINE=") + c.before});
      bool stayedOpen = false;
      QString typedText, textAfterOk;
      env->modals.handler = [&](QDialog& d) {
        d.show();
        auto* date = Control<DeadlineEdit>(&d, "cmbDate");
        date->lineEdit()->clear();
        QTest::keyClicks(date->lineEdit(), c.typed);
        typedText = date->lineEdit()->text();
        Control<QPushButton>(&d, "OKBtn")->click();
        stayedOpen = d.isVisible();
        textAfterOk = date->lineEdit()->text();
        return d.result();
      };
      const bool ok = EditFinding(env->services, record, kUnits, kDocuments, kRiskDefs, nullptr);
      QCOMPARE(typedText, QString(c.typed));  // nothing of its own mixed in
      QCOMPARE(textAfterOk, QString(c.typed));
      if (c.after) {
        QVERIFY2(ok, trace);
        QCOMPARE(record.value(key::DEADLINE), std::string(c.after));
        QVERIFY2(env->messages.shown.isEmpty(), trace);
      } else {
        QVERIFY2(!ok && stayedOpen, trace);
        QCOMPARE(env->messages.texts(), QStringList{"'" + QString(c.typed) + "' ist kein gültiges Datum"});
        QCOMPARE(env->messages.shown[0].kind, platform::MessageKind::Error);
        QCOMPARE(record.value(key::DEADLINE), std::string(c.before));
      }
    }
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
