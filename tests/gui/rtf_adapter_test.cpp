// The bridge between RTF and Qt's text engine, without widgets.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "rtf/RtfReader.h"
#include "rtf/qt/RichText.h"

using namespace orvela::rtf;

namespace {

std::string ReadBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

QList<QTextBlock> TopBlocks(const QTextDocument& d) {
  QList<QTextBlock> blocks;
  for (auto it = d.rootFrame()->begin(); !it.atEnd(); ++it) {
    if (!it.currentFrame()) blocks.append(it.currentBlock());
  }
  return blocks;
}

QTextTable* FirstTable(const QTextDocument& d) {
  for (auto it = d.rootFrame()->begin(); !it.atEnd(); ++it) {
    if (auto* t = qobject_cast<QTextTable*>(it.currentFrame())) return t;
  }
  return nullptr;
}

QTextBlock BlockWithText(const QTextDocument& d, const QString& text) {
  for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
    if (b.text().contains(text)) return b;
  }
  return {};
}

QTextCharFormat FormatOf(const QTextDocument& d, const QString& text) {
  const QTextBlock b = BlockWithText(d, text);
  for (auto it = b.begin(); !it.atEnd(); ++it) {
    if (it.fragment().text().contains(text)) return it.fragment().charFormat();
  }
  return {};
}

QString FamilyOf(const QTextCharFormat& f) {
  const QStringList families = f.fontFamilies().toStringList();
  return families.isEmpty() ? QString() : families.first();
}

QByteArray PngBytes() {
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

}  // namespace

class RtfAdapterTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheLibreOfficeFixtureFormatted() {
    QTextDocument d;
    SetEditorContent(d, ReadBytes(QStringLiteral(ORVELA_TEST_DATA "/rtf/libreoffice-formatting.rtf")));
    QVERIFY(!d.isModified());
    QVERIFY(FormatOf(d, "Fett").fontWeight() >= QFont::Bold);
    QVERIFY(FormatOf(d, "Kursiv").fontItalic());
    QVERIFY(FormatOf(d, "Unterstrichen").fontUnderline());
    QVERIFY(FormatOf(d, "Fett").fontWeight() >= QFont::Bold);
    const struct {
      const char* text;
      const char* family;
      double points;
    } fonts[] = {{"Serif zwölf", "Liberation Serif", 12}, {"Sans sechzehn", "Liberation Sans", 16},
                 {"Mono zehn", "Liberation Mono", 10}};
    for (const auto& f : fonts) {
      const QTextCharFormat format = FormatOf(d, QString::fromUtf8(f.text));
      QCOMPARE(FamilyOf(format), QString::fromUtf8(f.family));
      QCOMPARE(format.fontPointSize(), f.points);
    }
    QVERIFY(BlockWithText(d, "Zentriert").blockFormat().alignment() & Qt::AlignHCenter);
    QVERIFY(BlockWithText(d, QString::fromUtf8("Rechtsbündig")).blockFormat().alignment() & Qt::AlignRight);
    const QTextList* list = BlockWithText(d, "Erster Punkt").textList();
    QVERIFY(list);
    QCOMPARE(list->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(list->count(), 2);
    QCOMPARE(BlockWithText(d, "Zweiter Punkt").textList(), list);
    QVERIFY(!BlockWithText(d, "Umlaute").textList());
    const QTextTable* table = FirstTable(d);
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 3);
    QCOMPARE(table->cellAt(2, 1).firstCursorPosition().block().text(), QStringLiteral("B3"));
    QVERIFY(BlockWithText(d, QString::fromUtf8("Umlaute äöüÄÖÜß und 100 €")).isValid());
  }

  void showsDescriptionsOfTheOldControlFormatted() {
    QTextDocument d;
    SetEditorContent(d,
                     "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1031{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans Serif;}"
                     "{\\f1\\fnil\\fcharset2 Symbol;}}\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs16 Titel\\b0\\par"
                     "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-200\\li200 Punkt\\par}");
    const QTextCharFormat title = FormatOf(d, "Titel");
    QCOMPARE(FamilyOf(title), QStringLiteral("MS Sans Serif"));
    QCOMPARE(title.fontPointSize(), 8.0);
    QVERIFY(title.fontWeight() >= QFont::Bold);
    QVERIFY(BlockWithText(d, "Titel").blockFormat().alignment() & Qt::AlignHCenter);
    QVERIFY(BlockWithText(d, "Punkt").textList());
    QVERIFY(FormatOf(d, "Punkt").fontWeight() < QFont::Bold);
  }

  void showsOtherTextAsPlainText() {
    QTextDocument d;
    d.setPlainText("alt");
    SetEditorContent(d, "Zeile 1\r\nZeile 2 \xE4 {\\b nicht fett}");
    QCOMPARE(d.toPlainText(), QString::fromUtf8("Zeile 1\nZeile 2 ä {\\b nicht fett}"));
    QVERIFY(!d.isModified());
    QVERIFY(!d.isUndoAvailable());
  }

  void keepsFormattingOnTheWayToRtfAndBack() {
    QTextDocument original;
    QTextCursor c(&original);
    QTextCharFormat arial;
    arial.setFontFamilies({"Arial"});
    arial.setFontPointSize(11);
    QTextCharFormat bold = arial;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat courier;
    courier.setFontFamilies({"Courier New"});
    courier.setFontPointSize(14);
    courier.setFontItalic(true);
    courier.setFontUnderline(true);
    courier.setForeground(QColor(200, 0, 0));
    courier.setBackground(QColor(255, 255, 0));
    QTextCharFormat small = arial;
    small.setFontStrikeOut(true);
    small.setVerticalAlignment(QTextCharFormat::AlignSuperScript);

    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.setBlockFormat(centred);
    c.insertText("Titel ", bold);
    c.insertText(QString::fromUtf8("kursiv € Ж"), courier);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    right.setLeftMargin(20);
    right.setTabPositions({QTextOption::Tab(300, QTextOption::RightTab), QTextOption::Tab(100, QTextOption::CenterTab)});
    c.insertBlock(right);
    c.insertText("rechts", small);
    c.insertBlock(QTextBlockFormat());
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    c.createList(bullets);
    c.insertText("Punkt 1", arial);
    c.insertBlock();
    c.insertText("Punkt 2", arial);
    c.insertBlock(QTextBlockFormat());
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListDecimal);
    c.createList(numbers);
    c.insertText("Nummer 1", arial);
    c.insertBlock(QTextBlockFormat());
    c.insertText("vor der Tabelle", arial);
    QTextTableFormat tableFormat;
    tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                           QTextLength(QTextLength::FixedLength, 150)});
    QTextTable* table = c.insertTable(2, 2, tableFormat);
    table->cellAt(0, 0).firstCursorPosition().insertText("A1", bold);
    table->cellAt(1, 1).firstCursorPosition().insertText("B2", arial);
    QTextCursor inner = table->cellAt(0, 1).firstCursorPosition();
    inner.insertText("innen", arial);
    // Cells without a width are written with a default one; give them all theirs.
    QTextTableFormat innerFormat;
    innerFormat.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 40),
                                           QTextLength(QTextLength::FixedLength, 60)});
    inner.insertTable(1, 2, innerFormat)->cellAt(0, 1).firstCursorPosition().insertText("tief", arial);
    c = table->lastCursorPosition();
    c.movePosition(QTextCursor::NextBlock);
    c.insertText("nach der Tabelle", arial);
    original.addResource(QTextDocument::ImageResource, QUrl("bild"), PngBytes());
    QTextImageFormat image;
    image.setName("bild");
    image.setWidth(40);
    image.setHeight(30);
    c.insertImage(image);

    const std::string rtf = RichTextOf(original);
    QVERIFY(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252"));
    QTextDocument copy;
    SetEditorContent(copy, rtf);
    QCOMPARE(RichTextOf(copy), rtf);
    QVERIFY(FromTextDocument(copy) == FromTextDocument(original));

    QCOMPARE(FamilyOf(FormatOf(copy, "kursiv")), QStringLiteral("Courier New"));
    QCOMPARE(FormatOf(copy, "kursiv").fontPointSize(), 14.0);
    QVERIFY(FormatOf(copy, "rechts").fontStrikeOut());
    QVERIFY(BlockWithText(copy, "rechts").blockFormat().alignment() & Qt::AlignRight);
    QCOMPARE(BlockWithText(copy, "rechts").blockFormat().tabPositions(), right.tabPositions());
    QCOMPARE(BlockWithText(copy, "Punkt 2").textList()->count(), 2);
    QCOMPARE(BlockWithText(copy, "Nummer 1").textList()->format().style(), QTextListFormat::ListDecimal);
    QTextTable* copiedTable = FirstTable(copy);
    QVERIFY(copiedTable);
    QCOMPARE(copiedTable->rows(), 2);
    QCOMPARE(copiedTable->format().columnWidthConstraints().at(1).rawValue(), 150.0);
    QCOMPARE(TopBlocks(copy).size(), TopBlocks(original).size());
  }

  void keepsPictureBytes() {
    const QByteArray png = PngBytes();
    Document model;
    Paragraph p;
    p.runs.push_back(Run{{}, CharFormat{}, Picture{Picture::Format::Png, png.toStdString(), 600, 450}});
    model.blocks.push_back(Block{p});
    QTextDocument d;
    ToTextDocument(model, d);
    const Document back = FromTextDocument(d);
    const auto& runs = std::get<Paragraph>(back.blocks.at(0).content).runs;
    QCOMPARE(runs.size(), std::size_t(1));
    QVERIFY(runs[0].picture);
    QVERIFY(runs[0].picture->bytes == png.toStdString());
    QCOMPARE(runs[0].picture->widthTwips, 600);
  }

  void plainTextSeparatesParagraphsByCrLf() {
    QTextDocument d;
    d.setPlainText(QString::fromUtf8("eins\nzwei Ж"));
    QCOMPARE(PlainTextOf(d), std::string("eins\r\nzwei ?"));
  }
};

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  RtfAdapterTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "rtf_adapter_test.moc"
