#pragma once
// import JSON -o FILE: writes a work file (envelope and XML) from the JSON form, with the
// stamps as given.
#include <iosfwd>
#include <string>

#include "cli/CliApp.h"

namespace orvela::cli {

int RunImport(const std::string& jsonFile, const std::string& output, std::ostream& out, std::ostream& err);
void RegisterImportCommand(CLI::App& app, CliContext& context);

}  // namespace orvela::cli
