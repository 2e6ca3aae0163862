// A whole audit through the program's windows, as an auditor does it: a new work file,
// the project's risk and unit lists, a structure of three levels with findings and
// documents, saved, closed and opened again with every value as it was, and every
// example report template run and its report saved and read back.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <memory>

#include "app/srcMain.h"
#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"
#include "properties/srcAuditProperties.h"
#include "reports/ReportsPage.h"
#include "storage/Envelope.h"
#include "workfile/DeadlineEdit.h"
#include "workfile/DescriptionEditor.h"
#include "workfile/DescriptionPage.h"
#include "support/Doubles.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/DocumentsPage.h"
#include "workfile/FindingsPage.h"
#include "workfile/ItemDetailForm.h"
#include "workfile/ItemDetailPanel.h"
#include "workfile/StructurePage.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

// Every value the work file keeps, one line each, for comparing before and after.
void Describe(const RecordNode& node, const QString& indent, QStringList& out) {
  for (std::size_t i = 0; i < node.childCount(); ++i) {
    const RecordNode* child = node.child(i);
    out << indent + QString::fromLatin1(child->record.commaText().c_str()) + (child->expanded ? " [+]" : "");
    Describe(*child, indent + "  ", out);
  }
}

QStringList Values(const WorkFileData& d) {
  QStringList out{QString::fromLatin1(d.createdBy.c_str()), QString::fromLatin1(d.createdAt.c_str()),
                  QString::fromLatin1(d.savedBy.c_str()),   QString::fromLatin1(d.savedAt.c_str()),
                  QString::fromLatin1(d.generalDefs.c_str()), QString::fromLatin1(d.riskDefs.c_str()),
                  QString::fromLatin1(d.ouDefs.c_str()),      QString::fromLatin1(d.staffDefs.c_str()),
                  QString::fromLatin1(d.description.c_str()), QString::number(d.lastItemId)};
  out << "structure:";
  Describe(d.structure.root(), "", out);
  out << "documents:";
  Describe(d.documents.root(), "", out);
  return out;
}

struct Finding {
  const char* name;
  int type;  // index in cmbType
  const char* deadline;
  const char* description;
};

struct Item {
  int depth;  // 0: top level; each item follows its parent or its earlier sibling
  const char* name;
  int risk;      // index in cmbRisk, -1: none
  int unit;      // checked row of lbOU, -1: none
  int document;  // checked row of lbDocuments, -1: none
  int workstate;
  const char* description;
  const char* result;
  std::vector<Finding> findings;
};

}  // namespace

class EndToEndTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<TfrmMain> frame;

  // A definition list filled through the project properties dialog's grid.
  static void addEntries(TdlgAuditProperties& dialog, const char* grid, const char* newButton,
                         const std::vector<std::pair<QString, QString>>& entries) {
    auto* view = Control<QTableView>(&dialog, grid);
    for (const auto& [item, value] : entries) {
      Control<QToolButton>(&dialog, newButton)->click();
      const int row = view->currentIndex().row();
      QVERIFY(view->model()->setData(view->model()->index(row, 1), item));
      QVERIFY(view->model()->setData(view->model()->index(row, 2), value));
    }
  }

  static void addDocument(TfrmWorkFile* w, const QString& name, const QString& link, const QString& description) {
    auto* page = w->documentsPage();
    Control<QToolButton>(page, "sbNewDoc")->click();
    Control<QToolButton>(page, "sbEditDoc")->click();
    auto* dialog = w->findChild<QDialog*>("TdlgEditDoc");
    QVERIFY(dialog && dialog->isVisible());
    Control<QLineEdit>(dialog, "editName")->setText(name);
    Control<QLineEdit>(dialog, "editLink")->setText(link);
    Control<QPlainTextEdit>(dialog, "memoDescription")->setPlainText(description);
    Control<QPushButton>(dialog, "btnOK")->click();
    QTRY_VERIFY(!w->findChild<QDialog*>("TdlgEditDoc"));
  }

  // Fills the focused item's details in the panel, its findings through the finding
  // dialog, and accepts.
  void fillItem(TfrmWorkFile* w, const Item& item) {
    auto* panel = qobject_cast<ItemDetailPanel*>(w->structurePage()->detailPanel());
    QVERIFY(panel);
    Control<QLineEdit>(panel, "editName")->setText(QString::fromUtf8(item.name));
    Control<QComboBox>(panel, "cmbRisk")->setCurrentIndex(item.risk);
    if (item.unit >= 0) Control<QListWidget>(panel, "lbOU")->item(item.unit)->setCheckState(Qt::Checked);
    if (item.document >= 0)
      Control<QListWidget>(panel, "lbDocuments")->item(item.document)->setCheckState(Qt::Checked);
    Control<QComboBox>(panel, "cmbWorkstate")->setCurrentIndex(item.workstate);
    Control<QPlainTextEdit>(panel, "memoItem")->setPlainText(QString::fromUtf8(item.description));
    Control<QPlainTextEdit>(panel, "memoResult")->setPlainText(QString::fromUtf8(item.result));
    for (const Finding& f : item.findings) {
      Control<QToolButton>(panel, "SpeedButton1")->click();
      env->modals.handler = [&f](QDialog& dialog) {
        Control<QLineEdit>(&dialog, "editName")->setText(QString::fromUtf8(f.name));
        Control<QComboBox>(&dialog, "cmbType")->setCurrentIndex(f.type);
        Control<DeadlineEdit>(&dialog, "cmbDate")->setDate(QDate::fromString(f.deadline, "dd.MM.yyyy"));
        Control<QPlainTextEdit>(&dialog, "memoDescription")->setPlainText(QString::fromUtf8(f.description));
        return int(QDialog::Accepted);
      };
      Control<QToolButton>(panel, "sbEditFinding")->click();
      env->modals.handler = nullptr;
    }
    QVERIFY(panel->isChanged());
    Control<QToolButton>(panel, "sbItemDetailOk")->click();
    QVERIFY(!panel->isChanged());
  }

 private slots:
  void init() {
    env = std::make_unique<TestEnvironment>();
    frame = std::make_unique<TfrmMain>(env->services);
    frame->setStampSource(SteppingStamps("PRUEF/m\xFCller"));
    frame->show();
  }
  void cleanup() {
    frame.reset();
    env.reset();
  }

  void wholeAudit() {
    frame->acFileNew();
    TfrmWorkFile* w = frame->activeWorkFile();
    QVERIFY(w);

    {
      TdlgAuditProperties dialog(w->context(), w);
      dialog.show();
      addEntries(dialog, "vtRisk", "sbNewRisk", {{"1", "gering"}, {"2", "mittel"}, {"3", "hoch"}});
      addEntries(dialog, "vtOU", "sbNewOU", {{"EK", "Einkauf"}, {"RW", "Rechnungswesen"}});
      Control<QPushButton>(&dialog, "OKBtn")->click();
    }
    QVERIFY(w->isModified());
    QCOMPARE(TextToList(w->data().riskDefs).size(), std::size_t(3));
    QCOMPARE(TextToList(w->data().ouDefs)[1].value("VALUE"), std::string("Rechnungswesen"));

    w->workspace()->setCurrentIndex(TfrmWorkFile::Documents);
    addDocument(w, "Bestellrichtlinie", "/srv/akten/richtlinie.pdf", "gültig ab 1.1.2024");
    addDocument(w, "Lieferantenliste", "https://intranet/lieferanten", "Stand März");
    QCOMPARE(w->data().documents.root().childCount(), std::size_t(2));

    const std::vector<Item> items = {
        {0, "Beschaffung", 2, 0, 0, 1, "Ablauf der Beschaffung", "insgesamt angemessen", {}},
        {1, "Bestellungen", 1, 0, 1, 2, "Stichprobe von 25 Bestellungen", "zwei Abweichungen",
         {{"Fehlende Freigabe", 1, "31.03.2025", "Zwei Bestellungen über 10.000 € ohne zweite Unterschrift."},
          {"Preisvergleich", 0, "30.06.2025", "Kein Vergleichsangebot"}}},
        {2, "Freigabegrenzen", 2, 1, -1, 3, "Grenzen laut Richtlinie", "überschritten", {
         {"Grenze überschritten", 2, "15.02.2025", "Freigabe durch nicht Berechtigte"}}},
        {0, "Rechnungsprüfung", 0, 1, -1, 0, "", "", {}},
    };
    StructurePage* page = w->structurePage();
    w->workspace()->setCurrentIndex(TfrmWorkFile::Structure);
    std::vector<RecordNode*> made;
    for (const Item& item : items) {
      // A top-level item after the first follows the first; a deeper one goes under the last.
      if (made.empty()) {
        QVERIFY(TriggerAction(w, "Neu1"));
      } else if (item.depth == 0) {
        page->focusItem(made.front());
        QVERIFY(TriggerAction(w, "Neu1"));
      } else {
        QVERIFY(TriggerAction(w, "NeuesUnterelement1"));
      }
      made.push_back(page->focusedItem());
      fillItem(w, item);
    }
    const RecordTree& tree = w->data().structure;
    QCOMPARE(tree.root().childCount(), std::size_t(2));
    const RecordNode* third = tree.root().child(0)->child(0)->child(0);
    QCOMPARE(third->record.value(key::NAME), std::string("Freigabegrenzen"));
    const auto findings = TextToList(tree.root().child(0)->child(0)->record.value(key::FINDINGS));
    QCOMPARE(findings.size(), std::size_t(2));
    QCOMPARE(findings[0].value(key::DEADLINE), std::string("31.03.2025"));
    QVERIFY(findings[0].value(key::DESCRIPTION).find("10.000 \x80") != std::string::npos);

    // The description: typed, one word made bold, a line centred, then another tab.
    w->workspace()->setCurrentIndex(TfrmWorkFile::Description);
    DescriptionEditor* editor = w->descriptionPage()->editor();
    editor->setFocus();
    // QTest types ASCII only; the rest goes in as a paste would.
    editor->insertPlainText("Prüfung der Beschaffung 2024");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "Umfang: Bestellungen ab 5.000 ");
    editor->insertPlainText("€");
    QTextCursor cursor(editor->document()->firstBlock());
    cursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    Control<QToolButton>(w, "tbBold")->click();
    Control<QToolButton>(w, "tbCenterAlign")->click();
    w->workspace()->setCurrentIndex(TfrmWorkFile::Structure);
    QVERIFY(w->data().description.rfind("{\\rtf", 0) == 0);
    QVERIFY(w->data().description.find("Beschaffung 2024") != std::string::npos);

    const QString path = env->workPath("Prüfung Einkauf.owp");
    env->fileDialogs.answer(path);
    QVERIFY(TriggerAction(w, "miFileSaveAs"));
    QVERIFY(!w->isModified());
    QVERIFY(CheckFileIntegrity(path.toStdString()));
    const QStringList saved = Values(w->data());

    frame->command("FileClose1")->trigger();
    QTRY_VERIFY(frame->workFileWindows().isEmpty());
    QCOMPARE(env->messages.unansweredQuestions, 0);

    env->fileDialogs.answer(path);
    frame->acFileOpen();
    TfrmWorkFile* again = frame->activeWorkFile();
    QVERIFY(again && again != w);
    QCOMPARE(Values(again->data()), saved);
    QVERIFY(!again->isModified());
    QCOMPARE(env->messages.shown.size(), 0);
    const QTextDocument* description = again->descriptionPage()->editor()->document();
    QCOMPARE(description->toPlainText(), QString("Prüfung der Beschaffung 2024\nUmfang: Bestellungen ab 5.000 €"));
    const QTextBlock first = description->firstBlock();
    QCOMPARE(first.begin().fragment().text(), QString("Prüfung"));
    QVERIFY(first.begin().fragment().charFormat().fontWeight() >= QFont::Bold);
    QCOMPARE(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignHCenter));
    QVERIFY(!(first.next().blockFormat().alignment() & Qt::AlignHCenter));

    // Every example template, run over the reopened file, saved and read back.
    const QString exampleDir = ORVELA_SOURCE_DIR "/examples/reports";
    frame->setReportDir(exampleDir);
    again->workspace()->setCurrentIndex(TfrmWorkFile::Reports);
    ReportsPage* reports = again->reportsPage();
    QComboBox* templates = reports->templateBox();
    const QStringList examples = QDir(exampleDir).entryList({"*.rtf"}, QDir::Files);
    QVERIFY(!examples.isEmpty());
    QCOMPARE(templates->count(), examples.size());
    // What each template shows of this file.
    const std::map<QString, QByteArray> expected = {
        {"Pruefbericht", "Freigabegrenzen"},
        {"Feststellungsliste", "Fehlende Freigabe"},
        {"Dokumentenverzeichnis", "Lieferantenliste"},
    };
    for (int i = 0; i < templates->count(); ++i) {
      const QString name = templates->itemText(i);
      templates->setCurrentIndex(i);
      reports->acExecReport();
      const QString reportPath = env->workPath(name + ".rtf");
      env->fileDialogs.answer(reportPath);
      reports->acSaveReport();
      const QByteArray written = ReadRawFile(reportPath);
      QVERIFY2(written.startsWith("{\\rtf"), qPrintable(name));
      QCOMPARE(written, QByteArray::fromStdString(reports->reportText()));
      QVERIFY2(!written.contains("/VAR:") && !written.contains("SCAN("), qPrintable(name + ": a placeholder was left"));
      for (const auto& [stem, text] : expected)
        if (name.startsWith(stem)) QVERIFY2(written.contains(text), qPrintable(name));
    }
    QCOMPARE(env->messages.shown.size(), 0);
    QVERIFY(!again->isModified());
  }
};

QTEST_MAIN(EndToEndTest)
#include "end_to_end_test.moc"
