#include "reports/engine/TemplateExpansion.h"

#include <cstddef>

#include "model/TextUtils.h"
#include "reports/engine/RowExpansion.h"

namespace orvela {

void ReplaceSimplePlaceholders(std::string& text, const std::vector<SimplePlaceholder>& placeholders) {
  for (const SimplePlaceholder& p : placeholders) {
    text = ReplaceMatches(text, p.placeholder, p.text, true, true);
  }
}

void ExpandBlock(std::string& text, const ReportBlock& block) {
  const std::string start = block.startMarker();
  // Both steps below need the start marker, in some letter case.
  if (FindNoCase(start, text) == 0) return;
  const std::string end = block.endMarker();
  const ReportRows rows = block.rows();

  if (rows.empty()) text = TextBefore(start, text) + TextAfter(end, text);
  // Only markers spelt exactly open a block; the markers are then found ignoring case,
  // each from the beginning of the text.
  if (!ContainsExact(text, start) || !ContainsExact(text, end)) return;
  const std::size_t startAt = FindNoCase(start, text) - 1;
  const std::size_t endAt = FindNoCase(end, text) - 1;
  const std::size_t bodyAt = startAt + start.size();
  std::string body = endAt > bodyAt ? text.substr(bodyAt, endAt - bodyAt) : std::string();
  // The paragraph mark after a start marker that ends its line.
  body = ReplaceMatches(body, "\\par", "", false, true);

  std::string result = text.substr(0, startAt);
  result += ExpandRows(body, block.placeholders, rows);
  result.append(text, endAt + end.size());
  text = std::move(result);
}

std::string ExpandTemplate(std::string text, const ReportSources& sources) {
  ReplaceSimplePlaceholders(text, sources.simple);
  for (const ReportBlock& block : sources.blocks) ExpandBlock(text, block);
  return text;
}

}  // namespace orvela
