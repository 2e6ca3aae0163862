#include "platform/WindowSize.h"

#include <QHeaderView>
#include <QLayout>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>

namespace orvela::platform {

QSize SizeAtLeast(QWidget* window, QSize designSize) {
  window->ensurePolished();
  if (QLayout* layout = window->layout()) layout->activate();
  QSize size = designSize.expandedTo(window->minimumSizeHint());
  // Word-wrapped texts need more height the narrower they are.
  if (QLayout* layout = window->layout(); layout && layout->hasHeightForWidth())
    size.setHeight(std::max(size.height(), layout->totalHeightForWidth(size.width())));
  return size;
}

void FixSizeAtLeast(QWidget* window, QSize designSize) { window->setFixedSize(SizeAtLeast(window, designSize)); }

void ResizeAtLeast(QWidget* window, QSize designSize) {
  window->setMinimumSize(window->minimumSizeHint());
  window->resize(SizeAtLeast(window, designSize));
}

void ShowWholeTabCaptions(QTabWidget* tabs) {
  tabs->setElideMode(Qt::ElideNone);
  tabs->setUsesScrollButtons(false);
}

void SetSectionWidthAtLeast(QHeaderView* header, int section, int designWidth, const QString& widestValue) {
  int width = std::max(designWidth, header->sectionSizeHint(section));
  if (!widestValue.isEmpty()) {
    // The cell's text margins as the style draws them in an item view.
    const int margin = header->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, header) + 1;
    width = std::max(width, header->fontMetrics().horizontalAdvance(widestValue) + 2 * margin + 2);
  }
  header->resizeSection(section, width);
}

QRect PlaceOnScreens(std::optional<QPoint> pos, std::optional<QSize> size, QSize designSize,
                     const QList<QRect>& screens) {
  QSize wanted = size && size->isValid() && !size->isEmpty() ? *size : designSize;
  if (screens.isEmpty()) return QRect(pos.value_or(QPoint(0, 0)), wanted);

  QRect screen = screens.constFirst();
  long long bestOverlap = 0;
  if (pos) {
    const QRect rect(*pos, wanted);
    for (const QRect& s : screens) {
      const QRect overlap = s.intersected(rect);
      const long long area = overlap.isEmpty() ? 0 : (long long)overlap.width() * overlap.height();
      if (area > bestOverlap) {
        bestOverlap = area;
        screen = s;
      }
    }
  }
  wanted = wanted.boundedTo(screen.size());
  if (bestOverlap == 0)
    return QRect(screen.topLeft() + QPoint((screen.width() - wanted.width()) / 2, (screen.height() - wanted.height()) / 2),
                 wanted);
  const int x = std::clamp(pos->x(), screen.left(), screen.right() + 1 - wanted.width());
  const int y = std::clamp(pos->y(), screen.top(), screen.bottom() + 1 - wanted.height());
  return QRect(QPoint(x, y), wanted);
}

}  // namespace orvela::platform
