// Remembered places ([Window] of the settings file): reading and writing its values, fitting
// a remembered frame onto the screens, and the frame, the structure splitter, the grids and
// the file dialogs remembering across a restart. And the numbered window list of "Fenster".
#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QTest>
#include <QTreeView>

#include "app/WindowListMenu.h"
#include "app/srcMain.h"
#include "platform/Settings.h"
#include "platform/WindowPlaces.h"
#include "platform/WindowSize.h"
#include "support/Doubles.h"
#include "support/DrawnChecks.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;
using platform::FolderKind;
using platform::WindowSettings;

Q_DECLARE_METATYPE(std::optional<QPoint>)
Q_DECLARE_METATYPE(std::optional<QSize>)
Q_DECLARE_METATYPE(QList<QRect>)
Q_DECLARE_METATYPE(WindowSettings)

class WindowPlacesTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<TfrmMain> frame;

  TfrmMain& start() {
    frame = std::make_unique<TfrmMain>(env->services);
    frame->setStampSource(SteppingStamps());
    frame->show();
    QCoreApplication::processEvents();
    return *frame;
  }
  // Closes the frame as the user does and starts the program again over the same settings
  // file, with the same services (whose remembered places the new frame reads afresh).
  TfrmMain& restart() {
    if (!frame->close()) qFatal("the frame refused to close");
    frame.reset();
    env->services.places().values() = {};
    return start();
  }
  QString sample(const QString& name) {
    WriteSampleWorkFile(env->workPath(name), "Planung");
    return env->workPath(name);
  }
  TfrmWorkFile* open(const QString& path) {
    env->fileDialogs.answer(path);
    frame->acFileOpen();
    return frame->activeWorkFile();
  }
  QMenu* windowMenu() {
    QMenu* menu = Control<QMenu>(frame->activeWorkFile(), "miWindow");
    emit menu->aboutToShow();
    return menu;
  }
  static QStringList listEntries(QMenu* menu) {
    QStringList entries;
    for (QAction* a : menu->actions())
      if (a->objectName().startsWith("miWindowList"))
        entries.append(a->text() + (a->isChecked() ? " [x]" : ""));
    return entries;
  }
  QRect screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

 private slots:
  void init() { env = std::make_unique<TestEnvironment>(); }
  void cleanup() {
    frame.reset();
    env.reset();
  }

  // --- the text of [Window] ---

  void readingWindowValues_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<WindowSettings>("expected");
    WindowSettings full;
    full.framePos = QPoint(-8, 40);
    full.frameSize = QSize(1200, 800);
    full.frameMaximized = true;
    full.treeWidth = 420;
    full.columns.insert("vtDocuments", {200, 80, 95});
    full.folders = {"/akten/offen", "/akten/gespeichert", "/akten/berichte", " /akten/belege"};
    QTest::newRow("every value")
        << QStringList{"[Window]", "FrameLeft=-8", "FrameTop=40", "FrameWidth=1200", "FrameHeight=800",
                       "FrameMaximized=1", "TreeWidth=420", "Columns.vtDocuments=200,80,95", "OpenFolder=/akten/offen",
                       "SaveFolder=/akten/gespeichert", "ReportsFolder=/akten/berichte", "DocumentsFolder= /akten/belege"}
        << full;
    WindowSettings placeOnly;
    placeOnly.framePos = QPoint(10, 20);
    QTest::newRow("negative and zero sizes are no size")
        << QStringList{"[Window]", "FrameLeft=10", "FrameTop=20", "FrameWidth=-640", "FrameHeight=0", "TreeWidth=-3"}
        << placeOnly;
    QTest::newRow("text where a number belongs")
        << QStringList{"[Window]", "FrameLeft=links", "FrameTop=5", "FrameWidth=12O0", "FrameHeight=800",
                       "FrameMaximized=ja", "TreeWidth=", "Columns.vtFindings=80,,60"}
        << WindowSettings{};
    WindowSettings far;
    far.framePos = QPoint(40000, -30000);
    QTest::newRow("a place off every screen still reads; beyond any screen does not")
        << QStringList{"[Window]", "FrameLeft=40000", "FrameTop=-30000", "FrameWidth=2147483647", "FrameHeight=700"}
        << far;
    WindowSettings crlf;
    crlf.treeWidth = 250;
    crlf.columns.insert("vtRisk", {80, 160});
    QTest::newRow("CRLF lines, letter case of keys and section ignored, the first line of a key wins")
        << QStringList{"[window]\r", "treewidth=250\r", "TreeWidth=999\r", "columns.vtRisk=80,160\r",
                       "Columns.VTRISK=1,1\r"}
        << crlf;
    QTest::newRow("keys of [GeneralSettings] are not window values")
        << QStringList{"[GeneralSettings]", "TreeWidth=300", "OpenFolder=/falsch"} << WindowSettings{};
  }
  void readingWindowValues() {
    QFETCH(QStringList, lines);
    QFETCH(WindowSettings, expected);
    const WindowSettings read = platform::ParseWindowSettings(lines.join('\n').toUtf8() + '\n');
    QCOMPARE(read.framePos, expected.framePos);
    QCOMPARE(read.frameSize, expected.frameSize);
    QCOMPARE(read.frameMaximized, expected.frameMaximized);
    QCOMPARE(read.treeWidth, expected.treeWidth);
    QCOMPARE(read.columns, expected.columns);
    QCOMPARE(read.folders, expected.folders);
  }

  void writingWindowValuesKeepsGeneralSettingsByteForByte() {
    const QByteArray general = "[GeneralSettings]\r\nWorkingDir=  /w\r\nRecentFiles=*a b*|c\xfc.owp\r\n";
    WindowSettings places;
    places.framePos = QPoint(3, 4);
    places.frameSize = QSize(1000, 700);
    places.treeWidth = 333;
    places.columns.insert("vtFindings", {120, 60});
    places.folders[std::size_t(FolderKind::Reports)] = "/berichte";
    places.folders[std::size_t(FolderKind::Save)] = "/zwei\nzeilen";  // cannot stand in one line: left out
    const std::optional<QByteArray> written =
        platform::MergeSettingsValues(general, platform::WindowSettingsValues(places), platform::kWindowSection);
    QVERIFY(written);
    QVERIFY(written->startsWith(general));
    QCOMPARE(platform::ParseGeneralSettings(*written).recentFiles, platform::ParseGeneralSettings(general).recentFiles);
    QCOMPARE(platform::ParseGeneralSettings(*written).workingDir, QString("/w"));
    places.folders[std::size_t(FolderKind::Save)].clear();
    QVERIFY(platform::ParseWindowSettings(*written) == places);
    // Written again, nothing changes; the section is not added twice.
    QCOMPARE(platform::MergeSettingsValues(*written, platform::WindowSettingsValues(places), platform::kWindowSection),
             written);
  }

  // --- fitting a remembered frame onto the screens ---

  void placeOnScreens_data() {
    QTest::addColumn<std::optional<QPoint>>("pos");
    QTest::addColumn<std::optional<QSize>>("size");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("expected");
    const QSize design(900, 640);
    const QList<QRect> one{QRect(0, 0, 1920, 1040)};
    const QList<QRect> two{QRect(0, 0, 1920, 1040), QRect(1920, 0, 1280, 984)};
    const auto none = std::optional<QPoint>();
    QTest::newRow("fits as remembered") << std::optional(QPoint(100, 50)) << std::optional(QSize(1000, 700)) << one
                                        << QRect(100, 50, 1000, 700);
    QTest::newRow("no size: design size at the place")
        << std::optional(QPoint(100, 50)) << std::optional<QSize>() << one << QRect(QPoint(100, 50), design);
    QTest::newRow("no place: centred on the first screen")
        << none << std::optional(QSize(1000, 700)) << one << QRect(QPoint(460, 170), QSize(1000, 700));
    QTest::newRow("off every screen: centred on the first")
        << std::optional(QPoint(40000, -30000)) << std::optional(QSize(1000, 700)) << two
        << QRect(QPoint(460, 170), QSize(1000, 700));
    QTest::newRow("larger than the screen: the screen's size")
        << std::optional(QPoint(0, 0)) << std::optional(QSize(5000, 3000)) << one << QRect(0, 0, 1920, 1040);
    QTest::newRow("half over the right edge: pulled in")
        << std::optional(QPoint(1500, 900)) << std::optional(QSize(1000, 700)) << one << QRect(920, 340, 1000, 700);
    QTest::newRow("mostly on the second screen: stays there, pulled in")
        << std::optional(QPoint(2000, 500)) << std::optional(QSize(1000, 700)) << two << QRect(2000, 284, 1000, 700);
    QTest::newRow("an empty size is no size")
        << std::optional(QPoint(10, 10)) << std::optional(QSize(0, 500)) << one << QRect(QPoint(10, 10), design);
  }
  void placeOnScreens() {
    QFETCH(std::optional<QPoint>, pos);
    QFETCH(std::optional<QSize>, size);
    QFETCH(QList<QRect>, screens);
    QTEST(platform::PlaceOnScreens(pos, size, QSize(900, 640), screens), "expected");
  }

  // --- the frame across a restart ---

  void frameRemembersSizePlaceAndState() {
    start();
    const QRect place(screen().topLeft() + QPoint(30, 20), QSize(640, 480));
    frame->setGeometry(place);
    restart();
    QCOMPARE(frame->geometry(), place);
    QVERIFY(!frame->isMaximized());
    const WindowSettings written = platform::ParseWindowSettings(env->readSettings().toUtf8());
    QCOMPARE(written.framePos, std::optional(place.topLeft()));
    QCOMPARE(written.frameSize, std::optional(place.size()));

    // Maximised, it keeps the place it goes back to, also over the next restart.
    frame->showMaximized();
    restart();
    QVERIFY(frame->isMaximized());
    QCOMPARE(frame->normalGeometry(), place);
    restart();
    QVERIFY(frame->isMaximized());
    QCOMPARE(frame->normalGeometry(), place);
  }

  void brokenWindowValuesOpenTheFrameOnTheScreen_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("negative sizes") << QStringList{"FrameLeft=10", "FrameTop=10", "FrameWidth=-900", "FrameHeight=-1"};
    QTest::newRow("off every screen") << QStringList{"FrameLeft=-50000", "FrameTop=90000", "FrameWidth=700",
                                                     "FrameHeight=500"};
    QTest::newRow("text where numbers belong")
        << QStringList{"FrameLeft=oben", "FrameTop=10", "FrameWidth=breit", "FrameHeight=500", "FrameMaximized=?"};
    QTest::newRow("larger than any screen") << QStringList{"FrameLeft=0", "FrameTop=0", "FrameWidth=99999",
                                                           "FrameHeight=99999"};
  }
  void brokenWindowValuesOpenTheFrameOnTheScreen() {
    QFETCH(QStringList, lines);
    env->writeSettings(QStringList{"[GeneralSettings]", "RecentFiles=", "[Window]"} + lines);
    start();
    // Reachable: its corner on the screen, no larger than the screen, and of a useful size.
    const QRect got = frame->geometry();
    QVERIFY2(screen().contains(got.topLeft()), qPrintable(QDebug::toString(got)));
    QVERIFY2(got.width() <= screen().width() && got.height() <= screen().height(), qPrintable(QDebug::toString(got)));
    QVERIFY(got.width() >= 300 && got.height() >= 200);
    QVERIFY(!frame->isMaximized());
  }

  void splitterAndGridColumnsRememberedPerGrid() {
    const QString path = sample("a.owp");
    start();
    TfrmWorkFile* w = open(path);
    QVERIFY(w);
    auto* splitter = Control<QSplitter>(w, "splitterStructure");
    // Dragged by its handle, as the user does.
    QSplitterHandle* handle = splitter->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    const int before = splitter->sizes().constFirst();
    QTest::mouseMove(handle, grip + QPoint(30, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(30, 0));
    // As far as the detail panel's own minimum width lets it go.
    const int treeWidth = splitter->sizes().constFirst();
    QVERIFY(treeWidth > before);
    QCOMPARE(env->services.places().values().treeWidth, std::optional(treeWidth));

    QHeaderView* documents = Control<QTreeView>(w, "vtDocuments")->header();
    documents->resizeSection(0, 231);
    QHeaderView* findings = Control<QTableView>(w, "vtFindings")->horizontalHeader();
    findings->resizeSection(1, 177);

    restart();
    w = open(path);
    QCOMPARE(Control<QSplitter>(w, "splitterStructure")->sizes().constFirst(), treeWidth);
    QCOMPARE(Control<QTreeView>(w, "vtDocuments")->header()->sectionSize(0), 231);
    QCOMPARE(Control<QTableView>(w, "vtFindings")->horizontalHeader()->sectionSize(1), 177);
  }

  void gridWithOtherColumnsKeepsItsDesignWidths() {
    env->writeSettings({"[Window]", "Columns.vtDocuments=5,5"});
    start();
    TfrmWorkFile* w = open(sample("a.owp"));
    QHeaderView* header = Control<QTreeView>(w, "vtDocuments")->header();
    QVERIFY(header->count() != 2);
    QVERIFY(header->sectionSize(0) > 5);
  }

  void fileDialogsStartInTheirLastFolder() {
    const QString other = env->workPath("andere");
    QVERIFY(QDir().mkpath(other));
    start();
    TfrmWorkFile* w = open(sample("a.owp"));
    QVERIFY(w);
    frame->acFileNew();  // an untitled window: its "save as" starts in the save folder
    env->fileDialogs.answer(other + "/neu.owp");
    frame->activeWorkFile()->acFileSaveAs();

    restart();
    frame->acFileOpen();  // cancelled
    frame->acFileNew();
    frame->activeWorkFile()->acFileSaveAs();  // cancelled
    const QList<FileDialogCall>& calls = env->fileDialogs.calls;
    QCOMPARE(calls.size(), 4);
    QCOMPARE(calls[2].request.directory, env->workDir());  // open: where a.owp was chosen
    QCOMPARE(calls[3].request.directory, other);           // save: where neu.owp was saved

    // A working folder, once set, is where the open and save dialogs start.
    frame->settings().workingDir = "/akten/2026";
    frame->acFileOpen();
    frame->activeWorkFile()->acFileSaveAs();
    QCOMPARE(calls[4].request.directory, QString("/akten/2026"));
    QCOMPARE(calls[5].request.directory, QString("/akten/2026"));
  }

  // --- the window list of "Fenster" ---

  void windowListNumbersTheOpenWindows() {
    const QString a = sample("a.owp"), b = sample("Bilanz & GuV.owp");
    start();
    open(a);
    open(b);
    frame->acFileNew();
    QMenu* menu = windowMenu();
    QCOMPARE(listEntries(menu), (QStringList{"&1 a.owp", "&2 Bilanz && GuV.owp", "&3 unbenannt [x]"}));
    // The frame's window commands come first, then a separator, then the list.
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions[0]->objectName(), QString("WindowCascade1"));
    QVERIFY(actions[5]->isSeparator());
    menu->popup(frame->mapToGlobal(QPoint(40, 40)));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QVERIFY(!SaveScreen(menu, "window-menu").isEmpty());
    menu->hide();

    QAction* first = nullptr;
    for (QAction* act : menu->actions())
      if (act->objectName() == "miWindowList1") first = act;
    QVERIFY(first);
    first->trigger();
    QCOMPARE(frame->activeWorkFile()->GetFileName(), a);
    QCOMPARE(listEntries(windowMenu()), (QStringList{"&1 a.owp [x]", "&2 Bilanz && GuV.owp", "&3 unbenannt"}));

    // A minimised window chosen from the list comes back.
    QMdiSubWindow* second = frame->mdiArea()->subWindowList(QMdiArea::CreationOrder)[1];
    second->showMinimized();
    for (QAction* act : windowMenu()->actions())
      if (act->objectName() == "miWindowList2") act->trigger();
    QCOMPARE(frame->mdiArea()->currentSubWindow(), second);
    QVERIFY(!second->isMinimized());

    // A closed window leaves the list; the numbers close up.
    frame->mdiArea()->subWindowList(QMdiArea::CreationOrder)[0]->close();
    QCOMPARE(listEntries(windowMenu()), (QStringList{"&1 Bilanz && GuV.owp [x]", "&2 unbenannt"}));
  }

  void windowListCaptions_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first") << 1 << "a.owp" << "&1 a.owp";
    QTest::newRow("ninth") << 9 << "a.owp" << "&9 a.owp";
    QTest::newRow("tenth takes the 0") << 10 << "a.owp" << "1&0 a.owp";
    QTest::newRow("beyond: no access key") << 11 << "a.owp" << "11 a.owp";
    QTest::newRow("ampersand shown as it is") << 2 << "R&D.owp" << "&2 R&&D.owp";
  }
  void windowListCaptions() {
    QFETCH(int, number);
    QFETCH(QString, name);
    QTEST(WindowListCaption(number, name), "caption");
  }
};

QTEST_MAIN(WindowPlacesTest)
#include "window_places_test.moc"
