#pragma once
// A small rich-text document: what the description editor and the report preview hold,
// independent of RTF and of Qt. Text is UTF-8; a line break inside a paragraph is '\n',
// a tab '\t'. Lengths are in twips (1/20 point), font sizes in half points, as in RTF.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace orvela::rtf {

struct Color {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Color&) const = default;
};

enum class VerticalPosition { Normal, Superscript, Subscript };

struct CharFormat {
  std::string font;  // family name; empty: the reader's default font
  int halfPoints = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::optional<Color> color;       // none: automatic (black)
  std::optional<Color> background;  // none: no highlighting
  VerticalPosition position = VerticalPosition::Normal;
  bool operator==(const CharFormat&) const = default;
};

// A picture kept as the bytes of its file; shown at its natural size when the sizes are 0.
struct Picture {
  enum class Format { Png, Jpeg };
  Format format = Format::Png;
  std::string bytes;
  int widthTwips = 0;
  int heightTwips = 0;
  bool operator==(const Picture&) const = default;
};

// Format detected from the picture's own bytes (its label in a file is often wrong).
std::optional<Picture::Format> DetectPictureFormat(const std::string& bytes);

// Fields whose result the page decides; other fields are kept as their result text.
enum class FieldKind { None, Page, NumPages, Date, Time };

// Text in one format, or one picture (then text is empty). A field run's text is the
// result last computed (what a reader without fields shows); `fieldFormat` is the picture
// of a date or time field ("dd.MM.yyyy"), empty for the default.
struct Run {
  std::string text;
  CharFormat format;
  std::optional<Picture> picture;
  FieldKind field = FieldKind::None;
  std::string fieldFormat{};
  bool operator==(const Run&) const = default;
};

