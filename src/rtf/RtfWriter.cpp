#include "RtfWriter.h"

#include <algorithm>
#include <array>
#include <map>
#include <string_view>

#include "model/Cp1252.h"

namespace orvela::rtf {
namespace {

constexpr std::string_view kHex = "0123456789ABCDEF";

void AppendNumber(std::string& out, std::string_view word, long long value) {
  out += '\\';
  out += word;
  out += std::to_string(value);
}

// Text with RTF's special characters escaped; everything beyond ASCII as \'hh or \uN?.
void AppendEscaped(std::string& out, std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t code = NextUtf8(utf8, pos);
    if (code == '\\' || code == '{' || code == '}') {
      out += '\\';
      out += static_cast<char>(code);
    } else if (code == '\t') {
      out += "\\tab ";
    } else if (code == '\n') {
      out += "\\line ";
    } else if (code >= 0x20 && code < 0x7F) {
      out += static_cast<char>(code);
    } else if (const auto byte = UnicodeToCp1252(code); byte && code >= 0xA0) {
      out += "\\'";
      out += kHex[*byte >> 4];
      out += kHex[*byte & 0xF];
    } else if (code > 0xFFFF) {
      const char32_t v = code - 0x10000;
      AppendNumber(out, "u", static_cast<int>(0xD800 + (v >> 10)) - 65536);
      out += '?';
      AppendNumber(out, "u", static_cast<int>(0xDC00 + (v & 0x3FF)) - 65536);
      out += '?';
    } else {
      AppendNumber(out, "u", code > 32767 ? static_cast<long long>(code) - 65536 : code);
      out += '?';
    }
  }
}

std::string RomanOf(int n, bool upper) {
  static constexpr std::pair<int, std::string_view> kDigits[] = {
      {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"},
      {50, "l"},   {40, "xl"},  {10, "x"},  {9, "ix"},   {5, "v"},   {4, "iv"}, {1, "i"}};
  std::string out;
  for (const auto& [value, digits] : kDigits) {
    while (n >= value) {
      out += digits;
      n -= value;
    }
  }
  if (upper) {
    for (char& c : out) c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::string LetterOf(int n, bool upper) {
  std::string out;
  for (; n > 0; n = (n - 1) / 26) out.insert(out.begin(), static_cast<char>((upper ? 'A' : 'a') + (n - 1) % 26));
  return out;
}

std::string ListLabel(ListStyle style, int number) {
  switch (style) {
    case ListStyle::LowerAlpha: return LetterOf(number, false) + ".";
    case ListStyle::UpperAlpha: return LetterOf(number, true) + ".";
    case ListStyle::LowerRoman: return RomanOf(number, false) + ".";
    case ListStyle::UpperRoman: return RomanOf(number, true) + ".";
    default: return std::to_string(number) + ".";
  }
}

std::string_view PnWord(ListStyle style) {
  switch (style) {
    case ListStyle::LowerAlpha: return "\\pnlcltr";
    case ListStyle::UpperAlpha: return "\\pnucltr";
    case ListStyle::LowerRoman: return "\\pnlcrm";
    case ListStyle::UpperRoman: return "\\pnucrm";
    default: return "\\pndec";
  }
}

constexpr std::string_view kPartWords[] = {"header", "headerl", "headerr", "headerf",
                                           "footer", "footerl", "footerr", "footerf"};

std::string_view FieldName(FieldKind kind) {
  switch (kind) {
    case FieldKind::Page: return "PAGE";
    case FieldKind::NumPages: return "NUMPAGES";
    case FieldKind::Date: return "DATE";
    case FieldKind::Time: return "TIME";
    case FieldKind::None: break;
  }
  return {};
}

class Writer {
 public:
  explicit Writer(const Document& document) : document_(document) {}

  std::string Write() {
    Collect(document_.blocks);
    const HeadersFooters& parts = document_.headersFooters;
    for (const auto part : kHeaderFooterParts) Collect(parts.*part);
    // Runs without a font name take the reader's default font: \deff then names a number
    // the font table does not hold.
    const std::size_t defaultFont = needsDefaultFont_ ? fontOrder_.size() + 2 : 0;
    out_ += "{\\rtf1\\ansi\\ansicpg1252";
    AppendNumber(out_, "deff", static_cast<long long>(defaultFont));
    out_ += "\\deflang1031\\uc1";
    out_ += "{\\fonttbl";
    if (fonts_.empty()) fonts_.emplace("MS Sans Serif", 0), fontOrder_.push_back("MS Sans Serif");
    for (std::size_t i = 0; i < fontOrder_.size(); ++i) {
      out_ += "{";
      AppendNumber(out_, "f", static_cast<long long>(i));
      out_ += "\\fnil\\fcharset0 ";
      AppendEscaped(out_, fontOrder_[i]);
      out_ += ";}";
    }
    if (needsSymbol_) {
      symbolFont_ = static_cast<int>(fontOrder_.size());
      out_ += "{";
      AppendNumber(out_, "f", symbolFont_);
      out_ += "\\fnil\\fcharset2 Symbol;}";
    }
    out_ += "}\r\n";
    if (!colorOrder_.empty()) {
      out_ += "{\\colortbl ;";
      for (const Color& c : colorOrder_) {
        AppendNumber(out_, "red", c.red);
        AppendNumber(out_, "green", c.green);
        AppendNumber(out_, "blue", c.blue);
        out_ += ';';
      }
      out_ += "}\r\n";
    }
    out_ += "\\viewkind4\r\n";
    WritePage();
    WriteBlocks(document_.blocks, 0);
    out_ += "}\r\n";
    return std::move(out_);
  }

 private:
  void Collect(const std::vector<Block>& blocks) {
    for (const Block& block : blocks) {
      if (const auto* p = std::get_if<Paragraph>(&block.content)) {
        if (p->format.list == ListStyle::Bullet) needsSymbol_ = true;
        CollectColors(p->format.borders);
        for (const Run& run : p->runs) {
          if (run.format.font.empty()) needsDefaultFont_ = true;
          if (!run.format.font.empty() && fonts_.emplace(run.format.font, fontOrder_.size()).second)
            fontOrder_.push_back(run.format.font);
          CollectColor(run.format.color);
          CollectColor(run.format.background);
        }
      } else {
        for (const Row& row : std::get<Table>(block.content).rows) {
          for (const auto& side : RowSides(row.borders)) {
            if (*side.second) CollectColor((*side.second)->color);
          }
          for (const Cell& cell : row.cells) {
            CollectColor(cell.shading);
            CollectColors(cell.borders);
            Collect(cell.blocks);
          }
        }
      }
    }
  }

  void CollectColors(const Borders& borders) {
    for (const auto& side : Sides(borders, kCellSides)) {
      if (*side.second) CollectColor((*side.second)->color);
    }
  }

  void CollectColor(const std::optional<Color>& color) {
    if (color && colors_.emplace(Key(*color), colorOrder_.size() + 1).second) colorOrder_.push_back(*color);
  }

  static int Key(const Color& c) { return c.red << 16 | c.green << 8 | c.blue; }

  // The page both for the document and for its one section (readers differ in which they
  // take), then the headers and footers. Nothing for a document that sets no page.
  void WritePage() {
    const HeadersFooters& parts = document_.headersFooters;
    if (document_.page) {
      const PageSetup& page = *document_.page;
      static constexpr std::string_view kDocument[] = {"paperw", "paperh", "margl", "margr", "margt", "margb"};
      static constexpr std::string_view kSection[] = {"pgwsxn", "pghsxn", "marglsxn", "margrsxn", "margtsxn", "margbsxn"};
      const int values[] = {page.paperWidth, page.paperHeight, page.marginLeft,
                            page.marginRight, page.marginTop, page.marginBottom};
      for (std::size_t i = 0; i < std::size(values); ++i) AppendNumber(out_, kDocument[i], values[i]);
      if (page.landscape) out_ += "\\landscape";
      if (parts.facingPages) out_ += "\\facingp";
      out_ += "\\sectd";
      for (std::size_t i = 0; i < std::size(values); ++i) AppendNumber(out_, kSection[i], values[i]);
      AppendNumber(out_, "headery", page.headerDistance);
      AppendNumber(out_, "footery", page.footerDistance);
      if (page.landscape) out_ += "\\lndscpsxn";
    } else if (parts.facingPages) {
      out_ += "\\facingp";
    }
    if (parts.titlePage) out_ += "\\titlepg";
    if (document_.page || parts.facingPages || parts.titlePage) out_ += "\r\n";
    for (std::size_t i = 0; i < std::size(kHeaderFooterParts); ++i) {
      const std::vector<Block>& blocks = parts.*kHeaderFooterParts[i];
      if (blocks.empty()) continue;
      out_ += "{\\";
      out_ += kPartWords[i];
      out_ += "\r\n";
      WriteBlocks(blocks, 0);
      out_ += "}\r\n";
    }
  }

  // Paragraphs and tables at a table level (0: the body); `cellEnd` is the mark that ends
  // the last paragraph, empty in the body.
  void WriteBlocks(const std::vector<Block>& blocks, int level, std::string_view cellEnd = {}) {
    std::array<int, kMaxListLevel + 1> counters{};
    for (std::size_t i = 0; i < blocks.size(); ++i) {
      const bool last = i + 1 == blocks.size();
      if (const auto* p = std::get_if<Paragraph>(&blocks[i].content)) {
        WriteParagraph(*p, level, counters, last && !cellEnd.empty() ? cellEnd : "\\par");
      } else {
        counters.fill(0);
        WriteTable(std::get<Table>(blocks[i].content), level + 1);
      }
    }
    if (!cellEnd.empty() && (blocks.empty() || !std::holds_alternative<Paragraph>(blocks.back().content))) {
      // A cell ends with a paragraph mark.
      WriteParagraph(Paragraph{}, level, counters, cellEnd);
    }
  }

  void WriteParagraph(const Paragraph& p, int level, std::array<int, kMaxListLevel + 1>& counters,
                      std::string_view end) {
    const ParagraphFormat& f = p.format;
    out_ += "\\pard";
    if (level > 0) {
      out_ += "\\intbl";
      AppendNumber(out_, "itap", level);
    }
    static constexpr std::string_view kAlign[] = {"", "\\qr", "\\qc", "\\qj"};
    out_ += kAlign[static_cast<int>(f.alignment)];
    if (f.leftIndent != 0) AppendNumber(out_, "li", f.leftIndent);
    if (f.rightIndent != 0) AppendNumber(out_, "ri", f.rightIndent);
    if (f.firstLineIndent != 0) AppendNumber(out_, "fi", f.firstLineIndent);
    if (f.spaceBefore != 0) AppendNumber(out_, "sb", f.spaceBefore);
    if (f.spaceAfter != 0) AppendNumber(out_, "sa", f.spaceAfter);
    if (f.pageBreakBefore) out_ += "\\pagebb";
    for (const TabStop& tab : f.tabs) {
      static constexpr std::string_view kTabAlign[] = {"", "\\tqc", "\\tqr", "\\tqdec"};
      out_ += kTabAlign[static_cast<int>(tab.alignment)];
      AppendNumber(out_, "tx", tab.positionTwips);
    }
    if (f.lineSpacing != 0) {
      AppendNumber(out_, "sl", f.lineSpacing);
      AppendNumber(out_, "slmult", f.lineSpacingMultiple ? 1 : 0);
    }
    for (const auto& side : Sides(f.borders, kParagraphSides)) AppendBorder(out_, side.first, *side.second);
    if (f.list == ListStyle::None) {
      counters.fill(0);
    } else {
      const int listLevel = std::clamp(f.listLevel, 0, kMaxListLevel);
      for (int l = listLevel + 1; l <= kMaxListLevel; ++l) counters[l] = 0;
      const int number = ++counters[listLevel];
      if (f.list == ListStyle::Bullet) {
        out_ += "{\\pntext";
        AppendNumber(out_, "f", symbolFont_);
        out_ += "\\'B7\\tab}{\\*\\pn\\pnlvlblt";
        AppendNumber(out_, "pnf", symbolFont_);
        out_ += "\\pnindent0{\\pntxtb\\'B7}}";
      } else {
        out_ += "{\\pntext\\f0 " + ListLabel(f.list, number) + "\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0";
        AppendNumber(out_, "pnstart", 1);
        out_ += PnWord(f.list);
        out_ += "{\\pntxta .}}";
      }
      if (listLevel > 0) AppendNumber(out_, "ilvl", listLevel);
    }
    // Runs start with a brace and the end mark with a backslash: no delimiter needed.
    for (const Run& run : p.runs) WriteRun(run);
    out_ += end;
    out_ += "\r\n";
  }

  void WriteRun(const Run& run) {
    if (run.field != FieldKind::None) {
      // The instruction, then the result in the run's format.
      out_ += "{\\field{\\*\\fldinst ";
      out_ += FieldName(run.field);
      if (!run.fieldFormat.empty()) {
        std::string picture = run.fieldFormat;
        std::erase(picture, '"');
        out_ += " \\\\@ \"";
        AppendEscaped(out_, picture);
        out_ += '"';
      }
      out_ += "}{\\fldrslt ";
      WriteFormattedText(run);
      out_ += "}}";
      return;
    }
    if (run.text.empty() && !run.picture) return;
    WriteFormattedText(run);
  }

  void WriteFormattedText(const Run& run) {
    const CharFormat& f = run.format;
    out_ += '{';
    if (!f.font.empty()) AppendNumber(out_, "f", static_cast<long long>(fonts_.at(f.font)));
    AppendNumber(out_, "fs", f.halfPoints);
    if (f.bold) out_ += "\\b";
    if (f.italic) out_ += "\\i";
    if (f.underline) out_ += "\\ul";
    if (f.strikeOut) out_ += "\\strike";
    if (f.color) AppendNumber(out_, "cf", colors_.at(Key(*f.color)));
    if (f.background) AppendNumber(out_, "highlight", colors_.at(Key(*f.background)));
    if (f.position == VerticalPosition::Superscript) out_ += "\\super";
    if (f.position == VerticalPosition::Subscript) out_ += "\\sub";
    if (run.picture) {
      WritePicture(*run.picture);
    } else {
      out_ += ' ';
      AppendEscaped(out_, run.text);
    }
    out_ += '}';
  }

  void WritePicture(const Picture& picture) {
    out_ += picture.format == Picture::Format::Png ? "{\\pict\\pngblip" : "{\\pict\\jpegblip";
    if (picture.widthTwips > 0 && picture.heightTwips > 0) {
      AppendNumber(out_, "picw", std::max(1, picture.widthTwips / 15));
      AppendNumber(out_, "pich", std::max(1, picture.heightTwips / 15));
      AppendNumber(out_, "picwgoal", picture.widthTwips);
      AppendNumber(out_, "pichgoal", picture.heightTwips);
    }
    out_ += "\r\n";
    for (std::size_t i = 0; i < picture.bytes.size(); ++i) {
      const auto b = static_cast<unsigned char>(picture.bytes[i]);
      out_ += kHex[b >> 4];
      out_ += kHex[b & 0xF];
      if (i % 64 == 63) out_ += "\r\n";
    }
    out_ += '}';
  }

  std::string RowDefinitionOf(const Row& row) {
    std::string definition = "\\trowd";
    AppendNumber(definition, "trgaph", row.gapTwips);
    AppendNumber(definition, "trleft", row.leftTwips);
    if (row.heightTwips != 0) AppendNumber(definition, "trrh", row.heightTwips);
    if (row.header) definition += "\\trhdr";
    static constexpr std::string_view kRowAlign[] = {"", "\\trqr", "\\trqc", ""};
    definition += kRowAlign[static_cast<int>(row.alignment)];
    for (const auto& side : RowSides(row.borders)) AppendBorder(definition, side.first, *side.second);
    long long right = row.leftTwips;
    for (const Cell& cell : row.cells) {
      static constexpr std::string_view kMerge[] = {"", "\\clmgf", "\\clmrg"};
      static constexpr std::string_view kVerticalMerge[] = {"", "\\clvmgf", "\\clvmrg"};
      static constexpr std::string_view kVerticalAlign[] = {"", "\\clvertalc", "\\clvertalb"};
      definition += kMerge[static_cast<int>(cell.horizontalMerge)];
      definition += kVerticalMerge[static_cast<int>(cell.verticalMerge)];
      definition += kVerticalAlign[static_cast<int>(cell.verticalAlignment)];
      for (const auto& side : Sides(cell.borders, kCellSides)) AppendBorder(definition, side.first, *side.second);
      if (cell.shading) AppendNumber(definition, "clcbpat", static_cast<long long>(colors_.at(Key(*cell.shading))));
      if (cell.padding) {
        // \clpadfN3: the padding is in twips.
        const std::pair<std::string_view, int> sides[] = {{"t", cell.padding->top}, {"l", cell.padding->left},
                                                          {"b", cell.padding->bottom}, {"r", cell.padding->right}};
        for (const auto& side : sides) {
          definition += "\\clpadf";
          definition += side.first;
          definition += "3\\clpad";
          definition += side.first;
          definition += std::to_string(side.second);
        }
      }
      right += cell.widthTwips > 0 ? cell.widthTwips : kDefaultCellWidthTwips;
      AppendNumber(definition, "cellx", right);
    }
    return definition;
  }

  void WriteTable(const Table& table, int level) {
    for (const Row& row : table.rows) {
      const std::string definition = RowDefinitionOf(row);
      if (level == 1) out_ += "\\pard" + definition + "\r\n";
      for (const Cell& cell : row.cells) {
        WriteBlocks(cell.blocks, level, level == 1 ? "\\cell" : "\\nestcell");
      }
      if (level == 1) {
        out_ += "\\row\r\n";
      } else {
        out_ += "{\\*\\nesttableprops" + definition + "\\nestrow}{\\nonesttables\\par}\r\n";
      }
    }
  }

  // A side's word and its style; nothing for a side without a line.
  void AppendBorder(std::string& out, std::string_view side, const std::optional<Border>& border) const {
    if (!border) return;
    static constexpr std::string_view kStyle[] = {"\\brdrs", "\\brdrdb", "\\brdrdot", "\\brdrdash"};
    out += '\\';
    out += side;
    out += kStyle[static_cast<int>(border->style)];
    AppendNumber(out, "brdrw", border->widthTwips);
    if (border->color) AppendNumber(out, "brdrcf", static_cast<long long>(colors_.at(Key(*border->color))));
    if (border->spaceTwips != 0) AppendNumber(out, "brsp", border->spaceTwips);
  }

  using Side = std::pair<std::string_view, const std::optional<Border>*>;
  static constexpr std::string_view kCellSides[] = {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr"};
  static constexpr std::string_view kParagraphSides[] = {"brdrt", "brdrl", "brdrb", "brdrr"};

  static std::array<Side, 4> Sides(const Borders& b, const std::string_view (&words)[4]) {
    return {Side{words[0], &b.top}, Side{words[1], &b.left}, Side{words[2], &b.bottom}, Side{words[3], &b.right}};
  }

  static std::array<Side, 6> RowSides(const RowBorders& b) {
    return {Side{"trbrdrt", &b.top},    Side{"trbrdrl", &b.left},       Side{"trbrdrb", &b.bottom},
            Side{"trbrdrr", &b.right}, Side{"trbrdrh", &b.horizontal}, Side{"trbrdrv", &b.vertical}};
  }

  const Document& document_;
  std::string out_;
  std::map<std::string, std::size_t> fonts_;
  std::vector<std::string> fontOrder_;
  std::map<int, std::size_t> colors_;
  std::vector<Color> colorOrder_;
  bool needsSymbol_ = false;
  bool needsDefaultFont_ = false;
  int symbolFont_ = 0;
};

}  // namespace

std::string WriteRtf(const Document& document) { return Writer(document).Write(); }

}  // namespace orvela::rtf
