// The general settings dialog: filled from the program's values, written on OK exactly as
// typed, adopted without leading blanks, and nothing changed when the file cannot be written.
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <memory>

#include "dialogs/srcGeneralSettings.h"
#include "platform/ErrorReport.h"
#include "support/Doubles.h"
#include "support/TestServices.h"

using namespace orvela;
using orvela::platform::GeneralSettings;
using orvela::test::FileDialogCall;
using orvela::test::TestEnvironment;

namespace {

bool SameSettings(const GeneralSettings& a, const GeneralSettings& b) {
  return a.workingDir == b.workingDir && a.reportDir == b.reportDir && a.templatePath == b.templatePath &&
         a.newFileOnStartup == b.newFileOnStartup && a.noFileIntegrityCheck == b.noFileIntegrityCheck &&
         a.recentFiles == b.recentFiles;
}

}  // namespace

class GeneralSettingsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  GeneralSettings settings;
  std::unique_ptr<TdlgGeneralSettings> dialog;

  template <class T>
  T* child(const char* name) {
    return test::Control<T>(dialog.get(), name);
  }

  void open() {
    dialog = std::make_unique<TdlgGeneralSettings>(env->services, settings);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
  }

 private slots:
  void init() {
    env = std::make_unique<TestEnvironment>();
    settings = GeneralSettings{};
    settings.workingDir = "/daten/projekte";
    settings.reportDir = "/daten/berichte";
    settings.templatePath = "/daten/vorlage.owp";
    settings.newFileOnStartup = true;
    settings.noFileIntegrityCheck = true;
    settings.recentFiles = QStringList{"/daten/a.owp"};
  }
  void cleanup() {
    dialog.reset();
    env.reset();
  }

  void showsTheProgramsCurrentValues() {
    env->writeSettings({"[GeneralSettings]", "WorkingDir=/aus/der/datei"});  // not read by the dialog
    open();
    QCOMPARE(dialog->windowTitle(), QString("Allgemeine Einstellungen"));
    QVERIFY(dialog->width() >= 378 && dialog->height() >= 160);  // larger where the font needs it
    QCOMPARE(child<QLineEdit>("editWorkingDir")->text(), QString("/daten/projekte"));
    QCOMPARE(child<QLineEdit>("editReportDir")->text(), QString("/daten/berichte"));
    QCOMPARE(child<QLineEdit>("editTemplate")->text(), QString("/daten/vorlage.owp"));
    QVERIFY(child<QCheckBox>("cbNewStartUp")->isChecked());
    QCOMPARE(child<QCheckBox>("cbNewStartUp")->text(), QString("neue Projektdatei beim Programmstart"));
    for (const char* b : {"sbWorkingDir", "SpeedButton1", "sbTemplate"})
      QCOMPARE(child<QToolButton>(b)->text(), QString("..."));
    QVERIFY(child<QPushButton>("OKBtn")->isDefault());
  }

  void okWritesAsTypedAndAdoptsWithoutLeadingBlanks() {
    struct Case {
      const char* name;
      QString typed;
      QString adopted;
    };
    const Case cases[] = {
        {"leading blanks removed", "  /home/pruefer/Projekte", "/home/pruefer/Projekte"},
        {"trailing blanks stay", " /p ", "/p "},
        {"a tab is not a blank", "\t /p", "\t /p"},
        {"only blanks give the empty text", "   ", ""},
    };
    for (const Case& c : cases) {
      cleanup();
      init();
      env->writeSettings({"[Window]", "Left=1", "[GeneralSettings]", "NoFileIntegrityCheck=1", "RecentFiles=/x.owp"});
      open();
      child<QLineEdit>("editWorkingDir")->setText(c.typed);
      child<QLineEdit>("editReportDir")->setText(c.typed);
      child<QLineEdit>("editTemplate")->setText(c.typed);
      child<QCheckBox>("cbNewStartUp")->setChecked(false);
      child<QPushButton>("OKBtn")->click();
      QVERIFY2(!dialog->isVisible() && dialog->stored(), c.name);
      QCOMPARE(env->readSettings(), QString("[Window]\nLeft=1\n[GeneralSettings]\nNoFileIntegrityCheck=1\n"
                                            "RecentFiles=/x.owp\nWorkingDir=%1\nReportDir=%1\nTemplate=%1\n"
                                            "NewFileOnStartup=0\n")
                                        .arg(c.typed));
      QVERIFY2(settings.workingDir == c.adopted, c.name);
      QVERIFY2(settings.reportDir == c.adopted, c.name);
      QVERIFY2(settings.templatePath == c.adopted, c.name);
      QVERIFY(!settings.newFileOnStartup);
      QVERIFY(settings.noFileIntegrityCheck);  // not the dialog's
      QVERIFY(env->messages.shown.isEmpty());
    }
  }

  void lineBreaksAreTakenOutAtInput() {
    open();
    auto* working = child<QLineEdit>("editWorkingDir");
    auto* report = child<QLineEdit>("editReportDir");
    auto* templ = child<QLineEdit>("editTemplate");
    working->clear();
    QGuiApplication::clipboard()->setText("/home/pruefer/Projekte\n");  // copied with its line end
    working->paste();
    QCOMPARE(working->text(), QString("/home/pruefer/Projekte"));
    report->setText("/daten/\r\nberichte");
    QCOMPARE(report->text(), QString("/daten/berichte"));
    templ->setText("/vorlage.owp");
    templ->setCursorPosition(1);
    templ->insert("x\ny");
    QCOMPARE(templ->text(), QString("/xyvorlage.owp"));
    QCOMPARE(templ->cursorPosition(), 3);  // typing goes on where it was

    child<QPushButton>("OKBtn")->click();
    QVERIFY(dialog->stored());
    QVERIFY(env->messages.shown.isEmpty());
    QCOMPARE(env->readSettings(), QString("[GeneralSettings]\nWorkingDir=/home/pruefer/Projekte\n"
                                          "ReportDir=/daten/berichte\nTemplate=/xyvorlage.owp\nNewFileOnStartup=1\n"));
    QCOMPARE(settings.workingDir, QString("/home/pruefer/Projekte"));
  }

  void okWithoutChangesCreatesTheFile() {
    open();
    QTest::keyClick(child<QLineEdit>("editWorkingDir"), Qt::Key_Return);  // OK is the default button
    QVERIFY(!dialog->isVisible());
    QCOMPARE(env->readSettings(), QString("[GeneralSettings]\nWorkingDir=/daten/projekte\nReportDir=/daten/berichte\n"
                                          "Template=/daten/vorlage.owp\nNewFileOnStartup=1\n"));
  }

  void cancelWritesAndChangesNothing() {
    const GeneralSettings before = settings;
    for (const bool escape : {false, true}) {
      open();
      child<QLineEdit>("editWorkingDir")->setText("/neu");
      child<QLineEdit>("editReportDir")->setText("/neu");
      child<QLineEdit>("editTemplate")->setText("/neu.owp");
      child<QCheckBox>("cbNewStartUp")->setChecked(false);
      if (escape)
        QTest::keyClick(child<QLineEdit>("editTemplate"), Qt::Key_Escape);
      else
        child<QPushButton>("CancelBtn")->click();
      QVERIFY(!dialog->isVisible());
      QCOMPARE(dialog->result(), int(QDialog::Rejected));
      QVERIFY(SameSettings(settings, before));
      QVERIFY(!QFile::exists(env->settingsPath()));
    }
  }

  void unwritableFileReportsAndChangesNothing() {
    QVERIFY(QDir(env->configDir()).mkdir("OrvelaWP.ini"));  // a folder where the file belongs
    const GeneralSettings before = settings;
    open();
    child<QLineEdit>("editWorkingDir")->setText("/neu");
    child<QCheckBox>("cbNewStartUp")->setChecked(false);
    child<QPushButton>("OKBtn")->click();
    QVERIFY(!dialog->isVisible());
    QVERIFY(!dialog->stored());
    QVERIFY(SameSettings(settings, before));
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(env->messages.shown[0].kind, platform::MessageKind::Error);
    const QString text = env->messages.shown[0].text;
    QVERIFY2(text.startsWith("In der Anwendung ist folgender Fehler aufgetreten:"), qPrintable(text));
    QVERIFY2(text.contains(QString("In %1 kann nicht geschrieben werden").arg(env->settingsPath())), qPrintable(text));
  }

  void pickersReplaceTheEditText() {
    struct Case {
      const char* button;
      const char* edit;
      FileDialogCall::Kind kind;
      const char* title;
    };
    const Case cases[] = {
        {"sbWorkingDir", "editWorkingDir", FileDialogCall::Folder, "Working Directory"},
        {"SpeedButton1", "editReportDir", FileDialogCall::Folder, "Report Directory"},
        {"sbTemplate", "editTemplate", FileDialogCall::Open, "Template File"},
    };
    open();
    for (const Case& c : cases) {
      auto* edit = child<QLineEdit>(c.edit);
      const QString before = edit->text();
      env->fileDialogs.calls.clear();
      env->fileDialogs.answer(QString());  // cancelled: the edit stays
      child<QToolButton>(c.button)->click();
      QCOMPARE(edit->text(), before);
      env->fileDialogs.answer("/gewählt/pfad");
      child<QToolButton>(c.button)->click();
      QCOMPARE(edit->text(), QString("/gewählt/pfad"));
      QCOMPARE(env->fileDialogs.calls.size(), 2);
      const FileDialogCall& call = env->fileDialogs.calls[1];
      QCOMPARE(call.kind, c.kind);
      QCOMPARE(call.request.title, QString(c.title));
      QVERIFY2(call.request.directory.isEmpty(), c.button);  // not pointed at the edit's value
    }
    const auto& templateRequest = env->fileDialogs.calls[1].request;
    QCOMPARE(templateRequest.filter, QString("Orvela Workfile (*.owp);;Alle Dateien (*)"));
    QCOMPARE(templateRequest.defaultSuffix, QString("ovt"));
    QCOMPARE(settings.templatePath, QString("/daten/vorlage.owp"));  // only OK adopts
  }

  void tooltipOnlyForTextsWiderThanTheEdit() {
    open();
    auto* edit = child<QLineEdit>("editReportDir");
    struct Case {
      QString text;
      bool tip;
    };
    for (const Case& c : {Case{"/kurz", false}, Case{"/" + QString("sehr-langer-ordner/").repeated(8) + "ende", true}}) {
      QToolTip::hideText();
      QTRY_VERIFY(!QToolTip::isVisible());
      edit->setText(c.text);
      QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
      QCoreApplication::sendEvent(edit, &help);
      QCOMPARE(QToolTip::isVisible(), c.tip);
      if (c.tip) QCOMPARE(QToolTip::text(), c.text);
    }
  }

  void f1OpensHelp240() {
    open();
    QTest::keyClick(child<QLineEdit>("editTemplate"), Qt::Key_F1);
    QCOMPARE(env->help.contexts, QList<int>{240});
    QVERIFY(dialog->isVisible());
  }
};

int main(int argc, char** argv) {
  platform::OrvelaApplication app(argc, argv);
  GeneralSettingsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "general_settings_test.moc"
