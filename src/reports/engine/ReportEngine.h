#pragma once
// The report engine: fills an RTF template with the data of a work file.
#include <string>
#include <string_view>

#include "reports/engine/ReportInput.h"

namespace orvela {

// The report text for a template text; both are Windows-1252 bytes.
std::string BuildReportText(std::string_view templateText, const ReportInput& input);

struct ReportResult {
  std::string text;     // the report, when the template exists
  std::string warning;  // UTF-8; set (and text empty) when there is no template file
  bool ok() const { return warning.empty(); }
};

// True when there is no template file at `path`: nothing there, or a folder. Any other
// failure to look (no permission on the folder, say) is left to the read, which reports it.
bool TemplateIsMissing(const std::string& path);

// Reads the template at `templatePath` (a native path) and fills it. A template that does
// not exist (TemplateIsMissing) is answered by the warning the user is shown; one that exists but cannot be
// read throws FileError.
ReportResult BuildReportFromFile(const std::string& templatePath, const ReportInput& input);

}  // namespace orvela
