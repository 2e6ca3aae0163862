// Recovery copies of unsaved work: written a while after a change and never while the user
// types, private to the user and far from the work file, gone after saving or a normal
// close; a folder that cannot be written is told once; at the next start after a crash each
// copy is offered, and a program killed with unsaved changes gets every change back.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QProcess>
#include <QStatusBar>
#include <QSysInfo>
#include <QTest>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "app/srcMain.h"
#include "model/Edits.h"
#include "model/srcGlobalDef.h"
#include "platform/RecoveryFolder.h"
#include "storage/Envelope.h"
#include "storage/WorkFileStorage.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/RecoveryWriter.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;
using namespace std::chrono_literals;

namespace {

// Beyond any process number the system hands out: the run that wrote it has ended.
constexpr std::int64_t kEndedRun = 0x3FFFFFFF;

QStringList Copies() {
  return QDir(platform::RecoveryFolder()).entryList({QStringLiteral("*.owr")}, QDir::Files, QDir::Name);
}

// The files of a folder, without the lock an open window keeps beside its work file (a
// killed program leaves its lock behind; that is the lock's business, not the copy's).
QStringList Listing(const QString& folder) {
  QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  names.removeIf([](const QString& name) { return name.startsWith(QStringLiteral(".~lock.")); });
  return names;
}

unsigned Mode(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
  return st.st_mode & 0777u;
}

ReadRecoveryCopy ReadCopy(const QString& path) { return ParseRecoveryCopy(ReadRawFile(path).toStdString()); }

// The XML part of a work file's content.
std::string XmlOf(const std::string& content) { return content.substr(kHeaderSize); }

// Planung with Kasse and Lager below it.
void SampleWithChildren(WorkFileData& d) {
  for (const char* name : {"Kasse", "Lager"}) {
    FieldList r = NewStructureItemRecord(d.lastItemId);
    r.setValue(key::NAME, name);
    d.structure.append(d.structure.root().child(0), r);
  }
}

std::vector<std::string> ItemNames(const WorkFileData& d) {
  std::vector<std::string> names;
  for (const RecordNode* n : d.structure.inTreeOrder()) names.push_back(n->record.value(key::NAME));
  return names;
}

// A change through the edit layer, as every window change is made.
void AddItem(TfrmWorkFile* w) {
  const RecordNode& root = w->data().structure.root();
  QVERIFY(w->editor().execute(edits::NewItem(root.childCount() ? root.child(0) : nullptr)));
}

void Answer(TestEnvironment& env, MessageButton button) { env.messages.answer(button); }

// One way a copy can be found at the next start, and what must come of it.
struct OfferCase {
  const char* name;
  std::function<void(RecoveryRecord&, std::string& content, const QString& path)> arrange;
  MessageButton answer;
  bool offered, warning;
  const char* textPart;
  bool restored, keepsName, exact, copyStays;
  // What happens to the copy's bytes once written.
  std::function<void(std::string& bytes)> spoil = {};
};

const OfferCase kOfferCases[] = {
    {"file as it was: restored under its name", [](RecoveryRecord&, std::string&, const QString&) {},
     MessageButton::Restore, true, false, "Audit.owp", true, true, true, false},
    {"file changed since: restored untitled", [](RecoveryRecord&, std::string&, const QString& path) {
       WriteSampleWorkFile(path, "Planung von jemand anderem");
     }, MessageButton::Restore, true, false, "seitdem geändert", true, false, true, false},
    {"file gone: restored under its name", [](RecoveryRecord&, std::string&, const QString& path) { QFile::remove(path); },
     MessageButton::Restore, true, false, "nicht mehr", true, true, true, false},
    {"never saved: restored untitled", [](RecoveryRecord& r, std::string&, const QString&) {
       r.originalPath.clear();
       r.original.reset();
     }, MessageButton::Restore, true, false, "<unbenannt>", true, false, true, false},
    {"damaged: warned, restored untitled", [](RecoveryRecord&, std::string&, const QString&) {},
     MessageButton::Restore, true, true, "beschädigt", true, false, false, false,
     [](std::string& bytes) { bytes[bytes.find("Nachtrag") + 6] = 'b'; }},  // "Nachtrbg"
    {"record unreadable: warned, restored untitled", [](RecoveryRecord&, std::string&, const QString&) {},
     MessageButton::Restore, true, true, "beschädigt", true, false, true, false,
     [](std::string& bytes) { bytes[0] = 'X'; }},
    {"Verwerfen deletes it", [](RecoveryRecord&, std::string&, const QString&) {}, MessageButton::Discard, true, false,
     "Audit.owp", false, false, false, false},
    {"box closed: kept for the next start", [](RecoveryRecord&, std::string&, const QString&) {}, MessageButton::None,
     true, false, "Audit.owp", false, false, false, true},
    {"program still running: not offered", [](RecoveryRecord& r, std::string&, const QString&) { r.pid = ::getppid(); },
     MessageButton::Restore, false, false, "", false, false, false, true},
};

}  // namespace

