#pragma once
// The rows of the findings overview: every finding of every structure item, in tree order.
// The overview list of the work-file window shows these rows and the report engine reads
// them; both take the cells by position.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/FindingRules.h"
#include "model/RecordTree.h"
#include "model/WorkFileData.h"

namespace orvela {

enum FindingColumn : std::size_t {
  kFindingNumber,       // "#": running number from 1 over the whole overview
  kFindingItemId,       // "Objekt ID": ID of the item that carries the finding
  kFindingName,         // "Elementbezeichnung"
  kFindingType,         // "Typ": display text of TYPE
  kFindingRisk,         // "Risiko"
  kFindingOu,           // "OE": comma text as stored
  kFindingEvidence,     // "Nachweis": comma text of document IDs as stored
  kFindingDeadline,     // "Termin": empty for the "no deadline" date
  kFindingDescription,  // "Beschreibung"
  kFindingStatus,       // "Status": display text of STATUS
  kFindingResponsible,  // "Verantwortlich"
  kFindingColumnCount,
  // Cells that are no column of the list: what reports and filters read besides.
  kFindingStatusStored = kFindingColumnCount,  // STATUS as stored, "0" when empty
  kFindingResponse,                            // RESPONSE
  kFindingDoneAt,                              // DONE-AT as stored
  kFindingCellCount
};

// Windows-1252 cells: one per column, then the further cells.
using FindingRow = std::array<std::string, kFindingCellCount>;

struct FindingColumnInfo {
  std::string_view caption;
  int width;  // pixels
};
inline constexpr std::array<FindingColumnInfo, kFindingColumnCount> kFindingColumns{{
    {"#", 30},
    {"Objekt ID", 70},
    {"Elementbezeichnung", 120},
    {"Typ", 110},
    {"Risiko", 110},
    {"OE", 80},
    {"Nachweis", 50},
    {"Termin", 70},
    {"Beschreibung", 180},
    {"Status", 90},
    {"Verantwortlich", 110},
}};

// Rebuilds the overview from the item records as they are now, collapsed and filtered
// items included.
std::vector<FindingRow> FillFindingsOverview(const RecordTree& structure);
std::vector<FindingRow> FillFindingsOverview(const WorkFileData& data);

// Overdue: its deadline is a date before `today` and its follow-up has not reached
// "umgesetzt". A deadline that is no date is never overdue.
bool FindingRowOverdue(const FindingRow& row, const CalendarDate& today);
// The findings overview's filter: `statusIndex` -1 for every status, else 0 to 3 as shown
// (an unknown stored status counts as "offen"); `overdueOnly` keeps the overdue rows.
bool FindingRowShown(const FindingRow& row, int statusIndex, bool overdueOnly, const CalendarDate& today);

// The first item in tree order whose ID equals `id` exactly, or null (the row of an
// overview taken before the structure changed may name an item that is gone).
const RecordNode* FindItemById(const RecordTree& structure, std::string_view id);

}  // namespace orvela
