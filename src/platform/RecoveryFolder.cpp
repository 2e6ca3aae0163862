#include "platform/RecoveryFolder.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <signal.h>

#include "model/TextUtils.h"
#include "platform/TempFiles.h"
#include "storage/SafeFileWriter.h"

namespace orvela::platform {
namespace {

const QString kSuffix = QStringLiteral(".owr");

// The system calls of the given operations, except that the file is the user's alone,
// whatever the umask or an earlier copy's mode says.
class OwnerOnlyFileOps final : public FileOps {
 public:
  explicit OwnerOnlyFileOps(FileOps& inner) : inner_(inner) {}
  bool mayWrite(const std::string& path) override { return inner_.mayWrite(path); }
  int createTemp(std::string& pathTemplate) override { return inner_.createTemp(pathTemplate); }
  bool setMode(int fd, mode_t) override { return inner_.setMode(fd, 0600); }
  long write(int fd, const char* bytes, std::size_t size) override { return inner_.write(fd, bytes, size); }
  bool sync(int fd) override { return inner_.sync(fd); }
  bool close(int fd) override { return inner_.close(fd); }
  bool rename(const std::string& from, const std::string& to) override { return inner_.rename(from, to); }
  void remove(const std::string& path) override { inner_.remove(path); }

 private:
  FileOps& inner_;
};

bool RunsOnThisMachine(const RecoveryRecord& record) {
  if (record.host != QSysInfo::machineHostName().toStdString()) return false;
  if (record.pid == QCoreApplication::applicationPid()) return true;
  // A process we may not signal is running all the same.
  return record.pid > 0 && (::kill(pid_t(record.pid), 0) == 0 || errno == EPERM);
}

}  // namespace

QString RecoveryFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/orvela-wp/recovery");
}

QString NewRecoveryFilePath() {
  // Names of this run are told apart by a counter; one left by an ended run with the same
  // process number is not taken over.
  static int counter = 0;
  const QDir folder(RecoveryFolder());
  QString path;
  do {
    path = folder.filePath(QStringLiteral("%1-%2%3").arg(QCoreApplication::applicationPid()).arg(++counter).arg(kSuffix));
  } while (QFileInfo::exists(path));
  return path;
}

void WriteRecoveryFile(const QString& path, std::string_view bytes, FileOps& ops) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!MakePrivateFolder(folder)) {
    const std::string where = QDir::toNativeSeparators(folder).toStdString();
    throw FileError("Der Ordner " + where + " kann nicht angelegt werden.", where);
  }
  OwnerOnlyFileOps ownerOnly(ops);
  WriteFileSafely(QFile::encodeName(path).toStdString(), bytes, ownerOnly);
}

RecoveryRecord RecordOfThisRun(const QString& originalPath, std::optional<OriginalState> original) {
  RecoveryRecord record;
  record.originalPath = originalPath.toStdString();
  record.savedMs = QDateTime::currentMSecsSinceEpoch();
  record.pid = QCoreApplication::applicationPid();
  record.host = QSysInfo::machineHostName().toStdString();
  record.original = original;
  return record;
}

std::optional<OriginalState> FileStateOf(const QString& path) {
  const QFileInfo info(path);
  if (path.isEmpty() || !info.isFile()) return std::nullopt;
  return OriginalState{info.lastModified().toMSecsSinceEpoch(), info.size()};
}

QList<LeftoverCopy> LeftoverRecoveryCopies() {
  QList<LeftoverCopy> found;
  const QDir folder(RecoveryFolder());
  for (const QFileInfo& entry : folder.entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files)) {
    QFile file(entry.absoluteFilePath());
    if (entry.isSymLink() || !file.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = file.readAll();
    LeftoverCopy copy{entry.absoluteFilePath(), ParseRecoveryCopy(std::string_view(bytes.constData(), std::size_t(bytes.size()))),
                      entry.lastModified().toMSecsSinceEpoch()};
    const bool recordRead = copy.copy.status != ReadRecoveryCopy::Status::Unreadable;
    if (recordRead && RunsOnThisMachine(copy.copy.record)) continue;
    if (recordRead) copy.timeMs = copy.copy.record.savedMs;
    found.append(std::move(copy));
  }
  std::sort(found.begin(), found.end(),
            [](const LeftoverCopy& a, const LeftoverCopy& b) { return a.timeMs < b.timeMs; });
  return found;
}

}  // namespace orvela::platform
