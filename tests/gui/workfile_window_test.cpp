// The work-file window: initial state, caption, save and save as, the close question with
// every answer, the Information tab, its menus and help.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTest>
#include <memory>
#include <unistd.h>

#include "app/srcMain.h"
#include "storage/Envelope.h"
#include "storage/WorkFileXml.h"
#include "support/FrameFixture.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {
QString Label(TfrmWorkFile* w, const char* name) { return w->findChild<QLabel*>(name)->text(); }
}  // namespace

class WorkFileWindowTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;
  std::unique_ptr<TestEnvironment>& env = fixture.env;
  std::unique_ptr<TfrmMain>& frame = fixture.frame;

  TfrmWorkFile* newWindow() { return frame->CreateWorkFileWindow(); }
  TfrmWorkFile* openWindow(const QString& path) {
    TfrmWorkFile* w = frame->CreateWorkFileWindow();
    if (w->LoadWorkFile(path) != TfrmWorkFile::LoadOutcome::Loaded) qFatal("cannot load %s", qPrintable(path));
    return w;
  }
  QString sample(const QString& name) {
    WriteSampleWorkFile(env->workPath(name));
    return env->workPath(name);
  }
  bool isOpen(TfrmWorkFile* w) { return frame->workFileWindows().contains(w); }
  // A target the save cannot write: read-only, or for root, who may write anything, a
  // folder in place of the file.
  void makeUnwritable(const QString& path) {
    if (geteuid() == 0) {
      QFile::remove(path);
      QVERIFY(QDir().mkdir(path));
    } else {
      QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
    }
  }

 private slots:
  void init() { fixture.start(); }
  void cleanup() {
    fixture.stop();
  }

  void initialState() {
    TfrmWorkFile* w = newWindow();
    QCOMPARE(w->windowTitle(), QString("unbenannt[*]"));
    QCOMPARE(w->GetFileName(), QString());
    QVERIFY(!w->isModified());
    QVERIFY(!frame->saveButton()->isEnabled());
    QCOMPARE(w->data().createdBy, std::string("PC1/pruefer"));
    QCOMPARE(w->data().createdAt, std::string("09.12.2024 14:03:05"));
    QCOMPARE(w->data().savedAt, std::string());

    QTabWidget* tabs = w->workspace();
    QCOMPARE(tabs->objectName(), QString("pcWorkspace"));
    QStringList shown;
    for (int i = 0; i < tabs->count(); ++i) shown.append(tabs->widget(i)->objectName() + "=" + tabs->tabText(i));
    QCOMPARE(shown, (QStringList{"tsStructure=Struktur", "tsDocuments=Dokumente", "tsFindings=Feststellungen",
                                 "tsReports=Berichte", "tsDescription=Beschreibung", "tsInfo=Information",
                                 "tsOverview=Übersicht"}));
    QCOMPARE(tabs->currentIndex(), 0);
  }

  void loadingRenumbersAndNamesTheWindow() {
    const QString path = env->workPath("nummern.owp");
    WriteSampleWorkFile(path, "Planung", [](WorkFileData& d) {
      d.structure.root().child(0)->record.setValue("ID", "7");
      d.structure.append(d.structure.root().child(0), FieldList({"ID=12", "NAME=Kasse"}));
    });
    TfrmWorkFile* w = openWindow(path);
    QCOMPARE(w->GetFileName(), path);
    QCOMPARE(w->data().structure.root().child(0)->record.value("ID"), std::string("1"));
    QCOMPARE(w->data().structure.root().child(0)->child(0)->record.value("ID"), std::string("2"));
    QCOMPARE(w->data().lastItemId, 2);
    QVERIFY(!w->isModified());
    QVERIFY(frame->saveButton()->isEnabled());
    QCOMPARE(env->messages.shown.size(), 0);
  }

  void loadingWarningsAreErrorBoxes() {
    WorkFileData data;
    ResetWorkFileData(data, SteppingStamps());
    std::string xml = BuildWorkFileXml(data);
    xml.replace(xml.find("ORVELA_WP_DOCUMENT\""), 18, "FREMD");
    xml.replace(xml.find("\"1.00\""), 6, "\"9.00\"");
    const QString path = env->workPath("fremd.owp");
    WriteRawFile(path, QByteArray::fromStdString(BuildEnvelope(xml)));
    TfrmWorkFile* w = newWindow();
    QCOMPARE(w->LoadWorkFile(path), TfrmWorkFile::LoadOutcome::Loaded);
    QCOMPARE(env->messages.texts(), (QStringList{"Die gewählte Datei ist keine Orvela-WP Datei!",
                                                 "Die gewählte Datei ist von einer aktuelleren Orvela-WP Version!"}));
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Error);
    QCOMPARE(w->GetFileName(), path);
  }

  void fileThatCannotBeReadLeavesAnEmptyWindow() {
    TfrmWorkFile* w = newWindow();
    QCOMPARE(w->LoadWorkFile(env->workPath("fehlt.owp")), TfrmWorkFile::LoadOutcome::ReadFailed);
    QCOMPARE(env->messages.texts(), QStringList{"Die Datei kann nicht gelesen werden!"});
    QCOMPARE(w->GetFileName(), QString());
    QCOMPARE(w->windowTitle(), QString("unbenannt[*]"));
    QVERIFY(w->isEnabled());
    QVERIFY(!QApplication::overrideCursor());
  }

  void closeQuestion_data() {
    QTest::addColumn<bool>("named");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("savePath");  // the save dialog's answer; empty: cancelled
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");
    QTest::newRow("untitled, Abbrechen") << false << int(MessageButton::Cancel) << "" << false << false;
    QTest::newRow("untitled, Nein") << false << int(MessageButton::No) << "" << true << false;
    QTest::newRow("untitled, Ja, dialog cancelled") << false << int(MessageButton::Yes) << "" << false << false;
    QTest::newRow("untitled, Ja, saved") << false << int(MessageButton::Yes) << "neu.owp" << true << true;
    QTest::newRow("named, Abbrechen") << true << int(MessageButton::Cancel) << "" << false << false;
    QTest::newRow("named, Nein") << true << int(MessageButton::No) << "" << true << false;
    QTest::newRow("named, Ja") << true << int(MessageButton::Yes) << "" << true << true;
  }
  void closeQuestion() {
    QFETCH(bool, named);
    QFETCH(int, answer);
    QFETCH(QString, savePath);
    QFETCH(bool, closes);
    QFETCH(bool, written);
    const QString path = named ? sample("benannt.owp") : env->workPath(savePath);
    const QByteArray before = ReadRawFile(path);
    TfrmWorkFile* w = named ? openWindow(path) : newWindow();
    w->MarkModified();
    env->messages.answer(MessageButton(answer));
    if (!savePath.isEmpty()) env->fileDialogs.answer(path);

    frame->command("FileClose1")->trigger();
    QCOMPARE(env->messages.shown.size(), 1);
    const ShownMessage& question = env->messages.shown[0];
    QCOMPARE(question.kind, MessageKind::Confirmation);
    QCOMPARE(question.text, "Änderungen in " + (named ? path : QString("<unbenannt>")) + " speichern?");
    QCOMPARE(question.buttons, (QList<MessageButton>{MessageButton::Yes, MessageButton::No, MessageButton::Cancel}));
    const bool askedForName = !named && answer == int(MessageButton::Yes);
    QCOMPARE(env->fileDialogs.calls.size(), askedForName ? 1 : 0);
    if (askedForName) QCOMPARE(env->fileDialogs.calls[0].request.title, QString("Save File"));

    QTRY_COMPARE(isOpen(w), !closes);
    if (!closes) QVERIFY(w->isModified());
    const QByteArray after = ReadRawFile(path);
    QCOMPARE(after != before, written);
    if (written) QVERIFY(CheckFileIntegrity(path.toStdString()));
  }

  // Edits typed into the detail panel but not yet taken over are not lost by closing:
  // the question is asked, "Ja" takes them over and saves, "Nein" drops them.
  void pendingPanelEditsAreAskedForOnClose_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("savedName");
    QTest::newRow("Ja") << int(MessageButton::Yes) << "Kasse neu";
    QTest::newRow("Nein") << int(MessageButton::No) << "Planung";
  }
  void pendingPanelEditsAreAskedForOnClose() {
    QFETCH(int, answer);
    QFETCH(QString, savedName);
    const QString path = sample("offen.owp");
    TfrmWorkFile* w = openWindow(path);
    auto* name = w->findChild<QLineEdit*>("editName");
    QVERIFY(name);
    name->setText("Kasse neu");
    QVERIFY(!w->isModified());
    env->messages.answer(MessageButton(answer));
    frame->command("FileClose1")->trigger();
    QCOMPARE(env->messages.texts(), QStringList{"Änderungen in " + path + " speichern?"});
    QTRY_VERIFY(!isOpen(w));
    TfrmWorkFile* again = openWindow(path);
    QCOMPARE(QString::fromStdString(again->data().structure.root().child(0)->record.value("NAME")), savedName);
  }

  void descriptionTypedOnItsTabIsSaved() {
    const QString path = sample("beschreibung.owp");
    TfrmWorkFile* w = openWindow(path);
    w->workspace()->setCurrentIndex(TfrmWorkFile::Description);
    auto* editor = w->findChild<QTextEdit*>("reDescription");
    QVERIFY(editor);
    editor->setPlainText("Prüfung der Kasse");
    QVERIFY(w->isModified());
    w->acFileSave();
    TfrmWorkFile* again = openWindow(path);
    QVERIFY(again->data().description.rfind("{\\rtf", 0) == 0);
    QVERIFY(again->data().description.find("der Kasse") != std::string::npos);
  }

  void unchangedWindowClosesWithoutQuestion() {
    TfrmWorkFile* w = openWindow(sample("ruhig.owp"));
    frame->command("FileClose1")->trigger();
    QTRY_VERIFY(!isOpen(w));
    QCOMPARE(env->messages.shown.size(), 0);
  }

  void saveWritesAgainAndMovesTheStamp() {
    const QString path = sample("speichern.owp");
    TfrmWorkFile* w = openWindow(path);
    w->acFileSave();
    const std::string first = w->data().savedAt;
    QCOMPARE(w->data().savedBy, std::string("PC1/pruefer"));
    w->MarkModified();
    w->acFileSave();
    QVERIFY(w->data().savedAt != first);
    QVERIFY(!w->isModified());
    QVERIFY(CheckFileIntegrity(path.toStdString()));

    // What was written reads back.
    TfrmWorkFile* again = frame->CreateWorkFileWindow();
    again->LoadWorkFile(path);
    QCOMPARE(again->data().savedAt, w->data().savedAt);
    QCOMPARE(again->data().createdBy, std::string("VORLAGE/ersteller"));
  }

  void saveAs() {
    TfrmWorkFile* w = newWindow();
    w->MarkModified();
    w->acFileSaveAs();  // cancelled
    QVERIFY(w->isModified());
    QCOMPARE(w->GetFileName(), QString());

    const QString path = env->workPath("unter.owp");
    env->fileDialogs.answer(path);
    w->acFileSaveAs();
    QCOMPARE(env->fileDialogs.calls.size(), 2);
    const FileDialogRequest& r = env->fileDialogs.calls[1].request;
    QCOMPARE(r.title, QString("Save File"));
    QCOMPARE(r.filter, QString("Orvela Workfile (*.owp)"));
    QCOMPARE(r.defaultSuffix, QString("owp"));
    QVERIFY(r.overwritePrompt);
    QCOMPARE(w->GetFileName(), path);
    QCOMPARE(w->windowTitle(), w->captionText() + "[*]");
    QVERIFY(!w->isModified());
    QVERIFY(frame->saveButton()->isEnabled());
    QVERIFY(CheckFileIntegrity(path.toStdString()));
    QVERIFY(frame->recentFiles().isEmpty());
  }

  void savedWindowStaysActive() {
    TfrmWorkFile* first = openWindow(sample("eins.owp"));
    TfrmWorkFile* second = openWindow(sample("zwei.owp"));
    QVERIFY(QDir(env->workDir()).mkdir("ordner.owp"));
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    QCOMPARE(frame->activeWorkFile(), second);
    auto* typing = second->findChild<QLineEdit*>("editName");
    typing->setFocus();
    QCOMPARE(QApplication::focusWidget(), typing);

    struct Case {
      const char* name;
      const char* target;
      int messages;
    };
    const Case cases[] = {{"saved", "neu.owp", 0}, {"failed with its message", "ordner.owp", 1}};
    for (const Case& c : cases) {
      env->messages.clear();
      env->fileDialogs.answer(env->workPath(c.target));
      QVERIFY(TriggerAction(second, "miFileSaveAs"));
      QCOMPARE(env->messages.shown.size(), c.messages);
      // The frame comes back to the front, as when the save dialog or the message closes.
      QWidget elsewhere;
      elsewhere.show();
      QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
      elsewhere.close();
      frame->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(frame.get()));
      QVERIFY2(frame->activeWorkFile() == second, c.name);
      QVERIFY2(QApplication::focusWidget() == typing, c.name);  // typing goes on where it was
    }
    QVERIFY(first->GetFileName().endsWith("eins.owp"));
  }

  void saveToUnwritableFile() {
    const QString path = sample("gesperrt.owp");
    TfrmWorkFile* w = openWindow(path);
    const QString caption = w->windowTitle();
    makeUnwritable(path);
    w->MarkModified();
    w->acFileSave();
    QCOMPARE(env->messages.texts(), QStringList{"Die Datei kann nicht gespeichert werden!"});
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Error);
    QVERIFY(w->isModified());
    QCOMPARE(w->GetFileName(), path);
    QCOMPARE(w->windowTitle(), caption);
    QVERIFY(!w->data().savedAt.empty() && w->data().savedBy == "PC1/pruefer");  // the failed attempt's
    QVERIFY(w->isEnabled());
    QVERIFY(!QApplication::overrideCursor());

    env->messages.clear();
    env->messages.answer(MessageButton::Yes);
    frame->command("FileClose1")->trigger();
    QCOMPARE(env->messages.texts(), (QStringList{"Änderungen in " + path + " speichern?",
                                                 "Die Datei kann nicht gespeichert werden!",
                                                 "Fehler beim Speichern von " + path + " !"}));
    QCOMPARE(env->messages.shown[2].kind, MessageKind::Error);
    QCoreApplication::processEvents();
    QVERIFY(isOpen(w));
  }

  void failedSaveUnderNewNameFromCloseQuestion() {
    QVERIFY(QDir(env->workDir()).mkdir("ordner.owp"));
    TfrmWorkFile* w = newWindow();
    w->MarkModified();
    env->messages.answer(MessageButton::Yes);
    env->fileDialogs.answer(env->workPath("ordner.owp"));
    frame->command("FileClose1")->trigger();
    // Only the save's own message: the window had no name to repeat.
    QCOMPARE(env->messages.texts(), (QStringList{"Änderungen in <unbenannt> speichern?",
                                                 "Die Datei kann nicht gespeichert werden!"}));
    QCoreApplication::processEvents();
    QVERIFY(isOpen(w));
    QCOMPARE(w->GetFileName(), QString());
  }

  void captionOfLongAndShortPaths() {
    const QString longDir = env->workPath("Abteilung Innenrevision/Pruefungen 2024/Niederlassung Sued/"
                                          "Jahresabschluss und Lagebericht/Arbeitspapiere");
    QVERIFY(QDir().mkpath(longDir));
    TfrmWorkFile* w = newWindow();
    const QFontMetrics metrics(w->font());

    const QString shortPath = QDir::tempPath() + QString("/k%1.owp").arg(getpid());
    QVERIFY(metrics.horizontalAdvance(shortPath) <= 300);
    env->fileDialogs.answer(shortPath);
    w->acFileSaveAs();
    QCOMPARE(w->windowTitle(), shortPath + "[*]");
    QFile::remove(shortPath);

    const QString longPath = longDir + "/bericht.owp";
    env->fileDialogs.answer(longPath);
    w->acFileSaveAs();
    QCOMPARE(w->windowTitle(), w->captionText() + "[*]");  // "[*]": the modified mark's place
    const QString caption = w->captionText();
    QVERIFY2(caption.startsWith("/.../") && caption.endsWith("/Arbeitspapiere/bericht.owp"), qPrintable(caption));
    QVERIFY(metrics.horizontalAdvance(caption) <= 300);
    QVERIFY(longPath.endsWith(caption.mid(4)));

    w->SetUntitled();
    QCOMPARE(w->windowTitle(), QString("unbenannt[*]"));
    QVERIFY(!frame->saveButton()->isEnabled());
  }

  void informationTabShowsTheMomentItWasSelected() {
    const QString path = sample("info.owp");
    TfrmWorkFile* w = openWindow(path);
    w->workspace()->setCurrentIndex(TfrmWorkFile::Info);
    QCOMPARE(Label(w, "labelInfFilename"), path);
    QCOMPARE(Label(w, "labelInfCreator"), QString("VORLAGE/ersteller"));
    QCOMPARE(Label(w, "labelInfCreateDate"), QString("02.01.2023 08:00:00"));
    QCOMPARE(Label(w, "labelInfLastUser"), QString("VORLAGE/speicherer"));
    QCOMPARE(Label(w, "labelInfLastSavedAt"), QString("03.01.2023 09:00:00"));

    w->acFileSave();
    QCOMPARE(Label(w, "labelInfLastUser"), QString("VORLAGE/speicherer"));
    w->workspace()->setCurrentIndex(TfrmWorkFile::Structure);
    w->workspace()->setCurrentIndex(TfrmWorkFile::Info);
    QCOMPARE(Label(w, "labelInfLastUser"), QString("PC1/pruefer"));
    QCOMPARE(Label(w, "labelInfLastSavedAt"), QString::fromStdString(w->data().savedAt));
  }

  void informationTabShowsWindows1252Text() {
    const QString path = env->workPath("umlaut.owp");
    WriteSampleWorkFile(path, "x", [](WorkFileData& d) { d.createdBy = "B\xDCRO/m\xFCller"; });
    TfrmWorkFile* w = openWindow(path);
    w->workspace()->setCurrentIndex(TfrmWorkFile::Info);
    QCOMPARE(Label(w, "labelInfCreator"), QString("BÜRO/müller"));
  }

  void menusReplaceTheFramesWhileActive() {
    TfrmWorkFile* w = newWindow();
    QStringList bar;
    for (QAction* a : frame->menuBar()->actions()) bar.append(a->text() + "|" + a->statusTip());
    QCOMPARE(bar, (QStringList{"Datei|Dateibefehle", "Bearbeiten|", "Optionen|", "Fenster|Fensterbezogene Anweisungen",
                               "Hilfe|Hilfethemen"}));
    QStringList file;
    for (QAction* a : w->menus()[0]->actions()) file.append(a->isSeparator() ? "-" : a->text());
    QCOMPARE(file, (QStringList{"&Neu", "Öffnen...", "Neu öffnen", "-", "Speichern", "Speichern unter...", "-",
                                "Fenster schliessen", "-", "&Beenden"}));
    QVERIFY(!w->menus()[1]->actions().isEmpty());  // the structure commands
    QStringList window;
    for (QAction* a : w->menus()[3]->actions()) window.append(a->objectName());
    QCOMPARE(window, (QStringList{"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1",
                                  "WindowMinimizeAll1", "WindowArrangeAll1"}));
    QStringList options;
    for (QAction* a : w->menus()[2]->actions()) options.append(a->text());
    QCOMPARE(options, (QStringList{"Allgemeine Einstellungen...", "Projekteigenschaften..."}));

    frame->command("FileClose1")->trigger();
    QTRY_COMPARE(frame->menuBar()->actions().size(), 3);
    QCOMPARE(frame->menuBar()->actions()[0]->menu()->objectName(), QString("miFile"));
  }

  void fileMenuFollowsTheFileName() {
    const QString other = sample("andere.owp");
    TfrmWorkFile* w = newWindow();
    QMenu* fileMenu = w->menus()[0];
    QAction* save = w->findChild<QAction*>("miFileSave");
    auto* reopen = w->findChild<QMenu*>("miReopen");
    emit fileMenu->aboutToShow();
    QVERIFY(!save->isEnabled());
    QVERIFY(!reopen->menuAction()->isEnabled());

    frame->AddRecentFile(other);
    env->fileDialogs.answer(env->workPath("neu.owp"));
    w->acFileSaveAs();
    emit fileMenu->aboutToShow();
    QVERIFY(save->isEnabled());
    QCOMPARE(reopen->actions().size(), 1);
    QCOMPARE(reopen->actions()[0]->text(), other);
    reopen->actions()[0]->trigger();  // handed to the frame's reopen command
    QCOMPARE(frame->workFileWindows().size(), 2);
    QCOMPARE(frame->workFileWindows()[1]->GetFileName(), other);
  }

  void helpContexts() {
    TfrmWorkFile* w = newWindow();
    frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame.get()));
    w->workspace()->setFocus();
    QTest::keyClick(w->workspace(), Qt::Key_F1);
    QVERIFY(TriggerAction(w, "OrvelaHilfe1"));
    QCOMPARE(env->help.contexts, (QList<int>{300, 0}));
    QVERIFY(TriggerAction(w, "OrvelaHomepage1"));
    QCOMPARE(env->shell.opened.size(), 1);
  }
};

QTEST_MAIN(WorkFileWindowTest)
#include "workfile_window_test.moc"
