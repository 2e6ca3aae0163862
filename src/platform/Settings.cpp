#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace orvela::platform {
namespace {

// The file's bytes; empty when it is missing or cannot be read.
QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace

QString SettingsFilePath() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
  return QDir(base).filePath(QStringLiteral("OrvelaWP.ini"));
}

GeneralSettings ReadGeneralSettings() { return ParseGeneralSettings(ReadBytes(SettingsFilePath())); }

bool WriteSettingsValues(const SettingsValues& keyValues, const QString& section) {
  const QString path = SettingsFilePath();
  const std::optional<QByteArray> bytes = MergeSettingsValues(ReadBytes(path), keyValues, section);
  if (!bytes) return false;

  const QFileInfo existing(path);
  // A file the user made read-only stays as it is.
  if (existing.exists() && (!existing.isFile() || !existing.isWritable())) return false;
  if (!QDir().mkpath(existing.absolutePath())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(*bytes) != bytes->size()) return false;
  return file.commit();
}

}  // namespace orvela::platform
