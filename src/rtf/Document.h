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

// Text in one format, or one picture (then text is empty).
struct Run {
  std::string text;
  CharFormat format;
  std::optional<Picture> picture;
  bool operator==(const Run&) const = default;
};

enum class Alignment { Left, Right, Center, Justify };
enum class ListStyle { None, Bullet, Decimal, LowerAlpha, UpperAlpha, LowerRoman, UpperRoman };

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
  bool operator==(const ParagraphFormat&) const = default;
};

struct Paragraph {
  ParagraphFormat format;
  std::vector<Run> runs;
  bool operator==(const Paragraph&) const = default;
};

struct Block;

// A table cell holds paragraphs and nested tables; a cell read from a file always ends
// with a paragraph.
struct Cell {
  int widthTwips = 0;  // 0: as wide as the layout makes it
  std::vector<Block> blocks;
  bool operator==(const Cell&) const;
};

struct Row {
  std::vector<Cell> cells;
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

struct Document {
  std::vector<Block> blocks;
  bool operator==(const Document&) const = default;
};

// Limits that keep absurd values of a damaged file within what a page can show.
constexpr int kMaxTwips = 31680;  // 22 inches
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxListLevel = 8;

}  // namespace orvela::rtf
