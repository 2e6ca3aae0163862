#include "cli/CheckCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <ostream>

#include "model/TextUtils.h"
#include "storage/Envelope.h"

namespace orvela::cli {

int RunCheck(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
  int code = kExitOk;
  for (const std::string& path : files) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
      out << "MISSING\t" << path << '\n';
      code = std::max(code, kExitRefused);
      continue;
    }
    try {
      const bool accepted = CheckFileIntegrity(path);
      out << (accepted ? "OK" : "DAMAGED") << '\t' << path << '\n';
      if (!accepted) code = std::max(code, kExitRefused);
    } catch (const FileError& e) {
      err << "orvela-wp-cli: " << e.what() << '\n';
      code = kExitUsage;
    }
  }
  return code;
}

void RegisterCheckCommand(CLI::App& app, CliContext& context) {
  auto files = std::make_shared<std::vector<std::string>>();
  CLI::App* check = app.add_subcommand("check", "Integrität von Arbeitsdateien prüfen (OK, DAMAGED oder MISSING)");
  check->add_option("FILE", *files, "Arbeitsdatei (*.owp)")->required();
  check->callback([files, &context] { context.exitCode = RunCheck(*files, context.out, context.err); });
}

}  // namespace orvela::cli
