// The edit layer: every kind of command, applied and reverted, gives back the saved file
// byte for byte; applied again it gives the same file as the first time. The observers
// hear of each node that comes, goes or moves, in an order an item model can follow.
#include <gtest/gtest.h>

#include <functional>

#include "StorageTestSupport.h"
#include "model/DocumentsRegister.h"
#include "model/Edits.h"
#include "model/WorkFileEditor.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

// The saved file's XML plus what the file does not hold but the window keeps.
std::string Snapshot(const WorkFileData& data) {
  return BuildWorkFileXml(data) + "\nlastItemId=" + std::to_string(data.lastItemId);
}

// Equal texts, or the place where they part (the files are too long to print whole).
::testing::AssertionResult Same(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const std::size_t from = at > 60 ? at - 60 : 0;
  return ::testing::AssertionFailure() << "differ at byte " << at << ":\n  actual:   " << actual.substr(from, 160)
                                       << "\n  expected: " << expected.substr(from, 160);
}

RecordNode& Item(WorkFileData& data, std::size_t treeOrder) { return *data.structure.inTreeOrder().at(treeOrder); }
RecordNode& Doc(WorkFileData& data, std::size_t row) { return *data.documents.root().child(row); }
RecordNode* Deepest(WorkFileData& data) {
  RecordNode* deepest = nullptr;
  std::size_t best = 0;
  for (RecordNode* n : data.structure.inTreeOrder()) {
    std::size_t depth = 0;
    for (RecordNode* p = n; !p->isRoot(); p = p->parent()) ++depth;
    if (depth > best) best = depth, deepest = n;
  }
  return deepest;
}

// Checks that every announcement matches the tree as it stands at that moment, the way a
// Qt item model relies on it, and counts them.
class CheckingObserver : public EditObserver {
 public:
  void nodeAboutToBeInserted(DataTree, RecordNode& parent, std::size_t row) override {
    EXPECT_LE(row, parent.childCount());
    pendingParent_ = &parent, pendingRow_ = row;
    ++events;
  }
  void nodeInserted(DataTree, RecordNode& node) override {
    EXPECT_EQ(node.parent(), pendingParent_);
    EXPECT_EQ(node.row(), pendingRow_);
  }
  void nodeAboutToBeRemoved(DataTree, RecordNode& node) override {
    pendingParent_ = node.parent(), pendingRow_ = node.row();
    ++events;
  }
  void nodeRemoved(DataTree, RecordNode& parent, std::size_t row) override {
    EXPECT_EQ(&parent, pendingParent_);
    EXPECT_EQ(row, pendingRow_);
  }
  void nodeAboutToBeMoved(DataTree, RecordNode& node, RecordNode& parent, std::size_t row) override {
    EXPECT_FALSE(parent.isWithin(&node));
    EXPECT_LE(row, parent.childCount());
    // Qt's count: the node still stands where it was.
    expectedRow_ = (node.parent() == &parent && node.row() < row) ? row - 1 : row;
    pendingParent_ = &parent;
    ++events;
  }
  void nodeMoved(DataTree, RecordNode& node, RecordNode&) override {
    EXPECT_EQ(node.parent(), pendingParent_);
    EXPECT_EQ(node.row(), expectedRow_);
  }
  void recordChanged(DataTree, RecordNode&) override { ++events; }
  void fieldChanged(DataField) override { ++events; }
  void itemsRenumbered() override { ++events; }
  void commandFinished(const EditCommand&, EditDirection d) override { finished.push_back(d); }

  int events = 0;
  std::vector<EditDirection> finished;

 private:
  RecordNode* pendingParent_ = nullptr;
  std::size_t pendingRow_ = 0, expectedRow_ = 0;
};

using MakeCommand = std::function<std::unique_ptr<EditCommand>(WorkFileData&)>;

struct Case {
  const char* name;
  MakeCommand make;
  bool changesFile = true;  // false: only the modified state (cut, unchanged accept)
};