class RecoveryTest : public QObject {
  Q_OBJECT
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<TfrmMain> frame;

  // The frame as at a program start: the copies on disk are offered before anything else.
  void startFrame() {
    frame = std::make_unique<TfrmMain>(env->services);
    frame->setStampSource(SteppingStamps());
    frame->show();
    QCoreApplication::processEvents();  // the start-up steps
  }

  TfrmWorkFile* openSample(const QString& path) {
    WriteSampleWorkFile(path, "Planung", SampleWithChildren);
    env->fileDialogs.answer(path);
    frame->acFileOpen();
    return frame->activeWorkFile();
  }

 private slots:
  void init() { env = std::make_unique<TestEnvironment>(); }
  void cleanup() {
    frame.reset();
    env.reset();
  }

  // The copy while changes are unsaved, and each way that ends them.
  void copyLastsWhileChangesAreUnsaved_data() {
    QTest::addColumn<int>("way");
    QTest::newRow("Speichern") << 0;
    QTest::newRow("undone back to the saved state") << 1;
    QTest::newRow("closed, Nein to saving") << 2;
    QTest::newRow("closed, Ja to saving") << 3;
  }
  void copyLastsWhileChangesAreUnsaved() {
    QFETCH(int, way);
    const std::function<void(TfrmWorkFile*)> ends[] = {
        [](TfrmWorkFile* w) { w->acFileSave(); },
        [](TfrmWorkFile* w) { w->acUndo(); },
        [this](TfrmWorkFile*) { Answer(*env, MessageButton::No); frame->acFileClose(); },
        [this](TfrmWorkFile*) { Answer(*env, MessageButton::Yes); frame->acFileClose(); },
    };
    startFrame();
    const QString path = env->workPath(QStringLiteral("Audit.owp"));
    TfrmWorkFile* w = openSample(path);
    QVERIFY(w);
    const QByteArray before = ReadRawFile(path);
    const QStringList folderBefore = Listing(env->workDir());
    w->recovery().setInterval(50ms);
    AddItem(w);
    QVERIFY(w->recovery().copyPath().isEmpty());  // not at once: a while after the change
    QTRY_VERIFY(!w->recovery().copyPath().isEmpty());

    const QString copy = w->recovery().copyPath();
    QCOMPARE(QFileInfo(copy).absolutePath(), platform::RecoveryFolder());
    QVERIFY(platform::RecoveryFolder().startsWith(env->dataDir() + QStringLiteral("/orvela-wp/")));
    QCOMPARE(Mode(copy), 0600u);
    QCOMPARE(Mode(platform::RecoveryFolder()), 0700u);
    const ReadRecoveryCopy read = ReadCopy(copy);
    QCOMPARE(int(read.status), int(ReadRecoveryCopy::Status::Intact));
    QCOMPARE(QString::fromStdString(read.record.originalPath), path);
    QCOMPARE(read.record.pid, std::int64_t(QCoreApplication::applicationPid()));
    QVERIFY(read.record.original.has_value());
    QCOMPARE(read.record.original->size, std::int64_t(before.size()));
    QVERIFY(XmlOf(read.content) == BuildWorkFileXml(w->data()));
    // The work file and its folder are as they were.
    QCOMPARE(ReadRawFile(path), before);
    QCOMPARE(Listing(env->workDir()), folderBefore);

    ends[way](w);
    QTRY_VERIFY(!QFile::exists(copy));
    QCOMPARE(Copies(), QStringList());
  }

