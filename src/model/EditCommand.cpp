#include "model/EditCommand.h"

#include <charconv>
#include <utility>

#include "model/srcGlobalDef.h"

namespace orvela {

namespace {

bool InTree(const RecordTree& tree, const RecordNode* node) { return node && node->isWithin(&tree.root()); }

void Expect(bool condition) {
  if (!condition) throw EditConflict("Die Daten der Arbeitsdatei stimmen nicht mit dem Bearbeitungsverlauf überein.");
}

// A node that comes into the tree (apply) or goes out of it (apply with `inserts` false).
class NodeStep final : public EditStep {
 public:
  NodeStep(DataTree tree, RecordNode& parent, std::size_t row, RecordNode& node, std::unique_ptr<RecordNode> held,
           bool inserts)
      : tree_(tree), parent_(&parent), row_(row), node_(&node), held_(std::move(held)), inserts_(inserts) {}

  void apply(const EditTarget& t) override { inserts_ ? put(t) : take(t); }
  void revert(const EditTarget& t) override { inserts_ ? take(t) : put(t); }

  void put(const EditTarget& t) {
    RecordTree& tree = t.tree(tree_);
    Expect(held_ && (parent_ == &tree.root() || InTree(tree, parent_)) && row_ <= parent_->childCount());
    t.tell([&](EditObserver& o) { o.nodeAboutToBeInserted(tree_, *parent_, row_); });
    tree.insert(parent_, row_, std::move(held_));
    t.tell([&](EditObserver& o) { o.nodeInserted(tree_, *node_); });
  }

  void take(const EditTarget& t) {
    RecordTree& tree = t.tree(tree_);
    Expect(!held_ && node_->parent() == parent_ && node_->row() == row_ && InTree(tree, node_));
    t.tell([&](EditObserver& o) { o.nodeAboutToBeRemoved(tree_, *node_); });
    held_ = tree.take(node_);
    t.tell([&](EditObserver& o) { o.nodeRemoved(tree_, *parent_, row_); });
  }

 private:
  DataTree tree_;
  RecordNode* parent_;
  std::size_t row_;
  RecordNode* node_;
  std::unique_ptr<RecordNode> held_;  // the node while it is out of the tree
  bool inserts_;
};

class MoveStep final : public EditStep {
 public:
  MoveStep(DataTree tree, RecordNode& node, RecordNode& toParent, std::size_t toRow)
      : tree_(tree), node_(&node), from_{node.parent(), node.row()}, to_{&toParent, toRow} {}

  void apply(const EditTarget& t) override { move(t, from_, to_); }
  void revert(const EditTarget& t) override { move(t, to_, from_); }

 private:
  struct Place {
    RecordNode* parent;
    std::size_t row;  // the node's row there
  };

  void move(const EditTarget& t, const Place& from, const Place& to) {
    RecordTree& tree = t.tree(tree_);
    Expect(node_->parent() == from.parent && node_->row() == from.row && InTree(tree, node_) &&
           (to.parent == &tree.root() || InTree(tree, to.parent)) && !to.parent->isWithin(node_));
    // Qt counts the destination while the node still stands where it was.
    const std::size_t before = (to.parent == from.parent && from.row < to.row) ? to.row + 1 : to.row;
    t.tell([&](EditObserver& o) { o.nodeAboutToBeMoved(tree_, *node_, *to.parent, before); });
    std::unique_ptr<RecordNode> taken = tree.take(node_);
    Expect(to.row <= to.parent->childCount());
    tree.insert(to.parent, to.row, std::move(taken));
    t.tell([&](EditObserver& o) { o.nodeMoved(tree_, *node_, *from.parent); });
  }

  DataTree tree_;
  RecordNode* node_;
  Place from_, to_;
};

class RecordStep final : public EditStep {
 public:
  RecordStep(DataTree tree, RecordNode& node, FieldList before, FieldList after)
      : tree_(tree), node_(&node), before_(std::move(before)), after_(std::move(after)) {}

  void apply(const EditTarget& t) override { set(t, before_, after_); }
  void revert(const EditTarget& t) override { set(t, after_, before_); }

 private:
  void set(const EditTarget& t, const FieldList& from, const FieldList& to) {
    Expect(InTree(t.tree(tree_), node_) && node_->record == from);
    node_->record = to;
    t.tell([&](EditObserver& o) { o.recordChanged(tree_, *node_); });
  }

