#include "model/StructureCommands.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "model/ItemSignOff.h"
#include "model/srcGlobalDef.h"
#include "model/srcGlobalProc.h"

namespace orvela {

namespace {

// RecordTree takes null for the top level.
RecordNode* InsertParent(RecordTree& tree, RecordNode* parent) {
  return parent == &tree.root() ? nullptr : parent;
}

TreePosition EndOfTopLevel(RecordTree& tree) { return {&tree.root(), tree.root().childCount()}; }

TreePosition After(RecordNode& node) { return {node.parent(), node.row() + 1}; }

void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFFu));
}

std::optional<std::uint32_t> GetU32(std::string_view in, std::size_t& offset) {
  if (in.size() < 4 || offset > in.size() - 4) return std::nullopt;
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[offset + i])) << (8 * i);
  offset += 4;
  return v;
}

// Tree order inside the subtree of `top`, null after its last node.
const RecordNode* NextWithin(const RecordNode* node, const RecordNode* top) {
  if (node->childCount() > 0) return node->child(0);
  for (const RecordNode* n = node; n != top; n = n->parent()) {
    if (n->row() + 1 < n->parent()->childCount()) return n->parent()->child(n->row() + 1);
  }
  return nullptr;
}

}  // namespace

TreePosition NewItemPosition(RecordTree& tree, RecordNode* focused) {
  return focused ? After(*focused) : EndOfTopLevel(tree);
}

TreePosition NewChildPosition(RecordTree& tree, RecordNode* focused) {
  return focused ? TreePosition{focused, focused->childCount()} : EndOfTopLevel(tree);
}

TreePosition PasteAsChildPosition(RecordTree& tree, RecordNode* focused) {
  return {focused ? focused : &tree.root(), 0};
}

TreePosition PasteAsSiblingPosition(RecordTree& tree, RecordNode* focused) {
  return focused ? After(*focused) : EndOfTopLevel(tree);
}

std::optional<TreePosition> DropPosition(RecordTree& tree, const RecordNode& dragged, RecordNode* target,
                                         DropZone zone) {
  TreePosition pos{&tree.root(), 0};
  if (target && !target->isRoot()) {
    switch (zone) {
      case DropZone::OnItem: pos = {target, target->childCount()}; break;
      case DropZone::Above: pos = {target->parent(), target->row()}; break;
      case DropZone::Below: pos = After(*target); break;
      case DropZone::Nowhere: break;
    }
  }
  if (!CanMoveTo(dragged, pos)) return std::nullopt;
  return pos;
}

bool CanMoveTo(const RecordNode& node, const TreePosition& pos) {
  return pos.parent && !pos.parent->isWithin(&node);
}

std::size_t RowAfterMove(const RecordNode& node, const TreePosition& pos) {
  return (pos.parent == node.parent() && node.row() < pos.row) ? pos.row - 1 : pos.row;
}

bool MoveItem(RecordTree& tree, RecordNode& node, const TreePosition& pos) {
  if (!CanMoveTo(node, pos)) return false;
  const std::size_t row = RowAfterMove(node, pos);
  std::unique_ptr<RecordNode> taken = tree.take(&node);
  tree.insert(InsertParent(tree, pos.parent), row, std::move(taken));
  return true;
}

RecordNode* InsertNewItem(WorkFileData& data, const TreePosition& pos) {
  auto node = std::make_unique<RecordNode>();
  node->record = NewStructureItemRecord(data.lastItemId);
  return data.structure.insert(InsertParent(data.structure, pos.parent), pos.row, std::move(node));
}

RecordNode* InsertSubtree(RecordTree& tree, const TreePosition& pos, std::unique_ptr<RecordNode> node) {
  return tree.insert(InsertParent(tree, pos.parent), pos.row, std::move(node));
}

RecordNode* FocusAfterRemoval(const RecordNode& node) {
  RecordNode* parent = node.parent();
  if (!parent) return nullptr;
  if (node.row() + 1 < parent->childCount()) return parent->child(node.row() + 1);
  if (node.row() > 0) return parent->child(node.row() - 1);
  return parent->isRoot() ? nullptr : parent;
}

void DeleteItem(WorkFileData& data, RecordNode& node) {
  std::unique_ptr<RecordNode> gone = data.structure.take(&node);
  gone.reset();
  RenumberItems(data);
}

