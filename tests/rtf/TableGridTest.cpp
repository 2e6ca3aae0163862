// Tables on one grid of columns, and cut into runs of rows with the same cells.
#include <gtest/gtest.h>

#include "rtf/TableGrid.h"

namespace orvela::rtf {
namespace {

Row RowOf(std::initializer_list<int> widths, int left = 0) {
  Row row;
  row.leftTwips = left;
  for (const int w : widths) {
    Cell cell;
    cell.widthTwips = w;
    row.cells.push_back(cell);
  }
  return row;
}

struct Placed {
  int row, column, rowSpan, columnSpan;
  bool operator==(const Placed&) const = default;
};

std::vector<Placed> PlacesOf(const TableGrid& grid) {
  std::vector<Placed> out;
  for (const PlacedCell& p : grid.cells) out.push_back({p.row, p.column, p.rowSpan, p.columnSpan});
  return out;
}

TEST(TableGrid, CellsOnTheColumnsOfAllRows) {
  Table merged;  // a row of two cells under a row of three, the second cell across two columns
  merged.rows = {RowOf({1000, 2000, 3000}), RowOf({1000, 5000})};
  Table horizontal;
  horizontal.rows = {RowOf({1000, 1000, 1000}), RowOf({1000, 1000, 1000})};
  horizontal.rows[1].cells[1].horizontalMerge = Merge::First;
  horizontal.rows[1].cells[2].horizontalMerge = Merge::Continue;
  Table vertical;
  vertical.rows = {RowOf({1000, 1000}), RowOf({1000, 1000}), RowOf({1000, 1000})};
  vertical.rows[0].cells[0].verticalMerge = Merge::First;
  vertical.rows[1].cells[0].verticalMerge = Merge::Continue;
  Table nearlySame;  // edges a few twips apart are one edge
  nearlySame.rows = {RowOf({1000, 2000}), RowOf({1005, 1990})};
  Table unsized;
  unsized.rows = {RowOf({0, 0}), RowOf({0, 0, 0})};

  struct Case {
    const char* name;
    const Table& table;
    std::vector<int> widths;
    std::vector<Placed> places;
  };
  const Case cases[] = {
      {"row cut differently", merged, {1000, 2000, 3000}, {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 2}}},
      {"horizontal merge", horizontal, {1000, 1000, 1000},
       {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 2}}},
      {"vertical merge", vertical, {1000, 1000},
       {{0, 0, 2, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}, {2, 0, 1, 1}, {2, 1, 1, 1}}},
      {"edges a few twips apart", nearlySame, {1000, 1995}, {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}}},
      {"no widths", unsized, {0, 0, 0}, {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}, {1, 2, 1, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TableGrid grid = GridOf(c.table);
    EXPECT_EQ(grid.columnWidths, c.widths);
    EXPECT_EQ(PlacesOf(grid), c.places);
  }
}

TEST(TableGrid, UniformPartsSplitWhereTheCellsChange) {
  Table table;
  table.rows = {RowOf({567, 794, 7993}), RowOf({567, 794, 7993}), RowOf({567, 8787}), RowOf({567, 794, 7993}),
                RowOf({567, 794, 7993})};
  table.rows[3].cells[1].horizontalMerge = Merge::First;  // folded: the same cut as row 2
  table.rows[3].cells[2].horizontalMerge = Merge::Continue;
  table.rows[3].cells[0].verticalMerge = Merge::Continue;  // cannot reach into a new part
  const std::vector<Table> parts = UniformParts(table);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0].rows.size(), 2u);
  ASSERT_EQ(parts[1].rows.size(), 2u);
  EXPECT_EQ(parts[1].rows[1].cells.size(), 2u);
  EXPECT_EQ(parts[1].rows[1].cells[1].widthTwips, 8787);
  EXPECT_EQ(parts[1].rows[1].cells[1].horizontalMerge, Merge::None);
  EXPECT_EQ(parts[1].rows[1].cells[0].verticalMerge, Merge::Continue);  // same part: kept
  EXPECT_EQ(parts[2].rows.size(), 1u);
  for (const Table& part : parts) {
    const TableGrid grid = GridOf(part);
    for (const PlacedCell& p : grid.cells) EXPECT_EQ(p.columnSpan, 1);
  }
}

TEST(TableGrid, CellsTakeTheLinesOfTheirRows) {
  const Border outer{BorderStyle::Single, 30};
  const Border between{BorderStyle::Dotted, 10};
  const Border across{BorderStyle::Dashed, 10};
  const Border own{BorderStyle::Double, 20};
  Table table;  // two rows of three cells; the middle cell of the first row has a line of its own
  table.rows = {RowOf({1000, 1000, 1000}), RowOf({1000, 1000, 1000})};
  for (Row& row : table.rows) row.borders = RowBorders{outer, outer, outer, outer, across, between};
  table.rows[0].cells[1].borders.bottom = own;
  table.rows[1].cells[1].horizontalMerge = Merge::First;  // a merge ends with the line of its last cell
  table.rows[1].cells[2].horizontalMerge = Merge::Continue;
  const Table drawn = WithRowBorders(table);
  struct Case {
    int row, cell;
    Borders borders;  // top, left, bottom, right
  };
  const Case cases[] = {
      {0, 0, {outer, outer, across, between}},
      {0, 1, {outer, between, own, between}},
      {0, 2, {outer, between, across, outer}},
      {1, 0, {across, outer, outer, between}},
      {1, 2, {across, between, outer, outer}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(drawn.rows[c.row].cells[c.cell].borders, c.borders) << c.row << "/" << c.cell;
  }
  const std::vector<Table> parts = UniformParts(drawn);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(parts[1].rows[0].cells[1].borders.right, outer);

  Table bare;
  bare.rows = {RowOf({1000, 1000})};
  EXPECT_EQ(WithRowBorders(bare), bare);  // a row without lines leaves its cells alone
}

}  // namespace
}  // namespace orvela::rtf
