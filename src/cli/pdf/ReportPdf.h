#pragma once
// The PDF form of `orvela-wp-cli report … -o OUT.pdf`: the report laid out by the renderer
// of the reports tab. Kept apart from the other commands, which stay without Qt; only the
// program links it.
#include <string>

#include "cli/CliApp.h"
#include "model/WorkFileData.h"

namespace CLI {
class App;
}

namespace orvela::cli {

// Writes the report RTF as PDF at `path`; `now` fills the date and time fields. Starts
// Qt's GUI module on the offscreen platform, so no display is needed.
bool WriteReportPdf(const std::string& reportRtf, const std::string& path, const LocalDateTime& now,
                    std::string& error);

// The report command with PDF output.
void RegisterReportCommandWithPdf(CLI::App& app, CliContext& context);

}  // namespace orvela::cli