std::string PackSubtrees(const std::vector<const RecordNode*>& roots) {
  // Tree order without recursion: a stack of the nodes still to write, next one on top.
  std::vector<const RecordNode*> order;
  for (const RecordNode* root : roots) {
    std::vector<const RecordNode*> pending{root};
    while (!pending.empty()) {
      const RecordNode* node = pending.back();
      pending.pop_back();
      order.push_back(node);
      for (std::size_t i = node->childCount(); i-- > 0;) pending.push_back(node->child(i));
    }
  }
  std::string out;
  PutU32(out, static_cast<std::uint32_t>(order.size()));
  for (const RecordNode* node : order) {
    PutU32(out, static_cast<std::uint32_t>(node->childCount()));
    out += SaveNodePayload(node->record);
  }
  return out;
}

std::optional<std::vector<std::unique_ptr<RecordNode>>> UnpackSubtrees(std::string_view bytes) {
  std::size_t offset = 0;
  const std::optional<std::uint32_t> count = GetU32(bytes, offset);
  // Every entry takes at least eight bytes; a larger count cannot be honest.
  if (!count || *count > (bytes.size() - offset) / 8) return std::nullopt;

  struct Entry {
    std::uint32_t children;
    FieldList record;
  };
  std::vector<Entry> entries;
  entries.reserve(*count);
  for (std::uint32_t i = 0; i < *count; ++i) {
    const std::optional<std::uint32_t> children = GetU32(bytes, offset);
    if (!children) return std::nullopt;
    std::optional<FieldList> record = LoadNodePayload(bytes, offset);
    if (!record) return std::nullopt;
    entries.push_back({*children, std::move(*record)});
  }
  if (offset != bytes.size()) return std::nullopt;

  // Built from the last entry backwards, so every node receives finished subtrees while it
  // is still detached: each insertion is then cheap however deep the subtree is.
  RecordTree builder;
  std::vector<std::unique_ptr<RecordNode>> done;  // finished subtrees, the next one in order on top
  for (std::size_t i = entries.size(); i-- > 0;) {
    if (entries[i].children > done.size()) return std::nullopt;
    auto node = std::make_unique<RecordNode>(std::move(entries[i].record));
    for (std::uint32_t k = 0; k < entries[i].children; ++k) {
      builder.insert(node.get(), k, std::move(done.back()));
      done.pop_back();
    }
    done.push_back(std::move(node));
  }
  std::reverse(done.begin(), done.end());
  return done;
}

std::unique_ptr<RecordNode> CloneSubtree(const RecordNode& node) {
  std::vector<std::unique_ptr<RecordNode>> copies = UnpackSubtrees(PackSubtrees({&node})).value();
  std::unique_ptr<RecordNode> copy = std::move(copies.front());
  // The packing leaves out the expanded flags; both trees are walked side by side.
  const RecordNode* from = &node;
  RecordNode* to = copy.get();
  while (from && to) {
    to->expanded = from->expanded;
    from = NextWithin(from, &node);
    to = const_cast<RecordNode*>(NextWithin(to, copy.get()));
  }
  return copy;
}

std::string ItemDisplayText(const RecordNode& item, bool withOutline) {
  std::string name = item.record.value(key::NAME);
  if (name.empty()) name = "<noname>";
  if (!withOutline) return name;
  return OutlineNumber(item) + " - " + name;
}

bool MatchesFilter(const FieldList& record, FilterCriterion criterion) {
  switch (criterion) {
    case FilterCriterion::None: return false;
    case FilterCriterion::StateUndefined: return record.value(key::WORKSTATE) == kWorkStateUndefined;
    case FilterCriterion::StateUncompleted: return record.value(key::WORKSTATE) == kWorkStateUncompleted;
    case FilterCriterion::StateCompleted: return record.value(key::WORKSTATE) == kWorkStateCompleted;
    case FilterCriterion::WithFindings: return !record.value(key::FINDINGS).empty();
    case FilterCriterion::WithoutFindings: return record.value(key::FINDINGS).empty();
    case FilterCriterion::NotSignedOff: return ItemSignOffState(record) == SignOffState::Open;
    case FilterCriterion::NotReviewed: {
      const SignOffState state = ItemSignOffState(record);
      return state == SignOffState::Open || state == SignOffState::Prepared;
    }
    case FilterCriterion::ChangedAfterReview: return ItemSignOffState(record) == SignOffState::ChangedAfterReview;
  }
  return false;
}

}  // namespace orvela
