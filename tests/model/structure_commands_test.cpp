#include "model/StructureCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/EvidenceFields.h"
#include "model/ItemSignOff.h"
#include "model/srcGlobalDef.h"
#include "model/srcGlobalProc.h"

namespace orvela {
namespace {

// The tree's shape by names: "A(B,C(D)),E".
std::string Shape(const RecordNode& parent) {
  std::string out;
  for (std::size_t i = 0; i < parent.childCount(); ++i) {
    const RecordNode& c = *parent.child(i);
    if (i) out += ",";
    out += c.record.value(key::NAME);
    if (c.childCount()) out += "(" + Shape(c) + ")";
  }
  return out;
}

std::string Ids(const RecordTree& tree) {
  std::string out;
  tree.forEach([&out](const RecordNode& n) { out += (out.empty() ? "" : " ") + n.record.value(key::ID); });
  return out;
}

FieldList Named(const std::string& name) {
  FieldList r;
  r.setValue(key::NAME, name);
  return r;
}

// A(B,C(D)),E with IDs in tree order, as after reading a file.
class StructureFixture : public ::testing::Test {
 public:
  void SetUp() override {
    a = data.structure.append(nullptr, Named("A"));
    b = data.structure.append(a, Named("B"));
    c = data.structure.append(a, Named("C"));
    d = data.structure.append(c, Named("D"));
    e = data.structure.append(nullptr, Named("E"));
    RenumberItems(data);
  }
  RecordNode& root() { return data.structure.root(); }

