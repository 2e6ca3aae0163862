// The program's report pages measured against LibreOffice's. Each bundled template filled
// from the example work file, and the templates of tests/data/reports made with
// LibreOffice (a landscape table with merged cells, a portrait text with header and
// footer, a Letter page), give one report RTF. Its PDF from orvela-wp-cli and from the
// reports tab must be the same bytes but for the creation time, and against LibreOffice's
// PDF of the same RTF have the same paper and orientation, the page count within one and
// a text similarity of at least 0.95. Every page of both is rendered to PNG under
// <build>/report-pages for a reviewer, with the figures in figures.md.
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/srcMain.h"
#include "reports/ReportsPage.h"
#include "support/Doubles.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

const QDateTime kNow(QDate(2026, 12, 11), QTime(9, 30), Qt::UTC);

struct Tool {
  QString output;
  int exit = -1;
};

Tool Run(const QString& program, const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
         int seconds = 120) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(program, args);
  if (!p.waitForFinished(seconds * 1000)) return {};
  return {QString::fromUtf8(p.readAllStandardOutput()), p.exitCode()};
}

// The text without its whitespace, as pairs of neighbouring characters.
QStringList Pairs(const QString& text) {
  QString joined = text;
  joined.remove(QRegularExpression("\\s+"));
  QStringList pairs;
  for (qsizetype i = 0; i + 1 < joined.size(); ++i) pairs << joined.mid(i, 2);
  return pairs;
}

// The share of character pairs both texts hold, counted with repeats, over the longer
// text's count. Neither the order of the cells nor where a long word wraps counts:
// pdftotext reads a table cell by cell in one renderer's PDF and row by row in the other's,
// and the two break a word too long for its column at different letters.
double Similarity(const QStringList& a, const QStringList& b) {
  if (a.isEmpty() && b.isEmpty()) return 1;
  QHash<QString, int> count;
  for (const QString& pair : a) ++count[pair];
  int common = 0;
  for (const QString& pair : b) {
    auto it = count.find(pair);
    if (it != count.end() && it.value() > 0) {
      --it.value();
      ++common;
    }
  }
  return double(common) / double(std::max(a.size(), b.size()));
}

struct PdfFacts {
  int pages = 0;
  QString size;  // "842 x 595"
  QString text;
};

PdfFacts FactsOf(const QString& pdf) {
  PdfFacts f;
  const QString info = Run("pdfinfo", {pdf}).output;
  const auto pages = QRegularExpression("Pages:\\s+(\\d+)").match(info);
  const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+)").match(info);
  f.pages = pages.captured(1).toInt();
  if (size.hasMatch())
    f.size = QString::number(qRound(size.captured(1).toDouble())) + " x " + QString::number(qRound(size.captured(2).toDouble()));
  f.text = Run("pdftotext", {"-enc", "UTF-8", pdf, "-"}).output;
  return f;
}

// The PDF without what differs from run to run (its creation time).
QByteArray Timeless(QByteArray pdf) {
  static const QRegularExpression date("/CreationDate \\(D:[^)]*\\)");
  return QString::fromLatin1(pdf).remove(date).toLatin1();
}

}  // namespace

class ReportLibreOfficeTest : public QObject {
  Q_OBJECT

