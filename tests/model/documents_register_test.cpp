#include "model/DocumentsRegister.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

#include "model/WorkFileData.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

// A register of documents named A, B, … with the given IDs; nesting is built by the tests.
class Register : public ::testing::Test {
 protected:
  RecordNode* add(const std::string& name, const std::string& id, RecordNode* parent = nullptr) {
    FieldList record = NewDocumentRecord();
    record.setValue(key::NAME, name);
    record.setValue(key::ID, id);
    RecordNode* node = docs.append(parent, std::move(record));
    byName[name] = node;
    return node;
  }
  void addFlat(const std::vector<std::string>& names) {
    int id = 1;
    for (const auto& name : names) add(name, std::to_string(id++));
  }
  RecordNode* operator[](const std::string& name) { return byName.at(name); }

  // The register as "A(B,C),D": names in tree order, nested ones in brackets.
  static std::string shape(const RecordNode& parent) {
    std::string out;
    for (const auto& child : parent.children()) {
      if (!out.empty()) out += ',';
      out += child->record.value(key::NAME);
      if (child->childCount() > 0) out += '(' + shape(*child) + ')';
    }
    return out;
  }
  std::string shape() const { return shape(docs.root()); }

  std::string idsInOrder() const {
    std::string out;
    docs.forEach([&](const RecordNode& n) { out += (out.empty() ? "" : ",") + n.record.value(key::ID); });
    return out;
  }

  RecordTree docs;
  std::map<std::string, RecordNode*> byName;
};

