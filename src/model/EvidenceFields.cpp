#include "model/EvidenceFields.h"

namespace orvela {

int FindingStatusIndex(std::string_view stored) {
  if (stored.size() == 1 && stored[0] >= '0' && stored[0] < '0' + kFindingStatusCount) return stored[0] - '0';
  return 0;
}

std::string FindingStatusText(int index) {
  static constexpr std::string_view kTexts[kFindingStatusCount] = {"offen", "in Umsetzung", "umgesetzt", "verifiziert"};
  return std::string(kTexts[index >= 0 && index < kFindingStatusCount ? index : 0]);
}

std::string FindingStatusDisplayText(std::string_view stored) { return FindingStatusText(FindingStatusIndex(stored)); }

}  // namespace orvela
