#include "reports/engine/FindingsOverviewCsv.h"

#include "model/Cp1252.h"
#include "model/CsvText.h"

namespace orvela {

std::string FindingsOverviewCsv(const std::vector<const FindingRow*>& rows) {
  std::string csv(kUtf8ByteOrderMark);
  std::vector<std::string> fields;
  for (const FindingColumnInfo& column : kFindingColumns) fields.emplace_back(column.caption);
  AppendCsvRow(csv, fields, ';');
  for (const FindingRow* row : rows) {
    fields.clear();
    for (std::size_t column = 0; column < kFindingColumnCount; ++column) fields.push_back(Cp1252ToUtf8((*row)[column]));
    fields[kFindingDeadline] = PaddedDate(fields[kFindingDeadline]);
    AppendCsvRow(csv, fields, ';');
  }
  return csv;
}

}  // namespace orvela
