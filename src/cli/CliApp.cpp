#include "cli/CliApp.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <ostream>

namespace orvela::cli {

int RunCli(int argc, const char* const* argv, std::span<const CommandRegistration> commands, std::ostream& out,
           std::ostream& err) {
  CLI::App app{"Orvela WP – Arbeitspapiere einer Prüfung auf der Kommandozeile", "orvela-wp-cli"};
  app.set_version_flag("--version", kProgramVersion, "Programmversion zeigen und beenden");
  app.set_help_flag("-h,--help", "Diese Hilfe zeigen und beenden");
  app.require_subcommand(1);
  CliContext context{out, err};
  for (CommandRegistration add : commands) add(app, context);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help and --version end here too, with code 0.
    return app.exit(e, out, err) == 0 ? kExitOk : kExitUsage;
  } catch (const std::exception& e) {
    err << "orvela-wp-cli: " << e.what() << '\n';
    return kExitRefused;
  }
  return context.exitCode;
}

int RunCli(const std::vector<std::string>& args, std::span<const CommandRegistration> commands, std::ostream& out,
           std::ostream& err) {
  std::vector<const char*> argv{"orvela-wp-cli"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  return RunCli(static_cast<int>(argv.size()), argv.data(), commands, out, err);
}

}  // namespace orvela::cli
