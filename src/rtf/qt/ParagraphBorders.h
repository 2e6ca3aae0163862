#pragma once
// Qt's text layout draws the borders of table cells but none of paragraphs: these are
// painted over the laid-out document, the same way on the page and in the preview.
#include <QAbstractTextDocumentLayout>

class QPainter;
class QTextDocument;

namespace orvela::rtf {

// The borders of every paragraph of `document` that has some, in the document's
// coordinates; paragraphs one under the other in the same cell with the same borders
// share one box.
void PaintParagraphBorders(QPainter& painter, const QTextDocument& document, const QRectF& clip);

// The document as its layout draws it, with the borders of its paragraphs.
void DrawDocument(QPainter& painter, const QTextDocument& document,
                  const QAbstractTextDocumentLayout::PaintContext& context);

}  // namespace orvela::rtf
