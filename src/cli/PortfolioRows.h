#pragma once
// The rows that the portfolio commands take from one work file: one for the audit, one per
// structure item, one per finding. Each table is a list of columns, each column a name, a
// kind and how its cell is read, so that a new record field is one more entry. Cells are
// UTF-8; dates are "dd.mm.yyyy", empty when there is none.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/WorkFileData.h"

namespace orvela::cli {

enum class CellKind { Text, Integer, Date };

// What a cell of an item or finding row is read from.
struct ItemSource {
  const std::string& file;   // the path as found
  const std::string& audit;  // audit number, Windows-1252
  const RecordNode& item;
  const std::string& outline;
};
struct FindingSource {
  const ItemSource& item;
  std::size_t number;  // position in the item's list, from 1
  const FieldList& finding;
};
struct AuditSource {
  const std::string& file;
  const std::string& audit;
  const WorkFileData& data;
  std::size_t items, findings;
};

template <class Source>
struct Column {
  std::string_view name;
  CellKind kind;
  std::string (*cell)(const Source& source);
};

std::span<const Column<AuditSource>> AuditColumns();
std::span<const Column<ItemSource>> ItemColumns();
std::span<const Column<FindingSource>> FindingColumns();

using Row = std::vector<std::string>;

struct PortfolioFile {
  Row audit;
  std::vector<Row> items;
  std::vector<Row> findings;
  // One pair (finding row, unit) per organisational unit of a finding: row is the index
  // into `findings`, unit the display text.
  std::vector<std::pair<std::size_t, std::string>> findingUnits;
};

// The value of the general-data entry whose ITEM is "Prüfungsnummer" (Windows-1252), or empty.
std::string AuditNumber(const WorkFileData& data);

// The rows of one loaded and renumbered work file; items and units only when asked for.
PortfolioFile PortfolioRowsOf(const std::string& file, const WorkFileData& data, bool withItems);

// The number in a cell of kind Integer; nothing for empty or other text.
std::optional<long long> IntegerCell(std::string_view cell);

// The names of a table's columns, in order.
template <class Source>
std::vector<std::string> ColumnNames(std::span<const Column<Source>> columns) {
  std::vector<std::string> names;
  for (const Column<Source>& c : columns) names.emplace_back(c.name);
  return names;
}

}  // namespace orvela::cli
