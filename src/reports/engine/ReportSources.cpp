#include "reports/engine/ReportSources.h"

#include <array>
#include <cstddef>

#include "model/DelimitedText.h"
#include "model/TextUtils.h"
#include "model/WorkFileData.h"
#include "model/srcGlobalDef.h"
#include "model/srcGlobalProc.h"
#include "reports/engine/RtfEscape.h"

namespace orvela {

std::string ReportBlock::startMarker() const { return "/SCAN(" + std::string(name) + ")/"; }
std::string ReportBlock::endMarker() const { return "/ENDSCAN(" + std::string(name) + ")/"; }

namespace {

struct DefinitionBlock {
  std::string_view name;
  std::string ReportInput::*list;
  std::string_view itemPlaceholder;
  std::string_view valuePlaceholder;
};

constexpr std::array<DefinitionBlock, 4> kDefinitionBlocks{{
    {"GENERAL-DEFS", &ReportInput::generalDefs, "/VAR:GENERAL-DEFS:ITEM/", "/VAR:GENERAL-DEFS:VALUE/"},
    {"RISK-DEFINITIONS", &ReportInput::riskDefs, "/VAR:RISK-DEFS:VALUE/", "/VAR:RISK-DEFS:DEFINITION/"},
    {"OU-DEFINITIONS", &ReportInput::ouDefs, "/VAR:OU-DEFS:OU/", "/VAR:OU-DEFS:NAME/"},
    {"STAFF-DEFINITIONS", &ReportInput::staffDefs, "/VAR:STAFF-DEFS:SHORTNAME/", "/VAR:STAFF-DEFS:FULLNAME/"},
}};

// A row placeholder of a record block: the field it shows, or one of the values that are
// not fields of the record.
enum class Derived { None, RunningNumber, OutlineNumber };
struct FieldPlaceholder {
  std::string_view placeholder;
  std::string_view field;
  Derived derived = Derived::None;
};

constexpr std::array<FieldPlaceholder, 6> kDocumentPlaceholders{{
    {"/VAR:DOCS:ID/", key::ID},
    {"/VAR:DOCS:NUM/", {}, Derived::RunningNumber},
    {"/VAR:DOCS:NAME/", key::NAME},
    {"/VAR:DOCS:TYPE/", key::TYPE},
    {"/VAR:DOCS:REF/", key::REFERENCE},
    {"/VAR:DOCS:DESCRIPTION/", key::DESCRIPTION},
}};

constexpr std::array<FieldPlaceholder, 9> kStructurePlaceholders{{
    {"/VAR:STRUCTURE:ID/", key::ID},
    {"/VAR:STRUCTURE:LEVEL/", {}, Derived::OutlineNumber},
    {"/VAR:STRUCTURE:NAME/", key::NAME},
    {"/VAR:STRUCTURE:RISK/", key::RISK},
    {"/VAR:STRUCTURE:OU/", key::OU_X},
    {"/VAR:STRUCTURE:WORKSTATE/", key::WORKSTATE},
    {"/VAR:STRUCTURE:DOCUMENTS/", key::DOCUMENTS},
    {"/VAR:STRUCTURE:DESCRIPTION/", key::DESCRIPTION},
    {"/VAR:STRUCTURE:RESULT/", key::RESULT},
}};

// In column order: the placeholder of column i shows cell i.
constexpr std::array<std::string_view, kFindingColumnCount> kFindingPlaceholders{
    "/VAR:FINDINGS:NUM/",      "/VAR:FINDINGS:ID/", "/VAR:FINDINGS:NAME/",
    "/VAR:FINDINGS:TYPE/",     "/VAR:FINDINGS:RISK/", "/VAR:FINDINGS:OU/",
    "/VAR:FINDINGS:EVIDENCE/", "/VAR:FINDINGS:DEADLINE/", "/VAR:FINDINGS:DESCRIPTION/",
};

ReportBlock DefinitionRows(const DefinitionBlock& def, const ReportInput& input) {
  ReportBlock block{def.name, {def.itemPlaceholder, def.valuePlaceholder}, {}};
  for (const std::string& entry : SplitAtChar(input.*def.list, kListSeparator)) {
    block.rows.push_back({RtfEscape(GetDefItem(entry)), RtfEscape(GetDefValue(entry))});
  }
  return block;
}

template <std::size_t N>
ReportBlock RecordRows(std::string_view name, const std::array<FieldPlaceholder, N>& table,
                       const RecordTree* tree) {
  ReportBlock block{name, {}, {}};
  for (const FieldPlaceholder& p : table) block.placeholders.push_back(p.placeholder);
  if (tree == nullptr) return block;
  tree->forEach([&](const RecordNode& node) {
    std::vector<std::string> row;
    row.reserve(N);
    for (const FieldPlaceholder& p : table) {
      switch (p.derived) {
        case Derived::None: row.push_back(RtfEscape(node.record.value(p.field))); break;
        case Derived::RunningNumber: row.push_back(std::to_string(block.rows.size() + 1)); break;
        case Derived::OutlineNumber: row.push_back(RtfEscape(OutlineNumber(node))); break;
      }
    }
    block.rows.push_back(std::move(row));
  });
  return block;
}

ReportBlock FindingRows(const std::vector<FindingRow>& findings) {
  ReportBlock block{"FINDINGS", {kFindingPlaceholders.begin(), kFindingPlaceholders.end()}, {}};
  block.rows.reserve(findings.size());
  for (const FindingRow& finding : findings) {
    std::vector<std::string> row;
    row.reserve(kFindingColumnCount);
    row.push_back(finding[kFindingNumber]);  // the running number goes in unescaped
    for (std::size_t column = kFindingItemId; column < kFindingColumnCount; ++column) {
      row.push_back(RtfEscape(finding[column]));
    }
    block.rows.push_back(std::move(row));
  }
  return block;
}

}  // namespace

ReportSources CollectReportSources(const ReportInput& input) {
  ReportSources sources;
  sources.simple = {
      {"/VAR:FILENAME/", RtfEscape(input.fileName)},
      {"/VAR:USER-CREATED/", RtfEscape(input.createdBy)},
      {"/VAR:DATE-CREATED/", RtfEscape(input.createdAt)},
      {"/VAR:USER-LAST/", RtfEscape(input.savedBy)},
      {"/VAR:DATE-LAST/", RtfEscape(input.savedAt)},
      {"/VAR:CURRENT-DATE/", RtfEscape(input.currentDate)},
      {"/VAR:CURRENT-TIME/", RtfEscape(input.currentTime)},
      {"/VAR:DESCRIPTION/", RtfEscape(input.description)},
  };
  for (const DefinitionBlock& def : kDefinitionBlocks) sources.blocks.push_back(DefinitionRows(def, input));
  sources.blocks.push_back(RecordRows("DOCUMENTS", kDocumentPlaceholders, input.documents));
  sources.blocks.push_back(FindingRows(input.findings));
  sources.blocks.push_back(RecordRows("STRUCTURE", kStructurePlaceholders, input.structure));
  return sources;
}

}  // namespace orvela
