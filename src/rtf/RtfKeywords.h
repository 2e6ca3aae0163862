#pragma once
// The control words the reader acts on.
#include <cstdint>
#include <string_view>

namespace orvela::rtf {

enum class Keyword {
  Unknown,
  // destinations read
  FontTable, ColorTable, StyleSheet, Pict, Pn, ListTable, ListOverrideTable, DefChp, DefPap,
  Upr, Ud, ShapeProperty, ShapePropertyName, ShapePropertyValue, BodyDestination,
  HeaderFooter,  // index: the part, in the order of HeadersFooters
  FieldInstruction, FieldResult,
  // destinations skipped even without \*
  SkipDestination,
  // document
  Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U,
  // font and colour tables
  F, FCharset, Cpg, Red, Green, Blue,
  // character format
  Plain, Fs, B, I, Ul, UlNone, Strike, Cf, Background, Super, Sub, NoSuperSub, Hidden,
  // paragraph format
  Pard, Ql, Qr, Qc, Qj, Li, Ri, Fi, Sb, Sa, PageBb, Intbl, Itap, Ls, Ilvl, S, Cs, OtherStyle,
  // old numbering
  PnLvlBlt, PnLvlBody, PnLvlCont, PnLvl, PnDec, PnUcLtr, PnLcLtr, PnUcRm, PnLcRm,
  // list table
  List, ListLevel, LevelNfc, ListId,
  // tables
  Trowd, Trleft, Cellx, Cell, NestCell, Row, NestRow,
  // breaks and special characters
  Par, Sect, SbkNone, Page, Character,
  // picture
  PicW, PicH, PicWGoal, PicHGoal, PicScaleX, PicScaleY,
  // fields
  Field,
  // page set-up; index: a PageWord, plus kSectionWord for the section's own words
  PageValue, Sectd, TitlePage, FacingPages,
  // table rows and cells
  Trgaph, Trrh, Trhdr, RowAlign,       // RowAlign index: an Alignment
  CellMerge, CellVerticalMerge,        // index: 1 first, 2 continue
  CellBorderSide,                      // index: 0 top, 1 left, 2 bottom, 3 right, 4 none of a cell
  ParagraphBorderSide,                 // index: 0 top, 1 left, 2 bottom, 3 right, 4 all (\box)
  RowBorderSide,                       // index: as a cell's, then 4 between rows, 5 between cells
  BorderStyleWord, BorderNone, BorderWidth, BorderColor, BorderSpace,  // BorderStyleWord index: a BorderStyle
  CellBackground, CellForeground, CellShading, CellVerticalAlign,  // CellVerticalAlign index: a CellAlignment
  CellPaddingValue,  // index: 0 top, 1 left, 2 bottom, 3 right
  TabAlign, TabPosition,  // TabAlign index: a TabAlignment
  LineSpacing, LineSpacingMultiple,
};

// The values a page word sets; PageWord::Landscape is a flag.
enum PageWord : std::uint8_t {
  kPaperWidth, kPaperHeight, kMarginLeft, kMarginRight, kMarginTop, kMarginBottom,
  kHeaderDistance, kFooterDistance, kLandscape, kPageWordCount
};
constexpr std::uint8_t kSectionWord = 16;

struct KeywordInfo {
  Keyword keyword = Keyword::Unknown;
  char32_t character = 0;  // for Keyword::Character
  std::uint8_t index = 0;  // which one of a family of words
};

KeywordInfo LookUpKeyword(std::string_view word);

}  // namespace orvela::rtf
