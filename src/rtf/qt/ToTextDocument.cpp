// Model → QTextDocument.
#include <QByteArray>
#include <QTextCursor>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <array>

#include "QtFormats.h"
#include "RichText.h"

namespace orvela::rtf {
namespace {

using qt::kTwipsPerPixel;

class Filler {
 public:
  explicit Filler(QTextDocument& document) : document_(document) {}

  // Fills from the cursor, which stands in an empty block nothing uses yet.
  void Blocks(QTextCursor& cursor, const std::vector<Block>& blocks) {
    bool fresh = true;
    std::array<QTextList*, kMaxListLevel + 1> lists{};
    for (const Block& block : blocks) {
      if (const auto* p = std::get_if<Paragraph>(&block.content)) {
        if (!fresh) cursor.insertBlock();
        fresh = false;
        ParagraphInto(cursor, *p, lists);
      } else {
        lists.fill(nullptr);
        // Qt places a table after the cursor's block and starts a new block after it.
        TableAt(cursor, std::get<Table>(block.content));
        fresh = true;
      }
    }
  }

 private:
  void ParagraphInto(QTextCursor& cursor, const Paragraph& p,
                     std::array<QTextList*, kMaxListLevel + 1>& lists) {
    cursor.setBlockFormat(qt::ToQt(p.format));
    if (!p.runs.empty()) cursor.setBlockCharFormat(qt::ToQt(p.runs.front().format));
    if (p.format.list == ListStyle::None) {
      lists.fill(nullptr);
    } else {
      const int level = std::clamp(p.format.listLevel, 0, kMaxListLevel);
      for (int l = level + 1; l <= kMaxListLevel; ++l) lists[l] = nullptr;
      QTextList*& list = lists[level];
      if (list && list->format().style() == qt::ListStyleToQt(p.format.list)) {
        list->add(cursor.block());
      } else {
        QTextListFormat format;
        format.setStyle(qt::ListStyleToQt(p.format.list));
        format.setIndent(level + 1);
        list = cursor.createList(format);
      }
    }
    for (const Run& run : p.runs) {
      if (run.picture) {
        PictureAt(cursor, run);
      } else {
        QString text = QString::fromStdString(run.text);
        text.replace(QChar('\n'), QChar::LineSeparator);
        cursor.insertText(text, qt::ToQt(run.format));
      }
    }
  }

  void PictureAt(QTextCursor& cursor, const Run& run) {
    const Picture& picture = *run.picture;
    const QUrl name(QStringLiteral("orvela-picture:%1").arg(++pictureNumber_));
    document_.addResource(QTextDocument::ImageResource, name,
                          QByteArray(picture.bytes.data(), static_cast<qsizetype>(picture.bytes.size())));
    QTextImageFormat image;
    image.merge(qt::ToQt(run.format));
    image.setName(name.toString());
    if (picture.widthTwips > 0) image.setWidth(picture.widthTwips / kTwipsPerPixel);
    if (picture.heightTwips > 0) image.setHeight(picture.heightTwips / kTwipsPerPixel);
    cursor.insertImage(image);
  }

  void TableAt(QTextCursor& cursor, const Table& table) {
    int columns = 1;
    for (const Row& row : table.rows) columns = std::max(columns, static_cast<int>(row.cells.size()));
    const int rows = std::max(1, static_cast<int>(table.rows.size()));
    QTextTableFormat format;
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setBorder(1);
    format.setBorderCollapse(true);
    QList<QTextLength> widths;
    for (int c = 0; c < columns; ++c) {
      int width = 0;
      if (!table.rows.empty() && c < static_cast<int>(table.rows.front().cells.size()))
        width = table.rows.front().cells[c].widthTwips;
      widths.append(width > 0 ? QTextLength(QTextLength::FixedLength, width / kTwipsPerPixel)
                              : QTextLength(QTextLength::VariableLength, 0));
    }
    format.setColumnWidthConstraints(widths);
    QTextTable* qtable = cursor.insertTable(rows, columns, format);
    for (int r = 0; r < static_cast<int>(table.rows.size()); ++r) {
      const Row& row = table.rows[r];
      for (int c = 0; c < static_cast<int>(row.cells.size()); ++c) {
        QTextCursor cellCursor = qtable->cellAt(r, c).firstCursorPosition();
        Blocks(cellCursor, row.cells[c].blocks);
      }
    }
    cursor = qtable->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextBlock);
  }

  QTextDocument& document_;
  int pictureNumber_ = 0;
};

}  // namespace

void ToTextDocument(const Document& model, QTextDocument& document) {
  document.clear();
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  Filler(document).Blocks(cursor, model.blocks);
  cursor.endEditBlock();
}

}  // namespace orvela::rtf
