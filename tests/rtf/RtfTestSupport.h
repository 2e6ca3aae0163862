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
          << " list=" << int(f.list) << "/" << f.listLevel << " pb=" << f.pageBreakBefore << " tabs=" << f.tabs.size()
          << "\n";
      for (const Run& r : p->runs) {
        const CharFormat& c = r.format;
        out << pad << "  R '" << r.text << "' " << c.font << " " << c.halfPoints << (c.bold ? " b" : "")
            << (c.italic ? " i" : "") << (c.underline ? " u" : "") << (c.strikeOut ? " s" : "")
            << (c.color ? " color" : "") << (c.background ? " bg" : "") << " pos=" << int(c.position)
            << (r.picture ? " picture " + std::to_string(r.picture->bytes.size()) + " " +
                                std::to_string(r.picture->widthTwips) + "x" + std::to_string(r.picture->heightTwips)
                          : std::string())
            << (r.field != FieldKind::None ? " field " + std::to_string(int(r.field)) + " '" + r.fieldFormat + "'"
                                           : std::string())
            << "\n";
      }
    } else {
      out << pad << "T\n";
      for (const Row& row : std::get<Table>(b.content).rows) {
        out << pad << " row left=" << row.leftTwips << " gap=" << row.gapTwips << " h=" << row.heightTwips
            << " hdr=" << row.header << " align=" << int(row.alignment) << "\n";
        for (const Cell& cell : row.cells) {
          const auto side = [](const std::optional<Border>& b) {
            return b ? std::to_string(int(b->style)) + "/" + std::to_string(b->widthTwips) + (b->color ? "c" : "")
                     : std::string("-");
          };
          out << pad << "  cell " << cell.widthTwips << " merge=" << int(cell.horizontalMerge) << "/"
              << int(cell.verticalMerge) << " valign=" << int(cell.verticalAlignment)
              << " shading=" << (cell.shading ? "yes" : "no") << " padding=" << (cell.padding ? "yes" : "no") << " borders=" << side(cell.borders.top) << ","
              << side(cell.borders.left) << "," << side(cell.borders.bottom) << "," << side(cell.borders.right)
              << "\n";
          Describe(out, cell.blocks, indent + 2);
        }
      }
    }
  }
}

inline std::string Describe(const Document& d) {
  std::ostringstream out;
  if (d.page) {
    const PageSetup& p = *d.page;
    out << "page " << p.paperWidth << "x" << p.paperHeight << (p.landscape ? " landscape" : "") << " margins "
        << p.marginLeft << "," << p.marginRight << "," << p.marginTop << "," << p.marginBottom << " header "
        << p.headerDistance << " footer " << p.footerDistance << "\n";
  }
  const HeadersFooters& h = d.headersFooters;
  static const char* const kNames[] = {"header", "headerl", "headerr", "headerf",
                                       "footer", "footerl", "footerr", "footerf"};
  for (std::size_t i = 0; i < std::size(kHeaderFooterParts); ++i) {
    if ((h.*kHeaderFooterParts[i]).empty()) continue;
    out << kNames[i] << ":\n";
    Describe(out, h.*kHeaderFooterParts[i], 1);
  }
  if (h.titlePage || h.facingPages) out << "titlepg=" << h.titlePage << " facingp=" << h.facingPages << "\n";
  out << "body:\n";
  Describe(out, d.blocks, 0);
  return out.str();
}

}  // namespace orvela::rtf::test
