#pragma once
// Every kind of change the work-file window makes, as a command for WorkFileEditor. The
// rules where things go stay in StructureCommands and DocumentsRegister; a command only
// carries them out through the journal, so that it can be undone and redone.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/EditCommand.h"
#include "model/StructureCommands.h"

namespace orvela {
// model/DocumentsRegister.h; not included here, since its drop enum and the structure's
// drop function share a name.
struct DocumentEdit;
struct DocumentPlace;
}  // namespace orvela

namespace orvela::edits {

// Structure. Focus hints: the new or changed item after applying, the item focused before
// (or the restored one) after reverting.
std::unique_ptr<EditCommand> NewItem(RecordNode* focused);       // "Neues Element"
std::unique_ptr<EditCommand> NewChildItem(RecordNode* focused);  // "Neues Unterelement"
// With all its sub-items, then renumbers.
std::unique_ptr<EditCommand> DeleteItem(RecordNode& item);
inline constexpr const char* kDeleteItemName = "Element löschen";
// Changes no data: the item waits for its paste, and the work file counts as modified from
// here on. "Element ausschneiden"
std::unique_ptr<EditCommand> CutItem(RecordNode& item);
// Inserts copies (detached subtrees) at `pos`, one after the other, then renumbers.
// "Element einfügen"
std::unique_ptr<EditCommand> PasteItems(const TreePosition& pos, std::vector<std::unique_ptr<RecordNode>> items);
// The paste of a cut item of the same window: moves it, then renumbers. "Element einfügen"
std::unique_ptr<EditCommand> PasteCutItem(RecordNode& item, const TreePosition& pos);
// A drop: moves without renumbering. "Element verschieben"
std::unique_ptr<EditCommand> DropItem(RecordNode& item, const TreePosition& pos);
// The cut item went to another window (as a copy, so that the steps before this one can
// still be undone here): it leaves this one, without renumbering. "Element verschieben"
std::unique_ptr<EditCommand> GiveAwayItem(RecordNode& item);
// The item detail panel accepted, or the item properties dialog confirmed.
std::unique_ptr<EditCommand> SetItemRecord(RecordNode& item, FieldList record, std::string name);
inline constexpr const char* kAcceptPanelName = "Änderungen übernehmen";
inline constexpr const char* kItemPropertiesName = "Elementeigenschaften";

// Documents register.
std::unique_ptr<EditCommand> NewDocument(RecordNode* focused);                        // "Neues Dokument"
std::unique_ptr<EditCommand> DeleteDocument(RecordNode& document);
inline constexpr const char* kDeleteDocumentName = "Dokument löschen";
std::unique_ptr<EditCommand> EditDocument(RecordNode& document, const DocumentEdit& edit);  // "Dokumenteigenschaften"
// Empty text removes NAME. "Dokument umbenennen"
std::unique_ptr<EditCommand> RenameDocument(RecordNode& document, const std::string& name);
// Nothing is done for a place inside the document itself. "Dokument verschieben"
std::unique_ptr<EditCommand> MoveDocument(RecordNode& document, const DocumentPlace& place);

// The four definition lists (general, risk, organisational units, staff) as list text,
// confirmed together; a step even when nothing differs, since confirming marks the work
// file modified. "Projekteigenschaften"
std::unique_ptr<EditCommand> SetDefinitionLists(const std::array<std::string, 4>& lists);
// The description as RTF text. "Beschreibung ändern"
std::unique_ptr<EditCommand> SetDescription(std::string rtf);
// The stamps of a save; kept out of the history and of the modified state.
std::unique_ptr<EditCommand> StampSave(std::string savedBy, std::string savedAt);

}  // namespace orvela::edits
