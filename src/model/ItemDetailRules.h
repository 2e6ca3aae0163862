#pragma once
// How a structure item's fields become the contents of the item detail panel (and of the
// item properties dialog, which shows the same controls), and how the edited contents go
// back into the record. The widgets only show and collect these values.
#include <string>
#include <string_view>
#include <vector>

#include "model/FieldList.h"
#include "model/ItemSignOff.h"
#include "model/WorkFileData.h"

namespace orvela {

// One line of a check list.
struct CheckEntry {
  std::string text;
  bool checked = false;
  friend bool operator==(const CheckEntry&, const CheckEntry&) = default;
};

// What the controls of the panel hold. Texts are Windows-1252.
struct ItemDetails {
  bool hasItem = false;  // false: the empty panel, no item focused
  std::string id;
  std::string name;
  std::vector<std::string> riskEntries;  // display texts of the risk definitions
  int riskIndex = -1;                    // selected entry, -1 for none
  std::vector<CheckEntry> ouEntries;
  int workStateIndex = 0;  // 0 "nicht definiert", 1 "unvollständig", 2 "vollständig bearbeitet"
  std::string description;  // lines separated by CR LF
  std::string result;
  std::vector<CheckEntry> documentEntries;  // document display texts, ticked when linked
  std::vector<FieldList> findings;
  // Sign-offs as stored (user stamps, date-time texts) and the review note.
  std::string preparedBy, preparedAt, reviewedBy, reviewedAt;
  std::string reviewNote;  // lines separated by CR LF
  bool changedAfterReview = false;  // as loaded; shown, never written
  // The review was signed in these edits: it covers the content as written with them.
  bool reviewSigned = false;
};

inline constexpr int kWorkStateCount = 3;
// "<nicht definiert>", "uncompleted", "completed"; an index outside the list as 0.
std::string_view WorkStateStoredValue(int index);
// 0, 1 or 2; only the exact stored texts count, anything else is 0.
int WorkStateIndex(std::string_view stored);

// The display texts of the entries of a definition list (list text), in list order.
std::vector<std::string> DefinitionDisplayTexts(std::string_view listText);
// ID " - " NAME " (" REFERENCE ")".
std::string DocumentDisplayText(const FieldList& document);
// The part of a document list entry before its first " - " (the whole text without one).
std::string DocumentEntryId(std::string_view entryText);

// The controls' contents for an item of the work file. The risk, organisational-unit and
// document lists come from the work file's current definitions and register.
ItemDetails LoadItemDetails(const FieldList& item, const WorkFileData& data);
// An empty panel (no item focused).
ItemDetails EmptyItemDetails();

// Writes the edited contents into the item, field by field in this order: NAME, RISK,
// OU-X, OU-UX, DESCRIPTION, RESULT, WORKSTATE, DOCUMENTS, FINDINGS, then the sign-offs
// and the review note. Empty texts remove their fields. ID is never written.
void WriteItemDetails(FieldList& item, const ItemDetails& edited);

// Sign-offs in the edited contents; `by` is a user stamp, `at` a date-time text as the
// save stamps have them. A review signed here covers the content as it is written.
void SignAsPrepared(ItemDetails& details, std::string_view by, std::string_view at);
void SignAsReviewed(ItemDetails& details, std::string_view by, std::string_view at);
// Takes back the latest sign-off: the review if there is one, else the preparation. The
// review note stays.
void RemoveLatestSignOff(ItemDetails& details);
// The state the contents show: a review signed in them covers the content.
SignOffState SignOffStateOf(const ItemDetails& details);

}  // namespace orvela
