#include "DocumentBuilder.h"

#include <algorithm>
#include <utility>

#include "model/Cp1252.h"

namespace orvela::rtf {
namespace {
constexpr int kMaxTableDepth = 64;
}

void DocumentBuilder::SetFormat(const CharFormat& format) { format_ = format; }

Run& DocumentBuilder::RunForText() {
  if (runs_.empty() || runs_.back().picture || runs_.back().field != FieldKind::None ||
      runs_.back().format != format_) {
    runs_.push_back(Run{{}, format_, std::nullopt});
  }
  return runs_.back();
}

void DocumentBuilder::AppendChar(char32_t code) { AppendUtf8(RunForText().text, code); }

void DocumentBuilder::AppendPicture(Picture picture) {
  runs_.push_back(Run{{}, format_, std::move(picture)});
}

void DocumentBuilder::AppendField(FieldKind kind, std::string picture, std::string result) {
  runs_.push_back(Run{std::move(result), format_, std::nullopt, kind, std::move(picture)});
}

std::vector<Block>& DocumentBuilder::Container() {
  return tables_.empty() ? document_.blocks : tables_.back().cell;
}

void DocumentBuilder::CloseTable() {
  OpenTable open = std::move(tables_.back());
  tables_.pop_back();
  if (!open.cell.empty()) open.row.cells.push_back(Cell{0, std::move(open.cell)});
  if (!open.row.cells.empty()) open.table.rows.push_back(std::move(open.row));
  if (!open.table.rows.empty()) Container().push_back(Block{std::move(open.table)});
}

void DocumentBuilder::EnsureDepth(int depth) {
  depth = std::clamp(depth, 0, kMaxTableDepth);
  while (static_cast<int>(tables_.size()) > depth) CloseTable();
  while (static_cast<int>(tables_.size()) < depth) tables_.emplace_back();
}

void DocumentBuilder::EndParagraph(const ParagraphFormat& format, int depth) {
  EnsureDepth(depth);
  Paragraph paragraph{format, std::move(runs_)};
  runs_.clear();
  if (pageBreak_) paragraph.format.pageBreakBefore = true;
  pageBreak_ = false;
  Container().push_back(Block{std::move(paragraph)});
}

void DocumentBuilder::EndCell(const ParagraphFormat& format, int level) {
  level = std::clamp(level, 1, kMaxTableDepth);
  EndParagraph(format, level);
  OpenTable& open = tables_.back();
  open.row.cells.push_back(Cell{0, std::move(open.cell)});
  open.cell.clear();
}

void DocumentBuilder::EndRow(int level, const RowDefinition& definition) {
  level = std::clamp(level, 1, kMaxTableDepth);
  EnsureDepth(level);
  OpenTable& open = tables_.back();
  if (!runs_.empty() || !open.cell.empty()) {
    // Text after the last cell mark still belongs to the row.
    ParagraphFormat plain;
    EndCell(plain, level);
  }
  if (open.row.cells.empty()) return;
  const std::vector<int>& rights = definition.rights;
  int previous = definition.row.leftTwips;
  for (std::size_t i = 0; i < open.row.cells.size(); ++i) {
    Cell& cell = open.row.cells[i];
    int width = 0;
    if (i < rights.size()) {
      const long long span = static_cast<long long>(rights[i]) - previous;
      if (span > 0) width = static_cast<int>(std::min<long long>(span, kMaxTwips));
      previous = rights[i];
    }
    if (i < definition.row.cells.size()) {
      std::vector<Block> blocks = std::move(cell.blocks);
      cell = definition.row.cells[i];
      cell.blocks = std::move(blocks);
    }
    cell.widthTwips = width;
  }
  std::vector<Cell> cells = std::move(open.row.cells);
  open.row = definition.row;
  open.row.cells = std::move(cells);
  open.table.rows.push_back(std::move(open.row));
  open.row = Row{};
}

void DocumentBuilder::BreakPage(const ParagraphFormat& format, int depth) {
  if (!runs_.empty()) EndParagraph(format, depth);
  pageBreak_ = true;
}

Document DocumentBuilder::Finish(const ParagraphFormat& format, int depth) {
  if (!runs_.empty()) EndParagraph(format, depth);
  EnsureDepth(0);
  return std::move(document_);
}

}  // namespace orvela::rtf
