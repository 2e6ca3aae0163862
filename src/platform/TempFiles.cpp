#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include "model/TextUtils.h"

namespace orvela::platform {

QString TempFileWithExt(const QString& extension) {
  const QDir dir(QDir::tempPath());
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const QString stem = QStringLiteral("TMP%1").arg(QRandomGenerator::global()->bounded(0x10000u), 4, 16,
                                                      QLatin1Char('0')).toUpper();
    const QString reserved = dir.filePath(stem + QStringLiteral(".tmp"));
    QFile file(reserved);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) continue;
    file.close();
    const QString target = dir.filePath(stem + extension);
    if (target == reserved) return target;
    // rename() refuses an existing target, so a taken name is never overwritten.
    if (QFile::rename(reserved, target)) return target;
    QFile::remove(reserved);
  }
  const std::string where = QDir::toNativeSeparators(dir.path()).toStdString();
  throw FileError("Im Ordner " + where + " kann keine temporäre Datei angelegt werden!", where);
}

}  // namespace orvela::platform
