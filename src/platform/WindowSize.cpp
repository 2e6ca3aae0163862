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

}  // namespace orvela::platform
