#pragma once
// The structure tree on the clipboard and in drags. The tree's own format holds the packed
// item payloads of a subtree (PackSubtrees); for other programs the same items are offered
// as text rendered from their display texts (plain, CSV, HTML, RTF).
#include <memory>
#include <optional>
#include <vector>

#include "model/RecordTree.h"

class QMimeData;

namespace orvela {

// The tree's own format, registered with the desktop under this name.
inline constexpr char kStructureMimeType[] = "application/x-orvela-virtual-tree-data";

// Clipboard data of items with all their sub-items; `withOutline` puts the outline numbers
// into the text renderings, as the tree shows them.
QMimeData* NewStructureMimeData(const std::vector<const RecordNode*>& roots, bool withOutline);
bool HasStructureData(const QMimeData* mime);
// The items of the tree's own format as detached subtrees; nothing when absent or unreadable.
std::optional<std::vector<std::unique_ptr<RecordNode>>> StructureItemsOf(const QMimeData* mime);

}  // namespace orvela
