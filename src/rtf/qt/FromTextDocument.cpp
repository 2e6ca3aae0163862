// QTextDocument → model.
#include <QBuffer>
#include <QImage>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "QtFormats.h"
#include "RichText.h"

namespace orvela::rtf {
namespace {

using qt::kTwipsPerPixel;

class Collector {
 public:
  explicit Collector(const QTextDocument& document) : document_(document) {}

  std::vector<Block> Frame(QTextFrame::iterator it) {
    std::vector<Block> blocks;
    bool seam = false;  // the last block was the seam between two parts of one table
    for (; !it.atEnd(); ++it) {
      if (QTextFrame* child = it.currentFrame()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
          Table read = TableOf(*table);
          Table* before = seam && !blocks.empty() ? std::get_if<Table>(&blocks.back().content) : nullptr;
          if (before) {
            std::move(read.rows.begin(), read.rows.end(), std::back_inserter(before->rows));
          } else {
            blocks.push_back(Block{std::move(read)});
          }
          seam = false;
        } else {
          std::vector<Block> inner = Frame(child->begin());
          blocks.insert(blocks.end(), std::make_move_iterator(inner.begin()), std::make_move_iterator(inner.end()));
        }
      } else if (it.currentBlock().isValid()) {
        const QTextBlock block = it.currentBlock();
        seam = block.blockFormat().boolProperty(qt::kTableSeamProperty) && block.text().isEmpty();
        if (!seam) blocks.push_back(Block{ParagraphOf(block)});
      }
    }
    return blocks;
  }

 private:
  Table TableOf(QTextTable& table) {
    Table result;
    const QTextTableFormat format = table.format();
    const QList<QTextLength> widths = format.columnWidthConstraints();
    const auto widthOf = [&](int column, int span) {
      int twips = 0;
      for (int c = column; c < column + span; ++c) {
        if (c >= widths.size() || widths[c].type() != QTextLength::FixedLength) return 0;
        twips += static_cast<int>(std::lround(widths[c].rawValue() * kTwipsPerPixel));
      }
      return std::clamp(twips, 0, kMaxTwips);
    };
    const int left = std::clamp(static_cast<int>(std::lround(format.leftMargin() * kTwipsPerPixel)), 0, kMaxTwips);
    for (int r = 0; r < table.rows(); ++r) {
      Row row;
      row.leftTwips = left;
      row.header = r < format.headerRowCount();
      for (int c = 0; c < table.columns(); ++c) {
        const QTextTableCell cell = table.cellAt(r, c);
        const QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
        if (cellFormat.boolProperty(qt::kUncoveredCellProperty)) continue;
        Cell out;
        out.widthTwips = widthOf(cell.column(), cell.columnSpan());
        qt::CellFromQt(cellFormat, out);
        if (cell.column() != c) continue;  // the rest of a cell spanning columns
        if (cell.row() != r) {
          // Below the top of a cell spanning rows: an empty cell continuing it.
          out.verticalMerge = Merge::Continue;
          out.blocks.push_back(Block{Paragraph{}});
          row.cells.push_back(std::move(out));
          continue;
        }
        if (cell.rowSpan() > 1) out.verticalMerge = Merge::First;
        out.blocks = Frame(cell.begin());
        if (out.blocks.empty() || !std::holds_alternative<Paragraph>(out.blocks.back().content))
          out.blocks.push_back(Block{Paragraph{}});
        row.cells.push_back(std::move(out));
      }
      if (!row.cells.empty()) result.rows.push_back(std::move(row));
    }
    return result;
  }

  Paragraph ParagraphOf(const QTextBlock& block) {
    Paragraph p;
    p.format = qt::FromQt(block.blockFormat());
    if (const QTextList* list = block.textList()) {
      p.format.list = qt::ListStyleFromQt(list->format().style());
      p.format.listLevel = std::clamp(list->format().indent() - 1, 0, kMaxListLevel);
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      const QTextCharFormat format = fragment.charFormat();
      if (format.isImageFormat()) {
        for (int i = 0; i < fragment.length(); ++i) AddPicture(p, format.toImageFormat());
        continue;
      }
      QString text = fragment.text();
      text.replace(QChar::LineSeparator, QChar('\n'));
      text.remove(QChar::ObjectReplacementCharacter);
      if (text.isEmpty()) continue;
      AddText(p, text.toStdString(), qt::FromQt(format, document_));
    }
    return p;
  }

  static void AddText(Paragraph& p, std::string text, CharFormat format) {
    if (!p.runs.empty() && !p.runs.back().picture && p.runs.back().format == format) {
      p.runs.back().text += text;
    } else {
      p.runs.push_back(Run{std::move(text), std::move(format), std::nullopt});
    }
  }

  void AddPicture(Paragraph& p, const QTextImageFormat& image) {
    const QVariant resource = document_.resource(QTextDocument::ImageResource, QUrl(image.name()));
    std::string bytes;
    if (resource.userType() == QMetaType::QByteArray) {
      const QByteArray data = resource.toByteArray();
      bytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    }
    auto format = DetectPictureFormat(bytes);
    if (!format) {
      // Pasted images and other formats are kept as PNG.
      QImage picture = resource.userType() == QMetaType::QImage ? resource.value<QImage>()
                                                                 : QImage::fromData(QByteArray::fromStdString(bytes));
      if (picture.isNull()) return;
      QByteArray png;
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      picture.save(&buffer, "PNG");
      bytes.assign(png.constData(), static_cast<std::size_t>(png.size()));
      format = Picture::Format::Png;
    }
    Picture picture{*format, std::move(bytes), 0, 0};
    if (image.width() > 0) picture.widthTwips = std::clamp(static_cast<int>(std::lround(image.width() * kTwipsPerPixel)), 0, kMaxTwips);
    if (image.height() > 0) picture.heightTwips = std::clamp(static_cast<int>(std::lround(image.height() * kTwipsPerPixel)), 0, kMaxTwips);
    p.runs.push_back(Run{{}, qt::FromQt(image, document_), std::move(picture)});
  }

  const QTextDocument& document_;
};

}  // namespace

Document FromTextDocument(const QTextDocument& document) {
  Document model;
  model.blocks = Collector(document).Frame(document.rootFrame()->begin());
  // Qt keeps a block after every table; one left empty at the end is not content.
  const auto& blocks = model.blocks;
  if (blocks.size() >= 2 && std::holds_alternative<Table>(blocks[blocks.size() - 2].content)) {
    const auto& last = std::get_if<Paragraph>(&blocks.back().content);
    if (last && last->runs.empty()) model.blocks.pop_back();
  }
  return model;
}

}  // namespace orvela::rtf
