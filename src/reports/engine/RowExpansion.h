#pragma once
// Repeating a block body once per row, as the report defines it: fill the newest copy by
// replacing each row placeholder, in order, over ALL the text made so far, then append a
// fresh copy. Older copies keep placeholders only where a value brought placeholder text
// along or where copies meet, yet the definition rescans them for every row.
//
// The text is kept as a list of pieces of the body and the values, cut before every "/".
// A row placeholder is "/" + a name without "/" + "/", so it can only start at a piece
// that begins with "/", and only where the text up to the next such piece is its name.
// Those places are tracked as the text changes: each insertion or appended copy looks at
// the "/" pieces it brings and at the last "/" before it. A pass then visits only the
// places where its placeholder stands, so the work grows with the text made, not with its
// square, and the bytes are those of the definition.
#include <string>
#include <string_view>
#include <vector>

#include "reports/engine/ReportSources.h"

namespace orvela {

// `placeholders` as in ReportBlock; `rows` one text per placeholder. No rows: the body.
std::string ExpandRows(std::string_view body, const std::vector<std::string_view>& placeholders,
                       const ReportRows& rows);

}  // namespace orvela
