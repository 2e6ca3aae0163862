// The frame window: menus and commands, settings at start and end, and every way of
// opening and creating work files with its refusals.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <memory>

#include "app/srcMain.h"
#include "platform/ErrorReport.h"
#include "storage/Envelope.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

class MainWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<TfrmMain> frame;

  // The frame as the program starts it, start-up steps done.
  TfrmMain& start(const QStringList& arguments = {}) {
    frame = std::make_unique<TfrmMain>(env->services, arguments);
    frame->setStampSource(SteppingStamps());
    frame->show();
    QCoreApplication::processEvents();
    return *frame;
  }
  QString file(const QString& name) { return env->workPath(name); }
  QString sample(const QString& name) {
    WriteSampleWorkFile(file(name), name.toStdString());
    return file(name);
  }
  QStringList openFileNames() const {
    QStringList names;
    for (TfrmWorkFile* w : frame->workFileWindows()) names.append(w->GetFileName());
    return names;
  }
  QMenu* frameMenu(const char* name) { return frame->findChild<QMenu*>(name, Qt::FindDirectChildrenOnly); }
  void openFileMenu(QMenu* menu) { emit menu->aboutToShow(); }
  void openThroughDialog(const QString& path) {
    env->fileDialogs.answer(path);
    frame->acFileOpen();
  }

 private slots:
  void init() { env = std::make_unique<TestEnvironment>(); }
  void cleanup() {
    frame.reset();
    env.reset();
  }

  void commandsCarryCaptionsAndHints() {
    start();
    struct Case {
      const char* name;
      const char* caption;
      const char* shortHint;
      const char* longHint;
    };
    const Case cases[] = {
        {"FileNew1", "&Neu", "Neu", "Neue Datei erstellen"},
        {"FileOpen1", "Öffnen...", "Öffnen", "Datei öffnen"},
        {"FileClose1", "Fenster schliessen", "Schließen", "Aktuelle Datei schließen"},
        {"FileExit1", "&Beenden", "Beenden", "Programm beenden"},
        {"WindowCascade1", "Ü&berlappend", "Überlappend", ""},
        {"WindowTileHorizontal1", "Hori&zontal anordnen", "Horizontal anordnen", ""},
        {"WindowTileVertical1", "&Vertikal anordnen", "Vertikal anordnen", ""},
        {"WindowMinimizeAll1", "&Alle verkleinern", "Alle verkleinern", ""},
        {"WindowArrangeAll1", "Alle an&ordnen", "Alle anordnen", ""},
        {"HelpAbout1", "&Info...", "Info", "Anzeige von Programminformationen, Versionsnummer und Copyright-Vermerk"},
        {"miFileNew", "&Neu", "Neu", "Neue Datei erstellen"},
        {"miFileOpen", "Öffnen...", "Öffnen", "Datei öffnen"},
        {"miFileExit", "&Beenden", "Beenden", "Programm beenden"},
        {"miGeneralSettings", "Allgemeine Einstellungen...", "", ""},
        {"OrvelaHilfe1", "Orvela Hilfe", "", ""},
        {"OrvelaHomepage1", "Orvela Homepage", "", ""},
        {"miAbout", "&Info...", "Info", "Anzeige von Programminformationen, Versionsnummer und Copyright-Vermerk"},
    };
    for (const Case& c : cases) {
      QAction* a = FindAction(frame.get(), c.name);
      QVERIFY2(a, c.name);
      QCOMPARE(a->text(), QString::fromUtf8(c.caption));
      if (*c.shortHint) QCOMPARE(a->toolTip(), QString::fromUtf8(c.shortHint));
      QCOMPARE(a->statusTip(), QString::fromUtf8(c.longHint));
    }
    QCOMPARE(frame->command("FileNew1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(FindAction(frame.get(), "miFileNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(frame->windowTitle(), QString("Orvela"));
    // Once a display name is set, Qt appends it to every window title ("Fehler — Orvela WP");
    // without one, the display name follows the application name.
    const QString name = QApplication::applicationName();
    QApplication::setApplicationName("Probe");
    QCOMPARE(QApplication::applicationDisplayName(), QString("Probe"));
    QApplication::setApplicationName(name);

    // A long hint reaches the status bar.
    frame->command("FileOpen1")->showStatusText(frame->menuBar());
    QCOMPARE(frame->statusBar()->currentMessage(), QString("Datei öffnen"));
  }

  void menusInOrder() {
    start();
    QStringList bar;
    for (QAction* a : frame->menuBar()->actions()) bar.append(a->text() + "|" + a->statusTip());
    QCOMPARE(bar, (QStringList{"Datei|Dateibefehle", "Optionen|", "Hilfe|Hilfethemen"}));
    auto names = [](QMenu* menu) {
      QStringList n;
      for (QAction* a : menu->actions()) n.append(a->isSeparator() ? "-" : a->objectName());
      return n;
    };
    QCOMPARE(names(frameMenu("miFile")), (QStringList{"miFileNew", "miFileOpen", "miReopen", "-", "miFileExit"}));
    QCOMPARE(names(frameMenu("miHelp")), (QStringList{"OrvelaHilfe1", "OrvelaHomepage1", "-", "miAbout"}));
    QCOMPARE(frameMenu("miReopen")->title(), QString("Neu öffnen"));

    auto* tb2 = frame->findChild<QToolBar*>("tb2");
    QVERIFY(tb2);
    QStringList buttons;
    for (QAction* a : tb2->actions()) buttons.append(a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(buttons, (QStringList{"FileNew1", "FileOpen1", "sbFileSave", "-", "tbUndo", "tbRedo", "-",
                                   "WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1", "-", "tbHelp"}));
    QCOMPARE(frame->saveButton()->text(), QString("Save"));
    QVERIFY(!frame->saveButton()->isEnabled());
  }

  void windowCommandsFollowOpenWindows() {
    start();
    const QStringList names{"FileClose1", "WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1",
                            "WindowMinimizeAll1", "WindowArrangeAll1"};
    auto enabled = [&] {
      QList<bool> e;
      for (const QString& n : names) e.append(frame->command(n)->isEnabled());
      return e;
    };
    QCOMPARE(enabled(), QList<bool>(6, false));
    frame->acFileNew();
    QCOMPARE(enabled(), QList<bool>(6, true));
    QVERIFY(TriggerAction(frame.get(), "FileClose1"));
    QTRY_VERIFY(frame->workFileWindows().isEmpty());
    QTRY_COMPARE(enabled(), QList<bool>(6, false));
  }

  void tilingArrangesWindows() {
    start();
    frame->resize(800, 600);
    frame->acFileNew();
    frame->acFileNew();
    frame->command("WindowTileHorizontal1")->trigger();
    QList<QMdiSubWindow*> subs = frame->mdiArea()->subWindowList(QMdiArea::CreationOrder);
    QCOMPARE(subs[0]->width(), frame->mdiArea()->viewport()->width());
    QCOMPARE(subs[0]->y() + subs[0]->height(), subs[1]->y());
    frame->command("WindowTileVertical1")->trigger();
    QCOMPARE(subs[0]->height(), frame->mdiArea()->viewport()->height());
    QCOMPARE(subs[0]->x() + subs[0]->width(), subs[1]->x());
    frame->command("WindowMinimizeAll1")->trigger();
    QVERIFY(subs[0]->isMinimized() && subs[1]->isMinimized());
  }

  void firstStartWithoutSettingsFile() {
    start();
    QVERIFY(frame->workFileWindows().isEmpty());
    frame->acFileOpen();  // cancelled
    QCOMPARE(env->fileDialogs.calls.size(), 1);
    const FileDialogRequest& r = env->fileDialogs.calls[0].request;
    QCOMPARE(r.directory, QString());
    QCOMPARE(r.filter, QString("Orvela Workfile (*.owp)"));
    QCOMPARE(r.defaultSuffix, QString("owp"));
    openFileMenu(frameMenu("miFile"));
    QVERIFY(!frameMenu("miReopen")->menuAction()->isEnabled());
    QVERIFY(frame->close());
    // The frame's place follows in a section of its own.
    const QString written = env->readSettings();
    QVERIFY2(written.startsWith("[GeneralSettings]\nRecentFiles=\n\n[Window]\nFrameLeft="), qPrintable(written));
  }

  void settingsReadAtStart() {
    env->writeSettings({"[GeneralSettings]", "WorkingDir=   " + env->workDir(), "NoFileIntegrityCheck=yes",
                        "RecentFiles=*" + file("a b.owp") + "*|" + file("c.owp")});
    start();
    QVERIFY(!frame->settings().noFileIntegrityCheck);
    QCOMPARE(frame->recentFiles(), (QStringList{file("a b.owp"), file("c.owp")}));
    frame->acFileOpen();
    QCOMPARE(env->fileDialogs.calls[0].request.directory, env->workDir());
    openFileMenu(frameMenu("miFile"));
    QMenu* reopen = frameMenu("miReopen");
    QVERIFY(reopen->menuAction()->isEnabled());
    QCOMPARE(reopen->actions().size(), 2);
    QCOMPARE(reopen->actions()[0]->objectName(), QString("miFile0"));
    QCOMPARE(reopen->actions()[1]->objectName(), QString("miFile1"));
    QCOMPARE(reopen->actions()[0]->text(), file("a b.owp"));
  }

  void recentFilesKeepTheirPlaces_data() {
    QTest::addColumn<QStringList>("initial");
    QTest::addColumn<QString>("how");  // "open" through the dialog or "reopen" from the submenu
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QStringList>("expected");
    const QStringList five{"a", "b", "c", "d", "e"};
    QTest::newRow("new file in front, sixth drops off") << five << "open" << "f" << QStringList{"f", "a", "b", "c", "d"};
    QTest::newRow("reopened entry changes places with the first")
        << five << "reopen" << "d" << QStringList{"d", "b", "c", "a", "e"};
    QTest::newRow("opening a listed file through the dialog") << five << "open" << "c"
                                                              << QStringList{"c", "b", "a", "d", "e"};
    QTest::newRow("other letter case keeps the stored spelling")
        << five << "open" << "C" << QStringList{"c", "b", "a", "d", "e"};
    QTest::newRow("first entry stays") << five << "reopen" << "a" << five;
    QTest::newRow("empty list") << QStringList{} << "open" << "a" << QStringList{"a"};
  }
  void recentFilesKeepTheirPlaces() {
    QFETCH(QStringList, initial);
    QFETCH(QString, how);
    QFETCH(QString, chosen);
    QFETCH(QStringList, expected);
    for (const char* n : {"a", "b", "c", "d", "e", "f", "C"}) sample(QString(n) + ".owp");
    auto paths = [this](const QStringList& names) {
      QStringList p;
      for (const QString& n : names) p.append(file(n + ".owp"));
      return p;
    };
    env->writeSettings({"[GeneralSettings]", "RecentFiles=" + paths(initial).join('|')});
    start();
    if (how == "open") {
      openThroughDialog(file(chosen + ".owp"));
    } else {
      openFileMenu(frameMenu("miFile"));
      frameMenu("miReopen")->actions()[initial.indexOf(chosen)]->trigger();
    }
    QCOMPARE(openFileNames(), QStringList{file(chosen + ".owp")});
    QCOMPARE(frame->recentFiles(), paths(expected));
    QVERIFY(frame->close());
    QVERIFY(env->readSettings().contains("RecentFiles=" + paths(expected).join('|') + "\n"));
  }

  void recentEntryWhoseFileHasGone() {
    env->writeSettings({"[GeneralSettings]", "RecentFiles=" + file("weg.owp") + "|" + env->workDir()});
    start();
    openFileMenu(frameMenu("miFile"));
    frameMenu("miReopen")->actions()[0]->trigger();
    frameMenu("miReopen")->actions()[1]->trigger();  // a folder counts as missing
    QCOMPARE(env->messages.texts(), QStringList(2, "Die Datei existiert nicht!"));
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Information);
    QCOMPARE(frame->recentFiles().size(), 2);
    QVERIFY(frame->workFileWindows().isEmpty());
  }

  void recentPathWithAmpersand() {
    const QString path = sample("Müller & Söhne.owp");
    env->writeSettings({"[GeneralSettings]", "RecentFiles=*" + path + "*"});
    start();
    openFileMenu(frameMenu("miFile"));
    QAction* item = frameMenu("miReopen")->actions()[0];
    QCOMPARE(item->iconText().contains("& Söhne"), true);  // shown with its "&"
    item->trigger();
    QCOMPARE(openFileNames(), QStringList{path});
  }

  void openingAnOpenFile() {
    const QString path = sample("offen.owp");
    start();
    openThroughDialog(path);
    frame->acFileNew();
    openThroughDialog(path);
    QCOMPARE(env->messages.texts(), QStringList{"Die Datei ist bereits geöffnet!"});
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Information);
    QCOMPARE(frame->workFileWindows().size(), 2);
    QCOMPARE(frame->activeWorkFile()->GetFileName(), path);  // brought to the front

    // The same file under another spelling is not recognised.
    const QString other = sample("OFFEN.owp");
    openThroughDialog(other);
    QCOMPARE(frame->workFileWindows().size(), 3);
  }

  void fileReachedThroughALinkedFolderIsAlreadyOpen() {
    QVERIFY(QDir().mkpath(file("echt")));
    WriteSampleWorkFile(file("echt/akte.owp"));
    QVERIFY(QFile::link(file("echt"), file("verweis")));
    start();
    openThroughDialog(file("echt/akte.owp"));
    env->messages.clear();
    for (const QString& other : {file("verweis/akte.owp"), file("echt/../echt/akte.owp")}) {
      openThroughDialog(other);
      QCOMPARE(env->messages.texts(), QStringList{"Die Datei ist bereits geöffnet!"});
      QCOMPARE(frame->workFileWindows().size(), 1);
      env->messages.clear();
    }
  }

  void damagedFileIsRefused() {
    const QString path = sample("kaputt.owp");
    DamageWorkFile(path);
    start();
    openThroughDialog(path);
    QCOMPARE(env->messages.texts(), QStringList{"Die Datei " + path + " ist beschädigt!"});
    QCOMPARE(env->messages.shown[0].kind, MessageKind::Error);
    QVERIFY(frame->workFileWindows().isEmpty());
    QVERIFY(frame->recentFiles().isEmpty());
  }

  void unparsableFileLeavesNoWindow() {
    env->writeSettings({"[GeneralSettings]", "NoFileIntegrityCheck=1"});
    WriteRawFile(file("murks.owp"), "OVWP00000001<ORVELA_WP_DOCUMENT><unclosed");
    start();
    openThroughDialog(file("murks.owp"));
    QCOMPARE(env->messages.shown.size(), 1);
    QVERIFY(env->messages.shown[0].text.startsWith("In der Anwendung ist folgender Fehler aufgetreten:\n\r"));
    QVERIFY(env->messages.shown[0].text.contains("Fehlertyp:\n\rorvela::xml::XmlError"));
    QTRY_VERIFY(frame->workFileWindows().isEmpty());
  }

  void xmlTextAloneOpensWithoutIntegrityTest() {
    env->writeSettings({"[GeneralSettings]", "NoFileIntegrityCheck=1"});
    const QString path = sample("nurxml.owp");
    WriteRawFile(path, ReadRawFile(path).mid(72));
    start();
    openThroughDialog(path);
    QCOMPARE(env->messages.texts(), QStringList{});
    QCOMPARE(openFileNames(), QStringList{path});
  }

  void newFileFromTemplate_data() {
    QTest::addColumn<QString>("templateState");  // good, damaged, missing
    QTest::addColumn<bool>("checkOff");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");  // %1 is the template path
    QTest::newRow("damaged, test on") << "damaged" << false << int(MessageKind::Error)
                                      << "Die Vorlagendatei %1 ist beschädigt!";
    QTest::newRow("missing, test on") << "missing" << false << int(MessageKind::Error)
                                      << "Die Vorlagendatei %1 ist beschädigt!";
    QTest::newRow("missing, test off") << "missing" << true << int(MessageKind::Warning)
                                       << "Die Vorlagendatei %1 existiert nicht!";
  }
  void newFileFromTemplate() {
    QFETCH(QString, templateState);
    QFETCH(bool, checkOff);
    QFETCH(int, kind);
    QFETCH(QString, message);
    const QString templ = file("vorlage.owp");
    if (templateState != "missing") sample("vorlage.owp");
    if (templateState == "damaged") DamageWorkFile(templ);
    env->writeSettings({"[GeneralSettings]", "Template=" + templ, QString("NoFileIntegrityCheck=%1").arg(checkOff)});
    start();
    frame->acFileNew();
    QCOMPARE(env->messages.texts(), QStringList{message.arg(templ)});
    QCOMPARE(int(env->messages.shown[0].kind), kind);
    QVERIFY(frame->workFileWindows().isEmpty());
  }

  void damagedTemplateOpensWithTestOff() {
    const QString templ = sample("vorlage.owp");
    DamageWorkFile(templ);
    env->writeSettings({"[GeneralSettings]", "Template=  " + templ, "NoFileIntegrityCheck=1"});
    start();
    frame->acFileNew();
    QCOMPARE(frame->workFileWindows().size(), 1);
    QCOMPARE(frame->workFileWindows()[0]->GetFileName(), QString());
  }

  void newFileFromGoodTemplateIsUntitled() {
    const QString templ = sample("vorlage.owp");
    env->writeSettings({"[GeneralSettings]", "Template=" + templ});
    start();
    frame->acFileNew();
    QCOMPARE(env->messages.texts(), QStringList{});
    QCOMPARE(frame->workFileWindows().size(), 1);
    TfrmWorkFile* w = frame->workFileWindows()[0];
    QCOMPARE(w->GetFileName(), QString());
    QCOMPARE(w->windowTitle(), QString("unbenannt[*]"));
    QCOMPARE(w->data().structure.root().child(0)->record.value("NAME"), std::string("vorlage.owp"));
    QCOMPARE(w->data().createdBy, std::string("VORLAGE/ersteller"));
    QCOMPARE(w->data().savedBy, std::string("VORLAGE/speicherer"));
    QVERIFY(!frame->saveButton()->isEnabled());
    QVERIFY(frame->recentFiles().isEmpty());
    // Unchanged, it closes without a question.
    QVERIFY(TriggerAction(frame.get(), "FileClose1"));
    QTRY_VERIFY(frame->workFileWindows().isEmpty());
    QCOMPARE(env->messages.shown.size(), 0);
  }

  void newFileWithoutTemplate() {
    start();
    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(frame->workFileWindows().size(), 1);
    // With a work-file window active its menu bar stands in the frame, and Ctrl+N still works.
    QCOMPARE(frame->menuBar()->actions().constFirst()->menu(), frame->workFileWindows()[0]->menus().constFirst());
    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(frame->workFileWindows().size(), 2);
    QCOMPARE(frame->workFileWindows()[1]->windowTitle(), QString("unbenannt[*]"));
  }

  void startUp_data() {
    QTest::addColumn<bool>("newOnStart");
    QTest::addColumn<QString>("argument");  // "file", "missing" or none
    QTest::addColumn<QStringList>("expectedWindows");
    QTest::newRow("no argument, setting off") << false << "" << QStringList{};
    QTest::newRow("no argument, setting on") << true << "" << QStringList{""};
    QTest::newRow("file named, setting on") << true << "file" << QStringList{"FILE"};
    QTest::newRow("missing file named") << true << "missing" << QStringList{};
    QTest::newRow("relative name, kept as full path") << false << "relative" << QStringList{"FILE"};
  }
  void startUp() {
    QFETCH(bool, newOnStart);
    QFETCH(QString, argument);
    QFETCH(QStringList, expectedWindows);
    const QString path = sample("start.owp");
    env->writeSettings({"[GeneralSettings]", QString("NewFileOnStartup=%1").arg(newOnStart)});
    QStringList args;
    if (argument == "file") args = {path, "ignored.owp"};
    if (argument == "missing") args = {file("fehlt.owp")};
    const QString startDir = QDir::currentPath();
    if (argument == "relative") {
      QDir::setCurrent(env->workDir());
      args = {"start.owp"};
    }
    start(args);
    QDir::setCurrent(startDir);
    expectedWindows.replaceInStrings("FILE", path);
    QCOMPARE(openFileNames(), expectedWindows);
    QCOMPARE(env->messages.shown.size(), 0);
    QVERIFY(frame->recentFiles().isEmpty());
  }

  void droppedFilesOpenInOrder() {
    const QString a = sample("eins.owp"), b = sample("zwei.owp"), c = sample("drei.owp");
    DamageWorkFile(b);
    start();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(env->workDir()),
                  QUrl::fromLocalFile(c)});
    // The drop reaches the frame only after it has accepted the drag.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    QTRY_COMPARE(openFileNames(), (QStringList{a, c}));
    QCOMPARE(env->messages.texts(), QStringList{"Die Datei " + b + " ist beschädigt!"});
    QVERIFY(frame->recentFiles().isEmpty());
  }

  void unreadableFileReachesErrorReport() {
    // Root reads every file, but nobody reads this one from its start.
    QString path = "/proc/self/mem";
    if (geteuid() != 0) {
      path = sample("gesperrt.owp");
      QFile::setPermissions(path, QFileDevice::WriteOwner);
    }
    start();
    openThroughDialog(path);
    QCOMPARE(env->messages.shown.size(), 1);
    QVERIFY(env->messages.shown[0].text.contains("Fehlertyp:\n\rorvela::FileError"));
    QVERIFY(frame->workFileWindows().isEmpty());
  }

  void closingAsksEveryModifiedWindow_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::newRow("Abbrechen keeps the program") << int(MessageButton::Cancel) << false;
    QTest::newRow("Nein ends it") << int(MessageButton::No) << true;
  }
  void closingAsksEveryModifiedWindow() {
    QFETCH(int, answer);
    QFETCH(bool, closed);
    env->writeSettings({"[GeneralSettings]", "RecentFiles=alt.owp"});
    const QString path = sample("x.owp");
    start();
    openThroughDialog(path);
    frame->acFileNew();
    frame->workFileWindows()[0]->MarkModified();
    env->messages.answer(MessageButton(answer));
    QCOMPARE(frame->close(), closed);
    QCOMPARE(env->messages.texts(), QStringList{"Änderungen in " + path + " speichern?"});
    QCOMPARE(env->readSettings().contains("RecentFiles=" + path + "|alt.owp"), closed);
    QCOMPARE(frame->isVisible(), !closed);
    QCOMPARE(frame->workFileWindows().size(), closed ? 0 : 2);
  }

  void settingsThatCannotBeWrittenAreReported() {
    start();
    QVERIFY(QDir(env->configDir()).mkdir("OrvelaWP.ini"));
    QVERIFY(frame->close());
    QCOMPARE(env->messages.shown.size(), 1);
    const QString text = env->messages.shown[0].text;
    QVERIFY(text.contains("Die Einstellungsdatei " + env->settingsPath() + " kann nicht geschrieben werden!"));
    QVERIFY(text.endsWith("Sender:\r\nfrmMain [orvela::TfrmMain]"));
  }

  void helpAndHomepage() {
    start();
    QVERIFY(TriggerAction(frame.get(), "tbHelp"));
    QVERIFY(TriggerAction(frame.get(), "OrvelaHilfe1"));
    QCOMPARE(env->help.contexts, (QList<int>{0, 0}));
    QVERIFY(TriggerAction(frame.get(), "OrvelaHomepage1"));
    QCOMPARE(env->shell.opened, QStringList{"https://orvela-wp.example.org"});
  }

  void saveButtonFollowsTheActiveWindow() {
    const QString path = sample("named.owp");
    start();
    frame->saveButton()->trigger();  // nothing to save: nothing happens
    openThroughDialog(path);
    QVERIFY(frame->saveButton()->isEnabled());
    frame->acFileNew();
    QVERIFY(!frame->saveButton()->isEnabled());
    frame->mdiArea()->setActiveSubWindow(frame->mdiArea()->subWindowList(QMdiArea::CreationOrder)[0]);
    QVERIFY(frame->saveButton()->isEnabled());
    const QByteArray before = ReadRawFile(path);
    frame->saveButton()->trigger();
    QVERIFY(ReadRawFile(path) != before);  // saved again with new stamps
    QVERIFY(CheckFileIntegrity(path.toStdString()));
  }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
