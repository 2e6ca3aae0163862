#pragma once
// The control words the reader acts on.
#include <string_view>

namespace orvela::rtf {

enum class Keyword {
  Unknown,
  // destinations read
  FontTable, ColorTable, StyleSheet, Pict, Pn, ListTable, ListOverrideTable, DefChp, DefPap,
  Upr, Ud, ShapeProperty, ShapePropertyName, ShapePropertyValue, BodyDestination,
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
};

struct KeywordInfo {
  Keyword keyword = Keyword::Unknown;
  char32_t character = 0;  // for Keyword::Character
};

KeywordInfo LookUpKeyword(std::string_view word);

}  // namespace orvela::rtf
