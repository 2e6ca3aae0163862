#pragma once
// What the structure tree shows beside an item's images at a glance: its work state and
// the rank of its risk among the work file's risk definitions. The tree draws these; the
// rules of what they are live here.
#include <string>
#include <string_view>
#include <vector>

#include "model/FieldList.h"

namespace orvela {

// 0 not defined (also an absent or unknown WORKSTATE, as the detail panel shows it),
// 1 not completed, 2 completed.
int WorkStateMarkOf(const FieldList& item);

// The risk definitions' display texts, read once for many items.
class RiskScale {
 public:
  RiskScale() = default;
  explicit RiskScale(std::string_view riskDefs);
  // Read again only when the list text differs from the one read last.
  void update(std::string_view riskDefs);
  // The place (0 = first) of the entry the item's RISK names, letter case ignored; -1 when
  // RISK is empty or names no entry.
  int rankOf(const FieldList& item) const;
  int size() const { return static_cast<int>(texts_.size()); }

 private:
  std::string source_;
  std::vector<std::string> texts_;
};

// Levels of the risk mark, from the lowest (first entry) to the highest (last entry).
inline constexpr int kRiskLevels = 5;
// The level of a rank among `count` entries, spread over 0 … kRiskLevels-1 so the first
// entry is always 0 and the last kRiskLevels-1; -1 for no rank. A single entry is the
// middle level, as nothing says whether it is high or low.
int RiskLevel(int rank, int count);

}  // namespace orvela
