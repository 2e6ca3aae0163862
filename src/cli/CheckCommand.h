#pragma once
// check FILE…: the integrity test of each file, one line "OK", "DAMAGED" or "MISSING",
// a tab and the path.
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliApp.h"

namespace orvela::cli {

// 0 when every file is accepted, 1 when any is refused or missing, 2 when one exists but
// cannot be read (its reason goes to `err`).
int RunCheck(const std::vector<std::string>& files, std::ostream& out, std::ostream& err);
void RegisterCheckCommand(CLI::App& app, CliContext& context);

}  // namespace orvela::cli
