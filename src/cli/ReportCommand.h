#pragma once
// report FILE TEMPLATE [-o OUT]: fills a report template with a work file, as the reports
// tab does; /VAR:FILENAME/ is the absolute path of FILE.
#include <functional>
#include <iosfwd>
#include <string>

#include "cli/CliApp.h"
#include "model/WorkFileData.h"

namespace orvela::cli {

struct ReportOptions {
  std::string file;
  std::string templatePath;
  std::string output;  // empty: standard output
};

// The local date and time of the system clock.
LocalDateTime SystemLocalTime();

int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err,
              const std::function<LocalDateTime()>& now = SystemLocalTime);
void RegisterReportCommand(CLI::App& app, CliContext& context);

}  // namespace orvela::cli
