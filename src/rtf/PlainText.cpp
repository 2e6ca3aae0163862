#include "PlainText.h"

#include "model/Cp1252.h"

namespace orvela::rtf {
namespace {

void AppendBlocks(std::string& out, const std::vector<Block>& blocks, const char* separator);

void AppendParagraph(std::string& out, const Paragraph& paragraph) {
  for (const Run& run : paragraph.runs) {
    for (const char c : run.text) {
      if (c == '\n') {
        out += "\r\n";
      } else {
        out += c;
      }
    }
  }
}

void AppendTable(std::string& out, const Table& table) {
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    if (r > 0) out += "\r\n";
    const Row& row = table.rows[r];
    for (std::size_t c = 0; c < row.cells.size(); ++c) {
      if (c > 0) out += '\t';
      // Paragraphs of one cell stay on the row's line.
      AppendBlocks(out, row.cells[c].blocks, " ");
    }
  }
}

void AppendBlocks(std::string& out, const std::vector<Block>& blocks, const char* separator) {
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    if (i > 0) out += separator;
    if (const auto* paragraph = std::get_if<Paragraph>(&blocks[i].content)) {
      AppendParagraph(out, *paragraph);
    } else {
      AppendTable(out, std::get<Table>(blocks[i].content));
    }
  }
}

}  // namespace

std::string PlainText(const Document& document) {
  std::string out;
  AppendBlocks(out, document.blocks, "\r\n");
  return out;
}

std::string PlainTextCp1252(const Document& document) { return Utf8ToCp1252Lossy(PlainText(document)); }

}  // namespace orvela::rtf
