#include "reports/engine/ReportEngine.h"

#include <filesystem>
#include <system_error>

#include "model/TextUtils.h"
#include "reports/engine/ReportSources.h"
#include "reports/engine/TemplateExpansion.h"

namespace orvela {

std::string BuildReportText(std::string_view templateText, const ReportInput& input) {
  return ExpandTemplate(std::string(templateText), CollectReportSources(input));
}

ReportResult BuildReportFromFile(const std::string& templatePath, const ReportInput& input) {
  // Only a plain "no such file" is the missing template; any other failure to look
  // (no permission on the folder, say) is left to the read, which reports it.
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::path(templatePath), error) && !error) {
    return {{}, "Die Reportdatei " + templatePath + " existiert nicht!"};
  }
  return {BuildReportText(ReadWholeFile(templatePath), input), {}};
}

}  // namespace orvela
