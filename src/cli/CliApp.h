#pragma once
// The frame of orvela-wp-cli: each subcommand registers itself on the CLI11 app; the
// program's main() passes its list of registrations to RunCli. Adding a command is one
// more entry in that list.
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace orvela::cli {

inline constexpr const char* kProgramVersion = "1.10";

// Exit codes shared by the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;  // a file refused, unreadable or bad input
inline constexpr int kExitUsage = 2;    // also: check found a file it cannot read

struct CliContext {
  std::ostream& out;
  std::ostream& err;
  int exitCode = kExitOk;  // set by the command that ran
};

// Adds one subcommand to `app`; its callback runs the command and sets context.exitCode.
using CommandRegistration = void (*)(CLI::App& app, CliContext& context);

int RunCli(int argc, const char* const* argv, std::span<const CommandRegistration> commands, std::ostream& out,
           std::ostream& err);
// The same with the arguments after the program name, for tests.
int RunCli(const std::vector<std::string>& args, std::span<const CommandRegistration> commands, std::ostream& out,
           std::ostream& err);

}  // namespace orvela::cli
