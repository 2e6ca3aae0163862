#include "platform/SettingsText.h"

#include "model/DelimitedText.h"
#include "model/TextUtils.h"

namespace orvela::platform {
namespace {

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

bool IsSection(const QString& name, const QString& section) { return name.compare(section, Qt::CaseInsensitive) == 0; }

QString KeyOf(const QString& line) {
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  return eq < 0 ? QString() : line.left(eq).trimmed();
}

// The raw values of the section, keys as written; the first line of a key wins.
SettingsValues SectionValues(const QList<Line>& lines, const QString& wanted) {
  SettingsValues values;
  bool inSection = false;
  for (const Line& line : lines) {
    const QString section = SectionName(line.text);
    if (!section.isNull()) {
      inSection = IsSection(section, wanted);
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
  const auto breaks = [](const QString& t) { return t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r')); };
  return !breaks(value) && !breaks(key) && !key.contains(QLatin1Char('=')) && !key.trimmed().isEmpty();
}

// Sizes and places beyond any screen are no remembered place but a damaged value.
constexpr int kLargestPlace = 100000;

// A whole number within the bounds; nothing for text, an empty value or one out of bounds.
std::optional<int> ReadNumber(const QString& raw, int low, int high) {
  bool ok = false;
  const int n = raw.trimmed().toInt(&ok, 10);
  if (!ok || n < low || n > high) return std::nullopt;
  return n;
}

std::optional<int> LookupNumber(const SettingsValues& values, const QString& key, int low, int high) {
  return ReadNumber(Lookup(values, key), low, high);
}

const QString kColumnsPrefix = QStringLiteral("Columns.");
const char* const kFolderKeys[kFolderKindCount] = {"OpenFolder", "SaveFolder", "ReportsFolder", "DocumentsFolder"};

// "80,120,60": every width a number from 1 on; nothing when one is not.
std::optional<QList<int>> ReadWidths(const QString& raw) {
  QList<int> widths;
  for (const QString& piece : raw.split(QLatin1Char(','))) {
    const std::optional<int> w = ReadNumber(piece, 1, kLargestPlace);
    if (!w) return std::nullopt;
    widths.append(*w);
  }
  return widths;
}

// A line we write; in a CRLF file it keeps the "\r" the other lines have.
Line NewLine(const QString& text, bool crlf) { return {text.toUtf8() + (crlf ? "\r" : ""), text}; }

}  // namespace

GeneralSettings ParseGeneralSettings(const QByteArray& text) {
  const SettingsValues values = SectionValues(SplitLines(text), kGeneralSection);
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

WindowSettings ParseWindowSettings(const QByteArray& text) {
  const SettingsValues values = SectionValues(SplitLines(text), kWindowSection);
  WindowSettings s;
  const auto left = LookupNumber(values, QStringLiteral("FrameLeft"), -kLargestPlace, kLargestPlace);
  const auto top = LookupNumber(values, QStringLiteral("FrameTop"), -kLargestPlace, kLargestPlace);
  if (left && top) s.framePos = QPoint(*left, *top);
  const auto width = LookupNumber(values, QStringLiteral("FrameWidth"), 1, kLargestPlace);
  const auto height = LookupNumber(values, QStringLiteral("FrameHeight"), 1, kLargestPlace);
  if (width && height) s.frameSize = QSize(*width, *height);
  s.frameMaximized = ReadTruth(Lookup(values, QStringLiteral("FrameMaximized")));
  s.treeWidth = LookupNumber(values, QStringLiteral("TreeWidth"), 1, kLargestPlace);
  // The first line of a key wins, as for every other key, whatever its letter case.
  QStringList seen;
  for (const auto& [key, value] : values) {
    if (!key.startsWith(kColumnsPrefix, Qt::CaseInsensitive)) continue;
    const QString grid = key.mid(kColumnsPrefix.size());
    if (grid.isEmpty() || seen.contains(grid, Qt::CaseInsensitive)) continue;
    seen.append(grid);
    if (const auto widths = ReadWidths(value)) s.columns.insert(grid, *widths);
  }
  for (int k = 0; k < kFolderKindCount; ++k)
    s.folders[std::size_t(k)] = Lookup(values, QString::fromLatin1(kFolderKeys[k]));
  return s;
}

SettingsValues WindowSettingsValues(const WindowSettings& s) {
  SettingsValues out;
  const auto number = [&out](const char* key, int n) { out.append({QString::fromLatin1(key), QString::number(n)}); };
  if (s.framePos) {
    number("FrameLeft", s.framePos->x());
    number("FrameTop", s.framePos->y());
  }
  if (s.frameSize) {
    number("FrameWidth", s.frameSize->width());
    number("FrameHeight", s.frameSize->height());
  }
  number("FrameMaximized", s.frameMaximized ? 1 : 0);
  if (s.treeWidth) number("TreeWidth", *s.treeWidth);
  for (auto it = s.columns.cbegin(); it != s.columns.cend(); ++it) {
    QStringList widths;
    for (int w : it.value()) widths.append(QString::number(w));
    if (Writable(kColumnsPrefix + it.key(), {})) out.append({kColumnsPrefix + it.key(), widths.join(QLatin1Char(','))});
  }
  for (int k = 0; k < kFolderKindCount; ++k) {
    const QString& folder = s.folders[std::size_t(k)];
    if (!folder.isEmpty() && Writable(QString::fromLatin1(kFolderKeys[k]), folder))
      out.append({QString::fromLatin1(kFolderKeys[k]), folder});
  }
  return out;
}

std::optional<QByteArray> MergeSettingsValues(const QByteArray& text, const SettingsValues& keyValues,
                                              const QString& sectionName) {
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
    if (IsSection(section, sectionName)) header = i;
  }
  if (header < 0) {
    if (!lines.isEmpty() && !lines.constLast().text.trimmed().isEmpty()) lines.append(NewLine({}, crlf));
    lines.append(NewLine(QLatin1Char('[') + sectionName + QLatin1Char(']'), crlf));
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
