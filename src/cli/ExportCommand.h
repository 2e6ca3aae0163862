#pragma once
// export FILE [-o OUT] [--check]: loads a work file as the window does (renumbered after
// reading) and writes it as JSON.
#include <iosfwd>
#include <string>

#include "cli/CliApp.h"

namespace orvela::cli {

struct ExportOptions {
  std::string file;
  std::string output;  // empty: standard output
  bool check = false;  // run the integrity test first
};

int RunExport(const ExportOptions& options, std::ostream& out, std::ostream& err);
void RegisterExportCommand(CLI::App& app, CliContext& context);

}  // namespace orvela::cli
