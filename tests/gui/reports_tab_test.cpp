// The tab "Berichte": the template list of the report directory, the folder button, the
// run with its missing-template warning, and saving, printing, PDF and opening elsewhere
// from the preview, in a real work-file window.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolButton>
#include <memory>

#include "app/srcMain.h"
#include "model/DelimitedText.h"
#include "platform/TempFiles.h"
#include "reports/ReportDirectory.h"
#include "reports/ReportsPage.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "support/Doubles.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/FindingsOverviewPage.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

// A header the preview does not show, and the creator's stamp twice.
const QByteArray kStampTemplate = "{\\rtf1\\ansi{\\header Kopf /VAR:USER-CREATED/}Bericht von /VAR:USER-CREATED/\\par}";
const QByteArray kStampReport = "{\\rtf1\\ansi{\\header Kopf VORLAGE/ersteller}Bericht von VORLAGE/ersteller\\par}";

std::vector<const rtf::Table*> TablesOf(const rtf::Document& d) {
  std::vector<const rtf::Table*> tables;
  for (const rtf::Block& b : d.blocks) {
    if (const auto* t = std::get_if<rtf::Table>(&b.content)) tables.push_back(t);
  }
  return tables;
}

bool LibreOfficeAvailable() {
  return !QStandardPaths::findExecutable("soffice").isEmpty() && !QStandardPaths::findExecutable("pdfinfo").isEmpty();
}

QString PlainOfFile(const QString& path) {
  const QByteArray bytes = ReadRawFile(path);
  return QString::fromStdString(rtf::PlainText(rtf::ReadRtf(std::string_view(bytes.constData(), bytes.size()))));
}

}  // namespace

class ReportsTabTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<TfrmMain> frame;
  TfrmWorkFile* window = nullptr;
  QStringList tempFiles;

  QString reportDir() const { return env->workPath("berichte"); }
  QString templ(const QString& name, const QByteArray& bytes = kStampTemplate) const {
    const QString path = QDir(reportDir()).filePath(name);
    WriteRawFile(path, bytes);
    return path;
  }
  ReportsPage* page() const { return window->reportsPage(); }
  QComboBox* combo() const { return Control<QComboBox>(window, "cmbReport"); }
  QTextEdit* preview() const { return Control<QTextEdit>(window, "reReport"); }
  QToolButton* button(const char* name) const { return Control<QToolButton>(window, name); }
  QStringList listed() const {
    QStringList names;
    for (int i = 0; i < combo()->count(); ++i) names << combo()->itemText(i);
    return names;
  }
  void showTab(int index) { window->workspace()->setCurrentIndex(index); }
  // The reports tab with the template typed in and run.
  void run(const QString& name) {
    showTab(TfrmWorkFile::Reports);
    combo()->setEditText(name);
    QVERIFY(button("sbExecReport")->isEnabled());
    button("sbExecReport")->click();
  }
  void typeIntoPreview(const QString& text) {
    preview()->setFocus();
    preview()->moveCursor(QTextCursor::End);
    QTest::keyClicks(preview(), text);
  }

 private slots:
  void init() {
    env = std::make_unique<TestEnvironment>();
    QVERIFY(QDir().mkpath(reportDir()));
    frame = std::make_unique<TfrmMain>(env->services);
    frame->setStampSource(SteppingStamps());
    frame->setReportDir(reportDir());
    frame->show();
    const QString path = env->workPath("bericht.owp");
    WriteSampleWorkFile(path);
    window = frame->CreateWorkFileWindow();
    QCOMPARE(window->LoadWorkFile(path), TfrmWorkFile::LoadOutcome::Loaded);
  }
  void cleanup() {
    window = nullptr;
    frame.reset();
    env.reset();
    for (const QString& path : tempFiles) QFile::remove(path);
    tempFiles.clear();
  }

  void controlsOfTheTab() {
    showTab(TfrmWorkFile::Reports);
    QCOMPARE(Control<QWidget>(window, "labelReport")->property("text").toString(), QString("Bericht:"));
    QVERIFY(combo()->isEditable());
    const QList<QPair<const char*, QString>> hints{
        {"sbSelectReportDir", "Reportverzeichnis bestimmen"},
        {"sbExecReport", "Report ausführen (interne Vorschau)"},
        {"sbSaveReport", "Report als rtf-Datei speichern"},
        {"sbSaveReportPdf", "Report als PDF speichern"},
        {"sbPrintReport", "Report drucken"},
        {"sbOpenReportExt", "Report in externer Anwendung öffnen"},
    };
    for (const auto& [name, hint] : hints) QCOMPARE(button(name)->toolTip(), hint);
    QCOMPARE(preview()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(preview()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // Only the run button follows the name; the others work on an empty preview too.
    QVERIFY(!button("sbExecReport")->isEnabled());
    for (const char* name : {"sbSaveReport", "sbSaveReportPdf", "sbPrintReport", "sbOpenReportExt"})
      QVERIFY(button(name)->isEnabled());
    combo()->setEditText("x.rtf");
    QVERIFY(button("sbExecReport")->isEnabled());
    combo()->setEditText("");
    QVERIFY(!button("sbExecReport")->isEnabled());
  }

  void listHoldsTheTemplatesOfTheDirectoryOnly() {
    for (const char* name : {"c.RTF", "notes.txt", "B.rtf", "a.rtf"}) templ(name);
    QVERIFY(QDir(reportDir()).mkpath("unter"));
    templ("unter/d.rtf");
    QVERIFY(QDir(reportDir()).mkpath("ordner.rtf"));  // a folder is no template
    showTab(TfrmWorkFile::Reports);
    QCOMPARE(listed(), (QStringList{"a.rtf", "B.rtf", "c.RTF"}));

    // The name chosen stays across visits; templates added meanwhile appear.
    combo()->setCurrentIndex(1);
    QCOMPARE(combo()->currentText(), QString("B.rtf"));
    showTab(TfrmWorkFile::Structure);
    templ("Anhang.rtf");
    showTab(TfrmWorkFile::Reports);
    QCOMPARE(listed(), (QStringList{"a.rtf", "Anhang.rtf", "B.rtf", "c.RTF"}));
    QCOMPARE(combo()->currentText(), QString("B.rtf"));
    QVERIFY(button("sbExecReport")->isEnabled());

    // A directory that is not there: no entries and no message.
    frame->setReportDir(env->workPath("fehlt"));
    showTab(TfrmWorkFile::Structure);
    showTab(TfrmWorkFile::Reports);
    QCOMPARE(listed(), QStringList());
    QVERIFY(env->messages.shown.isEmpty());
  }

  void folderButtonChangesTheDirectoryForTheRun() {
    templ("alt.rtf");
    const QString other = env->workPath("andere");
    QVERIFY(QDir().mkpath(other));
    WriteRawFile(QDir(other).filePath("neu.rtf"), kStampTemplate);
    showTab(TfrmWorkFile::Reports);
    combo()->setEditText("alt.rtf");

    // Cancelled: nothing changes.
    button("sbSelectReportDir")->click();
    QCOMPARE(env->fileDialogs.calls.size(), 1);
    QCOMPARE(env->fileDialogs.calls[0].kind, FileDialogCall::Folder);
    QCOMPARE(env->fileDialogs.calls[0].request.directory, reportDir());
    QCOMPARE(frame->reportDir(), reportDir());
    QCOMPARE(combo()->currentText(), QString("alt.rtf"));

    env->fileDialogs.answer(other);
    button("sbSelectReportDir")->click();
    QCOMPARE(frame->reportDir(), other);
    QCOMPARE(listed(), QStringList{"neu.rtf"});
    QCOMPARE(combo()->currentText(), QString());
    QVERIFY(!button("sbExecReport")->isEnabled());
    // For this run only: the settings file does not learn it.
    QVERIFY(!env->readSettings().contains("andere"));
  }

  void missingTemplateIsReportedAndLeavesThePreviewEmpty() {
    templ("da.rtf");
    run("da.rtf");
    QVERIFY(!preview()->toPlainText().isEmpty());
    run("fehlt.rtf");
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Warning);
    QCOMPARE(env->messages.shown[0].text,
             "Die Reportdatei " + QDir(reportDir()).filePath("fehlt.rtf") + " existiert nicht!");
    QCOMPARE(preview()->toPlainText(), QString());
  }

  void charactersAReportCannotHoldAreNamed() {
    // The description holds a character Windows-1252 lacks: the report shows "?" and the
    // user is told once, after the preview is filled.
    window->data().description = "{\\rtf1\\ansi Ma\\u8364? und \\u26446?}";
    templ("beschreibung.rtf", "{\\rtf1\\ansi /VAR:DESCRIPTION/\\par}");
    run("beschreibung.rtf");
    QCOMPARE(preview()->toPlainText().trimmed(), QString("Ma€ und ?"));
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Information);
    QVERIFY(env->messages.shown[0].text.startsWith("Die Projektbeschreibung enthält Zeichen"));
  }

  void folderNamedAsTemplateIsMissing() {
    QVERIFY(QDir(reportDir()).mkpath("ordner.rtf"));
    run("ordner.rtf");
    QCOMPARE(env->messages.texts(),
             QStringList{"Die Reportdatei " + QDir(reportDir()).filePath("ordner.rtf") + " existiert nicht!"});
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Warning);
    QCOMPARE(preview()->toPlainText(), QString());
  }

  void typedNameRunsAFileNotInTheList() {
    showTab(TfrmWorkFile::Reports);
    templ("spaeter.rtf");  // after the list was filled
    QCOMPARE(listed(), QStringList());
    combo()->setEditText("spaeter.rtf");
    QTest::keyClick(combo()->lineEdit(), Qt::Key_Return);  // Return runs it as the button does
    QCOMPARE(preview()->toPlainText().trimmed(), QString("Bericht von VORLAGE/ersteller"));
    QVERIFY(env->messages.shown.isEmpty());
  }

  void savingWritesTheEngineTextUntilThePreviewIsEdited() {
    templ("stempel.rtf");
    run("stempel.rtf");

    const QString target = env->workPath("bericht.rtf");
    env->fileDialogs.answer(target);
    button("sbSaveReport")->click();
    const FileDialogRequest request = env->fileDialogs.calls.last().request;
    QCOMPARE(request.title, QString("Save Report"));
    QCOMPARE(request.filter, QString("Rich Text Files (*.rtf);;All Files (*)"));
    QCOMPARE(request.defaultSuffix, QString("rtf"));
    QVERIFY(request.overwritePrompt);
    // Untouched, the report keeps what the preview cannot show (the header).
    QCOMPARE(ReadRawFile(target), kStampReport);

    // Edited, the preview's content is what counts, and the header stays.
    typeIntoPreview(" und mir");
    env->fileDialogs.answer(target);
    button("sbSaveReport")->click();
    QVERIFY(ReadRawFile(target).contains("{\\header"));
    QVERIFY(PlainOfFile(target).contains("Bericht von VORLAGE/ersteller und mir"));

    // Cancelled: the file stays as it was.
    const QByteArray before = ReadRawFile(target);
    button("sbSaveReport")->click();
    QCOMPARE(ReadRawFile(target), before);
  }

  // One word changed in the landscape findings list: the saved report keeps the page,
  // headers, footers and tables of the report, and LibreOffice prints it in landscape.
  void editedReportKeepsPageHeadersAndTables() {
    frame->setReportDir(QString());  // the bundled templates
    run("Feststellungsliste.rtf");
    const rtf::Document generated = rtf::ReadRtf(page()->reportText());
    QVERIFY(generated.page && generated.page->landscape);
    QVERIFY(!generated.headersFooters.header.empty());
    QVERIFY(!generated.headersFooters.footer.empty());

    QTextCursor word = preview()->document()->find("Risikostufen");
    QVERIFY(!word.isNull());
    preview()->setFocus();
    preview()->setTextCursor(word);
    QTest::keyClicks(preview(), "Risikoklassen");
    const QString target = env->workPath("feststellungen.rtf");
    env->fileDialogs.answer(target);
    button("sbSaveReport")->click();

    const QByteArray bytes = ReadRawFile(target);
    const rtf::Document saved = rtf::ReadRtf(bytes.toStdString());
    QVERIFY(QString::fromStdString(rtf::PlainText(saved)).contains("Risikoklassen"));
    QVERIFY(!QString::fromStdString(rtf::PlainText(saved)).contains("Risikostufen"));
    QCOMPARE(saved.page, generated.page);
    QVERIFY(saved.headersFooters == generated.headersFooters);
    const std::vector<const rtf::Table*> tables = TablesOf(saved), expected = TablesOf(generated);
    QCOMPARE(tables.size(), expected.size());
    QVERIFY(!tables.empty());
    for (std::size_t t = 0; t < tables.size(); ++t) {
      QCOMPARE(tables[t]->rows.size(), expected[t]->rows.size());
      for (std::size_t r = 0; r < tables[t]->rows.size(); ++r) {
        const rtf::Row& row = tables[t]->rows[r];
        const rtf::Row& want = expected[t]->rows[r];
        QCOMPARE(row.cells.size(), want.cells.size());
        QCOMPARE(row.gapTwips, want.gapTwips);
        QCOMPARE(row.header, want.header);
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
          QCOMPARE(row.cells[c].widthTwips, want.cells[c].widthTwips);
          QVERIFY(row.cells[c].borders == want.cells[c].borders);
          QCOMPARE(row.cells[c].shading, want.cells[c].shading);
          QCOMPARE(int(row.cells[c].horizontalMerge), int(want.cells[c].horizontalMerge));
          QCOMPARE(int(row.cells[c].verticalMerge), int(want.cells[c].verticalMerge));
        }
      }
    }
    QVERIFY(tables[0]->rows[0].cells[0].borders.bottom.has_value());

    // LibreOffice lays it out on landscape pages.
    if (!LibreOfficeAvailable()) {
      if (qEnvironmentVariableIsSet("CI")) QFAIL("soffice and pdfinfo are needed (scripts/setup-deps)");
      QSKIP("LibreOffice or poppler not installed");
    }
    const QString folder = env->workPath("lo");
    QVERIFY(QDir().mkpath(folder));
    QProcess soffice;
    soffice.setWorkingDirectory(folder);
    soffice.start("soffice", {"-env:UserInstallation=file://" + folder + "/profile", "--headless", "--convert-to",
                              "pdf", "--outdir", folder, target});
    QVERIFY(soffice.waitForFinished(180000));
    QProcess info;
    info.start("pdfinfo", {QDir(folder).filePath("feststellungen.pdf")});
    QVERIFY(info.waitForFinished(30000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const QRegularExpressionMatch size = QRegularExpression("Page size:\\s+([0-9.]+) x ([0-9.]+)").match(text);
    QVERIFY2(size.hasMatch(), qPrintable(text));
    QVERIFY2(size.captured(1).toDouble() > size.captured(2).toDouble(), qPrintable(text));
  }

  void failedSaveIsReportedAndKeepsThePreview() {
    templ("stempel.rtf");
    run("stempel.rtf");
    const QString folder = env->workPath("ordner");
    QVERIFY(QDir().mkpath(folder));
    env->fileDialogs.answer(folder);  // a folder cannot be written as a file
    button("sbSaveReport")->click();
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Error);
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(preview()->toPlainText().trimmed(), QString("Bericht von VORLAGE/ersteller"));
  }

  void printingHandsThePreviewToThePrintDialog() {
    templ("stempel.rtf");
    run("stempel.rtf");
    typeIntoPreview("!");
    button("sbPrintReport")->click();
    QCOMPARE(env->printing.calls.size(), 1);
    QCOMPARE(env->printing.calls[0].jobName, QString("Bericht"));
    QCOMPARE(env->printing.calls[0].plainText.trimmed(), QString("Bericht von VORLAGE/ersteller!"));
  }

  // The note above the preview names paper, margins and page count, and the header and
  // footer the preview cannot show, in plain German.
  void theNoteNamesPaperMarginsHeaderAndFooter() {
    struct Case {
      const char* name;
      QByteArray rtf;
      const char* note;
    };
    const Case cases[] = {
        {"no page set-up", "{\\rtf1\\ansi Text\\par}",
         "Papier: A4 hoch (Vorgabe, die Vorlage legt kein Papier fest) · Ränder: links 2,0, rechts 2,0, oben 2,0, "
         "unten 2,0 cm · 1 Seite"},
        {"landscape with header and footer",
         "{\\rtf1\\ansi\\paperw11906\\paperh16838\\landscape\\margl850\\margr1134\\margt1417\\margb567"
         "{\\header Interne Revision\\tab Einkauf\\par}{\\footer Stand\\par zweite Zeile\\par}Text\\par}",
         "Papier: A4 quer · Ränder: links 1,5, rechts 2,0, oben 2,5, unten 1,0 cm · 1 Seite\n"
         "Kopfzeile: „Interne Revision    Einkauf“\n"
         "Fußzeile: „Stand / zweite Zeile“ (wie auf Seite 1; im Druck und im PDF auf jeder Seite)"},
    };
    auto* note = Control<QLabel>(window, "labelReportPage");
    for (const Case& c : cases) {
      templ("seite.rtf", c.rtf);
      run("seite.rtf");
      QVERIFY2(note->isVisible(), c.name);
      QString shown = QTextDocumentFragment::fromHtml(note->text()).toPlainText();
      shown.replace(QChar::LineSeparator, QLatin1Char('\n')).replace(QChar::Nbsp, QLatin1Char(' '));
      QCOMPARE(shown, QString::fromUtf8(c.note));
    }
  }

  // The reports tab, the description and the overview print on the window's one printer: what the user
  // chose in the dialog is offered again; another window has a printer of its own.
  void theWindowKeepsOnePrinterForReportsAndDescription() {
    templ("stempel.rtf");
    run("stempel.rtf");
    env->printing.choose = [](QPrinter& printer) { printer.setCopyCount(3); };
    button("sbPrintReport")->click();
    env->printing.choose = nullptr;
    showTab(TfrmWorkFile::Description);
    Control<QToolButton>(window, "tbPrintDescription")->click();
    showTab(TfrmWorkFile::Overview);
    Control<QPushButton>(window, "sbPrintOverview")->click();
    showTab(TfrmWorkFile::Reports);
    button("sbPrintReport")->click();

    TfrmWorkFile* other = frame->CreateWorkFileWindow();
    other->workspace()->setCurrentIndex(TfrmWorkFile::Description);
    Control<QToolButton>(other, "tbPrintDescription")->click();

    struct Expected {
      const char* job;
      const QPrinter* printer;
      int copies;
    };
    const Expected expected[] = {{"Bericht", &window->printer(), 1},
                                 {"Beschreibung", &window->printer(), 3},
                                 {"Übersicht: bericht.owp", &window->printer(), 3},
                                 {"Bericht", &window->printer(), 3},
                                 {"Beschreibung", &other->printer(), 1}};
    QCOMPARE(env->printing.calls.size(), qsizetype(std::size(expected)));
    QVERIFY(&window->printer() != &other->printer());
    for (size_t i = 0; i < std::size(expected); ++i) {
      const PrintCall& call = env->printing.calls[qsizetype(i)];
      QCOMPARE(call.jobName, QString::fromUtf8(expected[i].job));
      QCOMPARE(call.printer, expected[i].printer);
      QCOMPARE(call.copiesOffered, expected[i].copies);
    }
  }

  void pdfIsWrittenFromThePreview() {
    templ("stempel.rtf");
    run("stempel.rtf");
    const QString target = env->workPath("bericht.pdf");
    button("sbSaveReportPdf")->click();  // cancelled
    QVERIFY(!QFile::exists(target));
    env->fileDialogs.answer(target);
    button("sbSaveReportPdf")->click();
    QCOMPARE(env->fileDialogs.calls.last().request.defaultSuffix, QString("pdf"));
    QVERIFY(ReadRawFile(target).startsWith("%PDF-"));

    // A target that cannot be written is said so, and nothing is left behind.
    const QString blocked = env->workPath("fehlt/bericht.pdf");
    env->fileDialogs.answer(blocked);
    button("sbSaveReportPdf")->click();
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Error);
    QVERIFY(!QFile::exists(blocked));
  }

  void openingElsewhereUsesANewTemporaryFileEachTime() {
    templ("stempel.rtf");
    run("stempel.rtf");
    button("sbOpenReportExt")->click();
    button("sbOpenReportExt")->click();
    tempFiles = env->shell.opened;
    QCOMPARE(env->shell.opened.size(), 2);
    QVERIFY(env->shell.opened[0] != env->shell.opened[1]);
    for (const QString& path : env->shell.opened) {
      QCOMPARE(QFileInfo(path).suffix(), QString("rtf"));
      QVERIFY(QFileInfo(path).fileName().startsWith("TMP"));
      QVERIFY(path.startsWith(platform::PrivateTempRoot() + "/"));  // not the shared temporary folder
      QCOMPARE(QFileInfo(path).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                            QFileDevice::ReadUser | QFileDevice::WriteUser);
      QCOMPARE(ReadRawFile(path), kStampReport);
    }
  }

  void acceptedFindingIsInTheNextReportWithoutVisitingTheOverview() {
    templ("liste.rtf", "{\\rtf1\\ansi /SCAN(FINDINGS)//VAR:FINDINGS:ID/ /VAR:FINDINGS:NAME/;/ENDSCAN(FINDINGS)/}");
    run("liste.rtf");
    QCOMPARE(preview()->toPlainText().trimmed(), QString());

    // What accepting the item's findings writes into its record.
    RecordNode* item = window->data().structure.root().child(0);
    item->record.setValue("FINDINGS", ListToText({FieldList({"NAME=Neu"}), FieldList({"NAME=Zweite"})}));
    window->MarkModified();
    button("sbExecReport")->click();
    QCOMPARE(preview()->toPlainText().trimmed(), QString("1 Neu;1 Zweite;"));
    QCOMPARE(window->findingsPage()->rows().size(), std::size_t(2));
    QCOMPARE(window->workspace()->currentIndex(), int(TfrmWorkFile::Reports));
  }

  void withoutReportDirectoryTheExamplesAreListed() {
    frame->setReportDir(QString());
    QVERIFY(!BundledReportDir().isEmpty());
    showTab(TfrmWorkFile::Reports);
    QCOMPARE(listed(), (QStringList{"Dokumentenverzeichnis.rtf", "Feststellungsliste.rtf", "Pruefbericht.rtf",
                                    "Pruefungsnachweis.rtf"}));
    combo()->setEditText("Pruefbericht.rtf");
    button("sbExecReport")->click();
    QVERIFY(preview()->toPlainText().contains("Planung"));
    QVERIFY(env->messages.shown.isEmpty());
    QCOMPARE(frame->reportDir(), QString());  // the setting stays empty
  }
};

QTEST_MAIN(ReportsTabTest)
#include "reports_tab_test.moc"
