#include "reports/engine/ReportSources.h"

#include <array>
#include <cstddef>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/WorkFileData.h"
#include "model/srcGlobalDef.h"
#include "reports/engine/FindingsOverview.h"
#include "reports/engine/ReadableValues.h"
#include "reports/engine/RtfEscape.h"

namespace orvela {

std::string ReportBlock::startMarker() const { return "/SCAN(" + std::string(name) + ")/"; }
std::string ReportBlock::endMarker() const { return "/ENDSCAN(" + std::string(name) + ")/"; }

namespace {

// The block expansion relies on this form of every row placeholder.
constexpr bool SlashDelimited(std::string_view placeholder) {
  return placeholder.size() > 2 && placeholder.front() == '/' && placeholder.back() == '/' &&
         placeholder.substr(1, placeholder.size() - 2).find('/') == std::string_view::npos;
}

template <typename Table, typename Placeholder>
constexpr bool AllSlashDelimited(const Table& table, Placeholder placeholderOf) {
  for (const auto& entry : table) {
    if (!SlashDelimited(placeholderOf(entry))) return false;
  }
  return true;
}

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
static_assert(AllSlashDelimited(kDefinitionBlocks, [](const DefinitionBlock& b) { return b.itemPlaceholder; }) &&
              AllSlashDelimited(kDefinitionBlocks, [](const DefinitionBlock& b) { return b.valuePlaceholder; }));

// How a row placeholder's value is made from its field: as stored, in its readable form,
// or not from a field at all.
enum class Form { Stored, RunningNumber, OutlineNumber, WorkStateText, DocTypeText, LinesText, DocumentNames };

struct FieldPlaceholder {
  std::string_view placeholder;
  std::string_view field = {};
  Form form = Form::Stored;
};

constexpr std::array<FieldPlaceholder, 7> kDocumentPlaceholders{{
    {"/VAR:DOCS:ID/", key::ID},
    {"/VAR:DOCS:NUM/", {}, Form::RunningNumber},
    {"/VAR:DOCS:NAME/", key::NAME},
    {"/VAR:DOCS:TYPE/", key::TYPE},
    {"/VAR:DOCS:REF/", key::REFERENCE},
    {"/VAR:DOCS:DESCRIPTION/", key::DESCRIPTION},
    {"/VAR:DOCS:TYPE-TEXT/", key::TYPE, Form::DocTypeText},
}};

constexpr std::array<FieldPlaceholder, 17> kStructurePlaceholders{{
    {"/VAR:STRUCTURE:ID/", key::ID},
    {"/VAR:STRUCTURE:LEVEL/", {}, Form::OutlineNumber},
    {"/VAR:STRUCTURE:NAME/", key::NAME},
    {"/VAR:STRUCTURE:RISK/", key::RISK},
    {"/VAR:STRUCTURE:OU/", key::OU_X},
    {"/VAR:STRUCTURE:WORKSTATE/", key::WORKSTATE},
    {"/VAR:STRUCTURE:DOCUMENTS/", key::DOCUMENTS},
    {"/VAR:STRUCTURE:DESCRIPTION/", key::DESCRIPTION},
    {"/VAR:STRUCTURE:RESULT/", key::RESULT},
    {"/VAR:STRUCTURE:WORKSTATE-TEXT/", key::WORKSTATE, Form::WorkStateText},
    {"/VAR:STRUCTURE:OU-TEXT/", key::OU_X, Form::LinesText},
    {"/VAR:STRUCTURE:DOCUMENTS-TEXT/", key::DOCUMENTS, Form::DocumentNames},
    {"/VAR:STRUCTURE:PREPARED-BY/", key::PREPARED_BY},
    {"/VAR:STRUCTURE:PREPARED-AT/", key::PREPARED_AT},
    {"/VAR:STRUCTURE:REVIEWED-BY/", key::REVIEWED_BY},
    {"/VAR:STRUCTURE:REVIEWED-AT/", key::REVIEWED_AT},
    {"/VAR:STRUCTURE:REVIEW-NOTE/", key::REVIEW_NOTE},
}};

// The FINDINGS placeholders, each with the cell of the findings overview it shows.
struct FindingPlaceholder {
  std::string_view placeholder;
  FindingColumn cell;
  Form form = Form::Stored;
};
constexpr std::array<FindingPlaceholder, 16> kFindingPlaceholders{{
    {"/VAR:FINDINGS:NUM/", kFindingNumber, Form::RunningNumber},
    {"/VAR:FINDINGS:ID/", kFindingItemId},
    {"/VAR:FINDINGS:NAME/", kFindingName},
    {"/VAR:FINDINGS:TYPE/", kFindingType},
    {"/VAR:FINDINGS:RISK/", kFindingRisk},
    {"/VAR:FINDINGS:OU/", kFindingOu},
    {"/VAR:FINDINGS:EVIDENCE/", kFindingEvidence},
    {"/VAR:FINDINGS:DEADLINE/", kFindingDeadline},
    {"/VAR:FINDINGS:DESCRIPTION/", kFindingDescription},
    {"/VAR:FINDINGS:OU-TEXT/", kFindingOu, Form::LinesText},
    {"/VAR:FINDINGS:EVIDENCE-TEXT/", kFindingEvidence, Form::DocumentNames},
    {"/VAR:FINDINGS:STATUS/", kFindingStatusStored},
    {"/VAR:FINDINGS:STATUS-TEXT/", kFindingStatus},
    {"/VAR:FINDINGS:RESPONSE/", kFindingResponse},
    {"/VAR:FINDINGS:RESPONSIBLE/", kFindingResponsible},
    {"/VAR:FINDINGS:DONE-AT/", kFindingDoneAt},
}};

constexpr auto kPlaceholderOf = [](const auto& p) { return p.placeholder; };
static_assert(AllSlashDelimited(kDocumentPlaceholders, kPlaceholderOf) &&
              AllSlashDelimited(kStructurePlaceholders, kPlaceholderOf) &&
              AllSlashDelimited(kFindingPlaceholders, kPlaceholderOf));

template <typename Table>
std::vector<std::string_view> PlaceholdersOf(const Table& table) {
  std::vector<std::string_view> out;
  for (const auto& p : table) out.push_back(p.placeholder);
  return out;
}

// The value a placeholder of the form `form` shows for the stored text `stored`, escaped.
std::string Readable(Form form, std::string_view stored, const DocumentNames* names) {
  switch (form) {
    case Form::WorkStateText: return RtfEscape(WorkStateReadable(stored));
    case Form::DocTypeText: return RtfEscape(DocTypeReadable(stored));
    case Form::LinesText: return RtfEscape(CommaTextReadable(stored));
    case Form::DocumentNames: return RtfEscape(names->readable(stored));
    default: return RtfEscape(stored);
  }
}

ReportBlock DefinitionRows(const DefinitionBlock& def, const ReportInput& input) {
  const std::string* list = &(input.*def.list);
  return {def.name, {def.itemPlaceholder, def.valuePlaceholder}, [list] {
            ReportRows rows;
            for (const std::string& entry : SplitListText(*list)) {
              const FieldList fields = FieldList::fromCommaText(entry);
              rows.push_back({RtfEscape(fields.value(key::ITEM)), RtfEscape(fields.value(key::VALUE))});
            }
            return rows;
          }};
}

// `documents` names the documents of DOCUMENTS-TEXT; null where no placeholder needs them.
template <std::size_t N>
ReportBlock RecordRows(std::string_view name, const std::array<FieldPlaceholder, N>& table, const RecordTree* tree,
                       const RecordTree* documents) {
  return {name, PlaceholdersOf(table), [&table, tree, documents] {
            ReportRows rows;
            if (tree == nullptr) return rows;
            const DocumentNames names(documents);
            tree->forEach([&](const RecordNode& node) {
              std::vector<std::string> row;
              row.reserve(N);
              for (const FieldPlaceholder& p : table) {
                switch (p.form) {
                  case Form::RunningNumber: row.push_back(std::to_string(rows.size() + 1)); break;
                  case Form::OutlineNumber: row.push_back(RtfEscape(OutlineNumber(node))); break;
                  default: row.push_back(Readable(p.form, node.record.value(p.field), &names));
                }
              }
              rows.push_back(std::move(row));
            });
            return rows;
          }};
}

ReportBlock FindingRows(const RecordTree* structure, const RecordTree* documents) {
  return {"FINDINGS", PlaceholdersOf(kFindingPlaceholders), [structure, documents] {
            ReportRows rows;
            if (structure == nullptr) return rows;
            const DocumentNames names(documents);
            for (const FindingRow& finding : FillFindingsOverview(*structure)) {
              std::vector<std::string> row;
              row.reserve(kFindingPlaceholders.size());
              for (const FindingPlaceholder& p : kFindingPlaceholders) {
                const std::string& cell = finding[p.cell];
                // The running number goes in unescaped.
                row.push_back(p.form == Form::RunningNumber ? cell : Readable(p.form, cell, &names));
              }
              rows.push_back(std::move(row));
            }
            return rows;
          }};
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
  sources.blocks.push_back(RecordRows("DOCUMENTS", kDocumentPlaceholders, input.documents, nullptr));
  sources.blocks.push_back(FindingRows(input.structure, input.documents));
  sources.blocks.push_back(RecordRows("STRUCTURE", kStructurePlaceholders, input.structure, input.documents));
  return sources;
}

}  // namespace orvela
