#pragma once
// One change of the work-file data as an object: it is done through a journal of small
// steps (a node comes, goes or moves, a record or text is replaced, the items are
// renumbered), and the recorded steps revert it and apply it again. Nodes taken out stay
// owned by the command, so every pointer to them is valid again after an undo.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/EditObserver.h"
#include "model/FieldList.h"
#include "model/RecordTree.h"
#include "model/WorkFileData.h"

namespace orvela {

// A step found the data other than it left it (a fault elsewhere changed it behind the
// edit layer's back); nothing of the step has been done.
class EditConflict : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The data and its observers, as the steps reach them.
class EditTarget {
 public:
  EditTarget(WorkFileData& data, const std::vector<EditObserver*>& observers) : data_(data), observers_(observers) {}
  WorkFileData& data() const { return data_; }
  RecordTree& tree(DataTree which) const { return which == DataTree::Structure ? data_.structure : data_.documents; }
  template <class Tell>
  void tell(Tell tell) const {
    for (EditObserver* o : observers_) tell(*o);
  }

 private:
  WorkFileData& data_;
  const std::vector<EditObserver*>& observers_;
};

class EditStep {
 public:
  virtual ~EditStep() = default;
  virtual void apply(const EditTarget& target) = 0;
  virtual void revert(const EditTarget& target) = 0;
};

class EditJournal;

// Where the views put the focus after the command was applied or reverted.
struct EditFocus {
  DataTree tree = DataTree::Structure;
  RecordNode* afterApply = nullptr;
  RecordNode* afterRevert = nullptr;
};

class EditCommand {
 public:
  // Does the change through the journal; false when there was nothing to do.
  using Perform = std::function<bool(EditJournal&)>;
  enum class Kind {
    Recorded,  // kept in the history and marks the work file modified
    Untracked  // bookkeeping of saving (the save stamps): neither
  };

  EditCommand(std::string name, Perform perform, Kind kind = Kind::Recorded);
  ~EditCommand();
  EditCommand(const EditCommand&) = delete;
  EditCommand& operator=(const EditCommand&) = delete;

  // The step's name as the menus show it ("Element löschen"), UTF-8.
  const std::string& name() const { return name_; }
  Kind kind() const { return kind_; }
  const EditFocus& focus() const { return focus_; }
  bool empty() const { return steps_.empty(); }

  // First time: performs and records; false when nothing was done. Later: applies the
  // recorded steps again. A failing step leaves the data as it was before and throws.
  bool apply(const EditTarget& target);
  // Takes the recorded steps back, last first; on failure the data is as before.
  void revert(const EditTarget& target);

 private:
  friend class EditJournal;
  // Runs steps [from, to) one way; on a failure the ones already run are run back.
  void run(const EditTarget& target, bool forward);

  std::string name_;
  Perform perform_;
  Kind kind_;
  bool performed_ = false;
  EditFocus focus_;
  std::vector<std::unique_ptr<EditStep>> steps_;
};

// The primitives a command is made of. Each one changes the data at once, tells the
// observers and is recorded in the command.
class EditJournal {
 public:
  EditJournal(EditCommand& command, const EditTarget& target) : command_(command), target_(target) {}

  WorkFileData& data() const { return target_.data(); }

  // `parent` null means the tree's top level; a row past the end appends.
  RecordNode* insert(DataTree tree, RecordNode* parent, std::size_t row, std::unique_ptr<RecordNode> node);
  // Takes the node with its sub-nodes out of the tree; the command keeps it.
  void remove(DataTree tree, RecordNode& node);
  // Moves the node with its sub-nodes so that it becomes child `row` of `parent` (null:
  // top level), rows counted after its own removal. False, with nothing done, when that
  // place lies inside the node itself; a move onto its own place does nothing.
  bool move(DataTree tree, RecordNode& node, RecordNode* parent, std::size_t row);
  void setRecord(DataTree tree, RecordNode& node, FieldList record);
  void setField(DataField field, std::string value);
  void setLastItemId(int value);
  // IDs 1..n in tree order and the item counter n, as RenumberItems does.
  void renumberItems();
  void setFocus(DataTree tree, RecordNode* afterApply, RecordNode* afterRevert);

 private:
  void record(std::unique_ptr<EditStep> step);

  EditCommand& command_;
  const EditTarget& target_;
};

// The member of WorkFileData behind a field.
std::string& FieldText(WorkFileData& data, DataField field);

}  // namespace orvela
