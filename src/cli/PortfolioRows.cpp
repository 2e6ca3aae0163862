#include "cli/PortfolioRows.h"

#include <array>
#include <charconv>

#include "model/Cp1252.h"
#include "model/CsvText.h"
#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"

namespace orvela::cli {
namespace {

std::string Text(std::string_view cp1252) { return Cp1252ToUtf8(cp1252); }
std::string Date(std::string_view stored) { return stored == kNoDeadline ? std::string() : PaddedDate(stored); }
std::string ItemField(const ItemSource& s, std::string_view key) { return Text(s.item.record.value(key)); }
std::string FindingField(const FindingSource& s, std::string_view key) { return Text(s.finding.value(key)); }

const std::array<Column<AuditSource>, 8> kAuditColumns{{
    {"file", CellKind::Text, [](const AuditSource& s) { return s.file; }},
    {"audit", CellKind::Text, [](const AuditSource& s) { return Text(s.audit); }},
    {"created_by", CellKind::Text, [](const AuditSource& s) { return Text(s.data.createdBy); }},
    {"created_at", CellKind::Text, [](const AuditSource& s) { return Text(s.data.createdAt); }},
    {"saved_by", CellKind::Text, [](const AuditSource& s) { return Text(s.data.savedBy); }},
    {"saved_at", CellKind::Text, [](const AuditSource& s) { return Text(s.data.savedAt); }},
    {"items", CellKind::Integer, [](const AuditSource& s) { return std::to_string(s.items); }},
    {"findings", CellKind::Integer, [](const AuditSource& s) { return std::to_string(s.findings); }},
}};

const std::array<Column<ItemSource>, 8> kItemColumns{{
    {"file", CellKind::Text, [](const ItemSource& s) { return s.file; }},
    {"outline", CellKind::Text, [](const ItemSource& s) { return s.outline; }},
    {"id", CellKind::Integer, [](const ItemSource& s) { return ItemField(s, key::ID); }},
    {"parent_outline", CellKind::Text,
     [](const ItemSource& s) {
       const RecordNode* parent = s.item.parent();
       return parent && !parent->isRoot() ? OutlineNumber(*parent) : std::string();
     }},
    {"name", CellKind::Text, [](const ItemSource& s) { return ItemField(s, key::NAME); }},
    {"risk", CellKind::Text, [](const ItemSource& s) { return ItemField(s, key::RISK); }},
    {"ou", CellKind::Text, [](const ItemSource& s) { return ItemField(s, key::OU_X); }},
    {"workstate", CellKind::Text, [](const ItemSource& s) { return ItemField(s, key::WORKSTATE); }},
}};

const std::array<Column<FindingSource>, 16> kFindingColumns{{
    {"file", CellKind::Text, [](const FindingSource& s) { return s.item.file; }},
    {"audit", CellKind::Text, [](const FindingSource& s) { return Text(s.item.audit); }},
    {"outline", CellKind::Text, [](const FindingSource& s) { return s.item.outline; }},
    {"item_id", CellKind::Integer, [](const FindingSource& s) { return ItemField(s.item, key::ID); }},
    {"item_name", CellKind::Text, [](const FindingSource& s) { return ItemField(s.item, key::NAME); }},
    {"finding_no", CellKind::Integer, [](const FindingSource& s) { return std::to_string(s.number); }},
    {"name", CellKind::Text, [](const FindingSource& s) { return FindingField(s, key::NAME); }},
    {"type", CellKind::Text, [](const FindingSource& s) { return FindingField(s, key::TYPE); }},
    {"risk", CellKind::Text, [](const FindingSource& s) { return FindingField(s, key::RISK); }},
    {"ou", CellKind::Text, [](const FindingSource& s) { return FindingField(s, key::OU); }},
    {"evidence", CellKind::Text, [](const FindingSource& s) { return FindingField(s, key::EVIDENCE); }},
    {"deadline", CellKind::Date, [](const FindingSource& s) { return Date(s.finding.value(key::DEADLINE)); }},
    {"description", CellKind::Text, [](const FindingSource& s) { return FindingField(s, key::DESCRIPTION); }},
    // Follow-up: the status as stored, an empty one as "0" as everywhere else.
    {"status", CellKind::Text,
     [](const FindingSource& s) {
       const std::string status = FindingField(s, key::STATUS);
       return status.empty() ? std::string("0") : status;
     }},
    {"responsible", CellKind::Text, [](const FindingSource& s) { return FindingField(s, key::RESPONSIBLE); }},
    {"done_at", CellKind::Date, [](const FindingSource& s) { return Date(s.finding.value(key::DONE_AT)); }},
}};

template <class Source>
Row RowOf(std::span<const Column<Source>> columns, const Source& source) {
  Row row;
  row.reserve(columns.size());
  for (const Column<Source>& c : columns) row.push_back(c.cell(source));
  return row;
}

}  // namespace

std::span<const Column<AuditSource>> AuditColumns() { return kAuditColumns; }
std::span<const Column<ItemSource>> ItemColumns() { return kItemColumns; }
std::span<const Column<FindingSource>> FindingColumns() { return kFindingColumns; }

std::optional<long long> IntegerCell(std::string_view cell) {
  long long n = 0;
  const auto [end, error] = std::from_chars(cell.data(), cell.data() + cell.size(), n);
  if (cell.empty() || error != std::errc() || end != cell.data() + cell.size()) return std::nullopt;
  return n;
}

std::string AuditNumber(const WorkFileData& data) {
  for (const std::string& entry : SplitListText(data.generalDefs)) {
    // Read as fields: the display text cuts a value at its first double quote.
    const FieldList fields = FieldList::fromCommaText(entry);
    if (EqualsNoCase(fields.value(key::ITEM), "Pr\xFC" "fungsnummer")) return fields.value(key::VALUE);
  }
  return {};
}

PortfolioFile PortfolioRowsOf(const std::string& file, const WorkFileData& data, bool withItems) {
  PortfolioFile rows;
  const std::string audit = AuditNumber(data);
  std::size_t items = 0;
  data.structure.forEach([&](const RecordNode& node) {
    ++items;
    const std::string outline = OutlineNumber(node);
    const ItemSource item{file, audit, node, outline};
    if (withItems) rows.items.push_back(RowOf(ItemColumns(), item));
    const std::string findings = node.record.value(key::FINDINGS);
    if (findings.empty()) return;
    std::size_t number = 0;
    for (const std::string& entry : SplitListText(findings)) {
      const FieldList finding = FieldList::fromCommaText(entry);
      rows.findings.push_back(RowOf(FindingColumns(), FindingSource{item, ++number, finding}));
      if (!withItems) continue;
      for (const std::string& unit : ReadCommaText(finding.value(key::OU)))
        rows.findingUnits.emplace_back(rows.findings.size() - 1, Text(unit));
    }
  });
  rows.audit = RowOf(AuditColumns(), AuditSource{file, audit, data, items, rows.findings.size()});
  return rows;
}

}  // namespace orvela::cli
