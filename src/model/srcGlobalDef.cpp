#include "model/srcGlobalDef.h"

#include <initializer_list>

namespace orvela {
namespace {

// A record built line by line: each key with its initial value, "KEY=" when empty.
FieldList BuildRecord(std::initializer_list<std::pair<std::string_view, std::string_view>> lines) {
  FieldList record;
  for (const auto& [k, v] : lines) {
    std::string line(k);
    line += '=';
    line += v;
    record.appendLine(std::move(line));
  }
  return record;
}

FieldList FindingRecord(std::string_view name) {
  return BuildRecord({{key::NAME, name},
                      {key::TYPE, ""},
                      {key::RISK, ""},
                      {key::OU, ""},
                      {key::EVIDENCE, ""},
                      {key::DESCRIPTION, ""},
                      {key::DEADLINE, ""}});
}
}  // namespace

std::string WorkStateDisplayText(std::string_view stored) {
  if (stored == kWorkStateUndefined) return "nicht definiert";
  if (stored == kWorkStateUncompleted) return "unvollst\xE4ndig";
  if (stored == kWorkStateCompleted) return "vollst\xE4ndig bearbeitet";
  return {};
}

std::string FindingTypeDisplayText(std::string_view stored) {
  if (stored.empty() || stored == "0") return "nicht definiert";
  if (stored == "1") return "Empfehlung";
  if (stored == "2") return "Ma\xDFnahme";
  return {};
}

FieldList NewStructureItemRecord(int& lastItemId) {
  ++lastItemId;
  const std::string n = std::to_string(lastItemId);
  const std::string name = "Neues Element - " + n;
  return BuildRecord({{key::ID, n},
                      {key::NAME, name},
                      {key::RISK, ""},
                      {key::OU_X, ""},
                      {key::OU_UX, ""},
                      {key::DESCRIPTION, ""},
                      {key::RESULT, ""},
                      {key::FINDINGS, ""},
                      {key::DOCUMENTS, ""},
                      {key::WORKSTATE, kWorkStateUndefined}});
}

FieldList NewDocumentRecord() {
  return BuildRecord({{key::NAME, "New Document"}, {key::REFERENCE, kNotDefined}, {key::TYPE, kNotDefined}, {key::ID, "0"}});
}

FieldList NewPanelFindingRecord() { return FindingRecord("Neue Feststellung"); }

FieldList NewDialogFindingRecord() { return FindingRecord(""); }

FieldList NewDefEntryRecord() { return BuildRecord({{key::ITEM, ""}, {key::VALUE, ""}}); }

}  // namespace orvela
