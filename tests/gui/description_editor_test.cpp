// The "Beschreibung" tab: the rule on Modified, the toolbar in both directions, the size
// field's error, storing and reading the description as RTF, and printing.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "app/srcMain.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/qt/PagedDocument.h"
#include "support/Doubles.h"
#include "support/DrawnChecks.h"
#include "support/FrameFixture.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/DescriptionEditor.h"
#include "workfile/DescriptionPage.h"
#include "workfile/DescriptionUpDown.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

QByteArray RichEditFixture() {
  QFile file(QStringLiteral(ORVELA_TEST_DATA "/gui/richedit-description.rtf"));
  if (!file.open(QIODevice::ReadOnly)) qFatal("fixture richedit-description.rtf missing");
  return file.readAll();
}

QTextBlock BlockWithText(const QTextDocument& d, const QString& text) {
  for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
    if (b.text().contains(text)) return b;
  qFatal("no paragraph holds %s", qPrintable(text));
}

// The format of every fragment that holds part of `text`, merged: the test asks whether
// all of them are bold and so on.
QList<QTextCharFormat> FormatsOf(const QTextDocument& d, const QString& text) {
  const QTextBlock b = BlockWithText(d, text);
  const int start = b.position() + int(b.text().indexOf(text));
  const int end = start + int(text.size());
  QList<QTextCharFormat> formats;
  for (auto it = b.begin(); !it.atEnd(); ++it) {
    const QTextFragment f = it.fragment();
    if (f.position() < end && f.position() + f.length() > start) formats.append(f.charFormat());
  }
  return formats;
}

bool AllBold(const QTextDocument& d, const QString& text) {
  const QList<QTextCharFormat> formats = FormatsOf(d, text);
  return !formats.isEmpty() &&
         std::all_of(formats.begin(), formats.end(), [](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; });
}
bool NoneBold(const QTextDocument& d, const QString& text) {
  const QList<QTextCharFormat> formats = FormatsOf(d, text);
  return std::none_of(formats.begin(), formats.end(), [](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; });
}

QString Family(const QTextCharFormat& f) {
  const QStringList families = f.fontFamilies().toStringList();
  return families.isEmpty() ? QString() : families.first();
}

// A print dialog the user confirms with a PDF file as the printer.
class PdfPrinting final : public platform::PrintService {
 public:
  explicit PdfPrinting(QString path) : path_(std::move(path)) {}
  bool print(QWidget*, QPrinter& printer, const rtf::PagedDocument& pages, const QString& jobName) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path_);
    printer.setDocName(jobName);
    printer.setFullPage(true);
    printer.setPageLayout(pages.pageLayout());
    pages.paint(printer);
    jobs.append(jobName);
    return true;
  }
  QStringList jobs;

 private:
  QString path_;
};

}  // namespace

class DescriptionEditorTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;
  std::unique_ptr<TestEnvironment>& env = fixture.env;
  std::unique_ptr<TfrmMain>& frame = fixture.frame;

  TfrmWorkFile* openWindow(const QString& path) {
    TfrmWorkFile* w = frame->CreateWorkFileWindow();
    if (w->LoadWorkFile(path) != TfrmWorkFile::LoadOutcome::Loaded) qFatal("cannot load %s", qPrintable(path));
    return w;
  }
  QString sampleWith(const QString& name, const QByteArray& description) {
    const QString path = env->workPath(name);
    WriteSampleWorkFile(path, "Planung", [&](WorkFileData& d) { d.description = description.toStdString(); });
    return path;
  }
  static DescriptionPage* page(TfrmWorkFile* w) { return Control<DescriptionPage>(w, "DescriptionPage"); }
  static DescriptionEditor* editor(TfrmWorkFile* w) { return Control<DescriptionEditor>(w, "reDescription"); }
  template <class T = QToolButton>
  static T* control(TfrmWorkFile* w, const char* name) {
    return Control<T>(w, name);
  }
  static void showDescription(TfrmWorkFile* w) { w->workspace()->setCurrentIndex(TfrmWorkFile::Description); }
  static void select(TfrmWorkFile* w, const QString& text) {
    const QTextCursor found = editor(w)->document()->find(text);
    if (found.isNull()) qFatal("%s not in the description", qPrintable(text));
    editor(w)->setTextCursor(found);
  }
  static void caretInto(TfrmWorkFile* w, const QString& text) {
    QTextCursor c = editor(w)->document()->find(text);
    c.setPosition(c.selectionStart() + 1);
    editor(w)->setTextCursor(c);
  }
  // A window on the description tab with the lines typed into its editor.
  TfrmWorkFile* typedWindow(const QStringList& lines, const QString& name = "beschreibung.owp") {
    TfrmWorkFile* w = openWindow(sampleWith(name, {}));
    showDescription(w);
    for (int i = 0; i < lines.size(); ++i) {
      if (i > 0) QTest::keyClick(editor(w), Qt::Key_Return);
      QTest::keyClicks(editor(w), lines[i]);
    }
    return w;
  }

 private slots:
  void init() { fixture.start(); }
  void cleanup() {
    fixture.stop();
  }

  void newWindowPreparesTheEditor() {
    TfrmWorkFile* w = frame->CreateWorkFileWindow();
    QCOMPARE(w->workspace()->widget(TfrmWorkFile::Description)->findChild<DescriptionEditor*>(), editor(w));
    QVERIFY(editor(w)->document()->isEmpty());
    QVERIFY(!w->isModified());

    struct Hint {
      const char* name;
      const char* text;
    };
    for (const Hint& h : {Hint{"cmbFont", "Schriftart"}, Hint{"editFontSize", "Schriftgrösse"}, Hint{"tbBold", "fett"},
                          Hint{"tbItalic", "kursiv"}, Hint{"tbUnderline", "unterstrichen"},
                          Hint{"tbLeftAlign", "linksbündig"}, Hint{"tbCenterAlign", "zentriert"},
                          Hint{"tbRightAlign", "rechtsbündig"}, Hint{"tbBullets", "Aufzählung"},
                          Hint{"tbPrintDescription", "Beschreibung drucken"}}) {
      QCOMPARE(control<QWidget>(w, h.name)->toolTip(), QString::fromUtf8(h.text));
      QVERIFY(control<QWidget>(w, h.name)->parentWidget() == control<QToolBar>(w, "StandardToolBar"));
    }

    auto* fonts = control<QComboBox>(w, "cmbFont");
    QVERIFY(fonts->count() > 0);
    QVERIFY(fonts->isEditable());
    QCOMPARE(fonts->maxVisibleItems(), 10);
    for (int i = 1; i < fonts->count(); ++i)
      QVERIFY2(QString::compare(fonts->itemText(i - 1), fonts->itemText(i), Qt::CaseInsensitive) <= 0,
               qPrintable(fonts->itemText(i)));

    // The default format shows: 8 points in the font that stands for "MS Sans Serif".
    QCOMPARE(control<QLineEdit>(w, "editFontSize")->text(), QString("8"));
    QCOMPARE(fonts->currentText(), editor(w)->document()->defaultFont().family());
    QVERIFY(control(w, "tbLeftAlign")->isChecked());
    QVERIFY(!control(w, "tbBold")->isChecked());

    showDescription(w);
    // Every toolbar button shows its picture (they come from the program's resources).
    const QStringList blank = CheckIcons(frame.get());
    QVERIFY2(blank.isEmpty(), qPrintable(blank.join('\n')));
    QCOMPARE(editor(w)->viewport()->geometry().left() - editor(w)->contentsRect().left(), 6);
    QCOMPARE(editor(w)->contentsRect().right() - editor(w)->viewport()->geometry().right(), 6);
  }

  void typingOnTheTabMarksTheFileModified() {
    TfrmWorkFile* w = openWindow(sampleWith("tippen.owp", {}));
    frame->saveButton()->setEnabled(false);  // only the rule below may enable it again
    showDescription(w);
    QTest::keyClicks(editor(w), "x");
    QVERIFY(w->isModified());
    QVERIFY(frame->saveButton()->isEnabled());

    // Undo brings the text back, but the change is still the user's: the file stays modified.
    w->acFileSave();
    QVERIFY(!w->isModified());
    QTest::keyClicks(editor(w), "y");
    QTest::keySequence(editor(w), QKeySequence::Undo);
    QTest::keySequence(editor(w), QKeySequence::Undo);
    QVERIFY(editor(w)->document()->isEmpty());
    QVERIFY(w->isModified());
  }

  void loadingAFormattedDescription() {
    TfrmWorkFile* w = openWindow(sampleWith("richedit.owp", RichEditFixture()));
    QVERIFY(!w->isModified());
    QVERIFY(!editor(w)->document()->isModified());
    const QTextDocument& d = *editor(w)->document();

    QVERIFY(AllBold(d, "Kasse"));
    QVERIFY(NoneBold(d, "Prüfung der"));
    QCOMPARE(FormatsOf(d, "Prüfung").first().fontPointSize(), 8.0);
    QCOMPARE(Family(FormatsOf(d, "Zentriert").first()), QString("Arial"));
    QCOMPARE(FormatsOf(d, "Zentriert").first().fontPointSize(), 14.0);
    QVERIFY(BlockWithText(d, "Zentriert").blockFormat().alignment() & Qt::AlignHCenter);
    QVERIFY(BlockWithText(d, "Rechts").blockFormat().alignment() & Qt::AlignRight);
    QVERIFY(FormatsOf(d, "Rechts").first().fontItalic());
    for (const char* item : {"Erster Punkt", "Zweiter Punkt"}) {
      const QTextList* list = BlockWithText(d, item).textList();
      QVERIFY2(list && list->format().style() == QTextListFormat::ListDisc, item);
    }
    QVERIFY(!BlockWithText(d, "Rechts").textList());

    // Visiting the tab and moving around changes nothing.
    showDescription(w);
    caretInto(w, "Kasse");
    QVERIFY(!w->isModified());
    // A change of format alone is a change the user wants saved.
    select(w, "Kasse");
    control(w, "tbItalic")->click();
    QVERIFY(w->isModified());
  }

  void caretInBoldCentredTextSetsTheToolbar() {
    TfrmWorkFile* w = openWindow(sampleWith("toolbar.owp", RichEditFixture()));
    showDescription(w);
    struct Case {
      const char* text;
      bool bold, italic, centred, right, bullets;
      const char* size;
      const char* font;
    };
    const Case cases[] = {
        {"Zentriert", true, false, true, false, false, "14", "Arial"},
        {"Kasse", true, false, false, false, false, "8", "MS Sans Serif"},
        {"Rechts", false, true, false, true, false, "8", "MS Sans Serif"},
        {"Zweiter", false, false, false, false, true, "8", "MS Sans Serif"},
    };
    for (const Case& c : cases) {
      caretInto(w, c.text);
      const QByteArray where = c.text;
      QVERIFY2(control(w, "tbBold")->isChecked() == c.bold, where);
      QVERIFY2(control(w, "tbItalic")->isChecked() == c.italic, where);
      QVERIFY2(!control(w, "tbUnderline")->isChecked(), where);
      QVERIFY2(control(w, "tbCenterAlign")->isChecked() == c.centred, where);
      QVERIFY2(control(w, "tbRightAlign")->isChecked() == c.right, where);
      QVERIFY2(control(w, "tbLeftAlign")->isChecked() == (!c.centred && !c.right), where);
      QVERIFY2(control(w, "tbBullets")->isChecked() == c.bullets, where);
      QCOMPARE(control<QLineEdit>(w, "editFontSize")->text(), QString(c.size));
      QCOMPARE(control<QComboBox>(w, "cmbFont")->currentText(), QString(c.font));
    }
    // Showing the format applied none of it.
    QVERIFY(!w->isModified());
    QVERIFY(!editor(w)->document()->isModified());
    QVERIFY(NoneBold(*editor(w)->document(), "Rechts"));
  }

  void boldGoesToTheSelectedWordOnly() {
    TfrmWorkFile* w = typedWindow({"eins zwei drei"});
    const QTextDocument& d = *editor(w)->document();
    select(w, "zwei");
    control(w, "tbBold")->click();
    QVERIFY(AllBold(d, "zwei"));
    QVERIFY(NoneBold(d, "eins "));
    QVERIFY(NoneBold(d, " drei"));

    // Without a selection the text at the caret keeps its format; what is typed next is bold.
    caretInto(w, "drei");
    QVERIFY(!control(w, "tbBold")->isChecked());
    control(w, "tbBold")->click();
    QVERIFY(NoneBold(d, "drei"));
    QVERIFY(page(w)->CurrentTextAttributes().fontWeight() >= QFont::Bold);
    QTest::keyClicks(editor(w), "X");
    QVERIFY(AllBold(d, "X"));
    QVERIFY(NoneBold(d, "rei"));

    // Italic and underline leave bold alone; taking bold off leaves them.
    select(w, "zwei");
    control(w, "tbItalic")->click();
    control(w, "tbUnderline")->click();
    control(w, "tbBold")->click();
    const QTextCharFormat f = FormatsOf(d, "zwei").first();
    QVERIFY(f.fontItalic() && f.fontUnderline() && f.fontWeight() < QFont::Bold);
  }

  void alignmentAndBulletsGoToTheSelectedParagraphs() {
    TfrmWorkFile* w = typedWindow({"Titel", "Punkt eins", "Punkt zwei", "Ende"});
    const QTextDocument& d = *editor(w)->document();
    struct Case {
      const char* button;
      Qt::Alignment expected;
    };
    for (const Case& c : {Case{"tbCenterAlign", Qt::AlignHCenter}, Case{"tbRightAlign", Qt::AlignRight},
                          Case{"tbLeftAlign", Qt::AlignLeft}}) {
      caretInto(w, "Titel");
      control(w, c.button)->click();
      QVERIFY2(BlockWithText(d, "Titel").blockFormat().alignment() & c.expected, c.button);
      QVERIFY2(!(BlockWithText(d, "Ende").blockFormat().alignment() & (Qt::AlignHCenter | Qt::AlignRight)), c.button);
    }

    QTextCursor both = d.find("Punkt eins");
    both.setPosition(int(d.find("Punkt zwei").selectionEnd()), QTextCursor::KeepAnchor);
    editor(w)->setTextCursor(both);
    control(w, "tbBullets")->click();
    QVERIFY(BlockWithText(d, "Punkt eins").textList());
    QCOMPARE(BlockWithText(d, "Punkt zwei").textList(), BlockWithText(d, "Punkt eins").textList());
    QVERIFY(!BlockWithText(d, "Titel").textList());
    QVERIFY(!BlockWithText(d, "Ende").textList());
    caretInto(w, "zwei");
    QVERIFY(control(w, "tbBullets")->isChecked());
    control(w, "tbBullets")->click();
    QVERIFY(!BlockWithText(d, "Punkt zwei").textList());
    QCOMPARE(BlockWithText(d, "Punkt zwei").blockFormat().indent(), 0);
    QVERIFY(BlockWithText(d, "Punkt eins").textList());
    QVERIFY(w->isModified());
  }

  void fontBoxAppliesPickedAndTypedNames() {
    TfrmWorkFile* w = typedWindow({"eins zwei"});
    auto* fonts = control<QComboBox>(w, "cmbFont");
    const QTextDocument& d = *editor(w)->document();
    struct Case {
      const char* word;
      QString typed;     // what the user types and confirms with Enter
      QString expected;  // the family the word then has
    };
    const QString listed = fonts->itemText(0);
    const Case cases[] = {
        {"eins", listed.toUpper(), listed},                        // an entry, letter case ignored
        {"zwei", "Schrift Nicht Installiert", "Schrift Nicht Installiert"},  // kept as typed
    };
    for (const Case& c : cases) {
      select(w, c.word);
      fonts->lineEdit()->setText(c.typed);
      QTest::keyClick(fonts->lineEdit(), Qt::Key_Return);
      QCOMPARE(Family(FormatsOf(d, c.word).first()), c.expected);
    }
    QCOMPARE(env->messages.shown.size(), 0);
  }

  void sizeField() {
    TfrmWorkFile* w = typedWindow({"Wort"});
    auto* size = control<QLineEdit>(w, "editFontSize");
    select(w, "Wort");
    const QTextDocument& d = *editor(w)->document();

    for (const char* bad : {"", "zwölf", "1,5"}) {
      env->messages.clear();
      size->setText(QString::fromUtf8(bad));
      QCOMPARE(env->messages.shown.size(), 1);
      QCOMPARE(env->messages.shown[0].kind, MessageKind::Error);
      QVERIFY2(env->messages.shown[0].text.contains("'" + QString::fromUtf8(bad) + "'"), bad);
      QVERIFY(env->messages.shown[0].text.contains("editFontSize"));
      QCOMPARE(FormatsOf(d, "Wort").first().fontPointSize(), 0.0);  // still the default size
    }

    env->messages.clear();
    size->setText("12");
    QCOMPARE(env->messages.shown.size(), 0);
    QCOMPARE(FormatsOf(d, "Wort").first().fontPointSize(), 12.0);

    // The arrows step the number in the field, also one the user typed, within 0 to 100.
    auto* arrows = control<DescriptionUpDown>(w, "udFontSize");
    arrows->upButton()->click();
    QCOMPARE(size->text(), QString("13"));
    QCOMPARE(FormatsOf(d, "Wort").first().fontPointSize(), 13.0);
    QTest::keyClick(size, Qt::Key_Down);
    QCOMPARE(size->text(), QString("12"));
    size->setText("100");
    arrows->upButton()->click();
    QCOMPARE(size->text(), QString("100"));
    size->setText("1");
    arrows->downButton()->click();
    arrows->downButton()->click();
    QCOMPARE(size->text(), QString("0"));
    QCOMPARE(FormatsOf(d, "Wort").first().fontPointSize(), 1.0);  // 0 is not a size to draw
    QCOMPARE(env->messages.shown.size(), 0);
  }

  void savingAndReopeningKeepsTheFormatting() {
    TfrmWorkFile* w = typedWindow({"Titel", "Punkt eins", "Punkt zwei", "Ende"}, "formatiert.owp");
    auto* fonts = control<QComboBox>(w, "cmbFont");
    const int fontIndex = fonts->count() - 1;
    const QString chosenFont = fonts->itemText(fontIndex);

    select(w, "Titel");
    control(w, "tbBold")->click();
    control<QLineEdit>(w, "editFontSize")->setText("14");
    fonts->setCurrentIndex(fontIndex);
    emit fonts->activated(fontIndex);
    control(w, "tbCenterAlign")->click();
    QTextCursor both = editor(w)->document()->find("Punkt eins");
    both.setPosition(int(editor(w)->document()->find("Punkt zwei").selectionEnd()), QTextCursor::KeepAnchor);
    editor(w)->setTextCursor(both);
    control(w, "tbBullets")->click();
    select(w, "Ende");
    control(w, "tbItalic")->click();
    control(w, "tbUnderline")->click();
    control(w, "tbRightAlign")->click();

    frame->saveButton()->trigger();
    QVERIFY(!w->isModified());
    const QString path = w->GetFileName();
    w->closeWithoutQuestion();

    TfrmWorkFile* again = openWindow(path);
    QVERIFY(!again->isModified());
    const QTextDocument& d = *editor(again)->document();
    QCOMPARE(d.toPlainText(), QString("Titel\nPunkt eins\nPunkt zwei\nEnde"));
    const QTextCharFormat title = FormatsOf(d, "Titel").first();
    QVERIFY(AllBold(d, "Titel"));
    QCOMPARE(title.fontPointSize(), 14.0);
    QCOMPARE(Family(title), chosenFont);
    QVERIFY(BlockWithText(d, "Titel").blockFormat().alignment() & Qt::AlignHCenter);
    QVERIFY(BlockWithText(d, "Punkt eins").textList());
    QCOMPARE(BlockWithText(d, "Punkt zwei").textList(), BlockWithText(d, "Punkt eins").textList());
    QVERIFY(!BlockWithText(d, "Ende").textList());
    const QTextCharFormat end = FormatsOf(d, "Ende").first();
    QVERIFY(end.fontItalic() && end.fontUnderline() && end.fontWeight() < QFont::Bold);
    QVERIFY(BlockWithText(d, "Ende").blockFormat().alignment() & Qt::AlignRight);
    // Untouched text keeps the default format of a new description.
    QCOMPARE(FormatsOf(d, "Punkt eins").first().fontPointSize(), 8.0);
  }

  void leavingTheTabHandsTheTextToTheReports() {
    TfrmWorkFile* w = typedWindow({"Erste Zeile", "Zweite Zeile"});
    w->workspace()->setCurrentIndex(TfrmWorkFile::Reports);
    QCOMPARE(rtf::PlainTextCp1252(rtf::ReadRtf(w->data().description)), std::string("Erste Zeile\r\nZweite Zeile"));
    QCOMPARE(page(w)->plainText(), std::string("Erste Zeile\r\nZweite Zeile"));
  }

  void printingGoesToThePrinterAsBeschreibung() {
    const QString pdf = env->workPath("beschreibung.pdf");
    PdfPrinting printing(pdf);
    env->services.setPrinting(&printing);
    TfrmWorkFile* w = typedWindow({"Bericht Kasse", "Zweite Seite folgt nicht"});
    editor(w)->insertPlainText("\nPrüfung für Zürich");  // beyond what the test keyboard types
    control(w, "tbPrintDescription")->click();
    env->services.setPrinting(&env->printing);
    QCOMPARE(printing.jobs, QStringList{"Beschreibung"});
    const QByteArray bytes = ReadRawFile(pdf);
    QVERIFY(bytes.startsWith("%PDF"));

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (!pdftotext.isEmpty()) {
      QProcess run;
      run.start(pdftotext, {"-enc", "UTF-8", pdf, "-"});
      QVERIFY(run.waitForFinished(30000));
      const QString text = QString::fromUtf8(run.readAllStandardOutput());
      QVERIFY2(text.contains("Bericht Kasse") && text.contains("Zweite Seite folgt nicht") &&
                  text.contains("Prüfung für Zürich"), qPrintable(text));
    } else {
      QVERIFY(bytes.contains("/Contents") && bytes.contains("stream"));
    }

    // A cancelled print dialog prints nothing.
    env->printing.accept = false;
    control(w, "tbPrintDescription")->click();
    QCOMPARE(env->printing.calls.size(), 1);
    QCOMPARE(env->printing.calls[0].jobName, QString("Beschreibung"));
  }
};

QTEST_MAIN(DescriptionEditorTest)
#include "description_editor_test.moc"
