#pragma once
// What a report of the work-file window is made from: the window's data as it is at the
// moment of the run, the rows of its findings overview and the clock.
#include <functional>
#include <vector>

#include "model/WorkFileData.h"
#include "reports/engine/FindingsOverview.h"
#include "reports/engine/ReportInput.h"

namespace orvela {

// The result points into `data`, which must outlive it. The file name (a native path)
// and the description's plain text are turned into Windows-1252; a character it cannot
// hold shows as "?". The clock is read once for the date and again for the time.
ReportInput WindowReportInput(const WorkFileData& data, std::vector<FindingRow> findings,
                              const std::function<LocalDateTime()>& now);

}  // namespace orvela
