#include "cli/ImportCommand.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

#include "cli/JsonForm.h"
#include "model/TextUtils.h"
#include "storage/WorkFileStorage.h"

namespace orvela::cli {

int RunImport(const std::string& jsonFile, const std::string& output, std::ostream&, std::ostream& err) {
  std::string text;
  try {
    text = ReadWholeFile(jsonFile);
  } catch (const std::exception& e) {
    err << "orvela-wp-cli: " << e.what() << '\n';
    return kExitRefused;
  }
  WorkFileData data;
  try {
    WorkFileFromJson(text, data);
  } catch (const JsonFormError& e) {
    err << "orvela-wp-cli: " << jsonFile << ": " << e.what() << '\n';
    return kExitRefused;
  }
  try {
    WriteWorkFile(data, output);
  } catch (const std::exception& e) {
    err << "orvela-wp-cli: " << e.what() << '\n';
    return kExitRefused;
  }
  return kExitOk;
}

void RegisterImportCommand(CLI::App& app, CliContext& context) {
  auto json = std::make_shared<std::string>();
  auto output = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("import", "Arbeitsdatei aus JSON schreiben");
  cmd->add_option("JSON", *json, "JSON-Datei")->required();
  cmd->add_option("-o,--output", *output, "Arbeitsdatei, die geschrieben wird (*.owp)")->required();
  cmd->callback([json, output, &context] { context.exitCode = RunImport(*json, *output, context.out, context.err); });
}

}  // namespace orvela::cli
