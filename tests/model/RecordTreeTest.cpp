#include "model/RecordTree.h"

#include <gtest/gtest.h>

#include <string>

namespace orvela {
namespace {

FieldList Named(const std::string& name) { return FieldList({"NAME=" + name}); }

std::string Names(const RecordTree& tree) {
  std::string out;
  tree.forEach([&out](const RecordNode& n) { out += n.record.value("NAME"); });
  return out;
}

// Every node's row() equals its index, and parent() points to its owner.
void ExpectConsistent(const RecordNode& node) {
  for (std::size_t i = 0; i < node.childCount(); ++i) {
    SCOPED_TRACE(node.child(i)->record.value("NAME"));
    ASSERT_EQ(node.child(i)->row(), i);
    ASSERT_EQ(node.child(i)->parent(), &node);
    ExpectConsistent(*node.child(i));
  }
}

// a(b, c(d)), e
class SmallTree : public ::testing::Test {
 protected:
  void SetUp() override {
    a = tree.append(nullptr, Named("a"));
    b = tree.append(a, Named("b"));
    c = tree.append(a, Named("c"));
    d = tree.append(c, Named("d"));
    e = tree.append(nullptr, Named("e"));
  }
  RecordTree tree;
  RecordNode *a, *b, *c, *d, *e;
};

TEST_F(SmallTree, TreeOrderAndParents) {
  EXPECT_EQ(Names(tree), "abcde");
  EXPECT_EQ(tree.count(), 5u);
  EXPECT_EQ(tree.inTreeOrder(), (std::vector<RecordNode*>{a, b, c, d, e}));
  EXPECT_EQ(a->parent(), &tree.root());
  EXPECT_TRUE(tree.root().isRoot());
  EXPECT_FALSE(a->isRoot());
  EXPECT_EQ(NextInTreeOrder(d), e);
  EXPECT_EQ(NextInTreeOrder(e), nullptr);
  EXPECT_EQ(NextInTreeOrder(&tree.root()), a);
  EXPECT_TRUE(d->isWithin(a));
  EXPECT_TRUE(a->isWithin(a));
  EXPECT_FALSE(a->isWithin(d));
  EXPECT_FALSE(e->isWithin(a));
  EXPECT_FALSE(a->isWithin(nullptr));
  ExpectConsistent(tree.root());
}

TEST_F(SmallTree, InsertKeepsRowsOfSiblings) {
  struct Case {
    const char* name;
    std::size_t row;
    const char* order;
  };
  const Case cases[] = {{"front", 0, "axbcde"}, {"middle", 1, "abxcde"}, {"end", 2, "abcdxe"}, {"past the end", 99, "abcdxe"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordTree t;
    RecordNode* ta = t.append(nullptr, Named("a"));
    t.append(ta, Named("b"));
    t.append(t.append(ta, Named("c")), Named("d"));
    t.append(nullptr, Named("e"));
    RecordNode* x = t.insert(ta, c.row, std::make_unique<RecordNode>(Named("x")));
    EXPECT_EQ(x->parent(), ta);
    EXPECT_EQ(Names(t), c.order);
    ExpectConsistent(t.root());
  }
}

TEST_F(SmallTree, TakeDetachesSubtreeAndRenumbers) {
  std::unique_ptr<RecordNode> taken = tree.take(b);
  ASSERT_EQ(taken.get(), b);
  EXPECT_EQ(taken->parent(), nullptr);
  EXPECT_EQ(c->row(), 0u);
  EXPECT_EQ(Names(tree), "acde");

  // Move c with its child to the top level, in front of a.
  RecordNode* moved = tree.insert(nullptr, 0, tree.take(c));
  EXPECT_EQ(moved, c);
  EXPECT_EQ(Names(tree), "cdae");
  EXPECT_EQ(d->parent(), c);
  ExpectConsistent(tree.root());
}

TEST_F(SmallTree, RefusesWhatWouldBreakTheTree) {
  EXPECT_EQ(tree.take(nullptr), nullptr);
  EXPECT_EQ(tree.take(&tree.root()), nullptr);
  RecordTree other;
  RecordNode* foreign = other.append(nullptr, Named("f"));
  EXPECT_EQ(tree.take(foreign), nullptr);
  EXPECT_EQ(other.count(), 1u);

  EXPECT_THROW(tree.insert(nullptr, 0, nullptr), std::invalid_argument);
  std::unique_ptr<RecordNode> detachedC = tree.take(c);
  EXPECT_THROW(tree.insert(d, 0, std::move(detachedC)), std::invalid_argument);  // d lies inside c
  EXPECT_EQ(Names(tree), "abe");
}

TEST_F(SmallTree, ClearEmpties) {
  EXPECT_FALSE(tree.empty());
  tree.clear();
  EXPECT_TRUE(tree.empty());
  EXPECT_EQ(tree.count(), 0u);
  EXPECT_EQ(NextInTreeOrder(&tree.root()), nullptr);
}

TEST(DeepTree, WalkTakeAndDestroyWithoutRecursion) {
  constexpr int kDepth = 200000;
  auto tree = std::make_unique<RecordTree>();
  RecordNode* node = nullptr;
  for (int i = 0; i < kDepth; ++i) node = tree->append(node, FieldList());
  EXPECT_EQ(tree->count(), static_cast<std::size_t>(kDepth));
  std::size_t visited = 0;
  tree->forEach([&visited](RecordNode&) { ++visited; });
  EXPECT_EQ(visited, static_cast<std::size_t>(kDepth));

  // A detached deep subtree dies on its own, so does the rest with the tree.
  RecordNode* middle = tree->inTreeOrder()[kDepth / 2];
  tree->take(middle).reset();
  EXPECT_EQ(tree->count(), static_cast<std::size_t>(kDepth / 2));
  tree.reset();

  RecordTree again;
  node = nullptr;
  for (int i = 0; i < kDepth; ++i) node = again.append(node, FieldList());
  again.clear();
  EXPECT_TRUE(again.empty());
}

}  // namespace
}  // namespace orvela
