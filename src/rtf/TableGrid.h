#pragma once
// Where the cells of a table sit on one grid of columns. The columns are cut at the edges
// of every row's cells, so a row cut differently from the rows above (one cell across the
// width of several) keeps its own widths, as word processors draw it. Merged cells
// (\clmgf/\clmrg, \clvmgf/\clvmrg) become one placed cell over the merged area.
#include <vector>

#include "Document.h"

namespace orvela::rtf {

struct PlacedCell {
  int row = 0;
  int column = 0;
  int rowSpan = 1;
  int columnSpan = 1;
  const Cell* cell = nullptr;
};

struct TableGrid {
  int rows = 0;
  // Widths in twips; all 0 when the table gives no widths (the layout decides then).
  std::vector<int> columnWidths;
  int left = 0;  // twips from the left margin to the first column
  std::vector<PlacedCell> cells;  // row by row, left to right; grid places not listed stay empty
};

TableGrid GridOf(const Table& table);

// The table cut into runs of rows whose cells have the same edges, horizontal merges
// folded into one cell each: every run is a table of plain columns, which text engines
// that mishandle cells spanning columns across page breaks draw correctly. Rows of
// different runs never share a vertical merge.
std::vector<Table> UniformParts(const Table& table);

// The table as it is drawn: a side a cell gives no border takes its row's (\trbrdr…): the
// outer sides at the table's edges, the lines between rows and between cells inside.
Table WithRowBorders(const Table& table);

}  // namespace orvela::rtf
