#include "model/DocumentsRegister.h"

#include <array>
#include <charconv>
#include <limits>
#include <memory>
#include <set>

#include "model/srcGlobalDef.h"

namespace orvela {

namespace {

struct DocType {
  std::string_view stored;
  std::string_view shown;
};

constexpr std::array<DocType, kDocTypeCount> kDocTypes{{
    {kNotDefined, "nicht definiert"},
    {kDocTypeDocument, "Dokument"},
    {kDocTypeDescription, "Beschreibung"},
    {kDocTypeLink, "Link"},
}};

bool InList(int index) { return index >= 0 && index < kDocTypeCount; }

RecordNode* ParentOrRoot(RecordTree& documents, RecordNode* parent) {
  return parent ? parent : &documents.root();
}

// RecordTree::insert takes null for the top level.
RecordNode* InsertParent(RecordTree& documents, RecordNode* parent) {
  return parent == &documents.root() ? nullptr : parent;
}

}  // namespace

std::string_view DocTypeStoredValue(int index) { return kDocTypes[InList(index) ? index : 0].stored; }

std::string_view DocTypeDisplayText(int index) { return kDocTypes[InList(index) ? index : 0].shown; }

int DocTypeIndex(std::string_view stored) {
  for (int i = 0; i < kDocTypeCount; ++i) {
    if (kDocTypes[i].stored == stored) return i;
  }
  return 0;
}

std::optional<long long> DocumentIdValue(std::string_view id) {
  const auto first = id.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  id = id.substr(first, id.find_last_not_of(' ') - first + 1);
  // from_chars takes "-" but not "+"; a sign must be followed by a digit either way.
  if (id.size() > 1 && id.front() == '+' && id[1] != '-') id.remove_prefix(1);
  long long value = 0;
  const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), value);
  if (error != std::errc() || end != id.data() + id.size()) return std::nullopt;
  return value;
}

long long GetMaxDocumentId(const RecordTree& documents) {
  long long largest = 0;
  documents.forEach([&](const RecordNode& document) {
    if (const auto value = DocumentIdValue(document.record.value(key::ID)); value && *value > largest) {
      largest = *value;
    }
  });
  return largest;
}

std::string NextDocumentId(const RecordTree& documents) {
  const long long largest = GetMaxDocumentId(documents);
  if (largest < std::numeric_limits<long long>::max()) return std::to_string(largest + 1);
  // Nothing above the largest is left: take the first gap instead, so that no two
  // documents ever share an identifier.
  std::set<long long> used;
  documents.forEach([&](const RecordNode& document) {
    if (const auto value = DocumentIdValue(document.record.value(key::ID)); value && *value > 0) {
      used.insert(*value);
    }
  });
  long long candidate = 1;
  for (const long long value : used) {
    if (value != candidate) break;
    ++candidate;
  }
  return std::to_string(candidate);
}

DocumentPlace NewDocumentPlace(RecordTree& documents, RecordNode* focused) {
  if (!focused || focused->isRoot()) return {&documents.root(), documents.root().childCount()};
  return {focused->parent(), focused->row() + 1};
}

RecordNode* AddNewDocument(RecordTree& documents, RecordNode* focused) {
  const DocumentPlace place = NewDocumentPlace(documents, focused);
  auto node = std::make_unique<RecordNode>();
  node->record = NewDocumentRecord();
  RecordNode* added = documents.insert(InsertParent(documents, place.parent), place.row, std::move(node));
  added->record.setValue(key::ID, NextDocumentId(documents));
  return added;
}

void DeleteDocument(RecordTree& documents, RecordNode* document) {
  if (document && !document->isRoot()) documents.take(document);
}

DocumentPlace DropPlace(RecordTree& documents, RecordNode* target, DropPosition position) {
  if (position == DropPosition::EmptySpace || !target || target->isRoot()) return {&documents.root(), 0};
  switch (position) {
    case DropPosition::AboveRow:
      return {target->parent(), target->row()};
    case DropPosition::BelowRow:
      return {target->parent(), target->row() + 1};
    case DropPosition::OnRow:
    case DropPosition::EmptySpace:
      break;
  }
  return {target, target->childCount()};
}

MoveResult CheckMove(const RecordNode* document, const DocumentPlace& place) {
  if (!document || document->isRoot() || !place.parent) return MoveResult::Refused;
  // A document cannot become part of its own nesting.
  if (place.parent->isWithin(document)) return MoveResult::Refused;
  if (place.parent == document->parent() && (place.row == document->row() || place.row == document->row() + 1)) {
    return MoveResult::Unchanged;
  }
  return MoveResult::Moved;
}

MoveResult MoveDocument(RecordTree& documents, RecordNode* document, const DocumentPlace& place) {
  const MoveResult result = CheckMove(document, place);
  if (result != MoveResult::Moved) return result;
  std::size_t row = place.row;
  if (place.parent == document->parent() && row > document->row()) --row;
  RecordNode* parent = ParentOrRoot(documents, place.parent);
  std::unique_ptr<RecordNode> moving = documents.take(document);
  documents.insert(InsertParent(documents, parent), row, std::move(moving));
  return MoveResult::Moved;
}

void ApplyDocumentEdit(FieldList& record, const DocumentEdit& edit) {
  record.setValue(key::NAME, edit.name);
  if (edit.typeIndex) record.setValue(key::TYPE, DocTypeStoredValue(*edit.typeIndex));
  record.setValue(key::REFERENCE, edit.reference);
  record.setValue(key::DESCRIPTION, edit.description);
}

}  // namespace orvela
