// The pages of a report: paper and orientation of the template, headers and footers with
// their fields on every page, and tables cut as the template cuts them.
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>

#include "rtf/qt/PagedDocument.h"
#include "rtf/qt/RichText.h"

using namespace orvela;

namespace {

rtf::Paragraph Text(const std::string& text, rtf::FieldKind field = rtf::FieldKind::None) {
  rtf::Paragraph p;
  rtf::Run run;
  run.text = text;
  run.field = field;
  p.runs.push_back(run);
  return p;
}

// "Seite <PAGE> von <NUMPAGES>, <DATE>" as one paragraph of runs.
std::vector<rtf::Block> PageFooter() {
  rtf::Paragraph p = Text("Seite ");
  for (const auto& [text, field] : std::initializer_list<std::pair<const char*, rtf::FieldKind>>{
           {"1", rtf::FieldKind::Page}, {" von ", rtf::FieldKind::None}, {"1", rtf::FieldKind::NumPages},
           {", ", rtf::FieldKind::None}, {"01.01.2000", rtf::FieldKind::Date}}) {
    rtf::Run run;
    run.text = text;
    run.field = field;
    p.runs.push_back(run);
  }
  return {rtf::Block{p}};
}

// Output of a poppler tool; fails the test when the tool is missing and CI is set.
QString Poppler(const QString& tool, const QStringList& args) {
  const QString exe = QStandardPaths::findExecutable(tool);
  if (exe.isEmpty()) return QString();
  QProcess run;
  run.start(exe, args);
  run.waitForFinished(60000);
  return QString::fromUtf8(run.readAllStandardOutput());
}

}  // namespace

class ReportPagesTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir;

  bool toolsThere() {
    if (!QStandardPaths::findExecutable("pdftotext").isEmpty() && !QStandardPaths::findExecutable("pdfinfo").isEmpty())
      return true;
    if (qEnvironmentVariableIsSet("CI")) QTest::qFail("pdftotext/pdfinfo (poppler-utils) not installed", __FILE__, __LINE__);
    return false;
  }

 private slots:
  void landscapePagesWithHeaderAndFooterOnEveryPage() {
    rtf::Document model;
    rtf::PageSetup page;
    page.paperWidth = 11906;  // A4 given as portrait paper, turned by \landscape
    page.paperHeight = 16838;
    page.landscape = true;
    page.marginLeft = page.marginRight = 850;
    model.page = page;
    model.headersFooters.header = {rtf::Block{Text("Interne Revision")}};
    model.headersFooters.footer = PageFooter();
    for (int i = 1; i <= 90; ++i) model.blocks.push_back(rtf::Block{Text("Zeile " + std::to_string(i))});

    const rtf::PagedDocument pages(model, QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
    QCOMPARE(pages.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(pages.pageLayout().pageSize().id(), QPageSize::A4);
    const int count = pages.pageCount();
    QVERIFY2(count >= 3, qPrintable(QString::number(count)));
    QCOMPARE(pages.footerText(2, count), QString("Seite 2 von %1, 11.12.2026").arg(count));

    const QString pdf = dir.filePath("quer.pdf");
    QString error;
    QVERIFY2(rtf::WritePdf(pages, pdf, "Bericht", error), qPrintable(error));
    if (!toolsThere()) {
      if (qEnvironmentVariableIsSet("CI")) QFAIL("pdfinfo and pdftotext are needed (scripts/setup-deps: poppler-utils)");
      QSKIP("poppler-utils not installed");
    }
    QVERIFY(Poppler("pdfinfo", {pdf}).contains(QRegularExpression("Page size:\\s+842 x 595 pts")));
    QVERIFY(Poppler("pdfinfo", {pdf}).contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(count))));
    for (int p = 1; p <= count; ++p) {
      const QString text = Poppler("pdftotext", {"-f", QString::number(p), "-l", QString::number(p), pdf, "-"});
      QVERIFY2(text.contains("Interne Revision"), qPrintable(text));
      QVERIFY2(text.contains(QString("Seite %1 von %2, 11.12.2026").arg(p).arg(count)), qPrintable(text));
    }
    // Every line once, none cut off between the pages.
    const QString all = Poppler("pdftotext", {pdf, "-"});
    for (int i : {1, 45, 90}) QCOMPARE(all.count(QRegularExpression(QString("Zeile %1\\n").arg(i))), 1);
  }

  // A page range chosen in the print dialog prints those pages only, with their own numbers.
  void aPageRangePaintsOnlyItsPages() {
    rtf::Document model;
    model.headersFooters.footer = PageFooter();
    for (int i = 1; i <= 150; ++i) model.blocks.push_back(rtf::Block{Text("Zeile " + std::to_string(i))});
    const rtf::PagedDocument pages(model, QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
    const int count = pages.pageCount();
    QVERIFY2(count >= 3, qPrintable(QString::number(count)));

    struct Case {
      const char* name;
      QPageRanges ranges;
      QList<int> printed;
    };
    QPageRanges second, firstAndThird;
    second.addPage(2);
    firstAndThird.addPage(1);
    firstAndThird.addPage(3);
    QList<int> all;
    for (int p = 1; p <= count; ++p) all << p;
    const Case cases[] = {{"all", {}, all}, {"second", second, {2}}, {"first-and-third", firstAndThird, {1, 3}}};
    for (const Case& c : cases) {
      const QString pdf = dir.filePath(QString("bereich-%1.pdf").arg(c.name));
      {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setFullPage(true);
        printer.setPageLayout(pages.pageLayout());
        QCOMPARE(pages.paint(printer, c.ranges), c.printed.size());
      }
      if (!toolsThere()) QSKIP("poppler-utils not installed");
      QVERIFY2(Poppler("pdfinfo", {pdf}).contains(QRegularExpression(QString("Pages:\\s+%1\\n").arg(c.printed.size()))),
               c.name);
      for (int i = 0; i < c.printed.size(); ++i) {
        // In drawing order, where the footer comes before the body's lines.
        const QString text =
            Poppler("pdftotext", {"-raw", "-f", QString::number(i + 1), "-l", QString::number(i + 1), pdf, "-"});
        QVERIFY2(text.contains(QString("Seite %1 von %2,").arg(c.printed[i]).arg(count)), qPrintable(text));
      }
    }
  }

  void aRowCutDifferentlySpansTheColumnsAbove() {
    rtf::Table table;
    rtf::Row three, two;
    for (int w : {600, 2000, 2000}) {
      rtf::Cell cell;
      cell.widthTwips = w;
      cell.blocks = {rtf::Block{Text("kurz")}};
      three.cells.push_back(cell);
    }
    for (int w : {600, 4000}) {
      rtf::Cell cell;
      cell.widthTwips = w;
      cell.blocks = {rtf::Block{Text("Beschreibung über die ganze Breite")}};
      two.cells.push_back(cell);
    }
    three.header = true;
    table.rows = {three, two, three};
    rtf::Document model;
    model.blocks = {rtf::Block{table}};
    QTextDocument document;
    rtf::ToTextDocument(model, document);
    QList<QTextTable*> tables;
    for (QTextFrame* frame : document.rootFrame()->childFrames())
      if (auto* t = qobject_cast<QTextTable*>(frame)) tables.append(t);
    // Three runs of rows, each with its own columns: 600 | 2000 | 2000, then 600 | 4000.
    QCOMPARE(tables.size(), 3);
    QCOMPARE(tables[0]->columns(), 3);
    QCOMPARE(tables[0]->format().headerRowCount(), 1);
    QCOMPARE(tables[1]->columns(), 2);
    QCOMPARE(tables[1]->format().columnWidthConstraints().at(1).rawValue(), 4000 / 15.0);
    QCOMPARE(tables[2]->columns(), 3);

    // Read back, it is one table again whose rows keep their cells and widths.
    const rtf::Document back = rtf::FromTextDocument(document);
    QCOMPARE(std::count_if(back.blocks.begin(), back.blocks.end(),
                           [](const rtf::Block& b) { return std::holds_alternative<rtf::Table>(b.content); }),
             1);
    int rows = 0;
    for (const rtf::Block& b : back.blocks) {
      if (const auto* t = std::get_if<rtf::Table>(&b.content)) {
        for (const rtf::Row& row : t->rows) {
          ++rows;
          QCOMPARE(int(row.cells.size()), rows == 2 ? 2 : 3);
          QCOMPARE(row.cells.back().widthTwips, rows == 2 ? 4000 : 2000);
        }
      }
    }
    QCOMPARE(rows, 3);
  }
};

QTEST_MAIN(ReportPagesTest)
#include "report_pages_test.moc"
