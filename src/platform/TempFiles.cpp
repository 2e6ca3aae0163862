#include "platform/TempFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "model/TextUtils.h"

namespace orvela::platform {
namespace {

constexpr QFileDevice::Permissions kOwnerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions kOwnerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const QString kLockName = QStringLiteral(".lock");

[[noreturn]] void CannotCreate(const QString& folder) {
  const std::string where = QDir::toNativeSeparators(folder).toStdString();
  throw FileError("Im Ordner " + where + " kann keine temporäre Datei angelegt werden!", where);
}

// This run's folder, with a lock file locked while the run lasts: the system lets go of
// the lock when the program ends in whatever way, so a later start can tell the folder of
// a run that has ended from that of one still going.
struct Session {
  QString folder;
  int lockFd = -1;
};

Session& OwnSession() {
  static Session session;
  return session;
}

// Opens the lock file of a run's folder and tries to lock it; -1 when it cannot be had.
int TryLock(const QString& folder, bool create) {
  const QByteArray path = QFile::encodeName(QDir(folder).filePath(kLockName));
  const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
  ::close(fd);
  return -1;
}

QString HexNumber(quint32 bound) {
  return QStringLiteral("%1").arg(QRandomGenerator::global()->bounded(bound), 4, 16, QLatin1Char('0')).toUpper();
}

QString SessionFolder() {
  Session& session = OwnSession();
  if (!session.folder.isEmpty() && QFileInfo(session.folder).isDir()) return session.folder;
  const QString root = PrivateTempRoot();
  if (!MakePrivateFolder(root)) CannotCreate(root);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString folder =
        QDir(root).filePath(QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') + HexNumber(0x10000u));
    if (!QDir().mkdir(folder)) continue;
    if (!QFile::setPermissions(folder, kOwnerOnlyFolder)) break;
    const int fd = TryLock(folder, true);
    if (fd < 0) break;
    static const bool registered = [] {
      qAddPostRoutine(RemoveOwnTempFiles);
      return true;
    }();
    (void)registered;
    if (session.lockFd >= 0) ::close(session.lockFd);  // of a folder that has gone meanwhile
    session.lockFd = fd;
    session.folder = folder;
    return folder;
  }
  CannotCreate(root);
}

}  // namespace

bool MakePrivateFolder(const QString& path) {
  if (!QDir().mkpath(path)) return false;
  const QFileInfo info(path);
  if (info.isSymLink() || !info.isDir() || info.ownerId() != ::geteuid()) return false;
  return QFile::setPermissions(path, kOwnerOnlyFolder);
}

QString PrivateTempRoot() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/orvela-wp/reports");
}

QString TempFileWithExt(const QString& extension) {
  const QDir dir(SessionFolder());
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const QString stem = QStringLiteral("TMP") + HexNumber(0x10000u);
    const QString reserved = dir.filePath(stem + QStringLiteral(".tmp"));
    QFile file(reserved);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) continue;
    file.close();
    if (!QFile::setPermissions(reserved, kOwnerOnlyFile)) {
      QFile::remove(reserved);
      break;
    }
    const QString target = dir.filePath(stem + extension);
    if (target == reserved) return target;
    // rename() refuses an existing target, so a taken name is never overwritten.
    if (QFile::rename(reserved, target)) return target;
    QFile::remove(reserved);
  }
  CannotCreate(dir.path());
}

void RemoveOwnTempFiles() {
  Session& session = OwnSession();
  if (session.folder.isEmpty()) return;
  QDir(session.folder).removeRecursively();
  ::close(session.lockFd);
  session.lockFd = -1;
  session.folder.clear();
}

void RemoveLeftoverTempFiles() {
  const QDir root(PrivateTempRoot());
  for (const QFileInfo& entry : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
    const QString folder = entry.absoluteFilePath();
    if (folder == OwnSession().folder || entry.isSymLink()) continue;
    // Free only when no running program holds it; a folder without one is left over too.
    const bool hasLock = QFileInfo::exists(QDir(folder).filePath(kLockName));
    const int fd = hasLock ? TryLock(folder, false) : -1;
    if (hasLock && fd < 0) continue;
    QDir(folder).removeRecursively();
    if (fd >= 0) ::close(fd);
  }
}

}  // namespace orvela::platform
