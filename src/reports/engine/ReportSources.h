#pragma once
// The placeholders of a report and the texts they stand for, collected from a ReportInput.
// Both the simple placeholders and every block row carry the text exactly as it is
// inserted (escaped for RTF, running numbers as they are).
#include <string>
#include <string_view>
#include <vector>

#include "reports/engine/ReportInput.h"

namespace orvela {

struct SimplePlaceholder {
  std::string_view placeholder;  // "/VAR:FILENAME/"
  std::string text;
};

struct ReportBlock {
  std::string_view name;                       // "FINDINGS", between "/SCAN(" and ")/"
  std::vector<std::string_view> placeholders;  // row placeholders in replacement order
  std::vector<std::vector<std::string>> rows;  // per row one text per placeholder

  std::string startMarker() const;  // "/SCAN(FINDINGS)/"
  std::string endMarker() const;    // "/ENDSCAN(FINDINGS)/"
};

struct ReportSources {
  std::vector<SimplePlaceholder> simple;  // in replacement order
  std::vector<ReportBlock> blocks;        // in processing order
};

ReportSources CollectReportSources(const ReportInput& input);

}  // namespace orvela
