#pragma once
// Small helpers shared by the RTF tests.
#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "rtf/Document.h"

namespace orvela::rtf::test {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string TextOf(const Paragraph& p) {
  std::string text;
  for (const Run& run : p.runs) text += run.text;
  return text;
}

// The paragraphs at the top level of the document, tables left out.
inline std::vector<const Paragraph*> TopParagraphs(const Document& d) {
  std::vector<const Paragraph*> out;
  for (const Block& b : d.blocks) {
    if (const auto* p = std::get_if<Paragraph>(&b.content)) out.push_back(p);
  }
  return out;
}

inline const Table* FirstTable(const std::vector<Block>& blocks) {
  for (const Block& b : blocks) {
    if (const auto* t = std::get_if<Table>(&b.content)) return t;
  }
  return nullptr;
}

inline std::string CellText(const Cell& cell) {
  std::string text;
  for (const Block& b : cell.blocks) {
    if (const auto* p = std::get_if<Paragraph>(&b.content)) text += TextOf(*p);
  }
  return text;
}

// A readable dump of a document, for messages of failed comparisons.
inline void Describe(std::ostringstream& out, const std::vector<Block>& blocks, int indent) {
  const std::string pad(indent * 2, ' ');
  for (const Block& b : blocks) {
    if (const auto* p = std::get_if<Paragraph>(&b.content)) {
      const ParagraphFormat& f = p->format;
      out << pad << "P align=" << int(f.alignment) << " li=" << f.leftIndent << " ri=" << f.rightIndent
          << " fi=" << f.firstLineIndent << " sb=" << f.spaceBefore << " sa=" << f.spaceAfter
          << " list=" << int(f.list) << "/" << f.listLevel << " pb=" << f.pageBreakBefore << "\n";
      for (const Run& r : p->runs) {
        const CharFormat& c = r.format;
        out << pad << "  R '" << r.text << "' " << c.font << " " << c.halfPoints << (c.bold ? " b" : "")
            << (c.italic ? " i" : "") << (c.underline ? " u" : "") << (c.strikeOut ? " s" : "")
            << (c.color ? " color" : "") << (c.background ? " bg" : "") << " pos=" << int(c.position)
            << (r.picture ? " picture " + std::to_string(r.picture->bytes.size()) + " " +
                                std::to_string(r.picture->widthTwips) + "x" + std::to_string(r.picture->heightTwips)
                          : std::string())
            << "\n";
      }
    } else {
      out << pad << "T\n";
      for (const Row& row : std::get<Table>(b.content).rows) {
        out << pad << " row\n";
        for (const Cell& cell : row.cells) {
          out << pad << "  cell " << cell.widthTwips << "\n";
          Describe(out, cell.blocks, indent + 2);
        }
      }
    }
  }
}

inline std::string Describe(const Document& d) {
  std::ostringstream out;
  Describe(out, d.blocks, 0);
  return out.str();
}

}  // namespace orvela::rtf::test
