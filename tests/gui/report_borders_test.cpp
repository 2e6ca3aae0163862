// Lines and fills of a report as its pages show them: cell, row and paragraph borders,
// cell shading, cell padding and line spacing, looked at in the pixels of the PDF.
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QAbstractTextDocumentLayout>
#include <QTextEdit>

#include "reports/ReportPreview.h"
#include "rtf/RtfReader.h"
#include "rtf/qt/PagedDocument.h"
#include "rtf/qt/RichText.h"

using namespace orvela;

namespace {

// A square page of 3 inches with half an inch of margin all round, rendered at 72 dpi: one
// pixel is 20 twips, the text area runs from 720 to 3600 twips.
constexpr int kTwipsPerPixel = 20;

std::string Page(const std::string& body) {
  return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue128;}"
         "\\paperw4320\\paperh4320\\margl720\\margr720\\margt720\\margb720\\fs20 " +
         body + "}";
}

// A cell from 720 to 3600 twips holding a short word at its left.
std::string OneCell(const std::string& cellWords, const std::string& rowWords = {}) {
  return "\\trowd\\trgaph0" + rowWords + cellWords + "\\cellx2880\\pard\\intbl ab\\cell\\row\\pard\\par";
}

std::string Border(const char* side) { return std::string("\\") + side + "\\brdrs\\brdrw40\\brdrcf1"; }

bool DarkAt(const QImage& image, int x, int y) {
  return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128;
}

// Whether some pixel between the twips (left, top) and (right, bottom) is dark.
bool DarkIn(const QImage& image, int left, int top, int right, int bottom) {
  for (int y = top / kTwipsPerPixel; y <= bottom / kTwipsPerPixel; ++y)
    for (int x = left / kTwipsPerPixel; x <= right / kTwipsPerPixel; ++x)
      if (DarkAt(image, x, y)) return true;
  return false;
}

// The leftmost dark pixel in the band, in twips; -1 when none.
int FirstDarkX(const QImage& image, int top, int bottom) {
  for (int x = 0; x < image.width(); ++x)
    for (int y = top / kTwipsPerPixel; y <= bottom / kTwipsPerPixel; ++y)
      if (DarkAt(image, x, y)) return x * kTwipsPerPixel;
  return -1;
}

}  // namespace

class ReportBordersTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir;
  int rendered = 0;

  // The first page of the RTF as the PDF shows it; a null image (and a failure under CI)
  // without pdftoppm.
  QImage Render(const std::string& rtf) {
    const QString tool = QStandardPaths::findExecutable("pdftoppm");
    if (tool.isEmpty()) {
      if (qEnvironmentVariableIsSet("CI")) QTest::qFail("pdftoppm (poppler-utils) is not installed", __FILE__, __LINE__);
      return {};
    }
    const rtf::PagedDocument pages(rtf::ReadRtf(rtf), QDateTime(QDate(2026, 12, 11), QTime(9, 30)));
    const QString base = dir.filePath(QString::number(++rendered));
    QString error;
    if (!rtf::WritePdf(pages, base + ".pdf", "Linien", error)) return {};
    QProcess run;
    run.start(tool, {"-r", "72", "-png", "-singlefile", base + ".pdf", base});
    run.waitForFinished(60000);
    return QImage(base + ".png");
  }

 private slots:
  void linesAndFillsWhereTheTemplatePutsThem_data() {
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("without");
    QTest::addColumn<QRect>("where");  // twips: a band the line or fill crosses, clear of text
    // The right edge of the cell or text area is at 3600 twips, the text ends far left of it.
    const QRect rightEdge(3540, 720, 120, 500);
    const auto row = [](const std::string& cell, const std::string& rowWords = {}) {
      return QString::fromStdString(Page(OneCell(cell, rowWords)));
    };
    QTest::newRow("cell border") << row(Border("clbrdrr")) << row("") << rightEdge;
    QTest::newRow("double cell border") << row("\\clbrdrr\\brdrdb\\brdrw20") << row("") << rightEdge;
    QTest::newRow("row border") << row("", Border("trbrdrr")) << row("") << rightEdge;
    QTest::newRow("row border between cells")
        << QString::fromStdString(Page("\\trowd\\trgaph108" + Border("trbrdrv") +
                                       "\\cellx1440\\cellx2880\\pard\\intbl a\\cell b\\cell\\row\\pard\\par"))
        << row("") << QRect(2120, 720, 60, 500);
    QTest::newRow("cell shading") << row("\\clcbpat2") << row("") << QRect(3000, 760, 400, 60);
    QTest::newRow("cell shading as a share of black") << row("\\clshdng8000") << row("")
                                                       << QRect(3000, 760, 400, 60);
    QTest::newRow("bottom border of a paragraph")
        << QString::fromStdString(Page("\\pard" + Border("brdrb") + "\\brsp40 ab\\par"))
        << QString::fromStdString(Page("\\pard ab\\par")) << QRect(2800, 720, 600, 600);
    QTest::newRow("box round a paragraph")
        << QString::fromStdString(Page("\\pard\\box\\brdrs\\brdrw40 ab\\par"))
        << QString::fromStdString(Page("\\pard ab\\par")) << QRect(3540, 720, 200, 300);
    // A line between two boxed paragraphs only when their boxes differ.
    QTest::newRow("boxes of paragraphs one under the other")
        << QString::fromStdString(Page("\\pard\\box\\brdrs\\brdrw40 ab\\par\\pard\\box\\brdrs\\brdrw30 cd\\par"))
        << QString::fromStdString(Page("\\pard\\box\\brdrs\\brdrw40 ab\\par\\pard\\box\\brdrs\\brdrw40 cd\\par"))
        << QRect(2800, 960, 600, 120);
    QTest::newRow("border of a paragraph in a cell")
        << QString::fromStdString(Page("\\trowd\\trgaph0\\cellx2880\\pard\\intbl" + Border("brdrr") +
                                       " ab\\cell\\row\\pard\\par"))
        << row("") << QRect(3400, 720, 400, 400);
  }

  void linesAndFillsWhereTheTemplatePutsThem() {
    QFETCH(QString, with);
    QFETCH(QString, without);
    QFETCH(QRect, where);
    const QImage drawn = Render(with.toStdString());
    const QImage plain = Render(without.toStdString());
    if (drawn.isNull() || plain.isNull()) QSKIP("pdftoppm (poppler-utils) not installed");
    QCOMPARE(drawn.size(), QSize(216, 216));
    QVERIFY2(!DarkIn(plain, where.left(), where.top(), where.right(), where.bottom()), "dark without the line");
    QVERIFY2(DarkIn(drawn, where.left(), where.top(), where.right(), where.bottom()), "no line where it belongs");
  }

  void previewShowsTheLineUnderAParagraph() {
    // The line runs to the right end of the text, far right of the word.
    const auto columnDark = [](QTextEdit& edit) {
      edit.resize(400, 160);
      rtf::ToTextDocument(rtf::ReadRtf(Page("\\pard\\brdrb\\brdrs\\brdrw40 ab\\par")), *edit.document());
      const QImage image = edit.grab().toImage();
      for (int y = 0; y < image.height(); ++y)
        if (DarkAt(image, 300, y)) return true;
      return false;
    };
    QTextEdit plain;
    ReportPreview preview;
    QVERIFY(!columnDark(plain));
    QVERIFY(columnDark(preview));
  }

  void paddingMovesTheTextOfACell() {
    const QImage tight = Render(Page(OneCell("\\clpadl0\\clpadfl3")));
    const QImage padded = Render(Page(OneCell("\\clpadl720\\clpadfl3")));
    if (tight.isNull() || padded.isNull()) QSKIP("pdftoppm (poppler-utils) not installed");
    const int tightX = FirstDarkX(tight, 720, 1000);
    const int paddedX = FirstDarkX(padded, 720, 1000);
    QVERIFY2(tightX >= 700 && tightX < 900, qPrintable(QString::number(tightX)));
    QVERIFY2(paddedX >= 1400 && paddedX < 1640, qPrintable(QString::number(paddedX)));
  }

  void lineSpacingSetsTheDistanceOfLines_data() {
    QTest::addColumn<QString>("words");
    QTest::addColumn<double>("twips");  // from the first paragraph's top to the second's
    QTest::addColumn<double>("lines");  // or in single lines
    QTest::newRow("exactly") << "\\sl-720" << 720.0 << 0.0;
    QTest::newRow("at least") << "\\sl600\\slmult0" << 600.0 << 0.0;
    QTest::newRow("at least, less than a line") << "\\sl20" << 0.0 << 1.0;
    QTest::newRow("double") << "\\sl480\\slmult1" << 0.0 << 2.0;
    QTest::newRow("1.15 lines") << "\\sl276\\slmult1" << 0.0 << 1.15;
  }

  void lineSpacingSetsTheDistanceOfLines() {
    QFETCH(QString, words);
    QFETCH(double, twips);
    QFETCH(double, lines);
    const auto distanceOf = [](const QString& spacing) {
      QTextDocument document;
      rtf::ToTextDocument(rtf::ReadRtf(Page("\\pard" + spacing.toStdString() + " a\\par b\\par")), document);
      const QAbstractTextDocumentLayout& layout = *document.documentLayout();
      return (layout.blockBoundingRect(document.begin().next()).top() -
              layout.blockBoundingRect(document.begin()).top()) * 15;
    };
    const double single = distanceOf("");
    QVERIFY2(single > 150 && single < 300, qPrintable(QString::number(single)));
    const double expected = lines > 0 ? lines * single : twips;
    const double got = distanceOf(words);
    QVERIFY2(qAbs(got - expected) <= 16, qPrintable(QString("%1 statt %2").arg(got).arg(expected)));
  }
};

QTEST_MAIN(ReportBordersTest)
#include "report_borders_test.moc"
