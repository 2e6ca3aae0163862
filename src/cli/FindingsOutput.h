#pragma once
// Where the findings command writes its rows: CSV, JSON or a SQLite database. Each output
// writes into a temporary file beside the target, row by row, and puts it in place only
// when finished, so that a failure leaves an existing target as it was.
#include <memory>
#include <string>

#include "cli/PortfolioRows.h"

namespace orvela::cli {

enum class FindingsFormat {
  SpreadsheetCsv,  // ";", byte order mark: what German spreadsheet programs open directly
  ToolCsv,         // ",", no byte order mark
  Json,
  Sqlite,
};

class FindingsOutput {
 public:
  virtual ~FindingsOutput() = default;
  virtual void add(const PortfolioFile& file) = 0;
  // Completes the output and puts it in place; without it nothing replaces the target.
  virtual void finish() = 0;
  // Whether add() wants the item rows too.
  virtual bool wantsItems() const { return false; }
};

// Throws FileError when the target cannot be written.
std::unique_ptr<FindingsOutput> MakeTextOutput(FindingsFormat format, const std::string& path);
std::unique_ptr<FindingsOutput> MakeDatabaseOutput(const std::string& path);

}  // namespace orvela::cli
