#pragma once
// Record keys, fixed values and the initial records of every record kind.
// All texts here are Windows-1252 (they are stored in work files and reports).
#include <string>
#include <string_view>

#include "model/FieldList.h"

namespace orvela {

namespace key {
inline constexpr std::string_view ID = "ID";
inline constexpr std::string_view NAME = "NAME";
inline constexpr std::string_view RISK = "RISK";
inline constexpr std::string_view OU_X = "OU-X";
inline constexpr std::string_view OU_UX = "OU-UX";
inline constexpr std::string_view DESCRIPTION = "DESCRIPTION";
inline constexpr std::string_view RESULT = "RESULT";
inline constexpr std::string_view FINDINGS = "FINDINGS";
inline constexpr std::string_view DOCUMENTS = "DOCUMENTS";
inline constexpr std::string_view WORKSTATE = "WORKSTATE";
inline constexpr std::string_view REFERENCE = "REFERENCE";
inline constexpr std::string_view TYPE = "TYPE";
inline constexpr std::string_view OU = "OU";
inline constexpr std::string_view EVIDENCE = "EVIDENCE";
inline constexpr std::string_view DEADLINE = "DEADLINE";
inline constexpr std::string_view ITEM = "ITEM";
inline constexpr std::string_view VALUE = "VALUE";
}  // namespace key

inline constexpr std::string_view kNotDefined = "<nicht definiert>";

// Work states as stored.
inline constexpr std::string_view kWorkStateUndefined = "<nicht definiert>";
inline constexpr std::string_view kWorkStateUncompleted = "uncompleted";
inline constexpr std::string_view kWorkStateCompleted = "completed";
// "nicht definiert", "unvollständig", "vollständig bearbeitet"; empty for any other text.
std::string WorkStateDisplayText(std::string_view stored);

// Finding types "0", "1", "2" (empty counts as "0"): "nicht definiert", "Empfehlung", "Maßnahme".
std::string FindingTypeDisplayText(std::string_view stored);

// Document types as stored.
inline constexpr std::string_view kDocTypeDocument = "Document";
inline constexpr std::string_view kDocTypeDescription = "Description";
inline constexpr std::string_view kDocTypeLink = "Link";

inline constexpr std::string_view kNoDeadline = "01.01.1900";

// Initial records. A new structure item raises the item counter first and uses the
// raised value in ID and NAME.
FieldList NewStructureItemRecord(int& lastItemId);
FieldList NewDocumentRecord();
FieldList NewPanelFindingRecord();   // NAME "Neue Feststellung", the other six empty
FieldList NewDialogFindingRecord();  // all seven empty
FieldList NewDefEntryRecord();       // ITEM=, VALUE=

}  // namespace orvela
