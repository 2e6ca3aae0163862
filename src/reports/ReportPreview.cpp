#include "ReportPreview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "rtf/qt/ParagraphBorders.h"

namespace orvela {

void ReportPreview::paintEvent(QPaintEvent* event) {
  QTextEdit::paintEvent(event);
  // The text edit draws its document moved by the scroll bars.
  const QPointF scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
  QPainter painter(viewport());
  painter.translate(-scrolled);
  rtf::PaintParagraphBorders(painter, *document(), QRectF(event->rect()).translated(scrolled));
}

}  // namespace orvela
