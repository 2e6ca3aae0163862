#include "workfile/AuditOverviewChart.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QToolTip>
#include <QPainter>
#include <algorithm>

#include "model/srcGlobalDef.h"
#include "platform/Cp1252Text.h"

namespace orvela {
namespace {

// Work states in the order of their segments, done first; indexes as WorkStateIndex.
struct StateShown {
  int index;
  const char* caption;
  QColor color;
};
const StateShown kStatesShown[] = {
    {2, "vollständig bearbeitet", QColor(0x3B, 0x8E, 0x3E)},
    {1, "unvollständig", QColor(0xF0, 0xA8, 0x30)},
    {0, "nicht definiert", QColor(0xB8, 0xB8, 0xB8)},
};

struct BucketShown {
  DeadlineBucket bucket;
  const char* caption;
  QColor color;
};
const BucketShown kBucketsShown[] = {
    {DeadlineBucket::Overdue, "überfällig", QColor(0xC6, 0x28, 0x28)},
    {DeadlineBucket::DueSoon, "in 30 Tagen fällig", QColor(0xF0, 0xA8, 0x30)},
    {DeadlineBucket::Later, "später fällig", QColor(0x3B, 0x8E, 0x3E)},
    {DeadlineBucket::Done, "umgesetzt", QColor(0x7A, 0xA8, 0xD8)},
    {DeadlineBucket::None, "ohne Termin", QColor(0xB8, 0xB8, 0xB8)},
};

const QColor kCountBar(0x3D, 0x6F, 0xB0);
const QColor kTrack(0xEC, 0xEC, 0xEC);

// One labelled bar: its caption, and how it is filled.
struct BarRow {
  QString label;
  QString value;                                // at the right end
  std::vector<std::pair<std::size_t, QColor>> segments;  // counts in drawing order
  std::size_t scale = 0;                        // the count that fills the whole bar
  QString toolTip{};
};

// The columns every bar shares, so that the bars of all sections line up.
struct Columns {
  int label = 0, bar = 0, value = 0;
  static constexpr int kGap = 8;
};

class BandBuilder {
 public:
  BandBuilder(const QFont& font, QColor text, int width)
      : font_(font), bold_(font), metrics_(font), text_(text), width_(width) {
    bold_.setBold(true);
  }

  void heading(const QString& caption) {
    const int line = QFontMetrics(bold_).height();
    const int top = bands_.empty() ? 2 : line;
    const QFont bold = bold_;
    const QColor text = text_;
    bands_.push_back({{top + line + 6, [caption, bold, text, top, line](QPainter& p, const QRect& r) {
                        p.setFont(bold);
                        p.setPen(text);
                        p.drawText(QRect(r.left(), r.top() + top, r.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                                   caption);
                      }}});
  }

  void message(const QString& caption) {
    const QFont font = font_;
    const QColor text = text_;
    const int line = metrics_.height();
    bands_.push_back({{line + 8, [caption, font, text](QPainter& p, const QRect& r) {
                        p.setFont(font);
                        p.setPen(text);
                        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, caption);
                      }}});
  }

  // Swatches with captions, flowed into as many lines as the width needs.
  void legend(const std::vector<std::pair<QString, QColor>>& entries) {
    const int line = metrics_.height();
    const int swatch = line - 4;
    std::vector<std::pair<QPoint, int>> places;  // of each entry: top left and line
    int x = 0, y = 0;
    for (const auto& entry : entries) {
      const int w = swatch + 6 + metrics_.horizontalAdvance(entry.first) + 18;
      if (x > 0 && x + w > width_) {
        x = 0;
        y += line + 4;
      }
      places.push_back({QPoint(x, y), w});
      x += w;
    }
    const QFont font = font_;
    const QColor text = text_;
    bands_.push_back({{y + line + 10, [entries, places, font, text, swatch, line](QPainter& p, const QRect& r) {
                        p.setFont(font);
                        for (std::size_t i = 0; i < entries.size(); ++i) {
                          const QPoint at = r.topLeft() + places[i].first + QPoint(0, 4);
                          p.fillRect(QRect(at.x(), at.y() + 2, swatch, swatch), entries[i].second);
                          p.setPen(text);
                          p.drawText(QRect(at.x() + swatch + 6, at.y(), places[i].second, line),
                                     Qt::AlignLeft | Qt::AlignVCenter, entries[i].first);
                        }
                      }}});
  }

