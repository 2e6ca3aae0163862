#include "TableGrid.h"

#include <algorithm>
#include <cstdlib>

namespace orvela::rtf {
namespace {

// Edges closer than this are one edge: word processors round widths a little differently
// from row to row.
constexpr int kSnapTwips = 20;

bool AllSized(const Table& table) {
  bool any = false;
  for (const Row& row : table.rows) {
    for (const Cell& cell : row.cells) {
      if (cell.widthTwips <= 0) return false;
      any = true;
    }
  }
  return any;
}

// Sorted edges with near neighbours folded into the first of them.
std::vector<int> Edges(const Table& table) {
  std::vector<int> all;
  for (const Row& row : table.rows) {
    long long x = row.leftTwips;
    all.push_back(static_cast<int>(x));
    for (const Cell& cell : row.cells) {
      x = std::min<long long>(x + cell.widthTwips, 10 * kMaxTwips);
      all.push_back(static_cast<int>(x));
    }
  }
  std::sort(all.begin(), all.end());
  std::vector<int> edges;
  for (const int x : all) {
    if (edges.empty() || x - edges.back() > kSnapTwips) edges.push_back(x);
  }
  return edges;
}

int EdgeIndex(const std::vector<int>& edges, long long x) {
  const auto it = std::lower_bound(edges.begin(), edges.end(), static_cast<int>(x - kSnapTwips));
  return static_cast<int>(std::min<std::ptrdiff_t>(it - edges.begin(), std::ssize(edges) - 1));
}

// The row with each horizontal merge as one cell as wide as the cells it covers.
Row Folded(const Row& row) {
  Row out = row;
  out.cells.clear();
  for (const Cell& cell : row.cells) {
    if (cell.horizontalMerge == Merge::Continue && !out.cells.empty()) {
      out.cells.back().widthTwips += cell.widthTwips;
      // The merged cell ends where the last cell it covers ends, with that cell's line.
      out.cells.back().borders.right = cell.borders.right;
      continue;
    }
    out.cells.push_back(cell);
    out.cells.back().horizontalMerge = Merge::None;
  }
  return out;
}

bool SameEdges(const Row& a, const Row& b) {
  if (a.cells.size() != b.cells.size() || std::abs(a.leftTwips - b.leftTwips) > kSnapTwips) return false;
  long long x = a.leftTwips, y = b.leftTwips;
  for (std::size_t i = 0; i < a.cells.size(); ++i) {
    x += a.cells[i].widthTwips;
    y += b.cells[i].widthTwips;
    if (std::llabs(x - y) > kSnapTwips) return false;
  }
  return true;
}

}  // namespace

std::vector<Table> UniformParts(const Table& table) {
  std::vector<Table> parts;
  for (const Row& raw : table.rows) {
    Row row = Folded(raw);
    if (parts.empty() || !SameEdges(parts.back().rows.back(), row)) {
      // A vertical merge does not reach into a new part.
      for (Cell& cell : row.cells) {
        if (cell.verticalMerge == Merge::Continue) cell.verticalMerge = Merge::None;
      }
      parts.emplace_back();
    }
    parts.back().rows.push_back(std::move(row));
  }
  return parts;
}

TableGrid GridOf(const Table& table) {
  TableGrid grid;
  grid.rows = static_cast<int>(table.rows.size());
  const bool sized = AllSized(table);
  std::vector<int> edges;
  if (sized) {
    edges = Edges(table);
    grid.left = edges.front();
    for (std::size_t i = 1; i < edges.size(); ++i) grid.columnWidths.push_back(edges[i] - edges[i - 1]);
  } else {
    std::size_t columns = 1;
    for (const Row& row : table.rows) columns = std::max(columns, row.cells.size());
    grid.columnWidths.assign(columns, 0);
  }

  // Cells whose vertical merge may still go on, by their column.
  std::vector<int> openAbove(std::max<std::size_t>(1, grid.columnWidths.size()), -1);
  for (int r = 0; r < grid.rows; ++r) {
    const Row& row = table.rows[r];
    long long x = row.leftTwips;
    int lastInRow = -1;
    std::vector<int> openHere(openAbove.size(), -1);
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      const Cell& cell = row.cells[i];
      int first = static_cast<int>(i);
      int end = first + 1;
      if (sized) {
        first = EdgeIndex(edges, x);
        x += cell.widthTwips;
        end = std::max(first + 1, EdgeIndex(edges, x));
      }
      if (cell.horizontalMerge == Merge::Continue && lastInRow >= 0) {
        PlacedCell& left = grid.cells[lastInRow];
        left.columnSpan = std::max(left.columnSpan, end - left.column);
        continue;
      }
      if (cell.verticalMerge == Merge::Continue && openAbove[first] >= 0) {
        PlacedCell& above = grid.cells[openAbove[first]];
        if (above.row + above.rowSpan == r && above.column + above.columnSpan == end) {
          ++above.rowSpan;
          openHere[first] = openAbove[first];
          lastInRow = -1;
          continue;
        }
      }
      grid.cells.push_back(PlacedCell{r, first, 1, end - first, &cell});
      lastInRow = static_cast<int>(grid.cells.size()) - 1;
      if (cell.verticalMerge == Merge::First) openHere[first] = lastInRow;
    }
    openAbove = std::move(openHere);
  }
  return grid;
}

Table WithRowBorders(const Table& table) {
  Table drawn = table;
  const std::size_t rows = drawn.rows.size();
  for (std::size_t r = 0; r < rows; ++r) {
    Row& row = drawn.rows[r];
    const RowBorders& given = row.borders;
    if (given == RowBorders{}) continue;
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      Borders& borders = row.cells[c].borders;
      const auto fill = [](std::optional<Border>& side, bool outer, const std::optional<Border>& edge,
                           const std::optional<Border>& inside) {
        if (!side) side = outer ? edge : inside;
      };
      fill(borders.top, r == 0, given.top, given.horizontal);
      fill(borders.bottom, r + 1 == rows, given.bottom, given.horizontal);
      fill(borders.left, c == 0, given.left, given.vertical);
      fill(borders.right, c + 1 == row.cells.size(), given.right, given.vertical);
    }
  }
  return drawn;
}

}  // namespace orvela::rtf