  DataTree tree_;
  RecordNode* node_;
  FieldList before_, after_;
};

class FieldStep final : public EditStep {
 public:
  FieldStep(DataField field, std::string before, std::string after)
      : field_(field), before_(std::move(before)), after_(std::move(after)) {}

  void apply(const EditTarget& t) override { set(t, before_, after_); }
  void revert(const EditTarget& t) override { set(t, after_, before_); }

 private:
  void set(const EditTarget& t, const std::string& from, const std::string& to) {
    std::string& text = FieldText(t.data(), field_);
    Expect(text == from);
    text = to;
    t.tell([&](EditObserver& o) { o.fieldChanged(field_); });
  }

  DataField field_;
  std::string before_, after_;
};

class LastItemIdStep final : public EditStep {
 public:
  LastItemIdStep(int before, int after) : before_(before), after_(after) {}
  void apply(const EditTarget& t) override { set(t, before_, after_); }
  void revert(const EditTarget& t) override { set(t, after_, before_); }

 private:
  static void set(const EditTarget& t, int from, int to) {
    Expect(t.data().lastItemId == from);
    t.data().lastItemId = to;
  }
  int before_, after_;
};

// Keeps only the IDs that changed, as numbers where they are plain decimal: deleting in a
// large structure renumbers most of it, and the history should not hold a copy of it.
// Applied again it puts back exactly the IDs of its first run.
class RenumberStep final : public EditStep {
 public:
  void apply(const EditTarget& t) override {
    WorkFileData& data = t.data();
    if (applied_) {
      Expect(data.lastItemId == lastBefore_);
      expectInTree(data);
      for (const Changed& c : changed_) c.node->record.setValue(key::ID, std::to_string(c.newId));
      for (const Odd& c : odd_) c.node->record.setValue(key::ID, std::to_string(c.newId));
    } else {
      firstRun(data);
    }
    data.lastItemId = lastAfter_;
    t.tell([](EditObserver& o) { o.itemsRenumbered(); });
  }

  void revert(const EditTarget& t) override {
    WorkFileData& data = t.data();
    Expect(data.lastItemId == lastAfter_);
    expectInTree(data);
    for (const Changed& c : changed_) c.node->record.setValue(key::ID, std::to_string(c.oldId));
    for (const Odd& c : odd_) c.node->record.setValue(key::ID, c.oldId);
    data.lastItemId = lastBefore_;
    t.tell([](EditObserver& o) { o.itemsRenumbered(); });
  }

  bool changedAnything() const { return !changed_.empty() || !odd_.empty() || lastBefore_ != lastAfter_; }

 private:
  void firstRun(WorkFileData& data) {
    lastBefore_ = data.lastItemId;
    int n = 0;
    data.structure.forEach([&](RecordNode& node) {
      const int id = ++n;
      const std::string text = std::to_string(id);
      const std::string old = node.record.value(key::ID);
      if (old == text) return;
      int value = 0;
      const char* first = old.data();
      const char* last = old.data() + old.size();
      const std::from_chars_result read = std::from_chars(first, last, value);
      if (read.ec == std::errc() && read.ptr == last && !old.empty() && std::to_string(value) == old)
        changed_.push_back({&node, value, id});
      else
        odd_.push_back({&node, old, id});
      node.record.setValue(key::ID, text);
    });
    lastAfter_ = n > 0 ? n : lastBefore_;
    applied_ = true;
    changed_.shrink_to_fit();
  }

  void expectInTree(const WorkFileData& data) const {
    for (const Changed& c : changed_) Expect(InTree(data.structure, c.node));
    for (const Odd& c : odd_) Expect(InTree(data.structure, c.node));
  }

