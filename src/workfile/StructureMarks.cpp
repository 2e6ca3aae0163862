#include "workfile/StructureMarks.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include "model/ItemDetailRules.h"
#include "model/ItemSignOff.h"
#include "model/srcGlobalDef.h"
#include "platform/Cp1252Text.h"

namespace orvela {
namespace {

constexpr int kGap = 3;       // between the item image and the first mark
constexpr int kMarkSize = 8;  // each figure's box
constexpr int kSlotGap = 2;   // between two marks
constexpr int kBand = 16;     // the height of the item images

// The palette of the marks. Work state: not defined, not completed, completed. Risk: the
// levels from the first to the last entry of the risk definitions.
constexpr QRgb kTones[] = {
    0x8c8c8c,                                    // 0 not defined: grey
    0xe08a00,                                    // 1 not completed: amber
    0x2e9e3e,                                    // 2 completed: green
    0x4caf50, 0xa4c639, 0xf2c500, 0xf08c00, 0xd83a2e,  // 3 … 7 risk levels, low to high
    0x2f6db5,                                    // 8 signed off: blue
    0xd02020,                                    // 9 changed after review: red
};
constexpr std::uint8_t kFirstRiskTone = 3;
constexpr std::uint8_t kSignedTone = kFirstRiskTone + kRiskLevels;
constexpr std::uint8_t kChangedTone = kSignedTone + 1;
static_assert(std::size(kTones) == kChangedTone + 1);

}  // namespace

ItemMark WorkStateMark(const MarkSource& source) {
  switch (WorkStateMarkOf(source.record)) {
    case 1: return {MarkFigure::HalfDisc, 1};
    case 2: return {MarkFigure::Disc, 2};
    default: return {MarkFigure::Ring, 0};
  }
}

ItemMark RiskMark(const MarkSource& source) {
  const int level = RiskLevel(source.risks.rankOf(source.record), source.risks.size());
  if (level < 0) return {};
  return {MarkFigure::Square, std::uint8_t(kFirstRiskTone + level)};
}

// Open items carry no mark, so the tree stays quiet until work is signed off.
ItemMark SignOffMark(const MarkSource& source) {
  switch (ItemSignOffState(source.record)) {
    case SignOffState::Prepared: return {MarkFigure::Tick, kSignedTone};
    case SignOffState::Reviewed: return {MarkFigure::TickedDisc, kSignedTone};
    case SignOffState::ChangedAfterReview: return {MarkFigure::Triangle, kChangedTone};
    case SignOffState::Open: break;
  }
  return {};
}

QString SignOffLine(const MarkSource& source) {
  const SignOffState state = ItemSignOffState(source.record);
  if (state == SignOffState::Open) return {};
  return QStringLiteral("Abzeichnung: ") + platform::FromCp1252(SignOffStateText(state));
}

QString WorkStateLine(const MarkSource& source) {
  const std::string shown = WorkStateDisplayText(WorkStateStoredValue(WorkStateMarkOf(source.record)));
  return QStringLiteral("Bearbeitungsstatus: ") + platform::FromCp1252(shown);
}

QString RiskLine(const MarkSource& source) {
  const std::string risk = source.record.value(key::RISK);
  if (risk.empty()) return {};
  return QStringLiteral("Risiko: ") + platform::FromCp1252(risk);
}

ItemMarks MarksOf(const MarkSource& source) {
  ItemMarks marks;
  for (std::size_t i = 0; i < kMarkSlotCount; ++i) marks[i] = kMarkSlots[i].markOf(source);
  return marks;
}

QString MarkLines(const MarkSource& source) {
  QStringList lines;
  for (const MarkSlot& slot : kMarkSlots)
    if (const QString line = slot.describe(source); !line.isEmpty()) lines.append(line);
  return lines.join(QLatin1Char('\n'));
}

std::uint64_t MarksKey(const ItemMarks& marks) {
  std::uint64_t key = 0;
  for (const ItemMark& m : marks) key = (key << 8) | (std::uint64_t(m.figure) << 5) | m.tone;
  return key;
}

int MarksWidth() { return kGap + int(kMarkSlotCount) * kMarkSize + (int(kMarkSlotCount) - 1) * kSlotGap; }

void DrawMarks(QPainter& painter, const QPoint& topLeft, const ItemMarks& marks) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  int x = topLeft.x() + kGap;
  const int y = topLeft.y() + (kBand - kMarkSize) / 2;
  for (const ItemMark& mark : marks) {
    const QColor tone = QColor::fromRgb(kTones[mark.tone]);
    const QRectF box(x + 0.5, y + 0.5, kMarkSize - 1, kMarkSize - 1);
    painter.setPen(QPen(tone.darker(130), 1));
    switch (mark.figure) {
      case MarkFigure::None: break;
      case MarkFigure::Ring:
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box);
        break;
      case MarkFigure::HalfDisc: {
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box);
        // The lower half filled: begun, not finished.
        QPainterPath half;
        half.moveTo(box.left(), box.center().y());
        half.arcTo(box, 180, 180);
        half.closeSubpath();
        painter.setBrush(tone);
        painter.drawPath(half);
        break;
      }
      case MarkFigure::Disc:
        painter.setBrush(tone);
        painter.drawEllipse(box);
        break;
      case MarkFigure::Square:
        painter.setBrush(tone);
        painter.drawRect(box);
        break;
      case MarkFigure::Tick:
      case MarkFigure::TickedDisc: {
        // A disc, not a box: a ticked box would read as a check box to click.
        const bool filled = mark.figure == MarkFigure::TickedDisc;
        if (filled) {
          painter.setBrush(tone);
          painter.drawEllipse(box);
        }
        painter.setPen(QPen(filled ? QColor(Qt::white) : tone.darker(110), 1.6, Qt::SolidLine, Qt::RoundCap));
        const QPointF tick[] = {{box.left() + 1.2, box.center().y()},
                                {box.center().x() - 0.5, box.bottom() - 1.2},
                                {box.right() - 0.8, box.top() + 1.0}};
        painter.drawPolyline(tick, 3);
        break;
      }
      case MarkFigure::Triangle: {
        painter.setBrush(tone);
        const QPointF corners[] = {{box.center().x(), box.top()}, {box.right(), box.bottom()}, {box.left(), box.bottom()}};
        painter.drawPolygon(corners, 3);
        break;
      }
    }
    x += kMarkSize + kSlotGap;
  }
  painter.restore();
}

}  // namespace orvela