TEST(DocumentTypes, StoredValuesDisplayTextsAndIndexes) {
  struct Case {
    const char* stored;
    int index;
    const char* shown;
  };
  const Case cases[] = {
      {"<nicht definiert>", 0, "nicht definiert"},
      {"Document", 1, "Dokument"},
      {"Description", 2, "Beschreibung"},
      {"Link", 3, "Link"},
      // Anything else, letter case included, counts as not defined.
      {"link", 0, "nicht definiert"},
      {"Dokument", 0, "nicht definiert"},
      {"", 0, "nicht definiert"},
      {"Document ", 0, "nicht definiert"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    const int index = DocTypeIndex(c.stored);
    EXPECT_EQ(index, c.index);
    EXPECT_EQ(DocTypeDisplayText(index), c.shown);
  }
  for (int i = 0; i < kDocTypeCount; ++i) EXPECT_EQ(DocTypeIndex(DocTypeStoredValue(i)), i);
  EXPECT_EQ(DocTypeStoredValue(-1), kNotDefined);
  EXPECT_EQ(DocTypeStoredValue(kDocTypeCount), kNotDefined);
}

TEST(DocumentIds, WholeNumbersOnly) {
  struct Case {
    const char* text;
    std::optional<long long> value;
  };
  const Case cases[] = {
      {"1", 1},
      {"0042", 42},
      {" 7 ", 7},
      {"+5", 5},
      {"-3", -3},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
      {"0x10", std::nullopt},
      {"+-1", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DocumentIdValue(c.text), c.value);
  }
}

TEST_F(Register, MaxIdIgnoresNegativeAndNonNumericIds) {
  EXPECT_EQ(GetMaxDocumentId(docs), 0);
  add("A", "-4");
  EXPECT_EQ(GetMaxDocumentId(docs), 0);
  add("B", "abc");
  EXPECT_EQ(GetMaxDocumentId(docs), 0);
  add("C", "5");
  add("D", "2", (*this)["C"]);  // nested documents count too
  add("E", "9", (*this)["C"]);
  EXPECT_EQ(GetMaxDocumentId(docs), 9);
}

TEST_F(Register, FirstNewDocumentGetsIdOneAndTheInitialValues) {
  RecordNode* added = AddNewDocument(docs, nullptr);
  ASSERT_EQ(docs.root().childCount(), 1u);
  EXPECT_EQ(added->record.lines(),
            (std::vector<std::string>{"NAME=New Document", "REFERENCE=<nicht definiert>", "TYPE=<nicht definiert>", "ID=1"}));
}

TEST_F(Register, NewIdAfterDeletingIsLargestPlusOne) {
  struct Case {
    const char* deleted;
    const char* newId;
  };
  // Deleting the largest ID hands it out again; a gap further down stays a gap.
  for (const Case c : {Case{"C", "3"}, Case{"B", "4"}, Case{"A", "4"}}) {
    SCOPED_TRACE(c.deleted);
    docs.clear();
    addFlat({"A", "B", "C"});
    DeleteDocument(docs, (*this)[c.deleted]);
    EXPECT_EQ(AddNewDocument(docs, nullptr)->record.value(key::ID), c.newId);
  }
}

TEST_F(Register, NonNumericIdsNeverLeadToADuplicate) {
  add("A", "abc");
  EXPECT_EQ(AddNewDocument(docs, nullptr)->record.value(key::ID), "1");
  add("B", " 7");
  EXPECT_EQ(AddNewDocument(docs, nullptr)->record.value(key::ID), "8");

  // No number above the largest is left: the first free one is used.
  docs.clear();
  add("A", std::to_string(std::numeric_limits<long long>::max()));
  add("B", "1");
  add("C", "2");
  add("D", "4");
  EXPECT_EQ(AddNewDocument(docs, nullptr)->record.value(key::ID), "3");
}

TEST_F(Register, NewDocumentGoesAfterTheFocusedOneAtItsLevel) {
  addFlat({"A", "B", "C"});
  RecordNode* added = AddNewDocument(docs, (*this)["B"]);
  added->record.setValue(key::NAME, "N");
  EXPECT_EQ(shape(), "A,B,N,C");
  EXPECT_EQ(added->record.value(key::ID), "4");
  // C was third and is now fourth in register order.
  EXPECT_EQ(docs.inTreeOrder()[3], (*this)["C"]);

  add("X", "9", (*this)["A"]);
  add("Y", "10", (*this)["A"]);
  AddNewDocument(docs, (*this)["X"])->record.setValue(key::NAME, "M");
  EXPECT_EQ(shape(), "A(X,M,Y),B,N,C");
  EXPECT_EQ(docs.inTreeOrder()[2]->record.value(key::ID), "11");

  AddNewDocument(docs, nullptr)->record.setValue(key::NAME, "L");
  EXPECT_EQ(shape(), "A(X,M,Y),B,N,C,L");
}

TEST_F(Register, DeletingTakesNestedDocumentsAndLeavesReferencesAlone) {
  WorkFileData data;
  FieldList item;
  item.setValue(key::ID, "1");
  item.setValue(key::DOCUMENTS, "1,2,3");
  data.structure.append(nullptr, item);

  for (const auto& [name, id] : {std::pair{"A", "1"}, {"B", "2"}, {"C", "3"}}) {
    FieldList record = NewDocumentRecord();
    record.setValue(key::NAME, name);
    record.setValue(key::ID, id);
    data.documents.append(nullptr, record);
  }
  RecordNode* a = data.documents.root().child(0);
  RecordNode* c = data.documents.root().child(2);
  ASSERT_EQ(MoveDocument(data.documents, c, DropPlace(data.documents, a, DropPosition::OnRow)), MoveResult::Moved);

  DeleteDocument(data.documents, a);
  EXPECT_EQ(data.documents.count(), 1u);
  EXPECT_EQ(data.documents.root().child(0)->record.value(key::NAME), "B");
  EXPECT_EQ(data.structure.root().child(0)->record.value(key::DOCUMENTS), "1,2,3");
}

TEST_F(Register, DropPlacesTheDocumentByPosition) {
  struct Case {
    const char* name;
    const char* dragged;
    const char* target;
    DropPosition position;
    MoveResult result;
    const char* shape;
  };
  const Case cases[] = {
      {"above a later row", "A", "C", DropPosition::AboveRow, MoveResult::Moved, "B,A,C,D"},
      {"below a later row", "A", "C", DropPosition::BelowRow, MoveResult::Moved, "B,C,A,D"},
      {"above an earlier row", "D", "B", DropPosition::AboveRow, MoveResult::Moved, "A,D,B,C"},
      {"below the last row", "B", "D", DropPosition::BelowRow, MoveResult::Moved, "A,C,D,B"},
      {"onto a row", "B", "A", DropPosition::OnRow, MoveResult::Moved, "A(B),C,D"},
      {"empty space", "C", nullptr, DropPosition::EmptySpace, MoveResult::Moved, "C,A,B,D"},
      {"above itself", "B", "B", DropPosition::AboveRow, MoveResult::Unchanged, "A,B,C,D"},
      {"above the next row", "B", "C", DropPosition::AboveRow, MoveResult::Unchanged, "A,B,C,D"},
      {"empty space, already first", "A", nullptr, DropPosition::EmptySpace, MoveResult::Unchanged, "A,B,C,D"},
      {"onto itself", "B", "B", DropPosition::OnRow, MoveResult::Refused, "A,B,C,D"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    docs.clear();
    addFlat({"A", "B", "C", "D"});
    RecordNode* target = c.target ? (*this)[c.target] : nullptr;
    const DocumentPlace place = DropPlace(docs, target, c.position);
    EXPECT_EQ(CheckMove((*this)[c.dragged], place), c.result);
    EXPECT_EQ(MoveDocument(docs, (*this)[c.dragged], place), c.result);
    EXPECT_EQ(shape(), c.shape);
  }
}

TEST_F(Register, NestedDocumentsMoveWithTheirParentAndKeepTheirIds) {
  addFlat({"A", "B", "C", "D"});
  ASSERT_EQ(MoveDocument(docs, (*this)["C"], DropPlace(docs, (*this)["B"], DropPosition::OnRow)), MoveResult::Moved);
  ASSERT_EQ(MoveDocument(docs, (*this)["B"], DropPlace(docs, (*this)["D"], DropPosition::BelowRow)), MoveResult::Moved);
  EXPECT_EQ(shape(), "A,D,B(C)");
  EXPECT_EQ(idsInOrder(), "1,4,2,3");

  // Out of a nesting to the top level, and from one nesting into another.
  ASSERT_EQ(MoveDocument(docs, (*this)["C"], DropPlace(docs, (*this)["A"], DropPosition::AboveRow)), MoveResult::Moved);
  EXPECT_EQ(shape(), "C,A,D,B");
  ASSERT_EQ(MoveDocument(docs, (*this)["A"], DropPlace(docs, (*this)["C"], DropPosition::OnRow)), MoveResult::Moved);
  ASSERT_EQ(MoveDocument(docs, (*this)["A"], DropPlace(docs, (*this)["B"], DropPosition::OnRow)), MoveResult::Moved);
  EXPECT_EQ(shape(), "C,D,B(A)");
}

TEST_F(Register, DropIntoItsOwnNestingIsRefusedAndChangesNothing) {
  add("A", "1");
  add("B", "2", (*this)["A"]);
  add("C", "3", (*this)["B"]);
  add("D", "4");
  for (const auto position : {DropPosition::AboveRow, DropPosition::OnRow, DropPosition::BelowRow}) {
    for (const char* target : {"B", "C"}) {
      SCOPED_TRACE(target);
      EXPECT_EQ(MoveDocument(docs, (*this)["A"], DropPlace(docs, (*this)[target], position)), MoveResult::Refused);
      EXPECT_EQ(shape(), "A(B(C)),D");
    }
  }
  // The nested document itself may leave: C onto D.
  EXPECT_EQ(MoveDocument(docs, (*this)["C"], DropPlace(docs, (*this)["D"], DropPosition::OnRow)), MoveResult::Moved);
  EXPECT_EQ(shape(), "A(B),D(C)");
}

TEST(DocumentEdits, DialogResultIsWrittenBack) {
  FieldList record = NewDocumentRecord();
  record.setValue(key::TYPE, "Brief");
  record.setValue(key::ID, "7");

  // Untouched type box of an unexpected TYPE: the list shows index 0.
  ApplyDocumentEdit(record, {"", DocTypeIndex(record.value(key::TYPE)), "C:\\a.pdf", "Zeile 1\r\nZeile 2"});
  EXPECT_FALSE(record.hasKey(key::NAME));
  EXPECT_EQ(record.value(key::TYPE), "<nicht definiert>");
  EXPECT_EQ(record.value(key::REFERENCE), "C:\\a.pdf");
  EXPECT_EQ(record.value(key::DESCRIPTION), "Zeile 1\r\nZeile 2");
  EXPECT_EQ(record.value(key::ID), "7");

  // A type text of the user's own leaves TYPE as it was.
  record.setValue(key::TYPE, "Brief");
  ApplyDocumentEdit(record, {"Vertrag", std::nullopt, "", ""});
  EXPECT_EQ(record.value(key::TYPE), "Brief");
  EXPECT_EQ(record.value(key::NAME), "Vertrag");
  EXPECT_FALSE(record.hasKey(key::REFERENCE));
  EXPECT_FALSE(record.hasKey(key::DESCRIPTION));

  ApplyDocumentEdit(record, {"Vertrag", 3, "https://example.org", ""});
  EXPECT_EQ(record.value(key::TYPE), "Link");
}

}  // namespace
}  // namespace orvela
