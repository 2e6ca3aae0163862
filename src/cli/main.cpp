// orvela-wp-cli: the work file from the command line.
#include <iostream>

#include "cli/CheckCommand.h"
#include "cli/CliApp.h"
#include "cli/ExportCommand.h"
#include "cli/FindingsCommand.h"
#include "cli/ImportCommand.h"
#include "cli/ReportCommand.h"
#include "cli/StatsCommand.h"
#ifdef ORVELA_CLI_PDF
#include "cli/pdf/ReportPdf.h"
#endif

namespace {

// Every subcommand of the program; a new command is one more entry.
constexpr orvela::cli::CommandRegistration kCommands[] = {
    orvela::cli::RegisterCheckCommand,
    orvela::cli::RegisterExportCommand,
    orvela::cli::RegisterImportCommand,
#ifdef ORVELA_CLI_PDF
    orvela::cli::RegisterReportCommandWithPdf,
#else
    orvela::cli::RegisterReportCommand,
#endif
    orvela::cli::RegisterFindingsCommand,
    orvela::cli::RegisterStatsCommand,
};

}  // namespace

int main(int argc, char** argv) { return orvela::cli::RunCli(argc, argv, kCommands, std::cout, std::cerr); }