 private slots:
  void pagesMatchLibreOffice() {
    QStringList missing;
    for (const char* tool : {"soffice", "pdftotext", "pdfinfo", "pdftoppm"}) {
      if (QStandardPaths::findExecutable(tool).isEmpty()) missing << tool;
    }
    if (!missing.isEmpty()) {
      const QString message = "missing: " + missing.join(", ") + " (scripts/setup-deps installs them)";
      if (qEnvironmentVariableIsSet("CI")) QFAIL(qPrintable(message));
      QSKIP(qPrintable(message));
    }
    const QString out = QStringLiteral(ORVELA_BINARY_DIR "/report-pages");
    QDir(out).removeRecursively();
    QVERIFY(QDir().mkpath(out + "/lo"));
    const QString workFile = QStringLiteral(ORVELA_SOURCE_DIR "/examples/Musterpruefung.owp");
    QStringList templates;
    for (const QString& folder : {QStringLiteral(ORVELA_SOURCE_DIR "/examples/reports"), QStringLiteral(ORVELA_TEST_DATA "/reports")}) {
      for (const QFileInfo& f : QDir(folder).entryInfoList({"*.rtf"}, QDir::Files, QDir::Name)) templates << f.absoluteFilePath();
    }
    QCOMPARE(templates.size(), 7);

    // The command line: no display, the clock fixed.
    QProcessEnvironment cliEnv = QProcessEnvironment::systemEnvironment();
    cliEnv.remove("DISPLAY");
    cliEnv.remove("WAYLAND_DISPLAY");
    cliEnv.remove("QT_QPA_PLATFORM");
    cliEnv.insert("TZ", "UTC");
    // Qt orders the embedded fonts by a hash whose seed is random per process unless fixed.
    cliEnv.insert("QT_HASH_SEED", "0");
    cliEnv.insert("SOURCE_DATE_EPOCH", QString::number(kNow.toSecsSinceEpoch()));
    QStringList names, reports;
    for (const QString& t : templates) {
      const QString name = QFileInfo(t).completeBaseName();
      names << name;
      for (const char* ext : {".rtf", ".pdf"}) {
        const Tool cli = Run(ORVELA_CLI, {"report", workFile, t, "-o", out + "/" + name + QLatin1String(ext)}, cliEnv);
        QVERIFY2(cli.exit == 0, qPrintable(name + QLatin1String(ext)));
      }
      reports << out + "/" + name + ".rtf";
    }

    // The reports tab, with the same clock.
    {
      TestEnvironment env;
      TfrmMain frame(env.services);
      frame.setStampSource({[] { return std::string("PC1/pruefer"); }, [] {
                              return LocalDateTime{2026, 12, 11, 9, 30, 0};
                            }});
      frame.show();
      TfrmWorkFile* window = frame.CreateWorkFileWindow();
      QCOMPARE(window->LoadWorkFile(workFile), TfrmWorkFile::LoadOutcome::Loaded);
      window->workspace()->setCurrentIndex(TfrmWorkFile::Reports);
      for (int i = 0; i < templates.size(); ++i) {
        window->reportsPage()->BuildReport(templates[i]);
        const QString tabPdf = out + "/" + names[i] + "-tab.pdf";
        env.fileDialogs.answer(tabPdf);
        Control<QToolButton>(window, "sbSaveReportPdf")->click();
        QVERIFY2(Timeless(ReadRawFile(tabPdf)) == Timeless(ReadRawFile(out + "/" + names[i] + ".pdf")),
                 qPrintable(names[i] + ": the tab's PDF differs from the command line's"));
      }
      QVERIFY(env.messages.shown.isEmpty());
    }

    // LibreOffice, all reports in one run.
    QStringList convert{"-env:UserInstallation=file://" + out + "/lo/profile", "--headless", "--convert-to", "pdf",
                        "--outdir", out + "/lo"};
    convert << reports;
    QProcessEnvironment loEnv = QProcessEnvironment::systemEnvironment();
    loEnv.insert("HOME", out + "/lo");
    QCOMPARE(Run("soffice", convert, loEnv, 400).exit, 0);

    QString figures = "| report | pages (Orvela / LibreOffice) | paper | text similarity |\n|---|---|---|---|\n";
    for (const QString& name : names) {
      const PdfFacts ours = FactsOf(out + "/" + name + ".pdf");
      const PdfFacts theirs = FactsOf(out + "/lo/" + name + ".pdf");
      const double similarity = Similarity(Pairs(ours.text), Pairs(theirs.text));
      figures += QString("| %1 | %2 / %3 | %4 pt | %5 |\n").arg(name).arg(ours.pages).arg(theirs.pages).arg(ours.size).arg(similarity, 0, 'f', 3);
      Run("pdftoppm", {"-r", "50", "-png", out + "/" + name + ".pdf", out + "/" + name + "-orvela"});
      Run("pdftoppm", {"-r", "50", "-png", out + "/lo/" + name + ".pdf", out + "/" + name + "-libreoffice"});
      QVERIFY2(!ours.size.isEmpty() && ours.size == theirs.size, qPrintable(name + ": " + ours.size + " / " + theirs.size));
      QVERIFY2(std::abs(ours.pages - theirs.pages) <= 1, qPrintable(name + QString(": %1 / %2 pages").arg(ours.pages).arg(theirs.pages)));
      QVERIFY2(similarity >= 0.95, qPrintable(name + QString(": similarity %1").arg(similarity)));
    }
    QFile file(out + "/figures.md");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(figures.toUtf8());
    qInfo().noquote() << figures;
  }
};

QTEST_MAIN(ReportLibreOfficeTest)
#include "report_libreoffice_test.moc"
