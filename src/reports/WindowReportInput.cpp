#include "reports/WindowReportInput.h"

#include "model/Cp1252.h"
#include "reports/engine/ReportEngine.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/Utf8.h"

namespace orvela {
namespace {

std::string Utf8AsCp1252(std::string_view utf8) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::optional<unsigned char> byte = UnicodeToCp1252(rtf::NextUtf8(utf8, pos));
    out += byte ? char(*byte) : '?';
  }
  return out;
}

}  // namespace

ReportInput WindowReportInput(const WorkFileData& data, std::vector<FindingRow> findings,
                              const std::function<LocalDateTime()>& now) {
  ReportInput input = ReportInputOf(data);
  input.findings = std::move(findings);
  input.fileName = Utf8AsCp1252(data.fileName);
  // The description editor keeps the work file's description current; older files may
  // hold plain text there, which is taken as it is.
  input.description = rtf::IsRtf(data.description) ? rtf::PlainTextCp1252(rtf::ReadRtf(data.description))
                                                    : data.description;
  input.currentDate = ShortDateText(now());
  input.currentTime = LongTimeText(now());
  return input;
}

}  // namespace orvela
