#include "ParagraphBorders.h"

#include <QPainter>
#include <QPen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>
#include <utility>
#include <vector>

#include "QtFormats.h"

// The resolution Qt's text layout takes lengths of formats in (96 on most screens).
Q_GUI_EXPORT int qt_defaultDpiY();

namespace orvela::rtf {
namespace {

struct Box {
  QRectF text;  // the lines of the paragraphs, between their indents
  Borders borders;
  std::pair<const QTextFrame*, int> place;  // the frame and, in a table, the cell
};

std::pair<const QTextFrame*, int> PlaceOf(const QTextDocument& document, const QTextBlock& block) {
  const QTextFrame* frame = document.frameAt(block.position());
  int cell = -1;
  if (const auto* table = qobject_cast<const QTextTable*>(frame)) {
    const QTextTableCell c = table->cellAt(block.position());
    cell = c.row() * table->columns() + c.column();
  }
  return {frame, cell};
}

// The area the lines of `block` take, from the left indent to the right indent.
QRectF TextArea(const QAbstractTextDocumentLayout& layout, const QTextBlock& block, double scale) {
  const QTextLayout* lines = block.layout();
  if (!lines || lines->lineCount() == 0) return {};
  const QPointF origin = layout.blockBoundingRect(block).topLeft() - lines->boundingRect().topLeft();
  const QTextLine first = lines->lineAt(0);
  const QTextLine last = lines->lineAt(lines->lineCount() - 1);
  // Every line but the first starts at the left indent; the first is moved by its indent.
  const double left = lines->lineCount() > 1 ? last.x() : first.x() - block.blockFormat().textIndent() * scale;
  const double right = last.x() + last.width();
  return QRectF(QPointF(origin.x() + left, origin.y() + first.y()),
                QPointF(origin.x() + right, origin.y() + last.y() + last.height()));
}

std::vector<Box> Boxes(const QTextDocument& document, double scale) {
  std::vector<Box> boxes;
  const QAbstractTextDocumentLayout& layout = *document.documentLayout();
  bool open = false;  // the last block ended a box the next may go on
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextBlockFormat format = block.blockFormat();
    if (!format.hasProperty(qt::kParagraphBordersProperty)) {
      open = false;
      continue;
    }
    const auto borders = format.property(qt::kParagraphBordersProperty).value<Borders>();
    const QRectF text = TextArea(layout, block, scale);
    if (borders.Empty() || text.isNull()) {
      open = false;
      continue;
    }
    const auto place = PlaceOf(document, block);
    if (open && boxes.back().borders == borders && boxes.back().place == place &&
        qAbs(boxes.back().text.left() - text.left()) < 0.5 && qAbs(boxes.back().text.right() - text.right()) < 0.5) {
      boxes.back().text = boxes.back().text.united(text);
    } else {
      boxes.push_back(Box{text, borders, place});
    }
    open = true;
  }
  return boxes;
}

QPen PenOf(const Border& border, double pixelsPerTwip) {
  QPen pen(border.color ? QColor(border.color->red, border.color->green, border.color->blue) : QColor(Qt::black));
  // A hairline stays visible at any resolution.
  pen.setWidthF(std::max(border.widthTwips * pixelsPerTwip, 0.5));
  pen.setCapStyle(Qt::SquareCap);
  static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::SolidLine, Qt::DotLine, Qt::DashLine};
  pen.setStyle(kStyles[static_cast<int>(border.style)]);
  return pen;
}

// One side: the line runs from `from` to `to`; `outward` points away from the text.
void PaintSide(QPainter& painter, const Border& border, QPointF from, QPointF to, QPointF outward,
               double pixelsPerTwip) {
  const QPen pen = PenOf(border, pixelsPerTwip);
  painter.setPen(pen);
  if (border.style != BorderStyle::Double) {
    painter.drawLine(from, to);
    return;
  }
  // Two lines of the width with the same width between them.
  const QPointF shift = outward * pen.widthF();
  painter.drawLine(from - shift, to - shift);
  painter.drawLine(from + shift, to + shift);
}

}  // namespace

void PaintParagraphBorders(QPainter& painter, const QTextDocument& document, const QRectF& clip) {
  // The layout scales the lengths of formats to its device as Qt's text layout does.
  const QPaintDevice* device = document.documentLayout()->paintDevice();
  const double scale = device ? device->logicalDpiY() / double(qt_defaultDpiY()) : 1.0;
  const std::vector<Box> boxes = Boxes(document, scale);
  if (boxes.empty()) return;
  const double pixelsPerTwip = scale / qt::kTwipsPerPixel;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  for (const Box& box : boxes) {
    // Each line runs through the middle of its stroke, `brsp` away from the text.
    const auto away = [&](const std::optional<Border>& side) {
      return side ? (side->spaceTwips + side->widthTwips / 2.0) * pixelsPerTwip : 0.0;
    };
    const Borders& b = box.borders;
    const QRectF edge = box.text.adjusted(-away(b.left), -away(b.top), away(b.right), away(b.bottom));
    if (!clip.isNull() && !edge.adjusted(-2, -2, 2, 2).intersects(clip)) continue;
    if (b.top) PaintSide(painter, *b.top, edge.topLeft(), edge.topRight(), {0, -1}, pixelsPerTwip);
    if (b.bottom) PaintSide(painter, *b.bottom, edge.bottomLeft(), edge.bottomRight(), {0, 1}, pixelsPerTwip);
    if (b.left) PaintSide(painter, *b.left, edge.topLeft(), edge.bottomLeft(), {-1, 0}, pixelsPerTwip);
    if (b.right) PaintSide(painter, *b.right, edge.topRight(), edge.bottomRight(), {1, 0}, pixelsPerTwip);
  }
  painter.restore();
}

void DrawDocument(QPainter& painter, const QTextDocument& document,
                  const QAbstractTextDocumentLayout::PaintContext& context) {
  document.documentLayout()->draw(&painter, context);
  PaintParagraphBorders(painter, document, context.clip);
}

}  // namespace orvela::rtf