std::vector<std::unique_ptr<RecordNode>> Copies(const RecordNode& node) {
  return *UnpackSubtrees(PackSubtrees({&node}));
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"new item after the third", [](WorkFileData& d) { return edits::NewItem(&Item(d, 2)); }},
      {"new item in an empty focus", [](WorkFileData&) { return edits::NewItem(nullptr); }},
      {"new child of the first", [](WorkFileData& d) { return edits::NewChildItem(&Item(d, 0)); }},
      {"delete a subtree", [](WorkFileData& d) { return edits::DeleteItem(Item(d, 0)); }},
      {"delete the deepest item", [](WorkFileData& d) { return edits::DeleteItem(*Deepest(d)); }},
      {"delete the last item", [](WorkFileData& d) { return edits::DeleteItem(*d.structure.inTreeOrder().back()); }},
      {"cut", [](WorkFileData& d) { return edits::CutItem(Item(d, 1)); }, false},
      {"paste copies as child",
       [](WorkFileData& d) {
         return edits::PasteItems(PasteAsChildPosition(d.structure, &Item(d, 4)), Copies(Item(d, 0)));
       }},
      {"paste copies as sibling without focus",
       [](WorkFileData& d) {
         return edits::PasteItems(PasteAsSiblingPosition(d.structure, nullptr), Copies(Item(d, 3)));
       }},
      {"paste of a cut item",
       [](WorkFileData& d) {
         RecordNode& last = *d.structure.root().children().back();
         return edits::PasteCutItem(last, PasteAsChildPosition(d.structure, &Item(d, 0)));
       }},
      {"drop below an item",
       [](WorkFileData& d) {
         RecordNode& target = *d.structure.root().child(2);
         return edits::DropItem(Item(d, 0), DropPosition(d.structure, Item(d, 0), &target, DropZone::Below).value());
       }},
      {"drop within the same parent downwards",
       [](WorkFileData& d) {
         RecordNode& first = *d.structure.root().child(0);
         return edits::DropItem(first, TreePosition{&d.structure.root(), 3});
       }},
      {"give away to another window", [](WorkFileData& d) { return edits::GiveAwayItem(Item(d, 2)); }},
      {"panel accept",
       [](WorkFileData& d) {
         FieldList r = Item(d, 1).record;
         r.setValue(key::NAME, "Neuer Name \xE4");
         r.setValue(key::FINDINGS, "");
         return edits::SetItemRecord(Item(d, 1), r, edits::kAcceptPanelName);
       }},
      {"accept without a change",
       [](WorkFileData& d) { return edits::SetItemRecord(Item(d, 1), Item(d, 1).record, edits::kAcceptPanelName); },
       false},
      {"new document after the first", [](WorkFileData& d) { return edits::NewDocument(&Doc(d, 0)); }},
      {"new document without focus", [](WorkFileData&) { return edits::NewDocument(nullptr); }},
      {"delete a document", [](WorkFileData& d) { return edits::DeleteDocument(Doc(d, 1)); }},
      {"document dialog",
       [](WorkFileData& d) { return edits::EditDocument(Doc(d, 0), DocumentEdit{"Bericht", 3, "C:\\x.pdf", "a\r\nb"}); }},
      {"rename a document", [](WorkFileData& d) { return edits::RenameDocument(Doc(d, 2), ""); }},
      {"nest a document",
       [](WorkFileData& d) {
         return edits::MoveDocument(Doc(d, 2), DropPlace(d.documents, &Doc(d, 0), DropPosition::OnRow));
       }},
      {"move a document to the top",
       [](WorkFileData& d) {
         return edits::MoveDocument(Doc(d, 2), DropPlace(d.documents, nullptr, DropPosition::EmptySpace));
       }},
      {"project properties",
       [](WorkFileData& d) {
         return edits::SetDefinitionLists({"ITEM=a,VALUE=b", d.riskDefs, "", d.staffDefs + "\x11ITEM=x"});
       }},
      {"project properties unchanged",
       [](WorkFileData& d) {
         return edits::SetDefinitionLists({d.generalDefs, d.riskDefs, d.ouDefs, d.staffDefs});
       },
       false},
      {"description", [](WorkFileData&) { return edits::SetDescription("{\\rtf1 neu}"); }},
  };
  return cases;
}

void Fill(WorkFileData& data) {
  test::GenerateWorkFile(data, 7, 40, 4);
  while (data.documents.root().childCount() < 4) {
    FieldList doc = NewDocumentRecord();
    doc.setValue(key::ID, std::to_string(10 + data.documents.root().childCount()));
    data.documents.append(nullptr, std::move(doc));
  }
  ASSERT_GE(data.structure.root().childCount(), 4u);
}

TEST(EditCommands, ApplyRevertApplyGivesTheSameFiles) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    WorkFileData data;
    Fill(data);
    WorkFileEditor editor(data);
    CheckingObserver observer;
    editor.addObserver(&observer);
    const std::string before = Snapshot(data);

    ASSERT_TRUE(editor.execute(c.make(data)));
    const std::string after = Snapshot(data);
    EXPECT_EQ(after != before, c.changesFile);
    EXPECT_TRUE(data.modified);
    EXPECT_EQ(c.changesFile, observer.events > 0);

    ASSERT_TRUE(editor.undo());
    EXPECT_TRUE(Same(Snapshot(data), before));
    EXPECT_FALSE(data.modified) << "back at the saved state";

    ASSERT_TRUE(editor.redo());
    EXPECT_TRUE(Same(Snapshot(data), after));
    EXPECT_TRUE(data.modified);

    EXPECT_EQ(observer.finished,
              (std::vector<EditDirection>{EditDirection::Do, EditDirection::Undo, EditDirection::Redo}));
  }
}

