#include "model/RecordTree.h"

#include <stdexcept>

namespace orvela {
RecordNode::~RecordNode() {
  // Each node is emptied before it dies, so no destructor runs more than one level deep.
  std::vector<std::unique_ptr<RecordNode>> pending = std::move(children_);
  children_.clear();
  while (!pending.empty()) {
    std::unique_ptr<RecordNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& c : node->children_) pending.push_back(std::move(c));
    node->children_.clear();
  }
}

bool RecordNode::isWithin(const RecordNode* other) const {
  if (!other) return false;
  for (const RecordNode* n = this; n; n = n->parent_) {
    if (n == other) return true;
  }
  return false;
}

RecordNode* RecordTree::insert(RecordNode* parent, std::size_t row, std::unique_ptr<RecordNode> node) {
  if (!node) throw std::invalid_argument("RecordTree::insert: kein Knoten");
  if (!parent) parent = &root_;
  // A detached node may still be the ancestor of `parent`; inserting it there would make a
  // cycle. A leaf can only be `parent` itself, which keeps appending to deep trees cheap.
  const bool cycle = node->children_.empty() ? parent == node.get() : parent->isWithin(node.get());
  if (cycle) throw std::invalid_argument("RecordTree::insert: Knoten in sich selbst");
  auto& siblings = parent->children_;
  if (row > siblings.size()) row = siblings.size();
  node->parent_ = parent;
  RecordNode* inserted = node.get();
  siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(row), std::move(node));
  renumberFrom(*parent, row);
  return inserted;
}

RecordNode* RecordTree::append(RecordNode* parent, FieldList record) {
  RecordNode* p = parent ? parent : &root_;
  return insert(p, p->childCount(), std::make_unique<RecordNode>(std::move(record)));
}

std::unique_ptr<RecordNode> RecordTree::take(RecordNode* node) {
  if (!node || node->isRoot() || !node->isWithin(&root_)) return nullptr;
  auto& siblings = node->parent_->children_;
  const std::size_t row = node->row_;
  std::unique_ptr<RecordNode> taken = std::move(siblings[row]);
  siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(row));
  renumberFrom(*node->parent_, row);
  taken->parent_ = nullptr;
  taken->row_ = 0;
  return taken;
}

void RecordTree::renumberFrom(RecordNode& parent, std::size_t first) {
  for (std::size_t i = first; i < parent.children_.size(); ++i) parent.children_[i]->row_ = i;
}

void RecordTree::clear() { root_.children_.clear(); }

void RecordTree::forEach(const std::function<void(RecordNode&)>& visit) {
  for (RecordNode* n = NextInTreeOrder(&root_); n; n = NextInTreeOrder(n)) visit(*n);
}

void RecordTree::forEach(const std::function<void(const RecordNode&)>& visit) const {
  for (const RecordNode* n = NextInTreeOrder(&root_); n; n = NextInTreeOrder(n)) visit(*n);
}

std::vector<RecordNode*> RecordTree::inTreeOrder() const {
  std::vector<RecordNode*> nodes;
  for (RecordNode* n = NextInTreeOrder(&root_); n; n = NextInTreeOrder(n)) nodes.push_back(n);
  return nodes;
}

std::size_t RecordTree::count() const {
  std::size_t n = 0;
  for (const RecordNode* node = NextInTreeOrder(&root_); node; node = NextInTreeOrder(node)) ++n;
  return n;
}

RecordNode* NextInTreeOrder(const RecordNode* node) {
  if (!node) return nullptr;
  if (node->childCount() > 0) return node->child(0);
  for (const RecordNode* n = node; n->parent(); n = n->parent()) {
    const RecordNode* parent = n->parent();
    if (n->row() + 1 < parent->childCount()) return parent->child(n->row() + 1);
  }
  return nullptr;
}
}  // namespace orvela
