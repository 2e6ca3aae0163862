// Two copies of the program on one folder, as on a shared drive: two frames in this test
// process, each with its own services and user stamp. The first holds the lock of the
// work file; the second is asked and opens read-only, anyway or not at all; locks left
// behind are taken over; a save over a file the other changed asks first, whatever the
// answer nothing is lost.
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QMdiSubWindow>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/srcMain.h"
#include "model/Edits.h"
#include "model/srcGlobalDef.h"
#include "platform/Stamps.h"
#include "storage/LockFile.h"
#include "storage/WorkFileStorage.h"
#include "support/DrawnChecks.h"
#include "support/FrameFixture.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

const std::string kUserA = "PC1/pruefer";
const std::string kUserB = "PC2/kollegin";

QString LockPath(const QString& work) { return QString::fromStdString(LockFilePath(work.toStdString())); }

std::optional<LockOwner> LockOnDisk(const QString& work) {
  QFile file(LockPath(work));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  return ParseLockLine(file.readAll().toStdString());
}

// The first item's name as stored in the file on disk.
std::string ItemNameOnDisk(const QString& path) {
  WorkFileData data;
  if (!LoadWorkFile(data, path.toStdString(), [](LoadWarning, const std::string&) {}).ok()) return "<unlesbar>";
  return data.structure.root().child(0)->record.value(key::NAME);
}

// Renames the first item through the window's editor, as the detail panel would.
void RenameFirstItem(TfrmWorkFile* w, const std::string& name) {
  RecordNode* item = w->data().structure.root().child(0);
  FieldList record = item->record;
  record.setValue(key::NAME, name);
  w->editor().execute(edits::SetItemRecord(*item, record, "Umbenennen"));
}

bool SaveEnabled(TfrmMain& frame, TfrmWorkFile* w) {
  QAction* save = FindAction(w, QStringLiteral("miFileSave"));
  return save && save->isEnabled() && frame.saveButton()->isEnabled();
}

QString AccessLabel(TfrmWorkFile* w) {
  auto* label = w->findChild<QLabel*>(QStringLiteral("labelAccess"));
  return label && label->isVisibleTo(w) ? label->text() : QString();
}

void Age(const QString& path, std::int64_t seconds) {
  const time_t then = ::time(nullptr) - time_t(seconds);
  struct utimbuf times{then, then};
  ::utime(QFile::encodeName(path).constData(), &times);
}

}  // namespace

Q_DECLARE_METATYPE(orvela::platform::MessageButton)

class SharedFolderTest : public QObject {
  Q_OBJECT
  // Program A with its folder; program B works on the same folder.
  FrameFixture a;
  std::unique_ptr<TestEnvironment> envB;
  std::unique_ptr<TfrmMain> frameB;
  QString path;

  TfrmWorkFile* open(TestEnvironment& env, TfrmMain& frame, const QString& file) {
    const int before = int(frame.workFileWindows().size());
    env.fileDialogs.answer(file);
    frame.acFileOpen();
    return int(frame.workFileWindows().size()) > before ? frame.activeWorkFile() : nullptr;
  }
  TfrmWorkFile* openA() { return open(*a.env, *a.frame, path); }
  TfrmWorkFile* openB() { return open(*envB, *frameB, path); }

 private slots:
  void init() {
    a.start();
    a.frame->setStampSource(SteppingStamps(kUserA));
    envB = std::make_unique<TestEnvironment>();
    frameB = std::make_unique<TfrmMain>(envB->services);
    frameB->setStampSource(SteppingStamps(kUserB));
    frameB->show();
    path = a.env->workPath(QStringLiteral("akte.owp"));
    WriteSampleWorkFile(path, "Planung");
  }
  void cleanup() {
    frameB.reset();
    envB.reset();
    a.stop();
  }

  void lockIsWrittenWhileOpenAndGoesWithTheWindow() {
    TfrmWorkFile* w = openA();
    QVERIFY(w);
    const std::optional<LockOwner> lock = LockOnDisk(path);
    QVERIFY(lock);
    QCOMPARE(lock->userStamp, kUserA);
    QCOMPARE(lock->host, platform::ShortHostName().toStdString());
    QCOMPARE(lock->pid, long(::getpid()));
    QVERIFY(a.env->messages.shown.isEmpty());
    QVERIFY(AccessLabel(w).isEmpty());
    a.frame->acFileClose();
    QTRY_VERIFY(a.frame->workFileWindows().isEmpty());
    QVERIFY(!QFile::exists(LockPath(path)));
  }

