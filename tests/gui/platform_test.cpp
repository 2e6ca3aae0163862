// The platform layer: settings file rules, stamps, temporary files, shell addresses,
// the error report and the help topics.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <memory>
#include <stdexcept>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/ProgramResources.h"
#include "model/TextUtils.h"
#include "platform/ErrorReport.h"
#include "platform/HelpWindow.h"
#include "platform/SaveFileDialog.h"
#include "platform/Settings.h"
#include "platform/ShellOpen.h"
#include "platform/Stamps.h"
#include "platform/TempFiles.h"
#include "platform/Translations.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"

using namespace orvela;
using namespace orvela::platform;
using orvela::test::TestEnvironment;

namespace {
// Throws from a plain event. A mouse event would do as well for the report, but
// QApplication::notify copies it with its touch points on the heap, and Qt's own frames,
// built without exception support, leave that copy behind when the exception passes: a
// leak inside Qt that the sanitizer run would report on every run.
class ThrowingWidget : public QWidget {
 protected:
  void customEvent(QEvent*) override { throw std::runtime_error("kaputt"); }
};

// The permission bits of a file or folder.
int ModeOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

// Which windows a modal window blocks, as the system tells each window.
class BlockedWindows : public QObject {
 public:
  BlockedWindows() { qApp->installEventFilter(this); }
  bool isBlocked(QObject* window) const { return blocked_.contains(window); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowBlocked) blocked_.insert(watched);
    if (event->type() == QEvent::WindowUnblocked) blocked_.remove(watched);
    return false;
  }

 private:
  QSet<QObject*> blocked_;
};
}  // namespace

class PlatformTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;

 private slots:
  void init() { env = std::make_unique<TestEnvironment>(); }
  void cleanup() { env.reset(); }

  void settingsFileLivesInConfigFolder() {
    QCOMPARE(SettingsFilePath(), QDir(env->configDir()).filePath("OrvelaWP.ini"));
  }

  void missingFileGivesDefaults() {
    const GeneralSettings s = ReadGeneralSettings();
    QVERIFY(s.workingDir.isEmpty() && s.reportDir.isEmpty() && s.templatePath.isEmpty());
    QVERIFY(!s.newFileOnStartup && !s.noFileIntegrityCheck);
    QVERIFY(s.recentFiles.isEmpty());
  }

  void readingRules_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("workingDir");
    QTest::addColumn<bool>("newFile");
    QTest::addColumn<bool>("noCheck");
    QTest::newRow("leading blanks trimmed, trailing kept")
        << QStringList{"[GeneralSettings]", "WorkingDir=   /daten/akte ", "NewFileOnStartup=1"} << "/daten/akte "
        << true << false;
    QTest::newRow("truth value not an integer is off")
        << QStringList{"[GeneralSettings]", "NewFileOnStartup=yes", "NoFileIntegrityCheck=ja"} << "" << false << false;
    QTest::newRow("any non-zero integer is on")
        << QStringList{"[GeneralSettings]", "NewFileOnStartup=-3", "NoFileIntegrityCheck= 7"} << "" << true << true;
    QTest::newRow("zero is off") << QStringList{"[GeneralSettings]", "NewFileOnStartup=0"} << "" << false << false;
    QTest::newRow("keys of other sections ignored")
        << QStringList{"[Other]", "WorkingDir=/falsch", "NewFileOnStartup=1", "[GeneralSettings]", "WorkingDir=/w"}
        << "/w" << false << false;
    QTest::newRow("section and key letter case ignored, CRLF lines")
        << QStringList{"[generalsettings]\r", "workingdir=/w\r", "NEWFILEONSTARTUP=1\r"} << "/w" << true << false;
    QTest::newRow("no section") << QStringList{"WorkingDir=/w"} << "" << false << false;
  }
  void readingRules() {
    QFETCH(QStringList, lines);
    env->writeSettings(lines);
    const GeneralSettings s = ReadGeneralSettings();
    QTEST(s.workingDir, "workingDir");
    QTEST(s.newFileOnStartup, "newFile");
    QTEST(s.noFileIntegrityCheck, "noCheck");
  }

  void recentFilesRoundTrip() {
    const QStringList files{"/home/a b/x.owp", "/plain/y.owp", "/odd|bar.owp", "/star*.owp", "/ümlaut/z.owp"};
    const QString text = RecentFilesText(files);
    QVERIFY(text.startsWith("*/home/a b/x.owp*|/plain/y.owp|"));
    QCOMPARE(ReadRecentFilesText(text), files);
    // A file name may hold a line break; the list is still written, without it.
    const QString kept = RecentFilesText({"/a.owp", "/zwei\nzeilen.owp", "/b.owp"});
    QCOMPARE(ReadRecentFilesText(kept), (QStringList{"/a.owp", "/b.owp"}));
    QVERIFY(WriteSettingsValues({{"RecentFiles", kept}}));
  }

  void recentFilesReadFromFileBoundToFive() {
    env->writeSettings({"[GeneralSettings]", "RecentFiles=a|b|*c d*|e|f|g"});
    QCOMPARE(ReadGeneralSettings().recentFiles, (QStringList{"a", "b", "c d", "e", "f"}));
  }

  void writingKeepsOtherSectionsAndKeys() {
    env->writeSettings({"[Window]", "Left=10", "", "[GeneralSettings]", "ReportDir=/r", "Foreign=keep", "",
                        "[Tail]", "X=1"});
    QVERIFY(WriteSettingsValues({{"RecentFiles", "*a b*|c"}, {"ReportDir", "  /neu"}}));
    QCOMPARE(env->readSettings(), QString("[Window]\nLeft=10\n\n[GeneralSettings]\nReportDir=  /neu\nForeign=keep\n"
                                          "RecentFiles=*a b*|c\n\n[Tail]\nX=1\n"));
    QCOMPARE(ReadGeneralSettings().reportDir, QString("/neu"));
  }

  void writingKeepsTheBytesOfOtherLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("written");
    // Written by an older program in Windows-1252: the untouched lines stay as they are.
    QTest::newRow("latin-1 lines") << QByteArray("[GeneralSettings]\nTemplate=C:\\Pr\xfc" "fung.owp\n[Alt]\nN=\xe4\n")
                                   << QByteArray("[GeneralSettings]\nTemplate=C:\\Pr\xfc" "fung.owp\nReportDir=/r\n"
                                                 "[Alt]\nN=\xe4\n");
    QTest::newRow("crlf file") << QByteArray("[GeneralSettings]\r\nReportDir=/alt\r\nX=1\r\n")
                               << QByteArray("[GeneralSettings]\r\nReportDir=/r\r\nX=1\r\n");
    QTest::newRow("crlf file without section") << QByteArray("[Alt]\r\nN=1")
                                               << QByteArray("[Alt]\r\nN=1\n\r\n[GeneralSettings]\r\nReportDir=/r\r\n");
    QTest::newRow("key found with other spelling") << QByteArray("[generalsettings]\n  reportdir =alt\n")
                                                   << QByteArray("[generalsettings]\nReportDir=/r\n");
  }
  void writingKeepsTheBytesOfOtherLines() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, written);
    QCOMPARE(MergeSettingsValues(text, {{"ReportDir", "/r"}}), std::optional<QByteArray>(written));
  }

  void keyWithBlanksIsReplacedNotAddedAgain() {
    const std::optional<QByteArray> once = MergeSettingsValues({}, {{" WorkingDir\t", "/a"}});
    QVERIFY(once);
    const std::optional<QByteArray> twice = MergeSettingsValues(*once, {{" WorkingDir\t", "/b"}});
    QVERIFY(twice);
    QCOMPARE(twice->count('\n'), once->count('\n'));
    QCOMPARE(ParseGeneralSettings(*twice).workingDir, QString("/b"));
  }

  void writingCreatesFileAndFolder() {
    const QString nested = env->configDir() + "/deeper";
    qputenv("XDG_CONFIG_HOME", nested.toLocal8Bit());
    QVERIFY(WriteSettingsValues({{"RecentFiles", ""}}));
    QFile file(nested + "/OrvelaWP.ini");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[GeneralSettings]\nRecentFiles=\n"));
  }

  void writingFailsWhereNoFileCanBe() {
    QVERIFY(QDir(env->configDir()).mkdir("OrvelaWP.ini"));  // a folder in the way
    QVERIFY(!WriteSettingsValues({{"RecentFiles", "a"}}));
  }

  void writingRefusesLineBreaks() {
    QVERIFY(!WriteSettingsValues({{"WorkingDir", "a\nb"}}));
    QVERIFY(!QFile::exists(SettingsFilePath()));
  }

  void userStamp() {
    const QString stamp = CurrentUserStampText();
    QVERIFY(stamp.contains('/'));
    QVERIFY(!stamp.section('/', 0, 0).contains('.'));  // the short host name
    QCOMPARE(SystemStamps().userStamp(), ToCp1252Lossy(stamp));
  }

  void cp1252OfStamp() {
    QCOMPARE(ToCp1252Lossy(QString::fromUtf8("Müller€")), std::string("M\xFCller\x80"));
    QCOMPARE(ToCp1252Lossy(QString::fromUtf8("a\u4E2Db")), std::string("a?b"));
  }

  void localDateTime() {
    const LocalDateTime t = ToLocalDateTime(QDateTime(QDate(2024, 12, 9), QTime(14, 3, 5)));
    QCOMPARE(t.year, 2024);
    QCOMPARE(t.month, 12);
    QCOMPARE(t.day, 9);
    QCOMPARE(t.hour, 14);
    QCOMPARE(t.minute, 3);
    QCOMPARE(t.second, 5);
  }

  void saveDialogRefusesAFolderThatDoesNotExist() {
    SaveFileDialog dialog(nullptr, "Save File", env->workDir(), "Orvela Workfile (*.owp)", env->messages);
    dialog.setDefaultSuffix("owp");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(name);
    for (const QString& typed : {QString("fehlt/akte.owp"), env->workPath("auch/fehlt/akte.owp")}) {
      env->messages.clear();
      name->setText(typed);
      dialog.accept();
      QVERIFY(dialog.isVisible());  // stays open with the name, for the user to mend
      QCOMPARE(dialog.result(), 0);
      QCOMPARE(name->text(), typed);
      QCOMPARE(env->messages.shown.size(), 1);
      QCOMPARE(env->messages.shown[0].kind, MessageKind::Warning);
      QVERIFY2(env->messages.shown[0].text.startsWith("Der Ordner " + env->workDir() + "/"),
               qPrintable(env->messages.shown[0].text));
      QVERIFY(env->messages.shown[0].text.endsWith("fehlt existiert nicht!"));
    }
    env->messages.clear();
    name->setText("akte");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.selectedFiles(), QStringList{env->workPath("akte.owp")});
    QVERIFY(env->messages.shown.isEmpty());
  }

  void temporaryReportsArePrivate() {
    const QString a = TempFileWithExt(".rtf");
    const QString b = TempFileWithExt(".rtf");
    QVERIFY(a != b);
    const QString folder = QFileInfo(a).absolutePath();
    QVERIFY(folder.startsWith(PrivateTempRoot() + "/"));
    QCOMPARE(QFileInfo(b).absolutePath(), folder);
    QCOMPARE(ModeOf(PrivateTempRoot()), 0700);
    QCOMPARE(ModeOf(folder), 0700);
    for (const QString& path : {a, b}) {
      const QFileInfo info(path);
      QVERIFY(info.exists());
      QCOMPARE(ModeOf(path), 0600);
      QVERIFY(QRegularExpression("^TMP[0-9A-F]+\\.rtf$").match(info.fileName()).hasMatch());
      QVERIFY(!QFile::exists(info.absolutePath() + "/" + info.completeBaseName() + ".tmp"));
    }
    // At the end of the run they go.
    RemoveOwnTempFiles();
    QVERIFY(!QFile::exists(a) && !QFileInfo::exists(folder));
    QVERIFY(QFile::exists(TempFileWithExt(".rtf")));  // the next one starts a folder afresh
  }

  void leftoversGoAtTheNextStart() {
    const QString own = TempFileWithExt(".rtf");
    const QDir root(PrivateTempRoot());
    // A run that ended without tidying up, one with a lock of an ended program, and one
    // still running (here: this test holding its lock).
    for (const char* name : {"4711-AAAA", "4712-BBBB", "4713-CCCC"}) {
      QVERIFY(root.mkdir(name));
      test::WriteRawFile(root.filePath(name) + "/TMP1234.rtf", "{\\rtf1 geheim}");
    }
    test::WriteRawFile(root.filePath("4712-BBBB/.lock"), "");  // nobody holds it any more
    const int running = ::open(QFile::encodeName(root.filePath("4713-CCCC/.lock")).constData(), O_RDWR | O_CREAT, 0600);
    QVERIFY(running >= 0 && ::flock(running, LOCK_EX | LOCK_NB) == 0);

    RemoveLeftoverTempFiles();
    QVERIFY(!root.exists("4711-AAAA"));
    QVERIFY(!root.exists("4712-BBBB"));
    QVERIFY(root.exists("4713-CCCC/TMP1234.rtf"));
    QVERIFY(QFile::exists(own));
    ::close(running);  // that run ends
    RemoveLeftoverTempFiles();
    QVERIFY(!root.exists("4713-CCCC"));
    RemoveOwnTempFiles();
  }

  void environmentExpansion_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    qputenv("ORVELA_T", "/srv/akten");
    qputenv("ORVELA_PCT", "%ORVELA_T%");
    QTest::newRow("known") << "%ORVELA_T%/x.pdf" << "/srv/akten/x.pdf";
    QTest::newRow("unknown kept") << "%ORVELA_NONE%/x" << "%ORVELA_NONE%/x";
    QTest::newRow("value not expanded again") << "%ORVELA_PCT%" << "%ORVELA_T%";
    QTest::newRow("lone percent") << "50% mehr" << "50% mehr";
    QTest::newRow("two") << "%ORVELA_T%-%ORVELA_T%" << "/srv/akten-/srv/akten";
  }
  void environmentExpansion() {
    QFETCH(QString, text);
    QTEST(ExpandEnvironmentNames(text), "expected");
  }

  void shellAddresses() {
    QCOMPARE(UrlForShell("https://example.org/a"), QUrl("https://example.org/a"));
    QCOMPARE(UrlForShell("mailto:a@b.de"), QUrl("mailto:a@b.de"));
    QVERIFY(UrlForShell("/tmp/a b.pdf").isLocalFile());
    QVERIFY(UrlForShell("C:\\Daten\\a.pdf").isLocalFile());
  }

  void errorReportText() {
    QCOMPARE(ApplicationErrorText("Nachricht", "EFoo", "btn [QPushButton]"),
             QString("In der Anwendung ist folgender Fehler aufgetreten:\n\rNachricht\r\n\r\nFehlertyp:\n\rEFoo"
                     "\n\r\n\rSender:\r\nbtn [QPushButton]"));
    QPushButton button;
    button.setObjectName("sbDemo");
    QCOMPARE(SenderText(&button), QString("sbDemo [QPushButton]"));
    QCOMPARE(ErrorKindName(FileError("x", "p")), QString("orvela::FileError"));
    QCOMPARE(ErrorKindName(std::out_of_range("x")), QString("std::out_of_range"));
  }

  void exceptionInEventHandlerIsReported() {
    ThrowingWidget widget;
    widget.setObjectName("wDemo");
    widget.show();
    auto* app = static_cast<OrvelaApplication*>(QCoreApplication::instance());
    app->setServices(&env->services);
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&widget, &event);
    app->setServices(nullptr);
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Error);
    QCOMPARE(env->messages.shown[0].buttons, QList<MessageButton>{MessageButton::Ok});
    QVERIFY(env->messages.shown[0].text.contains("kaputt\r\n\r\nFehlertyp:\n\rstd::runtime_error"));
    QVERIFY(env->messages.shown[0].text.endsWith("Sender:\r\nwDemo [QWidget]"));
  }

  void qtSpeaksGerman() {
    QVERIFY(InstallGermanTranslations(*qApp));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
    QCOMPARE(QLocale().language(), QLocale::German);
  }

  void helpTopics() {
    InitProgramResources();
    for (int context : {0, 120, 180, 200, 230, 240, 300}) {
      const QString url = HelpTopicUrl(context);
      QFile page(":" + QUrl(url).path());
      QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(url));
      QVERIFY(page.readAll().contains("<h1>"));
    }
    QCOMPARE(HelpTopicUrl(999), HelpTopicUrl(0));
    HelpWindow* window = HelpWindow::showContext(300);
    QVERIFY(window->browser()->toPlainText().contains("Fenster einer Arbeitsdatei"));
    QVERIFY(HelpWindow::showContext(0) == window);  // one help window for the program
    window->close();
  }

  void helpIsUsableBesideAModalDialog() {
    InitProgramResources();
    BlockedWindows blocked;
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);  // as exec() runs it
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    QPointer<HelpWindow> help = HelpWindow::showContext(200);
    QVERIFY(help->isVisible());
    QVERIFY(!blocked.isBlocked(help));
    QVERIFY(!blocked.isBlocked(help->windowHandle()));
    QTRY_COMPARE(QApplication::activeWindow(), help.data());  // in front, taking input
    QVERIFY(help->browser()->toPlainText().contains("Feststellung"));

    help->close();
    QTRY_COMPARE(QApplication::activeWindow(), &dialog);  // back to the dialog

    // Still open when the dialog closes, and no longer one of its windows.
    help = HelpWindow::showContext(200);
    dialog.accept();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->parentWidget(), nullptr);
    help->close();
  }
};

int main(int argc, char** argv) {
  OrvelaApplication app(argc, argv);
  PlatformTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "platform_test.moc"