  // A later change is in the next copy; a copy is not rewritten without one.
  void laterChangesReachTheCopy() {
    startFrame();
    TfrmWorkFile* w = openSample(env->workPath(QStringLiteral("Audit.owp")));
    w->recovery().setInterval(50ms);
    AddItem(w);
    QTRY_VERIFY(!w->recovery().copyPath().isEmpty());
    const QString copy = w->recovery().copyPath();
    QVERIFY(w->editor().execute(edits::SetDescription("{\\rtf1 Zweiter Stand\\par}")));
    QTRY_VERIFY(ReadCopy(copy).content.find("Zweiter Stand") != std::string::npos);
    QVERIFY(XmlOf(ReadCopy(copy).content) == BuildWorkFileXml(w->data()));
  }

  void noCopyWhileTyping() {
    startFrame();
    frame->acFileNew();
    TfrmWorkFile* w = frame->activeWorkFile();
    w->recovery().setInterval(50ms);
    w->recovery().setTypingPause(700ms);
    AddItem(w);
    QElapsedTimer sinceKey;
    for (int key = 0; key < 8; ++key) {
      QTest::keyClick(w->statusBar(), Qt::Key_Shift);
      sinceKey.restart();
      QTest::qWait(150);  // a typist's pace, well inside the pause
      QVERIFY2(w->recovery().copyPath().isEmpty(), "written while the user was typing");
    }
    QTRY_VERIFY_WITH_TIMEOUT(!w->recovery().copyPath().isEmpty(), 5000);
    QVERIFY(sinceKey.elapsed() >= 700);
  }

  void unwritableFolderIsToldOnceAndWorkGoesOn() {
    // A file where the program's data folder should be: no folder can be made there.
    QVERIFY(QDir().mkpath(env->dataDir()));
    const QString blocker = env->dataDir() + QStringLiteral("/orvela-wp");
    WriteRawFile(blocker, "kein Ordner");
    startFrame();
    QList<TfrmWorkFile*> windows;
    for (int i = 0; i < 2; ++i) {
      frame->acFileNew();
      windows.append(frame->activeWorkFile());
      windows.last()->recovery().setInterval(50ms);
      AddItem(windows.last());
    }
    QTRY_COMPARE(env->messages.shown.size(), 1);
    QTest::qWait(400);  // several more attempts of both windows
    QCOMPARE(env->messages.shown.size(), 1);
    QCOMPARE(int(env->messages.shown[0].kind), int(MessageKind::Warning));
    QVERIFY2(env->messages.shown[0].text.contains(platform::RecoveryFolder()), qPrintable(env->messages.shown[0].text));
    for (TfrmWorkFile* w : windows) {
      QVERIFY(w->isModified());
      QVERIFY(w->recovery().copyPath().isEmpty());
    }
    // Once the folder can be had, the windows' next attempts succeed.
    QVERIFY(QFile::remove(blocker));
    for (TfrmWorkFile* w : windows) QTRY_VERIFY(!w->recovery().copyPath().isEmpty());
    QCOMPARE(env->messages.shown.size(), 1);
  }

