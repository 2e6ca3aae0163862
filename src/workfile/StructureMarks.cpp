#include "workfile/StructureMarks.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include "model/ItemDetailRules.h"
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
};
constexpr std::uint8_t kFirstRiskTone = 3;
static_assert(std::size(kTones) == kFirstRiskTone + kRiskLevels);

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
    }
    x += kMarkSize + kSlotGap;
  }
  painter.restore();
}

}  // namespace orvela
