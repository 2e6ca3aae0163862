#include "app/ToolbarIcons.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>

namespace orvela {
namespace {

void Frame(QPainter& p, const QRect& r) {
  p.setPen(QColor(40, 40, 40));
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 1, 3), QColor(30, 80, 160));
}

}  // namespace

QIcon ArrangeIcon(ArrangeGlyph glyph) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  switch (glyph) {
    case ArrangeGlyph::Cascade:
      Frame(p, QRect(1, 1, 9, 8));
      Frame(p, QRect(6, 6, 9, 9));
      break;
    case ArrangeGlyph::TileHorizontal:
      Frame(p, QRect(1, 1, 14, 6));
      Frame(p, QRect(1, 9, 14, 6));
      break;
    case ArrangeGlyph::TileVertical:
      Frame(p, QRect(1, 1, 6, 14));
      Frame(p, QRect(9, 1, 6, 14));
      break;
  }
  return QIcon(pixmap);
}

}  // namespace orvela
