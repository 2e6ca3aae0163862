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

bool TemplateIsMissing(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(std::filesystem::path(path), error);
  if (status.type() == std::filesystem::file_type::not_found) return true;
  return !error && std::filesystem::is_directory(status);
}

ReportResult BuildReportFromFile(const std::string& templatePath, const ReportInput& input) {
  if (TemplateIsMissing(templatePath)) {
    return {{}, "Die Reportdatei " + templatePath + " existiert nicht!"};
  }
  return {BuildReportText(ReadWholeFile(templatePath), input), {}};
}

}  // namespace orvela
