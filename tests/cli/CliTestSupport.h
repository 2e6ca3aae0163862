#pragma once
// Running orvela-wp-cli's commands in the test process: arguments in, output and exit code out.
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliApp.h"

namespace orvela::test {

struct CliRun {
  int code;
  std::string out, err;
};

inline CliRun RunCommands(std::span<const cli::CommandRegistration> commands, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = cli::RunCli(args, commands, out, err);
  return {code, out.str(), err.str()};
}

}  // namespace orvela::test
