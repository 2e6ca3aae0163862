#pragma once
// The text work of a report: simple placeholders, then the blocks, on the raw template
// text. The result is byte for byte what replacing placeholder after placeholder over the
// whole text gives, but a block costs time linear in its output.
#include <string>
#include <string_view>
#include <vector>

#include "reports/engine/ReportSources.h"

namespace orvela {

// Every occurrence of each placeholder, letter case ignored, in table order.
void ReplaceSimplePlaceholders(std::string& text, const std::vector<SimplePlaceholder>& placeholders);

// Removes the block when it has no rows, otherwise repeats its body once per row.
void ExpandBlock(std::string& text, const ReportBlock& block);

// The rows of a block: the body once per row, each copy filled with its row's texts.
std::string ExpandRows(const std::string& body, const ReportBlock& block);

std::string ExpandTemplate(std::string text, const ReportSources& sources);

}  // namespace orvela