  // Placeholders for bars become bands once every label is known, so that all bars share
  // one label column.
  std::vector<ChartBand> finish() {
    Columns columns;
    // A little room beyond the measured advance: eliding measures the text's bounds.
    for (const BarRow& row : rows_) {
      columns.label = std::max(columns.label, metrics_.horizontalAdvance(row.label) + 6);
      columns.value = std::max(columns.value, metrics_.horizontalAdvance(row.value) + 2);
    }
    columns.label = std::min(columns.label, std::max(width_ * 2 / 5, 60));
    columns.bar = std::max(width_ - columns.label - columns.value - 2 * Columns::kGap, 40);
    std::vector<ChartBand> bands;
    std::size_t next = 0;
    for (Pending& pending : bands_) {
      if (pending.band.paint) bands.push_back(std::move(pending.band));
      for (std::size_t i = 0; i < pending.bars; ++i) bands.push_back(barBand(rows_[next++], columns));
    }
    return bands;
  }

  void beginBars() { bands_.push_back({}); }
  void addBar(BarRow row) {
    rows_.push_back(std::move(row));
    ++bands_.back().bars;
  }

 private:
  ChartBand barBand(const BarRow& row, const Columns& columns) const {
    const QFont font = font_;
    const QFontMetrics metrics = metrics_;
    const QColor text = text_;
    const int line = metrics_.height();
    const QString toolTip = row.toolTip.isEmpty() ? row.label + QStringLiteral(": ") + row.value : row.toolTip;
    return {line + 8, [row, columns, font, metrics, text, line](QPainter& p, const QRect& r) {
              p.setFont(font);
              p.setPen(text);
              const int top = r.top() + 4;
              p.drawText(QRect(r.left(), top, columns.label, line), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(row.label, Qt::ElideRight, columns.label));
              const QRect bar(r.left() + columns.label + Columns::kGap, top, columns.bar, line);
              p.fillRect(bar, kTrack);
              // Each segment ends where the running sum ends, so rounding leaves no gaps.
              std::size_t sum = 0;
              int from = bar.left();
              for (const auto& segment : row.segments) {
                sum += segment.first;
                const int to = row.scale ? bar.left() + int(double(bar.width()) * double(sum) / double(row.scale) + 0.5)
                                         : bar.left();
                if (to > from) {
                  const QRect piece(from, bar.top(), to - from, bar.height());
                  p.fillRect(piece, segment.second);
                  const QString count = QString::number(segment.first);
                  if (row.segments.size() > 1 && metrics.horizontalAdvance(count) + 6 <= piece.width()) {
                    p.setPen(segment.second.lightness() < 140 ? Qt::white : Qt::black);
                    p.drawText(piece, Qt::AlignCenter, count);
                  }
                }
                from = std::max(from, to);
              }
              p.setPen(text);
              p.drawText(QRect(bar.right() + 1 + Columns::kGap, top, columns.value, line),
                         Qt::AlignRight | Qt::AlignVCenter, row.value);
            }, toolTip};
  }

