#include "platform/SettingsText.h"

#include "model/DelimitedText.h"
#include "model/TextUtils.h"

namespace orvela::platform {
namespace {

const QString kSection = QStringLiteral("GeneralSettings");
constexpr char kRecentDelimiter = '|';
constexpr char kRecentQuote = '*';
constexpr int kRecentBound = 5;

// One line of the file: its bytes as read (without "\n") and its text.
struct Line {
  QByteArray raw;
  QString text;  // UTF-8 decoded, a closing "\r" removed
};

QList<Line> SplitLines(const QByteArray& bytes) {
  QList<Line> lines;
  for (const QByteArray& raw : bytes.split('\n')) {
    QByteArray content = raw;
    if (content.endsWith('\r')) content.chop(1);
    lines.append({raw, QString::fromUtf8(content)});
  }
  // The "\n" that closes the last line leaves an empty piece behind.
  if (!lines.isEmpty() && lines.constLast().raw.isEmpty()) lines.removeLast();
  return lines;
}

// "[Name]" with blanks around it allowed; null when the line is no section header.
QString SectionName(const QString& line) {
  const QString t = line.trimmed();
  if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) return {};
  return t.mid(1, t.size() - 2).trimmed();
}

bool IsOurSection(const QString& name) { return name.compare(kSection, Qt::CaseInsensitive) == 0; }

QString KeyOf(const QString& line) {
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  return eq < 0 ? QString() : line.left(eq).trimmed();
}

// The raw values of the section, keys as written; the first line of a key wins.
SettingsValues SectionValues(const QList<Line>& lines) {
  SettingsValues values;
  bool inSection = false;
  for (const Line& line : lines) {
    const QString section = SectionName(line.text);
    if (!section.isNull()) {
      inSection = IsOurSection(section);
      continue;
    }
    if (!inSection) continue;
    const QString key = KeyOf(line.text);
    if (key.isEmpty()) continue;
    values.append({key, line.text.mid(line.text.indexOf(QLatin1Char('=')) + 1)});
  }
  return values;
}

QString Lookup(const SettingsValues& values, const QString& key) {
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

bool Writable(const QString& key, const QString& value) {
  return !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')) &&
         !key.contains(QLatin1Char('=')) && !key.trimmed().isEmpty();
}

// A line we write; in a CRLF file it keeps the "\r" the other lines have.
Line NewLine(const QString& text, bool crlf) { return {text.toUtf8() + (crlf ? "\r" : ""), text}; }

}  // namespace

GeneralSettings ParseGeneralSettings(const QByteArray& text) {
  const SettingsValues values = SectionValues(SplitLines(text));
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

std::optional<QByteArray> MergeSettingsValues(const QByteArray& text, const SettingsValues& keyValues) {
  for (const auto& [key, value] : keyValues)
    if (!Writable(key, value)) return std::nullopt;
  QList<Line> lines = SplitLines(text);
  // Lines we write end like the file's first line, so a file keeps one kind of line end.
  const bool crlf = !lines.isEmpty() && lines.constFirst().raw.endsWith('\r');

  // The section runs from its header to the next header.
  qsizetype header = -1, end = lines.size();
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString section = SectionName(lines[i].text);
    if (section.isNull()) continue;
    if (header >= 0) {
      end = i;
      break;
    }
    if (IsOurSection(section)) header = i;
  }
  if (header < 0) {
    if (!lines.isEmpty() && !lines.constLast().text.trimmed().isEmpty()) lines.append(NewLine({}, crlf));
    lines.append(NewLine(QLatin1Char('[') + kSection + QLatin1Char(']'), crlf));
    header = lines.size() - 1;
    end = lines.size();
  }
  // New keys go after the last non-blank line of the section, not after the blank line
  // that separates it from the next one.
  qsizetype insertAt = end;
  while (insertAt > header + 1 && lines[insertAt - 1].text.trimmed().isEmpty()) --insertAt;

  for (const auto& [key, value] : keyValues) {
    const Line line = NewLine(key + QLatin1Char('=') + value, crlf);
    bool replaced = false;
    for (qsizetype i = header + 1; i < end; ++i) {
      // Keys are read trimmed, so they are found trimmed too.
      if (KeyOf(lines[i].text).compare(key.trimmed(), Qt::CaseInsensitive) == 0) {
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

  QByteArray bytes;
  for (const Line& line : lines) bytes += line.raw + '\n';
  return bytes;
}

QString RecentFilesText(const QStringList& files) {
  std::vector<std::string> lines;
  lines.reserve(files.size());
  // A path with a line break cannot stand in the one-line value; it is left out rather
  // than making the whole write fail.
  for (const QString& f : files)
    if (!f.contains(QLatin1Char('\n')) && !f.contains(QLatin1Char('\r'))) lines.push_back(f.toUtf8().toStdString());
  return QString::fromUtf8(WriteDelimited(lines, kRecentDelimiter, kRecentQuote));
}

QStringList ReadRecentFilesText(const QString& text) {
  QStringList files;
  for (const std::string& line : ReadDelimited(text.toUtf8().toStdString(), kRecentDelimiter, kRecentQuote))
    if (!line.empty()) files.append(QString::fromUtf8(line));
  return files;
}

}  // namespace orvela::platform
