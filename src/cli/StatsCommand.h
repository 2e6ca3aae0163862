#pragma once
// stats FILE... [--json]: per work file the items by work state, the findings by risk and
// by type, and the documents, as aligned text or JSON.
#include <iosfwd>
#include <utility>
#include <string>
#include <vector>

#include "cli/CliApp.h"
#include "model/WorkFileData.h"

namespace orvela::cli {

struct FileStats {
  std::string file;
  std::size_t items = 0, findings = 0, documents = 0;
  // Stored value (Windows-1252) and count, in the order first met; the work states and
  // types the program knows come first, also when none has them. Empty is a value too.
  using Counts = std::vector<std::pair<std::string, std::size_t>>;
  Counts byWorkState, byRisk, byType;
};

FileStats StatsOf(const std::string& file, const WorkFileData& data);
// The aligned text of one file, UTF-8.
std::string StatsText(const FileStats& stats);

struct StatsOptions {
  std::vector<std::string> paths;
  bool json = false;
  bool noCheck = false;
};

int RunStats(const StatsOptions& options, std::ostream& out, std::ostream& err);
void RegisterStatsCommand(CLI::App& app, CliContext& context);

}  // namespace orvela::cli
