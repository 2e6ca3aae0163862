#pragma once
// The drawn part of the overview tab: the work states of each top-level area as stacked
// bars, the findings by risk, by type and by deadline as bars. The same drawing serves the
// screen and the printed pages, laid out as bands that a page break may fall between.
#include <QColor>
#include <QFont>
#include <QWidget>
#include <functional>
#include <vector>

#include "model/AuditOverview.h"

namespace orvela {

// One horizontal band of the drawing (a heading, a bar, a legend), painted at the top left
// of the rectangle it is given.
struct ChartBand {
  int height = 0;
  std::function<void(QPainter&, const QRect&)> paint;
  QString toolTip{};  // a bar's whole caption and counts, as its label may be cut short
};

// The bands of `overview` for a drawing `width` pixels wide, its texts in `font` and `text`.
std::vector<ChartBand> AuditOverviewBands(const AuditOverview& overview, const QFont& font, QColor text, int width);

class AuditOverviewChart : public QWidget {
  Q_OBJECT
 public:
  // Draws `overview` as its owner keeps it; the owner calls overviewChanged() after a recount.
  explicit AuditOverviewChart(const AuditOverview& overview, QWidget* parent = nullptr);
  void overviewChanged();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::vector<ChartBand> bands() const;
  int bandsHeight() const;

  const AuditOverview& overview_;
};

}  // namespace orvela
