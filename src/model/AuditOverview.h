#pragma once
// The audit at a glance: the items' work states per top-level area, the findings by risk,
// by type and by how near their deadlines are, and the findings whose deadline has passed.
// Counted afresh from the work-file data; the overview tab draws these figures.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/FindingRules.h"
#include "model/ItemDetailRules.h"
#include "model/WorkFileData.h"

namespace orvela {

// A top-level item and every item below it, itself included, counted by work state
// (indexed as WorkStateIndex: a text other than the three stored ones counts as "not
// defined").
struct AreaProgress {
  std::string itemId;
  std::string name;  // Windows-1252, "<noname>" for an empty NAME
  std::array<std::size_t, kWorkStateCount> byWorkState{};
  std::size_t total() const;
  friend bool operator==(const AreaProgress&, const AreaProgress&) = default;
};

// A stored value (Windows-1252) and how many findings carry it.
struct CountedValue {
  std::string text;
  std::size_t count = 0;
  friend bool operator==(const CountedValue&, const CountedValue&) = default;
};

// Done: the finding is "umgesetzt" or "verifiziert", so its deadline no longer presses.
enum class DeadlineBucket { Overdue, DueSoon, Later, Done, None };
inline constexpr std::size_t kDeadlineBucketCount = 5;
// "Due soon": from today up to this many days ahead, both days included.
inline constexpr int kDueSoonDays = 30;

struct OverdueFinding {
  std::string itemId;
  std::string itemName;  // as AreaProgress::name
  std::string name;
  std::string risk;
  CalendarDate deadline;
  friend bool operator==(const OverdueFinding&, const OverdueFinding&) = default;
};

struct AuditOverview {
  std::vector<AreaProgress> areas;  // in tree order
  // The risk definitions' entries first, in list order, also when no finding has them; a
  // finding's risk matches an entry without regard to case. Then the other risks in the
  // order first met; findings without a risk last, as an empty text.
  std::vector<CountedValue> findingsByRisk;
  // Indexed by type: "nicht definiert" (also an empty, "-1" or unknown TYPE), "Empfehlung",
  // "Maßnahme".
  std::array<std::size_t, kFindingTypeCount> findingsByType{};
  std::array<std::size_t, kDeadlineBucketCount> findingsByDeadline{};  // indexed by DeadlineBucket
  std::vector<OverdueFinding> overdue;  // longest overdue first, tree order among equal deadlines

  std::size_t items() const;
  std::size_t findings() const;
  friend bool operator==(const AuditOverview&, const AuditOverview&) = default;
};

// Where a stored DEADLINE stands on `today`: before it is overdue, up to kDueSoonDays
// after it due soon, beyond that later. An empty text, the "no deadline" date and a text
// that is not a date have no deadline.
DeadlineBucket DeadlineBucketOf(std::string_view stored, CalendarDate today);

AuditOverview CountAuditOverview(const WorkFileData& data, CalendarDate today);

}  // namespace orvela
