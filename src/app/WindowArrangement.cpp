#include "app/WindowArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace orvela {
namespace {

// The whole area, also where scroll bars stand now: once arranged, nothing lies outside.
QRect ArrangeArea(QMdiArea* area) { return QRect(QPoint(0, 0), area->maximumViewportSize()); }

}  // namespace

QList<QRect> TileRects(const QRect& area, int count, Qt::Orientation orientation) {
  QList<QRect> rects;
  if (count <= 0 || area.isEmpty()) return rects;
  const bool rows = orientation == Qt::Horizontal;
  const int total = rows ? area.height() : area.width();
  const int step = total / count;
  for (int i = 0; i < count; ++i) {
    const int from = i * step;
    const int length = (i == count - 1) ? total - from : step;
    rects.append(rows ? QRect(area.left(), area.top() + from, area.width(), length)
                      : QRect(area.left() + from, area.top(), length, area.height()));
  }
  return rects;
}

QList<QRect> IconRects(const QRect& area, int count, const QSize& iconSize) {
  QList<QRect> rects;
  const int perRow = std::max(1, area.width() / std::max(1, iconSize.width()));
  for (int i = 0; i < count; ++i) {
    const int row = i / perRow, column = i % perRow;
    rects.append(QRect(QPoint(area.left() + column * iconSize.width(),
                              area.bottom() + 1 - (row + 1) * iconSize.height()),
                       iconSize));
  }
  return rects;
}

void TileSubWindows(QMdiArea* area, Qt::Orientation orientation) {
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* w : area->subWindowList(QMdiArea::CreationOrder))
    if (w->isVisible() && !w->isMinimized()) windows.append(w);
  const QList<QRect> rects = TileRects(ArrangeArea(area), int(windows.size()), orientation);
  for (qsizetype i = 0; i < windows.size(); ++i) {
    if (windows[i]->isMaximized()) windows[i]->showNormal();
    windows[i]->setGeometry(rects[i]);
  }
}

void MinimizeAllSubWindows(QMdiArea* area) {
  for (QMdiSubWindow* w : area->subWindowList()) w->showMinimized();
  ArrangeMinimizedSubWindows(area);
}

void ArrangeMinimizedSubWindows(QMdiArea* area) {
  QList<QMdiSubWindow*> icons;
  for (QMdiSubWindow* w : area->subWindowList(QMdiArea::CreationOrder))
    if (w->isMinimized()) icons.append(w);
  if (icons.isEmpty()) return;
  const QList<QRect> rects = IconRects(ArrangeArea(area), int(icons.size()), icons.first()->size());
  for (qsizetype i = 0; i < icons.size(); ++i) icons[i]->move(rects[i].topLeft());
}

}  // namespace orvela
