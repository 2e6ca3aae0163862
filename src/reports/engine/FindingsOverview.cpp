#include "reports/engine/FindingsOverview.h"

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"

namespace orvela {

std::vector<FindingRow> FillFindingsOverview(const RecordTree& structure) {
  std::vector<FindingRow> rows;
  structure.forEach([&rows](const RecordNode& item) {
    const std::string findings = item.record.value(key::FINDINGS);
    if (findings.empty()) return;
    const std::string itemId = item.record.value(key::ID);
    for (const std::string& entry : SplitAtChar(findings, kListSeparator)) {
      const FieldList finding = FieldList::fromCommaText(entry);
      std::string deadline = finding.value(key::DEADLINE);
      if (deadline == kNoDeadline) deadline.clear();
      std::string status = finding.value(key::STATUS);
      rows.push_back(FindingRow{
          std::to_string(rows.size() + 1),
          itemId,
          finding.value(key::NAME),
          FindingTypeDisplayText(finding.value(key::TYPE)),
          finding.value(key::RISK),
          finding.value(key::OU),
          finding.value(key::EVIDENCE),
          std::move(deadline),
          finding.value(key::DESCRIPTION),
          FindingStatusDisplayText(status),
          finding.value(key::RESPONSIBLE),
          status.empty() ? std::string("0") : std::move(status),
          finding.value(key::RESPONSE),
          finding.value(key::DONE_AT),
      });
    }
  });
  return rows;
}

std::vector<FindingRow> FillFindingsOverview(const WorkFileData& data) {
  return FillFindingsOverview(data.structure);
}

bool FindingRowOverdue(const FindingRow& row, const CalendarDate& today) {
  if (FindingStatusIndex(row[kFindingStatusStored]) >= kFindingStatusDone) return false;
  const std::optional<CalendarDate> deadline = ParseShortDate(row[kFindingDeadline]);
  if (!deadline) return false;
  const auto key = [](const CalendarDate& d) { return (d.year * 100 + d.month) * 100 + d.day; };
  return key(*deadline) < key(today);
}

bool FindingRowShown(const FindingRow& row, int statusIndex, bool overdueOnly, const CalendarDate& today) {
  if (statusIndex >= 0 && FindingStatusIndex(row[kFindingStatusStored]) != statusIndex) return false;
  return !overdueOnly || FindingRowOverdue(row, today);
}

const RecordNode* FindItemById(const RecordTree& structure, std::string_view id) {
  for (const RecordNode* item : structure.inTreeOrder()) {
    if (item->record.value(key::ID) == id) return item;
  }
  return nullptr;
}

}  // namespace orvela
