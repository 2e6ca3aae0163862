#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include "model/DelimitedText.h"
#include "model/TextUtils.h"

namespace orvela::platform {
namespace {

const QString kSection = QStringLiteral("GeneralSettings");
constexpr char kRecentDelimiter = '|';
constexpr char kRecentQuote = '*';
constexpr int kRecentBound = 5;

QStringList ReadLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  for (QString& line : lines)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  if (!lines.isEmpty() && lines.constLast().isEmpty()) lines.removeLast();
  return lines;
}

// "[Name]" with blanks around it allowed; null when the line is no section header.
QString SectionName(const QString& line) {
  const QString t = line.trimmed();
  if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return {};
  return t.mid(1, t.size() - 2).trimmed();
}

QString KeyOf(const QString& line) {
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  return eq < 0 ? QString() : line.left(eq).trimmed();
}

// The raw values of the section, keys as written; the first line of a key wins.
QList<QPair<QString, QString>> SectionValues(const QStringList& lines) {
  QList<QPair<QString, QString>> values;
  bool inSection = false;
  for (const QString& line : lines) {
    const QString section = SectionName(line);
    if (!section.isNull()) {
      inSection = section.compare(kSection, Qt::CaseInsensitive) == 0;
      continue;
    }
    if (!inSection) continue;
    const QString key = KeyOf(line);
    if (key.isEmpty()) continue;
    values.append({key, line.mid(line.indexOf(QLatin1Char('=')) + 1)});
  }
  return values;
}

QString Lookup(const QList<QPair<QString, QString>>& values, const QString& key) {
  for (const auto& [k, v] : values)
    if (k.compare(key, Qt::CaseInsensitive) == 0) return v;
  return {};
}

QString TrimLeadingBlanks(const QString& text) {
  return QString::fromStdString(TrimLeadingChars(text.toStdString(), " "));
}

// A truth value is an integer: non-zero is on; anything that is not an integer is off.
bool ReadTruth(const QString& raw) {
  bool ok = false;
  const long long n = raw.trimmed().toLongLong(&ok, 10);
  return ok && n != 0;
}

}  // namespace

QString SettingsFilePath() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
  return QDir(base).filePath(QStringLiteral("OrvelaWP.ini"));
}

GeneralSettings ReadGeneralSettings() {
  const auto values = SectionValues(ReadLines(SettingsFilePath()));
  GeneralSettings s;
  s.workingDir = TrimLeadingBlanks(Lookup(values, QStringLiteral("WorkingDir")));
  s.reportDir = TrimLeadingBlanks(Lookup(values, QStringLiteral("ReportDir")));
  s.templatePath = TrimLeadingBlanks(Lookup(values, QStringLiteral("Template")));
  s.newFileOnStartup = ReadTruth(Lookup(values, QStringLiteral("NewFileOnStartup")));
  s.noFileIntegrityCheck = ReadTruth(Lookup(values, QStringLiteral("NoFileIntegrityCheck")));
  s.recentFiles = ReadRecentFilesText(Lookup(values, QStringLiteral("RecentFiles")));
  while (s.recentFiles.size() > kRecentBound) s.recentFiles.removeLast();
  return s;
}

bool WriteSettingsValues(const QList<QPair<QString, QString>>& keyValues) {
  for (const auto& [key, value] : keyValues) {
    // A line break would split the raw line and damage the file.
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) return false;
    if (key.contains(QLatin1Char('=')) || key.trimmed().isEmpty()) return false;
  }
  const QString path = SettingsFilePath();
  QStringList lines = ReadLines(path);

  // The section runs from its header to the next header.
  qsizetype header = -1, end = lines.size();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString section = SectionName(lines[i]);
    if (section.isNull()) continue;
    if (header >= 0) {
      end = i;
      break;
    }
    if (section.compare(kSection, Qt::CaseInsensitive) == 0) header = i;
  }
  if (header < 0) {
    if (!lines.isEmpty() && !lines.constLast().trimmed().isEmpty()) lines.append(QString());
    lines.append(QLatin1Char('[') + kSection + QLatin1Char(']'));
    header = lines.size() - 1;
    end = lines.size();
  }
  // New keys go after the last non-blank line of the section, not after the blank line
  // that separates it from the next one.
  qsizetype insertAt = end;
  while (insertAt > header + 1 && lines[insertAt - 1].trimmed().isEmpty()) --insertAt;

  for (const auto& [key, value] : keyValues) {
    const QString line = key + QLatin1Char('=') + value;
    bool replaced = false;
    for (qsizetype i = header + 1; i < end; ++i) {
      if (KeyOf(lines[i]).compare(key, Qt::CaseInsensitive) == 0) {
        lines[i] = line;
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      lines.insert(insertAt, line);
      ++insertAt;
      ++end;
    }
  }

  const QFileInfo existing(path);
  // A file the user made read-only stays as it is.
  if (existing.exists() && (!existing.isFile() || !existing.isWritable())) return false;
  if (!QDir().mkpath(existing.absolutePath())) return false;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QByteArray bytes;
  for (const QString& line : lines) bytes += line.toUtf8() + '\n';
  if (file.write(bytes) != bytes.size()) return false;
  return file.commit();
}

QString RecentFilesText(const QStringList& files) {
  std::vector<std::string> lines;
  lines.reserve(files.size());
  for (const QString& f : files) lines.push_back(f.toUtf8().toStdString());
  return QString::fromUtf8(WriteDelimited(lines, kRecentDelimiter, kRecentQuote));
}

QStringList ReadRecentFilesText(const QString& text) {
  QStringList files;
  for (const std::string& line : ReadDelimited(text.toUtf8().toStdString(), kRecentDelimiter, kRecentQuote))
    if (!line.empty()) files.append(QString::fromUtf8(line));
  return files;
}

}  // namespace orvela::platform
