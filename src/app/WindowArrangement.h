#pragma once
// Geometry of the frame's window commands that QMdiArea does not offer itself.
#include <QList>
#include <QRect>
#include <QSize>

class QMdiArea;

namespace orvela {

// `count` windows filling `area`: Qt::Horizontal gives full-width strips one above the
// other, Qt::Vertical full-height columns side by side. The last strip takes the rest.
QList<QRect> TileRects(const QRect& area, int count, Qt::Orientation orientation);

// Places of minimised windows of size `iconSize`, in rows from the bottom left of `area`.
QList<QRect> IconRects(const QRect& area, int count, const QSize& iconSize);

// The commands on a frame's MDI area; minimised windows take no part in tiling.
void TileSubWindows(QMdiArea* area, Qt::Orientation orientation);
void MinimizeAllSubWindows(QMdiArea* area);
void ArrangeMinimizedSubWindows(QMdiArea* area);

}  // namespace orvela
