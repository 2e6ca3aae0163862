#include "workfile/StructureClipboard.h"

#include <QMimeData>
#include <QString>
#include <string>

#include "model/StructureCommands.h"
#include "platform/Cp1252Text.h"

namespace orvela {

namespace {

struct Line {
  int depth;
  const RecordNode* node;
};

// The items in tree order with their depth below the copied item.
std::vector<Line> Lines(const std::vector<const RecordNode*>& roots) {
  std::vector<Line> lines;
  for (const RecordNode* root : roots) {
    std::vector<Line> pending{{0, root}};
    while (!pending.empty()) {
      const Line line = pending.back();
      pending.pop_back();
      lines.push_back(line);
      for (std::size_t i = line.node->childCount(); i-- > 0;) pending.push_back({line.depth + 1, line.node->child(i)});
    }
  }
  return lines;
}

QString CsvField(const QString& text) {
  if (!text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('\n')) &&
      !text.contains(QLatin1Char('\r')))
    return text;
  QString quoted = text;
  quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Windows-1252 text as RTF text: the three special characters escaped, everything outside
// printable ASCII as \'hh.
std::string RtfText(const std::string& bytes) {
  static const char hex[] = "0123456789abcdef";
  std::string out;
  for (unsigned char ch : bytes) {
    if (ch == '\\' || ch == '{' || ch == '}') {
      out += '\\';
      out += static_cast<char>(ch);
    } else if (ch < 0x20 || ch >= 0x80) {
      out += "\\'";
      out += hex[ch >> 4];
      out += hex[ch & 15];
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out;
}

}  // namespace

QMimeData* NewStructureMimeData(const std::vector<const RecordNode*>& roots, bool withOutline) {
  auto* mime = new QMimeData;
  const std::string packed = PackSubtrees(roots);
  mime->setData(QString::fromLatin1(kStructureMimeType), QByteArray(packed.data(), qsizetype(packed.size())));
#ifdef Q_OS_WIN
  mime->setData(QStringLiteral("application/x-qt-windows-mime;value=\"Virtual Tree Data\""),
                QByteArray(packed.data(), qsizetype(packed.size())));
#endif

  QStringList plain, csv;
  QString html = QStringLiteral("<html><body>");
  std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}\\f0\\fs16\n";
  int openLists = 0;
  for (const Line& line : Lines(roots)) {
    const std::string text1252 = ItemDisplayText(*line.node, withOutline);
    const QString text = platform::FromCp1252(text1252);
    plain << QString(line.depth, QLatin1Char('\t')) + text;
    csv << QString(line.depth, QLatin1Char(',')) + CsvField(text);
    // Nested lists: open one per level down, close the items and lists of the levels left.
    while (openLists < line.depth + 1) {
      html += QStringLiteral("<ul>");
      ++openLists;
    }
    while (openLists > line.depth + 1) {
      html += QStringLiteral("</ul>");
      --openLists;
    }
    html += QStringLiteral("<li>") + text.toHtmlEscaped() + QStringLiteral("</li>");
    rtf += "\\pard\\li" + std::to_string(line.depth * 360) + " " + RtfText(text1252) + "\\par\n";
  }
  while (openLists-- > 0) html += QStringLiteral("</ul>");
  html += QStringLiteral("</body></html>");
  rtf += "}";

  mime->setText(plain.join(QLatin1Char('\n')));
  mime->setHtml(html);
  mime->setData(QStringLiteral("text/csv"), csv.join(QStringLiteral("\r\n")).toUtf8());
  const QByteArray rtfBytes(rtf.data(), qsizetype(rtf.size()));
  mime->setData(QStringLiteral("text/rtf"), rtfBytes);
  mime->setData(QStringLiteral("application/rtf"), rtfBytes);
  return mime;
}

bool HasStructureData(const QMimeData* mime) {
  return mime && mime->hasFormat(QString::fromLatin1(kStructureMimeType));
}

std::optional<std::vector<std::unique_ptr<RecordNode>>> StructureItemsOf(const QMimeData* mime) {
  if (!HasStructureData(mime)) return std::nullopt;
  const QByteArray bytes = mime->data(QString::fromLatin1(kStructureMimeType));
  return UnpackSubtrees(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

}  // namespace orvela