  // What the next start does with each copy left behind.
  void leftoverCopiesAreOffered_data() {
    QTest::addColumn<int>("caseIndex");
    for (int i = 0; i < int(std::size(kOfferCases)); ++i) QTest::newRow(kOfferCases[i].name) << i;
  }
  void leftoverCopiesAreOffered() {
    QFETCH(int, caseIndex);
    const OfferCase& c = kOfferCases[caseIndex];
    const QString path = env->workPath(QStringLiteral("Audit.owp"));
    WriteSampleWorkFile(path, "Planung");
    WorkFileData lost;
    QVERIFY(LoadWorkFile(lost, path.toStdString(), {}).ok());
    FieldList added = NewStructureItemRecord(lost.lastItemId);
    added.setValue(key::NAME, "Nachtrag");
    lost.structure.append(nullptr, added);
    RecoveryRecord record{path.toStdString(), 1765465200000, kEndedRun, QSysInfo::machineHostName().toStdString(),
                          platform::FileStateOf(path)};
    std::string content = BuildEnvelope(BuildWorkFileXml(lost));
    const std::string lostXml = BuildWorkFileXml(lost);
    c.arrange(record, content, path);
    const QString copy = platform::RecoveryFolder() + QStringLiteral("/77-1.owr");
    QVERIFY(QDir().mkpath(platform::RecoveryFolder()));
    std::string bytes = BuildRecoveryCopy(record, content);
    if (c.spoil) c.spoil(bytes);
    WriteRawFile(copy, QByteArray::fromStdString(bytes));
    Answer(*env, c.answer);  // None: the box closed without a choice

    startFrame();

    if (!c.offered) {
      QCOMPARE(env->messages.shown.size(), 0);
    } else {
      QCOMPARE(env->messages.shown.size(), 1);
      const ShownMessage& question = env->messages.shown[0];
      QCOMPARE(question.buttons, (QList<MessageButton>{MessageButton::Restore, MessageButton::Discard}));
      QCOMPARE(int(question.kind), int(c.warning ? MessageKind::Warning : MessageKind::Confirmation));
      for (const char* part : {c.textPart, "Wiederherstellen", "Verwerfen"})
        QVERIFY2(question.text.contains(QString::fromUtf8(part)), qPrintable(question.text));
    }
    const QList<TfrmWorkFile*> windows = frame->workFileWindows();
    QCOMPARE(windows.size(), c.restored ? 1 : 0);
    if (c.restored) {
      TfrmWorkFile* w = windows[0];
      QCOMPARE(w->GetFileName(), c.keepsName ? path : QString());
      QVERIFY(w->isModified());
      QVERIFY(w->isWindowModified());
      if (c.exact) QVERIFY(BuildWorkFileXml(w->data()) == lostXml);
      QCOMPARE(ItemNames(w->data()).back(), c.exact ? std::string("Nachtrag") : std::string("Nachtrbg"));
      // The copy is now this run's and goes when the window is saved or closed.
      QCOMPARE(w->recovery().copyPath(), copy);
      QCOMPARE(ReadCopy(copy).record.pid, std::int64_t(QCoreApplication::applicationPid()));
      Answer(*env, MessageButton::No);
      frame->acFileClose();
      QTRY_VERIFY(!QFile::exists(copy));
    } else {
      QCOMPARE(QFile::exists(copy), c.copyStays);
      if (c.copyStays) QCOMPARE(ReadRawFile(copy).toStdString(), bytes);
    }
  }

