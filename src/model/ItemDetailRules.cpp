#include "model/ItemDetailRules.h"

#include <algorithm>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/ItemSignOff.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"
#include "model/srcGlobalProc.h"

namespace orvela {
namespace {

constexpr std::string_view kWorkStates[kWorkStateCount] = {kWorkStateUndefined, kWorkStateUncompleted,
                                                          kWorkStateCompleted};

bool ContainsNoCase(const std::vector<std::string>& list, std::string_view text) {
  return std::any_of(list.begin(), list.end(), [text](const std::string& s) { return EqualsNoCase(s, text); });
}

std::vector<std::string> Texts(const std::vector<CheckEntry>& entries, bool checked) {
  std::vector<std::string> out;
  for (const CheckEntry& e : entries)
    if (e.checked == checked) out.push_back(e.text);
  return out;
}

}  // namespace

std::string_view WorkStateStoredValue(int index) {
  return index >= 0 && index < kWorkStateCount ? kWorkStates[index] : kWorkStates[0];
}

int WorkStateIndex(std::string_view stored) {
  if (stored == kWorkStateUncompleted) return 1;
  if (stored == kWorkStateCompleted) return 2;
  return 0;
}

std::vector<std::string> DefinitionDisplayTexts(std::string_view listText) {
  std::vector<std::string> out;
  for (const std::string& entry : SplitListText(listText)) out.push_back(DefDisplayText(entry));
  return out;
}

std::string DocumentDisplayText(const FieldList& document) {
  return document.value(key::ID) + " - " + document.value(key::NAME) + " (" + document.value(key::REFERENCE) + ")";
}

std::string DocumentEntryId(std::string_view entryText) {
  const std::size_t at = entryText.find(" - ");
  return std::string(at == std::string_view::npos ? entryText : entryText.substr(0, at));
}

ItemDetails EmptyItemDetails() { return {}; }

ItemDetails LoadItemDetails(const FieldList& item, const WorkFileData& data) {
  ItemDetails d;
  d.hasItem = true;
  d.id = item.value(key::ID);
  d.name = item.value(key::NAME);

  d.riskEntries = DefinitionDisplayTexts(data.riskDefs);
  const std::string risk = item.value(key::RISK);
  const auto found = std::find_if(d.riskEntries.begin(), d.riskEntries.end(),
                                  [&risk](const std::string& e) { return EqualsNoCase(e, risk); });
  if (found != d.riskEntries.end()) d.riskIndex = static_cast<int>(found - d.riskEntries.begin());

  // The item keeps its own copy of the unit list once a unit was ticked; until then it
  // follows the current definitions.
  const std::vector<std::string> ticked = ReadCommaText(item.value(key::OU_X));
  if (!ticked.empty()) {
    for (const std::string& t : ticked) d.ouEntries.push_back({t, true});
    for (const std::string& u : ReadCommaText(item.value(key::OU_UX)))
      d.ouEntries.push_back({u, ContainsNoCase(ticked, u)});
  } else {
    for (std::string& t : DefinitionDisplayTexts(data.ouDefs)) d.ouEntries.push_back({std::move(t), false});
  }

  d.workStateIndex = WorkStateIndex(item.value(key::WORKSTATE));
  d.description = item.value(key::DESCRIPTION);
  d.result = item.value(key::RESULT);

  const std::vector<std::string> linked = ReadCommaText(item.value(key::DOCUMENTS));
  data.documents.forEach([&](const RecordNode& doc) {
    std::string text = DocumentDisplayText(doc.record);
    const bool tick = std::find(linked.begin(), linked.end(), DocumentEntryId(text)) != linked.end();
    d.documentEntries.push_back({std::move(text), tick});
  });

  d.findings = TextToList(item.value(key::FINDINGS));
  d.preparedBy = item.value(key::PREPARED_BY);
  d.preparedAt = item.value(key::PREPARED_AT);
  d.reviewedBy = item.value(key::REVIEWED_BY);
  d.reviewedAt = item.value(key::REVIEWED_AT);
  d.reviewNote = item.value(key::REVIEW_NOTE);
  d.changedAfterReview = ChangedAfterReview(item);
  return d;
}

void WriteItemDetails(FieldList& item, const ItemDetails& edited) {
  item.setValue(key::NAME, edited.name);
  const bool riskChosen =
      edited.riskIndex >= 0 && edited.riskIndex < static_cast<int>(edited.riskEntries.size());
  item.setValue(key::RISK, riskChosen ? edited.riskEntries[static_cast<std::size_t>(edited.riskIndex)] : "");
  item.setValue(key::OU_X, WriteCommaText(Texts(edited.ouEntries, true)));
  item.setValue(key::OU_UX, WriteCommaText(Texts(edited.ouEntries, false)));
  item.setValue(key::DESCRIPTION, edited.description);
  item.setValue(key::RESULT, edited.result);
  item.setValue(key::WORKSTATE, WorkStateStoredValue(edited.workStateIndex));
  std::vector<std::string> ids;
  for (const CheckEntry& e : edited.documentEntries)
    if (e.checked) ids.push_back(DocumentEntryId(e.text));
  item.setValue(key::DOCUMENTS, WriteCommaText(ids));
  item.setValue(key::FINDINGS, ListToText(edited.findings));
  item.setValue(key::PREPARED_BY, edited.preparedBy);
  item.setValue(key::PREPARED_AT, edited.preparedAt);
  item.setValue(key::REVIEWED_BY, edited.reviewedBy);
  item.setValue(key::REVIEWED_AT, edited.reviewedAt);
  item.setValue(key::REVIEW_NOTE, edited.reviewNote);
  // The digest goes with the review: signed now, it covers the content just written;
  // taken back, it goes too; otherwise it stays what the review covered.
  if (edited.reviewedBy.empty() && edited.reviewedAt.empty())
    item.setValue(key::REVIEW_DIGEST, "");
  else if (edited.reviewSigned)
    item.setValue(key::REVIEW_DIGEST, ItemContentDigest(item));
}

void SignAsPrepared(ItemDetails& details, std::string_view by, std::string_view at) {
  details.preparedBy = by;
  details.preparedAt = at;
}

void SignAsReviewed(ItemDetails& details, std::string_view by, std::string_view at) {
  details.reviewedBy = by;
  details.reviewedAt = at;
  details.reviewSigned = true;
}

void RemoveLatestSignOff(ItemDetails& details) {
  if (!details.reviewedBy.empty() || !details.reviewedAt.empty()) {
    details.reviewedBy.clear();
    details.reviewedAt.clear();
    details.reviewSigned = false;
  } else {
    details.preparedBy.clear();
    details.preparedAt.clear();
  }
}

SignOffState SignOffStateOf(const ItemDetails& details) {
  if (!details.reviewedBy.empty() || !details.reviewedAt.empty())
    return details.changedAfterReview && !details.reviewSigned ? SignOffState::ChangedAfterReview
                                                               : SignOffState::Reviewed;
  if (!details.preparedBy.empty() || !details.preparedAt.empty()) return SignOffState::Prepared;
  return SignOffState::Open;
}

}  // namespace orvela
