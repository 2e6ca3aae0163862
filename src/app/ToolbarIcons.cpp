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

QIcon HelpIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(20, 60, 140));
  p.setBrush(QColor(40, 100, 200));
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(12);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
  return QIcon(pixmap);
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(QColor(250, 250, 245));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QPen(QColor(150, 150, 150), 0.8));
    for (qreal y : {4.5, 6.5, 8.5}) p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    p.setPen(QPen(QColor(20, 130, 50), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(5, 11), QPointF(7, 13), QPointF(12, 8)}));
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace orvela