  // A copy of a window restored and then saved: the work file gets the recovered changes.
  void restoredWindowSavesToItsFile() {
    const QString path = env->workPath(QStringLiteral("Audit.owp"));
    WriteSampleWorkFile(path, "Planung");
    WorkFileData lost;
    QVERIFY(LoadWorkFile(lost, path.toStdString(), {}).ok());
    lost.description = "{\\rtf1 gerettet\\par}";
    QVERIFY(QDir().mkpath(platform::RecoveryFolder()));
    WriteRawFile(platform::RecoveryFolder() + QStringLiteral("/5-1.owr"),
                 QByteArray::fromStdString(BuildRecoveryCopy(
                     {path.toStdString(), 1, kEndedRun, QSysInfo::machineHostName().toStdString(), platform::FileStateOf(path)},
                     BuildEnvelope(BuildWorkFileXml(lost)))));
    Answer(*env, MessageButton::Restore);
    startFrame();
    TfrmWorkFile* w = frame->activeWorkFile();
    QVERIFY(w);
    QVERIFY(TriggerAction(w, QStringLiteral("miFileSave")));
    QVERIFY(!w->isModified());
    QCOMPARE(Copies(), QStringList());
    WorkFileData saved;
    QVERIFY(LoadWorkFile(saved, path.toStdString(), {}).ok());
    QCOMPARE(saved.description, lost.description);
  }

  // The program is killed with unsaved changes in two windows once their copies are
  // written; the next start restores both with every change.
  void killedProgramGetsEveryChangeBack() {
    const QString path = env->workPath(QStringLiteral("Audit.owp"));
    WriteSampleWorkFile(path, "Planung", SampleWithChildren);
    const QByteArray fileBefore = ReadRawFile(path);
    const QStringList folderBefore = Listing(env->workDir());
    QTemporaryDir expected;

    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(ORVELA_CRASH_HELPER), {path, expected.path()});  // XDG_* of this test
    QVERIFY2(program.waitForStarted(), ORVELA_CRASH_HELPER);
    QByteArray said;
    while (!said.contains("READY\n") && program.state() == QProcess::Running && program.waitForReadyRead(60000))
      said += program.readAllStandardOutput();
    QVERIFY2(said.contains("READY\n"), said.constData());
    program.kill();  // SIGKILL: nothing of the program runs any more
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitStatus(), QProcess::CrashExit);

    QCOMPARE(ReadRawFile(path), fileBefore);
    QCOMPARE(Listing(env->workDir()), folderBefore);
    const QStringList copies = Copies();
    QCOMPARE(copies.size(), 2);
    for (const QString& name : copies) QCOMPARE(Mode(QDir(platform::RecoveryFolder()).filePath(name)), 0600u);

    Answer(*env, MessageButton::Restore);
    Answer(*env, MessageButton::Restore);
    startFrame();
    QCOMPARE(env->messages.pendingAnswers(), 0);
    const QList<TfrmWorkFile*> windows = frame->workFileWindows();
    QCOMPARE(windows.size(), 2);
    TfrmWorkFile* named = windows[0]->GetFileName().isEmpty() ? windows[1] : windows[0];
    TfrmWorkFile* untitled = named == windows[0] ? windows[1] : windows[0];
    QCOMPARE(named->GetFileName(), path);
    QCOMPARE(untitled->GetFileName(), QString());
    const struct {
      TfrmWorkFile* window;
      const char* file;
    } results[] = {{named, "named.xml"}, {untitled, "untitled.xml"}};
    for (const auto& r : results) {
      QVERIFY(r.window->isModified());
      const QByteArray before = ReadRawFile(QDir(expected.path()).filePath(QString::fromLatin1(r.file)));
      QVERIFY(!before.isEmpty());
      QVERIFY2(QByteArray::fromStdString(BuildWorkFileXml(r.window->data())) == before, r.file);
    }
    // Spot checks of what the other program did, so that an unchanged file cannot pass.
    const std::vector<std::string> names = ItemNames(named->data());
    QVERIFY(std::find(names.begin(), names.end(), "Lager") == names.end());
    QVERIFY(std::find(names.begin(), names.end(), "Inventur \xC4\xD6\xDC") != names.end());
    QVERIFY(named->data().description.find("wiederhergestellt") != std::string::npos);
    const std::vector<RecordNode*> documents = named->data().documents.inTreeOrder();
    QVERIFY(std::any_of(documents.begin(), documents.end(),
                        [](const RecordNode* d) { return d->record.value(key::NAME) == "Vertrag 2025"; }));
  }

};


QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
