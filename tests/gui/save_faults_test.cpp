// Saving from the work-file window when the system lets it down at one stage of the write:
// through "Speichern", "Speichern unter..." onto another file and the close question. Each
// time the file on disk stays byte for byte what it was, the window keeps its name and its
// changes, reports the failure, and saves normally once the fault is gone.
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "app/srcMain.h"
#include "storage/Envelope.h"
#include "storage/SafeFileWriter.h"
#include "support/FrameFixture.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;
using namespace orvela::test;

namespace {

enum class Stage { Create, SetMode, FirstWrite, SecondWrite, DiskFull, Sync, Close, Rename, FolderGone };
enum class Entry { Save, SaveAsOther, CloseQuestion };

// The real system calls with one stage failing as the system would.
class FaultyOps final : public FileOps {
 public:
  FaultyOps(Stage stage, QString folder) : stage_(stage), folder_(std::move(folder)) {}
  int createTemp(std::string& t) override { return fail(Stage::Create, ENOSPC) ? -1 : FileOps::createTemp(t); }
  bool setMode(int fd, mode_t m) override { return !fail(Stage::SetMode, EPERM) && FileOps::setMode(fd, m); }
  long write(int fd, const char* b, std::size_t n) override {
    ++writes_;
    if (fail(Stage::FirstWrite, EIO, writes_ == 1) || fail(Stage::SecondWrite, EIO, writes_ == 2)) return -1;
    // A full disk takes part of the first chunk, then nothing more.
    if (stage_ == Stage::DiskFull && writes_ == 1) return FileOps::write(fd, b, n / 3);
    if (fail(Stage::DiskFull, ENOSPC)) return -1;
    return FileOps::write(fd, b, n);
  }
  bool sync(int fd) override {
    if (stage_ == Stage::FolderGone) {
      // Someone moves the folder away while the content is being written.
      std::error_code ec;
      std::filesystem::rename(folder_.toStdString(), (folder_ + "-weg").toStdString(), ec);
      failed = !ec;
    }
    return !fail(Stage::Sync, EIO) && FileOps::sync(fd);
  }
  bool close(int fd) override {
    bool ok = FileOps::close(fd);  // released either way, as close(2) does
    return !fail(Stage::Close, EDQUOT) && ok;
  }
  bool rename(const std::string& a, const std::string& b) override {
    return !fail(Stage::Rename, EXDEV) && FileOps::rename(a, b);
  }
  // Saving over the window's own file swaps the new content in instead of renaming.
  bool exchange(const std::string& a, const std::string& b) override {
    return !fail(Stage::Rename, EXDEV) && FileOps::exchange(a, b);
  }

  bool failed = false;  // the stage was reached

 private:
  bool fail(Stage s, int error, bool when = true) {
    if (s != stage_ || !when) return false;
    failed = true;
    errno = error;
    return true;
  }
  Stage stage_;
  QString folder_;
  int writes_ = 0;
};

// Files in `folder`, hidden ones included.
QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class SaveFaultsTest : public QObject {
  Q_OBJECT
  FrameFixture fixture;
  std::unique_ptr<TestEnvironment>& env = fixture.env;
  std::unique_ptr<TfrmMain>& frame = fixture.frame;

 private slots:
  void init() { fixture.start(); }
  void cleanup() {
    fixture.stop();
  }

  void failedSaveKeepsFileAndWindow_data() {
    QTest::addColumn<int>("stage");
    QTest::addColumn<int>("entry");
    const std::pair<Stage, const char*> stages[] = {
        {Stage::Create, "create"},       {Stage::SetMode, "permissions"}, {Stage::FirstWrite, "first write"},
        {Stage::SecondWrite, "second write"}, {Stage::DiskFull, "disk full"}, {Stage::Sync, "flush"},
        {Stage::Close, "close"},         {Stage::Rename, "rename"},      {Stage::FolderGone, "folder moved away"},
    };
    const std::pair<Entry, const char*> entries[] = {
        {Entry::Save, "Speichern"}, {Entry::SaveAsOther, "Speichern unter"}, {Entry::CloseQuestion, "close question"}};
    for (const auto& [stage, stageName] : stages)
      for (const auto& [entry, entryName] : entries)
        QTest::addRow("%s, %s", stageName, entryName) << int(stage) << int(entry);
  }
  void failedSaveKeepsFileAndWindow() {
    QFETCH(int, stage);
    QFETCH(int, entry);
    const QString folder = env->workPath("Akte");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + "/Prüfung.owp", other = folder + "/Andere.owp";
    // More than one write chunk, so that there is a second write to fail.
    WriteSampleWorkFile(path, "Planung", [](WorkFileData& d) {
      d.description = "{\\rtf1\\ansi " + std::string(kWriteChunk + 4096, 'b') + "}";
    });
    WriteSampleWorkFile(other, "Fremd");
    const QByteArray before = ReadRawFile(path), otherBefore = ReadRawFile(other);

    env->fileDialogs.answer(path);
    frame->acFileOpen();
    TfrmWorkFile* w = frame->activeWorkFile();
    QVERIFY(w && w->GetFileName() == path);
    const QStringList filesBefore = Entries(folder);  // the window's lock among them
    const QString caption = w->windowTitle();
    w->MarkModified();
    FaultyOps ops(Stage(stage), folder);
    env->services.setFileOps(&ops);

    QStringList expected{"Die Datei kann nicht gespeichert werden!"};
    switch (Entry(entry)) {
      case Entry::Save:
        w->acFileSave();
        break;
      case Entry::SaveAsOther:
        env->fileDialogs.answer(other);
        w->acFileSaveAs();
        break;
      case Entry::CloseQuestion:
        env->messages.answer(MessageButton::Yes);
        frame->command("FileClose1")->trigger();
        expected.prepend("Änderungen in " + path + " speichern?");
        expected.append("Fehler beim Speichern von " + path + " !");
        break;
    }
    QVERIFY2(ops.failed, "the fault was never reached");
    QCOMPARE(env->messages.texts(), expected);
    QCOMPARE(env->messages.shown.last().kind, MessageKind::Error);
    QCoreApplication::processEvents();
    QVERIFY(frame->workFileWindows().contains(w));
    QVERIFY(w->isModified());
    QCOMPARE(w->GetFileName(), path);
    QCOMPARE(w->windowTitle(), caption);
    QVERIFY(w->isEnabled());
    QVERIFY(!QApplication::overrideCursor());

    QString where = folder;
    if (Stage(stage) == Stage::FolderGone) {
      where = folder + "-weg";
      QVERIFY(!QFileInfo::exists(path));  // nothing was written where the folder stood
    }
    QCOMPARE(ReadRawFile(where + "/Prüfung.owp"), before);
    QCOMPARE(ReadRawFile(where + "/Andere.owp"), otherBefore);
    // The temporary file is gone too; only where the folder moved away is it left
    // behind, since its name no longer leads to it.
    if (Stage(stage) != Stage::FolderGone) QCOMPARE(Entries(folder), filesBefore);

    // Once the system behaves, the same window saves its changes.
    if (Stage(stage) == Stage::FolderGone) QVERIFY(QDir().rename(where, folder));
    env->services.setFileOps(nullptr);
    env->messages.clear();
    w->acFileSave();
    QCOMPARE(env->messages.texts(), QStringList());
    QVERIFY(!w->isModified());
    QVERIFY(CheckFileIntegrity(path.toStdString()));
    QVERIFY(ReadRawFile(path) != before);
    QCOMPARE(ReadRawFile(other), otherBefore);
  }
};

QTEST_MAIN(SaveFaultsTest)
#include "save_faults_test.moc"
