#include "RtfKeywords.h"

#include <unordered_map>

namespace orvela::rtf {

KeywordInfo LookUpKeyword(std::string_view word) {
  using K = Keyword;
  static const std::unordered_map<std::string_view, KeywordInfo> kTable = {
      {"fonttbl", {K::FontTable}}, {"colortbl", {K::ColorTable}},
      {"stylesheet", {K::StyleSheet}}, {"pict", {K::Pict}}, {"pn", {K::Pn}},
      {"listtable", {K::ListTable}}, {"listoverridetable", {K::ListOverrideTable}},
      {"defchp", {K::DefChp}}, {"defpap", {K::DefPap}}, {"upr", {K::Upr}}, {"ud", {K::Ud}},
      // Groups whose content is shown: picture wrappers, field and object results, rows
      // of nested tables.
      {"shppict", {K::BodyDestination}}, {"fldrslt", {K::BodyDestination}},
      {"result", {K::BodyDestination}}, {"shprslt", {K::BodyDestination}},
      {"nesttableprops", {K::BodyDestination}},
      // Text boxes of shapes show their text, picture frames their picture; the shape's
      // other properties are no content.
      {"shpinst", {K::BodyDestination}}, {"shptxt", {K::BodyDestination}},
      {"sp", {K::ShapeProperty}}, {"sn", {K::ShapePropertyName}}, {"sv", {K::ShapePropertyValue}},
      // Groups that are not part of the text.
      {"info", {K::SkipDestination}}, {"header", {K::SkipDestination}},
      {"headerl", {K::SkipDestination}}, {"headerr", {K::SkipDestination}},
      {"headerf", {K::SkipDestination}}, {"footer", {K::SkipDestination}},
      {"footerl", {K::SkipDestination}}, {"footerr", {K::SkipDestination}},
      {"footerf", {K::SkipDestination}}, {"footnote", {K::SkipDestination}},
      {"annotation", {K::SkipDestination}}, {"fldinst", {K::SkipDestination}},
      {"nonshppict", {K::SkipDestination}}, {"pntext", {K::SkipDestination}},
      {"listtext", {K::SkipDestination}}, {"pntxtb", {K::SkipDestination}},
      {"pntxta", {K::SkipDestination}}, {"leveltext", {K::SkipDestination}},
      {"levelnumbers", {K::SkipDestination}}, {"listname", {K::SkipDestination}},
      {"txe", {K::SkipDestination}}, {"xe", {K::SkipDestination}}, {"tc", {K::SkipDestination}},
      {"filetbl", {K::SkipDestination}}, {"revtbl", {K::SkipDestination}},
      {"objdata", {K::SkipDestination}}, {"objclass", {K::SkipDestination}},
      {"do", {K::SkipDestination}}, {"themedata", {K::SkipDestination}},
      {"colorschememapping", {K::SkipDestination}}, {"datastore", {K::SkipDestination}},
      {"author", {K::SkipDestination}}, {"operator", {K::SkipDestination}},
      {"title", {K::SkipDestination}}, {"subject", {K::SkipDestination}},
      {"keywords", {K::SkipDestination}}, {"comment", {K::SkipDestination}},
      {"doccomm", {K::SkipDestination}}, {"company", {K::SkipDestination}},
      {"buptim", {K::SkipDestination}}, {"creatim", {K::SkipDestination}},
      {"revtim", {K::SkipDestination}}, {"printim", {K::SkipDestination}},
      {"ftnsep", {K::SkipDestination}}, {"ftnsepc", {K::SkipDestination}},
      {"aftnsep", {K::SkipDestination}}, {"aftnsepc", {K::SkipDestination}},
      {"ftncn", {K::SkipDestination}}, {"aftncn", {K::SkipDestination}},
      {"bkmkstart", {K::SkipDestination}}, {"bkmkend", {K::SkipDestination}},
      {"private", {K::SkipDestination}}, {"pgdsctbl", {K::SkipDestination}},
      {"rsidtbl", {K::SkipDestination}}, {"xmlnstbl", {K::SkipDestination}},
      {"mmathPr", {K::SkipDestination}}, {"latentstyles", {K::SkipDestination}},
      {"picprop", {K::SkipDestination}}, {"blipuid", {K::SkipDestination}},
      {"nonesttables", {K::SkipDestination}},
      {"ansi", {K::Ansi}}, {"mac", {K::Mac}}, {"pc", {K::Pc}}, {"pca", {K::Pca}},
      {"ansicpg", {K::AnsiCpg}}, {"deff", {K::Deff}}, {"uc", {K::Uc}}, {"u", {K::U}},
      {"f", {K::F}}, {"fcharset", {K::FCharset}}, {"cpg", {K::Cpg}},
      {"red", {K::Red}}, {"green", {K::Green}}, {"blue", {K::Blue}},
      {"plain", {K::Plain}}, {"fs", {K::Fs}}, {"b", {K::B}}, {"i", {K::I}},
      {"ul", {K::Ul}}, {"ulnone", {K::UlNone}}, {"strike", {K::Strike}},
      {"striked", {K::Strike}}, {"cf", {K::Cf}}, {"highlight", {K::Background}},
      {"cb", {K::Background}}, {"chcbpat", {K::Background}}, {"super", {K::Super}},
      {"sub", {K::Sub}}, {"nosupersub", {K::NoSuperSub}}, {"v", {K::Hidden}},
      {"pard", {K::Pard}}, {"ql", {K::Ql}}, {"qr", {K::Qr}}, {"qc", {K::Qc}}, {"qj", {K::Qj}},
      {"qd", {K::Qj}}, {"li", {K::Li}}, {"lin", {K::Li}}, {"ri", {K::Ri}}, {"rin", {K::Ri}},
      {"fi", {K::Fi}}, {"sb", {K::Sb}}, {"sa", {K::Sa}}, {"pagebb", {K::PageBb}},
      {"intbl", {K::Intbl}}, {"itap", {K::Itap}}, {"ls", {K::Ls}}, {"ilvl", {K::Ilvl}},
      {"s", {K::S}}, {"cs", {K::Cs}}, {"ds", {K::OtherStyle}}, {"ts", {K::OtherStyle}},
      {"pnlvlblt", {K::PnLvlBlt}}, {"pnlvlbody", {K::PnLvlBody}},
      {"pnlvlcont", {K::PnLvlCont}}, {"pnlvl", {K::PnLvl}}, {"pndec", {K::PnDec}},
      {"pnucltr", {K::PnUcLtr}}, {"pnlcltr", {K::PnLcLtr}}, {"pnucrm", {K::PnUcRm}},
      {"pnlcrm", {K::PnLcRm}},
      {"list", {K::List}}, {"listlevel", {K::ListLevel}}, {"levelnfc", {K::LevelNfc}},
      {"levelnfcn", {K::LevelNfc}}, {"listid", {K::ListId}},
      {"trowd", {K::Trowd}}, {"trleft", {K::Trleft}}, {"cellx", {K::Cellx}},
      {"cell", {K::Cell}}, {"nestcell", {K::NestCell}}, {"row", {K::Row}},
      {"nestrow", {K::NestRow}},
      {"par", {K::Par}}, {"sect", {K::Sect}}, {"sbknone", {K::SbkNone}}, {"page", {K::Page}},
      {"line", {K::Character, U'\n'}}, {"tab", {K::Character, U'\t'}},
      {"emdash", {K::Character, U'\u2014'}}, {"endash", {K::Character, U'\u2013'}},
      {"bullet", {K::Character, U'\u2022'}}, {"lquote", {K::Character, U'\u2018'}},
      {"rquote", {K::Character, U'\u2019'}}, {"ldblquote", {K::Character, U'\u201C'}},
      {"rdblquote", {K::Character, U'\u201D'}}, {"emspace", {K::Character, U'\u2003'}},
      {"enspace", {K::Character, U'\u2002'}}, {"qmspace", {K::Character, U'\u2005'}},
      {"picw", {K::PicW}}, {"pich", {K::PicH}}, {"picwgoal", {K::PicWGoal}},
      {"pichgoal", {K::PicHGoal}}, {"picscalex", {K::PicScaleX}},
      {"picscaley", {K::PicScaleY}},
  };
  const auto it = kTable.find(word);
  return it == kTable.end() ? KeywordInfo{} : it->second;
}

}  // namespace orvela::rtf