  struct Changed {
    RecordNode* node;
    int oldId, newId;
  };
  struct Odd {
    RecordNode* node;
    std::string oldId;
    int newId;
  };
  bool applied_ = false;
  int lastBefore_ = 0, lastAfter_ = 0;
  std::vector<Changed> changed_;
  std::vector<Odd> odd_;
};

}  // namespace

std::string& FieldText(WorkFileData& data, DataField field) {
  switch (field) {
    case DataField::GeneralDefs: return data.generalDefs;
    case DataField::RiskDefs: return data.riskDefs;
    case DataField::OuDefs: return data.ouDefs;
    case DataField::StaffDefs: return data.staffDefs;
    case DataField::Description: return data.description;
    case DataField::SavedBy: return data.savedBy;
    case DataField::SavedAt: return data.savedAt;
  }
  throw std::invalid_argument("FieldText");
}

EditCommand::EditCommand(std::string name, Perform perform, Kind kind)
    : name_(std::move(name)), perform_(std::move(perform)), kind_(kind) {}

EditCommand::~EditCommand() = default;

bool EditCommand::apply(const EditTarget& target) {
  if (performed_) {
    run(target, true);
    return true;
  }
  performed_ = true;
  EditJournal journal(*this, target);
  bool changed = false;
  try {
    changed = perform_(journal);
  } catch (...) {
    run(target, false);  // what was done already is taken back
    steps_.clear();
    throw;
  }
  perform_ = nullptr;
  return changed || !steps_.empty();
}

void EditCommand::revert(const EditTarget& target) { run(target, false); }

void EditCommand::run(const EditTarget& target, bool forward) {
  const std::size_t n = steps_.size();
  std::size_t done = 0;
  try {
    for (; done < n; ++done) {
      EditStep& step = *steps_[forward ? done : n - 1 - done];
      forward ? step.apply(target) : step.revert(target);
    }
  } catch (...) {
    // Back to where the command stood: the steps already run are run the other way.
    for (std::size_t k = done; k-- > 0;) {
      EditStep& step = *steps_[forward ? k : n - 1 - k];
      forward ? step.revert(target) : step.apply(target);
    }
    throw;
  }
}

void EditJournal::record(std::unique_ptr<EditStep> step) { command_.steps_.push_back(std::move(step)); }

RecordNode* EditJournal::insert(DataTree tree, RecordNode* parent, std::size_t row, std::unique_ptr<RecordNode> node) {
  RecordNode& p = parent ? *parent : target_.tree(tree).root();
  if (row > p.childCount()) row = p.childCount();
  RecordNode& n = *node;
  auto step = std::make_unique<NodeStep>(tree, p, row, n, std::move(node), true);
  step->apply(target_);
  record(std::move(step));
  return &n;
}

void EditJournal::remove(DataTree tree, RecordNode& node) {
  Expect(node.parent() != nullptr);
  auto step = std::make_unique<NodeStep>(tree, *node.parent(), node.row(), node, nullptr, false);
  step->apply(target_);
  record(std::move(step));
}

bool EditJournal::move(DataTree tree, RecordNode& node, RecordNode* parent, std::size_t row) {
  RecordNode& p = parent ? *parent : target_.tree(tree).root();
  if (p.isWithin(&node)) return false;
  const std::size_t last = p.childCount() - (node.parent() == &p ? 1 : 0);
  if (row > last) row = last;
  if (node.parent() == &p && node.row() == row) return true;
  auto step = std::make_unique<MoveStep>(tree, node, p, row);
  step->apply(target_);
  record(std::move(step));
  return true;
}

void EditJournal::setRecord(DataTree tree, RecordNode& node, FieldList record) {
  if (node.record == record) return;
  auto step = std::make_unique<RecordStep>(tree, node, node.record, std::move(record));
  step->apply(target_);
  this->record(std::move(step));
}

void EditJournal::setField(DataField field, std::string value) {
  const std::string& current = FieldText(target_.data(), field);
  if (current == value) return;
  auto step = std::make_unique<FieldStep>(field, current, std::move(value));
  step->apply(target_);
  record(std::move(step));
}

void EditJournal::setLastItemId(int value) {
  if (target_.data().lastItemId == value) return;
  auto step = std::make_unique<LastItemIdStep>(target_.data().lastItemId, value);
  step->apply(target_);
  record(std::move(step));
}

void EditJournal::renumberItems() {
  auto step = std::make_unique<RenumberStep>();
  step->apply(target_);
  if (step->changedAnything()) record(std::move(step));
}

void EditJournal::setFocus(DataTree tree, RecordNode* afterApply, RecordNode* afterRevert) {
  command_.focus_ = {tree, afterApply, afterRevert};
}

}  // namespace orvela
