#include "reports/engine/TemplateExpansion.h"

#include <algorithm>
#include <cstddef>

#include "model/TextUtils.h"

namespace orvela {

namespace {

// Repeating the body is defined as: fill the newest copy by replacing each placeholder
// over ALL the text accumulated so far, then append a fresh copy. Rescanning the older
// copies makes that quadratic, yet they normally hold no placeholder any more. So we keep
// a cut: no placeholder can start before it, whatever text is appended later. Each row
// then only rescans the text from the cut on, which gives the same bytes.
//
// The cut has to stop short of a placeholder left in the text (a value that holds
// placeholder text) and of a tail that could become one together with the next copy
// ("/VAR:DOCS:" at the end of the body). Then the rows after it are filled the slow way
// until that text has been replaced.

// True when a placeholder could start in [from, cut) and run on past `cut`.
bool MayStraddle(std::string_view text, std::size_t from, std::size_t cut,
                 const std::vector<std::string_view>& placeholders, std::size_t longest) {
  const std::size_t first = cut - std::min(cut - from, longest - 1);
  for (std::size_t start = first; start < cut; ++start) {
    const std::string_view tail = text.substr(start, cut - start);
    for (std::string_view placeholder : placeholders) {
      if (placeholder.size() > tail.size() && EqualsNoCase(tail, placeholder.substr(0, tail.size()))) {
        return true;
      }
    }
  }
  return false;
}

// The furthest cut at or after `from`, given that no placeholder can start before `from`.
std::size_t NextCut(std::string_view text, std::size_t from, const std::vector<std::string_view>& placeholders,
                    std::size_t longest) {
  const std::string_view rest = text.substr(from);
  std::size_t cut = text.size();
  for (std::string_view placeholder : placeholders) {
    const std::size_t position = FindNoCase(placeholder, rest);
    if (position != 0) cut = std::min(cut, from + position - 1);
  }
  while (cut > from && MayStraddle(text, from, cut, placeholders, longest)) --cut;
  return cut;
}

}  // namespace

void ReplaceSimplePlaceholders(std::string& text, const std::vector<SimplePlaceholder>& placeholders) {
  for (const SimplePlaceholder& p : placeholders) {
    text = ReplaceMatches(text, p.placeholder, p.text, true, true);
  }
}

std::string ExpandRows(const std::string& body, const ReportBlock& block) {
  if (block.rows.empty()) return body;
  std::size_t longest = 1;
  for (std::string_view placeholder : block.placeholders) longest = std::max(longest, placeholder.size());

  std::string done;       // the rows so far
  std::size_t cut = 0;    // no placeholder can start in done before this
  for (std::size_t r = 0; r < block.rows.size(); ++r) {
    std::string open = done.substr(cut) + body;
    done.resize(cut);
    const std::vector<std::string>& texts = block.rows[r];
    for (std::size_t k = 0; k < block.placeholders.size(); ++k) {
      open = ReplaceMatches(open, block.placeholders[k], texts[k], true, true);
    }
    done += open;
    if (r + 1 < block.rows.size()) cut = NextCut(done, cut, block.placeholders, longest);
  }
  return done;
}

void ExpandBlock(std::string& text, const ReportBlock& block) {
  const std::string start = block.startMarker();
  const std::string end = block.endMarker();

  if (block.rows.empty() && FindNoCase(start, text) != 0) {
    text = TextBefore(start, text) + TextAfter(end, text);
  }
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
  result += ExpandRows(body, block);
  result.append(text, endAt + end.size());
  text = std::move(result);
}

std::string ExpandTemplate(std::string text, const ReportSources& sources) {
  ReplaceSimplePlaceholders(text, sources.simple);
  for (const ReportBlock& block : sources.blocks) ExpandBlock(text, block);
  return text;
}

}  // namespace orvela
