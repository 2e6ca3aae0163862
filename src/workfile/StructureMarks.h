#pragma once
// The small marks the structure tree draws beside an item's images, so that its work state
// and risk show at a glance. The marks stand in a row of slots after the item image; every
// item keeps every slot, marked or not, so the names stay aligned. Each slot is one row of
// kMarkSlots: where its mark comes from and the line it adds to the item's tooltip. A new
// kind of mark is a new row there.
#include <QString>
#include <array>
#include <cstdint>

#include "model/FieldList.h"
#include "model/ItemMarks.h"

class QPainter;
class QPoint;

namespace orvela {

enum class MarkFigure : std::uint8_t { None, Ring, HalfDisc, Disc, Square, Tick, TickedDisc, Triangle };

// One mark: a figure in one of the tones of the marks' palette.
struct ItemMark {
  MarkFigure figure = MarkFigure::None;
  std::uint8_t tone = 0;
  friend bool operator==(const ItemMark&, const ItemMark&) = default;
};

// What a slot looks at.
struct MarkSource {
  const FieldList& record;
  const RiskScale& risks;
};

struct MarkSlot {
  const char* name;
  ItemMark (*markOf)(const MarkSource&);
  // The tooltip line, empty for none.
  QString (*describe)(const MarkSource&);
};

ItemMark WorkStateMark(const MarkSource& source);
ItemMark RiskMark(const MarkSource& source);
ItemMark SignOffMark(const MarkSource& source);
QString WorkStateLine(const MarkSource& source);
QString RiskLine(const MarkSource& source);
QString SignOffLine(const MarkSource& source);

inline constexpr MarkSlot kMarkSlots[] = {
    {"workState", &WorkStateMark, &WorkStateLine},
    {"risk", &RiskMark, &RiskLine},
    {"signOff", &SignOffMark, &SignOffLine},
};
inline constexpr std::size_t kMarkSlotCount = std::size(kMarkSlots);

using ItemMarks = std::array<ItemMark, kMarkSlotCount>;

ItemMarks MarksOf(const MarkSource& source);
// The tooltip lines of all slots, joined by line breaks.
QString MarkLines(const MarkSource& source);
// The marks as one number, for caching pictures drawn from them.
std::uint64_t MarksKey(const ItemMarks& marks);

// The width of the row of marks, with the gap in front of it.
int MarksWidth();
// Draws the row with its left edge (including the gap) at `topLeft`, in a 16 pixel high band.
void DrawMarks(QPainter& painter, const QPoint& topLeft, const ItemMarks& marks);

}  // namespace orvela
