#pragma once
// The placeholders of a report and the texts they stand for, collected from a ReportInput.
// Both the simple placeholders and every block row carry the text exactly as it is
// inserted (escaped for RTF, running numbers as they are).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "reports/engine/ReportInput.h"

namespace orvela {

struct SimplePlaceholder {
  std::string_view placeholder;  // "/VAR:FILENAME/"
  std::string text;
};

// Per row one text per placeholder.
using ReportRows = std::vector<std::vector<std::string>>;

struct ReportBlock {
  std::string_view name;                       // "FINDINGS", between "/SCAN(" and ")/"
  // Row placeholders in replacement order; each is "/" + a name without "/" + "/".
  std::vector<std::string_view> placeholders;
  // Builds the rows; called only for a block the template holds.
  std::function<ReportRows()> rows;

  std::string startMarker() const;  // "/SCAN(FINDINGS)/"
  std::string endMarker() const;    // "/ENDSCAN(FINDINGS)/"
};

struct ReportSources {
  std::vector<SimplePlaceholder> simple;  // in replacement order
  std::vector<ReportBlock> blocks;        // in processing order
};

// The blocks' rows read `input` (and the trees it points to) when they are built, so it
// must outlive the result.
ReportSources CollectReportSources(const ReportInput& input);

}  // namespace orvela
