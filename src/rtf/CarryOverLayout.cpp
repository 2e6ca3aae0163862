#include "CarryOverLayout.h"

#include <utility>

namespace orvela::rtf {
namespace {

void CarryOverBlocks(const std::vector<Block>& original, std::vector<Block>& edited);

// The original's properties with the edited content.
Cell WithBlocks(const Cell& original, std::vector<Block> blocks) {
  Cell cell = original;
  cell.blocks = std::move(blocks);
  return cell;
}

// Each run starts with a cell that does not continue a horizontal merge; the numbers are
// the indices of those cells.
std::vector<std::size_t> RunStarts(const Row& row) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < row.cells.size(); ++i) {
    if (starts.empty() || row.cells[i].horizontalMerge != Merge::Continue) starts.push_back(i);
  }
  return starts;
}

void CarryOverRow(const Row& original, Row& edited) {
  std::vector<Cell> cells;
  if (edited.cells.size() == original.cells.size()) {
    for (std::size_t i = 0; i < original.cells.size(); ++i) {
      CarryOverBlocks(original.cells[i].blocks, edited.cells[i].blocks);
      cells.push_back(WithBlocks(original.cells[i], std::move(edited.cells[i].blocks)));
    }
  } else {
    const std::vector<std::size_t> starts = RunStarts(original);
    if (starts.size() != edited.cells.size()) return;
    for (std::size_t r = 0; r < starts.size(); ++r) {
      const std::size_t end = r + 1 < starts.size() ? starts[r + 1] : original.cells.size();
      CarryOverBlocks(original.cells[starts[r]].blocks, edited.cells[r].blocks);
      cells.push_back(WithBlocks(original.cells[starts[r]], std::move(edited.cells[r].blocks)));
      for (std::size_t i = starts[r] + 1; i < end; ++i) cells.push_back(original.cells[i]);
    }
  }
  Row row = original;
  row.cells = std::move(cells);
  edited = std::move(row);
}

void CarryOverTable(const Table& original, Table& edited) {
  if (original.rows.size() != edited.rows.size()) return;
  for (std::size_t r = 0; r < original.rows.size(); ++r) CarryOverRow(original.rows[r], edited.rows[r]);
}

void CarryOverBlocks(const std::vector<Block>& original, std::vector<Block>& edited) {
  std::vector<const Table*> tables;
  for (const Block& block : original) {
    if (const auto* table = std::get_if<Table>(&block.content)) tables.push_back(table);
  }
  std::size_t next = 0;
  for (Block& block : edited) {
    auto* table = std::get_if<Table>(&block.content);
    if (!table) continue;
    if (next == tables.size()) return;
    CarryOverTable(*tables[next++], *table);
  }
}

}  // namespace

void CarryOverLayout(const Document& original, Document& edited) {
  edited.page = original.page;
  edited.headersFooters = original.headersFooters;
  CarryOverBlocks(original.blocks, edited.blocks);
}

}  // namespace orvela::rtf
