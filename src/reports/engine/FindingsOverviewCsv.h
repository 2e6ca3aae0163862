#pragma once
// The findings overview as a CSV file for German spreadsheet programs: UTF-8 with byte
// order mark, ";" between fields, CR LF, the column captions first, dates as dd.mm.yyyy.
#include <string>
#include <vector>

#include "reports/engine/FindingsOverview.h"

namespace orvela {

// The rows in the order given, each cell in full (line breaks kept).
std::string FindingsOverviewCsv(const std::vector<const FindingRow*>& rows);

}  // namespace orvela
