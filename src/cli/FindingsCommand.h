#pragma once
// findings PATH... [--format csv|json|sqlite] -o OUT: every finding of every work file
// named, folders searched for *.owp, as one table.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliApp.h"
#include "cli/FindingsOutput.h"
#include "cli/PortfolioReader.h"

namespace orvela::cli {

struct FindingsOptions {
  std::vector<std::string> paths;
  std::string output;
  std::string format;  // "csv", "json", "sqlite"; empty: by the extension of `output`
  bool noCheck = false;
  unsigned threads = 0;
};

// The format asked for: "csv" given on the command line is the CSV for tools (","
// without byte order mark); without --format, ".json" and ".sqlite"/".sqlite3"/".db" choose
// by extension and anything else is the CSV for spreadsheet programs.
FindingsFormat ChooseFindingsFormat(const std::string& format, const std::string& output);

// 0 when every file was read, 1 when any was skipped or the output failed.
int RunFindings(const FindingsOptions& options, std::ostream& out, std::ostream& err);
void RegisterFindingsCommand(CLI::App& app, CliContext& context);

}  // namespace orvela::cli
