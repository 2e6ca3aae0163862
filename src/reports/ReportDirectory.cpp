#include "reports/ReportDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace orvela {
namespace {

// The source folder of the build tree the program runs from: a CMake cache of this
// project in the binary's folder or one of the folders above it names it.
QString SourceTreeOfBuild(QDir dir) {
  for (int level = 0; level < 8; ++level) {
    QFile cache(dir.filePath(QStringLiteral("CMakeCache.txt")));
    if (cache.open(QIODevice::ReadOnly | QIODevice::Text)) {
      QString source;
      bool ours = false;
      while (!cache.atEnd()) {
        const QString line = QString::fromUtf8(cache.readLine()).trimmed();
        if (line == QLatin1String("CMAKE_PROJECT_NAME:STATIC=OrvelaWP")) ours = true;
        if (line.startsWith(QLatin1String("CMAKE_HOME_DIRECTORY:INTERNAL=")))
          source = line.mid(line.indexOf(QChar('=')) + 1);
      }
      return ours ? source : QString();
    }
    if (!dir.cdUp()) break;
  }
  return {};
}

QString FindBundledReportDir() {
  const QDir program(QCoreApplication::applicationDirPath());
  const QString installed = QDir::cleanPath(program.filePath(QStringLiteral("../share/orvela-wp/reports")));
  if (QFileInfo(installed).isDir()) return installed;
  const QString source = SourceTreeOfBuild(program);
  if (source.isEmpty()) return {};
  const QString examples = QDir(source).filePath(QStringLiteral("examples/reports"));
  return QFileInfo(examples).isDir() ? examples : QString();
}

}  // namespace

QString BundledReportDir() {
  // The program does not move while it runs.
  static const QString dir = FindBundledReportDir();
  return dir;
}

QString EffectiveReportDir(const QString& configured) {
  return configured.isEmpty() ? BundledReportDir() : configured;
}

QStringList ReportTemplateNames(const QString& dir) {
  if (dir.isEmpty()) return {};
  // Name filters of QDir ignore letter case unless told otherwise.
  QStringList names = QDir(dir).entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::NoSort);
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;  // a.rtf and A.rtf in a fixed order
  });
  return names;
}

}  // namespace orvela