  QFont font_, bold_;
  QFontMetrics metrics_;
  QColor text_;
  int width_;
  // A band, or (without paint) the place of the next `bars` bars.
  struct Pending {
    ChartBand band;
    std::size_t bars = 0;
  };
  std::vector<Pending> bands_;
  std::vector<BarRow> rows_;
};

void AddCountBars(BandBuilder& builder, const std::vector<std::pair<QString, std::size_t>>& counts,
                  const std::vector<QColor>& colors = {}) {
  std::size_t most = 0;
  for (const auto& entry : counts) most = std::max(most, entry.second);
  builder.beginBars();
  for (std::size_t i = 0; i < counts.size(); ++i)
    builder.addBar({counts[i].first, QString::number(counts[i].second),
                    {{counts[i].second, i < colors.size() ? colors[i] : kCountBar}}, most});
}

}  // namespace

std::vector<ChartBand> AuditOverviewBands(const AuditOverview& overview, const QFont& font, QColor text, int width) {
  BandBuilder builder(font, text, width);

  const std::size_t items = overview.items();
  builder.heading(items == 1 ? QStringLiteral("Arbeitsstand je Bereich (1 Element)")
                             : QStringLiteral("Arbeitsstand je Bereich (%1 Elemente)").arg(items));
  if (overview.areas.empty()) {
    builder.message(QStringLiteral("Die Arbeitsdatei enthält noch keine Elemente."));
  } else {
    builder.beginBars();
    for (const AreaProgress& area : overview.areas) {
      BarRow row{platform::FromCp1252(area.name),
                 QStringLiteral("%1 von %2").arg(area.byWorkState[2]).arg(area.total()),
                 {},
                 area.total()};
      QStringList parts;
      for (const StateShown& state : kStatesShown) {
        row.segments.push_back({area.byWorkState[std::size_t(state.index)], state.color});
        parts << QStringLiteral("%1 %2").arg(area.byWorkState[std::size_t(state.index)]).arg(QString::fromUtf8(state.caption));
      }
      row.toolTip = row.label + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
      builder.addBar(std::move(row));
    }
    std::vector<std::pair<QString, QColor>> legend;
    for (const StateShown& state : kStatesShown) legend.push_back({QString::fromUtf8(state.caption), state.color});
    builder.legend(legend);
  }

  const std::size_t findings = overview.findings();
  if (findings == 0) {
    builder.heading(QStringLiteral("Feststellungen"));
    builder.message(QStringLiteral("Keine Feststellungen erfasst."));
    return builder.finish();
  }
  builder.heading(QStringLiteral("Feststellungen nach Risiko (%1)").arg(findings));
  std::vector<std::pair<QString, std::size_t>> byRisk;
  for (const CountedValue& risk : overview.findingsByRisk)
    byRisk.push_back({risk.text.empty() ? QStringLiteral("ohne Risiko") : platform::FromCp1252(risk.text), risk.count});
  AddCountBars(builder, byRisk);

  builder.heading(QStringLiteral("Feststellungen nach Typ"));
  std::vector<std::pair<QString, std::size_t>> byType;
  for (std::size_t type = 0; type < overview.findingsByType.size(); ++type)
    byType.push_back({platform::FromCp1252(FindingTypeDisplayText(std::to_string(type))), overview.findingsByType[type]});
  AddCountBars(builder, byType);

  builder.heading(QStringLiteral("Termine der Feststellungen"));
  std::vector<std::pair<QString, std::size_t>> byDeadline;
  std::vector<QColor> colors;
  for (const BucketShown& bucket : kBucketsShown) {
    byDeadline.push_back({QString::fromUtf8(bucket.caption), overview.findingsByDeadline[std::size_t(bucket.bucket)]});
    colors.push_back(bucket.color);
  }
  AddCountBars(builder, byDeadline, colors);
  return builder.finish();
}

AuditOverviewChart::AuditOverviewChart(const AuditOverview& overview, QWidget* parent)
    : QWidget(parent), overview_(overview) {
  setObjectName(QStringLiteral("AuditOverviewChart"));
  setAccessibleName(QStringLiteral("Übersicht der Prüfung"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAutoFillBackground(false);
}

void AuditOverviewChart::overviewChanged() {
  // What the bars show, as text for a screen reader.
  QStringList figures;
  for (const ChartBand& band : bands())
    if (!band.toolTip.isEmpty()) figures << band.toolTip;
  setAccessibleDescription(figures.join(QChar('\n')));
  updateGeometry();
  update();
}

namespace {
constexpr int kMargin = 8;
}

std::vector<ChartBand> AuditOverviewChart::bands() const {
  return AuditOverviewBands(overview_, font(), palette().color(QPalette::Text), std::max(width() - 2 * kMargin, 200));
}

int AuditOverviewChart::bandsHeight() const {
  int height = 0;
  for (const ChartBand& band : bands()) height += band.height;
  return height + kMargin;
}

bool AuditOverviewChart::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const QPoint at = static_cast<QHelpEvent*>(event)->pos();
  int top = 0;
  for (const ChartBand& band : bands()) {
    if (at.y() >= top && at.y() < top + band.height && !band.toolTip.isEmpty()) {
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), band.toolTip, this);
      return true;
    }
    top += band.height;
  }
  QToolTip::hideText();
  event->ignore();
  return true;
}

QSize AuditOverviewChart::sizeHint() const { return {480, bandsHeight()}; }

QSize AuditOverviewChart::minimumSizeHint() const { return {280, bandsHeight()}; }

void AuditOverviewChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  QRect band(kMargin, 0, std::max(width() - 2 * kMargin, 200), 0);
  for (const ChartBand& b : bands()) {
    band.setHeight(b.height);
    b.paint(painter, band);
    band.translate(0, b.height);
  }
}

}  // namespace orvela