TEST(EditCommands, AllKindsInOneHistoryUndoToTheStartAndRedoToTheEnd) {
  WorkFileData data;
  Fill(data);
  WorkFileEditor editor(data);
  std::vector<std::string> states{Snapshot(data)};
  for (const Case& c : Cases()) {
    if (editor.execute(c.make(data))) states.push_back(Snapshot(data));
  }
  ASSERT_EQ(editor.historySize() + 1, states.size());
  for (std::size_t i = states.size() - 1; i-- > 0;) {
    ASSERT_TRUE(editor.undo());
    ASSERT_TRUE(Same(Snapshot(data), states[i])) << "after undoing step " << i + 1;
  }
  EXPECT_FALSE(editor.canUndo());
  for (std::size_t i = 1; i < states.size(); ++i) {
    ASSERT_TRUE(editor.redo());
    ASSERT_TRUE(Same(Snapshot(data), states[i])) << "after redoing step " << i;
  }
}

TEST(EditCommands, ModifiedFollowsTheSavedPlaceInTheHistory) {
  WorkFileData data;
  Fill(data);
  WorkFileEditor editor(data);
  editor.execute(edits::NewItem(nullptr));
  editor.execute(edits::NewItem(nullptr));
  editor.markSaved();
  EXPECT_FALSE(data.modified);
  EXPECT_EQ(editor.undoName(), "Neues Element");
  editor.undo();
  EXPECT_TRUE(data.modified) << "undone away from the saved state";
  editor.redo();
  EXPECT_FALSE(data.modified);
  editor.undo();
  editor.execute(edits::DeleteItem(Item(data, 0)));  // the saved state can no longer be reached
  EXPECT_FALSE(editor.canRedo());
  EXPECT_TRUE(data.modified);
  editor.undo();
  EXPECT_TRUE(data.modified);
}

TEST(EditCommands, NothingToDoJoinsNoHistory) {
  WorkFileData data;
  Fill(data);
  WorkFileEditor editor(data);
  EXPECT_FALSE(editor.execute(edits::SetDescription(data.description)));
  EXPECT_FALSE(editor.execute(edits::MoveDocument(Doc(data, 0), DocumentPlace{&data.documents.root(), 0})));
  // Into its own subtree: refused.
  RecordNode& parent = *data.structure.root().child(0);
  ASSERT_GT(parent.childCount(), 0u);
  EXPECT_FALSE(editor.execute(edits::DropItem(parent, TreePosition{parent.child(0), 0})));
  EXPECT_FALSE(editor.canUndo());
  EXPECT_FALSE(data.modified);
}

TEST(EditCommands, SaveStampsStayOutOfTheHistory) {
  WorkFileData data;
  Fill(data);
  WorkFileEditor editor(data);
  editor.execute(edits::NewItem(nullptr));
  editor.markSaved();
  editor.execute(edits::StampSave("HOST/neu", "01.02.2025 10:00:00"));
  EXPECT_EQ(data.savedBy, "HOST/neu");
  EXPECT_EQ(editor.historySize(), 1u);
  EXPECT_FALSE(data.modified);
  editor.undo();
  EXPECT_EQ(data.savedAt, "01.02.2025 10:00:00") << "undo takes back edits, not the save";
}

TEST(EditCommands, AConflictingUndoLeavesTheDataAndClearsTheHistory) {
  WorkFileData data;
  Fill(data);
  WorkFileEditor editor(data);
  std::string reported;
  editor.setFailureSink([&](const std::string& m) { reported = m; });
  // Two pasted items; their revert takes them out last to first.
  std::vector<std::unique_ptr<RecordNode>> items = Copies(Item(data, 0));
  for (auto& extra : Copies(Item(data, 1))) items.push_back(std::move(extra));
  editor.execute(edits::PasteItems(TreePosition{&data.structure.root(), 0}, std::move(items)));
  // A fault moves the first pasted item behind the edit layer's back: the second revert
  // step finds it elsewhere after the first has already run.
  RecordNode* first = data.structure.root().child(0);
  data.structure.insert(nullptr, 3, data.structure.take(first));
  const std::string damaged = Snapshot(data);

  EXPECT_FALSE(editor.undo());
  EXPECT_TRUE(Same(Snapshot(data), damaged)) << "the steps already taken back are done again";
  EXPECT_FALSE(editor.canUndo());
  EXPECT_FALSE(editor.canRedo());
  EXPECT_TRUE(data.modified);
  EXPECT_NE(reported.find("Element einfügen"), std::string::npos) << reported;
}

TEST(EditCommands, NodesComeBackAsTheSameObjects) {
  WorkFileData data;
  Fill(data);
  WorkFileEditor editor(data);
  RecordNode* gone = &Item(data, 0);
  const std::size_t count = data.structure.count();
  editor.execute(edits::DeleteItem(*gone));
  EXPECT_LT(data.structure.count(), count);
  EXPECT_EQ(editor.lastCommand()->focus().afterRevert, gone);
  editor.undo();
  EXPECT_EQ(&Item(data, 0), gone) << "pointers held by views stay valid";
  EXPECT_EQ(data.structure.count(), count);
}

}  // namespace
}  // namespace orvela
