#include "model/DocumentsRegister.h"
#include "model/Edits.h"

#include <utility>

#include "model/srcGlobalDef.h"

namespace orvela::edits {

namespace {

constexpr DataTree S = DataTree::Structure;
constexpr DataTree D = DataTree::Documents;

std::unique_ptr<EditCommand> Make(const char* name, EditCommand::Perform perform,
                                  EditCommand::Kind kind = EditCommand::Kind::Recorded) {
  return std::make_unique<EditCommand>(name, std::move(perform), kind);
}

// A new item with its initial record (the raised counter in ID and NAME) at `pos`.
bool InsertNew(EditJournal& j, RecordNode* focused, TreePosition (*where)(RecordTree&, RecordNode*)) {
  const TreePosition pos = where(j.data().structure, focused);
  int counter = j.data().lastItemId;
  auto node = std::make_unique<RecordNode>(NewStructureItemRecord(counter));
  j.setLastItemId(counter);
  RecordNode* item = j.insert(S, pos.parent, pos.row, std::move(node));
  j.setFocus(S, item, focused);
  return true;
}

}  // namespace

std::unique_ptr<EditCommand> NewItem(RecordNode* focused) {
  return Make("Neues Element", [focused](EditJournal& j) { return InsertNew(j, focused, NewItemPosition); });
}

std::unique_ptr<EditCommand> NewChildItem(RecordNode* focused) {
  return Make("Neues Unterelement", [focused](EditJournal& j) { return InsertNew(j, focused, NewChildPosition); });
}

std::unique_ptr<EditCommand> DeleteItem(RecordNode& item) {
  return Make(kDeleteItemName, [&item](EditJournal& j) {
    j.setFocus(S, FocusAfterRemoval(item), &item);
    j.remove(S, item);
    j.renumberItems();
    return true;
  });
}

std::unique_ptr<EditCommand> CutItem(RecordNode& item) {
  return Make("Element ausschneiden", [&item](EditJournal& j) {
    j.setFocus(S, &item, &item);
    return true;
  });
}

std::unique_ptr<EditCommand> PasteItems(const TreePosition& pos, std::vector<std::unique_ptr<RecordNode>> items) {
  // The command is run at once; the items wait in a shared holder until then.
  auto held = std::make_shared<std::vector<std::unique_ptr<RecordNode>>>(std::move(items));
  RecordNode* focused = pos.parent && !pos.parent->isRoot() ? pos.parent : nullptr;
  return Make("Element einfügen", [pos, held, focused](EditJournal& j) {
    if (held->empty()) return false;
    std::size_t row = pos.row;
    RecordNode* first = nullptr;
    for (std::unique_ptr<RecordNode>& item : *held) {
      RecordNode* inserted = j.insert(S, pos.parent, row++, std::move(item));
      if (!first) first = inserted;
    }
    held->clear();
    j.renumberItems();
    j.setFocus(S, first, focused);
    return true;
  });
}

namespace {
std::unique_ptr<EditCommand> Move(const char* name, RecordNode& item, const TreePosition& pos, bool renumber) {
  return Make(name, [&item, pos, renumber](EditJournal& j) {
    if (!CanMoveTo(item, pos)) return false;
    j.move(S, item, pos.parent, RowAfterMove(item, pos));
    if (renumber) j.renumberItems();
    j.setFocus(S, &item, &item);
    return true;
  });
}
}  // namespace

std::unique_ptr<EditCommand> PasteCutItem(RecordNode& item, const TreePosition& pos) {
  return Move("Element einfügen", item, pos, true);
}

std::unique_ptr<EditCommand> DropItem(RecordNode& item, const TreePosition& pos) {
  return Move("Element verschieben", item, pos, false);
}

std::unique_ptr<EditCommand> GiveAwayItem(RecordNode& item) {
  return Make("Element verschieben", [&item](EditJournal& j) {
    j.setFocus(S, FocusAfterRemoval(item), &item);
    j.remove(S, item);
    return true;
  });
}

std::unique_ptr<EditCommand> SetItemRecord(RecordNode& item, FieldList record, std::string name) {
  return std::make_unique<EditCommand>(std::move(name), [&item, record = std::move(record)](EditJournal& j) {
    j.setRecord(S, item, record);
    j.setFocus(S, &item, &item);
    return true;  // accepting marks the work file modified even when no value differs
  });
}

std::unique_ptr<EditCommand> NewDocument(RecordNode* focused) {
  return Make("Neues Dokument", [focused](EditJournal& j) {
    RecordTree& documents = j.data().documents;
    const DocumentPlace place = NewDocumentPlace(documents, focused);
    // The new row's own ID "0" never raises the largest ID, so it is numbered before it
    // comes in, and the observers see it complete.
    auto node = std::make_unique<RecordNode>(NewDocumentRecord());
    node->record.setValue(key::ID, NextDocumentId(documents));
    RecordNode* added = j.insert(D, place.parent, place.row, std::move(node));
    j.setFocus(D, added, focused);
    return true;
  });
}

std::unique_ptr<EditCommand> DeleteDocument(RecordNode& document) {
  return Make(kDeleteDocumentName, [&document](EditJournal& j) {
    j.setFocus(D, FocusAfterRemoval(document), &document);
    j.remove(D, document);
    return true;
  });
}

std::unique_ptr<EditCommand> EditDocument(RecordNode& document, const DocumentEdit& edit) {
  return Make("Dokumenteigenschaften", [&document, edit](EditJournal& j) {
    FieldList record = document.record;
    ApplyDocumentEdit(record, edit);
    j.setRecord(D, document, std::move(record));
    j.setFocus(D, &document, &document);
    return true;
  });
}

std::unique_ptr<EditCommand> RenameDocument(RecordNode& document, const std::string& name) {
  return Make("Dokument umbenennen", [&document, name](EditJournal& j) {
    FieldList record = document.record;
    record.setValue(key::NAME, name);
    j.setRecord(D, document, std::move(record));
    j.setFocus(D, &document, &document);
    return true;
  });
}

std::unique_ptr<EditCommand> MoveDocument(RecordNode& document, const DocumentPlace& place) {
  return Make("Dokument verschieben", [&document, place](EditJournal& j) {
    if (CheckMove(&document, place) != MoveResult::Moved) return false;
    const TreePosition pos{place.parent, place.row};
    j.move(D, document, pos.parent, RowAfterMove(document, pos));
    j.setFocus(D, &document, &document);
    return true;
  });
}

std::unique_ptr<EditCommand> SetDefinitionLists(const std::array<std::string, 4>& lists) {
  return Make("Projekteigenschaften", [lists](EditJournal& j) {
    static constexpr DataField kFields[] = {DataField::GeneralDefs, DataField::RiskDefs, DataField::OuDefs,
                                            DataField::StaffDefs};
    for (std::size_t i = 0; i < lists.size(); ++i) j.setField(kFields[i], lists[i]);
    return true;
  });
}

std::unique_ptr<EditCommand> SetDescription(std::string rtf) {
  return Make("Beschreibung ändern", [rtf = std::move(rtf)](EditJournal& j) {
    j.setField(DataField::Description, rtf);
    return false;  // a step only when the text differs
  });
}

std::unique_ptr<EditCommand> StampSave(std::string savedBy, std::string savedAt) {
  return Make(
      "Speichern",
      [savedBy = std::move(savedBy), savedAt = std::move(savedAt)](EditJournal& j) {
        j.setField(DataField::SavedBy, savedBy);
        j.setField(DataField::SavedAt, savedAt);
        return false;
      },
      EditCommand::Kind::Untracked);
}

}  // namespace orvela::edits
