#pragma once
// The text work of a report: simple placeholders, then the blocks, on the raw template
// text. The result is byte for byte what replacing placeholder after placeholder over the
// whole text gives, but a block costs time linear in its output, and a block the
// template does not hold costs nothing (its rows are not even built).
#include <string>
#include <vector>

#include "reports/engine/ReportSources.h"

namespace orvela {

// Every occurrence of each placeholder, letter case ignored, in table order.
void ReplaceSimplePlaceholders(std::string& text, const std::vector<SimplePlaceholder>& placeholders);

// Removes the block when it has no rows, otherwise repeats its body once per row.
void ExpandBlock(std::string& text, const ReportBlock& block);

std::string ExpandTemplate(std::string text, const ReportSources& sources);

}  // namespace orvela