  WorkFileData data;
  RecordNode *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr, *e = nullptr;
};

TEST(StructureNewItem, EmptyTreeCountsFromOne) {
  WorkFileData data;
  RecordNode* first = InsertNewItem(data, NewItemPosition(data.structure, nullptr));
  EXPECT_EQ(first->record.value(key::ID), "1");
  EXPECT_EQ(first->record.value(key::NAME), "Neues Element - 1");
  EXPECT_EQ(first->record.value(key::WORKSTATE), "<nicht definiert>");
  RecordNode* second = InsertNewItem(data, NewItemPosition(data.structure, first));
  EXPECT_EQ(second->record.value(key::ID), "2");
  EXPECT_EQ(Shape(data.structure.root()), "Neues Element - 1,Neues Element - 2");
  EXPECT_EQ(data.lastItemId, 2);
}

TEST_F(StructureFixture, NewItemsTakeTheNextNumberWhereverTheyGo) {
  RecordNode* n = InsertNewItem(data, NewItemPosition(data.structure, b));
  EXPECT_EQ(Shape(root()), "A(B,Neues Element - 6,C(D)),E");
  EXPECT_EQ(n->record.value(key::ID), "6");
  // No renumbering: the new item keeps the highest number in the middle of the tree.
  EXPECT_EQ(Ids(data.structure), "1 2 6 3 4 5");

  RecordNode* child = InsertNewItem(data, NewChildPosition(data.structure, c));
  EXPECT_EQ(Shape(*c), "D,Neues Element - 7");
  EXPECT_EQ(child->parent(), c);

  InsertNewItem(data, NewChildPosition(data.structure, nullptr));
  EXPECT_EQ(root().child(root().childCount() - 1)->record.value(key::NAME), "Neues Element - 8");
}

TEST_F(StructureFixture, NewItemWithoutFocusIsLastTopLevelItem) {
  InsertNewItem(data, NewItemPosition(data.structure, nullptr));
  EXPECT_EQ(Shape(root()), "A(B,C(D)),E,Neues Element - 6");
}

TEST_F(StructureFixture, DeleteRemovesTheSubtreeAndRenumbers) {
  DeleteItem(data, *c);
  EXPECT_EQ(Shape(root()), "A(B),E");
  EXPECT_EQ(Ids(data.structure), "1 2 3");
  EXPECT_EQ(data.lastItemId, 3);
}

TEST(StructureDelete, LastRemainingItemKeepsTheCounter) {
  WorkFileData data;
  RecordNode* only = InsertNewItem(data, NewItemPosition(data.structure, nullptr));
  InsertNewItem(data, NewItemPosition(data.structure, only));
  DeleteItem(data, *data.structure.root().child(1));
  DeleteItem(data, *data.structure.root().child(0));
  EXPECT_TRUE(data.structure.empty());
  EXPECT_EQ(data.lastItemId, 1);  // renumbering the one left item set it to 1
  RecordNode* next = InsertNewItem(data, NewItemPosition(data.structure, nullptr));
  EXPECT_EQ(next->record.value(key::ID), "2");
}

TEST_F(StructureFixture, FocusAfterRemoval) {
  struct Case {
    const char* name;
    RecordNode* removed;
    RecordNode* expected;
  };
  const Case cases[] = {
      {"next sibling", b, c},
      {"previous sibling when last", c, b},
      {"parent when only child", d, c},
      {"top-level next", a, e},
      {"top-level previous", e, a},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(FocusAfterRemoval(*k.removed), k.expected);
  }
  WorkFileData single;
  RecordNode* only = single.structure.append(nullptr, Named("X"));
  EXPECT_EQ(FocusAfterRemoval(*only), nullptr);
}

TEST_F(StructureFixture, PastePositions) {
  EXPECT_EQ(PasteAsChildPosition(data.structure, c), (TreePosition{c, 0}));
  EXPECT_EQ(PasteAsChildPosition(data.structure, nullptr), (TreePosition{&root(), 0}));
  EXPECT_EQ(PasteAsSiblingPosition(data.structure, b), (TreePosition{a, 1}));
  EXPECT_EQ(PasteAsSiblingPosition(data.structure, nullptr), (TreePosition{&root(), 2}));
}

TEST_F(StructureFixture, DropsMoveToTheirPlace) {
  using Item = RecordNode* StructureFixture::*;
  const Item A = &StructureFixture::a, B = &StructureFixture::b, C = &StructureFixture::c,
             D = &StructureFixture::d, E = &StructureFixture::e;
  struct Case {
    const char* name;
    Item dragged;
    Item target;  // null: no item under the pointer
    DropZone zone;
    const char* shape;
  };
  const Case cases[] = {
      {"onto text becomes last sub-item", E, A, DropZone::OnItem, "A(B,C(D),E)"},
      {"above", E, B, DropZone::Above, "A(E,B,C(D))"},
      {"below", B, C, DropZone::Below, "A(C(D),B),E"},
      {"below the last item becomes first top-level item", D, nullptr, DropZone::Nowhere, "D,A(B,C),E"},
      {"below a later sibling", A, E, DropZone::Below, "E,A(B,C(D))"},
      {"above itself stays", B, B, DropZone::Above, "A(B,C(D)),E"},
      {"below itself stays", B, B, DropZone::Below, "A(B,C(D)),E"},
      {"onto its parent moves it last", B, A, DropZone::OnItem, "A(C(D),B),E"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    data.structure.clear();
    SetUp();
    RecordNode* dragged = this->*k.dragged;
    const std::string id = dragged->record.value(key::ID);
    std::optional<TreePosition> pos =
        DropPosition(data.structure, *dragged, k.target ? this->*k.target : nullptr, k.zone);
    ASSERT_TRUE(pos);
    ASSERT_TRUE(MoveItem(data.structure, *dragged, *pos));
    EXPECT_EQ(Shape(root()), k.shape);
    EXPECT_EQ(dragged->record.value(key::ID), id);  // records unchanged, no renumbering
  }
}

TEST_F(StructureFixture, NeverIntoTheOwnSubtree) {
  struct Case {
    const char* name;
    RecordNode* target;
    DropZone zone;
  };
  const Case cases[] = {
      {"onto itself", a, DropZone::OnItem},
      {"onto its sub-item", c, DropZone::OnItem},
      {"onto a deeper sub-item", d, DropZone::OnItem},
      {"beside its sub-item", d, DropZone::Above},
      {"below its sub-item", b, DropZone::Below},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_FALSE(DropPosition(data.structure, *a, k.target, k.zone));
  }
  EXPECT_FALSE(MoveItem(data.structure, *a, TreePosition{d, 0}));
  EXPECT_EQ(Shape(root()), "A(B,C(D)),E");
}

TEST(StructurePacking, RoundTripKeepsShapeAndRecords) {
  WorkFileData data;
  RecordNode* top = data.structure.append(nullptr, FieldList({"ID=1", "NAME=Planung mit Leerzeichen",
                                                              "DESCRIPTION=Zeile 1\r\nZeile \"2\"", "WORKSTATE=completed"}));
  RecordNode* x = data.structure.append(top, Named("X"));
  data.structure.append(x, Named("X1"));
  data.structure.append(top, Named("Y"));
  RecordNode* other = data.structure.append(nullptr, Named("Z"));

  auto one = UnpackSubtrees(PackSubtrees({top}));
  ASSERT_TRUE(one);
  ASSERT_EQ(one->size(), 1u);
  EXPECT_EQ((*one)[0]->record, top->record);
  EXPECT_EQ(Shape(*(*one)[0]), "X(X1),Y");
  EXPECT_EQ((*one)[0]->parent(), nullptr);

  auto two = UnpackSubtrees(PackSubtrees({x, other}));
  ASSERT_TRUE(two);
  ASSERT_EQ(two->size(), 2u);
  EXPECT_EQ(Shape(*(*two)[0]), "X1");
  EXPECT_EQ((*two)[1]->record.value(key::NAME), "Z");

  // The layout itself: count, then per item its sub-item count and its payload.
  const std::string packed = PackSubtrees({x});
  const std::string expected = std::string("\x02\0\0\0\x01\0\0\0", 8) + SaveNodePayload(x->record) +
                               std::string("\0\0\0\0", 4) + SaveNodePayload(x->child(0)->record);
  EXPECT_EQ(packed, expected);
}

TEST(StructurePacking, DeepChainWithoutRecursion) {
  // Built bottom-up: every insertion goes into a detached node.
  RecordTree tree;
  auto chain = std::make_unique<RecordNode>(Named("99999"));
  for (int i = 99998; i >= 0; --i) {
    auto up = std::make_unique<RecordNode>(Named(std::to_string(i)));
    tree.insert(up.get(), 0, std::move(chain));
    chain = std::move(up);
  }
  const RecordNode* top = tree.insert(nullptr, 0, std::move(chain));
  auto back = UnpackSubtrees(PackSubtrees({top}));
  ASSERT_TRUE(back);
  const RecordNode* m = (*back)[0].get();
  int depth = 1;
  while (m->childCount()) m = m->child(0), ++depth;
  EXPECT_EQ(depth, 100000);
  EXPECT_EQ(m->record.value(key::NAME), "99999");
}

TEST(StructurePacking, RefusesBrokenBytes) {
  WorkFileData data;
  RecordNode* top = data.structure.append(nullptr, Named("A"));
  data.structure.append(top, Named("B"));
  const std::string good = PackSubtrees({top});
  std::string childCountTooHigh = good;
  childCountTooHigh[4] = 5;
  std::string countTooHigh = good;
  countTooHigh[0] = 3;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"count only, too short", std::string("\x01\0\0", 3)},
      {"truncated", good.substr(0, good.size() - 1)},
      {"trailing bytes", good + "x"},
      {"sub-items promised but missing", childCountTooHigh},
      {"more items counted than present", countTooHigh},
      {"huge count", std::string("\xff\xff\xff\x7f", 4) + good.substr(4)},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_FALSE(UnpackSubtrees(k.bytes));
  }
  auto none = UnpackSubtrees(std::string("\0\0\0\0", 4));
  ASSERT_TRUE(none);
  EXPECT_TRUE(none->empty());
}

TEST_F(StructureFixture, CopyPastedTwiceAsSubItem) {
  const std::string clip = PackSubtrees({c});
  for (int i = 0; i < 2; ++i) {
    auto items = UnpackSubtrees(clip);
    ASSERT_TRUE(items);
    InsertSubtree(data.structure, PasteAsChildPosition(data.structure, e), std::move((*items)[0]));
    RenumberItems(data);
  }
  EXPECT_EQ(Shape(root()), "A(B,C(D)),E(C(D),C(D))");
  EXPECT_EQ(Ids(data.structure), "1 2 3 4 5 6 7 8 9");
  EXPECT_EQ(data.lastItemId, 9);
  EXPECT_EQ(e->child(0)->record.value(key::NAME), c->record.value(key::NAME));
}

TEST(StructureDisplay, NamesAndOutlineNumbers) {
  WorkFileData data;
  for (int i = 1; i <= 12; ++i) data.structure.append(nullptr, Named("T" + std::to_string(i)));
  RecordNode* tenth = data.structure.root().child(9);
  RecordNode* twelfth = data.structure.root().child(11);
  RecordNode* ten1 = data.structure.append(tenth, Named("Kasse"));
  for (int i = 1; i <= 3; ++i) data.structure.append(twelfth, FieldList({"ID=" + std::to_string(i)}));
  RecordNode* emptyName = data.structure.append(twelfth, FieldList({"NAME="}));

  EXPECT_EQ(ItemDisplayText(*ten1, true), "10.1 - Kasse");
  EXPECT_EQ(ItemDisplayText(*ten1, false), "Kasse");
  EXPECT_EQ(ItemDisplayText(*twelfth->child(2), true), "12.3 - <noname>");
  EXPECT_EQ(ItemDisplayText(*twelfth->child(2), false), "<noname>");
  EXPECT_EQ(ItemDisplayText(*emptyName, false), "<noname>");
  EXPECT_EQ(ItemDisplayText(*data.structure.root().child(0), true), "1 - T1");
}

TEST(StructureFilter, EveryCriterion) {
  const FieldList undefined({"NAME=a", "WORKSTATE=<nicht definiert>"});
  const FieldList uncompleted({"WORKSTATE=uncompleted"});
  const FieldList completed({"WORKSTATE=completed", "FINDINGS=NAME=x"});
  const FieldList otherCase({"WORKSTATE=Completed"});
  const FieldList noState({"NAME=b"});
  using C = FilterCriterion;
  const struct {
    const char* name;
    const FieldList& record;
    bool none, undef, uncompl, compl_, with, without;
  } cases[] = {
      {"undefined", undefined, false, true, false, false, false, true},
      {"uncompleted", uncompleted, false, false, true, false, false, true},
      {"completed with findings", completed, false, false, false, true, true, false},
      {"letter case counts", otherCase, false, false, false, false, false, true},
      {"no WORKSTATE matches no state", noState, false, false, false, false, false, true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(MatchesFilter(k.record, C::None), k.none);
    EXPECT_EQ(MatchesFilter(k.record, C::StateUndefined), k.undef);
    EXPECT_EQ(MatchesFilter(k.record, C::StateUncompleted), k.uncompl);
    EXPECT_EQ(MatchesFilter(k.record, C::StateCompleted), k.compl_);
    EXPECT_EQ(MatchesFilter(k.record, C::WithFindings), k.with);
    EXPECT_EQ(MatchesFilter(k.record, C::WithoutFindings), k.without);
  }
}

TEST(StructureFilter, SignOffCriteria) {
  int lastId = 0;
  const FieldList item = NewStructureItemRecord(lastId);
  FieldList prepared = item;
  prepared.setValue(key::PREPARED_BY, "PC1/a");
  FieldList reviewed = prepared;
  reviewed.setValue(key::REVIEWED_AT, "10.12.2024");
  reviewed.setValue(key::REVIEW_DIGEST, ItemContentDigest(reviewed));
  FieldList changed = reviewed;
  changed.setValue(key::RESULT, "neu");
  FieldList reviewedOnly = item;  // reviewed without a preparer's sign-off
  reviewedOnly.setValue(key::REVIEWED_BY, "PC1/b");
  using C = FilterCriterion;
  const struct {
    const char* name;
    const FieldList& record;
    bool notSigned, notReviewed, changedAfterReview;
  } cases[] = {
      {"open", item, true, true, false},
      {"prepared", prepared, false, true, false},
      {"reviewed", reviewed, false, false, false},
      {"changed after review", changed, false, false, true},
      {"reviewed only", reviewedOnly, false, false, false},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(MatchesFilter(k.record, C::NotSignedOff), k.notSigned);
    EXPECT_EQ(MatchesFilter(k.record, C::NotReviewed), k.notReviewed);
    EXPECT_EQ(MatchesFilter(k.record, C::ChangedAfterReview), k.changedAfterReview);
  }
}

}  // namespace
}  // namespace orvela
