#include "model/ItemMarks.h"

#include "model/ItemDetailRules.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"

namespace orvela {

int WorkStateMarkOf(const FieldList& item) { return WorkStateIndex(item.value(key::WORKSTATE)); }

RiskScale::RiskScale(std::string_view riskDefs) { update(riskDefs); }

void RiskScale::update(std::string_view riskDefs) {
  if (riskDefs == source_) return;
  source_ = std::string(riskDefs);
  texts_ = DefinitionDisplayTexts(riskDefs);
}

int RiskScale::rankOf(const FieldList& item) const {
  const std::string risk = item.value(key::RISK);
  if (risk.empty()) return -1;
  for (std::size_t i = 0; i < texts_.size(); ++i)
    if (EqualsNoCase(texts_[i], risk)) return static_cast<int>(i);
  return -1;
}

int RiskLevel(int rank, int count) {
  if (rank < 0 || rank >= count) return -1;
  if (count == 1) return kRiskLevels / 2;
  // Rounded to the nearest level.
  return (rank * (kRiskLevels - 1) * 2 + (count - 1)) / ((count - 1) * 2);
}

}  // namespace orvela
