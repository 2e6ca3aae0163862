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
#include "rtf/TableGrid.h"

namespace orvela::rtf {
namespace {

using qt::kTwipsPerPixel;

constexpr Qt::Alignment kRowAlignment[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignLeft};

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
        // Rows cut differently become tables of their own, one under the other, with a
        // hairline between them: Qt lays out cells that span columns wrongly across pages.
        const std::vector<Table> parts = UniformParts(WithRowBorders(std::get<Table>(block.content)));
        for (std::size_t i = 0; i < parts.size(); ++i) {
          if (i > 0) Hairline(cursor);
          TableAt(cursor, parts[i]);
        }
        fresh = true;
      }
    }
  }

 private:
  // The block Qt keeps between two tables, as low as it can be.
  static void Hairline(QTextCursor& cursor) {
    QTextBlockFormat line;
    line.setLineHeight(1, QTextBlockFormat::FixedHeight);
    line.setProperty(qt::kTableSeamProperty, true);
    cursor.setBlockFormat(line);
    QTextCharFormat tiny;
    tiny.setFontPointSize(1);
    cursor.setBlockCharFormat(tiny);
  }

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
    const TableGrid grid = GridOf(table);
    const int columns = static_cast<int>(grid.columnWidths.size());
    QTextTableFormat format;
    format.setCellPadding(0);
    format.setCellSpacing(0);
    format.setBorder(0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    format.setBorderCollapse(true);
    if (grid.left > 0) format.setLeftMargin(grid.left / kTwipsPerPixel);
    if (!table.rows.empty() && table.rows.front().alignment != Alignment::Left)
      format.setAlignment(kRowAlignment[static_cast<int>(table.rows.front().alignment)]);
    int headerRows = 0;
    while (headerRows < grid.rows && table.rows[headerRows].header) ++headerRows;
    format.setHeaderRowCount(headerRows);
    QList<QTextLength> widths;
    for (const int width : grid.columnWidths) {
      widths.append(width > 0 ? QTextLength(QTextLength::FixedLength, width / kTwipsPerPixel)
                              : QTextLength(QTextLength::VariableLength, 0));
    }
    format.setColumnWidthConstraints(widths);
    QTextTable* qtable = cursor.insertTable(std::max(1, grid.rows), columns, format);

    // Places no cell covers (a row shorter than the others) stay empty and are not read back.
    std::vector<bool> taken(static_cast<std::size_t>(std::max(1, grid.rows) * columns), false);
    const auto free = [&](const PlacedCell& p) {
      for (int r = p.row; r < p.row + p.rowSpan; ++r)
        for (int c = p.column; c < p.column + p.columnSpan; ++c)
          if (r >= grid.rows || c >= columns || taken[std::size_t(r * columns + c)]) return false;
      return true;
    };
    // All merges first: Qt merges cells reliably only while they are empty.
    std::vector<PlacedCell> placedCells;
    for (PlacedCell p : grid.cells) {
      if (!free(p)) p.rowSpan = p.columnSpan = 1;
      if (!free(p)) continue;
      for (int r = p.row; r < p.row + p.rowSpan; ++r)
        for (int c = p.column; c < p.column + p.columnSpan; ++c) taken[std::size_t(r * columns + c)] = true;
      if (p.rowSpan > 1 || p.columnSpan > 1) qtable->mergeCells(p.row, p.column, p.rowSpan, p.columnSpan);
      placedCells.push_back(p);
    }
    for (const PlacedCell& p : placedCells) {
      QTextTableCell cell = qtable->cellAt(p.row, p.column);
      QTextCursor cellCursor = cell.firstCursorPosition();
      Blocks(cellCursor, p.cell->blocks);
      // The cell's format is the character format of its first block: set after the text,
      // which sets that block's format, and merged with it.
      QTextCharFormat format = cell.format();
      format.merge(qt::CellFormat(*p.cell, table.rows[p.row].gapTwips));
      cell.setFormat(format);
    }
    for (int r = 0; r < grid.rows; ++r) {
      for (int c = 0; c < columns; ++c) {
        if (taken[std::size_t(r * columns + c)]) continue;
        QTextTableCell cell = qtable->cellAt(r, c);
        QTextTableCellFormat empty = cell.format().toTableCellFormat();
        empty.setProperty(qt::kUncoveredCellProperty, true);
        cell.setFormat(empty);
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