enum class Alignment { Left, Right, Center, Justify };
enum class ListStyle { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

enum class TabAlignment { Left, Center, Right, Decimal };

struct TabStop {
  int positionTwips = 0;  // from the left indent's edge of the text area
  TabAlignment alignment = TabAlignment::Left;
  bool operator==(const TabStop&) const = default;
};

enum class BorderStyle { Single, Double, Dotted, Dashed };

// One line of a border of a cell, row or paragraph; a side without a line has no Border.
struct Border {
  BorderStyle style = BorderStyle::Single;
  int widthTwips = 15;               // \brdrw, 0.75 pt unless the file says otherwise
  std::optional<Color> color{};      // none: automatic (black)
  int spaceTwips = 0;                // \brsp: between the line and the text
  bool operator==(const Border&) const = default;
};

struct Borders {
  std::optional<Border> top, left, bottom, right;
  bool Empty() const { return !top && !left && !bottom && !right; }
  bool operator==(const Borders&) const = default;
};
using CellBorders = Borders;

struct ParagraphFormat {
  Alignment alignment = Alignment::Left;
  int leftIndent = 0;
  int rightIndent = 0;
  int firstLineIndent = 0;  // relative to leftIndent; negative for a hanging indent
  int spaceBefore = 0;
  int spaceAfter = 0;
  ListStyle list = ListStyle::None;
  int listLevel = 0;  // 0..8
  bool pageBreakBefore = false;
  std::vector<TabStop> tabs{};  // in the order the file gives them; none: the default stops
  // \sl: 0 single spacing; > 0 at least, < 0 exactly that many twips from one line to the
  // next; with `lineSpacingMultiple` (\slmult1) lines of lineSpacing / 240 times the single.
  int lineSpacing = 0;
  bool lineSpacingMultiple = false;
  Borders borders{};  // \brdrt, \brdrl, \brdrb, \brdrr, \box
  bool operator==(const ParagraphFormat&) const = default;
};

struct Paragraph {
  ParagraphFormat format;
  std::vector<Run> runs;
  bool operator==(const Paragraph&) const = default;
};

struct Block;

// How a cell takes part in a merge. The cells a merge covers stay in the row (empty,
// with their own widths), as RTF writes them: \clmgf/\clmrg horizontally, \clvmgf/\clvmrg
// vertically.
enum class Merge { None, First, Continue };

enum class CellAlignment { Top, Center, Bottom };

// Space between a cell's border and its text, in twips.
struct CellPadding {
  int top = 0, left = 0, bottom = 0, right = 0;
  bool operator==(const CellPadding&) const = default;
};

// A table cell holds paragraphs and nested tables; a cell read from a file always ends
// with a paragraph.
struct Cell {
  int widthTwips = 0;  // 0: as wide as the layout makes it
  std::vector<Block> blocks;
  Merge horizontalMerge = Merge::None;
  Merge verticalMerge = Merge::None;
  CellBorders borders{};
  std::optional<Color> shading{};  // background of the cell, \clshdng already mixed in
  CellAlignment verticalAlignment = CellAlignment::Top;
  std::optional<CellPadding> padding{};  // none: the row's gap on the left and right
  bool operator==(const Cell&) const;
};

// The borders a row gives its cells where they give none: the outer sides (\trbrdrt …)
// and the lines between its cells (\trbrdrv) and between rows (\trbrdrh).
struct RowBorders {
  std::optional<Border> top, left, bottom, right, horizontal, vertical;
  bool operator==(const RowBorders&) const = default;
};

// Cells' right edges (\cellx) are the row's left edge plus the widths of the cells up to
// and including them.
struct Row {
  std::vector<Cell> cells;
  int leftTwips = 0;         // \trleft: left edge of the row, relative to the left margin
  int gapTwips = 108;        // \trgaph: half the space between the texts of two cells
  int heightTwips = 0;       // \trrh: 0 automatic, > 0 at least, < 0 exactly
  bool header = false;       // \trhdr: repeated at the top of every page the table runs over
  Alignment alignment = Alignment::Left;  // \trqc, \trqr: the row's place between the margins
  RowBorders borders{};
  bool operator==(const Row&) const;
};

struct Table {
  std::vector<Row> rows;
  bool operator==(const Table&) const;
};

struct Block {
  std::variant<Paragraph, Table> content;
  bool operator==(const Block&) const;
};

// Paper and margins in twips, as a file states them; defaults are those RTF assumes for
// a file that says nothing (US Letter, 1.25" left and right, 1" top and bottom).
struct PageSetup {
  int paperWidth = 12240;
  int paperHeight = 15840;
  bool landscape = false;  // \landscape, \lndscpsxn
  int marginLeft = 1800;
  int marginRight = 1800;
  int marginTop = 1440;
  int marginBottom = 1440;
  int headerDistance = 720;  // \headery: from the top edge of the paper to the header
  int footerDistance = 720;  // \footery: from the bottom edge to the footer
  bool operator==(const PageSetup&) const = default;
};

// The page as laid out: a landscape page whose file gives portrait paper is turned.
int PageWidth(const PageSetup& page);
int PageHeight(const PageSetup& page);

// Headers and footers of the (first) section: \header/\footer on every page, or \headerl
// and \headerr for left and right pages (\facingp), and \headerf on the first page
// (\titlepg). Fields in them (page number, page count, date) are field runs.
struct HeadersFooters {
  std::vector<Block> header, headerLeft, headerRight, headerFirst;
  std::vector<Block> footer, footerLeft, footerRight, footerFirst;
  bool titlePage = false;    // \titlepg: the first page has its own header and footer
  bool facingPages = false;  // \facingp: left and right pages have their own
  bool Empty() const;
  bool operator==(const HeadersFooters&) const;
};

// The parts in the order of their RTF words: \header, \headerl, \headerr, \headerf, \footer …
inline constexpr std::vector<Block> HeadersFooters::* kHeaderFooterParts[] = {
    &HeadersFooters::header, &HeadersFooters::headerLeft, &HeadersFooters::headerRight,
    &HeadersFooters::headerFirst, &HeadersFooters::footer, &HeadersFooters::footerLeft,
    &HeadersFooters::footerRight, &HeadersFooters::footerFirst,
};

// What to put on page `pageNumber` (1-based); an empty list: nothing.
const std::vector<Block>& HeaderFor(const HeadersFooters& h, int pageNumber);
const std::vector<Block>& FooterFor(const HeadersFooters& h, int pageNumber);

struct Document {
  std::vector<Block> blocks;
  std::optional<PageSetup> page{};  // none: the file sets no page (an editor's text)
  HeadersFooters headersFooters{};
  bool operator==(const Document&) const = default;
};

// Limits that keep absurd values of a damaged file within what a page can show.
constexpr int kMaxTwips = 31680;  // 22 inches
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxListLevel = 8;

}  // namespace orvela::rtf
