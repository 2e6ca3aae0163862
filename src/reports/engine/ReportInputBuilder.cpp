#include "reports/engine/ReportInputBuilder.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

#include "model/Cp1252.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"

namespace orvela {

namespace {

std::string FullPath(const std::string& fileName) {
  if (fileName.empty()) return {};
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
  return (error ? std::filesystem::path(fileName) : absolute).lexically_normal().string();
}

}  // namespace

BuiltReportInput BuildReportInput(const WorkFileData& data, const std::function<LocalDateTime()>& now) {
  BuiltReportInput built;
  ReportInput& input = built.input;

  const std::string path = FullPath(data.fileName);
  bool pathReplaced = false;
  input.fileName = Utf8ToCp1252Lossy(path, &pathReplaced);
  if (pathReplaced) {
    built.notes.push_back("Der Pfad " + path +
                          " enth\xC3\xA4lt Zeichen, die Windows-1252 nicht kennt; sie erscheinen im Bericht als \"?\".");
  }
  bool descriptionReplaced = false;
  input.description = rtf::IsRtf(data.description)
                          ? Utf8ToCp1252Lossy(rtf::PlainText(rtf::ReadRtf(data.description)), &descriptionReplaced)
                          : data.description;
  if (descriptionReplaced) {
    built.notes.push_back(
        "Die Projektbeschreibung enth\xC3\xA4lt Zeichen, die Windows-1252 nicht kennt; sie erscheinen im Bericht "
        "als \"?\".");
  }

  input.createdBy = data.createdBy;
  input.createdAt = data.createdAt;
  input.savedBy = data.savedBy;
  input.savedAt = data.savedAt;
  input.currentDate = ShortDateText(now());
  input.currentTime = LongTimeText(now());  // the clock is read again
  input.generalDefs = data.generalDefs;
  input.riskDefs = data.riskDefs;
  input.ouDefs = data.ouDefs;
  input.staffDefs = data.staffDefs;
  input.documents = &data.documents;
  input.structure = &data.structure;
  return built;
}

}  // namespace orvela
