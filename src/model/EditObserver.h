#pragma once
// What the edit layer tells about every change of the work-file data, so that item models,
// panels and the window follow without anyone announcing changes by hand. Nodes are
// announced before and after they come, go or move, so a Qt item model can wrap the
// change in its begin/end notifications.
#include <cstddef>

namespace orvela {

class EditCommand;
class RecordNode;

enum class DataTree { Structure, Documents };

// The scalar texts of the work-file data.
enum class DataField { GeneralDefs, RiskDefs, OuDefs, StaffDefs, Description, SavedBy, SavedAt };

// How a command reached the data: run for the first time, taken back, or run again.
enum class EditDirection { Do, Undo, Redo };

class EditObserver {
 public:
  virtual ~EditObserver() = default;
  // `row` is the place under `parent` (the tree's root for the top level).
  virtual void nodeAboutToBeInserted(DataTree, RecordNode& /*parent*/, std::size_t /*row*/) {}
  virtual void nodeInserted(DataTree, RecordNode& /*node*/) {}
  virtual void nodeAboutToBeRemoved(DataTree, RecordNode& /*node*/) {}
  virtual void nodeRemoved(DataTree, RecordNode& /*parent*/, std::size_t /*row*/) {}
  // `row` counts the new parent's children while the node still stands at its old place.
  virtual void nodeAboutToBeMoved(DataTree, RecordNode& /*node*/, RecordNode& /*newParent*/, std::size_t /*row*/) {}
  virtual void nodeMoved(DataTree, RecordNode& /*node*/, RecordNode& /*oldParent*/) {}
  virtual void recordChanged(DataTree, RecordNode& /*node*/) {}
  // Structure item IDs (and the item counter) were renumbered.
  virtual void itemsRenumbered() {}
  virtual void fieldChanged(DataField) {}
  // After a whole command: the moment to refresh whatever shows more than one node.
  virtual void commandFinished(const EditCommand& /*command*/, EditDirection) {}
  // Undo and redo availability, their names or the modified state changed.
  virtual void historyChanged() {}
};

}  // namespace orvela