  void secondProgramIsAsked_data() {
    QTest::addColumn<platform::MessageButton>("answer");
    QTest::newRow("read-only") << platform::MessageButton::OpenReadOnly;
    QTest::newRow("anyway") << platform::MessageButton::OpenAnyway;
    QTest::newRow("cancel") << platform::MessageButton::Cancel;
  }
  void secondProgramIsAsked() {
    QFETCH(platform::MessageButton, answer);
    QVERIFY(openA());
    const std::optional<LockOwner> lockA = LockOnDisk(path);
    envB->messages.answer(answer);
    TfrmWorkFile* w = openB();

    QCOMPARE(envB->messages.shown.size(), 1);
    const ShownMessage& asked = envB->messages.shown[0];
    QCOMPARE(asked.text, QStringLiteral("Die Datei ") + path + QStringLiteral(" wird seit ") +
                             QString::fromStdString(lockA->time) + QStringLiteral(" von PC1/pruefer auf ") +
                             platform::ShortHostName() + QStringLiteral(" bearbeitet."));
    QCOMPARE(asked.buttons, (QList<platform::MessageButton>{platform::MessageButton::OpenReadOnly,
                                                            platform::MessageButton::OpenAnyway,
                                                            platform::MessageButton::Cancel}));
    QCOMPARE(asked.defaultButton, platform::MessageButton::OpenReadOnly);

    switch (answer) {
      case platform::MessageButton::Cancel:
        QVERIFY(!w);
        QCOMPARE(LockOnDisk(path)->userStamp, kUserA);
        break;
      case platform::MessageButton::OpenReadOnly:
        QVERIFY(w);
        QVERIFY(w->isReadOnly());
        QVERIFY(w->windowTitle().contains(QStringLiteral("[schreibgeschützt]")));
        QCOMPARE(AccessLabel(w), QStringLiteral("Schreibgeschützt"));
        QVERIFY(!SaveEnabled(*frameB, w));
        QCOMPARE(LockOnDisk(path)->userStamp, kUserA);
        break;
      default:
        QVERIFY(w);
        QVERIFY(!w->isReadOnly());
        QVERIFY(SaveEnabled(*frameB, w));
        QCOMPARE(LockOnDisk(path)->userStamp, kUserB);
        break;
    }
    QCOMPARE(envB->messages.unansweredQuestions, 0);
  }

  // A read-only window keeps "Speichern" off (menu, key and button) and edits the file
  // chosen with "Speichern unter..." from then on, with its lock.
  void readOnlyWindowSavesUnderANewName() {
    QVERIFY(openA());
    envB->messages.answer(platform::MessageButton::OpenReadOnly);
    TfrmWorkFile* w = openB();
    QVERIFY(w && w->isReadOnly());
    frameB->resize(900, 600);
    const QStringList faults = CheckDrawn(w->statusBar());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    QVERIFY(!SaveScreen(frameB.get(), QStringLiteral("workfile-read-only")).isEmpty());
    RenameFirstItem(w, "Geändert in B");
    const QByteArray before = ReadRawFile(path);
    QVERIFY(!TriggerAction(w, QStringLiteral("miFileSave")));
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    frameB->sbFileSaveClick();
    QCOMPARE(ReadRawFile(path), before);
    QVERIFY(w->isModified());

    const QString copy = a.env->workPath(QStringLiteral("kopie.owp"));
    envB->fileDialogs.answer(copy);
    QVERIFY(TriggerAction(w, QStringLiteral("miFileSaveAs")));
    QCOMPARE(ItemNameOnDisk(copy), std::string("Geändert in B"));
    QCOMPARE(w->GetFileName(), copy);
    QVERIFY(!w->isReadOnly());
    QVERIFY(!w->windowTitle().contains(QStringLiteral("schreibgeschützt")));
    QVERIFY(AccessLabel(w).isEmpty());
    QVERIFY(SaveEnabled(*frameB, w));
    QCOMPARE(LockOnDisk(copy)->userStamp, kUserB);
    QCOMPARE(LockOnDisk(path)->userStamp, kUserA);
    QCOMPARE(ReadRawFile(path), before);
  }

