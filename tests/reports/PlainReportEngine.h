#pragma once
// The report replacement order done word for word: every row placeholder is replaced over
// all text accumulated so far. Quadratic, and therefore only the reference the engine is
// checked against (tests and fuzzer).
#include <string>

#include "model/TextUtils.h"
#include "reports/engine/ReportSources.h"

namespace orvela::plain {

inline void ExpandBlock(std::string& t, const ReportBlock& block) {
  const std::string s = block.startMarker();
  const std::string e = block.endMarker();
  const ReportRows rows = block.rows();
  if (rows.empty() && FindNoCase(s, t) != 0) t = TextBefore(s, t) + TextAfter(e, t);
  if (!(ContainsExact(t, s) && ContainsExact(t, e))) return;
  const std::string before = TextBefore(s, t);
  const std::string after = TextAfter(e, t);
  const long long bodyStart = static_cast<long long>(FindNoCase(s, t) + s.size());
  const long long endStart = static_cast<long long>(FindNoCase(e, t));
  std::string body = CopyText(t, bodyStart, endStart - bodyStart);
  body = ReplaceMatches(body, "\\par", "", false, true);
  std::string a = body;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    for (std::size_t k = 0; k < block.placeholders.size(); ++k) {
      a = ReplaceMatches(a, block.placeholders[k], rows[r][k], true, true);
    }
    if (r + 1 < rows.size()) a += body;
  }
  t = before + a + after;
}

inline std::string ExpandTemplate(std::string t, const ReportSources& sources) {
  for (const SimplePlaceholder& p : sources.simple) t = ReplaceMatches(t, p.placeholder, p.text, true, true);
  for (const ReportBlock& block : sources.blocks) ExpandBlock(t, block);
  return t;
}

}  // namespace orvela::plain
