#pragma once
// Assembles paragraphs, runs and (nested) tables from the reader's events.
#include <string>
#include <vector>

#include "Document.h"

namespace orvela::rtf {

// A row's properties as \trowd … \cellx define them: `row.cells` hold the cells' properties
// (no text), `rights` their right edges.
struct RowDefinition {
  Row row;
  std::vector<int> rights;
};

class DocumentBuilder {
 public:
  // The format of the text appended next.
  void SetFormat(const CharFormat& format);
  void AppendChar(char32_t code);
  void AppendPicture(Picture picture);
  // A field run in the current format, with the result last computed.
  void AppendField(FieldKind kind, std::string picture, std::string result);

  // Ends the current paragraph; depth 0 is the body, 1 a table cell, 2 a nested table's cell.
  void EndParagraph(const ParagraphFormat& format, int depth);
  // Ends the paragraph (even an empty one) and with it the cell at the table level.
  void EndCell(const ParagraphFormat& format, int level);
  // Ends the row at the table level with the row's and its cells' properties.
  void EndRow(int level, const RowDefinition& definition);
  // The next paragraph starts on a new page.
  void BreakPage(const ParagraphFormat& format, int depth);
  // Cancels a pending page break (a section that continues on the same page).
  void KeepOnPage() { pageBreak_ = false; }

  bool HasPendingText() const { return !runs_.empty(); }
  Document Finish(const ParagraphFormat& format, int depth);

 private:
  struct OpenTable {
    Table table;
    Row row;
    std::vector<Block> cell;
  };

  Run& RunForText();
  void EnsureDepth(int depth);
  void CloseTable();
  std::vector<Block>& Container();

  Document document_;
  std::vector<OpenTable> tables_;
  std::vector<Run> runs_;
  CharFormat format_;
  bool pageBreak_ = false;
};

}  // namespace orvela::rtf