  void lockLeftBehind_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("processGone");
    QTest::addColumn<qint64>("age");
    QTest::addColumn<bool>("asked");
    QTest::newRow("this host, program gone") << platform::ShortHostName() << true << qint64(60) << false;
    QTest::newRow("other host, two days old") << QStringLiteral("FREMD") << false << qint64(2 * 86400) << true;
    QTest::newRow("other host, an hour old") << QStringLiteral("FREMD") << false << qint64(3600) << true;
  }
  void lockLeftBehind() {
    QFETCH(QString, host);
    QFETCH(bool, processGone);
    QFETCH(qint64, age);
    QFETCH(bool, asked);
    // A process id that cannot be in use: above the system's largest.
    const long pid = processGone ? 99999999 : long(::getpid());
    WriteRawFile(LockPath(path), QByteArray::fromStdString(FormatLockLine(
                                     {"ALT/pruefer", "pruefer", host.toStdString(), "01.12.2026 08:00", pid})));
    Age(LockPath(path), age);
    envB->messages.answer(platform::MessageButton::OpenAnyway);
    TfrmWorkFile* w = openB();
    QVERIFY(w);
    QCOMPARE(envB->messages.shown.size(), asked ? 1 : 0);
    if (asked) {
      const bool stale = age > 86400;
      QCOMPARE(envB->messages.shown[0].text.contains(QStringLiteral("älter als einen Tag")), stale);
      QCOMPARE(envB->messages.shown[0].defaultButton,
               stale ? platform::MessageButton::OpenAnyway : platform::MessageButton::OpenReadOnly);
    }
    QVERIFY(!w->isReadOnly());
    QCOMPARE(LockOnDisk(path)->userStamp, kUserB);
    frameB->acFileClose();
    QTRY_VERIFY(frameB->workFileWindows().isEmpty());
    QVERIFY(!QFile::exists(LockPath(path)));
  }

  void hostileLock_data() {
    QTest::addColumn<QByteArray>("content");  // "folder": a folder in the lock's place
    QTest::addColumn<platform::MessageButton>("answer");
    QTest::addColumn<int>("mode");
    QTest::newRow("garbage, read-only") << QByteArray("\x01\x02\xff garbage") << platform::MessageButton::OpenReadOnly
                                        << int(WorkFileAccess::Mode::ReadOnly);
    QTest::newRow("empty, anyway") << QByteArray() << platform::MessageButton::OpenAnyway
                                   << int(WorkFileAccess::Mode::Editing);
    QTest::newRow("folder, anyway") << QByteArray("folder") << platform::MessageButton::OpenAnyway
                                    << int(WorkFileAccess::Mode::Unprotected);
  }
  void hostileLock() {
    QFETCH(QByteArray, content);
    QFETCH(platform::MessageButton, answer);
    QFETCH(int, mode);
    if (content == "folder")
      std::filesystem::create_directory(LockPath(path).toStdString());
    else
      WriteRawFile(LockPath(path), content);
    envB->messages.answer(answer);
    TfrmWorkFile* w = openB();
    QVERIFY(w);
    QCOMPARE(int(w->accessMode()), mode);
    QVERIFY(envB->messages.shown[0].text.contains(QStringLiteral("lässt sich nicht feststellen")));
    QCOMPARE(w->data().structure.root().child(0)->record.value(key::NAME), std::string("Planung"));
    if (mode == int(WorkFileAccess::Mode::Unprotected)) {
      // Said once, and shown in the status bar for as long as the window is open.
      QCOMPARE(envB->messages.shown.size(), 2);
      QVERIFY(envB->messages.shown[1].text.contains(QStringLiteral("nicht gegen gleichzeitige")));
      QCOMPARE(AccessLabel(w), QStringLiteral("Nicht gegen gleichzeitige Änderungen geschützt"));
      QVERIFY(SaveEnabled(*frameB, w));
      RenameFirstItem(w, "Trotzdem");
      QVERIFY(TriggerAction(w, QStringLiteral("miFileSave")));
      QCOMPARE(envB->messages.shown.size(), 2);
      QCOMPARE(ItemNameOnDisk(path), std::string("Trotzdem"));
    }
  }

  // A edits, B opens anyway and saves; A's save then asks. Whatever A answers, B's
  // content and A's edits both survive somewhere, and A's window says where.
  void changedOnDisk_data() {
    QTest::addColumn<platform::MessageButton>("answer");
    QTest::addColumn<bool>("fromCloseQuestion");
    QTest::newRow("overwrite") << platform::MessageButton::Overwrite << false;
    QTest::newRow("save as") << platform::MessageButton::SaveAs << false;
    QTest::newRow("cancel") << platform::MessageButton::Cancel << false;
    QTest::newRow("close question, overwrite") << platform::MessageButton::Overwrite << true;
    QTest::newRow("close question, save as") << platform::MessageButton::SaveAs << true;
    QTest::newRow("close question, cancel") << platform::MessageButton::Cancel << true;
  }
  void changedOnDisk() {
    QFETCH(platform::MessageButton, answer);
    QFETCH(bool, fromCloseQuestion);
    TfrmWorkFile* wa = openA();
    QVERIFY(wa);
    RenameFirstItem(wa, "Von A");
    envB->messages.answer(platform::MessageButton::OpenAnyway);
    TfrmWorkFile* wb = openB();
    QVERIFY(wb);
    RenameFirstItem(wb, "Von B");
    QVERIFY(TriggerAction(wb, QStringLiteral("miFileSave")));
    QCOMPARE(ItemNameOnDisk(path), std::string("Von B"));

    const QString other = a.env->workPath(QStringLiteral("akte-a.owp"));
    a.env->messages.clear();
    if (fromCloseQuestion) a.env->messages.answer(platform::MessageButton::Yes);
    a.env->messages.answer(answer);
    if (answer == platform::MessageButton::SaveAs) a.env->fileDialogs.answer(other);
    if (fromCloseQuestion)
      a.frame->acFileClose();
    else
      QVERIFY(TriggerAction(wa, QStringLiteral("miFileSave")));

    const QString changed = QStringLiteral("Die Datei wurde seit dem Öffnen von einem anderen Programm geändert.");
    QCOMPARE(a.env->messages.texts().filter(changed).size(), 1);
    const ShownMessage& asked = a.env->messages.shown[fromCloseQuestion ? 1 : 0];
    QCOMPARE(asked.buttons, (QList<platform::MessageButton>{platform::MessageButton::Overwrite,
                                                            platform::MessageButton::SaveAs,
                                                            platform::MessageButton::Cancel}));
    QCOMPARE(a.env->messages.shown.size(), fromCloseQuestion ? 2 : 1);  // no error on top
    const bool closes = fromCloseQuestion && answer != platform::MessageButton::Cancel;
    QTRY_COMPARE(a.frame->workFileWindows().isEmpty(), closes);
    switch (answer) {
      case platform::MessageButton::Overwrite:
        QCOMPARE(ItemNameOnDisk(path), std::string("Von A"));
        break;
      case platform::MessageButton::SaveAs:
        QCOMPARE(ItemNameOnDisk(path), std::string("Von B"));
        QCOMPARE(ItemNameOnDisk(other), std::string("Von A"));
        if (!closes) {
          QCOMPARE(wa->GetFileName(), other);
          QCOMPARE(LockOnDisk(other)->userStamp, kUserA);
        }
        break;
      default:
        QCOMPARE(ItemNameOnDisk(path), std::string("Von B"));
        QCOMPARE(wa->GetFileName(), path);
        QVERIFY(wa->isModified());
        QCOMPARE(wa->data().structure.root().child(0)->record.value(key::NAME), std::string("Von A"));
        break;
    }
    if (!closes && answer != platform::MessageButton::Cancel) QVERIFY(!wa->isModified());
  }

  // Saving again after a save of one's own asks nothing: the comparison is with what the
  // window last wrote.
  void ownSavesAskNothing() {
    TfrmWorkFile* w = openA();
    QVERIFY(w);
    for (const char* name : {"Eins", "Zwei"}) {
      RenameFirstItem(w, name);
      QVERIFY(TriggerAction(w, QStringLiteral("miFileSave")));
      QCOMPARE(ItemNameOnDisk(path), std::string(name));
    }
    QVERIFY(a.env->messages.shown.isEmpty());
  }
};

QTEST_MAIN(SharedFolderTest)
#include "shared_folder_test.moc"
