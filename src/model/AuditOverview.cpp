#include "model/AuditOverview.h"

#include <algorithm>
#include <chrono>
#include <numeric>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/StructureCommands.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

std::chrono::sys_days DaysOf(const CalendarDate& date) {
  return std::chrono::sys_days{std::chrono::year{date.year} / std::chrono::month{unsigned(date.month)} /
                               std::chrono::day{unsigned(date.day)}};
}

std::size_t TypeIndex(std::string_view stored) {
  if (stored == "1") return 1;
  if (stored == "2") return 2;
  return 0;
}

void CountRisk(std::vector<CountedValue>& byRisk, const std::string& risk) {
  const auto found = std::find_if(byRisk.begin(), byRisk.end(),
                                  [&risk](const CountedValue& entry) { return EqualsNoCase(entry.text, risk); });
  if (found != byRisk.end())
    ++found->count;
  else
    byRisk.push_back({risk, 1});
}

}  // namespace

std::size_t AreaProgress::total() const { return std::accumulate(byWorkState.begin(), byWorkState.end(), std::size_t{0}); }

std::size_t AuditOverview::items() const {
  std::size_t sum = 0;
  for (const AreaProgress& area : areas) sum += area.total();
  return sum;
}

std::size_t AuditOverview::findings() const {
  return std::accumulate(findingsByType.begin(), findingsByType.end(), std::size_t{0});
}

DeadlineBucket DeadlineBucketOf(std::string_view stored, CalendarDate today) {
  const std::optional<CalendarDate> date = ParseShortDate(stored);
  if (!date || *date == kNoDeadlineDate) return DeadlineBucket::None;
  const auto days = (DaysOf(*date) - DaysOf(today)).count();
  if (days < 0) return DeadlineBucket::Overdue;
  return days <= kDueSoonDays ? DeadlineBucket::DueSoon : DeadlineBucket::Later;
}

AuditOverview CountAuditOverview(const WorkFileData& data, CalendarDate today) {
  AuditOverview overview;
  for (const std::string& entry : DefinitionDisplayTexts(data.riskDefs)) overview.findingsByRisk.push_back({entry, 0});
  std::size_t withoutRisk = 0;

  for (const auto& top : data.structure.root().children()) {
    AreaProgress area{top->record.value(key::ID), ItemDisplayText(*top, false), {}};
    for (const RecordNode* item = top.get(); item && item->isWithin(top.get()); item = NextInTreeOrder(item)) {
      ++area.byWorkState[std::size_t(WorkStateIndex(item->record.value(key::WORKSTATE)))];
      const std::string findings = item->record.value(key::FINDINGS);
      if (findings.empty()) continue;
      for (const std::string& entry : SplitListText(findings)) {
        const FieldList finding = FieldList::fromCommaText(entry);
        ++overview.findingsByType[TypeIndex(finding.value(key::TYPE))];
        const std::string risk = finding.value(key::RISK);
        if (risk.empty())
          ++withoutRisk;
        else
          CountRisk(overview.findingsByRisk, risk);
        const std::string deadline = finding.value(key::DEADLINE);
        const DeadlineBucket bucket = FindingStatusIndex(finding.value(key::STATUS)) >= kFindingStatusDone
                                          ? DeadlineBucket::Done
                                          : DeadlineBucketOf(deadline, today);
        ++overview.findingsByDeadline[std::size_t(bucket)];
        if (bucket == DeadlineBucket::Overdue)
          overview.overdue.push_back({item->record.value(key::ID), ItemDisplayText(*item, false),
                                      finding.value(key::NAME), risk, *ParseShortDate(deadline)});
      }
    }
    overview.areas.push_back(std::move(area));
  }
  if (withoutRisk > 0) overview.findingsByRisk.push_back({std::string(), withoutRisk});
  std::stable_sort(overview.overdue.begin(), overview.overdue.end(), [](const OverdueFinding& a, const OverdueFinding& b) {
    return DaysOf(a.deadline) < DaysOf(b.deadline);
  });
  return overview;
}

}  // namespace orvela
