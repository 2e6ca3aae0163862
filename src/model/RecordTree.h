#pragma once
// An ordered tree of records: the structure and the documents register.
// Nodes are owned by their parent; the tree's invisible root holds the top level.
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "model/FieldList.h"

namespace orvela {

class RecordNode {
 public:
  RecordNode() = default;
  explicit RecordNode(FieldList r) : record(std::move(r)) {}
  RecordNode(const RecordNode&) = delete;
  RecordNode& operator=(const RecordNode&) = delete;
  // Tears the subtree down without recursion, so very deep trees cannot overflow the stack.
  ~RecordNode();

  FieldList record;
  bool expanded = false;  // sub-items shown (structure only)

  RecordNode* parent() const { return parent_; }  // the root for top-level nodes; null for the root
  bool isRoot() const { return parent_ == nullptr; }
  // Position among the parent's children; kept up to date by the tree's operations.
  std::size_t row() const { return row_; }
  const std::vector<std::unique_ptr<RecordNode>>& children() const { return children_; }
  std::size_t childCount() const { return children_.size(); }
  RecordNode* child(std::size_t i) const { return children_[i].get(); }
  // True when this node is `other` or lies inside its subtree.
  bool isWithin(const RecordNode* other) const;

 private:
  friend class RecordTree;
  RecordNode* parent_ = nullptr;
  std::size_t row_ = 0;
  std::vector<std::unique_ptr<RecordNode>> children_;
};

class RecordTree {
 public:
  RecordTree() = default;
  RecordTree(const RecordTree&) = delete;
  RecordTree& operator=(const RecordTree&) = delete;

  RecordNode& root() { return root_; }
  const RecordNode& root() const { return root_; }
  bool empty() const { return root_.children_.empty(); }

  // `parent` null means the top level. `row` past the end appends.
  RecordNode* insert(RecordNode* parent, std::size_t row, std::unique_ptr<RecordNode> node);
  RecordNode* append(RecordNode* parent, FieldList record);
  // Detaches a node with its subtree and hands it over.
  std::unique_ptr<RecordNode> take(RecordNode* node);
  void clear();

  // Tree order: a node, then its sub-nodes in tree order, then its next sibling.
  // Iterative, so deep trees cannot overflow the stack.
  void forEach(const std::function<void(RecordNode&)>& visit);
  void forEach(const std::function<void(const RecordNode&)>& visit) const;
  std::vector<RecordNode*> inTreeOrder() const;
  std::size_t count() const;

 private:
  static void renumberFrom(RecordNode& parent, std::size_t first);
  RecordNode root_;
};

// The node after `node` in tree order, or null at the end.
RecordNode* NextInTreeOrder(const RecordNode* node);

}  // namespace orvela
