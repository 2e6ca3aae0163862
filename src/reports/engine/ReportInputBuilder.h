#pragma once
// What a report is made from, built from the work-file data as it is at the moment of the
// run. The work-file window and the command line both build it here, so that the same
// work file gives the same report in both.
#include <functional>
#include <string>
#include <vector>

#include "model/WorkFileData.h"
#include "reports/engine/ReportInput.h"

namespace orvela {

struct BuiltReportInput {
  ReportInput input;  // points into the data, which must outlive it
  // One text (UTF-8) for each value in which characters Windows-1252 cannot hold were
  // replaced by "?": the user is told, nothing changes silently.
  std::vector<std::string> notes;
};

// The file name is the full path of `data.fileName` (relative paths are taken from the
// current folder; empty while the window is untitled); the description is the plain text
// of its RTF, or the stored text when it is not RTF. The clock is read once for the date
// and again for the time.
BuiltReportInput BuildReportInput(const WorkFileData& data, const std::function<LocalDateTime()>& now);

}  // namespace orvela
