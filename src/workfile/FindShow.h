#pragma once
// Showing where a hit of the find bar is: the tab, the item with the panel's tab and the
// text selected, the finding's row, the document's row, the entry in the project
// properties dialog, the text in the description editor.
#include <QString>
#include <cstddef>
#include <string>

namespace orvela {

struct FindHit;
class TfrmWorkFile;

// `length` is the length of the hit in the field's text; `descriptionText` the plain text
// the description was searched in. Returns what the status bar should say about the place
// (empty for nothing).
QString ShowFindHit(TfrmWorkFile& window, const FindHit& hit, std::size_t length, const std::string& descriptionText);

}  // namespace orvela
