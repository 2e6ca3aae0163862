#pragma once
// An edited document gets back what its editor cannot hold from the document it was
// filled from: the page set-up, the headers and footers, and the geometry of its tables
// (row indents, gaps and heights, header rows, cells merged the way the file merged them,
// borders, shading). The edited text stays as it is.
#include "Document.h"

namespace orvela::rtf {

// Tables are paired in order at each level. A row takes the original's properties when
// its cells match the original's cells one to one, or one to one with the original's
// horizontally merged runs (a merge the editor holds as one wide cell); rows and tables
// of another shape — the user changed them — stay as edited.
void CarryOverLayout(const Document& original, Document& edited);

}  // namespace orvela::rtf
