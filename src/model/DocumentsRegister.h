#pragma once
// Rules of the documents register: document types, identifiers, where new and moved
// documents go, and what the document dialog writes back. The register is a RecordTree
// (WorkFileData::documents) walked in tree order ("register order").
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/FieldList.h"
#include "model/RecordTree.h"

namespace orvela {

// Types in the order of the dialog's type list: index 0 "<nicht definiert>", 1 "Document",
// 2 "Description", 3 "Link".
inline constexpr int kDocTypeCount = 4;
// Stored value of a list index; any index outside the list gives "<nicht definiert>".
std::string_view DocTypeStoredValue(int index);
// "nicht definiert", "Dokument", "Beschreibung", "Link"; index outside the list as 0.
std::string_view DocTypeDisplayText(int index);
// List index of a stored TYPE, compared exactly (letter case counts); 0 for anything else.
int DocTypeIndex(std::string_view stored);

// An ID read as a whole number (blanks around it allowed), nothing when it is not one.
std::optional<long long> DocumentIdValue(std::string_view id);

// The largest ID in the register, 0 when there is none or all are below 0. IDs that are
// not whole numbers (only hand-edited files hold them) do not count.
long long GetMaxDocumentId(const RecordTree& documents);

// The ID a new document gets: the largest ID + 1, written in decimal. Should the largest
// be the greatest representable number, the smallest positive number no document uses.
std::string NextDocumentId(const RecordTree& documents);

// A place in the register: before child `row` of `parent` (the tree's root for the top
// level), counted while the document to be placed still stands where it was.
struct DocumentPlace {
  RecordNode* parent = nullptr;
  std::size_t row = 0;
};

// Directly after the focused document at its level; at the end of the top level when no
// document has the focus.
DocumentPlace NewDocumentPlace(RecordTree& documents, RecordNode* focused);

// Inserts a document with the initial record at NewDocumentPlace and gives it
// NextDocumentId (the walk already includes the new row, whose ID is still "0").
RecordNode* AddNewDocument(RecordTree& documents, RecordNode* focused);

// Removes a document together with the documents nested in it. References to it in
// items and findings are left alone.
void DeleteDocument(RecordTree& documents, RecordNode* document);

// Where a drop puts the dragged document, by the position on the target row.
enum class DropPosition {
  AboveRow,    // upper edge: just before the target, at its level
  OnRow,       // middle: the last document nested in the target
  BelowRow,    // lower edge: just after the target, at its level
  EmptySpace,  // below all rows: the first place of the top level (target unused)
};
DocumentPlace DropPlace(RecordTree& documents, RecordNode* target, DropPosition position);

enum class MoveResult {
  Moved,
  Unchanged,  // the place is where the document already stands
  Refused,    // the place lies inside the document itself or its nesting
};
// What MoveDocument would do, without doing it.
MoveResult CheckMove(const RecordNode* document, const DocumentPlace& place);
// Moves a document with everything nested in it; identifiers stay. A refused move leaves
// the register as it was.
MoveResult MoveDocument(RecordTree& documents, RecordNode* document, const DocumentPlace& place);

// What the document dialog hands back on "OK". `typeIndex` is the selected entry of the
// type list, or nothing when the user typed a text of his own (TYPE then stays).
struct DocumentEdit {
  std::string name;
  std::optional<int> typeIndex;
  std::string reference;
  std::string description;  // lines separated by CR LF
};
void ApplyDocumentEdit(FieldList& record, const DocumentEdit& edit);

}  // namespace orvela
