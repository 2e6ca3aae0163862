#pragma once
// The rules behind the structure tree's commands: where new, pasted and dropped items go,
// deleting with renumbering, moving without ever entering the own subtree, the clipboard
// packing of a subtree, the display text and the filter. The item model of the window
// wraps these calls in its insert/remove/move notifications.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/FieldList.h"
#include "model/RecordTree.h"
#include "model/WorkFileData.h"

namespace orvela {

// A place in the tree: in front of the current child `row` of `parent` (the tree's root for
// the top level); row == parent->childCount() appends. Rows are counted before anything
// is taken out for a move.
struct TreePosition {
  RecordNode* parent = nullptr;
  std::size_t row = 0;
  friend bool operator==(const TreePosition&, const TreePosition&) = default;
};

// "Neu": directly after the focused item on its level; without focus, last top-level item.
TreePosition NewItemPosition(RecordTree& tree, RecordNode* focused);
// "Neues Unterelement": last sub-item of the focused item; without focus, last top-level item.
TreePosition NewChildPosition(RecordTree& tree, RecordNode* focused);
// "... als Unterelement": first sub-item of the focused item; without focus, first top-level item.
TreePosition PasteAsChildPosition(RecordTree& tree, RecordNode* focused);
// "... auf gleicher Ebene": directly after the focused item; without focus, last top-level item.
TreePosition PasteAsSiblingPosition(RecordTree& tree, RecordNode* focused);

// Where the pointer is during a drop: on the item's text or images, in the upper or lower
// half of the rest of its row, or below the last item.
enum class DropZone { OnItem, Above, Below, Nowhere };
// The place a dropped item goes to; nothing when it would land inside its own subtree.
std::optional<TreePosition> DropPosition(RecordTree& tree, const RecordNode& dragged, RecordNode* target,
                                         DropZone zone);

// True when `node` may be moved to `pos`: the place is not inside the node's own subtree.
bool CanMoveTo(const RecordNode& node, const TreePosition& pos);
// The row `node` has under pos.parent after a move to `pos` (its own removal counted).
std::size_t RowAfterMove(const RecordNode& node, const TreePosition& pos);
// Moves the node with its sub-items, records unchanged. Returns false (and changes
// nothing) when the place lies inside the node's own subtree.
bool MoveItem(RecordTree& tree, RecordNode& node, const TreePosition& pos);

// Inserts a new item with its initial record (raising lastItemId) and returns it.
RecordNode* InsertNewItem(WorkFileData& data, const TreePosition& pos);
// Inserts a detached subtree and returns its top node.
RecordNode* InsertSubtree(RecordTree& tree, const TreePosition& pos, std::unique_ptr<RecordNode> node);

// The item that takes the focus when `node` goes away: its next sibling, else the previous
// one, else its parent; null when the tree becomes empty.
RecordNode* FocusAfterRemoval(const RecordNode& node);
// Deletes the item with all its sub-items and renumbers the tree.
void DeleteItem(WorkFileData& data, RecordNode& node);

// Clipboard and drag packing of one or more subtrees:
//   u32 number of items K (little-endian), then K entries in tree order (every item before
//   its sub-items, the roots one after the other), each entry: u32 number of direct
//   sub-items, then the item payload (SaveNodePayload: i32 length + BEL-delimited record).
std::string PackSubtrees(const std::vector<const RecordNode*>& roots);
// The subtrees of a packing, each a detached node with its sub-items (expanded flags off).
// Nothing when the bytes are truncated, inconsistent or followed by extra bytes.
std::optional<std::vector<std::unique_ptr<RecordNode>>> UnpackSubtrees(std::string_view bytes);

// A copy of the item with all its sub-items, records and expanded flags alike.
std::unique_ptr<RecordNode> CloneSubtree(const RecordNode& node);

// NAME, or "<noname>" when it is empty; with `withOutline` prefixed by the outline number
// and " - ". Windows-1252.
std::string ItemDisplayText(const RecordNode& item, bool withOutline);

// The two boxes of the filter strip, in the order of their entries.
enum class FilterKind { None, Mark, Hide };
enum class FilterCriterion {
  None,
  StateUndefined,
  StateUncompleted,
  StateCompleted,
  WithFindings,
  WithoutFindings,
  NotSignedOff,       // neither prepared nor reviewed
  NotReviewed,        // no review sign-off
  ChangedAfterReview  // reviewed, content changed since
};
// Whether an item record matches the criterion; work states compare exactly.
bool MatchesFilter(const FieldList& record, FilterCriterion criterion);

}  // namespace orvela
